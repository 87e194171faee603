#pragma once

// Text placed into the page. Every text that came from a request or from the engine is written
// with XmlEscapedText (export/MathMLFormula.h: & < > and the double quote as references, control
// characters left out), so none of it can open a tag, close an attribute in double quotes or
// start an entity.

#include <cstddef>
#include <string>
#include <string_view>

// The problem, escaped, with the character at column (1-based, in characters of UTF-8) wrapped in <mark>;
// a column past the end marks an empty place after the last character.
std::string HtmlWithMarkedColumn(std::string_view text, std::size_t column);

// text percent-encoded for a query parameter: letters, digits and "-._~" stay, every other byte
// is written %XX.
std::string UrlEncoded(std::string_view text);
