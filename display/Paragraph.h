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
    CParagraph(std::string_view text, int fontHeight) : m_fontHeight(fontHeight), m_text(text) {}

    void SetText(std::string_view text);
    void SetFontHeight(int fontHeight);
    const std::string& Text() const { return m_text; }
    int FontHeight() const { return m_fontHeight; }

    // Lays the paragraph out unless it is laid out already. Returns 0, -1 for a text without words,
    // or 1 for a formula whose closing "$" is missing (the row then holds the words before it).
    int Layout(CGraphics& graphics);
    MyString& Row() { return m_row; }
    int TotalHeight() const { return m_totalHeight; }

    // The painter of every word of the row, at (offsetX, offsetY + paragraph y).
    void Paint(CGraphics& graphics, int language, int offsetX = 0, int offsetY = 0);

    // Word x positions include the paragraph's x; word y positions are relative to the paragraph's y.
    int x = 0;
    int y = 0;

private:
    int m_fontHeight = 0;
    std::string m_text;
    MyString m_row;
    int m_totalHeight = 0;
    int m_resultCode = 0;
    bool m_dirty = true;
};

// The words of a paragraph text: runs between blanks, and "$...$" formulas whole. Returns false when
// a formula has no closing "$" (the words before it are returned). When `joined` is given it receives,
// for every word, whether it follows the word before it with no blank between them.
bool SplitParagraphWords(std::string_view text, std::vector<std::string_view>& words,
                         std::vector<bool>* joined = nullptr);
