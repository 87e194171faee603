#pragma once

// A solution written as one line per record, for whole-transcript comparisons in tests:
//   [k.n,k.n] block block ...
// with the record's line-block stack first, then its blocks: a formula as F(text), followed by "s"
// when it is spoken; a comment as C<id>/<alwaysShown><spoken>. Example of an answer record:
//   [2.2] C3/11 C15/10 F(x+1)s

#include "output/COutputList.h"

#include <string>
#include <vector>

// Built by appending only: g++ 12 warns falsely (-Wrestrict) about some chains of operator+.
inline std::string DescribeBlock(const OutputBlock& block) {
    std::string text;
    if (const OutputBlockFormula* formula = block.AsFormula()) {
        text.append("F(").append(formula->text).append(")");
        if (formula->spoken) {
            text.append("s");
        }
        return text;
    }
    const OutputBlockComment* comment = block.AsComment();
    text.append("C").append(std::to_string(ToNumber(comment->id))).append("/");
    text.append(comment->alwaysShown ? "1" : "0").append(comment->spoken ? "1" : "0");
    return text;
}

inline std::string DescribeRecord(const COutputRecord& record) {
    std::string text = "[";
    for (std::size_t i = 0; i < record.lineBlocks.size(); ++i) {
        if (i > 0) {
            text.append(",");
        }
        text.append(std::to_string(record.lineBlocks[i].kind)).append(".");
        text.append(std::to_string(record.lineBlocks[i].number));
    }
    text.append("]");
    for (const auto& block : record.Blocks()) {
        text.append(" ").append(DescribeBlock(*block));
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
