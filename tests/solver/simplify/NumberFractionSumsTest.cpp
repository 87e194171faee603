// Sums of common fractions and mixed numbers are worked out in the problem's own number form: the
// fractions brought to the common denominator, added, cancelled, and the answer left as the
// fraction or mixed number it is (never a decimal, never written again as a quotient). Whole
// transcripts (comments by name, every line), and random sums whose every line keeps the value.

#include "solver/SolveProblem.h"
#include "solver/WorkspaceTranscript.h"
#include "solver/simplify/SimplificationTestSupport.h"

#include "model/COperation.h"

#include <gtest/gtest.h>
#include <random>

namespace {

using Lines = std::vector<std::string>;

Lines Simplified(const std::string& problem) {
    COutputList solution;
    SolveProblem(ProblemKind::Simplify, problem, &solution);
    EXPECT_EQ(CheckValues(problem, solution), "") << problem;
    return Transcript(solution);
}

TEST(NumberFractionSums, CommonFractionsShowTheCommonDenominator) {
    EXPECT_EQ(
        Simplified("1/2+1/3"),
        Lines({"[0.0] F(1/2+1/3=)", "[1.1] FractionsExtendedToCommonDenominator/01", "[1.1] F(=3/6+2/6=)",
               "[1.1] F(=5/6)", "[2.2] AnswerHeadingExpression/11 AnswerJoint/10 F(5/6)s"}));
    // The sum is cancelled on a line of its own; a negative total keeps its minus in front.
    EXPECT_EQ(Simplified("1/6+1/2"),
              Lines({"[0.0] F(1/6+1/2=)", "[1.1] FractionsExtendedToCommonDenominator/01",
                     "[1.1] F(=1/6+3/6=)", "[1.1] F(=4/6=)", "[1.1] Cancellation/01", "[1.1] F(=2/3)",
                     "[2.2] AnswerHeadingExpression/11 AnswerJoint/10 F(2/3)s"}));
    EXPECT_EQ(
        Simplified("1/3-1/2"),
        Lines({"[0.0] F(1/3-1/2=)", "[1.1] FractionsExtendedToCommonDenominator/01", "[1.1] F(=2/6-3/6=)",
               "[1.1] F(=-1/6)", "[2.2] AnswerHeadingExpression/11 AnswerJoint/10 F(-1/6)s"}));
    // An integer beside fractions is written over the common denominator too.
    EXPECT_EQ(Simplified("1-1/3"),
              Lines({"[0.0] F(1-1/3=)", "[1.1] FractionsExtendedToCommonDenominator/01", "[1.1] F(=3/3-1/3=)",
                     "[1.1] F(=2/3)", "[2.2] AnswerHeadingExpression/11 AnswerJoint/10 F(2/3)s"}));
    // Equal denominators are added at once, and a fraction result is no decimal (1/2, not 0,5).
    EXPECT_EQ(Simplified("1/4+1/4"),
              Lines({"[0.0] F(1/4+1/4=)", "[1.1] F(=2/4=)", "[1.1] Cancellation/01", "[1.1] F(=1/2)",
                     "[2.2] AnswerHeadingExpression/11 AnswerJoint/10 F(1/2)s"}));
}

TEST(NumberFractionSums, MixedNumbersStayMixed) {
    EXPECT_EQ(Simplified("2@{1/3}+1@{1/6}"),
              Lines({"[0.0] F(2@{1/3}+1@{1/6}=)", "[1.1] FractionsExtendedToCommonDenominator/01",
                     "[1.1] F(=2@{2/6}+1@{1/6}=)", "[1.1] F(=3@{3/6}=)", "[1.1] Cancellation/01",
                     "[1.1] F(=3@{1/2})", "[2.2] AnswerHeadingExpression/11 AnswerJoint/10 F(3@{1/2})s"}));
    // An integer is added to the whole part; borrowing from the whole part is part of the adding up.
    EXPECT_EQ(Simplified("2@{1/3}+1").back(), "[2.2] AnswerHeadingExpression/11 AnswerJoint/10 F(3@{1/3})s");
    EXPECT_EQ(Simplified("3@{1/6}-1@{1/3}").back(),
              "[2.2] AnswerHeadingExpression/11 AnswerJoint/10 F(1@{5/6})s");
    EXPECT_EQ(Simplified("1@{1/3}-3@{1/6}").back(),
              "[2.2] AnswerHeadingExpression/11 AnswerJoint/10 F(-1@{5/6})s");
}

TEST(NumberFractionSums, FractionsOfAProductOrPowerStayFractions) {
    EXPECT_EQ(Simplified("(1/2)^2").back(), "[2.2] AnswerHeadingExpression/11 AnswerJoint/10 F(1/4)s");
    EXPECT_EQ(Simplified("1/2*3/4").back(), "[2.2] AnswerHeadingExpression/11 AnswerJoint/10 F(3/8)s");
    EXPECT_EQ(Simplified("18:12").back(), "[2.2] AnswerHeadingExpression/11 AnswerJoint/10 F(3/2)s");
    EXPECT_EQ(Simplified("2^{-2}").back(), "[2.2] AnswerHeadingExpression/11 AnswerJoint/10 F(1/4)s");
    // Decimals in, decimals out.
    EXPECT_EQ(Simplified("0,5+0,25").back(), "[2.2] AnswerHeadingExpression/11 AnswerJoint/10 F(0,75)s");
}

// Random sums of two to four integers, common fractions and mixed numbers: every line keeps the
// value, and the answer is a number in lowest terms.
TEST(NumberFractionSums, RandomSumsKeepTheValueAndEndInLowestTerms) {
    std::mt19937 random(20261208);
    auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int i = 0; i < 120; ++i) {
        std::string problem;
        const int terms = pick(2, 4);
        for (int t = 0; t < terms; ++t) {
            if (t > 0) {
                problem += pick(0, 1) ? "+" : "-";
            }
            const int kind = pick(0, 3);
            const std::string fraction = std::to_string(pick(1, 9)) + "/" + std::to_string(pick(2, 12));
            problem += kind == 0   ? std::to_string(pick(1, 5))
                       : kind == 1 ? std::to_string(pick(1, 4)) + "@{" + fraction + "}"
                                   : fraction;
        }
        SCOPED_TRACE(problem);
        bool undefined = false;
        EXPECT_EQ(JudgeSimplification(problem, undefined), "");
        EXPECT_EQ(AnswerFormula(*SolveSimplification(problem)).find(','), std::string::npos);
    }
}

} // namespace
