#include "display/ViewLines.h"

#include "display/FormulaLayout.h"
#include "export/SolutionBands.h"
#include "output/BlockJoint.h"

#include <algorithm>

namespace {

constexpr Rgb kYellow = MakeRgb(255, 255, 0);

// The items of one block: a formula is one word; a shown comment is one word per word of its text.
struct BlockItems {
    int words = 0;
    bool spoken = false;
    bool soundCue = false;
    CommentIDType comment{};
};

// Moves the words of a line that reaches past wrapRight onto further rows: a word that would cross it
// starts a new row, unless it is the first of its row. Each row keeps its words on a common axis, as a
// row of the paragraph does. Returns the height of the rows below the band's top.
int WrapWords(LineStruct& line, int wrapRight, int rowGap, int gap, CGraphics& graphics) {
    std::vector<TypeStruct*> words;
    for (TypeStruct& item : line.items) {
        if (item.kind == TypeStruct::Kind::Word && item.word != nullptr) {
            words.push_back(&item);
        }
    }
    const int top = line.paragraph.y;
    int rowTop = top;
    int right = line.textLeft;
    std::size_t first = 0;
    while (first < words.size()) {
        // The words of one row, at least one.
        std::size_t end = first;
        int x = line.textLeft;
        do {
            x += words[end]->word->Width(graphics) + gap;
            ++end;
        } while (end < words.size() && x + words[end]->word->Width(graphics) <= wrapRight);
        int axis = 0;
        for (std::size_t i = first; i < end; ++i) {
            axis = std::max(axis, words[i]->word->Axis(graphics));
        }
        int lowest = 0;
        x = line.textLeft;
        for (std::size_t i = first; i < end; ++i) {
            MyWord& word = *words[i]->word;
            words[i]->x = x;
            words[i]->y = rowTop + axis - word.Axis(graphics);
            lowest = std::max(lowest, axis - word.Axis(graphics) + word.Height(graphics));
            x += word.Width(graphics) + gap;
        }
        right = std::max(right, x - gap);
        rowTop += lowest + rowGap;
        first = end;
    }
    line.textRight = right;
    return rowTop - top;
}

} // namespace

Rgb BandColor(int indentLevel, LineBlockKind blockKind) {
    // One colour scheme for the view and the exported documents.
    const BandRgb rgb = BandBackground(static_cast<std::size_t>(std::max(indentLevel, 0)), blockKind, false);
    return MakeRgb(rgb.red, rgb.green, rgb.blue);
}

void PaintBand(CLayoutDevice& device, const LineStruct& line, int right) {
    if (line.band.bottom > line.band.top) {
        device.FillRect(line.band.left, line.band.top, std::max(line.band.right, right), line.band.bottom,
                        line.background);
    }
}

RecordLine RecordTextAndWords(const COutputRecord& record, bool textComments,
                              const CommentTextFunction& commentText) {
    RecordLine line;
    const OutputBlock* previous = nullptr;
    std::size_t wordsSoFar = 0;
    for (const auto& block : record.Blocks()) {
        std::string shown;
        if (const OutputBlockFormula* formula = block->AsFormula()) {
            shown = '$' + formula->text + '$';
        } else if (const OutputBlockComment* comment = block->AsComment()) {
            if ((comment->alwaysShown || textComments) && commentText) {
                shown = commentText(comment->id);
            }
        }
        if (!shown.empty()) {
            if (previous != nullptr && !JoinsWithoutBlank(*previous, *block, shown)) {
                line.text += "  ";
            }
            previous = block.get();
            line.text += shown;
        }
        std::vector<std::string_view> words;
        SplitParagraphWords(line.text, words);
        line.blockWords.push_back(static_cast<int>(words.size() - wordsSoFar));
        wordsSoFar = words.size();
    }
    return line;
}

std::string RecordText(const COutputRecord& record, bool textComments,
                       const CommentTextFunction& commentText) {
    return RecordTextAndWords(record, textComments, commentText).text;
}

void CViewList::Build(const COutputList& solution, bool textComments, const CommentTextFunction& commentText,
                      CGraphics& graphics, int screenWidth, const ViewGeometry& geometry) {
    m_lines.clear();
    m_lines.reserve(solution.Size());
    m_scrollWidth = 0;
    int top = 0;
    int recordNumber = 0;
    for (const auto& record : solution.Records()) {
        LineStruct& line = m_lines.emplace_back();
        line.recordNumber = recordNumber++;
        line.indentLevel = static_cast<int>(record->IndentLevel());
        line.blockKind = record->lineBlocks.empty() ? LineBlockKind::Problem : record->lineBlocks.back().kind;
        line.textLeft = line.indentLevel * geometry.IndentStep();

        // 1. The line's text and its items.
        const RecordLine recordLine = RecordTextAndWords(*record, textComments, commentText);
        std::vector<BlockItems> blocks;
        std::size_t blockIndex = 0;
        for (const auto& block : record->Blocks()) {
            const int words = recordLine.blockWords[blockIndex++];
            if (const OutputBlockFormula* formula = block->AsFormula()) {
                blocks.push_back({words, formula->spoken, false, {}});
            } else if (const OutputBlockComment* comment = block->AsComment()) {
                if (comment->spoken) {
                    blocks.push_back({0, false, true, comment->id});
                }
                blocks.push_back({words, false, false, {}});
            }
        }

        // 2. The paragraph, one pixel below the band's top.
        line.paragraph.SetText(recordLine.text);
        line.paragraph.SetFontHeight(geometry.fontHeight);
        line.paragraph.x = 0;
        line.paragraph.y = top + 1;
        line.paragraph.Layout(graphics);
        MyString& row = line.paragraph.Row();
        std::size_t nextWord = 0;
        for (const BlockItems& block : blocks) {
            if (block.soundCue) {
                TypeStruct cue;
                cue.kind = TypeStruct::Kind::SoundCue;
                cue.comment = block.comment;
                cue.repaintsPrevious = block.comment == CommentID::Cancellation ||
                                       block.comment == CommentID::OppositeTermsCancelled;
                line.items.push_back(cue);
                continue;
            }
            for (int i = 0; i < block.words && nextWord < row.words.size(); ++i, ++nextWord) {
                MyWord& word = *row.words[nextWord];
                TypeStruct item;
                item.word = &word;
                item.x = word.x + line.textLeft;
                item.y = word.y + row.y + line.paragraph.y;
                item.spoken = block.spoken;
                line.items.push_back(item);
            }
        }

        // 3. Where the band lies.
        line.band.top = top;
        line.band.bottom = top + line.paragraph.TotalHeight();
        line.textRight = line.textLeft + row.width;
        if (geometry.wrapWidth > 0 && line.textRight > geometry.wrapWidth && row.Count() > 1) {
            const DeviceTextMetrics metrics = graphics.Metrics(kFontKindText, geometry.fontHeight);
            const int gap = Part(1.5, metrics.aveCharWidth);
            line.band.bottom =
                top + 1 + WrapWords(line, geometry.wrapWidth, metrics.height / 4, gap, graphics);
        }
        top = line.band.bottom;
        m_scrollWidth = std::max(m_scrollWidth, line.textRight);
    }

    // 4. Backgrounds; 5. the scroll size and the bands' width.
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        LineStruct& line = m_lines[i];
        const bool firstOrLast = i == 0 || i + 1 == m_lines.size();
        line.background = firstOrLast ? kYellow : BandColor(line.indentLevel, line.blockKind);
        line.hasBackground = true;
        line.band.left = 0;
        line.band.right = std::max(m_scrollWidth, screenWidth);
    }
    m_scrollHeight = top;
}

void CViewList::PaintAll(CGraphics& graphics, int language) {
    CLayoutDevice& device = graphics.Device();
    for (LineStruct& line : m_lines) {
        PaintBand(device, line, line.band.right);
        for (TypeStruct& item : line.items) {
            if (item.kind != TypeStruct::Kind::Word || item.word == nullptr) {
                continue;
            }
            // The item's position already holds the word's own; paint relative to the word's origin.
            PaintSymbols(graphics, *item.word, language, item.x - item.word->x, item.y - item.word->y);
            item.lastShown = static_cast<int>(item.word->Symbols(graphics).size()) - 1;
        }
        line.shown = true;
    }
}
