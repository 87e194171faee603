// The roots of a quadratic worked out a line each, as the solver writes them (x₁ = (5 − 1)/2 = 2,
// then x₂ = (5 + 1)/2 = 3): each line may not gain a root, the list as a whole may not lose one,
// and every side worked out must state the same value as the last.

#include "checker/CheckText.h"
#include "checker/SolutionCheck.h"
#include "solver/SolveProblem.h"

#include <gtest/gtest.h>

namespace {

struct Verdict {
    LineVerdict verdict;
    CheckMessageID message;
};

std::vector<Verdict> VerdictsOf(const std::vector<std::string>& lines) {
    const SolutionCheck check = CheckSolution(ProblemKind::Equation, lines, LineForm::Linear);
    std::vector<Verdict> verdicts;
    for (const CheckedLine& line : check.lines) {
        verdicts.push_back({line.verdict, line.message.id});
    }
    return verdicts;
}

constexpr Verdict kRight{LineVerdict::Right, CheckMessageID::LineRight};

bool operator==(const Verdict& a, const Verdict& b) {
    return a.verdict == b.verdict && a.message == b.message;
}

void PrintTo(const Verdict& v, std::ostream* out) {
    *out << "{" << static_cast<int>(v.verdict) << ", " << ToNumber(v.message) << "}";
}

const std::string kProblem = "x^2 - 5x + 6 = 0";
const std::string kPair = "x\u2081,\u2082 = (5 \u00B1 1)/2";
const std::string kFirst = "x\u2081 = (5 \u2212 1)/2 = 2";
const std::string kSecond = "x\u2082 = (5 + 1)/2 = 3";

TEST(RootList, TheSolversLinesAreRightAndFinished) {
    const SolutionCheck check = CheckSolution(
        ProblemKind::Equation, {kProblem, kPair, kFirst, kSecond, "Answer: x = 2; x = 3"}, LineForm::Linear);
    EXPECT_TRUE(check.AllRight());
    EXPECT_TRUE(check.finished);
    // The list may end the solution.
    const SolutionCheck ending =
        CheckSolution(ProblemKind::Equation, {kProblem, kFirst, kSecond}, LineForm::Linear);
    EXPECT_TRUE(ending.AllRight());
    EXPECT_TRUE(ending.finished);
}

TEST(RootList, ALostRootMarksTheListsLastLineAndAGainedRootItsOwn) {
    const Verdict lost{LineVerdict::Wrong, CheckMessageID::RootLost};
    const Verdict gained{LineVerdict::Wrong, CheckMessageID::RootGained};
    EXPECT_EQ(VerdictsOf({kProblem, kPair, kFirst}), (std::vector<Verdict>{kRight, lost}));
    EXPECT_EQ(VerdictsOf({kProblem, kPair, kFirst, "x = 2"}), (std::vector<Verdict>{kRight, lost, kRight}));
    EXPECT_EQ(VerdictsOf({kProblem, kPair, kFirst, "x\u2082 = 4", "x = 2; x = 3"}),
              (std::vector<Verdict>{kRight, kRight, gained, kRight}));
    // The witness of the lost root is exact.
    const SolutionCheck check = CheckSolution(ProblemKind::Equation, {kProblem, kFirst}, LineForm::Linear);
    ASSERT_EQ(check.lines.size(), 1U);
    ASSERT_TRUE(check.lines.front().root.has_value());
    EXPECT_EQ(SurdText(*check.lines.front().root), "3");
}

TEST(RootList, ASideWorkedOutWrongIsNamedWithBothValues) {
    const SolutionCheck check = CheckSolution(
        ProblemKind::Equation, {kProblem, "x\u2081 = (5 \u2212 1)/2 = 3", kSecond}, LineForm::Linear);
    ASSERT_EQ(check.lines.size(), 2U);
    EXPECT_EQ(check.lines[0].verdict, LineVerdict::Wrong);
    EXPECT_EQ(check.lines[0].message.id, CheckMessageID::SidesDiffer);
    EXPECT_EQ(check.lines[0].message.arguments, (std::vector<std::string>{"2", "3"}));
    // A pair with the plus-or-minus sign states both of its values on each side.
    EXPECT_EQ(VerdictsOf({"x^2 - 2x - 1 = 0", "x\u2081,\u2082 = (2 \u00B1 \u221A8)/2 = 1 \u00B1 \u221A2"}),
              (std::vector<Verdict>{kRight}));
    EXPECT_EQ(VerdictsOf({"x^2 - 2x - 1 = 0", "x\u2081,\u2082 = (2 \u00B1 \u221A8)/2 = 1 \u00B1 \u221A3"}),
              (std::vector<Verdict>{{LineVerdict::Wrong, CheckMessageID::SidesDiffer}}));
}

TEST(RootList, TheSolversOtherAnswerLinesAsPrinted) {
    const std::vector<std::vector<std::string>> solutions = {
        {"2x = 8", "x = 8 : 2", "x = 4", "Answer: x = 4"},
        {"0,2x = 0,1", "x = 0,1 : 0,2", "x = 0,5"},
        {"x^2 = 9", "x = \u00B13", "Answer: x = \u22123; x = 3"},
        {"x^2 = 5", "x = \u00B1\u221A5"},
        {"(x^2-1)/(x-1) = x+1", "0 = 0", "Answer: x is any number except 1"},
        {"(x^2-1)/(x-1) = x+1", "\u041E\u0442\u0432\u0435\u0442: x \u2014 \u043B\u044E\u0431\u043E\u0435 "
                                "\u0447\u0438\u0441\u043B\u043E, \u043A\u0440\u043E\u043C\u0435 1"},
    };
    for (const std::vector<std::string>& lines : solutions) {
        SCOPED_TRACE(lines.front());
        const SolutionCheck check = CheckSolution(ProblemKind::Equation, lines, LineForm::Linear);
        EXPECT_TRUE(check.AllRight());
        EXPECT_TRUE(check.finished);
    }
    // The excluded value stays excluded: "any number" of an identity with a denominator is not x = 1.
    EXPECT_EQ(VerdictsOf({"(x^2-1)/(x-1) = x+1", "0 = 0", "x = 1"}),
              (std::vector<Verdict>{kRight, {LineVerdict::Wrong, CheckMessageID::RootNotAllowed}}));
}

} // namespace
