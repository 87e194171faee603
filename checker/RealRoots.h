#pragma once

// Real roots of polynomials in one letter, decided exactly: squarefree parts and common roots by
// gcds, the number of distinct real roots by a Sturm sequence in exact rational arithmetic, and one
// root found as a witness (exact when it is rational or comes from a quadratic factor).
//
// Every function works on CPolynomValue in the one letter given and charges its work to the work
// budget of the thread; past the budget the number limit flag is set and the results mean nothing.

#include "checker/QuadraticSurd.h"
#include "model/CPolynomValue.h"

#include <optional>

// p / gcd(p, p′): the same roots, each once; the zero polynomial stays zero.
CPolynomValue SquarefreePart(const CPolynomValue& polynom, unsigned char letter);

// The roots of squarefree that are not roots of other: squarefree / gcd(squarefree, other).
CPolynomValue WithoutRootsOf(const CPolynomValue& squarefree, const CPolynomValue& other);

// The remainder of a divided by b (b not zero) in the letter.
CPolynomValue Remainder(const CPolynomValue& a, const CPolynomValue& b, unsigned char letter);

// The number of distinct real roots of a squarefree polynomial (Sturm's theorem). 0 for a
// non-zero constant.
int CountRealRoots(const CPolynomValue& squarefree, unsigned char letter);

// One real root of a squarefree polynomial that has one: exact when the polynomial has a rational
// root or is of degree 2, otherwise an approximation within 10⁻⁶.
struct RealRoot {
    std::optional<CQuadraticSurd> exact;
    long double approximate = 0;
};
std::optional<RealRoot> FindRealRoot(const CPolynomValue& squarefree, unsigned char letter);
