#pragma once

// Error codes of a problem (the parser's codes and the workspace's own). The parser and the solvers set one
// in the problem workspace (0 = no error); every later stage tests it, and the solve ends with one comment
// record for the code.

#include "markup/ParseError.h"
#include "output/CommentID.h"

#include <optional>

namespace ProblemError {

inline constexpr int kNone = ParseError::kNone;
// A character outside the markup set where an operand must start, or after a number.
inline constexpr int kInvalidCharacter = ParseError::kInvalidCharacter;
inline constexpr int kMissingOperand = ParseError::kMissingOperand;
// A bracket closed by the wrong character.
inline constexpr int kWrongClosingBracket = ParseError::kWrongClosingBracket;
// An incomplete tree, or a division by zero.
inline constexpr int kIncompleteExpression = 4;
// A power whose exponent is not an integer number.
inline constexpr int kExponentNotInteger = 5;
// Characters left over, or an equation without a single "=".
inline constexpr int kCharactersLeftOver = ParseError::kCharactersLeftOver;
// No tree at all.
inline constexpr int kNoExpression = 7;
// A limit of the engine was reached (text length, nesting depth, size of a number).
inline constexpr int kProblemTooLarge = ParseError::kTooLarge;

} // namespace ProblemError

// The comment of an error code: the one comment of the record that ends a solve with that error.
// None for any other code (nothing is recorded).
std::optional<CommentIDType> ErrorComment(int code);
