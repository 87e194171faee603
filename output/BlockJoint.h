#pragma once

// How two neighbouring blocks of a record meet when the record is written as one line (the text
// output, the solution view, the printed page): a blank between them, or nothing, as a pupil writes
// "Answer: x = 2; x = 3" and "Case 2.1".

#include "output/OutputBlock.h"

#include <string_view>

// A comment text that opens with a punctuation mark (",", ".", ";", ":") belongs to the word before it.
bool OpensWithPunctuation(std::string_view commentText);

// True when `next` follows `previous` with nothing between them: `next` is a comment whose shown text
// opens with a punctuation mark, or `previous` is the separator inside a sub-problem label.
// `nextText` is the text shown for `next` (empty for a formula).
bool JoinsWithoutBlank(const OutputBlock& previous, const OutputBlock& next, std::string_view nextText);
