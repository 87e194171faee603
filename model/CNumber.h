#pragma once

// Exact number: an integer, a decimal fraction written with a comma, a common fraction or a
// mixed number, with unbounded digits. It is the value of every number leaf of the operation
// tree and of every root degree.
//
// Kinds: 0 integer (the numerator part holds the value), 1 decimal (the decimal part), 2 fraction
// (numerator and denominator), 3 mixed number (whole + numerator / denominator, the signs of all
// three parts taken as written).
//
// Normal form. Every arithmetic operation ends with Normalize, so its result depends only on the
// value: a whole value is an integer; a value whose reduced denominator has no prime factor other
// than 2 and 5 is a decimal without trailing zeros (1/4 -> 0,25); anything else is a reduced
// fraction with a positive denominator (-1/3). Mixed numbers never come out of arithmetic
// (2@{1/2} + 1 = 3,5). Values read from text keep their written form ("2/4", "2@{1/3}") until
// arithmetic touches them; decimals read from text drop trailing zeros ("0,50" -> 0,5).
//
// Failures. Nothing throws. Operations without an exact answer return std::nullopt (ExactRoot,
// CeilSqrt, LcmOf with a zero operand, PowerOf of zero with a negative exponent). Dividing by zero
// is a caller error (callers test IsZero first); it leaves the value 0 and never crashes.
//
// Size limit. No part may carry more than EngineLimits::kMaxNumberDigits decimal digits. An
// operation whose exact result would be longer (a power such as 9^99999999, a product of two
// huge numbers, a text with too many digits) does not compute it: it sets a sticky thread-local
// flag and yields a small placeholder value (1). Powers check the size of their result before
// computing anything. Callers that may meet large numbers call ResetLimitExceeded before a piece of
// work and test LimitExceeded after it; a set flag means the result is meaningless and the work must
// stop ("the problem is too large").
//
// Speed. Values below 10^18 in magnitude are kept in machine words and combined with overflow
// checks, falling back to long digits only when a result needs them.

#include "model/CLongDecimal.h"
#include "model/CLongInteger.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class CNumber {
public:
    enum Kind : int32_t { kInteger = 0, kDecimal = 1, kFraction = 2, kMixed = 3 };

    // Error codes of ParseText.
    static constexpr int kParseOk = 0;
    static constexpr int kParseBadFollower = 1;   // a character that cannot follow a number; "1,x"
    static constexpr int kParseMixedNoSlash = 2;  // a mixed number without "/"; "2@3"
    static constexpr int kParseMixedUnclosed = 3; // a mixed number whose "{" is not closed

    // --- construction -------------------------------------------------------------------------
    // Zero integer.
    CNumber() = default;
    explicit CNumber(int32_t value) : m_numerator(value) {}
    explicit CNumber(const CLongInteger& value) : m_numerator(value) {}
    explicit CNumber(CLongInteger&& value) : m_numerator(std::move(value)) {}
    // The fraction numerator/denominator exactly as given (not reduced, not normalized).
    CNumber(const CLongInteger& numerator, const CLongInteger& denominator);
    CNumber(CLongInteger&& numerator, CLongInteger&& denominator);
    // A decimal exactly as given.
    explicit CNumber(const CLongDecimal& decimal);
    // The mixed number whole + numerator/denominator exactly as given (not reduced, not normalized).
    static CNumber Mixed(const CLongInteger& whole, const CLongInteger& numerator,
                         const CLongInteger& denominator);
    CNumber(const CNumber&) = default;
    CNumber(CNumber&&) noexcept = default;
    CNumber& operator=(const CNumber&) = default;
    CNumber& operator=(CNumber&&) noexcept = default;
    virtual ~CNumber() = default;

    void Assign(const CNumber& other) { *this = other; }
    void SetInteger(int32_t value);
    void SetInteger(const CLongInteger& value);

    // True when every part its kind uses is present (false after a failed ParseText).
    virtual bool IsComplete() const { return m_complete; }

    // Reads a number from formula text starting at `position` and moves `position` past it.
    // Returns kParseOk or one of the error codes above. Numbers read are never negative.
    int ParseText(std::string_view text, std::size_t& position);

    // --- arithmetic returning a new number ----------------------------------------------------
    CNumber Sum(const CNumber& other) const;
    CNumber Difference(const CNumber& other) const;
    CNumber Product(const CNumber& other) const;
    // The divisor must not be 0 (callers check); a zero divisor gives 0.
    CNumber Quotient(const CNumber& other) const;
    // Power by a whole exponent (normally of kind integer). None when the exponent is not whole, or
    // when the base is 0 and the exponent negative.
    std::optional<CNumber> PowerOf(const CNumber& exponent) const;
    std::optional<CNumber> PowerOf(int32_t exponent) const;
    // The exact root of an integer degree, or none when it is not a rational number (or the degree
    // is negative or not whole, or an even root of a negative number).
    std::optional<CNumber> ExactRoot(const CNumber& degree) const;
    std::optional<CNumber> ExactRoot(int32_t degree) const;

    // --- arithmetic in place ------------------------------------------------------------------
    void AddInPlace(const CNumber& other);
    void SubtractInPlace(const CNumber& other);
    void MultiplyInPlace(const CNumber& other);
    void DivideInPlace(const CNumber& other);
    // False (value unchanged) when PowerOf has no result.
    bool PowerInPlace(const CNumber& exponent);
    void AddInPlace(int32_t value);
    void SubtractInPlace(int32_t value);
    void MultiplyInPlace(int32_t value);
    void DivideInPlace(int32_t value);
    bool PowerInPlace(int32_t exponent);

    // --- comparisons (by exact value across kinds: 0,5 equals 1/2) ----------------------------
    bool Equal(const CNumber& other) const { return Compare(*this, other) == 0; }
    bool NotEqual(const CNumber& other) const { return Compare(*this, other) != 0; }
    bool Less(const CNumber& other) const { return Compare(*this, other) < 0; }
    bool LessEqual(const CNumber& other) const { return Compare(*this, other) <= 0; }
    bool Greater(const CNumber& other) const { return Compare(*this, other) > 0; }
    bool GreaterEqual(const CNumber& other) const { return Compare(*this, other) >= 0; }
    bool Equal(int32_t value) const { return CompareInt(value) == 0; }
    bool Less(int32_t value) const { return CompareInt(value) < 0; }
    bool LessEqual(int32_t value) const { return CompareInt(value) <= 0; }
    bool Greater(int32_t value) const { return CompareInt(value) > 0; }
    bool GreaterEqual(int32_t value) const { return CompareInt(value) >= 0; }
    // -1, 0 or +1.
    static int Compare(const CNumber& a, const CNumber& b);
    bool operator==(const CNumber& other) const { return Equal(other); }

    // --- tests --------------------------------------------------------------------------------
    bool IsZero() const;
    bool IsOne() const;
    // -1, 0 or +1 of the value. Leaves the number as it is (a mixed number stays mixed); call
    // NormalizeSign to bring the sign onto the numerator explicitly.
    int Sign() const;
    // The value is an integer (of whatever kind).
    bool IsWhole() const;
    bool IsInteger() const { return m_kind == kInteger; }
    bool IsDecimal() const { return m_kind == kDecimal; }
    bool IsFraction() const { return m_kind == kFraction; }
    bool IsMixed() const { return m_kind == kMixed; }
    // A whole value that is even.
    bool IsEvenInteger() const;
    // An integer whose magnitude is prime (-7 is prime; 0 and 1 are not).
    bool IsPrime() const;
    // For two integers: a mod b = 0 (false for b = 0 unless a = 0). True whenever either is not an
    // integer.
    static bool Divides(const CNumber& a, const CNumber& b);

    // --- conversions --------------------------------------------------------------------------
    // Integer, decimal and mixed become a fraction with the same value (n -> n/1; 3,25 -> 325/100).
    void ToFraction();
    // Becomes an integer when the value is whole; false (unchanged) otherwise.
    bool ToInteger();
    // Becomes a decimal when the reduced denominator has no prime factor other than 2 and 5; false
    // (unchanged) otherwise.
    bool ToDecimal();
    // The integer part toward zero, sign kept (kind integer).
    void TruncateToInteger();
    // Makes the value a fraction and exchanges numerator and denominator, keeping the sign on the
    // numerator. Not normalized (2 -> 1/2); call Normalize for the normal form. The reciprocal of
    // zero is a caller error and leaves 0.
    void Reciprocal();
    void Negate();
    // Makes the value non-negative; returns -1 when it was negative, else +1.
    int TakeSign();
    // 1 for an integer, 10^k for a decimal with k fraction digits, the reduced denominator of a
    // fraction or mixed number.
    CLongInteger Denominator() const;
    // An integer clamped to -32767..32767; 0 for other kinds.
    int32_t ToInt() const;
    // Reduces a fraction (or the fraction of a mixed number) by the gcd of its parts.
    void Reduce();
    // Brings the value to its normal form (see above).
    void Normalize();
    // First step of Normalize only: a mixed number becomes an improper fraction and a fraction
    // gets a positive denominator.
    void NormalizeSign();

    // --- number theory on integers ------------------------------------------------------------
    // 1 when either is not an integer; |other| when one is 0; else the positive gcd.
    static CNumber GcdOf(const CNumber& a, const CNumber& b);
    // |a b| / gcd for two integers (none when either is 0); the product otherwise.
    static std::optional<CNumber> LcmOf(const CNumber& a, const CNumber& b);
    // Smallest integer whose square is at least the value; none for a negative or non-integer.
    std::optional<CNumber> CeilSqrt() const;

    // --- text ---------------------------------------------------------------------------------
    // Appends "12", "-3,25", "-1/2" or "2@{1/3}".
    void WriteText(std::string& text) const;
    std::string ToText() const;

    // --- parts --------------------------------------------------------------------------------
    Kind GetKind() const { return m_kind; }
    // Value of an integer; numerator of a fraction or mixed number.
    const CLongInteger& Numerator() const { return m_numerator; }
    // Denominator part as stored (fraction, mixed number).
    const CLongInteger& DenominatorPart() const { return m_denominator; }
    const CLongInteger& WholePart() const { return m_whole; }
    const CLongDecimal& Decimal() const { return m_decimal; }

    // --- size limit (see the header comment) ---------------------------------------------------
    static bool LimitExceeded() { return CLongInteger::LimitExceeded(); }
    static void ResetLimitExceeded() { CLongInteger::ResetLimitExceeded(); }

private:
    // The value as numerator / denominator (denominator sign as stored).
    void FractionParts(CLongInteger& numerator, CLongInteger& denominator) const;
    // Becomes the normal form of numerator / denominator.
    void SetFromFraction(CLongInteger numerator, CLongInteger denominator);
    void SetKind(Kind kind);
    int CompareInt(int32_t value) const;
    enum class Operation { kAdd, kSubtract, kMultiply, kDivide };
    void Combine(const CNumber& other, Operation operation);
    // Fast path for values whose parts fit machine words: false when it does not apply.
    bool CombineSmall(const CNumber& other, Operation operation);
    // The value as a fraction of two machine integers, when it fits.
    bool SmallFraction(int64_t& numerator, int64_t& denominator) const;
    // Becomes the normal form of numerator / denominator (denominator non-zero).
    void SetFromSmallFraction(int64_t numerator, int64_t denominator);

    Kind m_kind = kInteger;
    CLongInteger m_whole;
    CLongInteger m_numerator;
    CLongInteger m_denominator{1};
    CLongDecimal m_decimal;
    bool m_complete = true;
};
