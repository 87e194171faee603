#include "SubstitutionTestSupport.h"
#include "markup/ProblemText.h"
#include "model/EngineLimits.h"
#include "output/COutputList.h"
#include "output/ProblemError.h"
#include "solver/CExEquation.h"
#include "solver/equation/EquationTestSupport.h"
#include "solver/substitution/Reductions.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

std::unique_ptr<CExEquation> Workspace(const std::string& problem, COutputList& list) {
    std::string text = problem;
    PrepareProblemText(text);
    return std::make_unique<CExEquation>(text, &list, 'x');
}

Substitution Record(const std::string& equation, const std::string& expression) {
    Substitution record;
    record.equation = LeftSideOf(equation + "=0");
    record.expression = LeftSideOf(expression + "=0");
    record.letter = 't';
    return record;
}

TEST(SolveBySubstitution, EveryNumberInTheNewLetterNeedsNoTakingBack) {
    COutputList list;
    std::unique_ptr<CExEquation> workspace = Workspace("(x^2+1)^2-(x^2+1)^2=0", list);
    const Substitution record = Record("t^2-t^2", "x^2+1");
    EXPECT_TRUE(SolveBySubstitution(*workspace, true, false, &record));
    EXPECT_EQ(workspace->resultState, CExEquation::kSolved);
    EXPECT_TRUE(workspace->roots.IsAll());
    EXPECT_FALSE(list.IsEmpty());
}

TEST(SolveBySubstitution, UnsolvedNewEquationWritesNothing) {
    COutputList list;
    std::unique_ptr<CExEquation> workspace = Workspace("(x^2+1)^5+x^2+2=0", list);
    // t^5 + t + 1 = (t^2 + t + 1)(t^3 - t^2 + 1): the cubic has no rational root.
    const Substitution record = Record("t^5+t+1", "x^2+1");
    EXPECT_FALSE(SolveBySubstitution(*workspace, true, false, &record));
    EXPECT_EQ(workspace->resultState, CExEquation::kNewLetterUnsolved);
    EXPECT_TRUE(list.IsEmpty());
}

TEST(SolveBySubstitution, RootFormsAreTakenBackOnlyThroughALinearExpression) {
    COutputList list;
    std::unique_ptr<CExEquation> workspace = Workspace("(x^2+x)^2-2=0", list);
    const Substitution squared = Record("t^2-2", "x^2+x");
    EXPECT_FALSE(SolveBySubstitution(*workspace, true, false, &squared));
    EXPECT_TRUE(list.IsEmpty());
    const Substitution linear = Record("t^2-2", "2*x+1");
    EXPECT_TRUE(SolveBySubstitution(*workspace, true, false, &linear));
    EXPECT_EQ(workspace->roots.GetCount(), 2);
    const EquationAnswer answer = ReadAnswer(list, 'x');
    EXPECT_FALSE(answer.unsolved);
}

TEST(SolveBySubstitution, NeedsAZeroRightSide) {
    COutputList list;
    std::unique_ptr<CExEquation> workspace = Workspace("(x^2+1)^2=4", list);
    const Substitution record = Record("t^2-4", "x^2+1");
    EXPECT_FALSE(SolveBySubstitution(*workspace, true, false, &record));
    EXPECT_TRUE(list.IsEmpty());
}

TEST(SubstitutionLimits, NestedAndLargeEquationsEndQuickly) {
    const std::string nested = "((x^2-2)^2-2)^2=4";
    std::string wide = "x^4";
    for (int i = 1; i <= 120; ++i) {
        wide += "+(x^2+" + std::to_string(i) + ")^2";
    }
    wide += "=0";
    for (const std::string& problem : {nested, wide}) {
        SCOPED_TRACE(problem.substr(0, 40));
        const auto start = std::chrono::steady_clock::now();
        std::unique_ptr<COutputList> solution = SolveEquationText(problem);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
        EXPECT_FALSE(solution->IsEmpty());
    }
    // (x^2 - 2)^2 - 2 = ±2, x^2 - 2 = ±2 or 0: x = ±2, 0, ±sqrt(2).
    const EquationAnswer answer = ReadAnswer(*SolveEquationText(nested), 'x');
    EXPECT_EQ(answer.roots.size(), 5u);
    for (const std::string& root : answer.roots) {
        std::optional<Quad> value = QuadValue(root, 'x', 0);
        ASSERT_TRUE(value.has_value()) << root;
        std::optional<Quad> left = QuadValue("((x^2-2)^2-2)^2", 'x', *value);
        ASSERT_TRUE(left.has_value());
        EXPECT_TRUE(NearlyEqual(*left, 4)) << root;
    }
}

// A substitution nested so deep that its sub-equations would pass the nesting limit does not apply:
// nothing is written and no error is set, so the solve can go on by factorisation.
TEST(SubstitutionLimits, NoSubstitutionPastTheNestingLimit) {
    for (const std::int32_t depth : {7, 8, 9}) {
        SCOPED_TRACE(depth);
        COutputList list;
        std::unique_ptr<CExEquation> top = Workspace("x^4-5*x^2+4=0", list);
        std::vector<std::unique_ptr<CExEquation>> chain;
        CExEquation* deepest = top.get();
        for (std::int32_t i = 0; i < depth; ++i) {
            chain.push_back(CExEquation::SubEquation(*deepest, 1, deepest->Root()->Clone(), &list));
            deepest = chain.back().get();
        }
        ASSERT_EQ(deepest->Depth(), depth);
        const Substitution record = Record("t^2-5*t+4", "x^2");
        // The substitution opens four levels, a recogniser one more around it.
        const bool room = depth + 4 <= EngineLimits::kMaxEquationNesting;
        EXPECT_EQ(SolveBySubstitution(*deepest, true, false, &record), room);
        EXPECT_EQ(deepest->ErrorCode(), ProblemError::None);
        EXPECT_EQ(list.IsEmpty(), !room);
        EXPECT_EQ(SolveBiquadratic(*deepest, true), depth + 5 <= EngineLimits::kMaxEquationNesting);
        EXPECT_EQ(deepest->ErrorCode(), ProblemError::None);
    }
}

} // namespace
