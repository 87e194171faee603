// The stage machine of a level sum, stepped on its own.

#include "SimplificationTestSupport.h"
#include "markup/ProblemText.h"
#include "model/COLevelAddition.h"
#include "model/NodeCast.h"
#include "solver/CExpression.h"
#include "solver/simplify/LevelSteps.h"
#include "solver/simplify/Simplification.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

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

using FractionStage = COLevelAddition::FractionStage;

std::string StageName(FractionStage stage) {
    switch (stage) {
    case FractionStage::SplitMonomialFactors:
        return "SplitMonomialFactors";
    case FractionStage::SplitSharedDenominators:
        return "SplitSharedDenominators";
    case FractionStage::MergeSplitFactors:
        return "MergeSplitFactors";
    case FractionStage::ExtendToCommonDenominator:
        return "ExtendToCommonDenominator";
    case FractionStage::JoinOverCommonDenominator:
        return "JoinOverCommonDenominator";
    case FractionStage::ExpandNumeratorPowers:
        return "ExpandNumeratorPowers";
    case FractionStage::MultiplyNumeratorHigherPowers:
        return "MultiplyNumeratorHigherPowers";
    case FractionStage::MultiplyNumeratorFirstTwo:
        return "MultiplyNumeratorFirstTwo";
    case FractionStage::NormalizeNumeratorProducts:
        return "NormalizeNumeratorProducts";
    case FractionStage::AddNumerator:
        return "AddNumerator";
    case FractionStage::NormalizeNumerator:
        return "NormalizeNumerator";
    case FractionStage::Finished:
        return "Finished";
    }
    return "?";
}

// One line per step of the level sum: the stage it went to, then the formula; the last line is the
// formula the sum was replaced by.
std::vector<std::string> StageTrace(const std::string& problem) {
    const std::unique_ptr<CExpression> workspace = WithRationalForms(problem);
    std::vector<std::string> lines;
    std::string text;
    workspace->WriteMarkup(text);
    lines.push_back(text);
    for (int step = 0; step < 50 && workspace->Root()->GetType() == NodeType::LevelAddition; ++step) {
        StepLevelAddition(workspace->RootSlot());
        workspace->WriteMarkup(text);
        const COperation& root = *workspace->Root();
        const std::string stage = root.GetType() == NodeType::LevelAddition
                                      ? StageName(NodeAs<COLevelAddition>(root).fractionStage) + ": "
                                      : "replaced: ";
        lines.push_back(stage + text);
    }
    return lines;
}

struct TraceCase {
    const char* problem;
    std::vector<std::string> lines;
};

// The fraction part of a level sum, stage by stage: every formula has the value of the problem.
TEST(StepLevelAddition, FractionSumStageByStage) {
    const TraceCase cases[] = {
        {"1/(x-1)+1/(x+1)",
         {"1/{x-1}+1/{x+1}", "SplitSharedDenominators: 1/{x-1}+1/{x+1}",
          "ExtendToCommonDenominator: 1/{x-1}+1/{x+1}",
          "JoinOverCommonDenominator: {x+1}/{(x-1).(x+1)}+{x-1}/{(x-1).(x+1)}",
          "ExpandNumeratorPowers: {(x+1)+(x-1)}/{(x-1).(x+1)}",
          "MultiplyNumeratorFirstTwo: {(x+1)+(x-1)}/{(x-1).(x+1)}",
          "AddNumerator: {(x+1)+(x-1)}/{(x-1).(x+1)}", "NormalizeNumerator: {x+1+x-1}/{(x-1).(x+1)}",
          "Finished: {2.x}/{(x-1).(x+1)}", "replaced: {2.x}/{(x-1).(x+1)}"}},
        {"1/(x^2-1)-1/(x+1)",
         {"1/{x^2-1}-1/{x+1}", "SplitSharedDenominators: 1/{x^2-1}-1/{x+1}",
          "MergeSplitFactors: 1/{(x+1).(x-1)}-1/{x+1}", "SplitSharedDenominators: 1/{(x+1).(x-1)}-1/{x+1}",
          "ExtendToCommonDenominator: 1/{(x+1).(x-1)}-1/{x+1}",
          "JoinOverCommonDenominator: 1/{(x+1).(x-1)}-{x-1}/{(x+1).(x-1)}",
          "ExpandNumeratorPowers: {1-(x-1)}/{(x+1).(x-1)}",
          "MultiplyNumeratorFirstTwo: {1-(x-1)}/{(x+1).(x-1)}", "AddNumerator: {1-(x-1)}/{(x+1).(x-1)}",
          "NormalizeNumerator: {1-x+1}/{(x+1).(x-1)}", "Finished: {-x+2}/{(x+1).(x-1)}",
          "replaced: {-x+2}/{(x+1).(x-1)}"}},
        {"x/(x+2)^2+1/(x+2)",
         {"x/(x+2)^2+1/{x+2}", "SplitSharedDenominators: x/(x+2)^2+1/{x+2}",
          "ExtendToCommonDenominator: x/(x+2)^2+1/{x+2}",
          "JoinOverCommonDenominator: x/(x+2)^2+{x+2}/(x+2)^2", "ExpandNumeratorPowers: {x+(x+2)}/(x+2)^2",
          "MultiplyNumeratorFirstTwo: {x+(x+2)}/(x+2)^2", "AddNumerator: {x+(x+2)}/(x+2)^2",
          "NormalizeNumerator: {x+x+2}/(x+2)^2", "Finished: {2.x+2}/(x+2)^2", "replaced: {2.x+2}/(x+2)^2"}},
    };
    for (const TraceCase& c : cases) {
        SCOPED_TRACE(c.problem);
        const std::vector<std::string> lines = StageTrace(c.problem);
        EXPECT_EQ(lines, c.lines);
        const std::vector<Point> points = SamplePoints(c.problem, 3);
        for (const std::string& line : lines) {
            const std::string formula =
                line.substr(line.find(": ") == std::string::npos ? 0 : line.find(": ") + 2);
            for (const Point& point : points) {
                const std::optional<CNumber> value = EvaluateFormula(formula, point);
                const std::optional<CNumber> expected = EvaluateFormula(c.problem, point);
                ASSERT_TRUE(value && expected) << formula;
                EXPECT_TRUE(value->Equal(*expected)) << formula;
            }
        }
    }
}

} // namespace
