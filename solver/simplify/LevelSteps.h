#pragma once

// One visible step of each level node (a power, product or sum of rational monomials that the
// simplifier works on step by step). Each call moves the node on by one stage of its own stage
// machine and reports whether the node changed; a level node that still exists after the call
// always counts as changed, and the last stage replaces the node through the handle by the rational
// monomial it has become.

#include "model/COperation.h"

// Exponents multiplied into the factors, folded, then the power replaced by its base.
bool StepLevelPower(NodeHandle handle);
// Factors gathered into one rational monomial, numbers taken out, common factors cancelled, then
// the product replaced by that monomial.
bool StepLevelMultiplication(NodeHandle handle);
// The terms without denominator multiplied out and added; the terms with a denominator brought
// over the common denominator, added and multiplied out; finally the two parts joined.
bool StepLevelAddition(NodeHandle handle);

// A level sum (or any node) turned back into a plain sum: one term with sign +1 becomes that term,
// otherwise a plain sum with the same terms and signs. Applied to every level sum of the tree.
void UnbuildLevelSums(NodeHandle tree);
