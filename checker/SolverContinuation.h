#pragma once

// The solver's own continuation of a formula: what it would write first if the formula were the
// problem, and the answer it would reach. Used to tell a pupil how to go on, and to decide whether
// an expression's solution is finished (the solver's answer from its last line is that line).

#include "checker/SolutionCheck.h"

#include <optional>
#include <string>

struct SolverContinuation {
    // The comments and the first new formula of the solution steps (nested blocks included, case
    // headings left out), before the answer; none when the solver writes no new formula there.
    std::optional<NextStep> next;
    // The formula of the answer of an expression, in compact markup; empty when there is none.
    std::string answer;
};

SolverContinuation SolverContinuationOf(ProblemKind kind, const std::string& markup);
