#pragma once

// The solution as the view shows it, ready to be written in any format: one band per record that
// shows something, with its nesting level, its stage and its background colour, and the blocks it
// shows (formulas as markup, comments as UTF-8 text). Every document format is written from these.

#include "export/CommentTexts.h"
#include "output/COutputList.h"
#include "output/LineBlockInfo.h"

#include <cstddef>
#include <string>
#include <vector>

struct BandRgb {
    int red = 0;
    int green = 0;
    int blue = 0;

    bool operator==(const BandRgb&) const = default;
};

// The background of a band as the view paints it: yellow for the first and the last band; grey that
// darkens with the indent level; cyan-green, darkening the same way, for the domain and check stages.
BandRgb BandBackground(std::size_t indentLevel, LineBlockKind blockKind, bool firstOrLast);

// True for the line-block kinds of the domain conditions and of the check of the roots, which the
// view sets apart by their colour.
bool IsDomainOrCheckStage(LineBlockKind blockKind);

struct ShownBlock {
    bool formula = false;
    // A formula's compact markup, or a comment's text in UTF-8 ("[N]" when it has none).
    std::string text;
    // Written right after the block before it, without a blank ("Answer:", "x = 2;", "Case 2.1").
    bool joinsPrevious = false;
};

// Where a band stands in the solution, by the outermost entry of its record's line-block stack.
enum class BandPart { Problem, Steps, Answer };

struct ShownBand {
    std::size_t indentLevel = 0;
    // The kind of the innermost line-block entry (the problem's without entries).
    LineBlockKind blockKind = LineBlockKind::Problem;
    BandPart part = BandPart::Steps;
    bool firstOrLast = false;
    BandRgb background;
    std::vector<ShownBlock> blocks;

    // True when the band holds one formula and nothing else (a step of the solution).
    bool FormulaOnly() const { return blocks.size() == 1 && blocks.front().formula; }
};

// The bands of the solution. With textComments off only the comments marked always shown are kept,
// as in the view; a record that shows nothing then gives no band.
std::vector<ShownBand> ShownBands(const COutputList& solution, const CommentTexts& texts, bool textComments);

// The text of a comment block as written out: its text, or "[N]" when the language has none.
std::string ShownCommentText(const CommentTexts& texts, CommentIDType id);
