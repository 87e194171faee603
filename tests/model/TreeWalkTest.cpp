#include "TreeTestHelpers.h"

#include "model/COHyperMonom.h"
#include "model/COMonom.h"
#include "model/COPolynom.h"
#include "model/TreeQueries.h"
#include "model/Walkers.h"

#include <gtest/gtest.h>
#include <string>

using namespace treetest;

namespace {

// x + 2*y^3 - sqrt(z), with the monomial 5*w as a last, specialised term.
NodePtr SampleTree() {
    auto monom = std::make_unique<COMonom>(Num(5), 1);
    monom->AddTail(Pow(Var('w'), Num(1)), 1);
    return Sum(Var('x'), Prod(Num(2), Pow(Var('y'), Num(3))), Minus(Root(Var('z'), 2)), std::move(monom));
}

// The order in which a walk reaches nodes, each written as text.
std::string Order(void (*walk)(NodeHandle, CMethod&), NodePtr& root) {
    std::string order;
    CSimpleMethod record([&order](NodeHandle handle) {
        order += Text(**handle);
        order += " | ";
    });
    walk(&root, record);
    return order;
}

} // namespace

TEST(TreeWalkers, EachWalkReachesItsNodesInItsOrder) {
    struct Case {
        const char* name;
        void (*walk)(NodeHandle, CMethod&);
        const char* order;
    };
    const Case cases[] = {
        {"WalkPlain", WalkPlain, "x+2*y^3-!sq2{z}+5*w | x | 2*y^3 | 2 | y^3 | y | 3 | !sq2{z} | z | 5*w | "},
        {"WalkPlainBase", WalkPlainBase,
         "x+2*y^3-!sq2{z}+5*w | x | 2*y^3 | 2 | y^3 | y | !sq2{z} | z | 5*w | "},
        {"WalkPlainPost", WalkPlainPost,
         "x | 2 | y | 3 | y^3 | 2*y^3 | z | !sq2{z} | 5*w | x+2*y^3-!sq2{z}+5*w | "},
        {"WalkAll", WalkAll,
         "x+2*y^3-!sq2{z}+5*w | x | 2*y^3 | 2 | y^3 | y | 3 | !sq2{z} | z | 5*w | 5 | w^1 | w | 1 | "},
        {"WalkAllPost", WalkAllPost,
         "x | 2 | y | 3 | y^3 | 2*y^3 | z | !sq2{z} | 5 | w | 1 | w^1 | 5*w | x+2*y^3-!sq2{z}+5*w | "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NodePtr root = SampleTree();
        EXPECT_EQ(Order(c.walk, root), c.order);
    }
}

TEST(TreeWalkers, RelationsAreWalkedLeftThenRight) {
    NodePtr relation = Rel(RelationCode::Equal, Var('a'), Var('b'));
    EXPECT_EQ(Order(WalkAll, relation), "a=b | a | b | ");
    EXPECT_EQ(Order(WalkPlainPost, relation), "a | b | a=b | ");
}

TEST(TreeWalkers, VisitorFirstWalksEnterTheReplacement) {
    // Every variable x is replaced by the sum a+b; the walk then goes into the new sum.
    NodePtr root = Prod(Var('x'), Pow(Var('x'), Num(2)));
    std::string seen;
    CSimpleMethod replace([&seen](NodeHandle handle) {
        seen += Text(**handle) + " ";
        auto* variable = dynamic_cast<COVariable*>(handle->get());
        if (variable != nullptr && variable->Letter() == 'x') {
            *handle = Sum(Var('a'), Var('b'));
        }
    });
    WalkPlain(&root, replace);
    EXPECT_EQ(Text(*root), "(a+b)*(a+b)^2");
    EXPECT_EQ(seen, "x*x^2 x a b x^2 x a b 2 ");
}

TEST(TreeWalkers, PostOrderVisitorMayReplaceWithChildrenAlreadyDone) {
    // Turn every one-term sum into its term, innermost first: +(+(+x)) becomes x.
    NodePtr root = Prod(Sum(Sum(Sum(Var('x')))), Var('y'));
    CSimpleMethod unwrap([](NodeHandle handle) {
        COperation& node = **handle;
        if (node.GetFamily() == NodeFamily::Addition && node.AsList()->GetCount() == 1 &&
            node.AsList()->GetSignAt(1) == 1) {
            *handle = node.AsList()->RemoveHead();
        }
    });
    WalkPlainPost(&root, unwrap);
    EXPECT_EQ(root->AsList()->GetAt(1)->GetType(), NodeType::Variable);
    EXPECT_EQ(Text(*root), "x*y");
}

TEST(TreeVisitors, TestMethodKeepsItsFlagAcrossCallbacks) {
    NodePtr root = Sum(Var('x'), Prod(Var('y'), Var('x')));
    CTestMethod count(
        [](NodeHandle handle, std::int32_t* flag) {
            if (handle->get()->GetType() == NodeType::Variable) {
                ++*flag;
            }
        },
        10);
    WalkAll(&root, count);
    EXPECT_EQ(count.Flag(), 13);
    count.SetCallback([](NodeHandle handle, std::int32_t* flag) {
        if (handle->get()->GetFamily() == NodeFamily::Multiplication) {
            *flag += 100;
        }
    });
    WalkAll(&root, count);
    EXPECT_EQ(count.Flag(), 113);

    int products = 0;
    CVariableMethod withData(
        [](NodeHandle handle, void* data) {
            if (IsProductFamily(handle->get()->GetFamily())) {
                ++*static_cast<int*>(data);
            }
        },
        &products);
    WalkAllPost(&root, withData);
    EXPECT_EQ(products, 1);
}

TEST(TreeQueries, DivisionsDenominatorsAndNegativeExponents) {
    struct Case {
        const char* name;
        NodePtr node;
        bool division;
        bool denominator;
        bool negativeExponent;
    };
    Case cases[] = {
        {"a*b", Prod(Var('a'), Var('b')), false, false, false},
        {"a:b", Prod(Var('a'), Div(Var('b'))), true, false, false},
        {"a/b", Frac(Var('a'), Den(Var('b'))), true, true, false},
        {"a*b as fraction", Frac(Var('a'), Var('b')), false, false, false},
        {"x^{-2}", Pow(Var('x'), Num(-2)), false, false, true},
        {"x^{-2} as a sum", Pow(Var('x'), Sum(Minus(Num(2)))), false, false, true},
        {"x^{-(-2)}", Pow(Var('x'), Sum(Minus(Num(-2)))), false, false, false},
        {"x^{2-3} is not a single number", Pow(Var('x'), Sum(Num(2), Minus(Num(3)))), false, false, false},
        {"nested 1+x^{-1}", Sum(Num(1), Pow(Var('x'), Num(-1))), false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(HasDivision(*c.node), c.division);
        EXPECT_EQ(HasDenominator(*c.node), c.denominator);
        EXPECT_EQ(HasNegativeExponent(*c.node), c.negativeExponent);
        EXPECT_EQ(IsIntegralForm(*c.node), !c.division && !c.negativeExponent);
    }
}

TEST(TreeQueries, NumericAndVariableContent) {
    NodePtr numeric = Sum(Num(2), Pow(Num(3), Num(2)));
    EXPECT_TRUE(IsPurelyNumeric(*numeric));
    EXPECT_TRUE(HasNoVariableOrRoot(*numeric));
    NodePtr withRoot = Sum(Num(2), Root(Num(3), 2));
    EXPECT_FALSE(IsPurelyNumeric(*withRoot));
    EXPECT_FALSE(HasNoVariableOrRoot(*withRoot));
    NodePtr relation = Rel(RelationCode::Equal, Num(1), Num(1));
    EXPECT_FALSE(IsPurelyNumeric(*relation));
    EXPECT_TRUE(HasNoVariableOrRoot(*relation));
    EXPECT_FALSE(IsPurelyNumeric(*Prod(Num(2), Var('x'))));
}

TEST(TreeQueries, SumsOfHyperMonoms) {
    EXPECT_TRUE(IsSumOfHyperMonoms(COAddition()));
    auto sum = std::make_unique<COPolynom>();
    EXPECT_TRUE(IsSumOfHyperMonoms(*sum));
    sum->AddTail(std::make_unique<COHyperMonom>(), 1);
    EXPECT_TRUE(IsSumOfHyperMonoms(*sum));
    sum->AddTail(Var('x'), 1);
    EXPECT_FALSE(IsSumOfHyperMonoms(*sum));
    EXPECT_FALSE(IsSumOfHyperMonoms(*Prod(std::make_unique<COHyperMonom>())));
}

TEST(TreeQueries, MarksAndComments) {
    NodePtr root = SampleTree();
    SetMarksAll(*root, 3);
    std::int32_t total = 0;
    CSimpleMethod sumMarks([&total](NodeHandle handle) { total += (*handle)->PassMark(); });
    WalkAll(&root, sumMarks);
    EXPECT_EQ(total, 3 * 14);
    SetMarks(*root, 0); // plain walk: the inside of the monomial keeps its marks
    total = 0;
    WalkAll(&root, sumMarks);
    EXPECT_EQ(total, 3 * 4);

    root->AddComment(CommentID::BracketsOpened);
    root->AsList()->GetAt(4)->AsList()->GetAt(1)->AddComment(CommentID::TermsReordered);
    ClearAllComments(*root);
    EXPECT_EQ(root->CommentCount(), 0);
    EXPECT_EQ(root->AsList()->GetAt(4)->AsList()->GetAt(1)->CommentCount(), 0);
}

TEST(TreeQueries, ProductOrPowerAndNormalizing) {
    EXPECT_TRUE(IsProductOrPower(*Prod(Var('a')), false));
    EXPECT_TRUE(IsProductOrPower(*Pow(Var('a'), Num(2)), false));
    EXPECT_FALSE(IsProductOrPower(*Sum(Prod(Var('a'))), false));
    EXPECT_TRUE(IsProductOrPower(*Sum(Minus(Prod(Var('a')))), true));
    EXPECT_FALSE(IsProductOrPower(*Sum(Sum(Prod(Var('a')))), true)); // one level of wrapping only
    EXPECT_FALSE(IsProductOrPower(*Sum(Prod(Var('a')), Var('b')), true));

    struct Case {
        const char* name;
        NodePtr node;
        std::int32_t sign;
        NodeType type;
        const char* text;
    };
    Case cases[] = {
        {"power", Pow(Var('x'), Num(2)), 1, NodeType::Multiplication, "x^2"},
        {"-(a*b)", Sum(Minus(Prod(Var('a'), Var('b')))), -1, NodeType::Multiplication, "a*b"},
        {"-(x^2)", Sum(Minus(Pow(Var('x'), Num(2)))), -1, NodeType::Multiplication, "x^2"},
        {"+(x^2)", Sum(Pow(Var('x'), Num(2))), 1, NodeType::Multiplication, "x^2"},
        {"variable", Var('x'), 1, NodeType::Variable, "x"},
        {"-x", Sum(Minus(Var('x'))), 1, NodeType::Addition, "-x"},
        {"a+b", Sum(Var('a'), Var('b')), 1, NodeType::Addition, "a+b"},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(NormalizeToProduct(&c.node), c.sign);
        EXPECT_EQ(c.node->GetType(), c.type);
        EXPECT_EQ(Text(*c.node), c.text);
    }
}
