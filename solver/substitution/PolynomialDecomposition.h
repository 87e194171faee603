#pragma once

// Polynomials in one letter seen through another polynomial: the coefficient of a power, and the
// rewriting of a polynomial L(x) as P(E(x)) for a given inner polynomial E, which is how an
// equation is written in a new letter standing for E.

#include "model/COperation.h"
#include "model/CPolynomValue.h"

#include <cstdint>
#include <optional>

// a / b written as a whole number or a reduced common fraction, never as the decimal a division of
// two integers may give; b is not 0.
CNumber ExactQuotient(const CNumber& a, const CNumber& b);

// The coefficient of letter^exponent (0 when there is no such term); the polynomial has no other
// letter.
CNumber CoefficientAt(const CPolynomValue& polynom, char letter, std::int64_t exponent);

// The polynomial P in `newLetter` with outer(x) = P(inner(x)), where both are polynomials in
// `letter` alone and inner is not constant. None when there is no such P.
std::optional<CPolynomValue> DecomposeIn(const CPolynomValue& outer, const CPolynomValue& inner, char letter,
                                         char newLetter);

// The expressions E and a·E + b (a, b numbers) stand for the same rewriting; the class is named by
// E without its constant term, its numeric content divided out and its leading sign positive.
CPolynomValue AffineClassOf(CPolynomValue polynom);

// The polynomial written as a plain tree (a sum of plain products and powers), as the substitution
// records hold their expressions before they are built into the polynomial forms.
NodePtr PlainTreeOf(const CPolynomValue& polynom);
