#include "TreeTestHelpers.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

using namespace treetest;

namespace {

struct EqualityCase {
    const char* name;
    std::function<NodePtr()> a;
    std::function<NodePtr()> b;
    bool equal;
};

void CheckEqualityCases(const std::vector<EqualityCase>& cases) {
    for (const EqualityCase& c : cases) {
        SCOPED_TRACE(c.name);
        NodePtr a = c.a();
        NodePtr b = c.b();
        EXPECT_EQ(IsEqualNodes(*a, *b), c.equal) << Text(*a) << " vs " << Text(*b);
        // The dispatcher must give the same answer whichever side comes first.
        EXPECT_EQ(IsEqualNodes(*b, *a), c.equal) << Text(*b) << " vs " << Text(*a);
    }
}

} // namespace

TEST(TreeEquality, LeavesCompareByValueAndLetter) {
    CheckEqualityCases({
        {"1/2 equals 0,5", [] { return NumText("1/2"); }, [] { return NumText("0,5"); }, true},
        {"2 vs 3", [] { return Num(2); }, [] { return Num(3); }, false},
        {"x vs x", [] { return Var('x'); }, [] { return Var('x'); }, true},
        {"x vs X (case matters)", [] { return Var('x'); }, [] { return Var('X'); }, false},
        {"number vs variable", [] { return Num(1); }, [] { return Var('x'); }, false},
    });
}

TEST(TreeEquality, PowersReduceTrivialExponentsAndBases) {
    CheckEqualityCases({
        {"x^1 = x", [] { return Pow(Var('x'), Num(1)); }, [] { return Var('x'); }, true},
        {"y^0 = 1", [] { return Pow(Var('y'), Num(0)); }, [] { return Num(1); }, true},
        {"1^z = 1", [] { return Pow(Num(1), Var('z')); }, [] { return Num(1); }, true},
        {"0^z = 0", [] { return Pow(Num(0), Var('z')); }, [] { return Num(0); }, true},
        {"x^2 != x*x", [] { return Pow(Var('x'), Num(2)); }, [] { return Prod(Var('x'), Var('x')); }, false},
        {"x^2 = x^2", [] { return Pow(Var('x'), Num(2)); }, [] { return Pow(Var('x'), Num(2)); }, true},
        {"x^2 != x^3", [] { return Pow(Var('x'), Num(2)); }, [] { return Pow(Var('x'), Num(3)); }, false},
        {"x^1 != y^1", [] { return Pow(Var('x'), Num(1)); }, [] { return Pow(Var('y'), Num(1)); }, false},
        {"y^0 = z^0", [] { return Pow(Var('y'), Num(0)); }, [] { return Pow(Var('z'), Num(0)); }, true},
    });
}

// Regression: (a+b)^1 was not equal to its own copy, because the exponent-1 rule compared the sum
// a+b with the other power, and a sum only ever equals sums.
TEST(TreeEquality, TrivialExponentsAndDegreesStillCompareAsPowersAndRoots) {
    CheckEqualityCases({
        {"(a+b)^1 = (a+b)^1", [] { return Pow(Sum(Var('a'), Var('b')), Num(1)); },
         [] { return Pow(Sum(Var('a'), Var('b')), Num(1)); }, true},
        {"(a+b)^1 = (b+a)^1", [] { return Pow(Sum(Var('a'), Var('b')), Num(1)); },
         [] { return Pow(Sum(Var('b'), Var('a')), Num(1)); }, true},
        {"(a+b)^1 != (a+b)^2", [] { return Pow(Sum(Var('a'), Var('b')), Num(1)); },
         [] { return Pow(Sum(Var('a'), Var('b')), Num(2)); }, false},
        {"(a+b)^1 != a+b (the sum decides)", [] { return Pow(Sum(Var('a'), Var('b')), Num(1)); },
         [] { return Sum(Var('a'), Var('b')); }, false},
        {"(a+b)^0 = (a-c)^0", [] { return Pow(Sum(Var('a'), Var('b')), Num(0)); },
         [] { return Pow(Sum(Var('a'), Minus(Var('c'))), Num(0)); }, true},
        {"first root of a+b = itself", [] { return Root(Sum(Var('a'), Var('b')), 1); },
         [] { return Root(Sum(Var('a'), Var('b')), 1); }, true},
    });
}

TEST(TreeEquality, RootsMatchExactRootsPowersAndRoots) {
    CheckEqualityCases({
        {"sqrt 9 = 3", [] { return Root(Num(9), 2); }, [] { return Num(3); }, true},
        {"cbrt 8 = 2", [] { return Root(Num(8), 3); }, [] { return Num(2); }, true},
        {"sqrt 2 != 2", [] { return Root(Num(2), 2); }, [] { return Num(2); }, false},
        {"sqrt 2 != 1", [] { return Root(Num(2), 2); }, [] { return Num(1); }, false},
        {"sqrt x = x^{1/2}", [] { return Root(Var('x'), 2); }, [] { return Pow(Var('x'), NumText("1/2")); },
         true},
        {"sqrt x = x^{0,5}", [] { return Root(Var('x'), 2); }, [] { return Pow(Var('x'), NumText("0,5")); },
         true},
        {"sqrt x != x^{1/3}", [] { return Root(Var('x'), 2); }, [] { return Pow(Var('x'), NumText("1/3")); },
         false},
        {"sqrt x != x^0 (no reciprocal of 0)", [] { return Root(Var('x'), 2); },
         [] { return Pow(Var('x'), Num(0)); }, false},
        {"sqrt x = sqrt x", [] { return Root(Var('x'), 2); }, [] { return Root(Var('x'), 2); }, true},
        {"sqrt x != cbrt x", [] { return Root(Var('x'), 2); }, [] { return Root(Var('x'), 3); }, false},
        {"first root of x = x", [] { return Root(Var('x'), 1); }, [] { return Var('x'); }, true},
    });
}

TEST(TreeEquality, RelationsCompareSidesOnly) {
    CheckEqualityCases({
        {"x=1 vs x<1", [] { return Rel(RelationCode::Equal, Var('x'), Num(1)); },
         [] { return Rel(RelationCode::Less, Var('x'), Num(1)); }, true},
        {"x=1 vs 1=x", [] { return Rel(RelationCode::Equal, Var('x'), Num(1)); },
         [] { return Rel(RelationCode::Equal, Num(1), Var('x')); }, false},
    });
}

TEST(TreeEquality, SumsCompareAsMultisetsOfSignedTerms) {
    CheckEqualityCases({
        {"a+b = b+a", [] { return Sum(Var('a'), Var('b')); }, [] { return Sum(Var('b'), Var('a')); }, true},
        {"a-b != b-a", [] { return Sum(Var('a'), Minus(Var('b'))); },
         [] { return Sum(Var('b'), Minus(Var('a'))); }, false},
        {"a+0 = one-term sum a", [] { return Sum(Var('a'), Num(0)); }, [] { return Sum(Var('a')); }, true},
        {"a+0 != a", [] { return Sum(Var('a'), Num(0)); }, [] { return Var('a'); }, false},
        {"+x = x", [] { return Sum(Var('x')); }, [] { return Var('x'); }, true},
        {"-x != x", [] { return Sum(Minus(Var('x'))); }, [] { return Var('x'); }, false},
        {"a-(b+c) = a-b-c", [] { return Sum(Var('a'), Minus(Sum(Var('b'), Var('c')))); },
         [] { return Sum(Var('a'), Minus(Var('b')), Minus(Var('c'))); }, true},
        {"a-(b-c) != a-b-c", [] { return Sum(Var('a'), Minus(Sum(Var('b'), Minus(Var('c'))))); },
         [] { return Sum(Var('a'), Minus(Var('b')), Minus(Var('c'))); }, false},
        {"a+a != a+b (each term used once)", [] { return Sum(Var('a'), Var('a')); },
         [] { return Sum(Var('a'), Var('b')); }, false},
        {"a+b != a+b+c", [] { return Sum(Var('a'), Var('b')); },
         [] { return Sum(Var('a'), Var('b'), Var('c')); }, false},
        {"x^0 term vs 1 term", [] { return Sum(Var('a'), Pow(Var('y'), Num(0))); },
         [] { return Sum(Num(1), Var('a')); }, true},
    });
}

TEST(TreeEquality, ProductsAndFractionsCompareAsMultisetsOfFactors) {
    CheckEqualityCases({
        {"a*b:c = a*b/c", [] { return Prod(Var('a'), Var('b'), Div(Var('c'))); },
         [] { return Prod(Var('a'), Frac(Var('b'), Den(Var('c')))); }, true},
        {"a*b:c = (a*b)/c", [] { return Prod(Var('a'), Var('b'), Div(Var('c'))); },
         [] { return Frac(Prod(Var('a'), Var('b')), Den(Var('c'))); }, true},
        {"a/b = a:b", [] { return Frac(Var('a'), Den(Var('b'))); },
         [] { return Prod(Var('a'), Div(Var('b'))); }, true},
        {"1*a = one-factor product a", [] { return Prod(Num(1), Var('a')); }, [] { return Prod(Var('a')); },
         true},
        {"1*a != a", [] { return Prod(Num(1), Var('a')); }, [] { return Var('a'); }, false},
        {"a/b != b/a", [] { return Frac(Var('a'), Den(Var('b'))); },
         [] { return Frac(Var('b'), Den(Var('a'))); }, false},
        {"a:(b:c) = a*c:b", [] { return Prod(Var('a'), Div(Prod(Var('b'), Div(Var('c'))))); },
         [] { return Prod(Var('a'), Var('c'), Div(Var('b'))); }, true},
        {"a*b != a+b", [] { return Prod(Var('a'), Var('b')); }, [] { return Sum(Var('a'), Var('b')); },
         false},
        {"single divisor :a != a", [] { return Prod(Div(Var('a'))); }, [] { return Var('a'); }, false},
    });
}

TEST(TreeClone, CopiesStructureSignsAndMarksButNotComments) {
    NodePtr original = Sum(Prod(Num(2), Var('x')), Minus(Pow(Var('y'), Root(Num(5), 3))),
                           Minus(Frac(Num(1), Den(Var('z')))));
    original->SetCrossOut(4);
    original->SetPassMark(7);
    original->AddComment(CommentID::TermsReordered);
    NodePtr copy = original->Clone();
    EXPECT_NE(copy.get(), original.get());
    EXPECT_EQ(copy->GetType(), NodeType::Addition);
    EXPECT_EQ(Text(*copy), Text(*original));
    EXPECT_TRUE(IsEqualNodes(*copy, *original));
    EXPECT_EQ(copy->CrossOut(), 4);
    EXPECT_EQ(copy->PassMark(), 7);
    EXPECT_EQ(copy->CommentCount(), 0);
    EXPECT_EQ(original->CommentCount(), 1);

    // The copy is independent: changing it leaves the original alone.
    copy->AsList()->NegateAll();
    EXPECT_EQ(Text(*original), "!cross{4;2*x-y^!sqn{3;5}-1/z}");
    EXPECT_EQ(Text(*copy), "!cross{4;-2*x+y^!sqn{3;5}+1/z}");
}

TEST(TreeNodeChecks, ZeroDivisorIsFoundWhereverADivisorIsTheNumberZero) {
    struct Case {
        const char* name;
        NodePtr node;
        bool expected;
    };
    Case cases[] = {
        {"a/0", Frac(Var('a'), Den(Num(0))), true},
        {"(x+1)^(1/0)", Pow(Sum(Var('x'), Num(1)), Frac(Num(1), Den(Num(0)))), true},
        {"0/a", Frac(Num(0), Den(Var('a'))), false},
        {"a:0", Prod(Var('a'), Div(Num(0))), true},
        {"a*0", Prod(Var('a'), Num(0)), false},
        {"sqrt(1/0)", Root(Frac(Num(1), Den(Num(0))), 2), true},
        {"x=1/0", Rel(RelationCode::Equal, Var('x'), Frac(Num(1), Den(Num(0)))), true},
        {"a-0", Sum(Var('a'), Minus(Num(0))), false},
        {"a+b:0", Sum(Var('a'), Prod(Var('b'), Div(Num(0)))), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.node->HasZeroDivisor(), c.expected);
    }
}

TEST(TreeNodeChecks, DefinedNeedsEveryPartPresent) {
    EXPECT_FALSE(COAddition().IsDefined());
    EXPECT_FALSE(Sum(Var('a'), std::make_unique<COMultiplication>())->IsDefined());
    EXPECT_TRUE(Sum(Var('a'), Prod(Num(2), Var('b')))->IsDefined());
    EXPECT_FALSE(COPower(Var('x'), nullptr).IsDefined());
    EXPECT_FALSE(CORelation(RelationCode::Equal, Var('x'), nullptr).IsDefined());
    EXPECT_TRUE(Rel(RelationCode::Equal, Var('x'), Num(1))->IsDefined());

    // A number left incomplete by a failed read is found.
    CNumber broken;
    std::size_t position = 0;
    ASSERT_NE(broken.ParseText("2@3;", position), CNumber::kParseOk);
    if (!broken.IsComplete()) {
        EXPECT_FALSE(Pow(Var('x'), std::make_unique<CONumber>(broken))->IsDefined());
    }
}

TEST(TreeNodeKinds, FamilyAndExactCodesOfThePlainClasses) {
    struct Case {
        NodePtr node;
        std::int32_t family;
        std::int32_t type;
    };
    Case cases[] = {
        {Num(1), 0, 0},
        {Var('x'), 1, 1},
        {Pow(Var('x'), Num(2)), 2, 2},
        {Root(Var('x'), 2), 3, 3},
        {Prod(Var('x')), 4, 4},
        {Frac(Var('x')), 5, 5},
        {Sum(Var('x')), 6, 6},
        {Rel(RelationCode::Equal, Var('x'), Num(1)), 7, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        EXPECT_EQ(ToNumber(c.node->GetFamily()), c.family);
        EXPECT_EQ(ToNumber(c.node->GetType()), c.type);
        EXPECT_TRUE(c.node->IsPlain());
        EXPECT_EQ(c.node->AsList() != nullptr, c.family >= 4 && c.family <= 6);
    }
}
