// The polynomial arithmetic on plain values: canonical order, products, powers, exact division,
// derivatives, contents, checked against independent evaluation at random rational points.

#include "model/CPolynomValue.h"
#include "model/EngineLimits.h"
#include "model/EngineRandom.h"
#include "model/RandomQuickSort.h"
#include "tests/support/PolynomTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>

using namespace polytest;

namespace {

struct TextCase {
    const char* input;
    const char* expected;
};

TEST(PolynomValueNormalize, CanonicalOrderAndLikeTerms) {
    const TextCase cases[] = {
        {"1 + x + x^2", "x^2+x+1"}, {"x + 2x - 3x", "0"},
        {"2x + 3x", "5x"},          {"y^2 + xy + x^2", "x^2+xy+y^2"},
        {"x + y^5", "y^5+x"},       {"y + x + 1 + xy + y^2 + x^2", "x^2+xy+y^2+x+y+1"},
        {"a + A", "A+a"},           {"1/2x + 1/2x", "x"},
        {"x^2y - yx^2 + 3", "3"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(Text(Poly(c.input)), c.expected);
    }
}

TEST(PolynomValueNormalize, LeadingTermIsLexicographicNotFirst) {
    const CPolynomValue p = Poly("x + y^5");
    EXPECT_EQ(Text(CPolynomValue::FromTerm(p.LeadingTerm())), "x");
    EXPECT_EQ(Poly("-x + y^5").LeadingSign(), -1);
    CPolynomValue q = Poly("-x^2 + y");
    EXPECT_EQ(q.MakeLeadingSignPositive(), -1);
    EXPECT_EQ(Text(q), "x^2-y");
    EXPECT_EQ(q.MakeLeadingSignPositive(), 1);
}

TEST(PolynomValueNormalize, LexicographicComparison) {
    EXPECT_LT(CompareLexicographic(Poly("y^2").Terms()[0].powers, Poly("xy").Terms()[0].powers), 0);
    EXPECT_LT(CompareLexicographic(Poly("xy").Terms()[0].powers, Poly("x^2").Terms()[0].powers), 0);
    EXPECT_LT(CompareLexicographic(Poly("y^5").Terms()[0].powers, Poly("x").Terms()[0].powers), 0);
    EXPECT_EQ(CompareLexicographic(Poly("3xy").Terms()[0].powers, Poly("yx").Terms()[0].powers), 0);
}

TEST(PolynomValueArithmetic, KnownResults) {
    EXPECT_EQ(Text(Poly("x + 1").Power(3)), "x^3+3x^2+3x+1");
    EXPECT_EQ(Text(Poly("x - y").Product(Poly("x + y"))), "x^2-y^2");
    EXPECT_EQ(Text(Poly("x + 1").Power(0)), "1");
    EXPECT_EQ(Text(Poly("2x^2y").Power(3)), "8x^6y^3");
    EXPECT_EQ(Text(*Poly("x^2 - 1").DivideExact(Poly("x - 1"))), "x+1");
    EXPECT_FALSE(Poly("x^2 + 1").DivideExact(Poly("x - 1")).has_value());
    EXPECT_TRUE(Poly("0").DivideExact(Poly("x + 3"))->IsZero());
    EXPECT_FALSE(Poly("x").DivideExact(Poly("0")).has_value());
    EXPECT_FALSE(Poly("x").DivideExact(Poly("y")).has_value());
    EXPECT_EQ(Text(*Poly("x^2 - y^2").DivideExact(Poly("x + y"))), "x-y");
    EXPECT_EQ(Text(Poly("3x^2y + y").Derivative('x')), "6xy");
    EXPECT_EQ(Text(Poly("5").Derivative('x')), "0");
    EXPECT_EQ(Text(Poly("6x^2 + 2").Antiderivative('x')), "2x^3+2x");
    EXPECT_EQ(Text(Poly("y").Antiderivative('x')), "xy");
    EXPECT_EQ(Poly("x^2 - 3x").ValueAt('x', Num(5)).ToText(), "10");
}

TEST(PolynomValueContent, IntegerContentAndDenominators) {
    CPolynomValue p = Poly("4x + 6");
    EXPECT_EQ(p.IntegerContent()->ToText(), "2");
    EXPECT_EQ(p.RemoveIntegerContent().ToText(), "2");
    EXPECT_EQ(Text(p), "2x+3");

    CPolynomValue q = Poly("1/3x + 1/6");
    EXPECT_FALSE(q.IntegerContent().has_value());
    EXPECT_EQ(q.ClearDenominators().ToText(), "1/6");
    EXPECT_EQ(Text(q), "2x+1");

    CPolynomValue r = Poly("-2/3x^2 + 4/3");
    EXPECT_EQ(r.MakePrimitive().ToText(), "2/3");
    EXPECT_EQ(Text(r), "-x^2+2");

    CPolynomValue s = Poly("-4x - 8");
    EXPECT_EQ(s.RemoveIntegerContent().ToText(), "4");
    EXPECT_EQ(Text(s), "-x-2");
}

TEST(PolynomValueLetter, SplitAndJoinKeepTheValue) {
    const CPolynomValue p = Poly("x^2y + 3xy^2 - x^2 + y - 4");
    const LetterCoefficients records = SplitByLetter(p, 'x');
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].exponent, 2);
    EXPECT_EQ(Text(records[0].coefficient), "y-1");
    EXPECT_EQ(records[1].exponent, 1);
    EXPECT_EQ(Text(records[1].coefficient), "3y^2");
    EXPECT_EQ(Text(records[2].coefficient), "y-4");
    EXPECT_EQ(records[HighestRecord(records)].exponent, 2);
    EXPECT_EQ(JoinByLetter(records, 'x'), p);
}

// Random polynomials in up to three letters: every operation must agree with evaluation.
TEST(PolynomValueRandom, ArithmeticAgreesWithEvaluation) {
    std::mt19937 generator(20261207);
    for (int round = 0; round < 300; ++round) {
        const int letters = 1 + round % 3;
        const CPolynomValue a = RandomPoly(generator, letters);
        const CPolynomValue b = RandomPoly(generator, letters);
        const Point point = RandomPoint(generator);
        SCOPED_TRACE(Describe({{"a", &a}, {"b", &b}}));
        const CNumber va = Evaluate(a, point);
        const CNumber vb = Evaluate(b, point);

        EXPECT_TRUE(Evaluate(a.Sum(b), point).Equal(va.Sum(vb)));
        EXPECT_TRUE(Evaluate(a.Difference(b), point).Equal(va.Difference(vb)));
        EXPECT_TRUE(Evaluate(a.Product(b), point).Equal(va.Product(vb)));
        EXPECT_TRUE(Evaluate(a.Power(3), point).Equal(va.Product(va).Product(va)));
        EXPECT_TRUE(a.ValueAt(point).Equal(va));

        // Exact division gives back the factor, and quotient times divisor is the dividend.
        if (!b.IsZero()) {
            const std::optional<CPolynomValue> quotient = a.Product(b).DivideExact(b);
            ASSERT_TRUE(quotient.has_value());
            EXPECT_EQ(*quotient, a);
            EXPECT_EQ(quotient->Product(b), a.Product(b));
        }

        // Product rule and power rule for the derivative, and the antiderivative undoes it.
        const CPolynomValue da = a.Derivative('x');
        const CPolynomValue db = b.Derivative('x');
        EXPECT_EQ(a.Product(b).Derivative('x'), da.Product(b).Sum(a.Product(db)));
        EXPECT_TRUE(Evaluate(a.Power(2).Derivative('x'), point)
                        .Equal(Evaluate(da, point).Product(va).Product(CNumber(2))));
        EXPECT_EQ(a.Antiderivative('y').Derivative('y'), a);

        // Content: the primitive part times the number taken out is the polynomial.
        CPolynomValue primitive(a);
        const CNumber factor = primitive.MakePrimitive();
        EXPECT_TRUE(Evaluate(primitive, point).Product(factor).Equal(va));
        EXPECT_TRUE(primitive.IntegerContent().has_value());
        EXPECT_TRUE(primitive.IntegerContent()->IsOne());
    }
}

// The product of two term lists reports what normalizing the raw product reports, and gives the
// same canonical value, whether it takes the packed path (up to four letters) or the general one.
TEST(PolynomValueRandom, ProductReportsLikeNormalizingTheRawProduct) {
    std::mt19937 generator(31);
    for (int round = 0; round < 300; ++round) {
        const int letters = 1 + round % 3;
        CPolynomValue a = RandomPoly(generator, letters, true, 6, 3);
        CPolynomValue b = RandomPoly(generator, letters, true, 6, 3);
        // Raw, unsorted inputs: the report must see the order as given.
        std::vector<PolynomTerm> rawA(a.Terms().rbegin(), a.Terms().rend());
        std::vector<PolynomTerm> rawB(b.Terms().begin(), b.Terms().end());
        std::shuffle(rawB.begin(), rawB.end(), generator);
        CPolynomValue raw;
        for (const PolynomTerm& x : rawA) {
            for (const PolynomTerm& y : rawB) {
                raw.Append({x.coefficient.Product(y.coefficient), MultiplyPowers(x.powers, y.powers)});
            }
        }
        bool expectedReordered = false;
        bool expectedCombined = false;
        raw.Normalize(&expectedReordered, &expectedCombined);
        bool reordered = false;
        bool combined = false;
        const CPolynomValue product = CPolynomValue::ProductOf(rawA, rawB, &reordered, &combined);
        SCOPED_TRACE(Describe({{"a", &a}, {"b", &b}}));
        EXPECT_EQ(product, raw);
        EXPECT_EQ(reordered, expectedReordered);
        EXPECT_EQ(combined, expectedCombined);
    }
    // Five letters take the general path.
    EXPECT_EQ(Text(Poly("a + b + c").Product(Poly("d - e"))), "ad-ae+bd-be+cd-ce");
}

// Sizes past the limits report the number limit flag quickly instead of running away.
TEST(PolynomValueLimits, HugeDegreesAndProductsStopAtTheLimit) {
    const auto start = std::chrono::steady_clock::now();
    struct Case {
        const char* name;
        std::function<CPolynomValue()> run;
    };
    const CPolynomValue wide = Poly("x + y + z + 1").Power(12); // 455 terms
    const Case cases[] = {
        {"(x+1)^100000", [] { return Poly("x + 1").Power(100000); }},
        {"x^3000", [] { return Poly("x").Power(3000); }},
        {"(x^1500)^2 as a product", [] { return Poly("x^1500 + 1").Product(Poly("x^1500 - 1")); }},
        {"455 x 455 terms", [&] { return wide.Product(wide); }},
        {"(x+y+z+1)^1000", [] { return Poly("x + y + z + 1").Power(1000); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CNumber::ResetLimitExceeded();
        c.run();
        EXPECT_TRUE(CNumber::LimitExceeded());
    }
    CNumber::ResetLimitExceeded();
    EXPECT_FALSE(wide.IsZero());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

} // namespace

namespace {

TEST(RandomQuickSort, SortsWhateverThePivotsAndReportsMoves) {
    std::mt19937 generator(3);
    for (int round = 0; round < 200; ++round) {
        std::uniform_int_distribution<int> size(0, 40);
        std::uniform_int_distribution<int> value(0, 9); // many equal elements
        std::vector<int> items(static_cast<std::size_t>(size(generator)));
        for (int& item : items) {
            item = value(generator);
        }
        std::vector<int> expected = items;
        std::sort(expected.begin(), expected.end(), std::greater<>());
        const bool wasSorted = std::is_sorted(items.begin(), items.end(), std::greater<>());
        EngineRandom::Seed(static_cast<std::uint32_t>(round));
        EXPECT_EQ(RandomQuickSort(items, std::greater<>()), !wasSorted);
        EXPECT_EQ(items, expected);
    }
}

TEST(EngineRandom, SeedRepeatsTheDraws) {
    EngineRandom::Seed(42);
    std::vector<int> first;
    for (int i = 0; i < 10; ++i) {
        first.push_back(EngineRandom::Next());
    }
    EngineRandom::Seed(42);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(EngineRandom::Next(), first[static_cast<std::size_t>(i)]);
    }
    for (int i = 0; i < 1000; ++i) {
        const int position = EngineRandom::DrawPosition(7);
        EXPECT_GE(position, 0);
        EXPECT_LE(position, 6);
        EXPECT_LE(EngineRandom::Next(), EngineRandom::kMax);
    }
    EXPECT_EQ(EngineRandom::DrawPosition(1), 0);
}

} // namespace
