// The searches for a divisor of a polynomial in one letter with integer coefficients: the rational
// root test (a linear divisor q*x - r) and the bounded search over small integer polynomials.

#include "model/PolynomNumber.h"
#include "solver/factor/FactorSearchSupport.h"
#include "solver/factor/ModularFactorDegrees.h"

#include <algorithm>
#include <numeric>

namespace PN = PolynomNumber;

namespace {

// The coefficient of letter^exponent (0 when there is no such term).
CNumber CoefficientAt(const CPolynomValue& polynom, unsigned char letter, std::int64_t exponent) {
    for (const PolynomTerm& term : polynom.Terms()) {
        if (term.ExponentOf(letter) == exponent) {
            return term.coefficient;
        }
    }
    return CNumber(0);
}

CPolynomValue LinearDivisor(unsigned char letter, std::int64_t q, std::int64_t r) {
    CPolynomValue divisor = CPolynomValue::Letter(letter).Scaled(PN::FromInt(q));
    divisor.AddInPlace(CPolynomValue(PN::FromInt(-r)));
    return divisor;
}

// --- bounded divisor search ------------------------------------------------------------------------

__extension__ typedef __int128 Wide;

// A candidate divisor: integer coefficients on strictly falling exponents ending at 0.
struct Candidate {
    std::vector<std::int64_t> coefficients;
    std::vector<std::int64_t> exponents;
};

// Small points at which a divisor's value must divide the polynomial's value (both primitive
// integer polynomials, by Gauss's lemma). A point is used only when the value fits.
class DivisibilityFilter {
public:
    DivisibilityFilter(const CPolynomValue& polynom, unsigned char letter) {
        for (const std::int64_t point : {1, -1, 2, -2, 3}) {
            std::optional<Wide> value = Evaluate(polynom, letter, point);
            if (value) {
                m_points.push_back({point, *value});
            }
        }
    }

    bool MayDivide(const Candidate& candidate) const {
        std::int64_t content = 0;
        for (const std::int64_t c : candidate.coefficients) {
            content = std::gcd(content, c < 0 ? -c : c);
        }
        for (const auto& [point, target] : m_points) {
            Wide value = 0;
            for (std::size_t i = 0; i < candidate.coefficients.size(); ++i) {
                value += candidate.coefficients[i] * Power(point, candidate.exponents[i]);
            }
            value /= content;
            if (value == 0 ? target != 0 : target % value != 0) {
                return false;
            }
        }
        return true;
    }

private:
    static Wide Power(std::int64_t base, std::int64_t exponent) {
        Wide result = 1;
        for (std::int64_t i = 0; i < exponent; ++i) {
            result *= base;
        }
        return result;
    }

    // p(point) when every partial value stays far inside 128 bits.
    static std::optional<Wide> Evaluate(const CPolynomValue& polynom, unsigned char letter,
                                        std::int64_t point) {
        constexpr Wide kSafe = static_cast<Wide>(1) << 100;
        Wide total = 0;
        for (const PolynomTerm& term : polynom.Terms()) {
            const std::optional<std::int64_t> coefficient = SmallInteger(term.coefficient);
            const std::int64_t exponent = term.ExponentOf(letter);
            if (!coefficient || exponent * 2 > 60) {
                return std::nullopt;
            }
            const Wide value = *coefficient * Power(point, exponent);
            total += value;
            if (value > kSafe || value < -kSafe || total > kSafe || total < -kSafe) {
                return std::nullopt;
            }
        }
        return total;
    }

    std::vector<std::pair<std::int64_t, Wide>> m_points;
};

// Every exponent pattern of k terms: strictly falling, the first at most `top`, the last 0; from
// the highest pattern down, the exponents lowered from the right.
void CollectPatterns(std::size_t k, std::int64_t top, std::vector<std::int64_t>& current,
                     std::vector<std::vector<std::int64_t>>& patterns) {
    if (current.size() + 1 == k) {
        current.push_back(0);
        patterns.push_back(current);
        current.pop_back();
        return;
    }
    const std::int64_t remaining = static_cast<std::int64_t>(k - current.size()) - 1;
    for (std::int64_t e = top; e >= remaining; --e) {
        if (e == 0) {
            continue;
        }
        current.push_back(e);
        CollectPatterns(k, e - 1, current, patterns);
        current.pop_back();
    }
}

class BoundedSearch {
public:
    BoundedSearch(const CPolynomValue& polynom, unsigned char letter, FactorSearchBudget& budget)
        : m_polynom(polynom), m_letter(letter), m_budget(budget), m_filter(polynom, letter) {}

    std::optional<CPolynomValue> Run() {
        const std::int64_t degree = m_polynom.DegreeIn(m_letter);
        const std::optional<std::vector<std::int64_t>> leading =
            PositiveDivisors(CoefficientAt(m_polynom, m_letter, degree), m_budget);
        const std::optional<std::vector<std::int64_t>> constant =
            PositiveDivisors(CoefficientAt(m_polynom, m_letter, 0), m_budget);
        const std::optional<std::int64_t> largest = LargestCoefficient();
        if (!leading || !constant || !largest) {
            return std::nullopt;
        }
        m_first = *leading;
        for (const std::int64_t d : *constant) {
            m_last.push_back(-d);
            m_last.push_back(d);
        }
        m_largest = *largest;
        // Only degrees that the factors modulo small primes allow.
        const std::vector<bool> possible = PossibleFactorDegrees(m_polynom, m_letter);
        const std::size_t most = std::min<std::size_t>(5, m_polynom.TermCount());
        for (std::size_t k = 2; k <= most && !m_budget.Exhausted(); ++k) {
            std::vector<std::vector<std::int64_t>> patterns;
            std::vector<std::int64_t> current;
            CollectPatterns(k, degree / 2, current, patterns);
            std::erase_if(patterns, [&](const std::vector<std::int64_t>& pattern) {
                return !possible[static_cast<std::size_t>(pattern.front())];
            });
            if (patterns.empty()) {
                continue;
            }
            if (std::optional<CPolynomValue> found = SearchTerms(k, patterns)) {
                return found;
            }
        }
        return std::nullopt;
    }

private:
    std::optional<std::int64_t> LargestCoefficient() const {
        std::int64_t largest = 0;
        for (const PolynomTerm& term : m_polynom.Terms()) {
            const std::optional<std::int64_t> value = SmallInteger(term.coefficient);
            if (!value || *value > (1LL << 40) || *value < -(1LL << 40)) {
                return std::nullopt;
            }
            largest = std::max(largest, *value < 0 ? -*value : *value);
        }
        return largest;
    }

    // The first coefficient runs over the divisors of the leading one, the last over the signed
    // divisors of the constant, every other over -M..M without 0 (not stored: M may be large).
    std::size_t ChoiceCount(std::size_t position, std::size_t k) const {
        if (position == 0 || position + 1 == k) {
            return position == 0 ? m_first.size() : m_last.size();
        }
        return static_cast<std::size_t>(2 * m_largest);
    }

    std::int64_t ChoiceAt(std::size_t position, std::size_t k, std::size_t index) const {
        if (position == 0) {
            return m_first[index];
        }
        if (position + 1 == k) {
            return m_last[index];
        }
        const auto i = static_cast<std::int64_t>(index);
        return i < m_largest ? i - m_largest : i - m_largest + 1;
    }

    // The odometer over the coefficient tuples, the last coefficient changing fastest.
    std::optional<CPolynomValue> SearchTerms(std::size_t k,
                                             const std::vector<std::vector<std::int64_t>>& patterns) {
        std::vector<std::size_t> wheel(k, 0);
        Candidate candidate{std::vector<std::int64_t>(k), {}};
        while (true) {
            for (std::size_t i = 0; i < k; ++i) {
                candidate.coefficients[i] = ChoiceAt(i, k, wheel[i]);
            }
            for (const std::vector<std::int64_t>& pattern : patterns) {
                if (!m_budget.Spend(static_cast<std::int64_t>(k))) {
                    return std::nullopt;
                }
                candidate.exponents = pattern;
                if (std::optional<CPolynomValue> divisor = TryCandidate(candidate)) {
                    return divisor;
                }
            }
            std::size_t position = k;
            while (position > 0) {
                --position;
                if (++wheel[position] < ChoiceCount(position, k)) {
                    break;
                }
                wheel[position] = 0;
                if (position == 0) {
                    return std::nullopt;
                }
            }
        }
    }

    std::optional<CPolynomValue> TryCandidate(const Candidate& candidate) {
        if (!m_filter.MayDivide(candidate)) {
            return std::nullopt;
        }
        CPolynomValue divisor;
        for (std::size_t i = 0; i < candidate.coefficients.size(); ++i) {
            divisor.AddInPlace(CPolynomValue::Letter(m_letter, candidate.exponents[i])
                                   .Scaled(PN::FromInt(candidate.coefficients[i])));
        }
        if (!m_budget.Spend(static_cast<std::int64_t>(m_polynom.TermCount() * 8)) ||
            !m_polynom.DivideExact(divisor)) {
            return std::nullopt;
        }
        return divisor;
    }

    const CPolynomValue& m_polynom;
    unsigned char m_letter;
    FactorSearchBudget& m_budget;
    DivisibilityFilter m_filter;
    std::vector<std::int64_t> m_first;
    std::int64_t m_largest = 0;
    std::vector<std::int64_t> m_last;
};

} // namespace

bool FindRationalRoot(const CPolynomValue& polynom, unsigned char letter, FactorFinding& finding,
                      FactorSearchBudget& budget) {
    const std::optional<std::vector<std::int64_t>> leading =
        PositiveDivisors(CoefficientAt(polynom, letter, polynom.DegreeIn(letter)), budget);
    const std::optional<std::vector<std::int64_t>> constant =
        PositiveDivisors(CoefficientAt(polynom, letter, 0), budget);
    if (!leading || !constant) {
        return false;
    }
    const auto work = static_cast<std::int64_t>(polynom.TermCount()) * 4;
    for (const std::int64_t q : *leading) {
        for (const std::int64_t r : *constant) {
            for (const std::int64_t signedR : {r, -r}) {
                if (!budget.Spend(work)) {
                    return false;
                }
                const CNumber point = PN::Quotient(PN::FromInt(signedR), PN::FromInt(q));
                if (polynom.ValueAt(letter, point).IsZero()) {
                    return SetDivisor(finding, LinearDivisor(letter, q, signedR));
                }
            }
        }
    }
    return false;
}

bool FindBoundedDivisor(const CPolynomValue& polynom, unsigned char letter, FactorFinding& finding,
                        FactorSearchBudget& budget) {
    if (polynom.DegreeIn(letter) <= 3) {
        return false;
    }
    BoundedSearch search(polynom, letter, budget);
    const std::optional<CPolynomValue> divisor = search.Run();
    return divisor && SetDivisor(finding, *divisor);
}
