#include "web/HtmlText.h"

#include "export/MathMLFormula.h"

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
    const std::string_view marked =
        end > start ? text.substr(start, end - start) : std::string_view("\u00A0");
    return XmlEscapedText(text.substr(0, start)) + "<mark>" + XmlEscapedText(marked) + "</mark>" +
           XmlEscapedText(text.substr(end));
}

std::string UrlEncoded(std::string_view text) {
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ||
            c == '-' || c == '.' || c == '_' || c == '~') {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHexDigits[byte >> 4];
            encoded += kHexDigits[byte & 0xF];
        }
    }
    return encoded;
}
