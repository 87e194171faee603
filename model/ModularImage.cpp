#include "model/ModularImage.h"

#include "model/WorkBudget.h"

#include <algorithm>
#include <utility>

namespace ModularImage {

namespace {

// The residues of the letters the divisibility test replaces: fixed, so that every solve takes the
// same path.
const LetterResidues& FixedPoint() {
    static const LetterResidues point = [] {
        LetterResidues residues{};
        std::uint64_t seed = 0x2545F4914F6CDD1DULL;
        for (std::uint64_t& residue : residues) {
            seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
            residue = 2 + (seed >> 33U) % (kPrime - 3);
        }
        return residues;
    }();
    return point;
}

// The letter in which `p` has its highest degree (the first such letter); 0 for a constant.
unsigned char LetterOfHighestDegree(const CPolynomValue& p) {
    std::array<std::int64_t, 256> degrees{};
    unsigned char best = 0;
    std::int64_t bestDegree = 0;
    for (const PolynomTerm& term : p.Terms()) {
        for (const LetterPower& power : term.powers) {
            std::int64_t& degree = degrees[power.letter];
            degree = std::max(degree, power.exponent);
            if (degree > bestDegree || (degree == bestDegree && power.letter < best)) {
                best = power.letter;
                bestDegree = degree;
            }
        }
    }
    return best;
}

} // namespace

std::uint64_t MultiplyModulo(std::uint64_t a, std::uint64_t b, std::uint64_t prime) {
    return a * b % prime;
}

std::uint64_t PowerModulo(std::uint64_t base, std::uint64_t exponent, std::uint64_t prime) {
    std::uint64_t result = 1;
    base %= prime;
    while (exponent > 0) {
        if (exponent & 1U) {
            result = MultiplyModulo(result, base, prime);
        }
        base = MultiplyModulo(base, base, prime);
        exponent >>= 1U;
    }
    return result;
}

std::uint64_t InverseModulo(std::uint64_t value, std::uint64_t prime) {
    // Extended Euclid on (prime, value): about a dozen divisions instead of the thirty-odd
    // squarings of a power; the remainders fit 32 bits, whose division is the cheaper one.
    auto remainder = static_cast<std::uint32_t>(prime);
    auto next = static_cast<std::uint32_t>(value % prime);
    std::int64_t factor = 0;
    std::int64_t nextFactor = 1;
    while (next != 0) {
        const std::uint32_t quotient = remainder / next;
        remainder = std::exchange(next, remainder - quotient * next);
        factor = std::exchange(nextFactor, factor - static_cast<std::int64_t>(quotient) * nextFactor);
    }
    return static_cast<std::uint64_t>(factor < 0 ? factor + static_cast<std::int64_t>(prime) : factor);
}

std::uint64_t IntegerResidue(const CLongInteger& value, std::uint64_t prime) {
    const auto signedPrime = static_cast<std::int64_t>(prime);
    std::int64_t small = 0;
    if (value.FitsInt64()) {
        small = value.SmallValue() % signedPrime;
    } else {
        // The remainder of a division by a number below 2^32 is below it.
        const auto divided = value.DivMod(CLongInteger::FromInt64(static_cast<std::int64_t>(prime)));
        small = divided ? divided->second.ToInt64Clamped() % signedPrime : 0;
    }
    return static_cast<std::uint64_t>(small < 0 ? small + signedPrime : small);
}

std::optional<std::uint64_t> ResidueOf(const CNumber& number) {
    if (number.IsInteger()) {
        return IntegerResidue(number.Numerator());
    }
    CNumber fraction = number;
    fraction.ToFraction();
    fraction.Reduce();
    const std::uint64_t bottom = IntegerResidue(fraction.Denominator());
    if (bottom == 0) {
        return std::nullopt;
    }
    return MultiplyModulo(IntegerResidue(fraction.Numerator()), InverseModulo(bottom));
}

std::optional<Residues> Image(const CPolynomValue& p, unsigned char letter, const LetterResidues& point) {
    // A term's residue costs about as much as one multiplication of two limbs per letter.
    std::int64_t work = 0;
    Residues image(static_cast<std::size_t>(p.DegreeIn(letter)) + 1, 0);
    for (const PolynomTerm& term : p.Terms()) {
        std::optional<std::uint64_t> value = ResidueOf(term.coefficient);
        if (!value) {
            return std::nullopt;
        }
        std::int64_t exponent = 0;
        for (const LetterPower& power : term.powers) {
            if (power.letter == letter) {
                exponent = power.exponent;
            } else {
                *value = MultiplyModulo(
                    *value, PowerModulo(point[power.letter], static_cast<std::uint64_t>(power.exponent)));
            }
        }
        work += static_cast<std::int64_t>(term.powers.size()) + 1;
        std::uint64_t& slot = image[static_cast<std::size_t>(exponent)];
        slot = (slot + *value) % kPrime;
    }
    WorkBudget::Charge(work);
    return image;
}

void Trim(Residues& residues) {
    while (!residues.empty() && residues.back() == 0) {
        residues.pop_back();
    }
}

namespace {

// a becomes the remainder of a divided by b (b trimmed, not 0).
void ReduceBy(Residues& a, const Residues& b) {
    const std::uint64_t inverse = InverseModulo(b.back());
    while (a.size() >= b.size()) {
        const std::uint64_t scale = MultiplyModulo(a.back(), inverse);
        const std::size_t shift = a.size() - b.size();
        for (std::size_t i = 0; i < b.size(); ++i) {
            a[i + shift] = (a[i + shift] + kPrime - MultiplyModulo(b[i], scale)) % kPrime;
        }
        Trim(a);
    }
}

} // namespace

std::int64_t GcdDegree(Residues a, Residues b) {
    Trim(a);
    Trim(b);
    while (!b.empty()) {
        WorkBudget::Charge(static_cast<std::int64_t>(a.size() * b.size()));
        ReduceBy(a, b);
        std::swap(a, b);
    }
    return static_cast<std::int64_t>(a.size()) - 1;
}

bool Divides(Residues divisor, Residues dividend) {
    Trim(divisor);
    Trim(dividend);
    if (divisor.empty()) {
        return dividend.empty();
    }
    WorkBudget::Charge(static_cast<std::int64_t>(divisor.size() * dividend.size()));
    ReduceBy(dividend, divisor);
    return dividend.empty();
}

bool MayDivide(const CPolynomValue& divisor, const CPolynomValue& dividend) {
    if (divisor.IsConstant()) {
        return true;
    }
    const unsigned char letter = LetterOfHighestDegree(divisor);
    std::optional<Residues> imageDivisor = Image(divisor, letter, FixedPoint());
    if (!imageDivisor) {
        return true;
    }
    Trim(*imageDivisor);
    if (imageDivisor->empty()) {
        return true;
    }
    std::optional<Residues> imageDividend = Image(dividend, letter, FixedPoint());
    return !imageDividend || Divides(std::move(*imageDivisor), std::move(*imageDividend));
}

} // namespace ModularImage
