#include "TreeTestHelpers.h"
#include "model/NodeCast.h"

#include "model/COHyperMonom.h"
#include "model/COLevelAddition.h"
#include "model/COLevelMultiplication.h"
#include "model/COLevelPower.h"
#include "model/COMonom.h"
#include "model/COPolynom.h"

#include <gtest/gtest.h>

using namespace treetest;

namespace {

struct TextCase {
    const char* expected;
    NodePtr node;
    TextContext context = TextContext::Free;
};

void CheckTexts(TextCase* begin, TextCase* end) {
    for (TextCase* c = begin; c != end; ++c) {
        SCOPED_TRACE(c->expected);
        EXPECT_EQ(Text(*c->node, c->context), c->expected);
        // A clone writes the same text.
        EXPECT_EQ(Text(*c->node->Clone(), c->context), c->expected);
    }
}

NodePtr Negative(const char* text) {
    NodePtr node = NumText(text);
    NodeAs<CONumber>(*node).Value().Negate();
    return node;
}

// x^2*y as a monomial with the given leading coefficient (none when coefficient is null).
NodePtr Monom(NodePtr coefficient, char letter, std::int32_t exponent) {
    auto monom = std::make_unique<COMonom>();
    if (coefficient) {
        monom->AddTail(std::move(coefficient), 1);
    }
    monom->AddTail(Pow(Var(letter), Num(exponent)), 1);
    return monom;
}

// The polynomial x+1 or x-1.
NodePtr LinearPolynom(std::int32_t constantSign) {
    auto polynom = std::make_unique<COPolynom>();
    polynom->AddTail(Monom(nullptr, 'x', 1), 1);
    polynom->AddTail(std::make_unique<COMonom>(Num(1), 1), constantSign);
    return polynom;
}

} // namespace

TEST(TreeText, NumbersGetBracketsByContext) {
    TextCase cases[] = {
        {"(-3)", Num(-3), TextContext::Term},
        {"(-3)", Num(-3), TextContext::Factor},
        {"(-3)", Num(-3), TextContext::Base},
        {"{-3}", Num(-3), TextContext::Exponent},
        {"-3", Num(-3), TextContext::Free},
        {"{1/2}", NumText("1/2"), TextContext::Factor},
        {"{1/2}", NumText("1/2"), TextContext::SoleFactor},
        {"{1/2}", NumText("1/2"), TextContext::Exponent},
        {"1/2", NumText("1/2"), TextContext::Term},
        {"(-1/2)", Negative("1/2"), TextContext::Base},
        {"{2@{1/3}}", NumText("2@{1/3}"), TextContext::Base},
        {"0,25", NumText("0,25"), TextContext::Exponent},
    };
    CheckTexts(std::begin(cases), std::end(cases));
}

TEST(TreeText, PowersRootsAndRelations) {
    TextCase cases[] = {
        {"x^{a+b}", Pow(Var('x'), Sum(Var('a'), Var('b')))},
        {"(a+b)^2", Pow(Sum(Var('a'), Var('b')), Num(2))},
        {"x^{-3}", Pow(Var('x'), Num(-3))},
        {"x^{a}", Pow(Var('x'), Sum(Var('a')))},
        {"x^{-a}", Pow(Var('x'), Sum(Minus(Var('a'))))},
        {"(x^2)^3", Pow(Pow(Var('x'), Num(2)), Num(3))},
        {"x^(y^2)", Pow(Var('x'), Pow(Var('y'), Num(2)))},
        {"(2*x)^3", Pow(Prod(Num(2), Var('x')), Num(3))},
        {"(a/b)^2", Pow(Frac(Var('a'), Den(Var('b'))), Num(2))},
        {"x^{1/2}", Pow(Var('x'), NumText("1/2"))},
        {"!sq2{x}", Root(Var('x'), 2)},
        {"!sqn{3;x}", Root(Var('x'), 3)},
        {"!sq2{a+b}", Root(Sum(Var('a'), Var('b')), 2), TextContext::Factor},
        {"x+1<=0", Rel(RelationCode::LessEqual, Sum(Var('x'), Num(1)), Num(0))},
        {"x>=-1", Rel(RelationCode::GreaterEqual, Var('x'), Num(-1))},
        {"x<1", Rel(RelationCode::Less, Var('x'), Num(1))},
        {"x>1", Rel(RelationCode::Greater, Var('x'), Num(1))},
    };
    CheckTexts(std::begin(cases), std::end(cases));
}

TEST(TreeText, SumsAndProducts) {
    TextCase cases[] = {
        {"a+b-c", Sum(Var('a'), Var('b'), Minus(Var('c')))},
        {"-a+b", Sum(Minus(Var('a')), Var('b'))},
        {"a+(-3)", Sum(Var('a'), Num(-3))},
        {"a-(b+c)", Sum(Var('a'), Minus(Sum(Var('b'), Var('c'))))},
        {"a+b", Sum(Var('a'), Sum(Var('b'))), TextContext::Free},
        {"2*(-a+b)", Prod(Num(2), Sum(Minus(Var('a')), Var('b')))},
        {"2*(-a)", Prod(Num(2), Sum(Minus(Var('a'))))},
        {"2*a", Prod(Num(2), Sum(Var('a')))},
        {"(a+b)", Sum(Var('a'), Var('b')), TextContext::Term},
        {"{a+b}", Sum(Var('a'), Var('b')), TextContext::SoleFactor},
        {"1:a", Prod(Div(Var('a')))},
        {"a:b*c", Prod(Var('a'), Div(Var('b')), Var('c'))},
        {"a+1:b", Sum(Var('a'), Prod(Div(Var('b'))))},
        {"a*b", Prod(Var('a'), Var('b')), TextContext::Term},
        {"(a*b)", Prod(Var('a'), Var('b')), TextContext::Factor},
        {"x*{a/b}", Prod(Var('x'), Frac(Var('a'), Den(Var('b'))))},
        {"x", Prod(Var('x')), TextContext::Base},
        {"(x+1)*(x-1)", Prod(Sum(Var('x'), Num(1)), Sum(Var('x'), Minus(Num(1))))},
    };
    CheckTexts(std::begin(cases), std::end(cases));
}

TEST(TreeText, FractionsGroupNumeratorAndDenominator) {
    TextCase cases[] = {
        {"a/b", Frac(Var('a'), Den(Var('b')))},
        {"1/b", Frac(Den(Var('b')))},
        {"{a+b}/c", Frac(Sum(Var('a'), Var('b')), Den(Var('c')))},
        {"{a*b}/c", Frac(Var('a'), Var('b'), Den(Var('c')))},
        {"a/{b*c}", Frac(Var('a'), Den(Var('b')), Den(Var('c')))},
        {"{a+b}/{c+d}", Frac(Sum(Var('a'), Var('b')), Den(Sum(Var('c'), Var('d'))))},
        {"{(a+b)*(c+d)}/e", Frac(Sum(Var('a'), Var('b')), Sum(Var('c'), Var('d')), Den(Var('e')))},
        {"{a*b}/c", Frac(Prod(Var('a'), Var('b')), Den(Var('c')))},
        {"{-1}/x", Frac(Sum(Minus(Num(1))), Den(Var('x')))},
        {"a*b", Frac(Var('a'), Var('b'))},
        {"a", Frac(Var('a'))},
        {"{a/b}", Frac(Var('a'), Den(Var('b'))), TextContext::Factor},
        {"(a/b)", Frac(Var('a'), Den(Var('b'))), TextContext::Exponent},
        {"a/b", Frac(Var('a'), Den(Var('b'))), TextContext::Term},
        {"{1/2}/x", Frac(NumText("1/2"), Den(Var('x')))},
    };
    CheckTexts(std::begin(cases), std::end(cases));
}

TEST(TreeText, CrossOutWrapsEveryNodeButRootsAndRelations) {
    NodePtr x = Var('x');
    x->SetCrossOut(2);
    EXPECT_EQ(Text(*x), "!cross{2;x}");

    NodePtr sum = Sum(Var('a'), Var('b'));
    sum->SetCrossOut(1);
    NodePtr product = Prod(Num(2), std::move(sum));
    EXPECT_EQ(Text(*product), "2*!cross{1;(a+b)}");

    NodePtr fraction = Frac(Num(6), Den(Num(3)));
    fraction->AsList()->GetAt(1)->SetCrossOut(1);
    fraction->AsList()->GetAt(2)->SetCrossOut(1);
    EXPECT_EQ(Text(*fraction), "!cross{1;6}/!cross{1;3}");

    NodePtr root = Root(Var('x'), 2);
    root->SetCrossOut(3);
    EXPECT_EQ(Text(*root), "!sq2{x}");
    NodePtr relation = Rel(RelationCode::Equal, Var('x'), Num(1));
    relation->SetCrossOut(3);
    EXPECT_EQ(Text(*relation), "x=1");
}

TEST(TreeText, MonomialsLeaveOutUnitCoefficientsAndExponents) {
    auto monom = std::make_unique<COMonom>();
    monom->AddTail(Num(1), 1);
    monom->AddTail(Pow(Var('x'), Num(2)), 1);
    monom->AddTail(Pow(Var('y'), Num(1)), 1);
    EXPECT_EQ(Text(*monom), "x^2*y");
    EXPECT_EQ(Text(*monom, TextContext::Factor), "(x^2*y)");
    EXPECT_EQ(Text(*monom, TextContext::SoleFactor), "{x^2*y}");
    EXPECT_EQ(Text(*monom, TextContext::Term), "x^2*y");

    EXPECT_EQ(Text(*Monom(Num(3), 'x', 1)), "3*x");
    EXPECT_EQ(Text(*Monom(Num(-2), 'x', 1), TextContext::Term), "(-2)*x");
    EXPECT_EQ(Text(*std::make_unique<COMonom>(Num(-2), 1), TextContext::Factor), "((-2))");
    EXPECT_EQ(Text(*std::make_unique<COMonom>(Num(1), 1)), "1");
    EXPECT_EQ(Text(*Monom(nullptr, 'x', 1), TextContext::Base), "x");
    EXPECT_EQ(Text(*Monom(nullptr, 'x', 3), TextContext::Base), "(x^3)");
}

TEST(TreeText, SpecialisedSumsAndFractions) {
    EXPECT_EQ(Text(*LinearPolynom(-1)), "x-1");
    EXPECT_EQ(Text(*LinearPolynom(1), TextContext::Base), "(x+1)");

    auto hyper = std::make_unique<COHyperMonom>();
    hyper->AddTail(Pow(LinearPolynom(1), Num(1)), 1);
    hyper->AddTail(Pow(LinearPolynom(-1), Num(2)), -1);
    EXPECT_EQ(Text(*hyper), "{x+1}/(x-1)^2");
    EXPECT_EQ(Text(*hyper, TextContext::Factor), "{{x+1}/(x-1)^2}");

    auto single = std::make_unique<COHyperMonom>(Pow(LinearPolynom(1), Num(1)), 1);
    EXPECT_EQ(Text(*single), "x+1");
    EXPECT_EQ(Text(*single, TextContext::Factor), "(x+1)");

    auto levelProduct = std::make_unique<COLevelMultiplication>(NodeType::Multiplication);
    levelProduct->AddTail(hyper->Clone(), 1);
    levelProduct->AddTail(single->Clone(), 1);
    EXPECT_EQ(Text(*levelProduct), "{{x+1}/(x-1)^2}*(x+1)");

    auto levelFraction = std::make_unique<COLevelMultiplication>(NodeType::Fraction);
    levelFraction->AddTail(single->Clone(), 1);
    levelFraction->AddTail(hyper->Clone(), -1);
    EXPECT_EQ(Text(*levelFraction), "{x+1}/{{x+1}/(x-1)^2}");

    auto levelPower = std::make_unique<COLevelPower>(single->Clone(), Num(1));
    EXPECT_EQ(Text(*levelPower, TextContext::Factor), "(x+1)");
    auto squared = std::make_unique<COLevelPower>(single->Clone(), Num(2));
    EXPECT_EQ(Text(*squared, TextContext::Factor), "(x+1)^2");

    auto levelSum = std::make_unique<COLevelAddition>();
    levelSum->AddTail(single->Clone(), 1);
    levelSum->AddTail(hyper->Clone(), -1);
    EXPECT_EQ(Text(*levelSum), "(x+1)-{x+1}/(x-1)^2");
}

// Regression: "x^2/3" was written for the fraction x^2 over 3, which reads back as x^{2/3}, because a
// digit run, "/" and a digit form one fraction literal.
TEST(TreeText, DigitsAroundTheFractionBarAreKeptApart) {
    TextCase cases[] = {
        {"x^2/{3}", Frac(Pow(Var('x'), Num(2)), Den(Num(3)))},
        {"1/{3^x}", Frac(Den(Pow(Num(3), Var('x'))))},
        {"2/{0,5}", Frac(Num(2), Den(NumText("0,5")))},
        {"2/{3*x}", Frac(Num(2), Den(Num(3)), Den(Var('x')))},
        {"x^2/y", Frac(Pow(Var('x'), Num(2)), Den(Var('y')))},
        {"0,5/x", Frac(NumText("0,5"), Den(Var('x')))},
        {"2/3", Frac(Num(2), Den(Num(3)))}, // reads back as the literal 2/3, the same value
        {"1/3", Frac(Den(Num(3)))},
        {"{2*3}/5", Frac(Num(2), Num(3), Den(Num(5)))},
    };
    CheckTexts(std::begin(cases), std::end(cases));
}
