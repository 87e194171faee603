#include "TreeTestHelpers.h"

#include "markup/CFormulaParser.h"
#include "tests/support/RandomTreeMaker.h"

#include <gtest/gtest.h>

using namespace treetest;

// Every tree written as text must read back as an equal tree, and the text of the tree read back
// must read back as itself.

namespace {

ParseResult Read(const std::string& text, bool relation) {
    return relation ? ParseEquationText(text + ";") : ParseExpressionText(text + ";");
}

} // namespace

TEST(TreeRoundTrip, WrittenTreesReadBackEqual) {
    RandomTreeMaker trees(4711, RandomTreeShape{.letters = true});
    for (int round = 0; round < 4000; ++round) {
        NodePtr tree = trees.Make(4);
        const std::string text = Text(*tree);
        SCOPED_TRACE(text);
        EXPECT_TRUE(IsEqualNodes(*tree, *tree->Clone())) << Structure(*tree);
        ParseResult first = Read(text, false);
        ASSERT_EQ(first.errorCode, ProblemError::None);
        ASSERT_NE(first.tree, nullptr);
        EXPECT_TRUE(IsEqualNodes(*tree, *first.tree))
            << "written from " << Structure(*tree) << "\nread back as " << Structure(*first.tree);

        // The text of what was read settles: a fraction node of two integers is written like the
        // number literal it then reads back as, so the text may change once more and then stays.
        const std::string again = Text(*first.tree);
        ParseResult second = Read(again, false);
        ASSERT_EQ(second.errorCode, ProblemError::None) << again;
        const std::string third = Text(*second.tree);
        ParseResult last = Read(third, false);
        ASSERT_EQ(last.errorCode, ProblemError::None) << third;
        EXPECT_EQ(Text(*last.tree), third);
    }
}

TEST(TreeRoundTrip, HandWrittenFormsReadBack) {
    struct Case {
        NodePtr tree;
        bool relation;
    };
    Case cases[] = {
        {Frac(Pow(Var('x'), Num(2)), Den(Num(3))), false},
        {Frac(Den(Pow(Num(3), Var('x')))), false},
        {Frac(Num(2), Den(NumText("0,5"))), false},
        {Prod(Div(Var('a'))), false},
        {Sum(Minus(Var('a')), Prod(Num(2), Sum(Minus(Var('b')), Var('c')))), false},
        {Pow(Var('x'), Sum(Var('a'), Minus(Num(1)))), false},
        {Pow(Sum(Minus(Var('a'))), Num(2)), false},
        {Frac(Sum(Var('a'), Var('b')), Pow(Var('x'), Num(2)), Den(Sum(Var('c'), Num(1)))), false},
        {Pow(Var('x'), NumText("1/2")), false},
        {Rel(RelationCode::Equal, Frac(Num(1), Den(Var('x'))), Num(0)), true},
        {Rel(RelationCode::Equal, Sum(Var('x'), Minus(Num(5))), Sum(Minus(Var('x')))), true},
    };
    for (Case& c : cases) {
        const std::string text = Text(*c.tree);
        SCOPED_TRACE(text);
        ParseResult read = Read(text, c.relation);
        ASSERT_EQ(read.errorCode, ProblemError::None);
        EXPECT_TRUE(IsEqualNodes(*c.tree, *read.tree)) << "read back as " << Text(*read.tree);
    }
}
