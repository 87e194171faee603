// Layout of visible brackets and plain tokens.

#include "display/FormulaPieces.h"

int LayoutBracketed(std::string_view inner, unsigned char open, unsigned char close,
                    const LayoutContext& context, LayoutBox& box) {
    LayoutBox content;
    if (const int code = LayoutMarkup(inner, context, content); code != LayoutCode::kSuccess) {
        return code;
    }
    // The brackets are as tall as what they enclose; empty brackets keep the formula's height.
    const int bracketHeight = content.height > 0 ? content.height : context.fontHeight;
    CGraphics& graphics = *context.graphics;
    const int avg = graphics.Metrics(kFontKindFormula, bracketHeight).aveCharWidth;
    const char openText[1] = {static_cast<char>(open)};
    const char closeText[1] = {static_cast<char>(close)};
    const TextExtent openExtent = graphics.Extent(kFontKindFormula, bracketHeight, {openText, 1});
    const TextExtent closeExtent = graphics.Extent(kFontKindFormula, bracketHeight, {closeText, 1});
    const int glyphWidth = openExtent.width;
    const int w = content.width;
    box.width = 2 * glyphWidth + w + Part(0.4, avg);
    box.height = content.height;
    box.axis = content.axis;

    MySymbol glyph;
    glyph.fontKind = kFontKindFormula;
    glyph.fontHeight = bracketHeight;
    glyph.color = context.color;
    glyph.character = open;
    glyph.width = openExtent.width;
    glyph.height = openExtent.height;
    // Symbols follow the reading order (opening bracket, content, closing bracket): the formula
    // editor finds the glyph of a character of its text by counting.
    box.AddGlyph(glyph);
    box.Place(std::move(content), glyphWidth + Part(0.2, avg), 0);
    glyph.character = close;
    glyph.x = w + glyphWidth + Part(0.4, avg);
    glyph.width = closeExtent.width;
    glyph.height = closeExtent.height;
    box.AddGlyph(glyph);
    return LayoutCode::kSuccess;
}

void LayoutPlainToken(std::string_view token, const LayoutContext& context, LayoutBox& box) {
    CGraphics& graphics = *context.graphics;
    const TextExtent whole = graphics.Extent(context.fontKind, context.fontHeight, token);
    box.width = whole.width;
    box.height = whole.height;
    box.axis = whole.height / 2;
    box.symbols.reserve(token.size());
    int x = 0;
    for (const char c : token) {
        const TextExtent extent = graphics.Extent(context.fontKind, context.fontHeight, {&c, 1});
        MySymbol glyph;
        glyph.character = static_cast<unsigned char>(c);
        glyph.x = x;
        glyph.width = extent.width;
        glyph.height = extent.height;
        glyph.fontKind = context.fontKind;
        glyph.fontHeight = context.fontHeight;
        glyph.color = context.color;
        box.AddGlyph(glyph);
        x += extent.width;
    }
}
