#include "checker/RealRoots.h"

#include "model/PolynomialGcd.h"
#include "model/WorkBudget.h"

#include <cmath>
#include <utility>
#include <vector>

namespace {

// Coefficients from the constant term up.
std::vector<CNumber> Coefficients(const CPolynomValue& polynom, unsigned char letter) {
    std::vector<CNumber> coefficients(
        static_cast<std::size_t>(std::max<std::int64_t>(polynom.DegreeIn(letter), 0)) + 1);
    for (const PolynomTerm& term : polynom.Terms()) {
        coefficients[static_cast<std::size_t>(term.ExponentOf(letter))] = term.coefficient;
    }
    return coefficients;
}

int SignAt(const CPolynomValue& polynom, unsigned char letter, const CNumber& point) {
    return polynom.ValueAt(letter, point).Sign();
}

// Sign changes of the sequence, zeros skipped.
int SignChanges(const std::vector<int>& signs) {
    int changes = 0;
    int last = 0;
    for (const int sign : signs) {
        if (sign != 0) {
            changes += last != 0 && sign != last ? 1 : 0;
            last = sign;
        }
    }
    return changes;
}

class SturmSequence {
public:
    SturmSequence(const CPolynomValue& squarefree, unsigned char letter) : m_letter(letter) {
        m_chain.push_back(squarefree);
        CPolynomValue derivative = squarefree.Derivative(letter);
        while (!derivative.IsZero() && !CNumber::LimitExceeded()) {
            m_chain.push_back(derivative);
            const std::size_t n = m_chain.size();
            CPolynomValue next = Remainder(m_chain[n - 2], m_chain[n - 1], letter);
            next.Negate();
            // Only the signs matter: a positive factor keeps the coefficients small.
            if (!next.IsZero()) {
                next.MakePrimitive();
            }
            derivative = std::move(next);
        }
    }

    // Distinct real roots in (low, high].
    int RootsBetween(const CNumber& low, const CNumber& high) const {
        return SignChanges(SignsAt(low)) - SignChanges(SignsAt(high));
    }

    int RealRoots() const {
        std::vector<int> atMinusInfinity;
        std::vector<int> atPlusInfinity;
        for (const CPolynomValue& polynom : m_chain) {
            const int lead = polynom.LeadingSign();
            atPlusInfinity.push_back(lead);
            atMinusInfinity.push_back(polynom.DegreeIn(m_letter) % 2 == 0 ? lead : -lead);
        }
        return SignChanges(atMinusInfinity) - SignChanges(atPlusInfinity);
    }

private:
    std::vector<int> SignsAt(const CNumber& point) const {
        std::vector<int> signs;
        for (const CPolynomValue& polynom : m_chain) {
            signs.push_back(SignAt(polynom, m_letter, point));
        }
        return signs;
    }

    unsigned char m_letter;
    std::vector<CPolynomValue> m_chain;
};

// Divisors of |value| when it fits a machine word and has few enough; none otherwise.
std::optional<std::vector<std::int64_t>> SmallDivisors(const CLongInteger& value) {
    const std::int64_t n = value.Abs().ToInt64Clamped();
    if (n <= 0 || n > 1'000'000'000'000LL) {
        return std::nullopt;
    }
    std::vector<std::int64_t> divisors;
    for (std::int64_t d = 1; d * d <= n; ++d) {
        if (d % 1024 == 0 && !WorkBudget::Charge(1024)) {
            return std::nullopt;
        }
        if (n % d == 0) {
            divisors.push_back(d);
            if (d != n / d) {
                divisors.push_back(n / d);
            }
        }
    }
    return divisors;
}

// A rational root by the rational root theorem: p/q with p dividing the constant term and q the
// leading coefficient of the polynomial with integer coprime coefficients.
std::optional<CNumber> RationalRoot(const CPolynomValue& squarefree, unsigned char letter) {
    CPolynomValue integral = squarefree;
    integral.MakePrimitive();
    std::vector<CNumber> coefficients = Coefficients(integral, letter);
    if (coefficients.front().IsZero()) {
        return CNumber(0);
    }
    const auto numerators = SmallDivisors(coefficients.front().Numerator());
    const auto denominators = SmallDivisors(coefficients.back().Numerator());
    if (!numerators || !denominators || numerators->size() * denominators->size() > 20'000) {
        return std::nullopt;
    }
    for (const std::int64_t q : *denominators) {
        for (const std::int64_t p : *numerators) {
            for (const int sign : {1, -1}) {
                CNumber candidate(CLongInteger::FromInt64(sign * p), CLongInteger::FromInt64(q));
                candidate.Normalize();
                if (!WorkBudget::Charge(static_cast<std::int64_t>(coefficients.size()))) {
                    return std::nullopt;
                }
                if (integral.ValueAt(letter, candidate).IsZero()) {
                    return candidate;
                }
            }
        }
    }
    return std::nullopt;
}

// The roots of a x² + b x + c with a non-negative discriminant: the larger one.
std::optional<CQuadraticSurd> QuadraticRoot(const CPolynomValue& quadratic, unsigned char letter) {
    const std::vector<CNumber> c = Coefficients(quadratic, letter);
    CNumber discriminant = c[1].Product(c[1]);
    discriminant.SubtractInPlace(CNumber(4).Product(c[2]).Product(c[0]));
    const std::optional<CQuadraticSurd> root = CQuadraticSurd::SquareRoot(discriminant);
    if (!root) {
        return std::nullopt;
    }
    const CQuadraticSurd minusB(c[1].Product(CNumber(-1)));
    const CQuadraticSurd twoA(c[2].Product(CNumber(2)));
    const std::optional<CQuadraticSurd> numerator = minusB.Sum(*root);
    return numerator ? numerator->Quotient(twoA) : std::nullopt;
}

// A bound above the magnitude of every root (Cauchy): 1 + max |aᵢ / aₙ|.
CNumber RootBound(const CPolynomValue& polynom, unsigned char letter) {
    const std::vector<CNumber> c = Coefficients(polynom, letter);
    CNumber largest(0);
    for (std::size_t i = 0; i + 1 < c.size(); ++i) {
        CNumber ratio = c[i].Quotient(c.back());
        ratio.TakeSign();
        if (ratio.Greater(largest)) {
            largest = ratio;
        }
    }
    largest.AddInPlace(1);
    // A whole bound keeps the bisection points simple.
    largest.TruncateToInteger();
    largest.AddInPlace(1);
    return largest;
}

// Bisection: an interval (low, high] with exactly one root, then halved by the sign of the
// polynomial until it is narrower than 10⁻⁶.
std::optional<RealRoot> IsolatedRoot(const CPolynomValue& squarefree, unsigned char letter) {
    const SturmSequence sturm(squarefree, letter);
    CNumber high = RootBound(squarefree, letter);
    CNumber low = high.Product(CNumber(-1));
    const CNumber half(CLongInteger(1), CLongInteger(2));
    for (int step = 0; step < 200 && sturm.RootsBetween(low, high) > 1; ++step) {
        const CNumber middle = low.Sum(high).Product(half);
        if (sturm.RootsBetween(low, middle) > 0) {
            high = middle;
        } else {
            low = middle;
        }
        if (CNumber::LimitExceeded()) {
            return std::nullopt;
        }
    }
    const CNumber tolerance(CLongInteger(1), CLongInteger(1'000'000));
    while (high.Difference(low).Greater(tolerance) && !CNumber::LimitExceeded()) {
        if (SignAt(squarefree, letter, high) == 0) {
            return RealRoot{CQuadraticSurd(high), ApproximateValue(high)};
        }
        const CNumber middle = low.Sum(high).Product(half);
        if (sturm.RootsBetween(low, middle) > 0) {
            high = middle;
        } else {
            low = middle;
        }
    }
    return RealRoot{std::nullopt, ApproximateValue(high)};
}

} // namespace

CPolynomValue Remainder(const CPolynomValue& a, const CPolynomValue& b, unsigned char letter) {
    CPolynomValue remainder = a;
    const std::int64_t divisorDegree = b.DegreeIn(letter);
    const PolynomTerm& lead = b.LeadingTerm();
    while (!remainder.IsZero() && remainder.DegreeIn(letter) >= divisorDegree) {
        if (!WorkBudget::Charge(WorkBudget::kUnitsPerGcdStep * static_cast<std::int64_t>(b.TermCount())) ||
            CNumber::LimitExceeded()) {
            return CPolynomValue();
        }
        const PolynomTerm& top = remainder.LeadingTerm();
        PolynomTerm factor;
        factor.coefficient = top.coefficient.Quotient(lead.coefficient);
        const std::int64_t shift = top.ExponentOf(letter) - divisorDegree;
        if (shift > 0) {
            factor.powers.push_back(LetterPower{letter, shift});
        }
        remainder.SubtractInPlace(b.ProductWithTerm(factor));
    }
    return remainder;
}

CPolynomValue SquarefreePart(const CPolynomValue& polynom, unsigned char letter) {
    if (polynom.IsConstant()) {
        return polynom;
    }
    const CPolynomValue gcd = PolynomialGcd(polynom, polynom.Derivative(letter));
    if (gcd.IsConstant()) {
        return polynom;
    }
    return polynom.DivideExact(gcd).value_or(polynom);
}

CPolynomValue WithoutRootsOf(const CPolynomValue& squarefree, const CPolynomValue& other) {
    if (squarefree.IsConstant() || other.IsConstant()) {
        return squarefree;
    }
    const CPolynomValue gcd = PolynomialGcd(squarefree, other);
    if (gcd.IsConstant()) {
        return squarefree;
    }
    return squarefree.DivideExact(gcd).value_or(squarefree);
}

int CountRealRoots(const CPolynomValue& squarefree, unsigned char letter) {
    if (squarefree.IsConstant()) {
        return 0;
    }
    return SturmSequence(squarefree, letter).RealRoots();
}

std::optional<RealRoot> FindRealRoot(const CPolynomValue& squarefree, unsigned char letter) {
    if (CountRealRoots(squarefree, letter) == 0) {
        return std::nullopt;
    }
    if (const std::optional<CNumber> rational = RationalRoot(squarefree, letter)) {
        return RealRoot{CQuadraticSurd(*rational), ApproximateValue(*rational)};
    }
    if (squarefree.DegreeIn(letter) == 2) {
        if (const std::optional<CQuadraticSurd> root = QuadraticRoot(squarefree, letter)) {
            return RealRoot{root, root->Approximate()};
        }
    }
    return IsolatedRoot(squarefree, letter);
}
