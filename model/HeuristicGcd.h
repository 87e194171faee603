#pragma once

// The heuristic greatest common divisor of two polynomials with integer coefficients: one letter
// at a time is replaced by a large integer ξ, the gcd of the images (one letter fewer, down to the
// integer gcd) is taken, and the gcd is read back from it by writing its coefficients in base ξ
// with digits between -ξ/2 and ξ/2. The candidate is kept only when it divides both polynomials
// exactly; with ξ above twice the smaller largest coefficient of the two, a candidate that divides
// both is the gcd (its integer content aside). Numbers never swell from step to step as remainder
// sequences make them, but they do grow with the degrees: past a size limit the heuristic gives
// up and the caller uses another algorithm.
//
//   gcd(x^2 - 1, x^2 + 2x + 1) at ξ = 33: gcd(1088, 1156) = 68 = 2*33 + 2 -> 2x + 2 -> x + 1

#include "model/CPolynomValue.h"

#include <optional>

// The gcd, with the integer gcd of the two contents as its own content and a positive leading
// sign; none when the heuristic gave up. Both polynomials must be non-zero with integer
// coefficients.
std::optional<CPolynomValue> HeuristicGcd(const CPolynomValue& a, const CPolynomValue& b);
