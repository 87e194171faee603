#pragma once

// The greatest common divisor of two polynomials with integer coefficients by images modulo primes
// (dense modular gcd in several letters):
//   1. modulo a prime p, the gcd in k letters is found from images at points of the last letter
//      (gcds in k - 1 letters, down to Euclid's algorithm in one letter), made to carry the gcd of
//      the leading coefficients and interpolated back; the gcd's degree in every letter is bounded
//      by the gcd of one image in that letter (the other letters at fixed residues), enough points
//      are taken for the bound of the last letter, and a point whose image has a gcd above a bound
//      or of higher degree (an unlucky point) is left out;
//   2. the images modulo several primes are joined by the Chinese remainder theorem into integer
//      coefficients between -M/2 and M/2 (M the product of the primes), primes whose image has a
//      higher degree being left out the same way;
//   3. once one more prime changes nothing, the candidate made primitive is checked by dividing both
//      polynomials by it: only a common divisor passes, and one of the gcd's degree is the gcd.
// Numbers never grow beyond what the gcd itself needs, so the work is bounded by the degrees
// instead of swelling as remainder sequences do.
//
//   gcd(x^2 y - y, x y + y) modulo any prime: at y = 1, 2, ... the images x^2 - 1 and x + 1 have
//   the gcd x + 1, scaled to the leading coefficient gcd(y, y) = y and interpolated: x y + y.

#include "model/CPolynomValue.h"

#include <optional>

// The gcd of two non-zero polynomials with integer coefficients in at most four letters (exponents
// within the degree limit), primitive with a positive leading sign. None when the input is outside
// that range or the work budget ran out.
std::optional<CPolynomValue> ModularGcd(const CPolynomValue& a, const CPolynomValue& b);
