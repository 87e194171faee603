#pragma once

// The page: a plain form that works without scripts (GET /?kind=…&lang=…&problem=… answers with
// the whole page and the solution in it, so a solution can be linked), and the solution itself as
// an HTML fragment that the page's script also asks for when it solves without reloading.

#include "web/PageTexts.h"
#include "web/SolveService.h"

#include <optional>
#include <string>

struct PageState {
    int kind = 0;
    int language = 1;
    std::string problem;
    // The solve of problem; absent when nothing was asked yet (or the server was too busy).
    std::optional<SolveOutcome> outcome;
    // The server turned the solve away: the page says to try again.
    bool busy = false;
};

std::string PageHtml(const SolveService& service, const PageTexts& texts, const PageState& state);

// The solution written out band by band as the export layer writes it (formulas in MathML), or the
// error that took its place.
std::string SolutionHtml(const SolveService& service, const SolveOutcome& outcome);

// The problem as the reader understood it, in MathML, for the preview beside the field.
std::string ProblemPreviewHtml(const SolveOutcome& reading, int language);
