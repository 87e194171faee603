// Transcripts of the reductions by substitution: the comments and line-block stages each reduction
// writes, in order, and every equation line checked by value: a line of a chain keeps the roots
// of that chain's answer (each answered root satisfies it, and every sign change of the line's
// left - right on a fine grid lies next to an answered root or a pole), and the answered roots
// satisfy the problem. The evaluation is the test support's own, not the engine's.

#include "solver/WorkspaceTranscript.h"
#include "solver/equation/EquationTestSupport.h"

#include "SubstitutionTestSupport.h"
#include "markup/ProblemText.h"
#include "output/ProblemError.h"
#include "solver/CExEquation.h"
#include "solver/SolveProblem.h"
#include "solver/substitution/Reductions.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Lines = std::vector<std::string>;

Lines Solve(const std::string& problem) {
    COutputList solution;
    SolveProblem(ProblemKind::Equation, problem, &solution);
    return Transcript(solution);
}

// The transcript of one reduction called directly on "problem" (already in the form it expects).
Lines SolveWith(const std::string& problem, bool (*reduction)(CExEquation&, bool)) {
    std::string text = problem;
    PrepareProblemText(text);
    COutputList solution;
    CExEquation workspace(text, &solution, 'x');
    EXPECT_TRUE(reduction(workspace, true)) << problem;
    return Transcript(solution);
}

// The lines from the first one equal to `from` up to the first one starting with `until`
// (excluded).
Lines Between(const Lines& lines, const std::string& from, const std::string& until) {
    auto first = std::find(lines.begin(), lines.end(), from);
    auto last =
        std::find_if(first, lines.end(), [&](const std::string& line) { return line.rfind(until, 0) == 0; });
    return Lines(first, last);
}

// The text of the formula of a line "[stack] F(text)" (a step line), or "".
std::string StepFormula(const std::string& line, const std::string& stack) {
    const std::string prefix = stack + " F(";
    if (line.rfind(prefix, 0) != 0 || line.back() != ')') {
        return "";
    }
    return line.substr(prefix.size(), line.size() - prefix.size() - 1);
}

// The roots of the answer record with the line-block stack `stack`: the texts after "letter=".
std::vector<Quad> AnswerRoots(const Lines& lines, const std::string& stack, char letter) {
    std::vector<Quad> roots;
    for (const std::string& line : lines) {
        if (line.rfind(stack + " ", 0) != 0 || line.find("AnswerJoint/10") == std::string::npos) {
            continue;
        }
        const std::string open = std::string("F(") + letter + "=";
        for (std::size_t at = line.find(open); at != std::string::npos; at = line.find(open, at + 1)) {
            const std::size_t end = line.find(")s", at);
            std::optional<Quad> value =
                QuadValue(line.substr(at + open.size(), end - at - open.size()), letter, 0);
            EXPECT_TRUE(value.has_value()) << line;
            if (value) {
                roots.push_back(*value);
            }
        }
        return roots;
    }
    ADD_FAILURE() << "no answer record at " << stack;
    return roots;
}

// The relation holds at every root, and has no root on [-40, 40] besides them.
void ExpectKeepsRoots(const std::string& relation, char letter, const std::vector<Quad>& roots) {
    SCOPED_TRACE(relation);
    const auto sides = SplitRelation(relation);
    ASSERT_TRUE(sides.has_value());
    for (Quad root : roots) {
        std::optional<Quad> left = QuadValue(sides->first, letter, root);
        std::optional<Quad> right = QuadValue(sides->second, letter, root);
        ASSERT_TRUE(left && right) << static_cast<double>(root);
        const Quad scale = (*left < 0 ? -*left : *left) + (*right < 0 ? -*right : *right) + 1;
        EXPECT_TRUE(NearlyEqual(*left - *right + scale, scale)) << static_cast<double>(root);
    }
    for (Quad x : UnansweredRoots(*sides, letter, roots)) {
        ADD_FAILURE() << "a root near " << static_cast<double>(x) << " is not answered";
    }
}

// Every equation line whose line-block stack is one of `stacks` keeps `roots`; returns how many lines
// were checked.
int ExpectLinesKeepRoots(const Lines& lines, const std::vector<std::string>& stacks, char letter,
                         const std::vector<Quad>& roots) {
    int checked = 0;
    for (const std::string& line : lines) {
        for (const std::string& stack : stacks) {
            const std::string formula = StepFormula(line, stack);
            // Equations only: the discriminant and root formula lines chain several "=", and the lines
            // of a pair of roots ("x=±3", "x_{1,2}=1±!sq2{3}") hold the plus-minus sign.
            if (std::count(formula.begin(), formula.end(), '=') == 1 &&
                formula.find('\xB1') == std::string::npos) {
                ExpectKeepsRoots(formula, letter, roots);
                ++checked;
            }
        }
    }
    return checked;
}

// The same with the roots answered at `answerStack`.
int ExpectChainKeepsRoots(const Lines& lines, const std::vector<std::string>& stacks,
                          const std::string& answerStack, char letter) {
    return ExpectLinesKeepRoots(lines, stacks, letter, AnswerRoots(lines, answerStack, letter));
}

// The numbered cases under the line-block stack `parent` (written without its closing bracket):
// in each, the equation lines keep the roots of that case's answer. Returns the number of cases.
int ExpectCasesKeepRoots(const Lines& lines, const std::string& parent, char letter) {
    const std::string number = parent + ",3.1] SubProblemHeading/01";
    int cases = 0;
    for (auto first = lines.begin(); first != lines.end(); ++first) {
        if (first->rfind(number, 0) != 0) {
            continue;
        }
        auto last = std::find_if(first + 1, lines.end(),
                                 [&](const std::string& line) { return line.rfind(number, 0) == 0; });
        SCOPED_TRACE(*first);
        ExpectChainKeepsRoots(Lines(first, last), {parent + ",4.2]"}, parent + ",5.3]", letter);
        ++cases;
    }
    return cases;
}

// The lines with the new letters A and B read in x: A and B replaced by their bracketed expressions.
Lines WrittenInX(Lines lines, const std::string& first, const std::string& second) {
    for (std::string& line : lines) {
        std::string inX;
        for (char c : line) {
            inX += c == 'A' ? "(" + first + ")" : c == 'B' ? "(" + second + ")" : std::string(1, c);
        }
        line = inX;
    }
    return lines;
}

// The check itself: a root left out, and a pole, are told apart.
TEST(TranscriptChecks, AMissedRootIsFoundAndAPoleIsNot) {
    const auto square = SplitRelation("x^2-4=0");
    ASSERT_TRUE(square.has_value());
    const std::vector<Quad> missed = UnansweredRoots(*square, 'x', {2});
    ASSERT_EQ(missed.size(), 1u);
    EXPECT_TRUE(missed[0] >= -2 && missed[0] <= -2 + static_cast<Quad>(1) / 32);
    const auto fraction = SplitRelation("1/(x-1)=0");
    ASSERT_TRUE(fraction.has_value());
    EXPECT_TRUE(UnansweredRoots(*fraction, 'x', {}).empty());
}

TEST(ShiftedCubeTranscript, TheRestIsGroupedApartBeforeTheCubeIsWritten) {
    const Lines lines = Solve("4*x^3-6*x^2+3*x-2=0");
    EXPECT_EQ(Between(lines, "[0.0] F(4.x^3-6.x^2+3.x-2=0)", "[1.1,6.1]"),
              Lines({
                  "[0.0] F(4.x^3-6.x^2+3.x-2=0)",
                  "[1.1] F(8.x^3-12.x^2+6.x-4=0)",
                  "[1.1] TermsGrouped/01",
                  "[1.1] F((8.x^3-12.x^2+6.x-1)-3=0)",
                  "[1.1] OtherPowerFormula/01",
                  "[1.1] F((2.x-1)^3-3=0)",
                  "[1.1,11.0] SubstitutionIntroduced/01",
                  "[1.1,11.0] NewLetterDefinition/01 F(t=2.x-1)s",
              }));
    EXPECT_EQ(ExpectChainKeepsRoots(lines, {"[0.0]", "[1.1]"}, "[2.2]", 'x'), 6);
    EXPECT_EQ(ExpectChainKeepsRoots(lines, {"[1.1,6.1]", "[1.1,7.2]"}, "[1.1,8.3]", 't'), 2);
}

TEST(ShiftedCubeTranscript, ANumberOtherThanOneIsTakenOutOfTheCubesTerms) {
    const Lines lines = Solve("-2*x^3-6*x^2-6*x-3=0");
    EXPECT_EQ(Between(lines, "[0.0] F(-2.x^3-6.x^2-6.x-3=0)", "[1.1,11.0]"),
              Lines({
                  "[0.0] F(-2.x^3-6.x^2-6.x-3=0)",
                  "[1.1] BothSidesTimesMinusOne/01",
                  "[1.1] F(2.x^3+6.x^2+6.x+3=0)",
                  "[1.1] TermsGrouped/01",
                  "[1.1] F((2.x^3+6.x^2+6.x+2)+1=0)",
                  "[1.1] CommonFactorTakenOut/01",
                  "[1.1] F(2.(x^3+3.x^2+3.x+1)+1=0)",
                  "[1.1] OtherPowerFormula/01",
                  "[1.1] F(2.(x+1)^3+1=0)",
              }));
    ExpectChainKeepsRoots(lines, {"[1.1]"}, "[2.2]", 'x');
    // An exact cube is written at once.
    EXPECT_EQ(Between(Solve("8*x^3-12*x^2+6*x-1=0"), "[0.0] F(8.x^3-12.x^2+6.x-1=0)", "[1.1,11.0]"),
              Lines({"[0.0] F(8.x^3-12.x^2+6.x-1=0)", "[1.1] OtherPowerFormula/01", "[1.1] F((2.x-1)^3=0)"}));
}

// A value of the new letter written with a root sign is taken back by the linear steps, and the root
// found as an expression is stated in an answer of its own, as every back-substituted equation's is.
TEST(ShiftedCubeTranscript, ARootWrittenAsAnExpressionGetsItsOwnAnswer) {
    const Lines lines = Solve("2*x^3+6*x^2+6*x+7=0");
    EXPECT_EQ(Between(lines, "[1.1] ReturnToFirstUnknown/01", "[2.2]"),
              Lines({
                  "[1.1] ReturnToFirstUnknown/01",
                  "[1.1] F(x+1=-!sqn{3;5/2})s",
                  "[1.1] ConstantTermMovedRight/01",
                  "[1.1] F(x=(-!sqn{3;5/2})-1)",
                  "[1.1] AnswerHeadingEquation1/11 AnswerJoint/10 F(x=(-!sqn{3;5/2})-1)s",
              }));
    EXPECT_EQ(lines.back(), "[2.2] AnswerHeadingEquation0/11 AnswerJoint/10 F(x=(-!sqn{3;5/2})-1)s");
    EXPECT_EQ(ExpectChainKeepsRoots(lines, {"[0.0]", "[1.1]"}, "[2.2]", 'x'), 5);
}

// Called directly, with a leading number to take out of the first pair.
TEST(SymmetricQuarticTranscript, TheFirstPairIsCompletedToASquareAndTheSecondFactored) {
    const std::string problem = "-2*x^4+2*x^3+20*x^2-4*x-8=0";
    const Lines lines = SolveWith(problem, SolveSymmetricQuartic);
    // 2·(t^2 - t - 6) in t = x - 2/x: t = -2 gives x = -1 ± √3, t = 3 gives x = (3 ± √17)/2.
    const Quad root3 = *QuadValue("!sq2{3}", 'x', 0);
    const Quad root17 = *QuadValue("!sq2{17}", 'x', 0);
    const std::vector<Quad> roots = {-1 - root3, -1 + root3, (3 - root17) / 2, (3 + root17) / 2};
    ExpectKeepsRoots(problem, 'x', roots);
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 14), Lines({
                                                            "[] BothSidesTimesMinusOne/01",
                                                            "[] F(2.x^4-2.x^3-20.x^2+4.x+8=0)",
                                                            "[] TermsGrouped/01",
                                                            "[] F((2.x^2+8/x^2)-(2.x-4/x)-20=0)",
                                                            "[] CommonFactorTakenOut/01",
                                                            "[] F(2.(x^2+4/x^2)-(2.x-4/x)-20=0)",
                                                            "[] OppositeLikeTermsInserted/01",
                                                            "[] F(2.(x^2-4+4/x^2+4)-(2.x-4/x)-20=0)",
                                                            "[] SquareOfDifference/01",
                                                            "[] F(2.((x-2/x)^2+4)-(2.x-4/x)-20=0)",
                                                            "[] CommonFactorTakenOut/01",
                                                            "[] F(2.((x-2/x)^2+4)-2.(x-2/x)-20=0)",
                                                            "[11.0] SubstitutionIntroduced/01",
                                                            "[11.0] NewLetterDefinition/01 F(t=x-2/x)s",
                                                        }));
    EXPECT_EQ(ExpectLinesKeepRoots(lines, {"[]"}, 'x', roots), 6);
    EXPECT_EQ(ExpectChainKeepsRoots(lines, {"[6.1]", "[7.2]"}, "[8.3]", 't'), 2);
    // With k > 0 the square is that of a sum.
    const Lines sum = SolveWith("x^4+x^3-4*x^2+x+1=0", SolveSymmetricQuartic);
    EXPECT_NE(std::find(sum.begin(), sum.end(), "[] F(((x+1/x)^2-2)+(x+1/x)-4=0)"), sum.end());
    EXPECT_EQ(sum[4], "[] SquareOfSum/01");
}

// A quartic with all five coefficients gets the derivation written for it, not the reciprocal
// equation's cases: grouped after the division by x^2, the first pair completed to a square.
TEST(SymmetricQuarticTranscript, TheSolverTakesTheQuarticsOwnDerivation) {
    const Lines lines = Solve("x^4-7*x^3+16*x^2-14*x+4=0");
    EXPECT_EQ(Between(lines, "[0.0] F(x^4-7.x^3+16.x^2-14.x+4=0)", "[1.1,6.1]"),
              Lines({
                  "[0.0] F(x^4-7.x^3+16.x^2-14.x+4=0)",
                  "[1.1] TermsGrouped/01",
                  "[1.1] F((x^2+4/x^2)-(7.x+14/x)+16=0)",
                  "[1.1] OppositeLikeTermsInserted/01",
                  "[1.1] F((x^2+4+4/x^2-4)-(7.x+14/x)+16=0)",
                  "[1.1] SquareOfSum/01",
                  "[1.1] F(((x+2/x)^2-4)-(7.x+14/x)+16=0)",
                  "[1.1] CommonFactorTakenOut/01",
                  "[1.1] F(((x+2/x)^2-4)-7.(x+2/x)+16=0)",
                  "[1.1,11.0] SubstitutionIntroduced/01",
                  "[1.1,11.0] NewLetterDefinition/01 F(t=x+2/x)s",
              }));
    EXPECT_EQ(lines.back(), "[2.2] AnswerHeadingEquation0/11 AnswerJoint/10 F(x=2-!sq2{2})s BetweenRoots/11 F(x=1)s "
                            "BetweenRoots/11 F(x=2)s BetweenRoots/11 F(x=2+!sq2{2})s");
    EXPECT_EQ(ExpectChainKeepsRoots(lines, {"[0.0]", "[1.1]"}, "[2.2]", 'x'), 5);
    EXPECT_EQ(ExpectChainKeepsRoots(lines, {"[1.1,6.1]", "[1.1,7.2]"}, "[1.1,8.3]", 't'), 1);
    EXPECT_EQ(ExpectCasesKeepRoots(lines, "[1.1", 'x'), 2);
    // Written as a sum of products, the quartic is multiplied out first.
    const Lines products = Solve("x^2*(x^2-7*x+16)-14*x+4=0");
    EXPECT_EQ(
        Lines(products.begin() + 1, products.begin() + 4),
        Lines({"[1.1] BracketsOpened/01", "[1.1] F(x^4-7.x^3+16.x^2-14.x+4=0)", "[1.1] TermsGrouped/01"}));
    EXPECT_EQ(products.back(), lines.back());
}

// x^6 - 4x^5 - 6x^4 + 28x^3 - 6x^2 - 4x + 1 = 0 is (t - 4)(t^2 - 9) = 0 in t = x + 1/x: the divided
// equation is rewritten through x + 1/x before the new letter stands for it.
TEST(ReciprocalTranscript, XZeroIsACaseOfItsOwnBeforeTheDivision) {
    const Lines lines = Solve("x^6-4*x^5-6*x^4+28*x^3-6*x^2-4*x+1=0");
    EXPECT_EQ(Between(lines, "[0.0] F(x^6-4.x^5-6.x^4+28.x^3-6.x^2-4.x+1=0)", "[1.1,4.2,6.1]"),
              Lines({
                  "[0.0] F(x^6-4.x^5-6.x^4+28.x^3-6.x^2-4.x+1=0)",
                  "[1.1,3.1] SubProblemHeading/01 F(1)s",
                  "[1.1,3.1] F(x=0)s",
                  "[1.1,4.2] F(1=0)",
                  "[1.1,5.3] AnswerHeadingEquation1/11 AnswerJoint/10 NoRoots/11",
                  "[1.1,3.1] SubProblemHeading/01 F(2)s",
                  "[1.1,3.1] F(x\xB9"
                  "0)s",
                  "[1.1,4.2] PowerOfUnknownDividedOut/01",
                  "[1.1,4.2] F((x^3+1/x^3)-4.(x^2+1/x^2)-6.(x+1/x)+28=0)",
                  "[1.1,4.2] OtherPowerFormula/01",
                  "[1.1,4.2] F(((x+1/x)^3-3.(x+1/x))-4.((x+1/x)^2-2)-6.(x+1/x)+28=0)",
                  "[1.1,4.2,11.0] SubstitutionIntroduced/01",
                  "[1.1,4.2,11.0] NewLetterDefinition/01 F(t=x+1/x)s",
              }));
    EXPECT_EQ(lines.back(), "[2.2] AnswerHeadingEquation0/11 AnswerJoint/10 F(x={-3-!sq2{5}}/2)s BetweenRoots/11 "
                            "F(x={-3+!sq2{5}}/2)s BetweenRoots/11 F(x=2-!sq2{3})s BetweenRoots/11 "
                            "F(x={3-!sq2{5}}/2)s BetweenRoots/11 F(x={3+!sq2{5}}/2)s BetweenRoots/11 "
                            "F(x=2+!sq2{3})s");
    EXPECT_EQ(ExpectCasesKeepRoots(lines, "[1.1", 'x'), 2);
    EXPECT_EQ(ExpectCasesKeepRoots(lines, "[1.1,4.2", 'x'), 3);
    EXPECT_EQ(ExpectChainKeepsRoots(lines, {"[0.0]"}, "[2.2]", 'x'), 1);
}

TEST(PairedFactorsTranscript, EqualPairProductsAreGatheredIntoAPower) {
    const Lines lines = Solve("(x+1)^2*(x+2)^2=4");
    EXPECT_EQ(Between(lines, "[0.0] F((x+1)^2.(x+2)^2=4)", "[1.1,7.2]"),
              Lines({
                  "[0.0] F((x+1)^2.(x+2)^2=4)",
                  "[1.1] AllTermsMovedLeft/01",
                  "[1.1] F((x+1)^2.(x+2)^2-4=0)",
                  "[1.1] TermsReordered/01",
                  "[1.1] F(((x+1).(x+2)).((x+1).(x+2))-4=0)",
                  "[1.1] BracketsOpened/01",
                  "[1.1] F((x^2+3.x+2).(x^2+3.x+2)-4=0)",
                  "[1.1] PowersJoined/01",
                  "[1.1] F((x^2+3.x+2)^2-4=0)",
                  "[1.1,11.0] SubstitutionIntroduced/01",
                  "[1.1,11.0] NewLetterDefinition/01 F(t=x^2+3.x)s",
                  "[1.1,6.1] EquationInNewLetter/01",
                  "[1.1,6.1] F((t+2)^2-4=0)",
              }));
    EXPECT_EQ(lines.back(),
              "[2.2] AnswerHeadingEquation0/11 AnswerJoint/10 F(x=-3)s BetweenRoots/11 F(x=0)s");
    EXPECT_EQ(ExpectChainKeepsRoots(lines, {"[0.0]", "[1.1]"}, "[2.2]", 'x'), 5);
    EXPECT_EQ(ExpectChainKeepsRoots(lines, {"[1.1,6.1]", "[1.1,7.2]"}, "[1.1,8.3]", 't'), 3);
    EXPECT_EQ(ExpectCasesKeepRoots(lines, "[1.1,7.2", 't'), 2);
    EXPECT_EQ(ExpectCasesKeepRoots(lines, "[1.1", 'x'), 2);
}

TEST(PairedFactorsTranscript, DifferentPairProductsAreOnlyMultipliedOut) {
    const Lines lines = Solve("(x-4)*(x-5)*(x-6)*(x-7)=1680");
    EXPECT_EQ(Between(lines, "[1.1] TermsReordered/01", "[1.1,11.0]"),
              Lines({
                  "[1.1] TermsReordered/01",
                  "[1.1] F(((x-4).(x-7)).((x-5).(x-6))-1680=0)",
                  "[1.1] BracketsOpened/01",
                  "[1.1] F((x^2-11.x+28).(x^2-11.x+30)-1680=0)",
              }));
    EXPECT_EQ(ExpectChainKeepsRoots(lines, {"[0.0]", "[1.1]"}, "[2.2]", 'x'), 4);
    EXPECT_EQ(ExpectCasesKeepRoots(lines, "[1.1", 'x'), 2);
}

// (x-1)(x+1)(x+1)(x+3) - 21 in t = x^2 + 2x: (t - 3)(t + 1) = 21, t = 6 or t = -4; x^2 + 2x = 6
// gives x = -1 ± √7, x^2 + 2x = -4 nothing.
TEST(PairedFactorsTranscript, FactorsThatDoNotPairAsWrittenAreFactorisedFirst) {
    const Lines lines = Solve("(x^2-1)*(x^2+4*x+3)=21");
    EXPECT_EQ(Between(lines, "[1.1] LeftSideFactorised/01", "[1.1,11.0]"),
              Lines({
                  "[1.1] LeftSideFactorised/01",
                  "[1.1] F((x-1).(x+1).(x+1).(x+3)-21=0)",
                  "[1.1] TermsReordered/01",
                  "[1.1] F(((x-1).(x+3)).((x+1).(x+1))-21=0)",
                  "[1.1] BracketsOpened/01",
                  "[1.1] F((x^2+2.x-3).(x^2+2.x+1)-21=0)",
              }));
    EXPECT_EQ(
        lines.back(),
        "[2.2] AnswerHeadingEquation0/11 AnswerJoint/10 F(x=-1-!sq2{7})s BetweenRoots/11 F(x=-1+!sq2{7})s");
    EXPECT_EQ(ExpectChainKeepsRoots(lines, {"[0.0]", "[1.1]"}, "[2.2]", 'x'), 5);
    EXPECT_EQ(ExpectCasesKeepRoots(lines, "[1.1", 'x'), 2);
}

TEST(HomogeneousFormTranscript, TermsAreSplitFactoredAndTheSquareOfBWritten) {
    const Lines lines = Solve("x^4-5*x^3+x^2+12*x+6=0");
    EXPECT_EQ(Between(lines, "[0.0] F(x^4-5.x^3+x^2+12.x+6=0)", "[1.1,7.2,4.2,11.0]"),
              Lines({
                  "[0.0] F(x^4-5.x^3+x^2+12.x+6=0)",
                  "[1.1] TermsGrouped/01",
                  "[1.1] F(x^4-(5.x^3+5.x^2)+(6.x^2+12.x+6)=0)",
                  "[1.1] CommonFactorTakenOut/01",
                  "[1.1] F(x^4-5.x^2.(x+1)+6.(x^2+2.x+1)=0)",
                  "[1.1] SquareOfSum/01",
                  "[1.1] F(x^4-5.x^2.(x+1)+6.(x+1)^2=0)",
                  "[1.1,11.0] NewLettersIntroduced/01",
                  "[1.1,11.0] NewLetterDefinition/01 F(A=x^2)s BetweenRoots/01 F(B=x+1)s",
                  "[1.1,6.1] EquationInNewLetters/01",
                  "[1.1,6.1] F(A^2-5.A.B+6.B^2=0)",
                  "[1.1,7.2] HomogeneousEquation/01",
                  "[1.1,7.2,3.1] SubProblemHeading/01 F(1)s",
                  "[1.1,7.2,3.1] F(B=0)s",
                  "[1.1,7.2,4.2] FirstNewLetterZeroToo/01",
                  "[1.1,7.2,4.2] F(A=0)",
                  "[1.1,7.2,4.2] ReturnToFirstUnknown/01",
                  "[1.1,7.2,4.2] F(x^2=0)",
                  "[1.1,7.2,4.2] CheckRootsOfCaseBZero/01",
                  "[1.1,7.2,4.2] F(x=0)s RootOfCaseBZeroRemoved/01",
                  "[1.1,7.2,5.3] AnswerHeadingEquation1/11 AnswerJoint/10 NoRoots/11",
                  "[1.1,7.2,3.1] SubProblemHeading/01 F(2)s AnswerJoint/10",
                  "[1.1,7.2,3.1] F(B\xB9"
                  "0)s",
                  "[1.1,7.2,4.2] DividedByPowerOfSecondNewLetter/01",
                  "[1.1,7.2,4.2] F((A/B)^2-5*{A/B}+6=0)",
                  "[1.1,7.2,4.2] ReturnToFirstUnknown/01",
                  "[1.1,7.2,4.2] F((x^2/{x+1})^2-5*{x^2/{x+1}}+6=0)",
              }));
    EXPECT_EQ(lines.back(),
              "[2.2] AnswerHeadingEquation0/11 AnswerJoint/10 F(x={3-!sq2{21}}/2)s BetweenRoots/11 "
              "F(x=1-!sq2{3})s BetweenRoots/11 F(x=1+!sq2{3})s BetweenRoots/11 "
              "F(x={3+!sq2{21}}/2)s");
    EXPECT_EQ(ExpectChainKeepsRoots(lines, {"[0.0]", "[1.1]"}, "[2.2]", 'x'), 4);
    // Case 1: A = 0, that is x^2 = 0, has the root 0, where B = x + 1 is not 0.
    const Lines first = WrittenInX(Between(lines, "[1.1,7.2,3.1] SubProblemHeading/01 F(1)s",
                                           "[1.1,7.2,3.1] SubProblemHeading/01 F(2)s"),
                                   "x^2", "x+1");
    EXPECT_EQ(ExpectLinesKeepRoots(first, {"[1.1,7.2,4.2]"}, 'x', {0}), 2);
    // Case 2: divided by B^2, in A/B and in x, the roots of the problem kept; the equation in t = A/B,
    // and the values of A/B taken back.
    const Lines second = Between(lines, "[1.1,7.2,3.1] SubProblemHeading/01 F(2)s AnswerJoint/10", "[2.2]");
    EXPECT_EQ(ExpectLinesKeepRoots(WrittenInX(second, "x^2", "x+1"), {"[1.1,7.2,4.2]"}, 'x',
                                   AnswerRoots(lines, "[2.2]", 'x')),
              2);
    EXPECT_EQ(ExpectChainKeepsRoots(second, {"[1.1,7.2,4.2,6.1]"}, "[1.1,7.2,4.2,8.3]", 't'), 1);
    EXPECT_EQ(ExpectCasesKeepRoots(second, "[1.1,7.2,4.2", 'x'), 2);
}

TEST(HomogeneousFormTranscript, ANegativeShiftSquaresADifferenceAndOtherFormsAreMultipliedOutFirst) {
    const Lines minus = Solve("2*x^4+x^3-5*x^2+12*x-12=0");
    EXPECT_EQ(Between(minus, "[1.1] TermsGrouped/01", "[1.1,11.0]"),
              Lines({
                  "[1.1] TermsGrouped/01",
                  "[1.1] F(2.x^4+(x^3-2.x^2)-(3.x^2-12.x+12)=0)",
                  "[1.1] CommonFactorTakenOut/01",
                  "[1.1] F(2.x^4+x^2.(x-2)-3.(x^2-4.x+4)=0)",
                  "[1.1] SquareOfDifference/01",
                  "[1.1] F(2.x^4+x^2.(x-2)-3.(x-2)^2=0)",
              }));
    EXPECT_EQ(ExpectChainKeepsRoots(minus, {"[0.0]", "[1.1]"}, "[2.2]", 'x'), 4);
    const Lines product = Solve("x^2*(x^2-5*x)-5*x^2+6*(x+1)^2=0");
    EXPECT_EQ(Between(product, "[1.1] BracketsOpened/01", "[1.1] CommonFactorTakenOut/01"),
              Lines({
                  "[1.1] BracketsOpened/01",
                  "[1.1] F(x^4-5.x^3-5.x^2+6.x^2+12.x+6=0)",
                  "[1.1] LikeTermsCombined/01",
                  "[1.1] F(x^4-5.x^3+x^2+12.x+6=0)",
                  "[1.1] TermsGrouped/01",
                  "[1.1] F(x^4-(5.x^3+5.x^2)+(6.x^2+12.x+6)=0)",
              }));
    EXPECT_EQ(ExpectChainKeepsRoots(product, {"[0.0]", "[1.1]"}, "[2.2]", 'x'), 6);
    // Opened brackets without like terms need no step combining them: four steps to the form.
    const Lines opened = Solve("x^2*(x^2-3*x-1)+4*x+2=0");
    EXPECT_EQ(Between(opened, "[0.0] F(x^2.(x^2-3.x-1)+4.x+2=0)", "[1.1,11.0]"),
              Lines({
                  "[0.0] F(x^2.(x^2-3.x-1)+4.x+2=0)",
                  "[1.1] BracketsOpened/01",
                  "[1.1] F(x^4-3.x^3-x^2+4.x+2=0)",
                  "[1.1] TermsGrouped/01",
                  "[1.1] F(x^4-(3.x^3+3.x^2)+(2.x^2+4.x+2)=0)",
                  "[1.1] CommonFactorTakenOut/01",
                  "[1.1] F(x^4-3.x^2.(x+1)+2.(x^2+2.x+1)=0)",
                  "[1.1] SquareOfSum/01",
                  "[1.1] F(x^4-3.x^2.(x+1)+2.(x+1)^2=0)",
              }));
    EXPECT_EQ(ExpectChainKeepsRoots(opened, {"[0.0]", "[1.1]"}, "[2.2]", 'x'), 5);
    // A left side already in the form is not rewritten.
    const Lines ready = Solve("x^4-5*x^2*(x+1)+6*(x+1)^2=0");
    EXPECT_EQ(ready[1], "[1.1,11.0] NewLettersIntroduced/01");
}

// No line uses a letter before the line that brings it in, and each follows from the lines above:
// B = 0 gives A = 0 before A's expression is written; B ≠ 0 divides by B^2 in A and B, goes back to
// x, and only then brings in t. The numbers of case 2.1 are moved together and combined, each under
// its comment.
TEST(TwoLetterTranscript, EachCaseSaysWhyBeforeItWritesANewLine) {
    const Lines lines = Solve("(x+1)^2=(x-1)^2");
    const Lines first = Between(lines, "[1.1,7.2,3.1] SubProblemHeading/01 F(1)s", "[1.1,7.2,4.2] F(x=-1)");
    EXPECT_EQ(first, Lines({
                         "[1.1,7.2,3.1] SubProblemHeading/01 F(1)s",
                         "[1.1,7.2,3.1] F(B=0)s",
                         "[1.1,7.2,4.2] FirstNewLetterZeroToo/01",
                         "[1.1,7.2,4.2] F(A=0)",
                         "[1.1,7.2,4.2] ReturnToFirstUnknown/01",
                         "[1.1,7.2,4.2] F(x+1=0)",
                         "[1.1,7.2,4.2] ConstantTermMovedRight/01",
                     }));
    const Lines second =
        Between(lines, "[1.1,7.2,3.1] SubProblemHeading/01 F(2)s AnswerJoint/10", "[1.1,7.2,4.2,6.1]");
    EXPECT_EQ(Lines(second.begin() + 2, second.end()),
              Lines({
                  "[1.1,7.2,4.2] DividedByPowerOfSecondNewLetter/01",
                  "[1.1,7.2,4.2] F((A/B)^2-1=0)",
                  "[1.1,7.2,4.2] ReturnToFirstUnknown/01",
                  "[1.1,7.2,4.2] F(({x+1}/{x-1})^2-1=0)",
                  "[1.1,7.2,4.2,11.0] SubstitutionIntroduced/01",
                  "[1.1,7.2,4.2,11.0] NewLetterDefinition/01 F(t={x+1}/{x-1})s",
              }));
    EXPECT_EQ(Between(lines, "[1.1,7.2,4.2,4.2] F(x-1+x+1=0)", "[1.1,7.2,4.2,4.2,10.0]"),
              Lines({
                  "[1.1,7.2,4.2,4.2] F(x-1+x+1=0)",
                  "[1.1,7.2,4.2,4.2] TermsReordered/01",
                  "[1.1,7.2,4.2,4.2] F(x-1+1+x=0)",
                  "[1.1,7.2,4.2,4.2] LikeTermsCombined/01",
                  "[1.1,7.2,4.2,4.2] F(x+x=0)",
                  "[1.1,7.2,4.2,4.2] LikeTermsCombined/01",
                  "[1.1,7.2,4.2,4.2] F(2.x=0)",
              }));
    EXPECT_EQ(lines.back(), "[2.2] AnswerHeadingEquation0/11 AnswerJoint/10 F(x=0)s");
    // Read with A = x + 1 and B = x - 1: case 1 keeps its root -1, case 2 the root 0 of the problem.
    EXPECT_EQ(ExpectLinesKeepRoots(WrittenInX(first, "x+1", "x-1"), {"[1.1,7.2,4.2]"}, 'x', {-1}), 2);
    EXPECT_EQ(ExpectLinesKeepRoots(WrittenInX(second, "x+1", "x-1"), {"[1.1,7.2,4.2]"}, 'x', {0}), 2);
    EXPECT_EQ(ExpectCasesKeepRoots(lines, "[1.1,7.2,4.2", 'x'), 2);
}

// The two-letter substitution handed "equation in A and B" with A and B standing for `first` and
// `second`, in a workspace over x^4 - 5x^3 + x^2 + 12x + 6 = 0 writing into `solution`. The
// substitution's result, and the workspace's roots and error in `workspace`.
bool SolveTwoLetter(const std::string& equation, const std::string& first, const std::string& second,
                    COutputList& solution, std::unique_ptr<CExEquation>& workspace) {
    std::string text = "x^4-5*x^3+x^2+12*x+6=0";
    PrepareProblemText(text);
    workspace = std::make_unique<CExEquation>(text, &solution, 'x');
    Substitution record;
    record.equation = LeftSideOf(equation + "=0");
    record.expression = LeftSideOf(first + "=0");
    record.secondExpression = LeftSideOf(second + "=0");
    record.letter = 'A';
    record.secondLetter = 'B';
    return FindTwoLetterSubstitution(*workspace, true, &record);
}

// The equation in A and B, here handed over directly: its fraction dropped
// (CommentID::FractionIsZeroWhenNumeratorIs) or its numeric factor divided out
// (CommentID::NumericFactorDividedOut) before the cases.
TEST(TwoLetterTranscript, TheEquationInTheNewLettersIsBroughtToItsSimplestForm) {
    // x^4 - 5x^3 + x^2 + 12x + 6 = (x^2 - 2x - 2)(x^2 - 3x - 3).
    const Quad root3 = *QuadValue("!sq2{3}", 'x', 0);
    const Quad root21 = *QuadValue("!sq2{21}", 'x', 0);
    const std::vector<Quad> roots = {1 - root3, 1 + root3, (3 - root21) / 2, (3 + root21) / 2};
    for (const auto& [equation, simplest] : std::vector<std::pair<std::string, Lines>>{
             {"1/2*A^2-5/2*A*B+3*B^2",
              {"[7.2] FractionIsZeroWhenNumeratorIs/01", "[7.2] F(A^2-5.A.B+6.B^2=0)",
               "[7.2] HomogeneousEquation/01"}},
             {"2*A^2-10*A*B+12*B^2",
              {"[7.2] NumericFactorDividedOut/01", "[7.2] F(A^2-5.A.B+6.B^2=0)",
               "[7.2] HomogeneousEquation/01"}},
             {"2/3*A^2-10/3*A*B+4*B^2",
              {"[7.2] FractionIsZeroWhenNumeratorIs/01", "[7.2] F(2.A^2-10.A.B+12.B^2=0)",
               "[7.2] NumericFactorDividedOut/01", "[7.2] F(A^2-5.A.B+6.B^2=0)",
               "[7.2] HomogeneousEquation/01"}},
         }) {
        SCOPED_TRACE(equation);
        COutputList solution;
        std::unique_ptr<CExEquation> workspace;
        ASSERT_TRUE(SolveTwoLetter(equation, "x^2", "x+1", solution, workspace));
        EXPECT_EQ(workspace->roots.GetCount(), 4);
        Lines lines = Transcript(solution);
        const Lines written = Between(lines, "[7.2] " + simplest.front().substr(6), "[7.2,3.1]");
        EXPECT_EQ(written, simplest);
        // Each line in A and B, read with A = x^2 and B = x + 1, keeps the roots.
        EXPECT_GE(ExpectLinesKeepRoots(WrittenInX(lines, "x^2", "x+1"), {"[6.1]", "[7.2]"}, 'x', roots), 2);
    }
}

// Case 1 solves A = 0; a root of A written with a root sign is left out only when gcd(A, B) shows
// that B does not vanish there. With A = x^2 - 2 and B = x^3 - 2x both vanish at ±√2, which case 1
// cannot confirm, so the reduction does not claim the equation.
TEST(TwoLetterTranscript, ARootFormCommonToBothExpressionsIsNotDropped) {
    for (const auto& [second, solved] :
         std::vector<std::pair<std::string, bool>>{{"x+1", true}, {"x^3-2*x", false}}) {
        SCOPED_TRACE(second);
        COutputList solution;
        std::unique_ptr<CExEquation> workspace;
        EXPECT_EQ(SolveTwoLetter("A^2-5*A*B+6*B^2", "x^2-2", second, solution, workspace), solved);
        EXPECT_EQ(solution.IsEmpty(), !solved);
        EXPECT_EQ(workspace->ErrorCode(), ProblemError::None);
    }
}

} // namespace
