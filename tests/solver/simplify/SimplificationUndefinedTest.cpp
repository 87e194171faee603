// Expressions whose denominator is identically zero, though it only shows once brackets are
// opened, like terms combined, fractions brought to a common denominator or x/x cancelled: the
// solve must end with the division-by-zero error, and no recorded formula may have a value.

#include "SimplificationTestSupport.h"

#include "markup/ProblemText.h"
#include "model/COperation.h"
#include "solver/CExpression.h"
#include "solver/simplify/Simplification.h"

#include <gtest/gtest.h>
#include <random>

namespace {

// A denominator that is zero for every value of its letters, reached through one pass of the
// simplifier; k and a vary the numbers.
std::string ZeroDenominator(int pass, int k, int a) {
    const std::string K = std::to_string(k);
    const std::string A = std::to_string(a);
    const std::string KA = std::to_string(k * a);
    switch (pass) {
    case 0: // opening brackets
        return K + "*(x-" + A + ")-(" + K + "*x-" + KA + ")";
    case 1: // like terms
        return K + "*x+" + A + "*x-" + std::to_string(k + a) + "*x";
    case 2: // like terms in two letters written in different orders
        return "x*y-y*x";
    case 3: // common denominator
        return "1/(x-" + A + ")+1/(" + A + "-x)";
    case 4: // common denominator, the numerator adding up to the denominator
        return "x/(x+" + A + ")+" + A + "/(x+" + A + ")-1";
    case 5: // cancelling x/x
        return "x/x-1";
    case 6: // cancelling a polynomial over itself
        return "(x+" + A + ")/(x+" + A + ")-1";
    case 7: // a power written out
        return "(x+" + A + ")^2-x^2-" + std::to_string(2 * a) + "*x-" + std::to_string(a * a);
    default: // a fraction whose numerator and denominator are both zero
        return "(" + K + "*x-" + K + "*x)/(x-x+y-y)";
    }
}
constexpr int kPasses = 9;

// The undefined part placed in a problem: as a denominator, a divisor, a negative power, inside a
// sum or a power.
std::string PlaceInProblem(int place, const std::string& zero, const std::string& numerator) {
    const std::string group = "(" + zero + ")";
    switch (place) {
    case 0:
        return numerator + "/" + group;
    case 1:
        return numerator + ":" + group;
    case 2:
        return numerator + "/" + group + "+2";
    case 3:
        return "y-(" + numerator + ")/" + group;
    case 4:
        return "(" + numerator + "/" + group + ")^{2}";
    case 5:
        return group + "^{-1}+x";
    default:
        return "(x+1)*(" + numerator + ":" + group + ")";
    }
}
constexpr int kPlaces = 7;

TEST(SimplifyUndefined, ZeroDenominatorsFromEveryPassEndWithTheError) {
    static const char* numerators[] = {"1", "x", "x+2", "(x+1)^2", "3*y"};
    std::mt19937 random(1207);
    std::uniform_int_distribution<int> number(2, 5);
    std::uniform_int_distribution<int> numeratorIndex(0, 4);
    for (int pass = 0; pass < kPasses; ++pass) {
        for (int place = 0; place < kPlaces; ++place) {
            const std::string problem =
                PlaceInProblem(place, ZeroDenominator(pass, number(random), number(random)),
                               numerators[numeratorIndex(random)]);
            SCOPED_TRACE(problem);
            const std::unique_ptr<COutputList> solution = SolveSimplification(problem);
            EXPECT_EQ(CheckEndsUndefined(problem, *solution), "");
        }
    }
}

TEST(SimplifyUndefined, TheExamplesOfTheReportStopAtTheLastFormulaWithoutAValue) {
    const struct {
        const char* problem;
        const char* lastStep;
    } cases[] = {
        {"1/(2*(x-1)-(2*x-2))", "=1/{2.x-2-2.x+2}"},
        {"1/(2*(x-1)-(2*x-2))+2", "=1/{2.x-2-2.x+2}+2"},
        {"1:(x/x-1)", "=1:(1-1)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.problem);
        const std::unique_ptr<COutputList> solution = SolveSimplification(c.problem);
        EXPECT_EQ(CheckEndsUndefined(c.problem, *solution), "");
        ASSERT_FALSE(StepFormulas(*solution).empty());
        EXPECT_EQ(StepFormulas(*solution).back(), c.lastStep);
    }
}

// The factorisation and equation solvers simplify parts of their trees in workspaces without a
// solution list: the error must reach them there too, with the tree left as it was when the zero
// appeared.
TEST(SimplifyUndefined, ASilentWorkspaceKeepsTheErrorForItsCaller) {
    std::string text = "x+1/(3*(x-2)-(3*x-6));";
    PrepareProblemText(text);
    CExpression workspace(text, nullptr);
    ASSERT_TRUE(workspace.IsValid());
    SimplifyExpression(workspace);
    EXPECT_EQ(workspace.ErrorCode(), ProblemError::IncompleteExpression);
}

// Once a step would hold a division by zero nothing more is recorded, whatever a solver asks.
TEST(SimplifyUndefined, NoStepIsRecordedAfterTheError) {
    std::string text = "x/(2-2);";
    PrepareProblemText(text);
    COutputList solution;
    CExpression workspace(text, &solution);
    workspace.RecordStep(true);
    const std::size_t recorded = solution.Records().size();
    FoldNumbersRecorded(workspace);
    EXPECT_EQ(workspace.ErrorCode(), ProblemError::IncompleteExpression);
    workspace.RecordStep(true);
    workspace.QueueComment(CommentID::Cancellation);
    workspace.RecordStep(true);
    EXPECT_EQ(solution.Records().size(), recorded);
}

} // namespace
