#pragma once

// What the factorisation of a one-letter polynomial modulo small primes tells about its factors over
// the rationals: a rational factor of degree d reduces to a product of irreducible factors modulo
// each prime whose degrees add up to d. So only the sums of sub-sets of the degrees modulo every
// prime can be degrees of rational factors. The bounded divisor search uses this to skip degrees
// (and whole searches) that cannot succeed.

#include "model/CPolynomValue.h"

#include <vector>

// possible[d] tells whether a factor of degree d (0 <= d <= degree) may exist. Everything is
// possible when the polynomial is too large or no prime gives an answer.
std::vector<bool> PossibleFactorDegrees(const CPolynomValue& polynom, unsigned char letter);
