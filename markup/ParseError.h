#pragma once

// Error codes of a parse. 0 means no error; a failed parse leaves the first code that was set.
// The problem workspace adds its own codes after the parse (4 an incomplete tree or a division by
// zero, 5 a non-integer exponent, 7 no tree at all) and turns every code into its error comment.

namespace ParseError {

inline constexpr int kNone = 0;
// A character outside the markup set where an operand must start; a character that cannot follow a
// number; a "," not followed by a digit.
inline constexpr int kInvalidCharacter = 1;
// An operand is missing (a sign, ";", "=" or a closing bracket where an operand must start); a
// mixed number whose numerator is not followed by "/".
inline constexpr int kMissingOperand = 2;
// "{" closed by anything but "}", "(" closed by anything but ")", or "@{" not closed by "}".
inline constexpr int kWrongClosingBracket = 3;
// Characters left over after a complete parse; an equation without "=" or with a second "=".
inline constexpr int kCharactersLeftOver = 6;
// The text is longer, nested deeper or holds a longer number than the engine accepts (see
// model/EngineLimits.h).
inline constexpr int kTooLarge = 8;

} // namespace ParseError
