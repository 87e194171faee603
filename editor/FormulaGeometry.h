#pragma once

// Where the caret, the selection and the mouse meet the laid-out formula of the editor.
//
// The symbols of a laid-out formula come in reading order, one for every character of the editor
// text that draws something (see EditorText::ProducesSymbol): the character at position p draws
// symbol number SymbolCountBefore(text, p). The caret after a character stands at the right edge of
// its symbol; after a closed group ("( ... )", "{{ ... }}") it spans the whole group, and at the start
// of a slot it stands at the left edge of what follows.

#include "display/Graphics.h"
#include "display/MySymbol.h"

#include <string>
#include <vector>

// A rectangle in the formula's coordinates; right and bottom are exclusive.
struct FormulaRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool IsEmpty() const { return right <= left || bottom <= top; }
    int Height() const { return bottom - top; }
};

// The caret: a vertical line at x from top, height units long.
struct CaretLine {
    int x = 0;
    int top = 0;
    int height = 0;
};

// The formula's font: kind 1 (formulas), height 26, blue.
inline constexpr int kEditorFontHeight = 26;
inline constexpr Rgb kEditorColor = MakeRgb(0, 0, 255);

// Whether a formula in display form ("$...$") lays out without error in the editor's font.
bool FormulaLaysOut(CGraphics& graphics, const std::string& displayText);

// The caret line for a caret at caret in text, over the symbols of its laid-out formula.
// emptyHeight is the caret's height when the formula has no symbols.
CaretLine CaretLineAt(const std::string& text, int caret, const std::vector<MySymbol>& symbols,
                      int emptyHeight);

// The box around the symbols drawn by the characters of text in [start, end); empty when none.
FormulaRect SymbolsBox(const std::string& text, int start, int end, const std::vector<MySymbol>& symbols);

// The caret position under the point (x, y), or -1 when no glyph is there. Each glyph is tested by
// the left and the right half of its box, vertically over its band (down to bandBottom when the band
// is the whole formula); the left half puts the caret before the glyph's token, the right half after.
int CaretUnderPoint(const std::string& text, const std::vector<MySymbol>& symbols, int x, int y,
                    int bandBottom);
