#pragma once

// The page: a plain form that works without scripts (GET /?kind=…&lang=…&problem=… answers with
// the whole page and the solution in it, so a solution can be linked), and the solution itself as
// an HTML fragment that the page's script also asks for when it solves without reloading. With
// mode=check the page checks a pupil's own solution instead (web/CheckPage.h).

#include "web/CheckService.h"
#include "web/PageTexts.h"
#include "web/SolveService.h"

#include <optional>
#include <string>

struct PageState {
    enum class Mode { Solve, Check };
    Mode mode = Mode::Solve;
    ProblemKind kind = ProblemKind::Equation;
    int language = 1;
    std::string problem;
    // The pupil's lines of a check.
    std::string lines;
    // The solve of problem; absent when nothing was asked yet (or the server was too busy).
    std::optional<SolveOutcome> outcome;
    // The check of the pupil's lines; absent when nothing was asked yet.
    std::optional<CheckOutcome> check;
    // The server turned the solve away: the page says to try again.
    bool busy = false;
};

std::string PageHtml(const CheckService& service, const PageTexts& texts, const PageState& state);

// The problem's field, its reader error column marked for the script, and the preview beside it.
void AppendProblemField(std::string& out, const PageTexts& texts, const std::string& problem,
                        std::size_t errorColumn);
// The choices of kind and language; opens the row of choices the form's button ends.
void AppendKindAndLanguage(std::string& out, const PageTexts& texts, ProblemKind kind, int language);

// The solution written out band by band as the export layer writes it (formulas in MathML), or the
// error that took its place.
std::string SolutionHtml(const SolveService& service, const SolveOutcome& outcome);

// The problem as the reader understood it, in MathML, for the preview beside the field.
std::string ProblemPreviewHtml(const SolveOutcome& reading, int language);
