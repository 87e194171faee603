// Whole recorded solutions where the order of the steps matters: a numerator that adds up to a
// constant or to zero shows its like terms combined on a line of their own, and the removal of
// crossed-out terms is a step before the brackets are opened or the numbers added.

#include "SimplificationTestSupport.h"

#include <gtest/gtest.h>

namespace {

// One line per block: a formula as written, a comment as its name.
std::string Line(CommentID id) {
    switch (id) {
    case CommentID::FractionsOverCommonDenominator:
        return "over common denominator";
    case CommentID::FractionsExtendedToCommonDenominator:
        return "extended to common denominator";
    case CommentID::TermsReordered:
        return "terms reordered";
    case CommentID::Cancellation:
        return "cancellation";
    case CommentID::OppositeTermsCancelled:
        return "opposite terms";
    case CommentID::SplitOffNumerator:
        return "numerator split";
    case CommentID::SplitOffNumeratorAndDenominator:
        return "numerator and denominator split";
    case CommentID::BracketsOpened:
        return "brackets opened";
    case CommentID::LikeTermsCombined:
        return "like terms combined";
    case CommentID::SignMovedOutOfFraction:
        return "sign moved out";
    case CommentID::AnswerHeadingExpression:
        return "answer";
    case CommentID::AnswerJoint:
        return "joint";
    case CommentID::AlreadySimplest:
        return "already simplest";
    default:
        return "comment " + std::to_string(ToNumber(id));
    }
}

std::vector<std::string> Lines(const COutputList& solution) {
    std::vector<std::string> lines;
    for (const auto& record : solution.Records()) {
        for (const auto& block : record->Blocks()) {
            if (const OutputBlockFormula* formula = block->AsFormula()) {
                lines.push_back(formula->text);
            } else {
                lines.push_back(Line(block->AsComment()->id));
            }
        }
    }
    return lines;
}

struct StepsCase {
    const char* problem;
    std::vector<std::string> lines;
};

void ExpectSolutions(const std::vector<StepsCase>& cases) {
    for (const StepsCase& c : cases) {
        SCOPED_TRACE(c.problem);
        const std::unique_ptr<COutputList> solution = SolveSimplification(c.problem);
        EXPECT_EQ(Lines(*solution), c.lines);
        EXPECT_EQ(CheckValues(c.problem, *solution), "");
    }
}

// x+1-x is not the constant 1 until its like terms are combined: the numerator is shown added up
// and then normalised, instead of being gathered away with the brackets.
TEST(SimplifySteps, ANumeratorAddingUpToAConstantIsNormalisedOnItsOwnLine) {
    ExpectSolutions({
        {"1/x-1/(x+1)",
         {"1/x-1/{x+1}=", "extended to common denominator", "={x+1}/{x.(x+1)}-x/{x.(x+1)}=",
          "over common denominator", "={(x+1)-x}/{x.(x+1)}=", "brackets opened", "={x+1-x}/{x.(x+1)}=",
          "terms reordered", "like terms combined", "=1/{x.(x+1)}", "answer", "joint", "1/{x.(x+1)}"}},
        {"(x+1)/x-1",
         {"{x+1}/x-1=", "terms reordered", "=-1+{x+1}/x=", "extended to common denominator",
          "=-x/x+{x+1}/x=", "over common denominator", "={-x+(x+1)}/x=", "brackets opened",
          "={-x+x+1}/x=", "like terms combined", "=1/x", "answer", "joint", "1/x"}},
    });
}

// The comment of the like terms that add up to zero stays with the line that shows the 0.
TEST(SimplifySteps, ANumeratorAddingUpToZeroKeepsItsComment) {
    ExpectSolutions({
        {"(x+1)/y-x/y-1/y",
         {"{x+1}/y-x/y-1/y=", "over common denominator", "={(x+1)-x-1}/y=", "brackets opened",
          "={x+1-x-1}/y=", "terms reordered", "like terms combined", "=0", "answer", "joint", "0"}},
        {"1/(a-b)+1/(b-a)",
         {"1/{a-b}+1/{b-a}=", "terms reordered", "=1/{a-b}+1/{-a+b}=", "sign moved out", "=1/{a-b}-1/{a-b}=",
          "over common denominator", "={1-1}/{a-b}=", "like terms combined", "=0", "answer", "joint", "0"}},
    });
}

// Removing the crossed-out terms is recorded by itself; the flattening of the brackets and the
// adding of the numbers that follow are steps of their own.
// Opposite terms struck in a sum are said to add up to zero; equal factors struck above and below a
// line are cancelled.
TEST(SimplifySteps, RemovingCrossedOutTermsIsItsOwnStep) {
    ExpectSolutions({
        {"(a+b-a)/b",
         {"{a+b-a}/b=", "={!cross{1;a}+b-!cross{1;a}}/b=", "opposite terms", "=b/b=", "=!cross{1;b}/!cross{1;b}=",
          "cancellation", "=1", "answer", "joint", "1"}},
        {"a+(b+c)-a+d",
         {"a+(b+c)-a+d=", "=!cross{1;a}+(b+c)-!cross{1;a}+d=", "opposite terms", "=(b+c)+d=", "brackets opened",
          "=b+c+d", "answer", "joint", "b+c+d"}},
        {"x+2-x+3",
         {"x+2-x+3=", "=!cross{1;x}+2-!cross{1;x}+3=", "opposite terms", "=2+3=", "=5", "answer", "joint",
          "5"}},
    });
}

// Of two powers of one base only the equal powers are struck out: b^2 over b shows b·b above with
// one b struck, not b^2 and b both struck while a b remains.
TEST(SimplifySteps, OnlyThePowerThatCancelsIsStruckOut) {
    ExpectSolutions({
        {"(3*a^2*b)^2/(a^3*b)",
         {"(3.a^2.b)^2/{a^3.b}=", "numerator split", "={3^2.(a^2)^2.b*!cross{1;b}}/{a^3*!cross{1;b}}=",
          "cancellation", "={3^2.(a^2)^2.b}/a^3=", "numerator and denominator split",
          "={3^2.a^2*!cross{1;a^2}.b}/{a*!cross{1;a^2}}=", "cancellation",
          "={3^2.a^2.b}/a=", "numerator split", "={3^2.a*!cross{1;a}.b}/!cross{1;a}=", "cancellation",
          "=3^2.a.b=", "=9.a.b", "answer", "joint", "9.a.b"}},
    });
}

// A problem with nothing to simplify stands as written, not as a chain of one line beginning with
// "=", and a comment says that it is already in its simplest form before the answer repeats it.
TEST(SimplifySteps, AProblemAlreadyInItsSimplestFormStandsAsWritten) {
    ExpectSolutions({
        {"(x+2)*(x+3)", {"(x+2).(x+3)", "already simplest", "answer", "joint", "(x+2).(x+3)"}},
        {"x+1", {"x+1", "already simplest", "answer", "joint", "x+1"}},
    });
}

} // namespace
