#pragma once

// A solution as plain text: one line per record, formulas as readable Unicode mathematics. It is
// what orbelin-solve prints and what the clipboard gets as text.

#include "export/CommentTexts.h"
#include "export/ReadableFormula.h"
#include "output/COutputList.h"

#include <string>

// How formulas are written in the text output.
struct TextOptions {
    // The markup itself (Symbol-font bytes shown as their signs) instead of readable mathematics.
    bool markup = false;
    ReadableStyle style;
    // Off: only the comments marked always shown are written, as the view shows them with text
    // comments switched off; a record left without blocks is left out.
    bool textComments = true;
};

// One line per record, indented two blanks per nesting level (entries of the record's line-block
// stack minus one); its blocks separated by one blank: a formula as readable mathematics (or its
// markup), a comment as its text, or "[N]" with its number when it has no text.
std::string SolutionAsText(const COutputList& solution, const CommentTexts& texts,
                           const TextOptions& options = {});
