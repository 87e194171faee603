#pragma once

// A solution written as one line per record, for whole-transcript comparisons in tests:
//   [k.n,k.n] block block ...
// with the record's line-block stack first, then its blocks: a formula as F(text), followed by "s"
// when it is spoken; a comment as C<id>/<alwaysShown><spoken>. Example of an answer record:
//   [2.2] C3/11 C15/10 F(x+1)s

#include "output/COutputList.h"

#include <string>
#include <vector>

inline std::string DescribeBlock(const OutputBlock& block) {
    if (const OutputBlockFormula* formula = block.AsFormula()) {
        return "F(" + formula->text + ")" + (formula->spoken ? "s" : "");
    }
    const OutputBlockComment* comment = block.AsComment();
    return "C" + std::to_string(ToNumber(comment->id)) + "/" + (comment->alwaysShown ? "1" : "0") +
           (comment->spoken ? "1" : "0");
}

inline std::string DescribeRecord(const COutputRecord& record) {
    std::string text = "[";
    for (std::size_t i = 0; i < record.lineBlocks.size(); ++i) {
        text += (i ? "," : "") + std::to_string(record.lineBlocks[i].kind) + "." +
                std::to_string(record.lineBlocks[i].number);
    }
    text += "]";
    for (const auto& block : record.Blocks()) {
        text += " " + DescribeBlock(*block);
    }
    return text;
}

inline std::vector<std::string> Transcript(const COutputList& solution) {
    std::vector<std::string> lines;
    for (const auto& record : solution.Records()) {
        lines.push_back(DescribeRecord(*record));
    }
    return lines;
}
