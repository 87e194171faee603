#include "model/HeuristicGcd.h"

#include "model/WorkBudget.h"

#include <algorithm>
#include <string>

namespace {

// Evaluation points tried per letter before giving up.
constexpr int kAttempts = 6;
// Largest number of decimal digits an evaluated coefficient may reach; beyond it the long
// arithmetic costs more than the other algorithm would.
constexpr int kMaxDigits = 400;

CLongInteger MaxAbsCoefficient(const CPolynomValue& p) {
    CLongInteger largest(0);
    for (const PolynomTerm& term : p.Terms()) {
        const CLongInteger value = term.coefficient.Numerator().Abs();
        if (largest.Less(value)) {
            largest = value;
        }
    }
    return largest;
}

CLongInteger ContentOf(const CPolynomValue& p) {
    CLongInteger content(0);
    for (const PolynomTerm& term : p.Terms()) {
        content = CLongInteger::Gcd(content, term.coefficient.Numerator());
        if (content.IsOne()) {
            break;
        }
    }
    return content.Abs();
}

CPolynomValue Divided(const CPolynomValue& p, const CLongInteger& content) {
    if (content.IsOne()) {
        return p;
    }
    CPolynomValue result;
    result.Reserve(p.TermCount());
    for (const PolynomTerm& term : p.Terms()) {
        CLongInteger quotient = term.coefficient.Numerator();
        quotient.DivideExactInPlace(content);
        result.Append({CNumber(quotient), term.powers});
    }
    return result;
}

// p with the letter replaced by the integer `point`.
CPolynomValue Substituted(const CPolynomValue& p, unsigned char letter, const CLongInteger& point) {
    std::vector<CLongInteger> powers(1, CLongInteger(1));
    CPolynomValue result;
    result.Reserve(p.TermCount());
    for (const PolynomTerm& term : p.Terms()) {
        const std::int64_t exponent = term.ExponentOf(letter);
        while (static_cast<std::int64_t>(powers.size()) <= exponent) {
            powers.push_back(powers.back().Multiply(point));
        }
        LetterPowers rest;
        for (const LetterPower& power : term.powers) {
            if (power.letter != letter) {
                rest.push_back(power);
            }
        }
        result.Append(
            {CNumber(term.coefficient.Numerator().Multiply(powers[static_cast<std::size_t>(exponent)])),
             std::move(rest)});
    }
    result.Normalize();
    return result;
}

// The digit of `value` in base `point` with digits in (-point/2, point/2].
CLongInteger SymmetricDigit(const CLongInteger& value, const CLongInteger& point, const CLongInteger& half) {
    CLongInteger digit = value.DivMod(point)->second;
    if (digit.IsNegative()) {
        digit.AddInPlace(point);
    }
    if (half.Less(digit)) {
        digit.SubtractInPlace(point);
    }
    return digit;
}

// Writes every coefficient of the images' gcd in base `point` with digits in (-point/2, point/2];
// digit i becomes the coefficient of letter^i.
CPolynomValue Interpolated(const CPolynomValue& image, unsigned char letter, const CLongInteger& point) {
    const CLongInteger half = point.DivMod(CLongInteger(2))->first;
    CPolynomValue result;
    for (const PolynomTerm& term : image.Terms()) {
        CLongInteger rest = term.coefficient.Numerator();
        for (std::int64_t exponent = 0; !rest.IsZero(); ++exponent) {
            const CLongInteger digit = SymmetricDigit(rest, point, half);
            rest.SubtractInPlace(digit);
            rest.DivideExactInPlace(point);
            if (digit.IsZero()) {
                continue;
            }
            LetterPowers powers = term.powers;
            if (exponent > 0) {
                powers.push_back({letter, exponent});
                std::sort(powers.begin(), powers.end(),
                          [](const LetterPower& x, const LetterPower& y) { return x.letter < y.letter; });
            }
            result.Append({CNumber(digit), std::move(powers)});
        }
    }
    result.Normalize();
    return result;
}

std::optional<CPolynomValue> GcdFrom(const CPolynomValue& a, const CPolynomValue& b,
                                     const std::string& letters, std::size_t index);

// The gcd of two primitive polynomials through images at the letter letters[index].
std::optional<CPolynomValue> PrimitiveGcd(const CPolynomValue& a, const CPolynomValue& b,
                                          const std::string& letters, std::size_t index) {
    const auto letter = static_cast<unsigned char>(letters[index]);
    const std::int64_t degree = std::max(a.DegreeIn(letter), b.DegreeIn(letter));
    CLongInteger smaller = MaxAbsCoefficient(a);
    if (const CLongInteger other = MaxAbsCoefficient(b); other.Less(smaller)) {
        smaller = other;
    }
    CLongInteger point = smaller.Multiply(CLongInteger(2));
    point.AddInPlace(CLongInteger(29));
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const int digits = point.DigitCount() * static_cast<int>(degree) + smaller.DigitCount();
        // The long arithmetic charges the work budget of the solve as it goes.
        if (digits > kMaxDigits || CLongInteger::LimitExceeded() || WorkBudget::Exhausted()) {
            return std::nullopt;
        }
        const std::optional<CPolynomValue> image =
            GcdFrom(Substituted(a, letter, point), Substituted(b, letter, point), letters, index + 1);
        if (image) {
            CPolynomValue candidate = Interpolated(*image, letter, point);
            if (!candidate.IsZero()) {
                candidate = Divided(candidate, ContentOf(candidate));
                candidate.MakeLeadingSignPositive();
                if (a.DivideExact(candidate) && b.DivideExact(candidate)) {
                    return candidate;
                }
            }
        }
        // The next point: about 2.7 times larger, far from any multiple of the last.
        point = point.Multiply(CLongInteger(73794)).DivMod(CLongInteger(27011))->first;
    }
    return std::nullopt;
}

// The gcd of a and b over the letters from `index` on, with the gcd of their contents.
std::optional<CPolynomValue> GcdFrom(const CPolynomValue& a, const CPolynomValue& b,
                                     const std::string& letters, std::size_t index) {
    if (a.IsZero() || b.IsZero()) {
        CPolynomValue other = a.IsZero() ? b : a;
        other.MakeLeadingSignPositive();
        return other;
    }
    const CLongInteger contentA = ContentOf(a);
    const CLongInteger contentB = ContentOf(b);
    const CLongInteger content = CLongInteger::Gcd(contentA, contentB).Abs();
    while (index < letters.size() && !a.HasLetter(static_cast<unsigned char>(letters[index])) &&
           !b.HasLetter(static_cast<unsigned char>(letters[index]))) {
        ++index;
    }
    if (index == letters.size() || a.IsConstant() || b.IsConstant()) {
        return CPolynomValue(CNumber(content));
    }
    std::optional<CPolynomValue> gcd =
        PrimitiveGcd(Divided(a, contentA), Divided(b, contentB), letters, index);
    if (gcd && !content.IsOne()) {
        gcd->Scale(CNumber(content));
    }
    return gcd;
}

} // namespace

std::optional<CPolynomValue> HeuristicGcd(const CPolynomValue& a, const CPolynomValue& b) {
    std::string letters = a.Letters() + b.Letters();
    std::sort(letters.begin(), letters.end(),
              [](char x, char y) { return static_cast<unsigned char>(x) < static_cast<unsigned char>(y); });
    letters.erase(std::unique(letters.begin(), letters.end()), letters.end());
    return GcdFrom(a, b, letters, 0);
}
