#pragma once

// Formula layout: turns a piece of compact formula markup into a box of placed glyphs and lines.
//
// The markup is split recursively at the top-level operator that binds loosest (the leftmost among
// equals); brackets, braces and commands ("!sq2{x}", "!sys{a;b}", ...) are laid out by their own
// rules; anything else is a plain token. All distances are in the device's units; a fraction of a font
// metric (0.4 x average character width) is computed in floating point and truncated where it is added.

#include "display/Graphics.h"
#include "display/LayoutBox.h"

#include <string_view>

// Result codes of measuring and layout. Any non-zero code means: nothing to show for that word.
namespace LayoutCode {
inline constexpr int kSuccess = 0;
inline constexpr int kEmptyText = -1;
inline constexpr int kUnclosedFormula = -2;
inline constexpr int kBraces = 1;
inline constexpr int kSquareBrackets = 2;
inline constexpr int kParentheses = 3;
inline constexpr int kCommandWithoutBracket = 4;
inline constexpr int kCommandNotClosed = 5;
inline constexpr int kClosedBeforeOpened = 6;
inline constexpr int kCommandWithoutSemicolon = 7;
// The markup nests deeper than the layout follows (see EngineLimits::kMaxLayoutDepth).
inline constexpr int kTooDeep = 8;
} // namespace LayoutCode

// What every layout function is given. It is never changed; a part that needs another font height or
// kind gets a context derived from its construct's.
struct LayoutContext {
    CGraphics* graphics = nullptr;
    int fontKind = kFontKindFormula;
    int fontHeight = 0;
    Rgb color = 0;
    int depth = 0;

    // The context of an exponent, an index or a root's degree: 6 units smaller while the height is 7
    // or more.
    LayoutContext Reduced() const;
    LayoutContext WithHeight(int height) const;
    LayoutContext Deeper() const;

    DeviceTextMetrics Metrics() const { return graphics->Metrics(fontKind, fontHeight); }
};

// Truncates factor x value, the way every fractional distance is added.
inline int Part(double factor, int value) {
    return static_cast<int>(factor * value);
}

// Lays out a piece of markup (no "$" delimiters, blanks already removed) with its top left corner at
// (0, 0). Returns a result code; the box is valid only on success.
int LayoutMarkup(std::string_view markup, const LayoutContext& context, LayoutBox& box);

// A condition's number after its line, " (2)", is the one blank the markup keeps: the number is a tag
// set apart from the line, not a factor of it. Whether a tag's blank stands at position in text: a
// blank, a bracketed number, then the end of the text, of a system's line, of the system or of the
// formula's "$".
bool IsConditionTagAt(std::string_view text, std::size_t position);
// Where the blank of a tag that ends markup stands, or npos without one.
std::size_t ConditionTagStart(std::string_view markup);

// Checks that "(" ")", "[" "]" and "{" "}" balance: 6 when a closing one comes first, otherwise 1, 2
// or 3 for unbalanced braces, square brackets or parentheses, 0 when all balance.
int CheckBrackets(std::string_view markup);

// How loosely an operator character binds: markup is split first at its top-level operator of the
// highest class. The classes are ordered; None is every character that is not an operator.
enum class OperatorClass {
    None = 0,
    AtSign = 1,      // "@" between the whole part and the fraction of a mixed number
    Subscript = 2,   // "_"
    Superscript = 3, // "^"
    Fraction = 4,    // "/"
    Sum = 5,         // "+", "-", "*", ".", ":" and plus-or-minus: the chains of sums and products
    Relation = 6,    // "=", "<", ">" and the Symbol-font relation signs
};

OperatorClass OperatorClassOf(unsigned char character);

// Lays out a plain run of characters as one token: each character a glyph in the context's font.
void LayoutPlainToken(std::string_view token, const LayoutContext& context, LayoutBox& box);

// The colour of the strike line of a crossed-out part with this cross-out number: blue, green, red,
// magenta, black, cyan, yellow by the number modulo 7.
Rgb StrikeColor(int crossOutNumber);
