// The generated school set of the simplification benchmark, judged from outside: every recorded
// formula keeps the problem's value at sample points, the answer is a reduced fraction, and a
// problem without a value ends with the division-by-zero error.

#include "SimplificationTestSupport.h"
#include "tests/support/SchoolProblemMaker.h"

#include <gtest/gtest.h>

namespace {

TEST(SimplifySchoolSet, EveryStepKeepsTheValueAndTheAnswerIsReduced) {
    const std::vector<std::string> problems = SchoolProblemMaker(20261207).Make(200);
    int answered = 0;
    for (const std::string& problem : problems) {
        SCOPED_TRACE(problem);
        bool undefined = false;
        EXPECT_EQ(JudgeSimplification(problem, undefined), "");
        answered += undefined ? 0 : 1;
    }
    EXPECT_GT(answered, 150);
}

} // namespace
