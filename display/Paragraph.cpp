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

bool SplitParagraphWords(std::string_view text, std::vector<std::string_view>& words,
                         std::vector<bool>* joined) {
    std::size_t i = 0;
    bool afterBlank = true;
    while (i < text.size()) {
        if (text[i] == ' ') {
            afterBlank = true;
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
        if (joined != nullptr) {
            joined->push_back(!afterBlank);
        }
        afterBlank = false;
        i = end;
    }
    return true;
}

void CParagraph::SetText(std::string_view text) {
    if (text != m_text) {
        m_text = text;
        m_dirty = true;
    }
}

void CParagraph::SetFontHeight(int fontHeight) {
    if (fontHeight != m_fontHeight) {
        m_fontHeight = fontHeight;
        m_dirty = true;
    }
}

int CParagraph::Layout(CGraphics& graphics) {
    if (!m_dirty) {
        return m_resultCode;
    }
    m_dirty = false;
    m_row = MyString{};
    m_row.x = x;
    m_totalHeight = 0;

    const std::string_view text = WithoutTrailingSpace(m_text);
    if (text.empty()) {
        m_resultCode = LayoutCode::kEmptyText;
        return m_resultCode;
    }
    graphics.Fonts().ResetSelection();
    const DeviceTextMetrics metrics = graphics.Metrics(kFontKindText, m_fontHeight);
    const int wordGap = Part(1.5, metrics.aveCharWidth);
    const int rowGap = metrics.height / 4;

    std::vector<std::string_view> texts;
    std::vector<bool> joined;
    m_resultCode = SplitParagraphWords(text, texts, &joined) ? LayoutCode::kSuccess : LayoutCode::kBraces;

    // A word written right after the one before it ("Answer:", "2.1") follows it without the gap.
    int wordX = x;
    int largestAxis = 0;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string_view wordText = texts[i];
        const bool formula = wordText.front() == '$';
        auto word = std::make_unique<MyWord>(wordText, formula ? kFontKindFormula : kFontKindText,
                                             m_fontHeight, kWordColor);
        word->Measure(graphics);
        if (i > 0 && !joined[i]) {
            wordX += wordGap;
        }
        word->x = wordX;
        wordX += word->Width(graphics);
        largestAxis = std::max(largestAxis, word->Axis(graphics));
        m_row.words.push_back(std::move(word));
    }

    // Every word's axis on the row's axis line. The row reaches down to the lowest word, so that a
    // word hanging below the others is not cut off by the next row.
    int lowest = 0;
    for (const auto& word : m_row.words) {
        word->y = largestAxis - word->Axis(graphics);
        lowest = std::max(lowest, word->y + word->Height(graphics));
    }
    m_row.width = wordX - x;
    m_row.height = rowGap + lowest;
    m_totalHeight = m_row.height;
    return m_resultCode;
}

void CParagraph::Paint(CGraphics& graphics, int language, int offsetX, int offsetY) {
    Layout(graphics);
    for (const auto& word : m_row.words) {
        PaintSymbols(graphics, *word, language, offsetX, offsetY + y);
    }
}
