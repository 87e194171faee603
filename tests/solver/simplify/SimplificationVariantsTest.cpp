// The two variants of the simplifier used by the other solvers: the one that stops at a sum of
// fractions ready for the equation solver (with its grouping search), and the one that stops at a
// finished level sum.

#include "SimplificationTestSupport.h"

#include "markup/ProblemText.h"
#include "model/COperation.h"
#include "solver/CExpression.h"
#include "solver/simplify/Simplification.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

struct VariantRun {
    std::unique_ptr<COutputList> solution = std::make_unique<COutputList>();
    std::string text;
    ProblemError errorCode = ProblemError::None;
};

VariantRun RunVariant(const std::string& problem, void (*variant)(CExpression&)) {
    VariantRun run;
    std::string text = problem;
    PrepareProblemText(text);
    CExpression workspace(text, run.solution.get());
    workspace.RecordStep(true);
    variant(workspace);
    run.errorCode = workspace.ErrorCode();
    run.text = workspace.Root() != nullptr ? workspace.Root()->ToText() : "";
    return run;
}

TEST(SimplifyForEquation, StopsAtOneFractionOverTheCommonDenominator) {
    const VariantRun run = RunVariant("1/(x-1)+2/(x+1)", SimplifyForEquation);
    EXPECT_EQ(run.errorCode, ProblemError::None);
    EXPECT_EQ(run.text, "{(x+1)+2*(x-1)}/{(x-1)*(x+1)}");
    EXPECT_EQ(CheckValues("1/(x-1)+2/(x+1)", *run.solution), "");
}

TEST(SimplifyForEquation, GroupsFractionsWhoseNumeratorsShareAFactor) {
    const char* problem = "x/(x-1)-x/(x+1)";
    const VariantRun run = RunVariant(problem, SimplifyForEquation);
    EXPECT_EQ(run.errorCode, ProblemError::None);
    EXPECT_EQ(run.text.rfind("x*(", 0), 0u) << run.text;
    EXPECT_EQ(CheckValues(problem, *run.solution), "");
    const std::vector<int> ids = CommentIds(*run.solution);
    EXPECT_NE(std::find(ids.begin(), ids.end(), ToNumber(CommentID::CommonFactorTakenOut)), ids.end());
}

TEST(SimplifyForEquation, GroupingMovesATermWhenTheOrderDoesNotFit) {
    const char* problem = "x/(x+1)+(x+2)/(x+5)+x/(x+3)";
    const VariantRun run = RunVariant(problem, SimplifyForEquation);
    EXPECT_EQ(run.errorCode, ProblemError::None);
    EXPECT_EQ(CheckValues(problem, *run.solution), "");
    const std::vector<int> ids = CommentIds(*run.solution);
    EXPECT_NE(std::find(ids.begin(), ids.end(), ToNumber(CommentID::TermsGrouped)), ids.end());
    EXPECT_NE(std::find(ids.begin(), ids.end(), ToNumber(CommentID::CommonFactorTakenOut)), ids.end());
}

TEST(SimplifyForEquation, ASingleFractionIsReducedAsUsual) {
    const VariantRun run = RunVariant("(x^2-1)/(x+1)", SimplifyForEquation);
    EXPECT_EQ(run.text, "x-1");
}

TEST(SimplifyToLevels, StopsAtTheFinishedLevelSum) {
    const char* problem = "1/x+1/(x+1)";
    const VariantRun run = RunVariant(problem, SimplifyToLevels);
    EXPECT_EQ(run.errorCode, ProblemError::None);
    EXPECT_EQ(run.text, "{(x+1)+x}/{x*(x+1)}");
    EXPECT_EQ(CheckValues(problem, *run.solution), "");
}

TEST(SimplifyToLevels, PolynomialsAreFinishedCompletely) {
    const VariantRun run = RunVariant("(x+1)^2-x^2", SimplifyToLevels);
    EXPECT_EQ(run.text, "2*x+1");
}

TEST(SimplifyVariants, ErrorsEndWithTheirRecord) {
    for (auto variant : {SimplifyForEquation, SimplifyToLevels, SimplifyExpression}) {
        const VariantRun run = RunVariant("x:(2-2)", variant);
        EXPECT_EQ(run.errorCode, ProblemError::IncompleteExpression);
        const std::vector<int> ids = CommentIds(*run.solution);
        ASSERT_FALSE(ids.empty());
        EXPECT_EQ(ids.back(), ToNumber(CommentID::ErrorIncompleteExpression));
    }
}

TEST(SimplifySilently, AWorkspaceWithoutSolutionRecordsNothingAndKeepsItsError) {
    std::string text = "1/(x-1)-1/(x+1);";
    CExpression workspace(text, nullptr);
    SimplifyExpression(workspace);
    EXPECT_EQ(workspace.ErrorCode(), ProblemError::None);
    EXPECT_EQ(workspace.Root()->ToText(), "2/{(x-1)*(x+1)}");

    std::string failing = "x:(1-1);";
    CExpression broken(failing, nullptr);
    SimplifyExpression(broken);
    EXPECT_EQ(broken.ErrorCode(), ProblemError::IncompleteExpression);
}

} // namespace
