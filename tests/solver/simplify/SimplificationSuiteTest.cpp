// Whole solutions of school simplification problems: every recorded formula must have the value of
// the problem at several rational points, and the answer must be a polynomial or one fraction of
// polynomials in lowest terms.

#include "tests/support/SimplificationSuite.h"
#include "SimplificationTestSupport.h"

#include "model/COperation.h"

#include <gtest/gtest.h>

namespace {

class SimplificationSuite : public ::testing::TestWithParam<SimplificationProblem> {};

TEST_P(SimplificationSuite, EveryStepKeepsTheValueAndTheAnswerIsReduced) {
    const SimplificationProblem& item = GetParam();
    SCOPED_TRACE(std::string(item.problem) + " (" + item.topic + ")");

    const std::unique_ptr<COutputList> solution = SolveSimplification(item.problem);
    EXPECT_FALSE(AnswerFormula(*solution).empty()) << "no answer line";
    EXPECT_EQ(CheckValues(item.problem, *solution), "");

    const SimplifyRun run = RunSimplifier(item.problem);
    ASSERT_EQ(run.errorCode, ProblemError::None);
    ASSERT_NE(run.tree, nullptr);
    EXPECT_EQ(CheckAnswerForm(*run.tree), "");
}

INSTANTIATE_TEST_SUITE_P(SchoolProblems, SimplificationSuite, ::testing::ValuesIn(kSimplificationSuite));

} // namespace
