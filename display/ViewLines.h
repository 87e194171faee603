#pragma once

// The solution laid out as a column of bands, one per output record: the record's formulas and
// comment texts on one row, indented by its nesting level, on a background that tells the first and
// last records, the nesting level and the domain and check stages apart.

#include "display/Paragraph.h"
#include "output/COutputList.h"
#include "output/LineBlockInfo.h"

#include <functional>
#include <string>
#include <vector>

// The text of a comment in the current language (single-byte, Windows-1251), empty when it has none.
using CommentTextFunction = std::function<std::string(CommentIDType)>;

// Builds the text of one record: formulas between "$", then comment texts that are shown (all of them
// with text comments on, otherwise only those marked always shown), two blanks between blocks except
// where the blocks join without one ("Answer:", "Case 2.1").
std::string RecordText(const COutputRecord& record, bool textComments,
                       const CommentTextFunction& commentText);

// The same text, and for every block of the record the number of its words that the text's words
// begin with it: a block joined to the one before it shares that block's last word.
struct RecordLine {
    std::string text;
    std::vector<int> blockWords;
};
RecordLine RecordTextAndWords(const COutputRecord& record, bool textComments,
                              const CommentTextFunction& commentText);

inline constexpr int kViewFontHeight = 26;
inline constexpr int kIndentStep = 25;

// What a view line holds, in order: drawn words, and sound cues of spoken comments.
struct TypeStruct {
    enum class Kind { Word = 0, SoundCue = 1 };
    Kind kind = Kind::Word;
    // A drawn word: where it is drawn in the view, the word (owned by the line's row), the last symbol
    // shown (-1 none) and whether its formula is read aloud.
    int x = 0;
    int y = 0;
    MyWord* word = nullptr;
    int lastShown = -1;
    bool spoken = false;
    // A sound cue: the comment, and whether it is the cancellation comment that repaints the band
    // before it.
    CommentIDType comment{};
    bool repaintsPrevious = false;
};

struct BandRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct LineStruct {
    int recordNumber = 0;
    int indentLevel = 0;
    // The kind of the innermost entry of the record's line-block stack (the problem's without entries).
    LineBlockKind blockKind = LineBlockKind::Problem;
    BandRect band;
    int textLeft = 0;
    int textRight = 0;
    Rgb background = 0;
    bool hasBackground = true;
    bool shown = false;
    CParagraph paragraph;
    std::vector<TypeStruct> items;
};

// How the view lays the bands out: the font height (26 at the usual size; larger when zoomed, with
// indents in proportion) and the width at which a record's words wrap onto further rows (0: never).
struct ViewGeometry {
    int fontHeight = kViewFontHeight;
    int wrapWidth = 0;

    int IndentStep() const { return kIndentStep * fontHeight / kViewFontHeight; }
};

class CViewList {
public:
    // Lays the solution out; bands reach at least screenWidth to the right.
    void Build(const COutputList& solution, bool textComments, const CommentTextFunction& commentText,
               CGraphics& graphics, int screenWidth, const ViewGeometry& geometry = {});

    std::vector<LineStruct>& Lines() { return m_lines; }
    const std::vector<LineStruct>& Lines() const { return m_lines; }
    int ScrollWidth() const { return m_scrollWidth; }
    int ScrollHeight() const { return m_scrollHeight; }

    // Paints the whole solution as the view shows it when complete: every band's background across
    // its width, then every word.
    void PaintAll(CGraphics& graphics, int language);

private:
    std::vector<LineStruct> m_lines;
    int m_scrollWidth = 0;
    int m_scrollHeight = 0;
};

// The background of a band that is neither the first nor the last: grey that darkens with the indent
// level, or cyan-green for the domain and check stages.
Rgb BandColor(int indentLevel, LineBlockKind blockKind);

// Fills the band of a line in its background from its left edge to `right`: the band's own right
// edge on a page, the right edge of the visible area when that is further, in the view. The one
// place a band is painted, for the picture, the printed page and the view alike.
void PaintBand(CLayoutDevice& device, const LineStruct& line, int right);
