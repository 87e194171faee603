#pragma once

// The simplifier: turns an expression into one fraction of polynomials in lowest terms (or a
// polynomial), recording a solution step after every visible change with the comments that say
// what was done.
//
// It works in two stages. The first rewrites the plain tree: divisions, cancellation of opposite
// elements, neutral elements, signs, numbers and powers. The second converts the tree into the
// polynomial forms (monomials, polynomials, rational monomials and the level nodes), steps the
// level nodes one visible step at a time until one rational monomial is left, and reduces it.
//
// Every pass takes the workspace, works on the tree under its root slot, records its steps with
// RecordStep(0) (so a pass that changed nothing visible records nothing) and stops as soon as the
// workspace is no longer valid. A workspace without a solution list simplifies silently; its error
// code is then left for the caller to read.

#include "model/COperation.h"

class CExpression;
class COHyperMonom;

// The solver of the simplification problem; also used by the other solvers, on whole problems and
// on parts of trees through a workspace made over a slot. Ends with an error record when the
// workspace became invalid.
void SimplifyExpression(CExpression& workspace);
// Variant for the equation solver: stops at a sum of fractions that is ready for it (one fraction
// over the common denominator whose numerator is not yet multiplied out), or when the grouping
// search found two groups with a common factor.
void SimplifyForEquation(CExpression& workspace);
// Variant for the substitution search: stops as soon as the tree is a finished level sum.
void SimplifyToLevels(CExpression& workspace);

// The tree is one rational monomial, or a one-term sum holding one.
bool IsSingleFraction(CExpression& workspace);
bool IsSingleFraction(const COperation& tree);
// IsSingleFraction, or a level sum without terms lacking a denominator whose fraction part has
// been brought over the common denominator (its numerator not yet multiplied out).
bool IsFinishedLevelSum(CExpression& workspace);
bool IsFinishedLevelSum(const COperation& tree);
// The rational monomial the tree consists of, or null.
COHyperMonom* SingleFraction(CExpression& workspace);
COHyperMonom* SingleFraction(COperation& tree);

// --- passes of the plain stage, in the order the simplifier runs them ----------------------------

// A product with divisors whose elements hold no division becomes a fraction (e.g. a:b*c -> a*c/b);
// a fraction with a division inside one of its elements becomes a product ((a:b)/c -> a:b:c).
void RewriteDivisions(CExpression& workspace);
void RewriteDivisions(NodeHandle tree);

// Repeatedly marks pairs of equal elements of opposite sign (x - x, a*b:a, a/a), records the step
// that shows them crossed out, and removes them.
void CancelOppositePairs(CExpression& workspace);
// Marks opposite pairs with cross-out numbers counting from 1; true when any pair was marked.
bool FindOppositePairs(COperation& tree);
// Deletes every crossed-out element of the plain lists (and inside the others).
void RemoveCrossedOut(NodeHandle slot);

// Neutral elements, nested lists, divisor fractions, fraction factors, signs, numbers, exponents.
void Tidy(CExpression& workspace);
// Elements 1 of products, 0 of sums, exponents 0 and 1, powers of 1.
void RemoveNeutralElements(CExpression& workspace);
void RemoveNeutralElements(NodeHandle tree);
// a:(b/c) -> a*(c/b)
void InvertDivisorFractions(CExpression& workspace);
// (a/b)*(c/d) -> (a*c)/(b*d)
void MergeFractionFactors(CExpression& workspace);
// Signs of factors and of powers moved out: (-a)*b -> -(a*b), (-x)^3 -> -(x^3).
void ExtractSigns(CExpression& workspace);
// (a^2)^3 -> a^{2*3}, numbers folded, negative exponents turned into denominators.
void JoinPowers(CExpression& workspace);
// The numeric folding pass with a recorded step after each of its visible stages, followed by
// RemoveNeutralElements. A division by zero met while folding makes the workspace invalid. Sums of
// common fractions are worked out first, by AddFractionNumbers.
void FoldNumbersRecorded(CExpression& workspace);
// Sums of number leaves holding common fractions or mixed numbers (and no decimal): brought to the
// common denominator, added up and cancelled, a step each (1/6 + 1/2 -> 1/6 + 3/6 -> 4/6 -> 2/3).
void AddFractionNumbers(CExpression& workspace);

// --- passes of the rational stage ----------------------------------------------------------------

// Monomials, polynomials, rational monomials, and (unless the tree is already one rational
// monomial) the preparation of sums of them and the level nodes.
void BuildRationalForms(CExpression& workspace);
// Numbers taken out of factors, signs of factors moved out, common factors cancelled in every
// rational monomial of the tree.
void PrepareFractionSum(CExpression& workspace);

// How StepLevels ends.
enum class LevelStepping {
    UntilDone,     // until no level node is left to step
    ForEquation,   // also when IsFinishedLevelSum holds or the grouping search fits
    UntilLevelSum, // also when IsFinishedLevelSum holds
};
// Gives every level node one visible step per pass and records a step after each pass, while a
// pass changed something. `stop` is set when the grouping search rewrote the tree.
void StepLevels(CExpression& workspace, LevelStepping mode = LevelStepping::UntilDone, bool* stop = nullptr);

// Reduces the one rational monomial the tree consists of: signs, numbers, cancellation, constants,
// equal factors.
void FinishFraction(CExpression& workspace);
