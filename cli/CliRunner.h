#pragma once

// What orbelin-solve does with a command line: solve one problem and write its solution as text
// or JSON, or solve a batch, one problem a line, writing one JSON object a line.

#include "cli/CommandLine.h"
#include "cli/ExitStatus.h"
#include "export/CommentTexts.h"
#include "output/COutputList.h"

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// A problem as typed in its form, read into the text for the dispatcher; error says why it
// cannot be used ("column 3: ...") and is empty when it can.
struct ProblemReading {
    std::string text;
    std::string error;
};
ProblemReading ReadProblem(const std::string& typed, ProblemForm form);

// A problem of nothing but blanks: there is no expression to solve.
bool IsBlankProblem(const std::string& problem);

// Solves problem (already in the dispatcher's form) of the given kind into solution, which must
// be empty, and returns the time the solve itself took, in microseconds. A blank problem gets the
// error record "there is no expression".
std::int64_t SolveTimed(ProblemKind kind, const std::string& problem, COutputList& solution);

// One line of a batch: KIND<TAB>PROBLEM. A line without a tab is a problem of defaultKind.
struct BatchLine {
    std::optional<ProblemKind> kind; // absent when KIND names no kind
    std::string kindText;
    std::string problem;
};
BatchLine ParseBatchLine(const std::string& line, ProblemKind defaultKind);

// Solves every line of in and writes one JSON object a line to out, in order, each flushed as soon
// as its line is solved. A line whose kind or problem cannot be used, or that is longer than the
// longest problem text, gets {"line":N,"error":"…"} instead, and a note on err. Returns the exit
// status.
int RunBatch(std::istream& in, std::ostream& out, std::ostream& err, const CommandLine& commandLine,
             const CommentTexts& texts);

// The whole program after its start: words are the arguments after the program name, baseFolder
// the folder of the program's files (where "Res/" lies); outputIsTerminal selects the terminal's
// strike-through for crossed-out parts. Every write is checked: output that cannot be written ends
// with a message on err and kExitOutputFailed. Returns the exit status.
int RunCommandLine(const std::vector<std::string>& words, const std::filesystem::path& baseFolder,
                   std::istream& in, std::ostream& out, std::ostream& err, bool outputIsTerminal = false);
