#pragma once

// Text placed into HTML. Every text that came from a request or from the engine goes through
// here before it is written into a page, so none of it can open a tag, close an attribute or start
// an entity.

#include <cstddef>
#include <string>
#include <string_view>

// Appends text with & < > " ' written as character references; usable in element content and in
// attribute values in double or single quotes. Control bytes other than tab and line end, which
// HTML does not allow, become U+FFFD.
void AppendHtmlEscaped(std::string& out, std::string_view text);
std::string HtmlEscaped(std::string_view text);

// The problem with the character at column (1-based, in characters of UTF-8) wrapped in <mark>;
// a column past the end marks an empty place after the last character.
std::string HtmlWithMarkedColumn(std::string_view text, std::size_t column);
