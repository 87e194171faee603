#pragma once

// The error codes of a problem. The parser sets the first one it meets; the problem workspace and
// the solvers add their own after the parse. A code, once set, stays for the rest of the solve, and
// the solve ends with the one comment record of that code (ErrorComment). The numbers are part of
// the problem's record outside the engine: keep them.

#include "output/CommentID.h"

#include <cstdint>
#include <optional>

enum class ProblemError : std::int32_t {
    None = 0,
    // A character outside the markup set where an operand must start; a character that cannot
    // follow a number; a "," not followed by a digit.
    InvalidCharacter = 1,
    // An operand is missing (a sign, ";", "=" or a closing bracket where an operand must start); a
    // mixed number whose numerator is not followed by "/".
    MissingOperand = 2,
    // "{" closed by anything but "}", "(" closed by anything but ")", or "@{" not closed by "}".
    WrongClosingBracket = 3,
    // An incomplete tree, or a division by zero (also one met while folding numbers).
    IncompleteExpression = 4,
    // A power whose exponent is not an integer number.
    ExponentNotInteger = 5,
    // Characters left over after a complete parse; an equation without "=" or with a second "=".
    CharactersLeftOver = 6,
    // No tree at all.
    NoExpression = 7,
    // A limit of the engine was reached: the text is longer, nested deeper or holds a longer number
    // than the engine accepts (model/EngineLimits.h), a number or polynomial grew past its limit, or
    // a bound of a repeated pass was reached.
    ProblemTooLarge = 8,
};

constexpr std::int32_t ToNumber(ProblemError code) {
    return static_cast<std::int32_t>(code);
}

// The comment of an error code: the one comment of the record that ends a solve with that error.
// None for ProblemError::None (nothing is recorded).
std::optional<CommentIDType> ErrorComment(ProblemError code);
