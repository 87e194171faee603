#pragma once

// The polynomial shapes that a substitution reduces, recognised on the polynomial of the left side
// of "left = 0" in one letter. Each test only recognises and computes; it changes nothing and
// records nothing. The solver writes the steps from what it returns.

#include "model/CNumber.h"
#include "model/CPolynomValue.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace SubstitutionLimits {
// Highest half degree m of a reciprocal equation of degree 2m that is rewritten in x + λ/x.
inline constexpr std::int64_t kMaxReciprocalHalfDegree = 64;
// Largest leading or constant coefficient whose divisors the rational root test tries.
inline constexpr std::int32_t kMaxRootTestCoefficient = 1'000'000;
} // namespace SubstitutionLimits

// a·x^3 + b·x^2 + c·x + d with b^2 = 3ac, b and d not 0: after the leading sign is made positive
// and the numeric content divided out (`primitive`), multiplier·primitive = factor·(p·x + q)^3 +
// rest, with p > 0 and rest a number; `exact` when rest is 0.
// e.g. 8x^3 - 12x^2 + 6x - 1: p = 2, q = -1, factor 1, multiplier 1, rest 0.
struct ShiftedCubeForm {
    CPolynomValue primitive;
    bool negated = false;
    CNumber p, q, factor, multiplier, rest;
};
std::optional<ShiftedCubeForm> FindShiftedCubeForm(const CPolynomValue& polynom, char letter);

// a·x^4 + b·x^2 + c, all three non-zero, b^2 - 4ac a square: the equation a·t^2 + b·t + c in
// t = x^2, the leading coefficient made positive.
struct BiquadraticForm {
    bool negated = false;
    CNumber a, b, c;
};
std::optional<BiquadraticForm> FindBiquadraticForm(const CPolynomValue& polynom, char letter);

// a·x^4 + b·x^3 + c·x^2 + d·x + e with a, b, d, e non-zero and d^2·a = b^2·e: divided by x^2 it is
// a·(x^2 + k^2/x^2) + b·(x + k/x) + c with k = d/b, and in s = x + k/x the quadratic
// a·s^2 + b·s + (c - 2ak). The leading coefficient is made positive first.
struct SymmetricQuarticForm {
    bool negated = false;
    CNumber a, b, c, k;
};
std::optional<SymmetricQuarticForm> FindSymmetricQuarticForm(const CPolynomValue& polynom, char letter);

// A reciprocal equation of degree 2m >= 4 (exponents of the non-constant terms with gcd 1):
// a_k = λ^(m-k)·a_(2m-k) for every k < m. Divided by x^m it is the polynomial `reduced` of degree m
// in s = x + λ/x (in the letter `newLetter`).
// e.g. x^4 - 5x^3 + 8x^2 - 5x + 1: λ = 1, s^2 - 5s + 6.
struct ReciprocalForm {
    std::int64_t halfDegree = 0;
    CNumber lambda;
    CPolynomValue reduced;
    // x^j + λ^j/x^j for j = 0..m as polynomials in s: 2, s, s^2 - 2λ, s^3 - 3λs, ...
    std::vector<CPolynomValue> powerSums;
};
std::optional<ReciprocalForm> FindReciprocalForm(const CPolynomValue& polynom, char letter, char newLetter);

// A quartic k4·x^4 + k3·x^3 + ... equal to k4·A^2 + k3·A·B + d·B^2 with A = x^2 and B = x + c,
// c and d non-zero. c runs over the rational roots r of the cubic left when the x^4 term is
// removed, in ascending order, as c = -r (so that B vanishes at the root).
// e.g. x^4 - 5x^3 + x^2 + 12x + 6 = x^4 - 5·x^2·(x + 1) + 6·(x + 1)^2.
struct HomogeneousForm {
    CNumber k4, k3, c, d;
};
std::optional<HomogeneousForm> FindHomogeneousQuarticForm(const CPolynomValue& polynom, char letter);

// The rational roots of a polynomial in one letter of degree at most 3, ascending, each once. Found
// by the rational root test; empty when a coefficient is too large to try its divisors.
std::vector<CNumber> RationalRootsOf(const CPolynomValue& polynom, char letter);
