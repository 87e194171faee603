#pragma once

// The bytes of the formula markup that are not plain ASCII signs. Texts are single-byte strings:
// letters of the user's language are Windows-1251 bytes and a few signs are bytes of the Symbol font.
// Every layer that reads or writes markup (the voice, the readers, the writers, the exports) names
// these bytes from here.

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

// A Symbol-font sign as a one-character string, for tables of sign texts.
inline constexpr char kNotEqualText[] = {static_cast<char>(kNotEqual), '\0'};
inline constexpr char kApproximatelyEqualText[] = {static_cast<char>(kApproximatelyEqual), '\0'};

// True when the byte c is the given Symbol-font byte (c may be a signed char).
constexpr bool IsByte(char c, unsigned char byte) {
    return static_cast<unsigned char>(c) == byte;
}

} // namespace MarkupBytes
