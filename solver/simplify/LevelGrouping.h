#pragma once

// The grouping search of the equation variant of the simplifier. Over a level sum of at least two
// fractions (no term without denominator, not yet worked on) it looks for a split of the terms into
// a first group and the rest, possibly after moving one term to the front or to the end, such that
// the two groups, each combined into one fraction, have numerators with a common factor that is not
// a number. When one is found the sum is rewritten step by step into that common factor times a
// bracket of the two fractions:
//
//   1/(x-1) + 1/(x+1) + 2x/(x^2-1)  ->  ...  ->  (x+1)*(...)   when the groups share (x+1)

class CExpression;

// True when the search found a split and rewrote the tree.
bool GroupFractionTerms(CExpression& workspace);
