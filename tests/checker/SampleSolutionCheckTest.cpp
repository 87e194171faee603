// The solver's own solutions of the built-in samples, checked as a pupil's solutions: every line
// right and the solution finished. Then the same solutions with one line corrupted: the corruption
// is found at its line, with a witness that really tells the two lines apart.

#include "SolverSolutionLines.h"
#include "checker/SolutionCheck.h"
#include "solver/simplify/SimplificationTestSupport.h"
#include "solver/SolveProblem.h"

#include <gtest/gtest.h>

namespace {

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += "\n  " + line;
    }
    return text;
}

std::string VerdictsOf(const SolutionCheck& check) {
    std::string text;
    for (const CheckedLine& line : check.lines) {
        text += "\n  line " + std::to_string(line.number) + ": verdict " +
                std::to_string(static_cast<int>(line.verdict)) + ", message " +
                std::to_string(ToNumber(line.message.id));
    }
    return text + (check.problemError ? "\n  problem not checked" : "");
}

class SampleSolutions : public ::testing::TestWithParam<ProblemKind> {};

TEST_P(SampleSolutions, AreRightAndFinished) {
    const ProblemKind kind = GetParam();
    for (const std::string& problem : SampleProblems(kind)) {
        const std::vector<std::string> lines = SolverSolutionLines(kind, problem);
        SCOPED_TRACE("solution:" + Joined(lines));
        const SolutionCheck check = CheckSolution(kind, lines, LineForm::Markup);
        EXPECT_TRUE(check.AllRight()) << VerdictsOf(check);
        EXPECT_TRUE(check.finished) << VerdictsOf(check);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, SampleSolutions,
                         ::testing::Values(ProblemKind::Equation, ProblemKind::Factorise,
                                           ProblemKind::FactoriseCompletely, ProblemKind::Simplify));

} // namespace
