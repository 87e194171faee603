#pragma once

// Signed decimal fraction with an unbounded number of digits: an integer of all its digits
// (the mantissa) and the count of digits after the decimal comma. 3,25 is the mantissa 325 with
// two fraction digits. Arithmetic results are normalized: no trailing zeros after the comma, so
// 3,50 becomes 3,5 and 2,0 becomes 2 with no fraction digits.
//
// The same size limit as for CLongInteger applies to the mantissa, and the fraction-digit count
// stays below EngineLimits::kMaxNumberDigits; past it the limit flag is set and the placeholder 1
// is produced.

#include "model/CLongInteger.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>

class CLongDecimal {
public:
    // Zero.
    CLongDecimal() = default;
    // An optional "-", integer digits, a comma and fraction digits ("3,25", "-0,50", "7").
    // The value is kept as written (not normalized).
    explicit CLongDecimal(std::string_view text);
    explicit CLongDecimal(const CLongInteger& value) : m_mantissa(value) {}
    // mantissa / 10^fractionDigits, kept as given.
    CLongDecimal(const CLongInteger& mantissa, int fractionDigits);

    CLongDecimal Add(const CLongDecimal& other) const;
    CLongDecimal Subtract(const CLongDecimal& other) const;
    CLongDecimal Multiply(const CLongDecimal& other) const;
    CLongDecimal Multiply(const CLongInteger& other) const;
    // Non-negative exponent (a negative one is taken as 0).
    CLongDecimal Power(const CLongInteger& exponent) const;
    // The exact quotient when it is a terminating decimal; none otherwise and for a zero divisor.
    std::optional<CLongDecimal> Divide(const CLongDecimal& divisor) const;

    void AddInPlace(const CLongDecimal& other);
    void SubtractInPlace(const CLongDecimal& other);
    void MultiplyInPlace(const CLongDecimal& other);
    void Negate() { m_mantissa.Negate(); }

    static int Compare(const CLongDecimal& a, const CLongDecimal& b);
    bool Less(const CLongDecimal& other) const { return Compare(*this, other) < 0; }
    bool LessEqual(const CLongDecimal& other) const { return Compare(*this, other) <= 0; }
    bool Equal(const CLongDecimal& other) const { return Compare(*this, other) == 0; }
    bool IsZero() const { return m_mantissa.IsZero(); }
    bool IsOne() const;
    bool IsNegative() const { return m_mantissa.IsNegative(); }
    int Sign() const { return m_mantissa.Sign(); }

    // The integer part, toward zero.
    CLongInteger IntegerPart() const;
    // Numerator = all digits as an integer, denominator = 10^fraction digits (not reduced).
    std::pair<CLongInteger, CLongInteger> ToFraction() const;
    // Removes trailing zeros after the comma.
    void Normalize();

    const CLongInteger& Mantissa() const { return m_mantissa; }
    int FractionDigits() const { return m_fractionDigits; }

    // "-" when negative, the integer digits, and "," with the fraction digits when there are any.
    void WriteText(std::string& text) const;
    std::string ToText() const;

private:
    void ReadText(std::string_view text);
    // Brings both to the same count of fraction digits.
    static void Align(CLongInteger& a, int fa, CLongInteger& b, int fb);
    void SetFractionDigits(int count);

    CLongInteger m_mantissa;
    int m_fractionDigits = 0;
};
