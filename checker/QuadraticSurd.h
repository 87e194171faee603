#pragma once

// A real number a + b·√c with rational a and b and a whole radicand c: the roots a pupil states in
// an answer (x = 2, x = 1 ± √2, x = (−3 + √5)/2) and the exact values of polynomials at them.
//
// Canonical form: b = 0 and c = 1 for a rational number; otherwise c is a whole number above 1
// without a square factor below kSurdTrialLimit², so two canonical surds are equal exactly when
// their parts are. √8/2 + 1 is 1 + 1·√2.

#include "model/CNumber.h"
#include "model/CPolynomValue.h"

#include <optional>
#include <string>
#include <utility>

class CQuadraticSurd {
public:
    CQuadraticSurd() = default;
    explicit CQuadraticSurd(const CNumber& rational) : m_rational(rational) {}

    // √value in canonical form; none for a negative value.
    static std::optional<CQuadraticSurd> SquareRoot(const CNumber& value);

    const CNumber& RationalPart() const { return m_rational; }
    const CNumber& SurdCoefficient() const { return m_coefficient; }
    const CLongInteger& Radicand() const { return m_radicand; }
    bool IsRational() const { return m_coefficient.IsZero(); }
    bool IsZero() const { return m_rational.IsZero() && IsRational(); }
    bool operator==(const CQuadraticSurd& other) const;

    // None when the two hold different radicands (the sum is not of this form).
    std::optional<CQuadraticSurd> Sum(const CQuadraticSurd& other) const;
    std::optional<CQuadraticSurd> Product(const CQuadraticSurd& other) const;
    // None for a zero divisor and for different radicands.
    std::optional<CQuadraticSurd> Quotient(const CQuadraticSurd& other) const;
    CQuadraticSurd Negated() const;
    // a − b·√c.
    CQuadraticSurd Conjugate() const;

    // The monic polynomial of least degree in the letter with this root: x − a, or
    // x² − 2a·x + a² − b²c.
    CPolynomValue MinimalPolynomial(unsigned char letter) const;
    // Sign of the number (exact: compares a² with b²c when the parts have opposite signs).
    int Sign() const;
    // An approximation, for the order of roots in a message.
    long double Approximate() const;

private:
    CQuadraticSurd(CNumber rational, CNumber coefficient, CLongInteger radicand);
    void Canonicalize();

    CNumber m_rational;
    CNumber m_coefficient;
    CLongInteger m_radicand{1};
};

// The numerator and the positive denominator of a number as a reduced fraction (3,25 -> 13 and 4).
std::pair<CLongInteger, CLongInteger> ReducedFraction(const CNumber& number);

// The number in long double, for approximate values in messages.
long double ApproximateValue(const CNumber& number);

// The exact value of a polynomial in one letter at a surd (Horner's rule in a + b·√c).
CQuadraticSurd PolynomialValueAt(const CPolynomValue& polynom, const CQuadraticSurd& point);
