#pragma once

// Scanning helpers over a problem in editor form: every token is preceded by one blank, an empty
// slot holds the placeholder "~", and templates nest as brace groups "{{ ~}/{ ~}}" and bracket
// groups "( ~)". Every function accepts any text and any position; positions outside the text
// find nothing (kNone).

#include <string>
#include <string_view>

namespace EditorText {

inline constexpr int kNone = -1;
inline constexpr char kBlank = ' ';
inline constexpr char kPlaceholder = '~';
// The text of a problem with nothing typed yet.
inline constexpr std::string_view kEmptyProblem = " ~";

// The closing bracket or brace that matches the opening one at open ("(" or "{"), kNone when
// the group is not closed.
int MatchingCloser(std::string_view text, int open);
// The opening bracket or brace that matches the closing one at close (")" or "}").
int MatchingOpener(std::string_view text, int close);

// The last non-blank character before position, or kNone.
int PreviousNonBlank(std::string_view text, int position);
// The first non-blank character at or after position, or kNone.
int NextNonBlank(std::string_view text, int position);

// Whether the text holds nothing but blanks.
bool IsBlank(std::string_view text);

// Whether a character of the editor text is drawn as a symbol of the laid-out formula. Blanks,
// braces, the power sign and the command, mixed-number and dot signs are not; the fraction sign is
// (as the fraction bar).
bool ProducesSymbol(char character);
// How many characters before position produce a symbol.
int SymbolCountBefore(std::string_view text, int position);
// The position of the character that produces symbol number index, or kNone.
int PositionOfSymbol(std::string_view text, int index);

} // namespace EditorText
