#include "model/CLongDecimal.h"

#include "model/EngineLimits.h"

#include <algorithm>

namespace {

constexpr int kMaxFractionDigits = static_cast<int>(EngineLimits::kMaxNumberDigits) - 1;

} // namespace

CLongDecimal::CLongDecimal(std::string_view text) {
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) {
        text.remove_prefix(1);
    }
    ReadText(text);
    if (negative) {
        m_mantissa.Negate();
    }
}

void CLongDecimal::ReadText(std::string_view text) {
    const size_t comma = text.find(',');
    if (comma == std::string_view::npos) {
        m_mantissa = CLongInteger(text);
        return;
    }
    std::string digits(text.substr(0, comma));
    digits.append(text.substr(comma + 1));
    const int fraction = static_cast<int>(text.size() - comma - 1);
    if (fraction > kMaxFractionDigits) {
        CLongInteger::ReportLimitExceeded();
        m_mantissa = CLongInteger(1);
        return;
    }
    m_mantissa = CLongInteger(std::string_view(digits));
    m_fractionDigits = CLongInteger::LimitExceeded() && m_mantissa.IsOne() ? 0 : fraction;
}

CLongDecimal::CLongDecimal(const CLongInteger& mantissa, int fractionDigits) : m_mantissa(mantissa) {
    SetFractionDigits(fractionDigits);
}

void CLongDecimal::SetFractionDigits(int count) {
    if (count > kMaxFractionDigits) {
        CLongInteger::ReportLimitExceeded();
        m_mantissa = CLongInteger(1);
        m_fractionDigits = 0;
        return;
    }
    m_fractionDigits = std::max(count, 0);
}

void CLongDecimal::Align(CLongInteger& a, int fa, CLongInteger& b, int fb) {
    if (fa < fb) {
        a.MultiplyByPowerOfTen(fb - fa);
    } else if (fb < fa) {
        b.MultiplyByPowerOfTen(fa - fb);
    }
}

void CLongDecimal::AddInPlace(const CLongDecimal& other) {
    if (m_fractionDigits == other.m_fractionDigits) {
        m_mantissa.AddInPlace(other.m_mantissa);
    } else {
        CLongInteger b = other.m_mantissa;
        Align(m_mantissa, m_fractionDigits, b, other.m_fractionDigits);
        m_mantissa.AddInPlace(b);
        m_fractionDigits = std::max(m_fractionDigits, other.m_fractionDigits);
    }
    Normalize();
}

void CLongDecimal::SubtractInPlace(const CLongDecimal& other) {
    CLongDecimal negated = other;
    negated.Negate();
    AddInPlace(negated);
}

void CLongDecimal::MultiplyInPlace(const CLongDecimal& other) {
    m_mantissa.MultiplyInPlace(other.m_mantissa);
    SetFractionDigits(m_fractionDigits + other.m_fractionDigits);
    Normalize();
}

CLongDecimal CLongDecimal::Add(const CLongDecimal& other) const {
    CLongDecimal result = *this;
    result.AddInPlace(other);
    return result;
}

CLongDecimal CLongDecimal::Subtract(const CLongDecimal& other) const {
    CLongDecimal result = *this;
    result.SubtractInPlace(other);
    return result;
}

CLongDecimal CLongDecimal::Multiply(const CLongDecimal& other) const {
    CLongDecimal result = *this;
    result.MultiplyInPlace(other);
    return result;
}

CLongDecimal CLongDecimal::Multiply(const CLongInteger& other) const {
    CLongDecimal result = *this;
    result.m_mantissa.MultiplyInPlace(other);
    result.Normalize();
    return result;
}

CLongDecimal CLongDecimal::Power(const CLongInteger& exponent) const {
    if (exponent.IsNegative() || exponent.IsZero()) {
        return CLongDecimal(CLongInteger(1));
    }
    CLongDecimal base = *this;
    base.Normalize();
    if (base.m_fractionDigits == 0) {
        return CLongDecimal(base.m_mantissa.Power(exponent));
    }
    // The result has fractionDigits * n digits after the comma: check that before computing.
    const int64_t n = exponent.ToInt64Clamped();
    if (!exponent.FitsInt64() || n > kMaxFractionDigits / base.m_fractionDigits) {
        CLongInteger::ReportLimitExceeded();
        return CLongDecimal(CLongInteger(1));
    }
    CLongDecimal result(base.m_mantissa.Power(exponent), 0);
    result.SetFractionDigits(static_cast<int>(n) * base.m_fractionDigits);
    result.Normalize();
    return result;
}

std::optional<CLongDecimal> CLongDecimal::Divide(const CLongDecimal& divisor) const {
    if (divisor.IsZero()) {
        return std::nullopt;
    }
    // (ma / 10^fa) / (mb / 10^fb) = (ma * 10^fb) / (mb * 10^fa)
    CLongInteger numerator = m_mantissa;
    CLongInteger denominator = divisor.m_mantissa;
    numerator.MultiplyByPowerOfTen(divisor.m_fractionDigits -
                                   std::min(m_fractionDigits, divisor.m_fractionDigits));
    denominator.MultiplyByPowerOfTen(m_fractionDigits - std::min(m_fractionDigits, divisor.m_fractionDigits));
    if (denominator.IsNegative()) {
        numerator.Negate();
        denominator.Negate();
    }
    CLongInteger::ReduceByGcd(numerator, denominator);
    int twos = 0;
    int fives = 0;
    if (!denominator.OnlyFactorsTwoAndFive(&twos, &fives)) {
        return std::nullopt;
    }
    const int k = std::max(twos, fives);
    if (k > kMaxFractionDigits) {
        CLongInteger::ReportLimitExceeded();
        return CLongDecimal(CLongInteger(1));
    }
    // numerator / (2^twos 5^fives) = numerator * 2^(k - twos) * 5^(k - fives) / 10^k
    numerator.MultiplyInPlace(CLongInteger(2).Power(k - twos));
    numerator.MultiplyInPlace(CLongInteger(5).Power(k - fives));
    CLongDecimal result(numerator, k);
    result.Normalize();
    return result;
}

int CLongDecimal::Compare(const CLongDecimal& a, const CLongDecimal& b) {
    if (a.m_fractionDigits == b.m_fractionDigits) {
        return CLongInteger::Compare(a.m_mantissa, b.m_mantissa);
    }
    if (a.Sign() != b.Sign()) {
        return a.Sign() < b.Sign() ? -1 : 1;
    }
    // ma / 10^fa against mb / 10^fb: ma * 10^(fb - f) against mb * 10^(fa - f), f the smaller count.
    const int common = std::min(a.m_fractionDigits, b.m_fractionDigits);
    CLongInteger scaleA(1);
    CLongInteger scaleB(1);
    scaleA.MultiplyByPowerOfTen(b.m_fractionDigits - common);
    scaleB.MultiplyByPowerOfTen(a.m_fractionDigits - common);
    return CLongInteger::CompareProducts(a.m_mantissa, scaleA, b.m_mantissa, scaleB);
}

bool CLongDecimal::IsOne() const {
    CLongDecimal copy = *this;
    copy.Normalize();
    return copy.m_fractionDigits == 0 && copy.m_mantissa.IsOne();
}

CLongInteger CLongDecimal::IntegerPart() const {
    CLongInteger power(1);
    power.MultiplyByPowerOfTen(m_fractionDigits);
    return *m_mantissa.DivideTruncated(power);
}

std::pair<CLongInteger, CLongInteger> CLongDecimal::ToFraction() const {
    CLongInteger denominator(1);
    denominator.MultiplyByPowerOfTen(m_fractionDigits);
    return {m_mantissa, denominator};
}

void CLongDecimal::Normalize() {
    if (m_mantissa.IsZero()) {
        m_fractionDigits = 0;
        return;
    }
    m_fractionDigits -= m_mantissa.RemoveTrailingZeros(m_fractionDigits);
}

void CLongDecimal::WriteText(std::string& text) const {
    std::string digits;
    m_mantissa.Abs().WriteText(digits);
    if (m_mantissa.IsNegative()) {
        text += '-';
    }
    if (m_fractionDigits == 0) {
        text += digits;
        return;
    }
    const size_t fraction = static_cast<size_t>(m_fractionDigits);
    if (digits.size() <= fraction) {
        digits.insert(0, fraction + 1 - digits.size(), '0');
    }
    text.append(digits, 0, digits.size() - fraction);
    text += ',';
    text.append(digits, digits.size() - fraction, fraction);
}

std::string CLongDecimal::ToText() const {
    std::string text;
    WriteText(text);
    return text;
}
