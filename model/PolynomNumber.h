#pragma once

// The few number operations the polynomial arithmetic needs, in one place and in the shape it
// wants them (values in, value out). Every one of them is exact.

#include "model/CNumber.h"

#include <cstdint>
#include <optional>

namespace PolynomNumber {

inline CNumber FromInt(std::int64_t value) {
    return CNumber(CLongInteger::FromInt64(value));
}

inline CNumber Sum(const CNumber& a, const CNumber& b) {
    return a.Sum(b);
}
inline CNumber Difference(const CNumber& a, const CNumber& b) {
    return a.Difference(b);
}
inline CNumber Product(const CNumber& a, const CNumber& b) {
    return a.Product(b);
}
// The caller makes sure that b is not zero.
inline CNumber Quotient(const CNumber& a, const CNumber& b) {
    return a.Quotient(b);
}

inline CNumber Negated(const CNumber& a) {
    CNumber result(a);
    result.Negate();
    return result;
}

inline CNumber Abs(const CNumber& a) {
    return a.Sign() < 0 ? Negated(a) : a;
}

// Powers here have whole exponents within the degree limit; a power too large for the number limit
// reports the flag and gives the placeholder 1.
inline CNumber Power(const CNumber& base, std::int64_t exponent) {
    return base.PowerOf(static_cast<std::int32_t>(exponent)).value_or(CNumber(1));
}

// Greatest common divisor of two integers (positive); 1 when either is not an integer.
inline CNumber Gcd(const CNumber& a, const CNumber& b) {
    return CNumber::GcdOf(a, b);
}

// Least common multiple of two integers (positive), the product for other numbers.
inline CNumber Lcm(const CNumber& a, const CNumber& b) {
    if (a.IsZero() || b.IsZero()) {
        return CNumber(0);
    }
    return CNumber::LcmOf(a, b).value_or(Product(a, b));
}

// The reduced denominator: 1 for an integer, 10^k for a decimal with k fraction digits.
inline CNumber Denominator(const CNumber& a) {
    return CNumber(a.Denominator());
}

inline bool Equal(const CNumber& a, const CNumber& b) {
    return a.Equal(b);
}

inline bool IsInteger(const CNumber& a) {
    return a.IsWhole();
}

// The exact n-th root, none when there is none.
inline std::optional<CNumber> Root(const CNumber& a, std::int64_t degree) {
    return a.ExactRoot(static_cast<std::int32_t>(degree));
}

inline bool LimitExceeded() {
    return CNumber::LimitExceeded();
}
inline void ReportLimitExceeded() {
    CLongInteger::ReportLimitExceeded();
}

} // namespace PolynomNumber
