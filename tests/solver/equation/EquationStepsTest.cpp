// Whole transcripts of the equation solver's characteristic solutions: the discriminant in each of
// its branches, the domain with a rejected root, the answers "no roots" and "every number", and the
// numbering of nested sub-equations.

#include "solver/WorkspaceTranscript.h"
#include "solver/equation/EquationTestSupport.h"

#include "solver/SolveProblem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// The transcript with the Symbol-font bytes shown as the signs they stand for.
Lines Solve(const std::string& problem) {
    COutputList solution;
    SolveProblem(ProblemKind::Equation, problem, &solution);
    Lines lines = Transcript(solution);
    for (std::string& line : lines) {
        std::string shown;
        for (char c : line) {
            switch (static_cast<unsigned char>(c)) {
            case 0xB9:
                shown += "!=";
                break;
            case 0xB1:
                shown += "+-";
                break;
            case 0xB5:
                shown += ',';
                break;
            default:
                shown += c;
            }
        }
        line = shown;
    }
    return lines;
}

bool Contains(const Lines& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(SolveQuadratic, SquareDiscriminantGivesTwoExactRoots) {
    EXPECT_EQ(Solve("x^2-5*x+6=0"),
              Lines({
                  "[0.0] F(x^2-5.x+6=0)",
                  "[1.1] DiscriminantStep/01",
                  "[1.1] F(D=b^2-4.a.c=(-5)^2-4*1*6=1)",
                  "[1.1] DiscriminantNotNegative/01",
                  "[1.1] DiscriminantPositiveExactRoot/01",
                  "[1.1] F(x_{1,2}={-b+-!sq2{D}}/{2.a}={5+-1}/{2})",
                  "[1.1] F(x_{1}={5-1}/{2}=2)",
                  "[1.1] F(x_{2}={5+1}/{2}=3)",
                  "[2.2] AnswerHeadingEquation0/11 AnswerJoint/10 F(x=2)s BetweenRoots/11 F(x=3)s",
              }));
}

TEST(SolveQuadratic, ZeroDiscriminantGivesOneRoot) {
    EXPECT_EQ(Solve("x^2-4*x+4=0"), Lines({
                                        "[0.0] F(x^2-4.x+4=0)",
                                        "[1.1] DiscriminantStep/01",
                                        "[1.1] F(D=b^2-4.a.c=(-4)^2-4*1*4=0)",
                                        "[1.1] DiscriminantNotNegative/01",
                                        "[1.1] DiscriminantZero/01",
                                        "[1.1] F(x=-b/{2.a}={4}/{2}=2)",
                                        "[2.2] AnswerHeadingEquation0/11 AnswerJoint/10 F(x=2)s",
                                    }));
}

TEST(SolveQuadratic, NegativeDiscriminantGivesNoRoots) {
    EXPECT_EQ(Solve("x^2+x+1=0"), Lines({
                                      "[0.0] F(x^2+x+1=0)",
                                      "[1.1] DiscriminantStep/01",
                                      "[1.1] F(D=b^2-4.a.c=1^2-4*1*1=-3)",
                                      "[1.1] DiscriminantNegative/01",
                                      "[2.2] AnswerHeadingEquation0/11 AnswerJoint/10 NoRoots/11",
                                  }));
}

TEST(SolveQuadratic, IrrationalRootsAreReducedAfterTheRootLine) {
    EXPECT_EQ(
        Solve("x^2-2*x-1=0"),
        Lines({
            "[0.0] F(x^2-2.x-1=0)",
            "[1.1] DiscriminantStep/01",
            "[1.1] F(D=b^2-4.a.c=(-2)^2-4*1*(-1)=8)",
            "[1.1] DiscriminantNotNegative/01",
            "[1.1] F(x_{1,2}={-b+-!sq2{D}}/{2.a}={2+-!sq2{8}}/{2})",
            "[1.1] Cancellation/01",
            "[1.1] F(x_{1,2}=1+-!sq2{2})",
            "[2.2] AnswerHeadingEquation0/11 AnswerJoint/10 F(x=1-!sq2{2})s BetweenRoots/11 F(x=1+!sq2{2})s",
        }));
}

TEST(SolveQuadratic, IncompleteFormsMoveTheConstantAndDivide) {
    EXPECT_EQ(Solve("3*x^2-12=0"),
              Lines({
                  "[0.0] F(3.x^2-12=0)",
                  "[1.1] ConstantTermMovedRight/01",
                  "[1.1] F(3.x^2=12)",
                  "[1.1] DividedByCoefficient/01",
                  "[1.1] F(x^2=12:3)",
                  "[1.1] F(x^2=4)",
                  "[1.1] F(x=+-2)",
                  "[2.2] AnswerHeadingEquation0/11 AnswerJoint/10 F(x=-2)s BetweenRoots/11 F(x=2)s",
              }));
    EXPECT_EQ(Solve("x^2-5*x=0"),
              Lines({
                  "[0.0] F(x^2-5.x=0)",
                  "[1.1] CommonFactorTakenOut/01",
                  "[1.1] F(x.(x-5)=0)",
                  "[2.2] AnswerHeadingEquation0/11 AnswerJoint/10 F(x=0)s BetweenRoots/11 F(x=5)s",
              }));
}

TEST(SolveLinear, MovesTheConstantTurnsTheSignAndDivides) {
    EXPECT_EQ(Solve("3-2*x=7"), Lines({
                                    "[0.0] F(3-2.x=7)",
                                    "[1.1] TermsReordered/01",
                                    "[1.1] F(-2.x+3=7)",
                                    "[1.1] AllTermsMovedLeft/01",
                                    "[1.1] F(-2.x+3-7=0)",
                                    "[1.1] LikeTermsCombined/01",
                                    "[1.1] F(-2.x-4=0)",
                                    "[1.1] ConstantTermMovedRight/01",
                                    "[1.1] F(-2.x=4)",
                                    "[1.1] BothSidesTimesMinusOne/01",
                                    "[1.1] F(2.x=-4)",
                                    "[1.1] DividedByCoefficient/01",
                                    "[1.1] F(x=(-4):2)",
                                    "[1.1] F(x=-2)",
                                    "[2.2] AnswerHeadingEquation0/11 AnswerJoint/10 F(x=-2)s",
                                }));
}

// Like terms stand next to each other on a line of their own before they are combined.
TEST(SolveLinear, LikeTermsAreBroughtTogetherBeforeTheyAreCombined) {
    const Lines lines = Solve("5*x+2=3*x+8");
    const auto moved = std::find(lines.begin(), lines.end(), "[1.1] AllTermsMovedLeft/01");
    ASSERT_LE(6, lines.end() - moved);
    EXPECT_EQ(Lines(moved, moved + 6), Lines({
                                           "[1.1] AllTermsMovedLeft/01",
                                           "[1.1] F(5.x+2-3.x-8=0)",
                                           "[1.1] TermsReordered/01",
                                           "[1.1] F(5.x-3.x+2-8=0)",
                                           "[1.1] LikeTermsCombined/01",
                                           "[1.1] F(2.x-6=0)",
                                       }));
}

TEST(CheckRoots, ARootThatMakesADenominatorZeroIsRejected) {
    const Lines lines = Solve("1/(x-1)+1/(x+1)=2/(x^2-1)");
    EXPECT_TRUE(Contains(lines, "[1.1,9.0] DomainConditions/01"));
    EXPECT_TRUE(Contains(lines, "[1.1,9.0] F(!sys{x-1!=0 (1);x+1!=0 (2);x^2-1!=0 (3)})"));
    EXPECT_TRUE(Contains(lines, "[1.1,10.0] CheckRootsAgainstConditions/01"));
    EXPECT_TRUE(Contains(
        lines, "[1.1,10.0] F(x=1) RootMakesDenominatorZero/01 F(!brssil{0;1}) RootExcludedByCondition/01"));
    EXPECT_EQ(lines.back(), "[2.2] AnswerHeadingEquation0/11 AnswerJoint/10 NoRoots/11");
}

TEST(CheckRoots, ASingleConditionIsWrittenWithoutASystem) {
    const Lines lines = Solve("1/x=2");
    EXPECT_TRUE(Contains(lines, "[1.1,9.0] F(x!=0 (1))"));
    EXPECT_TRUE(Contains(lines, "[1.1,10.0] F(x=1/2) RootPassesCheck/01"));
    EXPECT_EQ(lines.back(), "[2.2] AnswerHeadingEquation0/11 AnswerJoint/10 F(x=1/2)s");
}

// The roots ±√2 of the cleared equation make the denominator zero: a root written with a square
// root is checked too.
TEST(CheckRoots, RootFormsAreCheckedAsWellAsNumbers) {
    const Lines lines = Solve("(x^2-2)/(x^2-2)+x^2-3=0");
    EXPECT_TRUE(Contains(
        lines,
        "[1.1,10.0] F(x=-!sq2{2}) RootMakesDenominatorZero/01 F(!brssil{0;1}) RootExcludedByCondition/01"));
    EXPECT_EQ(lines.back(), "[2.2] AnswerHeadingEquation0/11 AnswerJoint/10 NoRoots/11");
}

// An identity whose denominators exclude values is every number except them: the roots of each
// denominator, irrational ones included, in ascending order.
TEST(WriteAnswer, AnIdentityWithExcludedValuesIsEveryNumberExceptThem) {
    const Lines lines = Solve("x/(x+1)+1/(x+1)=1");
    EXPECT_TRUE(Contains(lines, "[1.1] F(0=0)"));
    EXPECT_EQ(lines.back(), "[2.2] AnswerHeadingEquation0/11 AnswerJoint/10 F(x)s AnswerEveryNumber/11 "
                            "AnswerExcept/11 F(-1)s");
    EXPECT_EQ(Solve("(x^2-4)/(x^2-3*x+2)=(x+2)/(x-1)").back(),
              "[2.2] AnswerHeadingEquation0/11 AnswerJoint/10 F(x)s AnswerEveryNumber/11 AnswerExcept/11 "
              "F(1)s BetweenRoots/11 F(2)s");
    EXPECT_EQ(Solve("1/(x^2-2)+1=(x^2-1)/(x^2-2)").back(),
              "[2.2] AnswerHeadingEquation0/11 AnswerJoint/10 F(x)s AnswerEveryNumber/11 AnswerExcept/11 "
              "F(-!sq2{2})s BetweenRoots/11 F(!sq2{2})s");
    EXPECT_EQ(Solve("2*(x+1)=2*x+2").back(),
              "[2.2] AnswerHeadingEquation0/11 AnswerJoint/10 F(x)s AnswerEveryNumber/11 AnyValueIsRoot/11");
}

TEST(SolveRelation, ALeftSidePositiveForEveryValueHasNoRoots) {
    EXPECT_EQ(Solve("x^4+x^2+1=0"), Lines({"[0.0] F(x^4+x^2+1=0)", "[1.1] LeftSideAlwaysPositive/01",
                                           "[2.2] AnswerHeadingEquation0/11 AnswerJoint/10 NoRoots/11"}));
    EXPECT_TRUE(Contains(Solve("(x-1)^2+1=0"), "[1.1] LeftSideAlwaysPositive/01"));
}

TEST(SolveRelation, MinusSignsComeOutOfBracketsBeforeSimplifying) {
    const Lines lines = Solve("(2-x)^3=8");
    const auto taken = std::find(lines.begin(), lines.end(), "[1.1] SignTakenOutOfBracket/01");
    ASSERT_NE(taken, lines.end());
    EXPECT_TRUE(Contains(lines, "[1.1] F(-(x-2)^3-8=0)"));
}

TEST(SolveZeroProduct, NestedCasesAreNumberedPartByPart) {
    EXPECT_EQ(Solve("(x-1)*((x-2)*(x-3))=0"),
              Lines({
                  "[0.0] F((x-1).((x-2).(x-3))=0)",
                  "[1.1] ProductIsZeroWhenFactorIs/01",
                  "[1.1,3.1] SubProblemHeading/01 F(1)s",
                  "[1.1,4.2] F(x-1=0)",
                  "[1.1,4.2] ConstantTermMovedRight/01",
                  "[1.1,4.2] F(x=1)",
                  "[1.1,5.3] AnswerHeadingEquation1/11 AnswerJoint/10 F(x=1)s",
                  "[1.1,3.1] SubProblemHeading/01 F(2)s",
                  "[1.1,4.2] F((x-2).(x-3)=0)",
                  "[1.1,4.2] ProductIsZeroWhenFactorIs/01",
                  "[1.1,4.2,3.1] SubProblemHeading/01 F(2)s SubProblemLabelSeparator/01 F(1)s",
                  "[1.1,4.2,4.2] F(x-2=0)",
                  "[1.1,4.2,4.2] ConstantTermMovedRight/01",
                  "[1.1,4.2,4.2] F(x=2)",
                  "[1.1,4.2,5.3] AnswerHeadingEquation1/11 AnswerJoint/10 F(x=2)s",
                  "[1.1,4.2,3.1] SubProblemHeading/01 F(2)s SubProblemLabelSeparator/01 F(2)s",
                  "[1.1,4.2,4.2] F(x-3=0)",
                  "[1.1,4.2,4.2] ConstantTermMovedRight/01",
                  "[1.1,4.2,4.2] F(x=3)",
                  "[1.1,4.2,5.3] AnswerHeadingEquation1/11 AnswerJoint/10 F(x=3)s",
                  "[1.1,5.3] AnswerHeadingEquation1/11 AnswerJoint/10 F(x=2)s BetweenRoots/11 F(x=3)s",
                  "[2.2] AnswerHeadingEquation0/11 AnswerJoint/10 F(x=1)s BetweenRoots/11 F(x=2)s "
                  "BetweenRoots/11 F(x=3)s",
              }));
}

// The equation of every step line "[stack] F(left=right)" holds at every point: the line keeps the
// answer "every number".
void ExpectEveryLineHoldsEverywhere(const Lines& lines) {
    for (const std::string& line : lines) {
        const std::size_t open = line.find("] F(");
        if (open == std::string::npos || line.back() != ')' || line.find('=') == std::string::npos) {
            continue;
        }
        const auto sides = SplitRelation(line.substr(open + 4, line.size() - open - 5));
        ASSERT_TRUE(sides.has_value()) << line;
        for (const int point : {-7, 2, 13}) {
            const std::optional<Quad> difference =
                RelationDifference(*sides, 'x', static_cast<Quad>(point) / 3);
            ASSERT_TRUE(difference.has_value()) << line;
            EXPECT_TRUE(NearlyEqual(*difference + 1, 1)) << line;
        }
    }
}

// A factor that is 0 for every value makes the left side 0 at once: no cases, every number.
TEST(SolveZeroProduct, AFactorThatIsZeroMakesEveryNumberARoot) {
    const std::string everyNumber =
        "[2.2] AnswerHeadingEquation0/11 AnswerJoint/10 F(x)s AnswerEveryNumber/11 AnyValueIsRoot/11";
    EXPECT_EQ(Solve("(x-x)*(x+1)=0"), Lines({
                                          "[0.0] F((x-x).(x+1)=0)",
                                          "[1.1] LikeTermsCombined/01",
                                          "[1.1] F(0.(x+1)=0)",
                                          "[1.1] F(0=0)",
                                          everyNumber,
                                      }));
    EXPECT_EQ(Solve("0*(x+1)=0"), Lines({"[0.0] F(0.(x+1)=0)", "[1.1] F(0=0)", everyNumber}));
    for (const char* problem : {"(x-x)*(x+1)=0", "0*(x+1)=0", "(x+1)^2-x^2=2*x+1"}) {
        SCOPED_TRACE(problem);
        const Lines lines = Solve(problem);
        EXPECT_FALSE(Contains(lines, "[1.1] ProductIsZeroWhenFactorIs/01"));
        EXPECT_EQ(lines.back(), everyNumber);
        ExpectEveryLineHoldsEverywhere(lines);
    }
}

// Every branch of the incomplete quadratic (and of x^n = k for an even n) lists its two roots as the
// discriminant branches do: ascending, -r before r.
TEST(SolveQuadratic, IncompleteFormsListTheNegativeRootFirst) {
    const std::pair<const char*, const char*> cases[] = {
        {"x^2=4", "F(x=-2)s BetweenRoots/11 F(x=2)s"},
        {"x^2-9=0", "F(x=-3)s BetweenRoots/11 F(x=3)s"},
        {"2*x^2=8", "F(x=-2)s BetweenRoots/11 F(x=2)s"},
        {"4-x^2=0", "F(x=-2)s BetweenRoots/11 F(x=2)s"},
        {"x^2=2", "F(x=-!sq2{2})s BetweenRoots/11 F(x=!sq2{2})s"},
        {"3*x^2-5=1", "F(x=-!sq2{2})s BetweenRoots/11 F(x=!sq2{2})s"},
        {"x^4=16", "F(x=-2)s BetweenRoots/11 F(x=2)s"},
    };
    for (const auto& [problem, roots] : cases) {
        SCOPED_TRACE(problem);
        EXPECT_EQ(Solve(problem).back(),
                  std::string("[2.2] AnswerHeadingEquation0/11 AnswerJoint/10 ") + roots);
    }
}

TEST(SolveZeroProduct, AFractionIsZeroWhenItsNumeratorIs) {
    const Lines lines = Solve("(x-3)/(x^2+1)=0");
    EXPECT_TRUE(Contains(lines, "[1.1] FractionIsZeroWhenNumeratorIs/01"));
    EXPECT_EQ(lines.back(), "[2.2] AnswerHeadingEquation0/11 AnswerJoint/10 F(x=3)s");
    // The numerator = 0 stands under the comment, before its terms are reordered.
    const Lines half = Solve("x/2=3");
    const auto comment = std::find(half.begin(), half.end(), "[1.1] FractionIsZeroWhenNumeratorIs/01");
    ASSERT_LE(4, half.end() - comment);
    EXPECT_EQ(Lines(comment + 1, comment + 4),
              Lines({"[1.1] F(-3*2+x=0)", "[1.1] TermsReordered/01", "[1.1] F(x-6=0)"}));
}

// An identity whose left side is 0 (a rational form's 0^1) ends at 0 = 0: no step that changes
// nothing under "We use the rules of powers".
TEST(SolveZeroProduct, ALeftSideWrittenZeroIsNotSimplifiedAgain) {
    const Lines lines = Solve("(x^2-1)/(x-1)=x+1");
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "[1.1] F(0=0)");
    EXPECT_FALSE(Contains(lines, "[1.1] PowersJoined/01"));
}

} // namespace
