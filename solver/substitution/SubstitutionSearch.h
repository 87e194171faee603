#pragma once

// The search for a repeated sub-expression of an equation "left = 0" that, replaced by a new
// letter, leaves an equation in that letter alone of lower degree.
//
// Four generators propose candidates, each an expression occurring in the equation together with
// the equation rewritten in the new letter:
//   1. every power and every run of two or more consecutive elements of a sum or product that
//      holds the unknown and either is at most half the size of the equation or occurs at least
//      twice: its occurrences (also inside a larger sum or product, in any order of the elements)
//      are replaced by the letter;
//      with g the gcd of the letter's exponents, one candidate per divisor q of g stands for the
//      expression to the power q, e.g. (x-2)^6-26(x-2)^3-27 -> t^2-26t-27, t = (x-2)^3;
//   2. every pair of terms of a sum of three or more, its constant term dropped and its numeric
//      content divided out, when the whole left side is a polynomial in it,
//      e.g. (x^2-16x)^2-2x^2+32x-63 -> t^2-2t-63;
//   3. a sum S for which the equation holds a second sum S + k, k a whole number from 1 to 3,
//      when the left side is a polynomial in S, e.g. (x^2+x+1)(x^2+x+2)-12 -> t^2+t-12;
//   4. a fraction F standing in a sum: F becomes t and its reciprocal 1/t, e.g.
//      x/(x+1)+(x+1)/x-5/2 -> t+1/t-5/2.
// Generators 2 and 3 skip an expression E when a·E + b was proposed before: both stand for the same
// rewriting, and the expression as it occurs is the one a pupil would name.
// The filter drops a candidate whose expression before the power q is a single letter, whose
// rewritten equation still holds the unknown, and, for a polynomial rewriting, one of degree below
// 2 in the letter or not below the degree of the left side in the unknown. A fraction rewriting
// must use the letter at least twice.
//
// The number of candidates, the size of the equation searched and the work of one search are
// bounded (SubstitutionLimits); past them the search proposes nothing more.

#include "solver/substitution/Substitution.h"

namespace SubstitutionLimits {
// Most candidates one search collects before the filter.
inline constexpr std::size_t kMaxCandidates = 400;
// Largest operation count of an equation searched for repeated sub-expressions.
inline constexpr std::int32_t kMaxSearchedOperations = 400;
// Most work (node comparisons and copied nodes) one search does; past it no more is proposed.
inline constexpr std::int64_t kMaxSearchWork = 400'000;
} // namespace SubstitutionLimits

// A copy of the left side as the searches read it: the polynomial and rational forms unbuilt into
// plain nodes, nested sums and products flattened.
NodePtr PreparedForSearch(const COperation& left);

// Every candidate that passes the filter, with expressions and equations as plain trees; the
// left side is not changed. `unknown` is the letter solved for.
ReplacementList FindSubstitutionCandidates(const COperation& left, char unknown);

// The candidate with a single expression whose size (SubstitutionSize) is the largest, the first
// of equal ones; its expression and equation built into the monomial and polynomial forms. Null
// when the list has none. The list keeps the others.
std::unique_ptr<Substitution> ChooseSubstitution(ReplacementList& candidates);

// Both: the substitution the equation "left = 0" is reduced by, or null.
std::unique_ptr<Substitution> FindRepeatedSubstitution(const COperation& left, char unknown);

// The pair search of the two-letter substitution: two different expressions P and Q occurring in
// the equation (bases of powers, factors of products, terms of sums, each holding the unknown and
// not a number times the other) such that, with P written A and Q written B, the left side is a
// homogeneous polynomial of degree n >= 2 in A and B holding A^n and B^n, e.g.
// (x^2+1)^2 - 5x(x^2+1) + 6x^2 -> A^2 - 5AB + 6B^2, A = x^2 + 1, B = x. The letters are
// FirstPairLetterFor and SecondPairLetterFor the unknown. Null when there is none.
std::unique_ptr<Substitution> FindTwoLetterCandidate(const COperation& left, char unknown);

// The left side of "left = 0" rewritten with every occurrence of `expression` replaced by `letter`
// (also as a part of a larger sum or product); the left side is not changed.
NodePtr ReplacedBy(const COperation& left, const COperation& expression, char letter);
