#pragma once

// Signs in the left side of an equation "left = 0": the test that a side is positive for every
// value of its letters (such an equation has no roots), and the walk that takes the minus signs
// out of polynomials and powers so that every bracket starts with a positive term.

#include "model/COperation.h"

class CExEquation;

// Positive for every value, by the shape of the expression alone:
//   - a number greater than 0;
//   - a power whose base is positive for every value, or whose exponent is the number 0;
//   - a product or fraction all of whose elements are;
//   - a sum all of whose terms are added and non-negative for every value, one at least positive.
// A letter alone is neither positive nor non-negative.
bool IsPositiveForEveryValue(const COperation& node);
// Non-negative for every value: a number >= 0; a power whose base is non-negative for every value
// or whose exponent is the number 0 or an even whole number; a product or fraction of such
// elements; a sum of such terms, all added.
bool IsNonNegativeForEveryValue(const COperation& node);

// The sign walk: a polynomial whose leading term is negative has its term signs flipped, and the
// minus goes to the enclosing sum (its cell sign is flipped); from a factor it goes on to the sum
// around the product. A power whose base is such a polynomial, or a negated one-term sum, loses
// the minus of its base when the exponent is a number; the minus then goes on unless the exponent
// is even. Every node changed gets CommentID::SignTakenOutOfBracket. When the minus reaches the top, the side
// becomes a negated one-term sum. True when anything changed.
bool TakeOutSigns(NodeHandle side);

// "-A = 0" becomes "A = 0" with CommentID::BothSidesTimesMinusOne and a step; nothing when the left side is
// not a one-term sum with a minus. The right side must be zero.
void UnwrapLeadingMinus(CExEquation& workspace);
