#pragma once

// Signed integer with an unbounded number of decimal digits.
//
// Values whose magnitude is below 10^18 live in one machine word; larger values keep their
// magnitude as limbs of nine decimal digits each (base 10^9, least significant limb first). The
// representation is canonical: a value is held in limbs only when it does not fit the word, so
// equal values always have equal representations. Zero has no sign.
//
// Size limit: no value may carry more than EngineLimits::kMaxNumberDigits decimal digits. An
// operation whose exact result would be longer sets the thread-local "limit exceeded" flag
// (see LimitExceeded) and yields the placeholder value 1 instead; the flag stays set until
// ResetLimitExceeded is called. Power checks the size of its result before computing it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CLongInteger {
public:
    // Zero.
    CLongInteger() = default;
    explicit CLongInteger(int32_t value) : m_small(value) {}
    // The capacity hint is accepted for symmetry with fixed-capacity digit stores; storage grows
    // on demand here.
    CLongInteger(int32_t value, int minCapacity);
    // Decimal digits, most significant first, after an optional "-"; every other character must be
    // '0'..'9'. An empty range gives 0. More digits than the limit set the limit flag and give the
    // placeholder 1.
    explicit CLongInteger(std::string_view digits);
    static CLongInteger FromInt64(int64_t value);

    // --- arithmetic returning a new value -----------------------------------------------------
    CLongInteger Add(const CLongInteger& other) const;
    CLongInteger Subtract(const CLongInteger& other) const;
    CLongInteger Multiply(const CLongInteger& other) const;
    CLongInteger Square() const;
    // Non-negative exponent (a negative one is taken as 0). x^0 = 1 for every x.
    CLongInteger Power(const CLongInteger& exponent) const;
    CLongInteger Power(int64_t exponent) const;
    // Quotient and remainder with a = q * d + r and 0 <= r < |d|; none for d = 0.
    std::optional<std::pair<CLongInteger, CLongInteger>> DivMod(const CLongInteger& divisor) const;
    // Truncated quotient (toward zero) of the magnitudes with the sign of the product; none for 0.
    std::optional<CLongInteger> DivideTruncated(const CLongInteger& divisor) const;
    CLongInteger Abs() const;

    // --- in place -------------------------------------------------------------------------------
    void AddInPlace(const CLongInteger& other);
    void SubtractInPlace(const CLongInteger& other);
    void MultiplyInPlace(const CLongInteger& other);
    void PowerInPlace(const CLongInteger& exponent);
    void Negate();
    void SetZero();
    void Increment();
    // Multiplies by 10^count (count >= 0).
    void MultiplyByPowerOfTen(int count);
    // Divides by 10^count as long as the value ends in zeros, at most `limit` times; returns how
    // many zeros were removed.
    int RemoveTrailingZeros(int limit);
    // Exact division by a divisor known to divide the value (checked by the caller).
    void DivideExactInPlace(const CLongInteger& divisor);

    // --- number theory ------------------------------------------------------------------------
    // Greatest common divisor of the magnitudes (non-negative; Gcd(0, 0) = 0).
    static CLongInteger Gcd(const CLongInteger& a, const CLongInteger& b);
    // |a * b| / gcd; none when either is 0.
    static std::optional<CLongInteger> Lcm(const CLongInteger& a, const CLongInteger& b);
    // Divides both by their gcd in place; true when the gcd was 1 (nothing changed). Two zeros stay.
    static bool ReduceByGcd(CLongInteger& a, CLongInteger& b);
    // Smallest r >= 0 with r^2 >= value; none for a negative value.
    std::optional<CLongInteger> CeilSqrt() const;
    // Largest r >= 0 with r^degree <= value (value >= 0, degree >= 1).
    CLongInteger FloorRoot(int64_t degree) const;
    // After removing every factor 2 and then every factor 5 the value is 1 (0 never is). The counts
    // of removed factors are stored when the pointers are given.
    bool OnlyFactorsTwoAndFive(int* twos = nullptr, int* fives = nullptr) const;
    // Primality of |value|: 0 and 1 are not prime.
    bool IsPrime() const;

    // --- tests and comparisons ----------------------------------------------------------------
    bool IsZero() const { return m_limbs.empty() && m_small == 0; }
    bool IsOne() const { return m_limbs.empty() && m_small == 1; }
    bool IsEven() const;
    bool IsNegative() const { return m_limbs.empty() ? m_small < 0 : m_negative; }
    int Sign() const;
    bool Less(const CLongInteger& other) const { return Compare(*this, other) < 0; }
    bool LessEqual(const CLongInteger& other) const { return Compare(*this, other) <= 0; }
    bool Equal(const CLongInteger& other) const { return Compare(*this, other) == 0; }
    bool Less(int32_t value) const { return Compare(*this, CLongInteger(value)) < 0; }
    bool LessEqual(int32_t value) const { return Compare(*this, CLongInteger(value)) <= 0; }
    bool Equal(int32_t value) const { return m_limbs.empty() && m_small == value; }
    // -1, 0 or +1.
    static int Compare(const CLongInteger& a, const CLongInteger& b);
    // Compares a * b with c * d. The products are formed only for the comparison, so they may be
    // longer than the size limit without setting the limit flag.
    static int CompareProducts(const CLongInteger& a, const CLongInteger& b, const CLongInteger& c,
                               const CLongInteger& d);
    bool operator==(const CLongInteger& other) const { return Equal(other); }

    // --- text and machine values --------------------------------------------------------------
    // Appends "-" for a negative value and then the digits, most significant first.
    void WriteText(std::string& text) const;
    std::string ToText() const;
    // The value of the lowest up to 9 digits; `power` receives 10 raised to the number of them.
    uint32_t LowDigitsValue(uint32_t& power) const;
    int DigitCount() const;
    bool FitsInt64() const { return m_limbs.empty(); }
    // Only meaningful when FitsInt64.
    int64_t SmallValue() const { return m_small; }
    // Clamped to the range of int64_t.
    int64_t ToInt64Clamped() const;
    // log10 of the magnitude, approximately (-infinity for 0).
    double Log10() const;

    // --- size limit ---------------------------------------------------------------------------
    static bool LimitExceeded();
    static void ResetLimitExceeded();
    static void ReportLimitExceeded();

private:
    using Limbs = std::vector<uint32_t>;

    void ReadDigits(std::string_view digits);
    Limbs Magnitude() const;
    static CLongInteger FromMagnitude(bool negative, Limbs&& magnitude);
    void AssignMagnitude(bool negative, Limbs&& magnitude);

    // Value when m_limbs is empty; |m_small| < 10^18.
    int64_t m_small = 0;
    // Magnitude when the value does not fit the word (three limbs or more).
    Limbs m_limbs;
    bool m_negative = false;
};
