#pragma once

// A line of plain words and "$...$" formulas laid out on one row, every word on a common axis. The
// row is never broken; a caller that needs it narrower lays it out again with a smaller font.

#include "display/MyString.h"

#include <string>
#include <string_view>
#include <vector>

class CParagraph {
public:
    CParagraph() = default;
    CParagraph(std::string_view text, int fontHeight) : fontHeight_(fontHeight), text_(text) {}

    void SetText(std::string_view text);
    void SetFontHeight(int fontHeight);
    const std::string& Text() const { return text_; }
    int FontHeight() const { return fontHeight_; }

    // Lays the paragraph out unless it is laid out already. Returns 0, -1 for a text without words,
    // or 1 for a formula whose closing "$" is missing (the row then holds the words before it).
    int Layout(CGraphics& graphics);
    MyString& Row() { return row_; }
    int TotalHeight() const { return totalHeight_; }

    // The painter of every word of the row, at (offsetX, offsetY + paragraph y).
    void Paint(CGraphics& graphics, int language, int offsetX = 0, int offsetY = 0);

    // Word x positions include the paragraph's x; word y positions are relative to the paragraph's y.
    int x = 0;
    int y = 0;

private:
    int fontHeight_ = 0;
    std::string text_;
    MyString row_;
    int totalHeight_ = 0;
    int resultCode_ = 0;
    bool dirty_ = true;
};

// The words of a paragraph text: runs between blanks, and "$...$" formulas whole. Returns false when
// a formula has no closing "$" (the words before it are returned).
bool SplitParagraphWords(std::string_view text, std::vector<std::string_view>& words);
