#include "TreeTestHelpers.h"

#include "markup/CFormulaParser.h"

#include <gtest/gtest.h>
#include <random>

using namespace treetest;

// Every tree written as text must read back as an equal tree, and the text of the tree read back
// must read back as itself.

namespace {

ParseResult Read(const std::string& text, bool relation) {
    return relation ? ParseEquationText(text + ";") : ParseExpressionText(text + ";");
}

// A random plain tree without roots, relations, cross-outs or negative number leaves (those have no
// form of their own in the text the parser reads). Fraction denominators are never integer leaves,
// because an integer over an integer is written as a number literal.
class RandomTrees {
public:
    explicit RandomTrees(unsigned seed) : m_random(seed) {}

    NodePtr Make(int depth) {
        const int kind = Pick(depth <= 0 ? 1 : 6);
        switch (kind) {
        case 0:
            return Leaf();
        case 1:
            return Var(static_cast<char>('a' + Pick(4)));
        case 2:
            return Pow(Make(depth - 1), Make(depth - 1));
        case 3:
            return List(std::make_unique<COAddition>(), depth);
        case 4:
            return List(std::make_unique<COMultiplication>(), depth);
        case 5:
            return FractionNode(depth);
        default:
            return Leaf();
        }
    }

private:
    int Pick(int upTo) { return std::uniform_int_distribution<int>(0, upTo)(m_random); }

    NodePtr Leaf() {
        switch (Pick(5)) {
        case 0:
            return NumText("0,5");
        case 1:
            return NumText("3/4");
        default:
            return Num(Pick(12));
        }
    }

    // A list of one element with sign +1 is written as that element and read back without the
    // list; sums and products compare their elements without looking into such wrappers of the
    // other kind, so none is made.
    NodePtr List(NodePtr node, int depth) {
        const int count = 1 + Pick(3);
        for (int i = 0; i < count; ++i) {
            node->AsList()->AddTail(Make(depth - 1), Pick(2) == 0 ? -1 : 1);
        }
        if (count == 1) {
            node->AsList()->begin()->sign = -1;
        }
        return node;
    }

    NodePtr FractionNode(int depth) {
        auto fraction = std::make_unique<COFraction>();
        const int above = Pick(2);
        const int below = 1 + Pick(1);
        for (int i = 0; i < above; ++i) {
            fraction->AddTail(Make(depth - 1), 1);
        }
        for (int i = 0; i < below; ++i) {
            NodePtr denominator = Make(depth - 1);
            if (AsNumber(denominator.get()) != nullptr && AsNumber(denominator.get())->Value().IsInteger()) {
                denominator = Var('z');
            }
            fraction->AddTail(std::move(denominator), -1);
        }
        return fraction;
    }

    std::mt19937 m_random;
};

} // namespace

TEST(TreeRoundTrip, WrittenTreesReadBackEqual) {
    RandomTrees trees(4711);
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
