#pragma once

// Questions about a whole tree, and the small rewrites that prepare a node to be treated as a
// product.

#include "model/COperation.h"

#include <cstdint>

// Some product or fraction has an element with sign -1 (every node is looked at).
bool HasDivision(const COperation& node);
// Some fraction has at least one denominator element.
bool HasDenominator(const COperation& node);
// Some plain power has as exponent a negative number leaf, or a one-term sum whose term is a number
// leaf with a negative signed value (-3 written as the sum "-3"). Specialised nodes are not entered.
bool HasNegativeExponent(const COperation& node);
// The node is the number zero, written as a number leaf or in one of the polynomial forms: a
// monomial with coefficient 0, a polynomial (or level sum) whose terms are all zero, a rational
// monomial (or level product) with a zero factor above the bar, a power of a zero with a positive
// number exponent. e.g. 0, {0}, 0^2; not 2*0 or 1-1, which are zero only once the numbers are
// folded, nor x-x before its like terms are combined.
bool IsZeroValued(const COperation& node);
// Neither a division nor a negative exponent.
bool IsIntegralForm(const COperation& node);
// No variable and no root anywhere.
bool HasNoVariableOrRoot(const COperation& node);
// No variable, root or relation anywhere.
bool IsPurelyNumeric(const COperation& node);
// A sum (of any class) whose terms are all rational monomials; a sum without terms counts.
bool IsSumOfHyperMonoms(const COperation& node);
// Some number leaf is a fraction or mixed number over zero ("1/0", "2@{1/0}"); every node is
// looked at.
bool HasZeroDenominatorNumber(const COperation& node);
// The tree can stand as a step: it is complete (COperation::IsDefined), divides by no zero
// (COperation::HasZeroDivisor) and holds no number over zero (HasZeroDenominatorNumber). One walk
// answers the three at once, as every recorded step asks them; `visited` grows by the nodes it looked
// at (it stops at the first fault), so that the caller can charge the walk to the work budget.
bool IsSoundTree(const COperation& node, std::int64_t& visited);

// Sets the pass mark of every node reached by the plain walk (specialised nodes are marked but not
// entered), or by the walk over every node.
void SetMarks(COperation& node, std::int32_t value);
void SetMarksAll(COperation& node, std::int32_t value);
// Empties the comment list of every node.
void ClearAllComments(COperation& node);

// Family product or power; with `allowWrapped` also a one-term sum whose term is one of them.
bool IsProductOrPower(const COperation& node, bool allowWrapped);
// Makes the node in a cell a product where that is possible: a power becomes a one-factor product;
// a one-term sum of a product or power is replaced by its term (a power then wrapped as well) and
// the term's sign within the sum is returned for the caller to fold into the cell sign. Otherwise
// nothing changes and 1 is returned.
std::int32_t NormalizeToProduct(NodeHandle cell);
