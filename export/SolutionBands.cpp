#include "export/SolutionBands.h"

#include "output/BlockJoint.h"
#include "output/LineBlockInfo.h"

#include <algorithm>

namespace {

constexpr BandRgb kYellow{255, 255, 0};

BandPart PartOf(const LineBlockList& lineBlocks) {
    if (lineBlocks.empty()) {
        return BandPart::Steps;
    }
    switch (lineBlocks.front().kind) {
    case LineBlockKind::Problem:
        return BandPart::Problem;
    case LineBlockKind::Answer:
        return BandPart::Answer;
    default:
        return BandPart::Steps;
    }
}

} // namespace

bool IsDomainOrCheckStage(LineBlockKind blockKind) {
    return blockKind == LineBlockKind::Domain || blockKind == LineBlockKind::Check;
}

BandRgb BandBackground(std::size_t indentLevel, LineBlockKind blockKind, bool firstOrLast) {
    if (firstOrLast) {
        return kYellow;
    }
    const int w = 100 - 8 * static_cast<int>(std::min<std::size_t>(indentLevel, 100));
    if (IsDomainOrCheckStage(blockKind)) {
        return {std::clamp(static_cast<int>(w * 0.01 * 160), 0, 255), 255, 255};
    }
    const int grey = std::clamp(static_cast<int>(w * 0.01 * 255), 0, 255);
    return {grey, grey, grey};
}

std::string ShownCommentText(const CommentTexts& texts, CommentIDType id) {
    const std::string_view text = texts.Text(id);
    return text.empty() ? '[' + std::to_string(ToNumber(id)) + ']' : std::string(text);
}

std::vector<ShownBand> ShownBands(const COutputList& solution, const CommentTexts& texts, bool textComments) {
    std::vector<ShownBand> bands;
    bands.reserve(solution.Size());
    std::size_t recordNumber = 0;
    for (const auto& record : solution.Records()) {
        // The first and the last record keep their yellow even when a hidden comment empties them:
        // the colour belongs to the record's place, as in the view.
        const bool firstOrLast = recordNumber == 0 || recordNumber + 1 == solution.Size();
        ++recordNumber;
        ShownBand band;
        const OutputBlock* previous = nullptr;
        for (const auto& block : record->Blocks()) {
            if (const OutputBlockFormula* formula = block->AsFormula()) {
                band.blocks.push_back({true, formula->text});
            } else if (const OutputBlockComment* comment = block->AsComment();
                       comment->alwaysShown || textComments) {
                band.blocks.push_back({false, ShownCommentText(texts, comment->id)});
            } else {
                continue;
            }
            band.blocks.back().joinsPrevious =
                previous != nullptr && JoinsWithoutBlank(*previous, *block, band.blocks.back().text);
            previous = block.get();
        }
        if (band.blocks.empty()) {
            continue;
        }
        band.indentLevel = record->IndentLevel();
        band.blockKind = record->lineBlocks.empty() ? LineBlockKind::Problem : record->lineBlocks.back().kind;
        band.part = PartOf(record->lineBlocks);
        band.firstOrLast = firstOrLast;
        band.background = BandBackground(band.indentLevel, band.blockKind, firstOrLast);
        bands.push_back(std::move(band));
    }
    return bands;
}
