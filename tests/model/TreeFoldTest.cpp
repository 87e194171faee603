#include "TreeTestHelpers.h"

#include "model/COMonom.h"
#include "model/FoldNumbers.h"
#include "model/Walkers.h"
#include "tests/support/RandomTreeMaker.h"

#include <gtest/gtest.h>
#include <numeric>

using namespace treetest;

namespace {

struct FoldCase {
    const char* name;
    NodePtr tree;
    const char* expected;
    bool error = false;
};

bool AllMarksZero(NodePtr& root) {
    bool clean = true;
    CSimpleMethod check([&clean](NodeHandle handle) { clean = clean && (*handle)->PassMark() == 0; });
    WalkAll(&root, check);
    return clean;
}

} // namespace

TEST(TreeFold, EvaluatesNumericPartsAndCombinesNumbers) {
    FoldCase cases[] = {
        {"2*3+x/(4:2)", Sum(Prod(Num(2), Num(3)), Frac(Var('x'), Den(Prod(Num(4), Div(Num(2)))))), "6+x/2"},
        {"2+x+3", Sum(Num(2), Var('x'), Num(3)), "5+x"},
        {"2-x-5", Sum(Num(2), Minus(Var('x')), Minus(Num(5))), "-3-x"},
        {"x+3-3: numbers that cancel leave nothing", Sum(Var('x'), Num(3), Minus(Num(3))), "x"},
        {"3-3 alone stays 0", Sum(Num(3), Minus(Num(3))), "0"},
        {"2*x*3:4:5", Prod(Num(2), Var('x'), Num(3), Div(Num(4)), Div(Num(5))), "6*x:20"},
        {"x:4*y:5", Prod(Var('x'), Div(Num(4)), Var('y'), Div(Num(5))), "x:20*y"},
        {"2*x/{3*5}", Frac(Num(2), Var('x'), Den(Num(3)), Den(Num(5))), "{2*x}/15"},
        {"(2+3)*(x+1)", Prod(Sum(Num(2), Num(3)), Sum(Var('x'), Num(1))), "5*(x+1)"},
        {"x^(2*3)", Pow(Var('x'), Prod(Num(2), Num(3))), "x^6"},
        {"2^{-2}: a quotient stays a fraction", Pow(Num(2), Num(-2)), "1/4"},
        {"1/4+1/4: fractions give a fraction", Sum(NumText("1/4"), NumText("1/4")), "1/2"},
        {"6:4", Prod(Num(6), Div(Num(4))), "3/2"},
        {"0,5+1/4: a decimal gives the decimal", Sum(NumText("0,5"), NumText("1/4")), "0,75"},
        {"-(2 1/3) stays", Sum(Minus(NumText("2@{1/3}"))), "-2@{1/3}"},
        {"1:3", Prod(Num(1), Div(Num(3))), "1/3"},
        {"(1/2)^3 * 8", Prod(Pow(NumText("1/2"), Num(3)), Num(8)), "1"},
        {"0,1+1/3", Sum(NumText("0,1"), NumText("1/3")), "13/30"},
        {"x=2*2", Rel(RelationCode::Equal, Var('x'), Prod(Num(2), Num(2))), "x=4"},
        {"sqrt(2+2) keeps the root", Root(Sum(Num(2), Num(2)), 2), "!sq2{4}"},
        {"4^{1/2} is not a whole power", Sum(Num(1), Pow(Num(4), NumText("1/2"))), "1+4^{1/2}"},
        {"0^(-1) has no value and stays", Pow(Num(0), Num(-1)), "0^{-1}", true},
        {"1/0 has no value and stays", Frac(Num(1), Den(Num(0))), "1/0", true},
        {"5/(2-2) keeps the zero divisor", Frac(Num(5), Den(Sum(Num(2), Minus(Num(2))))), "5/0", true},
        {"x/0 is left to the zero-divisor test", Frac(Var('x'), Den(Num(0))), "x/0"},
    };
    for (FoldCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FoldNumbers(&c.tree), c.error);
        EXPECT_EQ(Text(*c.tree), c.expected);
        EXPECT_TRUE(AllMarksZero(c.tree));
    }
}

TEST(TreeFold, SpecialisedNodesAreLeftAlone) {
    auto monom = std::make_unique<COMonom>(Num(2), 1);
    monom->AddTail(Num(3), 1); // not a normal monomial, but it must not be touched
    NodePtr tree = Sum(Num(1), std::move(monom), Num(2));
    EXPECT_FALSE(FoldNumbers(&tree));
    EXPECT_EQ(Text(*tree), "3+2*3");
    EXPECT_EQ(tree->AsList()->GetAt(2)->GetType(), NodeType::Monom);
}

TEST(TreeFold, ReportsEachStageAndKeepsComments) {
    NodePtr product = Prod(Num(2), Num(3));
    product->AddComment(CommentID::LikeTermsCombined);
    NodePtr tree = Sum(std::move(product), Var('x'), Num(1));
    int stages = 0;
    std::vector<std::string> texts;
    FoldNumbers(&tree, [&] {
        ++stages;
        texts.push_back(Text(*tree));
    });
    EXPECT_EQ(stages, 3);
    EXPECT_EQ(texts, (std::vector<std::string>{"6+x+1", "6+1+x", "7+x"}));
    EXPECT_EQ(tree->AsList()->GetAt(1)->CommentCount(), 1);
    // The sum says what its two steps did: its numbers moved together, then combined.
    ASSERT_NE(tree->Comments(), nullptr);
    EXPECT_EQ(*tree->Comments(), (CommentList{CommentID::TermsReordered, CommentID::LikeTermsCombined}));
}

namespace {

// Exact rational arithmetic of the test itself, on small integers.
struct Rational {
    long long num = 0;
    long long den = 1;
};

Rational Reduce(long long num, long long den) {
    if (den < 0) {
        num = -num;
        den = -den;
    }
    long long g = std::gcd(num < 0 ? -num : num, den);
    return g == 0 ? Rational{0, 1} : Rational{num / g, den / g};
}

bool Small(const Rational& r) {
    return r.num > -1000000 && r.num < 1000000 && r.den < 1000000;
}

enum class Outcome { Defined, Undefined, TooLarge };

struct TreeValue {
    Outcome outcome = Outcome::Defined;
    Rational value;
};

TreeValue Combine(const TreeValue& a, const TreeValue& b) {
    if (a.outcome == Outcome::Undefined || b.outcome == Outcome::Undefined) {
        return {Outcome::Undefined, {}};
    }
    return {Outcome::TooLarge, {}};
}

TreeValue Checked(const Rational& r) {
    return Small(r) ? TreeValue{Outcome::Defined, r} : TreeValue{Outcome::TooLarge, {}};
}

TreeValue PowerValue(const TreeValue& base, long long exponent) {
    if (base.outcome != Outcome::Defined) {
        return base;
    }
    if (exponent < 0 && base.value.num == 0) {
        return {Outcome::Undefined, {}};
    }
    Rational r{1, 1};
    for (long long i = 0; i < (exponent < 0 ? -exponent : exponent) && Small(r); ++i) {
        r = Reduce(r.num * base.value.num, r.den * base.value.den);
    }
    return Checked(exponent < 0 ? Reduce(r.den, r.num) : r);
}

// The value of a numeric tree by the test's own rational arithmetic: undefined when it divides by
// zero, too large when a value on the way leaves the small range.
TreeValue ValueOf(const COperation& node) {
    if (const CONumber* number = AsNumber(&node)) {
        return {Outcome::Defined, {number->Value().Numerator().SmallValue(), 1}};
    }
    if (node.GetFamily() == NodeFamily::Power) {
        const auto& power = NodeAs<COPower>(node);
        return PowerValue(ValueOf(*power.Base()), AsNumber(power.Exponent())->Value().Numerator().SmallValue());
    }
    const bool sum = node.GetFamily() == NodeFamily::Addition;
    TreeValue total{Outcome::Defined, sum ? Rational{0, 1} : Rational{1, 1}};
    for (const ListCell& cell : *node.AsList()) {
        const TreeValue element = ValueOf(*cell.child);
        if (total.outcome != Outcome::Defined || element.outcome != Outcome::Defined) {
            total = Combine(total, element);
            continue;
        }
        const Rational t = total.value;
        const Rational e = element.value;
        if (sum) {
            total = Checked(Reduce(t.num * e.den + cell.sign * e.num * t.den, t.den * e.den));
        } else if (cell.sign == 1) {
            total = Checked(Reduce(t.num * e.num, t.den * e.den));
        } else if (e.num == 0) {
            total = {Outcome::Undefined, {}};
        } else {
            total = Checked(Reduce(t.num * e.den, t.den * e.num));
        }
    }
    return total;
}

} // namespace

// Every numeric tree folds to its value; one that divides by zero is reported as having none (and
// keeps its form); one whose value the test's own arithmetic cannot hold still folds to a number.
TEST(TreeFold, AgreesWithIndependentRationalArithmetic) {
    RandomTreeMaker trees(20261207, RandomTreeShape{.lowestExponent = -2, .highestExponent = 3, .longestList = 4});
    int checked = 0;
    int undefined = 0;
    for (int round = 0; round < 3000; ++round) {
        NodePtr tree = trees.Make(3);
        const TreeValue value = ValueOf(*tree);
        const std::string before = Text(*tree);
        SCOPED_TRACE(before);
        const bool error = FoldNumbers(&tree);
        if (value.outcome == Outcome::Undefined) {
            EXPECT_TRUE(error) << "folded to " << Text(*tree);
            ++undefined;
            continue;
        }
        EXPECT_FALSE(error);
        const CONumber* result = AsNumber(tree.get());
        ASSERT_NE(result, nullptr) << Text(*tree);
        if (value.outcome == Outcome::TooLarge) {
            continue;
        }
        CNumber scaled = result->Value();
        scaled.MultiplyInPlace(CNumber(static_cast<std::int32_t>(value.value.den)));
        EXPECT_TRUE(scaled.Equal(CNumber(static_cast<std::int32_t>(value.value.num))))
            << "folded to " << Text(*tree) << ", expected " << value.value.num << "/" << value.value.den;
        ++checked;
    }
    EXPECT_GT(checked, 1000);
    EXPECT_GT(undefined, 20);
}
