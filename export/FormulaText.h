#pragma once

// Formula texts for the terminal. A formula block holds compact markup in single bytes; a few of
// its bytes are signs of the Symbol font, which the terminal shows as their Unicode characters.

#include <string>
#include <string_view>

// The formula as UTF-8: the Symbol-font bytes 0xB9 (not equal), 0xBB (approximately equal),
// 0xB3 (greater or equal), 0xA3 (less or equal), 0xB1 (plus or minus) and 0xB8 (division) become
// their signs, 0xB5 (the comma of the subscript "1,2" of a root line) becomes ","; any other byte
// of 0x80 and above becomes the character with that code, the same one the JSON escape names.
std::string FormulaToUtf8(std::string_view formula);
