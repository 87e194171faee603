#pragma once

// Character classes of the formula markup. Texts are single-byte strings: letters of the user's
// language are Windows-1251 bytes and a few signs are bytes of the Symbol font, so every test here
// works on the byte as an unsigned value and never on the locale of the C library.

#include <string_view>

namespace MarkupBytes {

// Signs written with bytes of the Symbol font. The layout engine draws them; the parser refuses
// them as characters outside the markup set.
inline constexpr unsigned char kNotEqual = 0xB9;
inline constexpr unsigned char kApproximatelyEqual = 0xBB;
inline constexpr unsigned char kGreaterOrEqual = 0xB3;
inline constexpr unsigned char kLessOrEqual = 0xA3;
inline constexpr unsigned char kPlusOrMinus = 0xB1;
// The division sign: typed in the editor, and drawn for ":" in English formulas.
inline constexpr unsigned char kDivisionSign = 0xB8;
// The comma of the root subscript "1,2" in "x_{1,2}".
inline constexpr unsigned char kSubscriptComma = 0xB5;

// The placeholder of an empty template slot (editor form only), the end of a problem text and the
// delimiter of a formula inside a line of mixed text.
inline constexpr char kPlaceholder = '~';
inline constexpr char kRecordEnd = ';';
inline constexpr char kFormulaDelimiter = '$';

} // namespace MarkupBytes

// "0" to "9".
inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// "A" to "Z" and "a" to "z": one letter is one variable. Windows-1251 letters are not variables.
inline bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The characters the parser knows: digits, letters, "(", ")", "*", "+", "-", "/", ":", ";", "=",
// "^", "{", "}". They decide between an invalid character (outside the set) and a missing
// operand (inside the set), and they are the characters that may follow a number literal.
bool IsMarkupCharacter(char c);

// True when the byte c occurs in the given set of bytes; a null byte is a byte like any other.
inline bool IsOneOf(char c, std::string_view set) {
    return set.find(c) != std::string_view::npos;
}
