#pragma once

// The steps the simplifier applies to one rational monomial of polynomials (a COHyperMonom: a
// fraction whose factors are powers of polynomials with number exponents, numerator factors
// first). Each returns whether it changed the node; comments go onto the node itself.

#include "model/COperation.h"
#include "model/COperationList.h"

#include <memory>

class CNumber;
class COHyperMonom;
class COPolynom;

// How numbers are taken out of the non-constant factors.
enum class NumberMode {
    // Numerator factors clear their coefficient denominators (1/3*x + 1/6 -> 1/6 * (2x + 1));
    // denominator factors give up their integer content.
    ClearNumerators = 2,
    // Every factor gives up its integer content (4x + 6 -> 2 * (2x + 3)).
    IntegerContent = 3,
};

// The factor (p)^e.
NodePtr MakeFactor(std::unique_ptr<COPolynom> polynom, const CNumber& exponent);
NodePtr MakeConstantFactor(const CNumber& value, const CNumber& exponent);

// Exactly one factor, in the numerator, with exponent 1.
bool IsSinglePolynomial(const COHyperMonom& monom);
bool IsConstantFactor(const COHyperMonom& monom, const ListCell& cell);

// When there is more than one factor and a numerator factor is 0: the node becomes 0^1.
bool ApplyZeroNumerator(COHyperMonom& monom);
// Every factor polynomial normalized with comments (10 reordered, 64 like terms combined).
bool NormalizeFactors(COHyperMonom& monom);
// Factors 1 removed while more than one factor remains; a lone 1 below the bar goes above it.
bool RemoveUnitFactors(COHyperMonom& monom);

// A number other than 1 taken out of a non-constant factor goes in front of it as a constant
// factor with the same exponent and side (CommentID::SplitOffNumerator above, CommentID::SplitOffDenominator
// below the bar). When nothing was taken out and there are at least two constant factors (a non-integer one
// counting twice), the constants are combined into one number above and one below the bar.
bool TakeOutNumbers(COHyperMonom& monom, NumberMode mode);

// Constants gathered: a non-integer constant is split into its numerator and denominator, the
// constants above the bar multiplied into one factor and those below into one.
bool GatherConstants(COHyperMonom& monom);
// Every factor that is a single monomial with letters is split into its constant and one factor
// per letter (exponents multiplied by the factor's exponent): (3x^2 y)^2 -> 3^2 * x^4 * y^2.
bool SplitMonomialFactors(COHyperMonom& monom);
// Factors with equal polynomials joined, their signed exponents added (CommentID::PowersJoined), removed when
// the total is 0 (CommentID::Cancellation); numerator factors are put first again.
bool MergeEqualFactors(COHyperMonom& monom);

// The cancellation of one rational monomial: by divisibility, or where that pairs nothing by the
// greatest common divisor. Pairs are marked, not removed.
bool CancelCommonFactors(COHyperMonom& monom);
// Removes the marked pairs, CommentID::Cancellation, merges equal factors.
void RemoveCancelledPairs(COHyperMonom& monom);
