#include "web/HtmlText.h"

namespace {

// The byte length of the UTF-8 character that starts with lead (1 for a stray continuation byte,
// so that every byte is passed over once).
std::size_t Utf8CharacterLength(unsigned char lead) {
    if (lead >= 0xF0) {
        return 4;
    }
    if (lead >= 0xE0) {
        return 3;
    }
    if (lead >= 0xC0) {
        return 2;
    }
    return 1;
}

} // namespace

void AppendHtmlEscaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            if ((static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F) {
                out += "\xEF\xBF\xBD";
            } else {
                out += c;
            }
        }
    }
}

std::string HtmlEscaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    AppendHtmlEscaped(out, text);
    return out;
}

std::string HtmlWithMarkedColumn(std::string_view text, std::size_t column) {
    std::size_t start = 0;
    for (std::size_t character = 1; character < column && start < text.size(); ++character) {
        start += Utf8CharacterLength(static_cast<unsigned char>(text[start]));
    }
    start = std::min(start, text.size());
    std::size_t end = start;
    if (end < text.size()) {
        end = std::min(text.size(), end + Utf8CharacterLength(static_cast<unsigned char>(text[end])));
    }
    std::string out;
    AppendHtmlEscaped(out, text.substr(0, start));
    out += "<mark>";
    AppendHtmlEscaped(out, end > start ? text.substr(start, end - start) : std::string_view("\u00A0"));
    out += "</mark>";
    AppendHtmlEscaped(out, text.substr(end));
    return out;
}
