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
    const std::string& Text() const { return text_; }
    void SetFont(int fontKind, int fontHeight);
    void SetColor(Rgb color);
    int FontKind() const { return fontKind_; }
    int FontHeight() const { return fontHeight_; }
    Rgb Color() const { return color_; }
    bool IsFormula() const { return !text_.empty() && text_.front() == '$'; }

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

    int width_ = 0;
    int height_ = 0;
    int axis_ = 0;
    Rgb color_ = 0;
    int fontKind_ = kFontKindFormula;
    int fontHeight_ = 0;
    std::string text_;
    std::vector<MySymbol> symbols_;
    int resultCode_ = 0;
    bool metricsDirty_ = true;
    bool symbolsDirty_ = true;
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
