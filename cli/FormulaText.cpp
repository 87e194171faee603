#include "cli/FormulaText.h"

namespace {

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

char32_t SymbolFontCharacter(unsigned char byte) {
    switch (byte) {
    case 0xB9:
        return U'\u2260';
    case 0xBB:
        return U'\u2248';
    case 0xB3:
        return U'\u2265';
    case 0xA3:
        return U'\u2264';
    case 0xB1:
        return U'\u00B1';
    case 0xB8:
        return U'\u00F7';
    case 0xB5:
        return U',';
    default:
        return byte;
    }
}

} // namespace

std::string FormulaToUtf8(std::string_view formula) {
    std::string out;
    out.reserve(formula.size());
    for (const char c : formula) {
        AppendUtf8(out, SymbolFontCharacter(static_cast<unsigned char>(c)));
    }
    return out;
}
