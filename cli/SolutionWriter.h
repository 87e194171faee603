#pragma once

// Writing a solution out for the terminal (one line per record) and as JSON (one object).

#include "cli/CommentTexts.h"
#include "cli/ReadableFormula.h"
#include "output/COutputList.h"

#include <cstdint>
#include <string>
#include <string_view>

// How formulas are written in the text output.
struct TextOptions {
    // The markup itself (Symbol-font bytes shown as their signs) instead of readable mathematics.
    bool markup = false;
    ReadableStyle style;
};

// One line per record, indented two blanks per nesting level (entries of the record's line-block
// stack minus one); its blocks separated by one blank: a formula as readable mathematics (or its
// markup), a comment as its text, or "[N]" with its number when it has no text.
std::string SolutionAsText(const COutputList& solution, const CommentTexts& texts,
                           const TextOptions& options = {});

// {"kind":K,"problem":"…","micros":T,"records":[{"lineBlocks":[[kind,number],…],
//  "blocks":[{"formula":"…","spoken":0},{"comment":N,"alwaysShown":1,"spoken":0,"text":"…"}]}]}
// on one line, without a line end. Formula and problem bytes of 0x80 and above are written as the
// escapes \u0080 to \u00ff; comment texts are UTF-8.
std::string SolutionAsJson(int kind, std::string_view problem, std::int64_t micros,
                           const COutputList& solution, const CommentTexts& texts);
