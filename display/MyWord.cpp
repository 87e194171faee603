#include "display/MyWord.h"

#include "display/FormulaLayout.h"
#include "markup/MarkupCharacters.h"

#include <algorithm>

namespace {

// The blanks of a formula mean nothing, except the one before a condition's number.
std::string WithoutBlanks(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != ' ' || IsConditionTagAt(text, i)) {
            result.push_back(text[i]);
        }
    }
    return result;
}

} // namespace

MyWord::MyWord(std::string_view text, int fontKind, int fontHeight, Rgb color)
    : m_color(color), m_fontKind(fontKind), m_fontHeight(fontHeight), m_text(WithoutBlanks(text)) {}

void MyWord::MarkDirty() {
    m_metricsDirty = true;
    m_symbolsDirty = true;
    m_symbols.clear();
}

void MyWord::SetText(std::string_view text) {
    std::string stripped = WithoutBlanks(text);
    if (stripped != m_text) {
        m_text = std::move(stripped);
        MarkDirty();
    }
}

void MyWord::SetFont(int fontKind, int fontHeight) {
    if (fontKind != m_fontKind || fontHeight != m_fontHeight) {
        m_fontKind = fontKind;
        m_fontHeight = fontHeight;
        MarkDirty();
    }
}

void MyWord::SetColor(Rgb color) {
    if (color != m_color) {
        m_color = color;
        MarkDirty();
    }
}

int MyWord::Measure(CGraphics& graphics) {
    if (!m_metricsDirty && !m_symbolsDirty) {
        return m_resultCode;
    }
    graphics.Fonts().ResetSelection();
    m_metricsDirty = false;
    m_symbolsDirty = false;
    m_width = m_height = m_axis = 0;
    m_symbols.clear();

    LayoutContext context;
    context.graphics = &graphics;
    context.fontKind = m_fontKind;
    context.fontHeight = m_fontHeight;
    context.color = m_color;
    LayoutBox box;
    if (m_text.empty()) {
        m_resultCode = LayoutCode::kEmptyText;
        return m_resultCode;
    }
    if (m_text.front() == '$') {
        if (m_text.size() < 2 || m_text.back() != '$') {
            m_resultCode = LayoutCode::kUnclosedFormula;
            return m_resultCode;
        }
        const std::string_view markup = std::string_view(m_text).substr(1, m_text.size() - 2);
        if (markup.empty()) {
            m_resultCode = LayoutCode::kEmptyText;
            return m_resultCode;
        }
        m_resultCode = LayoutMarkup(markup, context, box);
    } else {
        LayoutPlainToken(m_text, context, box);
        m_resultCode = LayoutCode::kSuccess;
    }
    if (m_resultCode == LayoutCode::kSuccess) {
        m_width = box.width;
        m_height = box.height;
        m_axis = box.axis;
        m_symbols = std::move(box.symbols);
    }
    return m_resultCode;
}

int MyWord::Width(CGraphics& graphics) {
    Measure(graphics);
    return m_width;
}

int MyWord::Height(CGraphics& graphics) {
    Measure(graphics);
    return m_height;
}

int MyWord::Axis(CGraphics& graphics) {
    Measure(graphics);
    return m_axis;
}

std::vector<MySymbol>& MyWord::Symbols(CGraphics& graphics) {
    Measure(graphics);
    return m_symbols;
}

unsigned char LanguageCharacter(unsigned char character, int language) {
    if (language == kEnglishLanguage) {
        if (character == ',') {
            return '.';
        }
        if (character == ':') {
            return MarkupBytes::kDivisionSign;
        }
    } else {
        if (character == '.') {
            return ',';
        }
        if (character == MarkupBytes::kDivisionSign) {
            return ':';
        }
    }
    return character;
}

namespace {

bool IsLanguageSign(unsigned char character) {
    return character == ',' || character == '.' || character == ':' ||
           character == MarkupBytes::kDivisionSign;
}

// Where and how large a glyph is drawn: its cell's top left corner and its font height.
struct GlyphPlacement {
    int x = 0;
    int y = 0;
    int fontHeight = 0;
};

// The width the ink of a swapped sign may take. The division sign stands between its operands with a
// space of one average character width on each side, and may reach half of each; a decimal separator
// sits between digits and has only its own box.
int RoomForSign(CGraphics& graphics, const MySymbol& symbol) {
    const bool divisionSign = symbol.character == ':' || symbol.character == MarkupBytes::kDivisionSign;
    return divisionSign ? symbol.width + graphics.Metrics(symbol.fontKind, symbol.fontHeight).aveCharWidth
                        : symbol.width;
}

// A sign that replaces the one the symbol was measured with (the division sign for ":", a point for a
// comma) may be wider or narrower than that one. Callers rely on the measured width, so the sign is
// drawn centred on its box, at a smaller height when its ink is wider than its room, its ink kept on
// the same middle line. A sign as wide as the measured one is drawn where it stands.
GlyphPlacement PlaceGlyph(CGraphics& graphics, const MySymbol& symbol, const char* text) {
    GlyphPlacement placement{symbol.x, symbol.y, symbol.fontHeight};
    const bool narrow = symbol.narrow != 0;
    if (symbol.fontKind == kFontKindText || !IsLanguageSign(symbol.character) ||
        graphics.Extent(symbol.fontKind, symbol.fontHeight, {text, 1}, narrow).width == symbol.width) {
        return placement;
    }
    const InkBounds full = graphics.Ink(symbol.fontKind, symbol.fontHeight, {text, 1}, narrow);
    InkBounds ink = full;
    if (const int room = RoomForSign(graphics, symbol); full.Width() > room) {
        placement.fontHeight =
            graphics.HeightFittingInk(symbol.fontKind, symbol.fontHeight, {text, 1}, narrow, false, room);
        ink = graphics.Ink(symbol.fontKind, placement.fontHeight, {text, 1}, narrow);
    }
    placement.x = symbol.x + (symbol.width - ink.Width()) / 2 - ink.left;
    placement.y = symbol.y + (full.top + full.bottom) / 2 - (ink.top + ink.bottom) / 2;
    return placement;
}

} // namespace

void PaintSymbol(CGraphics& graphics, MySymbol& symbol, int language, int originX, int originY) {
    CLayoutDevice& device = graphics.Device();
    if (symbol.type == kSymbolGlyph) {
        if (symbol.fontKind != kFontKindText) {
            symbol.character = LanguageCharacter(symbol.character, language);
        }
        const char text[1] = {static_cast<char>(symbol.character)};
        const GlyphPlacement placement = PlaceGlyph(graphics, symbol, text);
        graphics.Fonts().Select(symbol.fontKind, placement.fontHeight, symbol.narrow != 0);
        device.SetTextColor(symbol.color);
        device.TextOut(originX + placement.x, originY + placement.y, {text, 1});
    } else {
        device.DrawLine(originX + symbol.x, originY + symbol.y, originX + symbol.x2, originY + symbol.y2,
                        symbol.color);
    }
}

void PaintSymbols(CGraphics& graphics, MyWord& word, int language, int offsetX, int offsetY,
                  std::size_t first, std::size_t last) {
    std::vector<MySymbol>& symbols = word.Symbols(graphics);
    if (symbols.empty() || first >= symbols.size()) {
        return;
    }
    last = std::min(last, symbols.size() - 1);
    for (std::size_t i = first; i <= last; ++i) {
        PaintSymbol(graphics, symbols[i], language, word.x + offsetX, word.y + offsetY);
    }
}
