#pragma once

// The numeric folding pass: evaluates every purely numeric part of a tree in place and gathers the
// number elements of sums and products into one number each.
//
//   2*3+x/(4:2)      -> 6+x/2        (numeric subtrees evaluated)
//   2+x+3            -> 5+x          (number terms gathered behind the first and combined)
//   x-1+x+1          -> x-1+1+x      (a sum's numbers moved: CommentID::TermsReordered)
//                    -> x+x          (combined: CommentID::LikeTermsCombined; a 0 beside other
//                                     terms is not written)
//   2*x*3:4:5        -> 6*x:20       (numerator numbers and denominator numbers combined)
//
// A result keeps the form of the numbers it comes from: from common fractions, mixed numbers or a
// quotient, and no decimal, a value that is not whole is a reduced common fraction (1/4+1/4 -> 1/2,
// 18:12 -> 3/2), where the normal form of the exact numbers would write a decimal. A minus before a
// mixed number, -(2 1/3), stays written so.
//
// Specialised nodes (monomials, polynomials, level nodes, ...) are left as they are.

#include "model/COperation.h"

#include <functional>

// Runs the pass on the tree at `handle`. Returns true when an error was met: a division by the
// number zero or zero raised to a negative power. Such a part has no value and is left standing
// (its numeric children folded), so the tree still shows the division by zero.
// `afterStage`, when given, is called after the evaluating, gathering and combining stages, so a
// caller can record each visible change. Pass marks are 0 again when the pass returns.
bool FoldNumbers(NodeHandle handle, const std::function<void()>& afterStage = {});
