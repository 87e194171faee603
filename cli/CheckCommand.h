#pragma once

// orbelin-solve --check: reads a problem and a pupil's lines after it, one formula a line, checks
// the solution (checker/SolutionCheck.h) and writes one verdict a line, as text or as one JSON
// object:
//   {"kind":K,"lang":"en","lines":[{"line":N,"text":"…","right":true|false|null,"message":"…"}…],
//    "finished":true|false,"next":null|{"comments":["…"],"formula":"…"}}
// Exit status: 0 when every line is right and the solution finished, 3 when a line is wrong or
// the solution is not finished, 2 when the problem or a line cannot be read.

#include "checker/CheckTexts.h"
#include "checker/SolutionCheck.h"
#include "cli/CommandLine.h"
#include "export/CommentTexts.h"
#include "export/ReadableFormula.h"

#include <iosfwd>
#include <string>
#include <vector>

inline constexpr int kExitCheckedRight = 0;
inline constexpr int kExitCheckedNotRight = 3;
inline constexpr int kExitCheckUnreadable = 2;

// The texts a check is written with.
struct CheckWriting {
    const CheckTexts& checkTexts;
    const CommentTexts& commentTexts;
    ReadableStyle style;
};

// The mark of a verdict: a tick, a cross, or "?" for a line not checked.
const char* VerdictMark(LineVerdict verdict);

// One line a verdict: "✓ 2: 2x = 8", "✗ 3: x = 5 — x = 4 solves the line before but not this line",
// "? 4: …" for a line not checked; then the summary, and the solver's next step when there is one.
// Lines given in markup are shown as readable mathematics.
std::string CheckAsText(const SolutionCheck& check, LineForm form, const CheckWriting& writing);

// The JSON object, on one line without a line end.
std::string CheckAsJson(const SolutionCheck& check, int language, LineForm form, const CheckWriting& writing);

// The summary: finished, wrong from a line on, or not finished (then the next step follows); empty
// when there is nothing to sum up.
std::string CheckSummary(const SolutionCheck& check, const CheckTexts& texts);

// The exit status the check ends with.
int CheckExitStatus(const SolutionCheck& check);

// The lines of in (line ends "\n" or "\r\n") after the lines given, in form, up to the most a check
// reads.
std::vector<std::string> ReadCheckLines(std::istream& in, ProblemForm form,
                                        std::vector<std::string> lines = {});

// Reads every line of in (line ends "\n" or "\r\n"), checks them and writes the result to out.
// Returns the exit status; a problem that cannot be read is reported on err.
int RunCheck(std::istream& in, std::ostream& out, std::ostream& err, const CommandLine& commandLine,
             const CheckWriting& writing);
