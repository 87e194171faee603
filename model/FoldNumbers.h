#pragma once

// The numeric folding pass: evaluates every purely numeric part of a tree in place and gathers the
// number elements of sums and products into one number each.
//
//   2*3+x/(4:2)      -> 6+x/2        (numeric subtrees evaluated)
//   2+x+3            -> 5+x          (number terms gathered behind the first and combined)
//   2*x*3:4:5        -> 6*x:20       (numerator numbers and denominator numbers combined)
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
