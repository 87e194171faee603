// The polynomial forms as tree nodes: building in place, canonical order with its comments, the
// arithmetic that returns new nodes, hyper-monomials with their cancellation, and the level nodes.

#include "model/CExtraPolynom.h"
#include "model/COHyperMonom.h"
#include "model/COLevelAddition.h"
#include "model/COLevelMultiplication.h"
#include "model/COLevelPower.h"
#include "model/COMonom.h"
#include "model/COPolynom.h"
#include "model/EngineRandom.h"
#include "model/NodeCast.h"
#include "model/PolynomialGcd.h"
#include "model/TreeTestHelpers.h"
#include "solver/Methods.h"
#include "tests/support/PolynomTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace treetest;

namespace {

bool HasComment(const COperation& node, CommentID id) {
    const CommentList* comments = node.Comments();
    return comments != nullptr && std::find(comments->begin(), comments->end(), id) != comments->end();
}

// A tree polynomial from the value text of the test support ("x^2 - 1").
std::unique_ptr<COPolynom> P(const std::string& text) {
    return COPolynom::FromValue(polytest::Poly(text));
}

// Builds monomials and polynomials over a plain tree, as the solvers do.
NodePtr AsPolynom(NodePtr tree) {
    BuildMonoms(&tree);
    BuildPolynoms(&tree);
    return tree;
}

TEST(MonomBuild, GathersNumbersAndLetters) {
    struct Case {
        const char* name;
        NodePtr tree;
        const char* text;
    };
    Case cases[] = {
        {"3*x*2*y^2*x", Prod(Num(3), Var('x'), Num(2), Pow(Var('y'), Num(2)), Var('x')), "6*x^2*y^2"},
        {"y*x", Prod(Var('y'), Var('x')), "x*y"},
        {"2*2", Prod(Num(2), Num(2)), "4"},
        {"x", Var('x'), "x"},
        {"x^0*y", Prod(Pow(Var('x'), Num(0)), Var('y')), "y"},
        {"1*B*a", Prod(Num(1), Var('B'), Var('a')), "B*a"},
        {"2/4 alone keeps its form", NumText("2/4"), "2/4"},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(COMonom::Qualifies(*c.tree));
        COMonom* monom = COMonom::Build(&c.tree);
        EXPECT_EQ(c.tree.get(), monom);
        EXPECT_EQ(Text(*c.tree), c.text);
    }
    // Sums, divisions and letters raised to a letter are not monomials.
    EXPECT_FALSE(COMonom::Qualifies(*Sum(Var('x'), Var('y'))));
    EXPECT_FALSE(COMonom::Qualifies(*Prod(Var('x'), Div(Var('y')))));
    EXPECT_FALSE(COMonom::Qualifies(*Pow(Var('x'), Var('n'))));
    EXPECT_FALSE(COMonom::Qualifies(*Prod(Var('x'), Sum(Var('y'), Num(1)))));
}

TEST(MonomArithmetic, ProductsQuotientsRoots) {
    NodePtr a = Prod(Num(9), Pow(Var('x'), Num(4)), Pow(Var('y'), Num(2)));
    COMonom& m = *COMonom::Build(&a);
    EXPECT_EQ(m.Coefficient().ToText(), "9");
    EXPECT_EQ(m.TotalDegree().ToText(), "6");
    EXPECT_EQ(m.ExponentOf('x').ToText(), "4");
    EXPECT_EQ(m.ExponentOf('z').ToText(), "0");
    EXPECT_EQ(Text(*m.Root(2)), "3*x^2*y");
    NodePtr b = Prod(Num(2), Pow(Var('x'), Num(2)));
    EXPECT_EQ(COMonom::Build(&b)->Root(2), nullptr);
    NodePtr c = Prod(Num(4), Pow(Var('x'), Num(3)));
    EXPECT_EQ(COMonom::Build(&c)->Root(2), nullptr);

    NodePtr d = Prod(Num(6), Var('x'), Var('y'));
    COMonom& n = *COMonom::Build(&d);
    EXPECT_EQ(Text(*m.Product(n)), "54*x^5*y^3");
    EXPECT_TRUE(m.IsDivisibleBy(n));
    EXPECT_FALSE(n.IsDivisibleBy(m));
    EXPECT_EQ(Text(*m.Quotient(n)), "1,5*x^3*y");
    EXPECT_EQ(Text(*COMonom::GreatestCommonDivisor(m, n)), "3*x*y");
    EXPECT_EQ(m.CompareLexicographic(n), 1);
    n.RemoveLetter('x');
    EXPECT_EQ(Text(n), "6*y");
    n.SetCoefficient(CNumber(1));
    EXPECT_EQ(Text(n), "y");
}

TEST(PolynomNormalize, CanonicalOrderWithComments) {
    struct Case {
        const char* name;
        NodePtr tree;
        const char* text;
        bool reordered;
        bool combined;
    };
    Case cases[] = {
        {"x+2*x-3*x", Sum(Var('x'), Prod(Num(2), Var('x')), Minus(Prod(Num(3), Var('x')))), "0", false, true},
        {"1+x+x^2", Sum(Num(1), Var('x'), Pow(Var('x'), Num(2))), "x^2+x+1", true, false},
        {"2*x+3*x", Sum(Prod(Num(2), Var('x')), Prod(Num(3), Var('x'))), "5*x", false, true},
        {"y^2+x*y+x^2", Sum(Pow(Var('y'), Num(2)), Prod(Var('x'), Var('y')), Pow(Var('x'), Num(2))),
         "x^2+x*y+y^2", true, false},
        {"x+y^5", Sum(Var('x'), Pow(Var('y'), Num(5))), "y^5+x", true, false},
        {"x-2*x", Sum(Var('x'), Minus(Prod(Num(2), Var('x')))), "-x", false, true},
        {"1+x-1", Sum(Num(1), Var('x'), Minus(Num(1))), "x", true, true},
        {"x^2+x+1 stays", Sum(Pow(Var('x'), Num(2)), Var('x'), Num(1)), "x^2+x+1", false, false},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        NodePtr tree = AsPolynom(std::move(c.tree));
        ASSERT_EQ(tree->GetType(), NodeType::Polynom);
        auto& polynom = NodeAs<COPolynom>(*tree);
        polynom.Normalize(true);
        EXPECT_EQ(Text(polynom), c.text);
        EXPECT_EQ(HasComment(polynom, CommentID::TermsReordered), c.reordered);
        EXPECT_EQ(HasComment(polynom, CommentID::LikeTermsCombined), c.combined);
    }
}

// The pivot is random; whatever the seed, the normal form is the same.
TEST(PolynomNormalize, SameResultForEverySeed) {
    std::mt19937 generator(99);
    for (int round = 0; round < 40; ++round) {
        CPolynomValue value = polytest::RandomPoly(generator, 2, true, 20, 4);
        // The same terms shuffled, with like terms split in two.
        auto shuffled = std::make_unique<COPolynom>();
        std::vector<PolynomTerm> terms(value.Terms().begin(), value.Terms().end());
        std::shuffle(terms.begin(), terms.end(), generator);
        for (const PolynomTerm& term : terms) {
            for (int half = 0; half < 2; ++half) {
                std::int32_t sign = 1;
                auto monom = COMonom::FromTerm({term.coefficient.Quotient(CNumber(2)), term.powers}, sign);
                shuffled->AddTail(std::move(monom), sign);
            }
        }
        const std::string expected = Text(*COPolynom::FromValue(value));
        for (std::uint32_t seed : {1u, 2u, 12345u}) {
            EngineRandom::Seed(seed);
            auto copy = CloneNode(*shuffled);
            copy->Normalize(false);
            EXPECT_EQ(Text(*copy), expected) << "seed " << seed;
        }
    }
}

TEST(PolynomArithmetic, NewPolynomials) {
    EXPECT_EQ(Text(*P("x^2 - 1")->DivideExact(*P("x - 1"))), "x+1");
    EXPECT_EQ(P("x^2 + 1")->DivideExact(*P("x - 1")), nullptr);
    EXPECT_EQ(Text(*P("0")->DivideExact(*P("x - 1"))), "0");
    EXPECT_EQ(P("x")->DivideExact(*P("0")), nullptr);
    EXPECT_EQ(Text(*P("x + 1")->Power(CNumber(3))), "x^3+3*x^2+3*x+1");
    EXPECT_EQ(Text(*P("x + 1")->Power(CNumber(0))), "1");
    EXPECT_EQ(Text(*P("3x^2y + y")->Derivative('x')), "6*x*y");
    EXPECT_EQ(Text(*P("3x^2 + 1")->Antiderivative('x')), "x^3+x");
    EXPECT_EQ(P("x^2 - 3x")->ValueAt('x', CNumber(5)).ToText(), "10");
    // The product is every term times every term, in order, not normalized.
    EXPECT_EQ(Text(*P("x + 1")->Product(*P("x - 1"))), "x^2-x+x-1");
    EXPECT_EQ(Text(*P("x + 1")->Sum(*P("x - 1"))), "2*x");
    EXPECT_EQ(Text(*P("x + 1")->Difference(*P("x - 1"))), "2");
    auto polynom = P("2x + 1");
    polynom->MultiplyInPlace(*P("x - 1"));
    EXPECT_EQ(Text(*polynom), "2*x^2-x-1");
    polynom->ScaleBy(-2);
    EXPECT_EQ(Text(*polynom), "-4*x^2+2*x+2");
    EXPECT_EQ(polynom->LeadingSign(), -1);
    EXPECT_EQ(polynom->MakeLeadingSignPositive(), -1);
    EXPECT_EQ(Text(*polynom), "4*x^2-2*x-2");
}

TEST(PolynomArithmetic, LeadingTermIsLexicographic) {
    auto polynom = P("x + y^5");
    std::int32_t sign = 0;
    EXPECT_EQ(Text(*polynom->LeadingTerm(&sign)), "x");
    EXPECT_EQ(sign, 1);
    EXPECT_EQ(polynom->DegreeIn('y').ToText(), "5");
    const std::vector<VariableDegree> table = P("x^2y + y^3 + x")->VariableDegrees();
    ASSERT_EQ(table.size(), 2u);
    // Canonical order x^2*y + y^3 + x: x appears first.
    EXPECT_EQ(table[0].letter, 'x');
    EXPECT_EQ(table[0].degree.ToText(), "2");
    EXPECT_EQ(table[1].letter, 'y');
    EXPECT_EQ(table[1].degree.ToText(), "3");
}

TEST(PolynomContent, ContentDenominatorsAndCommonMonom) {
    auto p = P("4x + 6");
    EXPECT_EQ(p->Content()->ToText(), "2");
    EXPECT_EQ(p->RemoveContent()->ToText(), "2");
    EXPECT_EQ(Text(*p), "2*x+3");

    auto q = P("1/3x + 1/6");
    EXPECT_FALSE(q->Content().has_value());
    EXPECT_EQ(q->ClearDenominators().ToText(), "1/6");
    EXPECT_EQ(Text(*q), "2*x+1");

    auto r = P("2/3x^2 - 4/3x");
    EXPECT_EQ(r->TakeOutNumber().ToText(), "2/3");
    EXPECT_EQ(Text(*r), "x^2-2*x");
    std::unique_ptr<COMonom> common = r->TakeOutCommonMonom();
    ASSERT_NE(common, nullptr);
    EXPECT_EQ(Text(*common), "x");
    EXPECT_EQ(Text(*r), "x-2");
    EXPECT_EQ(r->TakeOutCommonMonom(), nullptr);

    auto single = P("6x^2");
    EXPECT_EQ(Text(*single->TakeOutCommonMonom()), "6*x^2");
    EXPECT_EQ(Text(*single), "1");

    auto signs = std::make_unique<COPolynom>(COMonom::Constant(CNumber(-3)), 1);
    EXPECT_TRUE(signs->MoveSignsIntoCells());
    EXPECT_EQ(Text(*signs), "-3");
}

TEST(ExtraPolynom, RecordsByExponentOfTheLetter) {
    auto source = P("x^2y + 3xy^2 - x^2 + y - 4");
    CExtraPolynom extra(*source, 'x');
    ASSERT_EQ(extra.Records().size(), 3u);
    EXPECT_EQ(extra.HighestRecord()->exponent.ToText(), "2");
    EXPECT_EQ(Text(*extra.HighestRecord()->coefficient), "y-1");
    EXPECT_EQ(Text(*extra.ToPolynom()), Text(*source));

    CExtraPolynom common(*P("x^2y - x^2 + xy^2 - xy"), 'x');
    EXPECT_EQ(Text(*common.TakeOutCommonFactor()), "y-1");
    EXPECT_EQ(Text(*common.ToPolynom()), "x^2+x*y");

    CExtraPolynom a(*P("x + y"), 'x');
    CExtraPolynom b(*P("x - y"), 'x');
    EXPECT_EQ(Text(*a.Product(b).ToPolynom()), "x^2-y^2");
    EXPECT_EQ(Text(*a.Difference(b).ToPolynom()), "2*y");
}

// (x+1)^2 over the constant 1: the factor 1 goes.
TEST(HyperMonom, BuildDropsConstantOne) {
    NodePtr tree = AsPolynom(Frac(Pow(Sum(Var('x'), Num(1)), Num(2)), Den(Num(1))));
    ASSERT_TRUE(COHyperMonom::Qualifies(*tree));
    COHyperMonom* hyper = COHyperMonom::Build(&tree);
    EXPECT_EQ(hyper->GetCount(), 1);
    EXPECT_EQ(Text(*tree), "(x+1)^2");

    NodePtr zero = AsPolynom(Frac(Num(0), Den(Var('x'))));
    COHyperMonom::Build(&zero);
    EXPECT_EQ(Text(*zero), "0");

    NodePtr down = AsPolynom(Frac(Var('x'), Den(Sum(Var('x'), Num(1)))));
    COHyperMonom::Build(&down);
    EXPECT_EQ(Text(*down), "x/{x+1}");
}

struct CancelCase {
    const char* name;
    const char* numerator;
    const char* denominator;
    bool byGcd;
    const char* text;
    std::vector<CommentID> comments;
};

TEST(HyperMonom, CancellationPairsFactorsWithCrossOutNumbers) {
    const CancelCase cases[] = {
        {"equal factors", "x + 1", "x + 1", false, "!cross{1;{x+1}}/!cross{1;{x+1}}", {}},
        {"x^2-1 by x-1",
         "x^2 - 1",
         "x - 1",
         false,
         "{(x+1)*!cross{1;(x-1)}}/!cross{1;{x-1}}",
         {CommentID::SplitOffNumerator, CommentID::DifferenceOfSquares}},
        {"x+1 by x^3+1",
         "x + 1",
         "x^3 + 1",
         false,
         "!cross{1;{x+1}}/{(x^2-x+1)*!cross{1;(x+1)}}",
         {CommentID::SplitOffDenominator, CommentID::SumOfCubes}},
        {"no common factor", "x + 1", "x - 1", false, "{x+1}/{x-1}", {}},
        {"gcd of x^2-1 and x^2+2x+1",
         "x^2 - 1",
         "x^2 + 2x + 1",
         true,
         "{(x-1)*!cross{1;(x+1)}}/{(x+1)*!cross{1;(x+1)}}",
         {CommentID::SplitOffNumerator, CommentID::SplitOffDenominator, CommentID::DifferenceOfSquares}},
        {"gcd with a number split off",
         "2x + 2",
         "x^2 - 1",
         true,
         "{2*!cross{1;(x+1)}}/{(x-1)*!cross{1;(x+1)}}",
         {CommentID::SplitOffNumerator, CommentID::SplitOffDenominator, CommentID::DifferenceOfSquares}},
    };
    for (const CancelCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto hyper = std::make_unique<COHyperMonom>();
        hyper->AddTail(Pow(P(c.numerator), Num(1)), 1);
        hyper->AddTail(Pow(P(c.denominator), Num(1)), -1);
        const bool paired = c.byGcd ? hyper->CancelByGcd() : hyper->CancelByDivisibility();
        EXPECT_EQ(paired, std::string(c.text).find("!cross") != std::string::npos);
        EXPECT_EQ(Text(*hyper), c.text);
        for (CommentID id : c.comments) {
            EXPECT_TRUE(HasComment(*hyper, id)) << "comment " << ToNumber(id);
        }
        EXPECT_EQ(hyper->CommentCount(), static_cast<std::int32_t>(c.comments.size()));
    }
}

// Only the power that cancels is struck out: (x+1)^3 over (x+1)^2 shows (x+1)·(x+1)^2 above, the
// second factor paired, so no struck factor survives the step.
TEST(HyperMonom, RemovingCrossedOutPairsSubtractsExponents) {
    auto hyper = std::make_unique<COHyperMonom>();
    hyper->AddTail(Pow(P("x + 1"), Num(3)), 1);
    hyper->AddTail(Pow(P("x"), Num(1)), 1);
    hyper->AddTail(Pow(P("x + 1"), Num(2)), -1);
    hyper->AddTail(Pow(P("y"), Num(1)), -1);
    ASSERT_TRUE(hyper->CancelByDivisibility());
    EXPECT_EQ(Text(*hyper), "{(x+1)*!cross{1;(x+1)^2}*x}/{!cross{1;(x+1)^2}*y}");
    EXPECT_TRUE(HasComment(*hyper, CommentID::SplitOffNumerator));
    EXPECT_TRUE(hyper->RemoveCrossedOutPairs());
    EXPECT_EQ(Text(*hyper), "{(x+1)*x}/y");

    auto whole = std::make_unique<COHyperMonom>();
    whole->AddTail(Pow(P("x - 2"), Num(1)), 1);
    whole->AddTail(Pow(P("x - 2"), Num(1)), -1);
    ASSERT_TRUE(whole->CancelByGcd());
    EXPECT_TRUE(whole->RemoveCrossedOutPairs());
    EXPECT_EQ(Text(*whole), "1");

    // The smaller power above: the denominator's power is split, by greatest common divisor too.
    auto split = std::make_unique<COHyperMonom>();
    split->AddTail(Pow(P("b"), Num(1)), 1);
    split->AddTail(Pow(P("b"), Num(3)), -1);
    ASSERT_TRUE(split->CancelByGcd());
    EXPECT_EQ(Text(*split), "!cross{1;b}/{b^2*!cross{1;b}}");
    EXPECT_TRUE(HasComment(*split, CommentID::SplitOffDenominator));
}

TEST(HyperMonom, SignOfTheFactors) {
    auto hyper = std::make_unique<COHyperMonom>();
    hyper->AddTail(Pow(P("1 - x"), Num(1)), 1);
    hyper->AddTail(Pow(P("-y - 1"), Num(2)), -1);
    bool changed = false;
    EXPECT_EQ(hyper->NormalizeSign(changed), -1);
    EXPECT_TRUE(changed);
    EXPECT_EQ(Text(*hyper), "{x-1}/(y+1)^2");
    EXPECT_EQ(hyper->NormalizeSign(changed), 1);
    EXPECT_FALSE(changed);
}

TEST(LevelNodes, BuildingFromSumsProductsAndPowers) {
    auto hyper = [](const char* numerator, const char* denominator) {
        auto node = std::make_unique<COHyperMonom>();
        node->AddTail(Pow(P(numerator), Num(1)), 1);
        if (denominator != nullptr) {
            node->AddTail(Pow(P(denominator), Num(1)), -1);
        }
        return node;
    };
    NodePtr sum = Sum(hyper("1", "x"), Minus(hyper("x", nullptr)), hyper("2", "y"), hyper("y", nullptr));
    ASSERT_TRUE(COLevelAddition::Qualifies(*sum));
    COLevelAddition* level = COLevelAddition::Build(&sum);
    EXPECT_EQ(Text(*level), "-x+y+1/x+2/y");
    EXPECT_EQ(level->plainTermCount, 2);
    EXPECT_EQ(level->fractionTermCount, 2);
    EXPECT_EQ(level->plainStage, COLevelAddition::PlainStage::ExpandPowers);
    EXPECT_EQ(level->fractionStage, COLevelAddition::FractionStage::SplitMonomialFactors);
    EXPECT_TRUE(HasComment(*level, CommentID::TermsReordered));

    NodePtr plain = Sum(hyper("x", nullptr), hyper("y", nullptr));
    COLevelAddition* noFractions = COLevelAddition::Build(&plain);
    EXPECT_EQ(noFractions->plainStage, COLevelAddition::PlainStage::ExpandPowers);
    EXPECT_EQ(noFractions->fractionStage, COLevelAddition::FractionStage::Finished);
    EXPECT_FALSE(HasComment(*noFractions, CommentID::TermsReordered));
    EXPECT_FALSE(COLevelAddition::Qualifies(*Sum(hyper("x", nullptr))));

    NodePtr fraction = Frac(hyper("x", nullptr), Den(hyper("y", nullptr)));
    ASSERT_TRUE(COLevelMultiplication::Qualifies(*fraction));
    COLevelMultiplication* product = COLevelMultiplication::Build(&fraction);
    EXPECT_EQ(product->replacedType, NodeType::Fraction);
    EXPECT_EQ(product->GetCount(), 2);

    NodePtr power = Pow(hyper("x", "y"), Num(2));
    ASSERT_TRUE(COLevelPower::Qualifies(*power));
    COLevelPower::Build(&power);
    EXPECT_EQ(power->GetType(), NodeType::LevelPower);
    EXPECT_FALSE(COLevelPower::Qualifies(*Pow(hyper("x", "y"), Num(0))));
}

// Tree polynomials agree with the value arithmetic on random input.
TEST(PolynomRandom, TreeFormsAgreeWithValues) {
    std::mt19937 generator(5);
    for (int round = 0; round < 100; ++round) {
        const CPolynomValue a = polytest::RandomPoly(generator, 1 + round % 3);
        const CPolynomValue b = polytest::RandomPoly(generator, 1 + round % 3);
        SCOPED_TRACE(polytest::Text(a) + " ; " + polytest::Text(b));
        auto ta = COPolynom::FromValue(a);
        auto tb = COPolynom::FromValue(b);
        EXPECT_EQ(ta->Value(), a);
        auto product = ta->Product(*tb);
        product->Normalize(false);
        EXPECT_EQ(product->Value(), a.Product(b));
        EXPECT_EQ(Text(*product), Text(*COPolynom::FromValue(a.Product(b))));
        if (!b.IsZero()) {
            auto quotient = product->DivideExact(*tb);
            ASSERT_NE(quotient, nullptr);
            EXPECT_EQ(quotient->Value(), a);
        }
    }
}

} // namespace

namespace {

// The degree read off the terms as written bounds the degree of the value: like terms not yet
// combined (x^3y^2 - x^3y^2 + x), a letter written twice (x*x^2), and canonical polynomials, where
// it is the degree itself. Past the degree limit there is no bound and no flag is reported.
TEST(PolynomDegreeBound, NeverBelowTheDegreeOfTheValue) {
    NodePtr cancelling = AsPolynom(Sum(Prod(Pow(Var('x'), Num(3)), Pow(Var('y'), Num(2))),
                                       Minus(Prod(Pow(Var('x'), Num(3)), Pow(Var('y'), Num(2)))), Var('x')));
    EXPECT_EQ(NodeAs<COPolynom>(*cancelling).DegreeBound(), 5);
    EXPECT_EQ(NodeAs<COPolynom>(*cancelling).Value().TotalDegree(), 1);
    NodePtr twice = AsPolynom(Sum(Prod(Num(2), Var('x'), Pow(Var('x'), Num(2))), Num(1)));
    EXPECT_EQ(NodeAs<COPolynom>(*twice).DegreeBound(), 3);
    EXPECT_EQ(NodeAs<COPolynom>(*twice).Value().TotalDegree(), 3);

    std::mt19937 generator(23);
    for (int round = 0; round < 60; ++round) {
        const CPolynomValue value = polytest::RandomPoly(generator, 1 + round % 3, true, 6, 5);
        EXPECT_EQ(COPolynom::FromValue(value)->DegreeBound(), value.TotalDegree()) << polytest::Text(value);
    }

    CNumber::ResetLimitExceeded();
    NodePtr huge = AsPolynom(Sum(Pow(Var('x'), Num(99999999)), Var('y')));
    EXPECT_FALSE(NodeAs<COPolynom>(*huge).DegreeBound().has_value());
    EXPECT_FALSE(CNumber::LimitExceeded());
}

// Huge exponents and expansions end at the limits (the number limit flag) instead of running away.
TEST(PolynomLimits, HugeExponentsReportTheLimit) {
    CNumber::ResetLimitExceeded();
    EXPECT_EQ(Text(*P("x + 1")->Power(CNumber(99999999))), "0");
    EXPECT_TRUE(CNumber::LimitExceeded());

    CNumber::ResetLimitExceeded();
    NodePtr tree = Sum(Pow(Var('x'), Num(99999999)), Var('x'), Pow(Var('x'), Num(2)));
    tree = AsPolynom(std::move(tree));
    NodeAs<COPolynom>(*tree).Normalize(true);
    EXPECT_TRUE(CNumber::LimitExceeded());

    CNumber::ResetLimitExceeded();
    auto wide = P("a + b + c + d + e + f + g + h + 1")->Power(CNumber(4)); // 495 terms
    ASSERT_FALSE(CNumber::LimitExceeded());
    auto square = wide->NormalizedProduct(*wide, false);
    EXPECT_TRUE(CNumber::LimitExceeded());
    CNumber::ResetLimitExceeded();
}

} // namespace

namespace {

// The value of a hyper-monomial at a point: numerator factors multiplied, denominator factors
// divided; none when a denominator factor vanishes there.
std::optional<CNumber> HyperValue(const COHyperMonom& hyper, const polytest::Point& point) {
    CNumber value(1);
    for (const ListCell& cell : hyper) {
        const COPolynom* base = hyper.FactorBase(cell);
        if (base == nullptr) {
            return std::nullopt;
        }
        CNumber factor = polytest::Evaluate(base->Value(), point);
        const CNumber exponent = hyper.FactorExponent(cell);
        for (std::int32_t k = 0; k < exponent.ToInt(); ++k) {
            if (cell.sign > 0) {
                value.MultiplyInPlace(factor);
            } else if (factor.IsZero()) {
                return std::nullopt;
            } else {
                value.DivideInPlace(factor);
            }
        }
    }
    return value;
}

// Cancelling and removing the pairs keeps the value of the hyper-monomial, and leaves numerator and
// denominator without a common factor.
TEST(HyperMonom, CancellationKeepsTheValue) {
    std::mt19937 generator(17);
    int checked = 0;
    for (int round = 0; round < 120; ++round) {
        const int letters = 1 + round % 2;
        const CPolynomValue a = polytest::RandomPoly(generator, letters, true, 3, 2);
        const CPolynomValue b = polytest::RandomPoly(generator, letters, true, 3, 2);
        const CPolynomValue c = polytest::RandomPoly(generator, letters, true, 2, 2);
        if (a.IsConstant() || b.IsConstant() || c.IsConstant()) {
            continue;
        }
        SCOPED_TRACE(polytest::Describe({{"a", &a}, {"b", &b}, {"c", &c}}));
        auto hyper = std::make_unique<COHyperMonom>();
        hyper->AddTail(Pow(COPolynom::FromValue(a.Product(c)), Num(2)), 1);
        hyper->AddTail(Pow(COPolynom::FromValue(b.Product(c)), Num(1)), -1);
        const auto original = CloneNode(*hyper);
        for (int pass = 0; pass < 6; ++pass) {
            const bool paired =
                round % 3 == 0 ? hyper->CancelByDivisibility() || hyper->CancelByGcd() : hyper->CancelByGcd();
            if (!paired) {
                break;
            }
            hyper->RemoveCrossedOutPairs();
        }
        for (int trial = 0; trial < 3; ++trial) {
            const polytest::Point point = polytest::RandomPoint(generator);
            const std::optional<CNumber> before = HyperValue(*original, point);
            const std::optional<CNumber> after = HyperValue(*hyper, point);
            if (before && after) {
                EXPECT_TRUE(before->Equal(*after)) << Text(*original) << " became " << Text(*hyper);
            }
        }
        // No numerator factor shares a letter-carrying factor with a denominator factor any more.
        for (const ListCell& n : *hyper) {
            for (const ListCell& d : *hyper) {
                if (n.sign == 1 && d.sign == -1) {
                    EXPECT_TRUE(PolynomialGcd(hyper->FactorBase(n)->Value(), hyper->FactorBase(d)->Value())
                                    .IsConstant())
                        << Text(*hyper);
                }
            }
        }
        ++checked;
    }
    EXPECT_GT(checked, 50);
}

} // namespace
