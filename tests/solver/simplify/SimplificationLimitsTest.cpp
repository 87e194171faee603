// Hostile problems end with the "too large" error quickly, never with a hang or a crash.

#include "SimplificationTestSupport.h"

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>

namespace {

TEST(SimplifyLimits, HugePowersEndWithTheTooLargeError) {
    for (const char* problem : {"9^99999999", "(x+1)^100000", "(x+1)^100000-1", "((x+1)^1000)^1000",
                                "x^99999999+1", "(x+y+z)^3000", "(x^1500*y^1500+x)*(x+1)"}) {
        SCOPED_TRACE(problem);
        const auto start = std::chrono::steady_clock::now();
        const std::unique_ptr<COutputList> solution = SolveSimplification(problem);
        const auto elapsed = std::chrono::steady_clock::now() - start;
        const std::vector<int> ids = CommentIds(*solution);
        ASSERT_FALSE(ids.empty());
        EXPECT_EQ(ids.back(), ToNumber(CommentID::ErrorProblemTooLarge));
        EXPECT_TRUE(AnswerFormula(*solution).empty());
        EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 2000);
    }
}

TEST(SimplifyLimits, LongSumsAndDeepNestingFinish) {
    std::string sum = "x";
    for (int i = 0; i < 300; ++i) {
        sum += "+x";
    }
    const std::unique_ptr<COutputList> solution = SolveSimplification(sum);
    EXPECT_EQ(AnswerFormula(*solution), "301.x");

    // A continued fraction: the coefficients of the answer are Fibonacci numbers.
    std::string nested = "x";
    for (int i = 0; i < 40; ++i) {
        nested = "1/(1+" + nested + ")";
    }
    const std::unique_ptr<COutputList> deep = SolveSimplification(nested);
    EXPECT_EQ(AnswerFormula(*deep), "{63245986.x+102334155}/{102334155.x+165580141}");
    EXPECT_EQ(CheckValues(nested, *deep), "");
}

TEST(SimplifyLimits, ErrorsOfTheProblemAreReportedOnce) {
    const std::pair<const char*, CommentID> cases[] = {
        {"x^{1/2}", CommentID::ErrorExponentNotInteger},
        {"x:0", CommentID::ErrorIncompleteExpression},
        {"0^{-1}+x", CommentID::ErrorIncompleteExpression},
    };
    for (const auto& [problem, comment] : cases) {
        SCOPED_TRACE(problem);
        const std::unique_ptr<COutputList> solution = SolveSimplification(problem);
        const std::vector<int> ids = CommentIds(*solution);
        ASSERT_FALSE(ids.empty());
        EXPECT_EQ(ids.back(), ToNumber(comment));
        EXPECT_EQ(std::count(ids.begin(), ids.end(), ToNumber(comment)), 1);
    }
}

} // namespace
