#pragma once

// The Windows-1251 code page, the single-byte encoding of the engine's texts (Cyrillic letters and
// the Russian language file), and its conversion to and from UTF-8 for the command line and the
// display. The byte 0x98, which the code page leaves unassigned, stands for U+0098 so that every
// byte converts and converts back.

#include <string>
#include <string_view>

// The Unicode code point of one Windows-1251 byte.
char32_t Windows1251ToUnicode(unsigned char byte);

// Appends the UTF-8 form of a code point below U+10000.
void AppendUtf8(std::string& out, char32_t code);

// text, byte for byte, as UTF-8.
std::string Windows1251ToUtf8(std::string_view text);

// UTF-8 text as Windows-1251. A character the code page lacks, and a byte that is not valid UTF-8,
// become replacement; text that came from Windows1251ToUtf8 converts back unchanged.
std::string Utf8ToWindows1251(std::string_view text, char replacement = '?');
