#include "editor/FormulaGeometry.h"

#include "display/MyWord.h"
#include "editor/EditorText.h"

#include <algorithm>
#include <climits>

using namespace EditorText;

namespace {

FormulaRect BoxOf(const MySymbol& symbol) {
    if (symbol.type == kSymbolGlyph) {
        return {symbol.x, symbol.y, symbol.x + symbol.width, symbol.y + symbol.height};
    }
    // A line is two units wide.
    return {std::min(symbol.x, symbol.x2), std::min(symbol.y, symbol.y2) - 1,
            std::max(symbol.x, symbol.x2) + 1, std::max(symbol.y, symbol.y2) + 1};
}

const MySymbol* SymbolAt(const std::vector<MySymbol>& symbols, int index) {
    if (index < 0 || index >= static_cast<int>(symbols.size())) {
        return nullptr;
    }
    return &symbols[index];
}

// The symbol drawn by the character at position, when it draws one.
const MySymbol* SymbolOfCharacter(const std::string& text, int position,
                                  const std::vector<MySymbol>& symbols) {
    if (position < 0 || position >= static_cast<int>(text.size()) || !ProducesSymbol(text[position])) {
        return nullptr;
    }
    return SymbolAt(symbols, SymbolCountBefore(text, position));
}

enum class GroupEnd { Closing, Opening };

// The box of the group that the character at position closes (or opens), or else of that character.
FormulaRect GroupOrCharacterBox(const std::string& text, int position, GroupEnd end,
                                const std::vector<MySymbol>& symbols) {
    const char c = text[position];
    if (end == GroupEnd::Closing && (c == ')' || c == '}')) {
        const int open = MatchingOpener(text, position);
        if (open != kNone) {
            return SymbolsBox(text, open, position + 1, symbols);
        }
    }
    if (end == GroupEnd::Opening && (c == '(' || c == '{')) {
        const int close = MatchingCloser(text, position);
        if (close != kNone) {
            return SymbolsBox(text, position, close + 1, symbols);
        }
    }
    if (const MySymbol* symbol = SymbolOfCharacter(text, position, symbols)) {
        return BoxOf(*symbol);
    }
    return {};
}

CaretLine LineAtRight(const FormulaRect& box) {
    return {box.right, box.top, box.Height()};
}

CaretLine LineAtLeft(const FormulaRect& box) {
    return {box.left, box.top, box.Height()};
}

} // namespace

bool FormulaLaysOut(CGraphics& graphics, const std::string& displayText) {
    MyWord word(displayText, kFontKindFormula, kEditorFontHeight, kEditorColor);
    return word.Measure(graphics) == 0;
}

FormulaRect SymbolsBox(const std::string& text, int start, int end, const std::vector<MySymbol>& symbols) {
    const int first = SymbolCountBefore(text, start);
    const int last = std::min(SymbolCountBefore(text, end), static_cast<int>(symbols.size()));
    FormulaRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int i = first; i < last; ++i) {
        const FormulaRect part = BoxOf(symbols[i]);
        box.left = std::min(box.left, part.left);
        box.top = std::min(box.top, part.top);
        box.right = std::max(box.right, part.right);
        box.bottom = std::max(box.bottom, part.bottom);
    }
    return first < last ? box : FormulaRect{};
}

CaretLine CaretLineAt(const std::string& text, int caret, const std::vector<MySymbol>& symbols,
                      int emptyHeight) {
    const CaretLine fallback{0, 0, emptyHeight};
    if (symbols.empty()) {
        return fallback;
    }
    const int before = PreviousNonBlank(text, caret);
    const int after = NextNonBlank(text, caret);
    const bool startOfSlot = before == kNone || text[before] == '{';
    if (!startOfSlot) {
        // After a character: at the right edge of its symbol, or of the group it closes.
        const FormulaRect box = GroupOrCharacterBox(text, before, GroupEnd::Closing, symbols);
        return box.IsEmpty() ? fallback : LineAtRight(box);
    }
    if (after == kNone) {
        return fallback;
    }
    // At the start of a slot: at the left edge of what follows.
    const FormulaRect box = GroupOrCharacterBox(text, after, GroupEnd::Opening, symbols);
    return box.IsEmpty() ? fallback : LineAtLeft(box);
}

int CaretUnderPoint(const std::string& text, const std::vector<MySymbol>& symbols, int x, int y,
                    int bandBottom) {
    for (int index = 0; index < static_cast<int>(symbols.size()); ++index) {
        const MySymbol& symbol = symbols[index];
        if (symbol.type != kSymbolGlyph) {
            continue;
        }
        const int top = symbol.bandTop;
        const int bottom = symbol.bandExtent < 0 ? bandBottom : symbol.bandTop + symbol.bandExtent;
        if (y < top || y >= bottom || x < symbol.x || x >= symbol.x + symbol.width) {
            continue;
        }
        const int position = PositionOfSymbol(text, index);
        if (position == kNone) {
            return kNone;
        }
        const bool leftHalf = x < symbol.x + symbol.width / 2;
        if (leftHalf) {
            const std::size_t blank = text.rfind(kBlank, position);
            return blank == std::string::npos ? 0 : static_cast<int>(blank);
        }
        const std::size_t blank = text.find(kBlank, position);
        return blank == std::string::npos ? static_cast<int>(text.size()) : static_cast<int>(blank);
    }
    return kNone;
}
