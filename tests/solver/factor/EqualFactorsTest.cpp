// A factorisation writes its product as a pupil does, in both kinds: equal factors as one power,
// (x + 1)(x + 1) as (x + 1)²; a factor opposite to another gives its minus to the whole,
// (x − 3)(−x + 3) as −(x − 3)²; a common monomial factor without brackets, 2xy(2x − 3y). Whole
// transcripts (comments by name, every line), and the value of every line against the problem at
// random points.

#include "solver/SolveProblem.h"
#include "solver/WorkspaceTranscript.h"
#include "solver/simplify/SimplificationTestSupport.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

Lines Solved(ProblemKind kind, const std::string& problem) {
    COutputList solution;
    SolveProblem(kind, problem, &solution);
    EXPECT_EQ(CheckValues(problem, solution), "") << problem;
    return Transcript(solution);
}

TEST(EqualFactors, ASquareOfABinomialEndsAsAPowerInBothKinds) {
    const Lines steps = {
        "[0.0] F(x^2+2.x+1=)",      "[1.1] TermSplitIntoLikeTerms/01",
        "[1.1] F(=x^2+x+x+1=)",     "[1.1] TermsGrouped/01",
        "[1.1] F(=(x^2+x)+(x+1)=)", "[1.1] CommonFactorTakenOut/01",
        "[1.1] F(=x.(x+1)+(x+1)=)", "[1.1] CommonFactorTakenOut/01",
        "[1.1] F(=(x+1).(x+1)=)",   "[1.1] PowersJoined/01",
        "[1.1] F(=(x+1)^2)",        "[2.2] AnswerHeadingExpression/11 AnswerJoint/10 F((x+1)^2)s"};
    EXPECT_EQ(Solved(ProblemKind::Factorise, "x^2+2*x+1"), steps);
    EXPECT_EQ(Solved(ProblemKind::FactoriseCompletely, "x^2+2*x+1"), steps);
}

TEST(EqualFactors, AnOppositeFactorGivesItsMinusToTheWholeProduct) {
    EXPECT_EQ(
        Solved(ProblemKind::FactoriseCompletely, "-x^2+6*x-9"),
        Lines({"[0.0] F(-x^2+6.x-9=)", "[1.1] TermSplitIntoLikeTerms/01", "[1.1] F(=-x^2+3.x+3.x-9=)",
               "[1.1] TermsGrouped/01", "[1.1] F(=-(x^2-3.x)+(3.x-9)=)", "[1.1] CommonFactorTakenOut/01",
               "[1.1] F(=-x.(x-3)+3.(x-3)=)", "[1.1] CommonFactorTakenOut/01", "[1.1] F(=(x-3).(-x+3)=)",
               "[1.1] SignMovedOutOfFraction/01", "[1.1] F(=-(x-3).(x-3)=)", "[1.1] PowersJoined/01",
               "[1.1] F(=-(x-3)^2)", "[2.2] AnswerHeadingExpression/11 AnswerJoint/10 F(-(x-3)^2)s"}));
    // Kind 1 ends the same way; a third factor stays where it stands.
    EXPECT_EQ(Solved(ProblemKind::Factorise, "-x^2+6*x-9").back(),
              "[2.2] AnswerHeadingExpression/11 AnswerJoint/10 F(-(x-3)^2)s");
    EXPECT_EQ(Solved(ProblemKind::FactoriseCompletely, "x^3-2*x^2+x").back(),
              "[2.2] AnswerHeadingExpression/11 AnswerJoint/10 F(x.(x-1)^2)s");
}

TEST(EqualFactors, ACommonMonomialStandsWithoutBracketsInBothKinds) {
    const Lines steps = {"[0.0] F(4.x^2.y-6.x.y^2=)",
                         "[1.1] CommonFactorTakenOut/01",
                         "[1.1] F(=2.(2.x^2.y-3.x.y^2)=)",
                         "[1.1] CommonFactorTakenOut/01",
                         "[1.1] F(=2.x.y.(2.x-3.y))",
                         "[2.2] AnswerHeadingExpression/11 AnswerJoint/10 F(2.x.y.(2.x-3.y))s"};
    EXPECT_EQ(Solved(ProblemKind::Factorise, "4*x^2*y-6*x*y^2"), steps);
    EXPECT_EQ(Solved(ProblemKind::FactoriseCompletely, "4*x^2*y-6*x*y^2"), steps);
    EXPECT_EQ(Solved(ProblemKind::Factorise, "x^2*y^3+x*y^2").back(),
              "[2.2] AnswerHeadingExpression/11 AnswerJoint/10 F(x.y^2.(x.y+1))s");
    // A sum of products gives up its common letters with its common brackets, in one step.
    const Lines products = {"[0.0] F(6.x^2.y.(x+1)+4.x.y^2.(x+1)=)",
                            "[1.1] CommonFactorTakenOut/01",
                            "[1.1] F(=2.x.y.(x+1).(3.x+2.y))",
                            "[2.2] AnswerHeadingExpression/11 AnswerJoint/10 F(2.x.y.(x+1).(3.x+2.y))s"};
    EXPECT_EQ(Solved(ProblemKind::Factorise, "6*x^2*y*(x+1)+4*x*y^2*(x+1)"), products);
    EXPECT_EQ(Solved(ProblemKind::FactoriseCompletely, "6*x^2*y*(x+1)+4*x*y^2*(x+1)"), products);
    // What is left of the terms only changes its order: said so, not "we open the brackets".
    EXPECT_EQ(Solved(ProblemKind::Factorise, "2*x*(x+1)+4*x^2*(x+1)"),
              (Lines{"[0.0] F(2.x.(x+1)+4.x^2.(x+1)=)", "[1.1] CommonFactorTakenOut/01",
                     "[1.1] F(=2.x.(x+1).(1+2.x)=)", "[1.1] TermsReordered/01", "[1.1] F(=2.x.(x+1).(2.x+1))",
                     "[2.2] AnswerHeadingExpression/11 AnswerJoint/10 F(2.x.(x+1).(2.x+1))s"}));
}

} // namespace
