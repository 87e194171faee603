#include "display/LayoutBox.h"

void LayoutBox::Place(LayoutBox&& part, int dx, int dy) {
    symbols.reserve(symbols.size() + part.symbols.size());
    for (MySymbol& symbol : part.symbols) {
        symbol.x += dx;
        symbol.y += dy;
        if (symbol.type != kSymbolGlyph) {
            symbol.x2 += dx;
            symbol.y2 += dy;
        }
        if (symbol.bandExtent >= 0) {
            symbol.bandTop += dy;
        }
        symbols.push_back(symbol);
    }
    part.symbols.clear();
}

void LayoutBox::PlaceAsBand(LayoutBox&& part, int dx, int dy) {
    for (MySymbol& symbol : part.symbols) {
        if (symbol.bandExtent < 0) {
            symbol.bandTop = 0;
            symbol.bandExtent = part.height;
        }
    }
    Place(std::move(part), dx, dy);
}

void LayoutBox::AddLine(int x1, int y1, int x2, int y2, Rgb color, int type) {
    MySymbol line;
    line.type = type;
    line.x = x1;
    line.y = y1;
    line.x2 = x2;
    line.y2 = y2;
    line.width = x2 > x1 ? x2 - x1 : x1 - x2;
    line.height = y2 > y1 ? y2 - y1 : y1 - y2;
    line.color = color;
    symbols.push_back(line);
}
