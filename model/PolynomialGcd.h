#pragma once

// Greatest common divisor and least common multiple of polynomials, as the rational stage of the
// simplifier and the cancellation of hyper-monomials use them. Every function leaves its operands
// unchanged and returns a new canonical polynomial.
//
// PolynomialGcd(a, b):
//   - a = 0 gives b, b = 0 gives a;
//   - no letter at all, or a or b a single constant, gives 1;
//   - one letter: Euclid's algorithm by elimination of leading terms, the remainder made primitive
//     with a positive leading sign after every step; the numeric content is dropped, so the gcd of
//     2x and 4x is x;
//   - more letters: common letter powers taken out, degree bounds from modular images (coprime
//     polynomials end there), then the modular gcd (ModularGcd.h) in up to four letters; beyond,
//     the heuristic gcd and pseudo-remainders in the first letter; a constant result becomes 1,
//     and when both a and b have integer coefficients the result carries the gcd of their numeric
//     contents.
// The result's leading sign is positive.

#include "model/CPolynomValue.h"

#include <memory>

class COPolynom;

CPolynomValue PolynomialGcd(const CPolynomValue& a, const CPolynomValue& b);
// a·b when the gcd is a constant, otherwise (a / gcd)·b.
CPolynomValue PolynomialLcm(const CPolynomValue& a, const CPolynomValue& b);
// ca = lcm / a, cb = lcm / b, so that a·ca = b·cb = PolynomialLcm(a, b).
void LcmCofactors(const CPolynomValue& a, const CPolynomValue& b, CPolynomValue& ca, CPolynomValue& cb);
// The polynomial 1 when a and b have no letter in common, otherwise PolynomialGcd(a, b).
CPolynomValue GcdUnlessDisjoint(const CPolynomValue& a, const CPolynomValue& b);

// The same on tree polynomials: a new owned canonical COPolynom, operands unchanged.
std::unique_ptr<COPolynom> PolynomialGcd(const COPolynom& a, const COPolynom& b);
std::unique_ptr<COPolynom> PolynomialLcm(const COPolynom& a, const COPolynom& b);
void LcmCofactors(const COPolynom& a, const COPolynom& b, std::unique_ptr<COPolynom>& ca,
                  std::unique_ptr<COPolynom>& cb);
std::unique_ptr<COPolynom> GcdUnlessDisjoint(const COPolynom& a, const COPolynom& b);

// The greatest common divisor of all coefficients of a polynomial in one letter (the content);
// with a single record it is that whole coefficient.
CPolynomValue ContentOfCoefficients(const LetterCoefficients& records);
