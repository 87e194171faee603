#include "cli/JsonText.h"

namespace {

void AppendUnicodeEscape(std::string& out, unsigned char byte) {
    static constexpr char hex[] = "0123456789abcdef";
    out += "\\u00";
    out += hex[byte >> 4];
    out += hex[byte & 0x0F];
}

// Escapes what JSON requires of every string: the quote, the backslash and the control bytes.
// Returns false when the byte needs no escape.
bool AppendRequiredEscape(std::string& out, unsigned char byte) {
    switch (byte) {
    case '"':
        out += "\\\"";
        return true;
    case '\\':
        out += "\\\\";
        return true;
    case '\n':
        out += "\\n";
        return true;
    case '\r':
        out += "\\r";
        return true;
    case '\t':
        out += "\\t";
        return true;
    default:
        break;
    }
    if (byte < 0x20 || byte == 0x7F) {
        AppendUnicodeEscape(out, byte);
        return true;
    }
    return false;
}

} // namespace

void AppendJsonByteString(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80) {
            AppendUnicodeEscape(out, byte);
        } else if (!AppendRequiredEscape(out, byte)) {
            out += c;
        }
    }
    out += '"';
}

void AppendJsonUtf8String(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        if (!AppendRequiredEscape(out, static_cast<unsigned char>(c))) {
            out += c;
        }
    }
    out += '"';
}
