#include "TreeTestHelpers.h"

#include "model/COMonom.h"
#include "model/FoldNumbers.h"
#include "model/Walkers.h"

#include <gtest/gtest.h>
#include <numeric>
#include <optional>
#include <random>

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

// Builds a random numeric tree and its value; none when the value leaves the small range or
// divides by zero.
NodePtr RandomTree(std::mt19937& random, int depth, std::optional<Rational>& value) {
    std::uniform_int_distribution<int> pick(0, depth <= 0 ? 0 : 4);
    std::uniform_int_distribution<int> digit(0, 9);
    const int kind = pick(random);
    if (kind == 0) {
        const int n = digit(random);
        value = Rational{n, 1};
        return Num(n);
    }
    if (kind == 4) {
        std::optional<Rational> base;
        NodePtr baseTree = RandomTree(random, depth - 1, base);
        const int exponent = std::uniform_int_distribution<int>(-2, 3)(random);
        if (base) {
            Rational r{1, 1};
            const Rational b = *base;
            for (int i = 0; i < (exponent < 0 ? -exponent : exponent); ++i) {
                r = Reduce(r.num * b.num, r.den * b.den);
            }
            if (exponent < 0) {
                r = r.num == 0 ? Rational{0, 0} : Reduce(r.den, r.num);
            }
            value = r.den == 0 || !Small(r) ? std::nullopt : std::optional<Rational>(r);
        } else {
            value = std::nullopt;
        }
        return Pow(std::move(baseTree), Num(exponent));
    }
    std::unique_ptr<COperation> node;
    const int count = std::uniform_int_distribution<int>(1, 4)(random);
    Rational total = kind == 1 ? Rational{0, 1} : Rational{1, 1};
    bool valid = true;
    COperationList* list = nullptr;
    if (kind == 1) {
        node = std::make_unique<COAddition>();
    } else if (kind == 2) {
        node = std::make_unique<COMultiplication>();
    } else {
        node = std::make_unique<COFraction>();
    }
    list = node->AsList();
    for (int i = 0; i < count; ++i) {
        std::optional<Rational> element;
        NodePtr child = RandomTree(random, depth - 1, element);
        const std::int32_t sign = std::uniform_int_distribution<int>(0, 2)(random) == 0 ? -1 : 1;
        list->AddTail(std::move(child), sign);
        if (!element) {
            valid = false;
            continue;
        }
        if (kind == 1) {
            total =
                Reduce(total.num * element->den + sign * element->num * total.den, total.den * element->den);
        } else if (sign == 1) {
            total = Reduce(total.num * element->num, total.den * element->den);
        } else if (element->num == 0) {
            valid = false;
        } else {
            total = Reduce(total.num * element->den, total.den * element->num);
        }
        valid = valid && Small(total);
    }
    value = valid ? std::optional<Rational>(total) : std::nullopt;
    return node;
}

} // namespace

TEST(TreeFold, AgreesWithIndependentRationalArithmetic) {
    std::mt19937 random(20261207);
    int checked = 0;
    for (int round = 0; round < 3000; ++round) {
        std::optional<Rational> value;
        NodePtr tree = RandomTree(random, 3, value);
        if (!value) {
            continue;
        }
        const std::string before = Text(*tree);
        SCOPED_TRACE(before);
        EXPECT_FALSE(FoldNumbers(&tree));
        const CONumber* result = AsNumber(tree.get());
        ASSERT_NE(result, nullptr) << Text(*tree);
        CNumber scaled = result->Value();
        scaled.MultiplyInPlace(CNumber(static_cast<std::int32_t>(value->den)));
        EXPECT_TRUE(scaled.Equal(CNumber(static_cast<std::int32_t>(value->num))))
            << "folded to " << Text(*tree) << ", expected " << value->num << "/" << value->den;
        ++checked;
    }
    EXPECT_GT(checked, 1000);
}
