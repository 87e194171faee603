#pragma once

// The built-in sample problems of each group, compiled into the program: one sample a line, the
// problem in the editor's form, ";", the sample's category code, "&", its note, CR LF. The built-in
// samples carry empty codes and notes.

#include <string>
#include <string_view>
#include <vector>

struct SampleEntry {
    // "$" + the problem converted for display (blanks removed, mixed numbers and product dots
    // marked) + "$"; filled when the selection list is built.
    std::string displayText;
    // The problem in the editor's form, as the editor takes it.
    std::string problemText;
    std::string code;
    std::string note;
};

// Walks the text with a current string: ";" ends the problem, "&" the code, CR the note and the
// sample (the LF after it is skipped; an LF alone ends a sample as well). Text after the last line
// end that holds no ";" is not a sample.
std::vector<SampleEntry> ParseSamples(std::string_view text);

// The text of a built-in sample resource: 157 equations, 158 factorisation, 159 simplification;
// empty for any other number.
std::string SampleResourceText(int resource);
