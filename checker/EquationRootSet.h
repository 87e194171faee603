#pragma once

// The set of real solutions of one line of an equation's solution, and the exact comparison of two
// such sets. A line's set is one of:
//   - Roots:     the real roots of a squarefree polynomial from which every value excluded by a
//                denominator has been divided out (an equation brought to P(x)/Q(x) = 0);
//   - AllBut:    every real number except the real roots of a squarefree polynomial (an equation
//                that holds wherever it is defined, or the answer "any number");
//   - Listed:    the values an answer states (x = 2; x = 1 ± √2); "no roots" is the empty list.

#include "checker/QuadraticSurd.h"
#include "model/CPolynomValue.h"

#include <optional>
#include <vector>

struct EquationRootSet {
    enum class Kind { Roots, AllBut, Listed };
    Kind kind = Kind::Listed;
    // Roots: the squarefree polynomial; AllBut: the excluded values' squarefree polynomial.
    CPolynomValue polynom;
    std::vector<CQuadraticSurd> listed;
};

// The set of an equation P/Q = 0 (numerator P after cancelling) that is undefined where any of
// divisors is zero.
EquationRootSet RootSetOfEquation(const CPolynomValue& numerator, const std::vector<CPolynomValue>& divisors,
                                  unsigned char letter);

bool Contains(const EquationRootSet& set, const CQuadraticSurd& value, unsigned char letter);

// A value in one set and not in the other. lost: in the set of the line before, not in this one.
struct RootSetDifference {
    bool lost = false;
    std::optional<CQuadraticSurd> exact;
    long double approximate = 0;
};

// None when the sets are equal.
std::optional<RootSetDifference> CompareRootSets(const EquationRootSet& before, const EquationRootSet& after,
                                                 unsigned char letter);
