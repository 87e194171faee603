#pragma once

// One painted element of a laid-out formula or word.

#include "display/LayoutDevice.h"

inline constexpr int kSymbolGlyph = 1;
inline constexpr int kSymbolLine = 2;
inline constexpr int kSymbolStrikeLine = 3;

struct MySymbol {
    int type = kSymbolGlyph;
    unsigned char character = 0;
    // Top left of a glyph, or the first end of a line.
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    Rgb color = 0;
    int fontKind = kFontKindFormula;
    int fontHeight = 0;
    // 1: drawn with a narrowed font (the system brace).
    int narrow = 0;
    // The other end of a line.
    int x2 = 0;
    int y2 = 0;
    // The vertical band of the enclosing part (a numerator, a denominator, one line of a system), used
    // for hit tests; extent -1 means the whole formula.
    int bandTop = 0;
    int bandExtent = -1;
};
