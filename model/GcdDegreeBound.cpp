#include "model/GcdDegreeBound.h"

#include "model/WorkBudget.h"

#include <algorithm>
#include <map>
#include <vector>

namespace {

// 2^31 - 1: a prime whose residues multiply within 64 bits.
constexpr std::uint64_t kPrime = 2147483647;
// Images tried per letter; each gives a bound, the smallest is kept.
constexpr int kTries = 2;

using Residues = std::vector<std::uint64_t>; // coefficients by exponent, index 0 the constant

std::uint64_t Residue(const CLongInteger& value) {
    std::int64_t small = 0;
    if (value.FitsInt64()) {
        small = value.SmallValue() % static_cast<std::int64_t>(kPrime);
    } else {
        const auto divided = value.DivMod(CLongInteger(static_cast<std::int32_t>(kPrime)));
        small = divided ? divided->second.ToInt64Clamped() % static_cast<std::int64_t>(kPrime) : 0;
    }
    return static_cast<std::uint64_t>(small < 0 ? small + static_cast<std::int64_t>(kPrime) : small);
}

std::uint64_t PowerModulo(std::uint64_t base, std::uint64_t exponent) {
    std::uint64_t result = 1;
    base %= kPrime;
    while (exponent > 0) {
        if (exponent & 1U) {
            result = result * base % kPrime;
        }
        base = base * base % kPrime;
        exponent >>= 1U;
    }
    return result;
}

std::uint64_t Inverse(std::uint64_t value) {
    return PowerModulo(value, kPrime - 2);
}

void Trim(Residues& residues) {
    while (!residues.empty() && residues.back() == 0) {
        residues.pop_back();
    }
}

// The image of p in the letter: every other letter replaced by its value at the point.
Residues Image(const CPolynomValue& p, unsigned char letter,
               const std::map<unsigned char, std::uint64_t>& point) {
    // A term's residue costs about as much as one multiplication of two limbs per letter.
    WorkBudget::Charge(static_cast<std::int64_t>(p.TermCount() * (point.size() + 1)));
    Residues image(static_cast<std::size_t>(p.DegreeIn(letter)) + 1, 0);
    for (const PolynomTerm& term : p.Terms()) {
        std::uint64_t value = Residue(term.coefficient.Numerator());
        std::int64_t exponent = 0;
        for (const LetterPower& power : term.powers) {
            if (power.letter == letter) {
                exponent = power.exponent;
            } else {
                value = value *
                        PowerModulo(point.at(power.letter), static_cast<std::uint64_t>(power.exponent)) %
                        kPrime;
            }
        }
        std::uint64_t& slot = image[static_cast<std::size_t>(exponent)];
        slot = (slot + value) % kPrime;
    }
    return image;
}

// Degree of the gcd of two one-letter residue polynomials (Euclid's algorithm modulo the prime).
std::int64_t GcdDegree(Residues a, Residues b) {
    Trim(a);
    Trim(b);
    while (!b.empty()) {
        if (a.size() < b.size()) {
            std::swap(a, b);
            continue;
        }
        const std::uint64_t scale = a.back() * Inverse(b.back()) % kPrime;
        const std::size_t shift = a.size() - b.size();
        for (std::size_t i = 0; i < b.size(); ++i) {
            a[i + shift] = (a[i + shift] + kPrime - b[i] * scale % kPrime) % kPrime;
        }
        Trim(a);
        std::swap(a, b);
    }
    return a.empty() ? 0 : static_cast<std::int64_t>(a.size()) - 1;
}

bool AllIntegers(const CPolynomValue& p) {
    return std::all_of(p.Terms().begin(), p.Terms().end(),
                       [](const PolynomTerm& term) { return term.coefficient.IsInteger(); });
}

} // namespace

std::int64_t GcdDegreeBound(const CPolynomValue& a, const CPolynomValue& b, unsigned char letter) {
    const std::int64_t degreeA = a.DegreeIn(letter);
    const std::int64_t degreeB = b.DegreeIn(letter);
    std::int64_t bound = std::min(degreeA, degreeB);
    if (bound == 0 || a.IsZero() || b.IsZero() || !AllIntegers(a) || !AllIntegers(b)) {
        return bound;
    }
    std::string letters = a.Letters() + b.Letters();
    // A fixed sequence of points keeps every solve repeatable.
    std::uint64_t seed = 0x9E3779B97F4A7C15ULL ^ letter;
    for (int attempt = 0; attempt < kTries && bound > 0 && !WorkBudget::Exhausted(); ++attempt) {
        std::map<unsigned char, std::uint64_t> point;
        for (char other : letters) {
            seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
            point[static_cast<unsigned char>(other)] = 2 + (seed >> 33U) % (kPrime - 3);
        }
        Residues imageA = Image(a, letter, point);
        Residues imageB = Image(b, letter, point);
        if (imageA.back() == 0 || imageB.back() == 0) {
            continue; // a leading coefficient vanishes here: the image may lose the gcd's degree
        }
        bound = std::min(bound, GcdDegree(std::move(imageA), std::move(imageB)));
    }
    return bound;
}
