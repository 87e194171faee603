#pragma once

// Limits that keep hostile input from crashing or stalling the engine. Past any of them a solve
// ends with ProblemError::ProblemTooLarge and CommentID::ErrorProblemTooLarge ("the problem is too large").
// Every limit lives here so that it can be found and tuned in one place.

#include <cstddef>
#include <cstdint>

namespace EngineLimits {

// Longest problem text handed to the dispatcher, in bytes.
inline constexpr std::size_t kMaxProblemTextLength = 100'000;

// Deepest nesting of brackets and operations the parser accepts.
inline constexpr int kMaxNestingDepth = 200;

// Most decimal digits an exact number may carry (integer part, fractional part, numerator or
// denominator); arithmetic that would produce more stops with the "too large" error.
inline constexpr std::size_t kMaxNumberDigits = 5'000;

} // namespace EngineLimits

namespace EngineLimits {

// Deepest nesting of constructs (fractions, powers, brackets, commands) that formula layout follows;
// deeper markup is not shown. Chains of sums and relations do not count, whatever their length.
inline constexpr int kMaxLayoutDepth = 1'000;

// Highest exponent of a letter that the polynomial arithmetic works with (products, powers,
// expansions); a larger one ends the solve with the "too large" error.
inline constexpr std::int64_t kMaxPolynomialDegree = 2'000;

// Most terms a polynomial made by the arithmetic may have.
inline constexpr std::size_t kMaxPolynomialTerms = 2'000;

// Most pairs of terms one polynomial product may multiply (a 200-term by 200-term product).
inline constexpr std::size_t kMaxTermProducts = 40'000;

// Most rounds of one repeated pass of the simplifier (removing neutral elements, cancelling
// opposite pairs, taking numbers out of factors); each round must change the tree, so a school
// problem needs a handful.
inline constexpr int kMaxSimplifyPasses = 1'000;

// Most rounds of the simplifier's main loop (rational forms built, level nodes stepped).
inline constexpr int kMaxSimplifyRounds = 200;

// Most passes of the level-node stepping in one call; each pass moves every level node on by one
// visible step.
inline constexpr int kMaxLevelSteps = 2'000;

// Most work one polynomial greatest common divisor may do (coefficient operations of its
// eliminations and terms of its remainders, nested calls included); about a second.
inline constexpr std::int64_t kMaxGcdWork = 3'000'000;

// Most work one solve may do, in the units of model/WorkBudget.h (about one multiplication of two
// nine-digit limbs each): number arithmetic, polynomial products and gcds, and the formula text
// written at every step. About half a second on an ordinary machine (a unit is about a nanosecond).
inline constexpr std::int64_t kMaxSolveWork = 400'000'000;

// Most records one solution may hold, and most bytes of formula text in all of them together.
inline constexpr std::size_t kMaxSolutionRecords = 20'000;
inline constexpr std::size_t kMaxSolutionTextBytes = 1'000'000;

} // namespace EngineLimits

namespace EngineLimits {

// Deepest nesting of sub-equations (a factor of a factor equal to zero, a substitution inside a
// substitution); a school problem needs a few levels.
inline constexpr std::int32_t kMaxEquationNesting = 12;

// Most sub-equations one equation solve may open, at every level together.
inline constexpr std::int32_t kMaxSubEquations = 400;

} // namespace EngineLimits

namespace EngineLimits {

// Largest divisor tried when square factors are taken out of a radicand stated in an answer
// (√(k²·c) = k·√c); a square of a larger prime stays under the root sign.
inline constexpr std::int32_t kSurdTrialLimit = 10'000;

// Most lines of a pupil's solution that one check reads; more make the check "too large".
inline constexpr std::size_t kMaxCheckedLines = 1'000;

} // namespace EngineLimits
