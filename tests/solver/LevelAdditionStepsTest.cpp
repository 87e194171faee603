// The stage machine of a level sum, stepped on its own.

#include "markup/ProblemText.h"
#include "model/COLevelAddition.h"
#include "model/NodeCast.h"
#include "solver/CExpression.h"
#include "solver/LevelSteps.h"
#include "solver/Simplification.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// A silent workspace over the problem with the rational forms built, as the simplifier builds them
// before it steps the level nodes.
std::unique_ptr<CExpression> WithRationalForms(std::string text) {
    PrepareProblemText(text);
    auto workspace = std::make_unique<CExpression>(text, nullptr);
    BuildRationalForms(*workspace);
    return workspace;
}

TEST(StepLevelAddition, StopsAtCountsThatDoNotAddUpToTheTerms) {
    const std::unique_ptr<CExpression> workspace = WithRationalForms("2*x+1/(x-1)+1/(x+1)");
    ASSERT_EQ(workspace->Root()->GetType(), NodeType::LevelAddition);
    auto& sum = NodeAs<COLevelAddition>(*workspace->Root());
    EXPECT_EQ(sum.plainTermCount, 1);
    EXPECT_EQ(sum.fractionTermCount, 2);
    EXPECT_TRUE(sum.CountsMatchTerms());
#ifdef NDEBUG
    GTEST_SKIP() << "the engine's checks are compiled out of this build";
#else
    sum.fractionTermCount = 3;
    EXPECT_DEATH(StepLevelAddition(workspace->RootSlot()), "CountsMatchTerms");
#endif
}

} // namespace
