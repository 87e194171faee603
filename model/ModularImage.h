#pragma once

// Polynomials reduced modulo the prime 2^31 - 1 and seen in one letter: every other letter is
// replaced by a residue, so an image costs one pass over the terms and all arithmetic on it is done
// with machine words. An image cannot prove that two polynomials share a factor or that one divides
// the other, but it can prove that they do not:
//   - a common factor G of a and b divides both images, so the images' gcd has at least G's degree
//     in the letter when G's leading coefficient does not vanish at the point;
//   - when d divides n, the image of d divides the image of n, as long as the image of d is not 0.
//
//   x*y + 1 and x + y at y = 3: 3x + 1 and x + 3 have a constant gcd, so x*y + 1 and x + y share no
//   factor holding x.

#include "model/CPolynomValue.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace ModularImage {

// 2^31 - 1: residues below it multiply within 64 bits.
inline constexpr std::uint64_t kPrime = 2147483647;

// A polynomial in one letter modulo the prime: coefficients by exponent, index 0 the constant.
using Residues = std::vector<std::uint64_t>;

// The residue of every letter that is replaced, indexed by its byte.
using LetterResidues = std::array<std::uint64_t, 256>;

// Residue arithmetic modulo a prime below 2^32 (kPrime unless another is named).
std::uint64_t MultiplyModulo(std::uint64_t a, std::uint64_t b, std::uint64_t prime = kPrime);
std::uint64_t PowerModulo(std::uint64_t base, std::uint64_t exponent, std::uint64_t prime = kPrime);
// The inverse of a residue other than 0.
std::uint64_t InverseModulo(std::uint64_t value, std::uint64_t prime = kPrime);
// The residue of an integer, in [0, prime).
std::uint64_t IntegerResidue(const CLongInteger& value, std::uint64_t prime = kPrime);

// The residue of a rational number; none when its denominator is a multiple of the prime.
std::optional<std::uint64_t> ResidueOf(const CNumber& number);

// The image of p in `letter`, every other letter replaced by its residue in `point`; the top
// coefficients may be 0. None when a coefficient has no residue.
std::optional<Residues> Image(const CPolynomValue& p, unsigned char letter, const LetterResidues& point);

// Drops zero coefficients at the top; the zero polynomial becomes empty.
void Trim(Residues& residues);

// Degree of the gcd of two images (Euclid's algorithm modulo the prime); -1 when both are 0.
std::int64_t GcdDegree(Residues a, Residues b);

// True when `divisor` (not 0) divides `dividend` modulo the prime.
bool Divides(Residues divisor, Residues dividend);

// False only when the image of `divisor` certainly does not divide the image of `dividend`, which
// proves that `divisor` does not divide `dividend` over the rationals. One image in the letter of
// the divisor's highest degree, the other letters at fixed residues: repeatable for every solve.
bool MayDivide(const CPolynomValue& divisor, const CPolynomValue& dividend);

} // namespace ModularImage
