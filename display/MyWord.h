#pragma once

// One laid-out word: a formula (a text "$...$" in formula markup) or a plain text word. Its metrics
// and its symbols are computed once and kept until the text, font or colour changes.

#include "display/Graphics.h"
#include "display/MySymbol.h"

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

class MyWord {
public:
    MyWord() = default;
    MyWord(std::string_view text, int fontKind, int fontHeight, Rgb color);

    // Stores the text without its blanks; a changed text is laid out again when next asked for.
    void SetText(std::string_view text);
    const std::string& Text() const { return m_text; }
    void SetFont(int fontKind, int fontHeight);
    void SetColor(Rgb color);
    int FontKind() const { return m_fontKind; }
    int FontHeight() const { return m_fontHeight; }
    Rgb Color() const { return m_color; }
    bool IsFormula() const { return !m_text.empty() && m_text.front() == '$'; }

    // Lays the word out unless it is laid out already; returns the result code (0 success).
    int Measure(CGraphics& graphics);
    int Width(CGraphics& graphics);
    int Height(CGraphics& graphics);
    int Axis(CGraphics& graphics);
    // The symbols (empty when the word failed to lay out).
    std::vector<MySymbol>& Symbols(CGraphics& graphics);

    // Position of the word; added to every symbol when it is painted.
    int x = 0;
    int y = 0;

private:
    void MarkDirty();

    int m_width = 0;
    int m_height = 0;
    int m_axis = 0;
    Rgb m_color = 0;
    int m_fontKind = kFontKindFormula;
    int m_fontHeight = 0;
    std::string m_text;
    std::vector<MySymbol> m_symbols;
    int m_resultCode = 0;
    bool m_metricsDirty = true;
    bool m_symbolsDirty = true;
};

inline constexpr std::size_t kAllSymbols = std::numeric_limits<std::size_t>::max();

// Paints symbols first..last (inclusive) of a word at the word's position plus an offset. Glyphs of
// formulas show the decimal separator and the division sign of the language; the changed character
// is kept in the symbol.
void PaintSymbols(CGraphics& graphics, MyWord& word, int language, int offsetX = 0, int offsetY = 0,
                  std::size_t first = 0, std::size_t last = kAllSymbols);

// Paints one symbol at (originX + symbol x, originY + symbol y).
void PaintSymbol(CGraphics& graphics, MySymbol& symbol, int language, int originX, int originY);

// The character a formula glyph shows in a language: "," and "." as the decimal separator, ":" and
// the division sign (MarkupBytes::kDivisionSign) as the division sign.
unsigned char LanguageCharacter(unsigned char character, int language);
