#pragma once

// Writing strings into JSON. Formula texts and problem texts are single-byte strings: a byte from
// 0x80 to 0xFF is written as the escape \u0080 to \u00ff, so that the original bytes can be
// recovered from the JSON. Comment texts are UTF-8 already and pass through unchanged.

#include <string>
#include <string_view>

// Appends text as a JSON string literal (with its quotes), each byte of 0x80 and above escaped.
void AppendJsonByteString(std::string& out, std::string_view text);

// Appends UTF-8 text as a JSON string literal; bytes of 0x80 and above are copied as they are.
void AppendJsonUtf8String(std::string& out, std::string_view text);
