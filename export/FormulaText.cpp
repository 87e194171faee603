#include "export/FormulaText.h"

#include "markup/MarkupCharacters.h"
#include "output/Windows1251.h"

namespace {

char32_t SymbolFontCharacter(unsigned char byte) {
    switch (byte) {
    case MarkupBytes::kNotEqual:
        return U'\u2260';
    case MarkupBytes::kApproximatelyEqual:
        return U'\u2248';
    case MarkupBytes::kGreaterOrEqual:
        return U'\u2265';
    case MarkupBytes::kLessOrEqual:
        return U'\u2264';
    case MarkupBytes::kPlusOrMinus:
        return U'\u00B1';
    case MarkupBytes::kDivisionSign:
        return U'\u00F7';
    case MarkupBytes::kSubscriptComma:
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
