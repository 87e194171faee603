#include "solver/factor/ModularFactorDegrees.h"

#include "model/CLongInteger.h"

#include <optional>

namespace {

// Above this degree the modular factorisation is not tried.
constexpr std::int64_t kLargestDegree = 64;

using Dense = std::vector<std::int64_t>; // coefficients modulo the prime, lowest first

class PrimeField {
public:
    explicit PrimeField(std::int64_t prime) : m_prime(prime) {}

    std::int64_t Reduce(std::int64_t value) const {
        value %= m_prime;
        return value < 0 ? value + m_prime : value;
    }
    std::int64_t Inverse(std::int64_t value) const {
        std::int64_t result = 1;
        std::int64_t base = Reduce(value);
        for (std::int64_t e = m_prime - 2; e > 0; e >>= 1) {
            if (e & 1) {
                result = result * base % m_prime;
            }
            base = base * base % m_prime;
        }
        return result;
    }

    static void Trim(Dense& a) {
        while (!a.empty() && a.back() == 0) {
            a.pop_back();
        }
    }

    // a mod b (b not zero).
    Dense Remainder(Dense a, const Dense& b) const {
        Trim(a);
        const std::int64_t lead = Inverse(b.back());
        while (a.size() >= b.size()) {
            const std::int64_t factor = a.back() * lead % m_prime;
            const std::size_t shift = a.size() - b.size();
            for (std::size_t i = 0; i < b.size(); ++i) {
                a[i + shift] = Reduce(a[i + shift] - factor * b[i]);
            }
            Trim(a);
        }
        return a;
    }

    Dense Quotient(Dense a, const Dense& b) const {
        Trim(a);
        Dense quotient(a.size() >= b.size() ? a.size() - b.size() + 1 : 0, 0);
        const std::int64_t lead = Inverse(b.back());
        while (a.size() >= b.size()) {
            const std::int64_t factor = a.back() * lead % m_prime;
            const std::size_t shift = a.size() - b.size();
            quotient[shift] = factor;
            for (std::size_t i = 0; i < b.size(); ++i) {
                a[i + shift] = Reduce(a[i + shift] - factor * b[i]);
            }
            Trim(a);
        }
        return quotient;
    }

    Dense Gcd(Dense a, Dense b) const {
        Trim(a);
        Trim(b);
        while (!b.empty()) {
            Dense r = Remainder(a, b);
            a = std::move(b);
            b = std::move(r);
        }
        return a;
    }

    Dense MultiplyMod(const Dense& a, const Dense& b, const Dense& modulus) const {
        Dense product(a.size() + b.size(), 0);
        for (std::size_t i = 0; i < a.size(); ++i) {
            for (std::size_t j = 0; j < b.size(); ++j) {
                product[i + j] = (product[i + j] + a[i] * b[j]) % m_prime;
            }
        }
        return Remainder(product, modulus);
    }

    Dense PowerMod(Dense base, std::int64_t exponent, const Dense& modulus) const {
        Dense result{1};
        for (; exponent > 0; exponent >>= 1) {
            if (exponent & 1) {
                result = MultiplyMod(result, base, modulus);
            }
            base = MultiplyMod(base, base, modulus);
        }
        return result;
    }

    Dense Derivative(const Dense& a) const {
        Dense derivative;
        for (std::size_t i = 1; i < a.size(); ++i) {
            derivative.push_back(Reduce(a[i] * static_cast<std::int64_t>(i)));
        }
        Trim(derivative);
        return derivative;
    }

    std::int64_t Prime() const { return m_prime; }

private:
    std::int64_t m_prime;
};

std::optional<Dense> Reduced(const CPolynomValue& polynom, unsigned char letter, const PrimeField& field) {
    Dense dense(static_cast<std::size_t>(polynom.DegreeIn(letter)) + 1, 0);
    for (const PolynomTerm& term : polynom.Terms()) {
        CNumber coefficient = term.coefficient;
        if (!coefficient.ToInteger()) {
            return std::nullopt;
        }
        const auto parts =
            coefficient.Numerator().DivMod(CLongInteger(static_cast<std::int32_t>(field.Prime())));
        if (!parts || !parts->second.FitsInt64()) {
            return std::nullopt;
        }
        auto& slot = dense[static_cast<std::size_t>(term.ExponentOf(letter))];
        slot = field.Reduce(slot + parts->second.SmallValue());
    }
    return dense;
}

// The degrees of the irreducible factors modulo the prime (distinct-degree factorisation of a
// square-free polynomial); none when the prime divides the leading coefficient or the reduction
// is not square-free.
std::optional<std::vector<std::int64_t>> FactorDegreesModulo(const CPolynomValue& polynom,
                                                             unsigned char letter, const PrimeField& field) {
    std::optional<Dense> f = Reduced(polynom, letter, field);
    if (!f || f->back() == 0 || field.Gcd(*f, field.Derivative(*f)).size() > 1) {
        return std::nullopt;
    }
    std::vector<std::int64_t> degrees;
    const Dense x{0, 1};
    Dense h = x;
    for (std::int64_t i = 1; static_cast<std::int64_t>(f->size()) - 1 >= 2 * i; ++i) {
        h = field.PowerMod(h, field.Prime(), *f);
        Dense difference = h;
        difference.resize(std::max<std::size_t>(difference.size(), 2), 0);
        difference[1] = field.Reduce(difference[1] - 1);
        const Dense g = field.Gcd(*f, difference);
        if (g.size() > 1) {
            for (std::size_t k = 0; k < (g.size() - 1) / static_cast<std::size_t>(i); ++k) {
                degrees.push_back(i);
            }
            *f = field.Quotient(*f, g);
            h = field.Remainder(h, *f);
        }
    }
    if (f->size() > 1) {
        degrees.push_back(static_cast<std::int64_t>(f->size()) - 1);
    }
    return degrees;
}

} // namespace

std::vector<bool> PossibleFactorDegrees(const CPolynomValue& polynom, unsigned char letter) {
    const std::int64_t degree = polynom.DegreeIn(letter);
    std::vector<bool> possible(static_cast<std::size_t>(degree) + 1, true);
    if (degree > kLargestDegree || degree < 2) {
        return possible;
    }
    for (const std::int64_t prime : {3, 5, 7, 11, 13, 17}) {
        const std::optional<std::vector<std::int64_t>> degrees =
            FactorDegreesModulo(polynom, letter, PrimeField(prime));
        if (!degrees) {
            continue;
        }
        std::vector<bool> sums(possible.size(), false);
        sums[0] = true;
        for (const std::int64_t d : *degrees) {
            for (std::size_t s = sums.size(); s-- > static_cast<std::size_t>(d);) {
                sums[s] = sums[s] || sums[s - static_cast<std::size_t>(d)];
            }
        }
        for (std::size_t s = 0; s < possible.size(); ++s) {
            possible[s] = possible[s] && sums[s];
        }
    }
    return possible;
}
