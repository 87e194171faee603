// The library of tree walks: the build and unbuild passes, flattening, sign folding, letters and the
// size measure.

#include "solver/Methods.h"
#include "model/COHyperMonom.h"
#include "model/COMonom.h"
#include "model/COPolynom.h"
#include "model/NodeCast.h"
#include "model/TreeTestHelpers.h"
#include "model/Walkers.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace treetest;

namespace {

bool HasComment(const COperation& node, CommentID id) {
    const CommentList* comments = node.Comments();
    return comments != nullptr && std::find(comments->begin(), comments->end(), id) != comments->end();
}

// 2*x + 3*x*y - x*2 : (y+1)
NodePtr Sample() {
    return Frac(Sum(Prod(Num(2), Var('x')), Prod(Num(3), Var('x'), Var('y')), Minus(Prod(Var('x'), Num(2)))),
                Den(Sum(Var('y'), Num(1))));
}

TEST(BuildPasses, MonomsPolynomsAndHyperMonoms) {
    NodePtr tree = Sample();
    BuildMonoms(&tree);
    EXPECT_EQ(Text(*tree), "{2*x+3*x*y-2*x}/{y+1}");
    BuildPolynoms(&tree);
    ASSERT_EQ(tree->GetType(), NodeType::Fraction);
    EXPECT_EQ(tree->AsList()->GetAt(1)->GetType(), NodeType::Polynom);
    EXPECT_EQ(tree->AsList()->GetAt(2)->GetType(), NodeType::Polynom);
    NormalizePolynoms(&tree);
    const COperation& numerator = *tree->AsList()->GetAt(1);
    EXPECT_EQ(Text(numerator), "3*x*y");
    EXPECT_TRUE(HasComment(numerator, CommentID::LikeTermsCombined));
    EXPECT_TRUE(HasComment(numerator, CommentID::TermsReordered)); // 3*x*y has the higher degree
    BuildHyperMonoms(&tree);
    EXPECT_EQ(tree->GetType(), NodeType::HyperMonom);
    EXPECT_EQ(Text(*tree), "{3*x*y}/{y+1}");
}

TEST(BuildPasses, WhatDoesNotQualifyStaysPlain) {
    // A power with a letter exponent and a root are left alone; their number parts become monomials.
    NodePtr tree = Sum(Pow(Var('x'), Var('n')), Root(Var('x'), 2), Num(4));
    BuildMonoms(&tree);
    BuildPolynoms(&tree);
    EXPECT_EQ(tree->GetType(), NodeType::Addition);
    EXPECT_EQ(tree->AsList()->GetAt(1)->GetType(), NodeType::Power);
    EXPECT_EQ(tree->AsList()->GetAt(3)->GetType(), NodeType::Polynom);
    // A number in an exponent is not visited by the base-only walk.
    const auto& power = NodeAs<COPower>(*tree->AsList()->GetAt(1));
    EXPECT_EQ(power.Base()->GetType(), NodeType::Polynom);
}

TEST(BuildPasses, TidyMovesSignsIntoCells) {
    auto polynom = std::make_unique<COPolynom>(COMonom::Constant(CNumber(-3)), 1);
    NodePtr tree = std::move(polynom);
    TidyPolynoms(&tree);
    EXPECT_EQ(tree->AsList()->Head()->sign, -1);
    EXPECT_EQ(Text(*tree), "-3");
}

TEST(UnbuildPasses, BackToPlainNodes) {
    NodePtr tree = Sample();
    BuildMonoms(&tree);
    BuildPolynoms(&tree);
    BuildHyperMonoms(&tree);
    UnbuildHyperMonoms(&tree);
    UnbuildPolynoms(&tree);
    UnbuildMonoms(&tree);
    FlattenLists(&tree);
    // The factors keep their exponent 1 until the neutral elements are removed.
    EXPECT_EQ(Text(*tree), "(3*x*y)^1/(y+1)^1"); // building normalized the polynomials
    CTestMethod none(
        [](NodeHandle slot, std::int32_t* flag) {
            if (!(*slot)->IsPlain()) {
                *flag = 1;
            }
        },
        0);
    WalkAll(&tree, none);
    EXPECT_EQ(none.Flag(), 0) << "a specialised node was left in " << Text(*tree);

    NodePtr monom = Prod(Num(1), Pow(Var('x'), Num(1)));
    COMonom::Build(&monom);
    UnbuildMonoms(&monom);
    EXPECT_EQ(monom->GetType(), NodeType::Variable);
    NodePtr number = Num(5);
    COMonom::Build(&number);
    UnbuildMonoms(&number);
    EXPECT_EQ(number->GetType(), NodeType::Number);
}

TEST(FlattenLists, MergesNestedListsWithTheirSigns) {
    struct Case {
        const char* name;
        NodePtr tree;
        const char* text;
        bool merged;
        bool bracketsOpened;
    };
    Case cases[] = {
        {"a-(b-c)", Sum(Var('a'), Minus(Sum(Var('b'), Minus(Var('c'))))), "a-b+c", true, true},
        {"a:(b:c)", Prod(Var('a'), Div(Prod(Var('b'), Div(Var('c'))))), "a:b*c", true, true},
        {"(a*b)/c in a fraction", Frac(Prod(Var('a'), Var('b')), Den(Var('c'))), "{a*b}/c", true, false},
        {"a+(b)", Sum(Var('a'), Sum(Var('b'))), "a+b", true, false},
        {"a*(b+c) stays", Prod(Var('a'), Sum(Var('b'), Var('c'))), "a*(b+c)", false, false},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FlattenLists(&c.tree), c.merged);
        EXPECT_EQ(Text(*c.tree), c.text);
        EXPECT_EQ(HasComment(*c.tree, CommentID::BracketsOpened), c.bracketsOpened);
    }
    NodePtr fraction = Frac(Prod(Var('a'), Var('b')), Den(Var('c')));
    FlattenLists(&fraction);
    EXPECT_EQ(fraction->AsList()->GetCount(), 3);
}

TEST(FoldFractionSigns, NegativeFractionsAreWrapped) {
    NodePtr tree = Sum(Frac(Sum(Num(1), Minus(Var('x'))), Den(Var('y'))), Var('z'));
    BuildMonoms(&tree);
    BuildPolynoms(&tree);
    BuildHyperMonoms(&tree);
    EXPECT_TRUE(FoldFractionSigns(&tree));
    EXPECT_EQ(Text(*tree), "(-{x-1}/y)+z");
    EXPECT_FALSE(FoldFractionSigns(&tree));
}

TEST(CollectLetters, AscendingAndOnce) {
    NodePtr tree = Sum(Prod(Var('a'), Var('x')), Prod(Var('b'), Var('x')), Var('a'));
    EXPECT_EQ(CollectLetters(*tree), "abx");
    std::string letters = "cy";
    CollectLetters(&tree, letters);
    EXPECT_EQ(letters, "abcxy");
    EXPECT_EQ(CollectLetters(*Sum(Var('b'), Var('B'))), "Bb");
    EXPECT_EQ(CollectLetters(*Num(3)), "");
}

TEST(CountOperations, PowersAndListElements) {
    EXPECT_EQ(CountOperations(*Num(3)), 0);
    EXPECT_EQ(CountOperations(*Sum(Var('a'), Var('b'), Var('c'))), 2);
    EXPECT_EQ(CountOperations(*Prod(Pow(Var('x'), Num(2)), Sum(Var('y'), Num(1)))), 3);
    EXPECT_EQ(CountOperations(*Sum(Var('a'))), 0);
}

} // namespace
