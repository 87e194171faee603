#pragma once

// An upper bound of the degree, in one letter, of the greatest common divisor of two polynomials
// with integer coefficients, found from small images of them: every other letter is replaced by a
// number and all arithmetic is done modulo a prime that fits a machine word, so an image costs a
// pass over the terms and a one-letter Euclid with word-sized numbers.
//
// Why it is a bound: the gcd G divides both polynomials, so its image divides both images, and the
// image keeps G's degree as long as G's leading coefficient in the letter does not vanish there.
// That coefficient divides the leading coefficients of both polynomials, so points (or a prime)
// where one of those vanishes are skipped. The degree of the images' gcd is then never below G's.
//
// e.g. x*y + 1 and x + y: every image in x has a gcd of degree 0, so G has no x and is a gcd of
// the coefficients x*y + 1 = (y)*x + 1, x + y = (1)*x + y in x: G = 1.

#include "model/CPolynomValue.h"

#include <cstdint>

// The polynomials must have integer coefficients. When no usable image is found the smaller of the
// two degrees in the letter is returned, which is a bound as well.
std::int64_t GcdDegreeBound(const CPolynomValue& a, const CPolynomValue& b, unsigned char letter);
