#pragma once

// The check of a pupil's solution on the page: the form (the problem, the pupil's lines, the kind
// and the language; a plain GET form, so /?mode=check&problem=…&lines=… links to a check) and the
// verdicts, a line each with its mark and message, the first wrong line marked, then the summary
// and the solver's next step when the solution stops early.

#include "web/CheckService.h"
#include "web/PageTexts.h"

#include <string>

// What the check form shows.
struct CheckFormState {
    ProblemKind kind = ProblemKind::Equation;
    int language = 1;
    std::string problem;
    std::string lines;
    // The column of a reader error in the problem; 0 when there is none.
    std::size_t problemErrorColumn = 0;
};

void AppendCheckForm(std::string& out, const PageTexts& texts, const CheckFormState& state);

// The verdicts, or why the problem could not be checked, as an HTML fragment in the check's language.
std::string CheckHtml(const CheckService& service, const CheckOutcome& outcome);
