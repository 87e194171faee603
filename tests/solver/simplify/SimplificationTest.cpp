// The simplifier's passes and its edge cases: the steps and comments of small problems, the passes
// on bare trees, and the reductions of one rational monomial.

#include "SimplificationTestSupport.h"
#include "model/NodeCast.h"

#include "markup/CFormulaParser.h"
#include "model/COHyperMonom.h"
#include "model/COperation.h"
#include "output/COutputRecord.h"
#include "output/OutputBlock.h"
#include "solver/Methods.h"
#include "solver/simplify/HyperMonomSteps.h"
#include "solver/simplify/Simplification.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

NodePtr Parse(const std::string& text) {
    std::string prepared = text + ";";
    std::size_t position = 0;
    ProblemError error = ProblemError::None;
    NodePtr tree = ParseSum(prepared, position, error);
    EXPECT_EQ(error, ProblemError::None) << text;
    return tree;
}

bool Contains(const std::vector<std::string>& formulas, const std::string& text) {
    return std::find_if(formulas.begin(), formulas.end(), [&text](const std::string& formula) {
               return formula.find(text) != std::string::npos;
           }) != formulas.end();
}

// Whether the comments appear in this order (others may stand between them).
bool InOrder(const std::vector<int>& ids, const std::vector<CommentID>& expected) {
    auto position = ids.begin();
    for (CommentID id : expected) {
        position = std::find(position, ids.end(), ToNumber(id));
        if (position == ids.end()) {
            return false;
        }
        ++position;
    }
    return true;
}

std::string Answer(const std::string& problem) {
    const std::unique_ptr<COutputList> solution = SolveSimplification(problem);
    return AnswerFormula(*solution);
}

// --- edge cases of whole solutions ---------------------------------------------------------------

TEST(SimplifyEdgeCases, OppositeTermsAreShownCrossedOutThenCancelled) {
    const std::unique_ptr<COutputList> solution = SolveSimplification("x-x");
    const std::vector<std::string> steps = StepFormulas(*solution);
    EXPECT_TRUE(Contains(steps, "!cross{1;x}-!cross{1;x}"));
    EXPECT_TRUE(InOrder(CommentIds(*solution), {CommentID::OppositeTermsCancelled}));
    EXPECT_EQ(AnswerFormula(*solution), "0");
}

TEST(SimplifyEdgeCases, PowerOfPowerShowsTheProductOfExponentsBeforeFolding) {
    const std::unique_ptr<COutputList> solution = SolveSimplification("(a^2)^3");
    EXPECT_TRUE(Contains(StepFormulas(*solution), "a^(2*3)"));
    EXPECT_TRUE(InOrder(CommentIds(*solution), {CommentID::PowersJoined}));
    EXPECT_EQ(AnswerFormula(*solution), "a^6");
}

TEST(SimplifyEdgeCases, NegativeExponentBecomesADivisorThenAFraction) {
    const std::unique_ptr<COutputList> solution = SolveSimplification("2*x^{-1}");
    const std::vector<std::string> steps = StepFormulas(*solution);
    EXPECT_TRUE(Contains(steps, "2:x^1"));
    EXPECT_TRUE(Contains(steps, "2/x^1"));
    EXPECT_TRUE(
        InOrder(CommentIds(*solution), {CommentID::NegativeExponentAsDenominator,
                                        CommentID::ProductWithDivisorsAsFraction, CommentID::PowersJoined}));
    EXPECT_EQ(AnswerFormula(*solution), "2/x");
}

TEST(SimplifyEdgeCases, DivisionByAFractionIsInverted) {
    const std::unique_ptr<COutputList> solution = SolveSimplification("a:(b/c)");
    EXPECT_TRUE(InOrder(CommentIds(*solution), {CommentID::DivisionByFractionInverted}));
    EXPECT_EQ(AnswerFormula(*solution), "{a.c}/b");
}

TEST(SimplifyEdgeCases, SignsOfPowersOfNegatedBases) {
    const std::unique_ptr<COutputList> even = SolveSimplification("(-x)^2");
    EXPECT_TRUE(InOrder(CommentIds(*even), {CommentID::SignMovedOutOfFraction}));
    EXPECT_EQ(AnswerFormula(*even), "x^2");
    EXPECT_EQ(Answer("(-x)^3"), "-x^3");
}

TEST(SimplifyEdgeCases, NeutralElements) {
    EXPECT_EQ(Answer("0*x"), "0");
    EXPECT_EQ(Answer("x*0+y"), "y");
    const std::unique_ptr<COutputList> zero = SolveSimplification("x^0");
    EXPECT_TRUE(InOrder(CommentIds(*zero), {CommentID::PowersJoined}));
    EXPECT_EQ(AnswerFormula(*zero), "1");
    const std::unique_ptr<COutputList> one = SolveSimplification("x^1");
    EXPECT_TRUE(InOrder(CommentIds(*one), {CommentID::PowersJoined}));
    EXPECT_EQ(AnswerFormula(*one), "x");
}

TEST(SimplifyEdgeCases, DivisionByAZeroSumEndsWithTheErrorComment) {
    for (const char* problem : {"x:(1-1)", "x/(2-2)", "3:(1-1)", "x/(x-x)"}) {
        SCOPED_TRACE(problem);
        const std::unique_ptr<COutputList> solution = SolveSimplification(problem);
        const std::vector<int> ids = CommentIds(*solution);
        ASSERT_FALSE(ids.empty());
        EXPECT_EQ(ids.back(), ToNumber(CommentID::ErrorIncompleteExpression));
        EXPECT_TRUE(AnswerFormula(*solution).empty());
    }
}

// Known answers of small problems, written as the solution shows them.
TEST(SimplifyAnswers, SmallProblems) {
    const std::pair<const char*, const char*> cases[] = {
        {"2*x+3*x", "5.x"},
        {"(x+1)^2-x^2", "2.x+1"},
        {"(x+1)^2", "(x+1)^2"},
        {"x/(0,5*x+1)", "{2.x}/{x+2}"},
        {"1/(x-1)-1/(x+1)", "2/{(x-1).(x+1)}"},
        {"(x^2-4)/(x+2)", "x-2"},
        {"a/(a-b)+b/(b-a)", "1"},
        {"x/2+x/3", "{5.x}/6"},
        {"(2*x+4)/(x^2-4)", "2/{x-2}"},
        {"x^{-2}*x^3", "x"},
    };
    for (const auto& [problem, answer] : cases) {
        SCOPED_TRACE(problem);
        EXPECT_EQ(Answer(problem), answer);
    }
}

// --- passes on bare trees ------------------------------------------------------------------------

TEST(RewriteDivisions, ProductsWithDivisorsAndFractionsWithDivisions) {
    const std::pair<const char*, const char*> cases[] = {
        {"a:b*c", "{a*c}/b"},
        {"a*b", "a*b"},
        {"(a:b)/c", "{a/b}:c"},
        {"a:(b/c)", "a:{b/c}"},
    };
    for (const auto& [input, output] : cases) {
        SCOPED_TRACE(input);
        NodePtr tree = Parse(input);
        RewriteDivisions(&tree);
        EXPECT_EQ(tree->ToText(), output);
    }
}

TEST(RemoveNeutralElements, OnesZerosAndTrivialExponents) {
    const std::pair<const char*, const char*> cases[] = {
        {"1*x*1", "x"},   {"x:1", "x"}, {"x+0", "x"},  {"0*x+y", "y"}, {"x^0", "1"},
        {"x^1+y", "x+y"}, {"1^y", "1"}, {"0-x", "-x"}, {"x:0", "x:0"}, {"(x^1)^1", "x"},
    };
    for (const auto& [input, output] : cases) {
        SCOPED_TRACE(input);
        NodePtr tree = Parse(input);
        RemoveNeutralElements(&tree);
        EXPECT_EQ(tree->ToText(), output);
    }
}

TEST(FindOppositePairs, NumbersPairsInOrderAndSearchesInsideUnpairedElements) {
    NodePtr tree = Parse("a+b-a+(c*d:c)-b");
    ASSERT_TRUE(FindOppositePairs(*tree));
    const std::string text = tree->ToText();
    EXPECT_NE(text.find("!cross{1;a}"), std::string::npos);
    EXPECT_NE(text.find("!cross{2;b}"), std::string::npos);
    EXPECT_NE(text.find("!cross{3;c}"), std::string::npos);
    RemoveCrossedOut(&tree);
    EXPECT_EQ(tree->ToText(), "d");
}

TEST(FindOppositePairs, EqualElementsOfTheSameSignAreNotPaired) {
    NodePtr tree = Parse("x+x");
    EXPECT_FALSE(FindOppositePairs(*tree));
    NodePtr product = Parse("x/x");
    EXPECT_TRUE(FindOppositePairs(*product));
    RemoveCrossedOut(&product);
    EXPECT_EQ(product->ToText(), "1");
}

// --- one rational monomial -----------------------------------------------------------------------

// The rational monomial built from a fraction of polynomials.
NodePtr Monom(const std::string& text) {
    NodePtr tree = Parse(text);
    BuildMonoms(&tree);
    BuildPolynoms(&tree);
    NormalizePolynoms(&tree);
    BuildHyperMonoms(&tree);
    EXPECT_EQ(tree->GetType(), NodeType::HyperMonom) << text;
    return tree;
}

COHyperMonom& AsMonom(NodePtr& tree) {
    return NodeAs<COHyperMonom>(*tree);
}

TEST(MergeEqualFactors, AddsSignedExponentsAndCancelsAtZero) {
    NodePtr tree = Monom("(x+1)*(x+1)^2/(x+1)");
    EXPECT_TRUE(MergeEqualFactors(AsMonom(tree)));
    EXPECT_EQ(tree->ToText(), "(x+1)^2");
    NodePtr cancelled = Monom("(x+1)/(x+1)");
    EXPECT_TRUE(MergeEqualFactors(AsMonom(cancelled)));
    EXPECT_EQ(cancelled->ToText(), "1");
    NodePtr below = Monom("(x+1)/(x+1)^3");
    EXPECT_TRUE(MergeEqualFactors(AsMonom(below)));
    EXPECT_EQ(below->ToText(), "1/(x+1)^2");
}

TEST(TakeOutNumbers, ModesDifferAboveTheBar) {
    NodePtr content = Monom("(2*x+4)/(3*y+6)");
    EXPECT_TRUE(TakeOutNumbers(AsMonom(content), NumberMode::IntegerContent));
    EXPECT_EQ(content->ToText(), "{2*(x+2)}/{3*(y+2)}");
    NodePtr clearing = Monom("(2*x+4)/(3*y+6)");
    EXPECT_TRUE(TakeOutNumbers(AsMonom(clearing), NumberMode::ClearNumerators));
    EXPECT_EQ(clearing->ToText(), "{2*x+4}/{3*(y+2)}");
    NodePtr halves = Monom("0,5*x+1");
    EXPECT_TRUE(TakeOutNumbers(AsMonom(halves), NumberMode::ClearNumerators));
    EXPECT_EQ(halves->ToText(), "0,1*(5*x+10)");
}

TEST(TakeOutNumbers, CombinesConstantsOnlyWhenThatChangesThem) {
    NodePtr tree = Monom("(2*x)/4");
    SplitMonomialFactors(AsMonom(tree));
    EXPECT_TRUE(TakeOutNumbers(AsMonom(tree), NumberMode::IntegerContent));
    EXPECT_EQ(tree->ToText(), "x/2");
    EXPECT_FALSE(TakeOutNumbers(AsMonom(tree), NumberMode::IntegerContent));
}

TEST(SplitMonomialFactors, ConstantAndOneFactorPerLetter) {
    NodePtr tree = Monom("(6*x^2*y)^2/(x+1)");
    EXPECT_TRUE(SplitMonomialFactors(AsMonom(tree)));
    EXPECT_EQ(tree->ToText(), "{6^2*x^4*y^2}/{x+1}");
    EXPECT_FALSE(SplitMonomialFactors(AsMonom(tree)));
}

} // namespace

namespace {

// The whole written solution of a difference of two fractions: every record, in order.
TEST(SimplifyTranscript, DifferenceOfTwoFractions) {
    const std::unique_ptr<COutputList> solution = SolveSimplification("1/(x-1)-1/(x+1)");
    std::vector<std::string> lines;
    for (const auto& record : solution->Records()) {
        for (const auto& block : record->Blocks()) {
            if (const OutputBlockFormula* formula = block->AsFormula()) {
                lines.push_back(formula->text);
            } else {
                std::string line = "#";
                line += std::to_string(ToNumber(block->AsComment()->id));
                lines.push_back(line);
            }
        }
    }
    const std::vector<std::string> expected = {
        "1/{x-1}-1/{x+1}=",
        "#53",
        "={x+1}/{(x-1).(x+1)}-{x-1}/{(x-1).(x+1)}=",
        "#0",
        "={(x+1)-(x-1)}/{(x-1).(x+1)}=",
        "#59",
        "={x+1-x+1}/{(x-1).(x+1)}=",
        "#10",
        "#64",
        "=2/{(x-1).(x+1)}",
        "#3",
        "#15",
        "2/{(x-1).(x+1)}",
    };
    EXPECT_EQ(lines, expected);
}

} // namespace
