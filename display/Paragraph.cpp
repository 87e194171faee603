#include "display/Paragraph.h"

#include "display/FormulaLayout.h"

#include <algorithm>

namespace {

constexpr Rgb kWordColor = MakeRgb(0, 0, 255);

std::string_view WithoutTrailingSpace(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

bool SplitParagraphWords(std::string_view text, std::vector<std::string_view>& words) {
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        std::size_t end = 0;
        if (text[i] == '$') {
            const std::size_t closing = text.find('$', i + 1);
            if (closing == std::string_view::npos) {
                return false;
            }
            end = closing + 1;
        } else {
            end = std::min(text.find_first_of(" $", i), text.size());
        }
        words.push_back(text.substr(i, end - i));
        i = end;
    }
    return true;
}

void CParagraph::SetText(std::string_view text) {
    if (text != text_) {
        text_ = text;
        dirty_ = true;
    }
}

void CParagraph::SetFontHeight(int fontHeight) {
    if (fontHeight != fontHeight_) {
        fontHeight_ = fontHeight;
        dirty_ = true;
    }
}

int CParagraph::Layout(CGraphics& graphics) {
    if (!dirty_) {
        return resultCode_;
    }
    dirty_ = false;
    row_ = MyString{};
    row_.x = x;
    totalHeight_ = 0;

    const std::string_view text = WithoutTrailingSpace(text_);
    if (text.empty()) {
        resultCode_ = LayoutCode::kEmptyText;
        return resultCode_;
    }
    graphics.Fonts().ResetSelection();
    const DeviceTextMetrics metrics = graphics.Metrics(kFontKindText, fontHeight_);
    const int wordGap = Part(1.5, metrics.aveCharWidth);
    const int rowGap = metrics.height / 4;

    std::vector<std::string_view> texts;
    resultCode_ = SplitParagraphWords(text, texts) ? LayoutCode::kSuccess : LayoutCode::kBraces;

    int wordX = x;
    int largestAxis = 0;
    for (const std::string_view wordText : texts) {
        const bool formula = wordText.front() == '$';
        auto word = std::make_unique<MyWord>(wordText, formula ? kFontKindFormula : kFontKindText,
                                             fontHeight_, kWordColor);
        word->Measure(graphics);
        word->x = wordX;
        wordX += word->Width(graphics) + wordGap;
        largestAxis = std::max(largestAxis, word->Axis(graphics));
        row_.words.push_back(std::move(word));
    }

    // Every word's axis on the row's axis line. The row reaches down to the lowest word, so that a
    // word hanging below the others is not cut off by the next row.
    int lowest = 0;
    int widths = 0;
    for (const auto& word : row_.words) {
        word->y = largestAxis - word->Axis(graphics);
        lowest = std::max(lowest, word->y + word->Height(graphics));
        widths += word->Width(graphics);
    }
    const int gaps = row_.words.empty() ? 0 : wordGap * (row_.Count() - 1);
    row_.width = widths + gaps;
    row_.height = rowGap + lowest;
    totalHeight_ = row_.height;
    return resultCode_;
}

void CParagraph::Paint(CGraphics& graphics, int language, int offsetX, int offsetY) {
    Layout(graphics);
    for (const auto& word : row_.words) {
        PaintSymbols(graphics, *word, language, offsetX, offsetY + y);
    }
}
