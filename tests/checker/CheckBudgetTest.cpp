// A hostile list of lines ends the check as too large, within the work budget of one solve, instead
// of running for minutes; lines past the engine's limits are refused at once.

#include "checker/SolutionCheck.h"
#include "model/EngineLimits.h"
#include "solver/SolveProblem.h"

#include <gtest/gtest.h>

#include <ctime>
#include <functional>

namespace {

// Processor time, which a machine busy with other work does not stretch.
double SecondsFor(const std::function<void()>& work) {
    const std::clock_t start = std::clock();
    work();
    return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

TEST(CheckBudget, LinesPastThePolynomialLimitsAreNotCheckedAndCostLittle) {
    std::vector<std::string> lines = {"(x+1)^100"};
    lines.insert(lines.end(), 8, "(x+1)^300*(x-1)^300");
    SolutionCheck check;
    const double seconds =
        SecondsFor([&] { check = CheckSolution(ProblemKind::Simplify, lines, LineForm::Linear); });
    ASSERT_EQ(check.lines.size(), 8U);
    for (const CheckedLine& line : check.lines) {
        EXPECT_EQ(line.message.id, CheckMessageID::NotCheckedTooLarge);
    }
    EXPECT_FALSE(check.finished);
    EXPECT_LT(seconds, 30.0);
    // A problem past the limits is not checked for that reason.
    lines.front() = lines.back();
    const SolutionCheck tooLarge = CheckSolution(ProblemKind::Simplify, lines, LineForm::Linear);
    ASSERT_TRUE(tooLarge.problemError.has_value());
    EXPECT_EQ(tooLarge.problemError->id, CheckMessageID::NotCheckedTooLarge);
}

TEST(CheckBudget, EquationsOfHighDegreeEndTheCheckAsTooLarge) {
    std::vector<std::string> lines = {"x^1500 - 2 = 0"};
    for (int i = 0; i < 200; ++i) {
        lines.push_back("(x^1500 - 2)(x^" + std::to_string(400 + i) + " + 3) = 0");
    }
    SolutionCheck check;
    const double seconds =
        SecondsFor([&] { check = CheckSolution(ProblemKind::Equation, lines, LineForm::Linear); });
    EXPECT_TRUE(check.tooLarge);
    EXPECT_LT(seconds, 30.0);
}

TEST(CheckBudget, MoreLinesThanTheLimitAreNotRead) {
    std::vector<std::string> lines(EngineLimits::kMaxCheckedLines + 5, "x + 1");
    const SolutionCheck check = CheckSolution(ProblemKind::Simplify, lines, LineForm::Linear);
    EXPECT_TRUE(check.tooLarge);
    EXPECT_EQ(check.lines.size(), EngineLimits::kMaxCheckedLines - 1);
}

} // namespace
