#pragma once

// Character classes of the formula markup. Texts are single-byte strings: letters of the user's
// language are Windows-1251 bytes and a few signs are bytes of the Symbol font, so every test here
// works on the byte as an unsigned value and never on the locale of the C library.

#include "output/MarkupBytes.h"

#include <string_view>

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
