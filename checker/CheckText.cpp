#include "checker/CheckText.h"

namespace {

constexpr const char* kMinus = "\u2212";
constexpr const char* kSuperscriptDigits[] = {"\u2070", "\u00B9", "\u00B2", "\u00B3", "\u2074",
                                              "\u2075", "\u2076", "\u2077", "\u2078", "\u2079"};

std::string Superscript(std::int64_t exponent) {
    std::string text;
    for (const char digit : std::to_string(exponent)) {
        text += kSuperscriptDigits[digit - '0'];
    }
    return text;
}

std::string IntegerText(const CLongInteger& value) {
    std::string text = value.ToText();
    if (!text.empty() && text.front() == '-') {
        text.replace(0, 1, kMinus);
    }
    return text;
}

} // namespace

std::string NumberText(const CNumber& number) {
    const auto [numerator, denominator] = ReducedFraction(number);
    std::string text = IntegerText(numerator);
    if (!denominator.IsOne()) {
        text += '/' + denominator.ToText();
    }
    return text;
}

std::string PolynomialText(const CPolynomValue& polynom) {
    if (polynom.IsZero()) {
        return "0";
    }
    std::string text;
    for (const PolynomTerm& term : polynom.Terms()) {
        CNumber magnitude = term.coefficient;
        const bool negative = magnitude.TakeSign() < 0;
        if (text.empty()) {
            text += negative ? kMinus : "";
        } else {
            text += negative ? std::string(" ") + kMinus + " " : std::string(" + ");
        }
        if (!magnitude.IsOne() || term.powers.empty()) {
            text += NumberText(magnitude);
        }
        for (const LetterPower& power : term.powers) {
            text += static_cast<char>(power.letter);
            if (power.exponent > 1) {
                text += Superscript(power.exponent);
            }
        }
    }
    return text;
}

std::string SurdText(const CQuadraticSurd& surd) {
    if (surd.IsRational()) {
        return NumberText(surd.RationalPart());
    }
    // (p + q√c)/d over the common denominator d of both parts.
    const auto [aNumerator, aDenominator] = ReducedFraction(surd.RationalPart());
    const auto [bNumerator, bDenominator] = ReducedFraction(surd.SurdCoefficient());
    const CLongInteger d = *CLongInteger::Lcm(aDenominator, bDenominator);
    const CLongInteger p = aNumerator.Multiply(*d.DivideTruncated(aDenominator));
    CLongInteger q = bNumerator.Multiply(*d.DivideTruncated(bDenominator));
    const bool qNegative = q.IsNegative();
    q = q.Abs();
    std::string root = (q.IsOne() ? std::string() : q.ToText()) + "\u221A" + surd.Radicand().ToText();
    std::string text;
    if (p.IsZero()) {
        text = (qNegative ? kMinus : "") + root;
    } else {
        text = IntegerText(p) + (qNegative ? std::string(" ") + kMinus + " " : std::string(" + ")) + root;
    }
    if (d.IsOne()) {
        return text;
    }
    return (p.IsZero() ? text : "(" + text + ")") + "/" + d.ToText();
}

std::string PointText(const std::vector<std::pair<unsigned char, CNumber>>& point) {
    std::string text;
    for (const auto& [letter, value] : point) {
        text += (text.empty() ? "" : ", ") + std::string(1, static_cast<char>(letter)) + " = " +
                NumberText(value);
    }
    return text;
}

std::string RootText(unsigned char letter, const CQuadraticSurd& root) {
    return std::string(1, static_cast<char>(letter)) + " = " + SurdText(root);
}
