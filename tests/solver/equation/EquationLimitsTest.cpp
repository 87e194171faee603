// Equations that must end with an error record and nothing after it: malformed problems, and
// problems whose sub-equations nest too deeply or are too many, which end with the "too large"
// record instead of a hang or a stack overflow.

#include "solver/WorkspaceTranscript.h"

#include "solver/SolveProblem.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Solve(const std::string& problem) {
    COutputList solution;
    SolveProblem(ProblemKind::Equation, problem, &solution);
    return Transcript(solution);
}

// Built by appending only: g++ 12 warns falsely (-Wrestrict) about some chains of operator+.

// "(x-1)*((x-2)*(...))=0" with the products nested `depth` deep.
std::string NestedProducts(int depth) {
    std::string text;
    for (int i = 1; i < depth; ++i) {
        text.append("(x-").append(std::to_string(i)).append(")*(");
    }
    text.append("(x-").append(std::to_string(depth)).append(")");
    text.append(static_cast<std::size_t>(depth - 1), ')');
    return text.append("=0");
}

// "(x-1)*(x-2)*...*(x-count)=0"
std::string ManyFactors(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) {
        text.append(i > 1 ? "*(x-" : "(x-").append(std::to_string(i)).append(")");
    }
    return text.append("=0");
}

TEST(EquationLimits, MalformedEquationsEndWithTheirErrorRecord) {
    EXPECT_EQ(Solve("x+y=1"), std::vector<std::string>({"[] ErrorCharactersLeftOver/10"}));
    EXPECT_EQ(Solve("x+1").back(), "[] ErrorCharactersLeftOver/10");
    EXPECT_EQ(Solve("x=1=2").back(), "[] ErrorCharactersLeftOver/10");
    EXPECT_EQ(Solve("x=1/0").back(), "[] ErrorIncompleteExpression/10");
}

TEST(EquationLimits, ModerateNestingIsSolved) {
    const std::vector<std::string> lines = Solve(NestedProducts(6));
    const std::string heading = "[2.2] AnswerHeadingEquation0/11 ";
    EXPECT_EQ(lines.back().substr(0, heading.size()), heading);
}

TEST(EquationLimits, DeepNestingEndsWithTheTooLargeRecord) {
    const std::vector<std::string> lines = Solve(NestedProducts(40));
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines.back().find("ErrorProblemTooLarge/10"), std::string::npos) << lines.back();
}

TEST(EquationLimits, TooManySubEquationsEndWithTheTooLargeRecord) {
    const std::vector<std::string> lines = Solve(ManyFactors(600));
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines.back().find("ErrorProblemTooLarge/10"), std::string::npos) << lines.back();
    EXPECT_LT(lines.size(), 20'000u);
}

TEST(EquationLimits, ManyFactorsWithinTheLimitAreAllSolved) {
    const std::vector<std::string> lines = Solve(ManyFactors(30));
    EXPECT_NE(lines.back().find("F(x=30)s"), std::string::npos);
}

} // namespace
