#pragma once

// The box of a laid-out piece of markup: its size, its axis (the line on which neighbours are
// aligned, measured from the top) and its symbols, placed relative to the box's top left corner.
// A construct lays its parts out into boxes of their own and places them from their metrics alone.

#include "display/MySymbol.h"

#include <vector>

struct LayoutBox {
    int width = 0;
    int height = 0;
    int axis = 0;
    std::vector<MySymbol> symbols;

    // Moves the symbols of a part into this box with the part's top left corner at (dx, dy). The
    // part keeps the band it was given by its own constructs.
    void Place(LayoutBox&& part, int dx, int dy);
    // The same, and the part becomes a band of its own for every symbol not yet in a band.
    void PlaceAsBand(LayoutBox&& part, int dx, int dy);
    void AddGlyph(const MySymbol& glyph) { symbols.push_back(glyph); }
    void AddLine(int x1, int y1, int x2, int y2, Rgb color, int type = kSymbolLine);
};
