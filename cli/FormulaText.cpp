#include "cli/FormulaText.h"

#include "output/Windows1251.h"

namespace {

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
