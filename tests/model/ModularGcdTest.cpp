// The modular gcd: known cases, and random products with a planted common factor in up to four
// letters with coefficients up to a million, the kind on which the earlier algorithms gave up.
// Every answer is checked by exact division and by values at random points.

#include "model/ModularGcd.h"
#include "model/PolynomTestSupport.h"
#include "model/PolynomialGcd.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace polytest;

namespace {

TEST(ModularGcd, KnownCases) {
    EXPECT_EQ(Text(*ModularGcd(Poly("x^2y - y"), Poly("xy + y"))), "xy+y");
    EXPECT_EQ(Text(*ModularGcd(Poly("x^2 - y^2"), Poly("x^2 + 2xy + y^2"))), "x+y");
    EXPECT_EQ(Text(*ModularGcd(Poly("xy + 1"), Poly("x + y"))), "1");
    EXPECT_EQ(Text(*ModularGcd(Poly("6x^2 - 6"), Poly("4x + 4"))), "x+1"); // primitive
    EXPECT_EQ(Text(*ModularGcd(Poly("-x^2 + 1"), Poly("x^2 - 2x + 1"))), "x-1");
    EXPECT_EQ(Text(*ModularGcd(Poly("wxyz + w"), Poly("w^2"))), "w");
    // Outside its range there is no answer: five letters, fractions.
    EXPECT_FALSE(ModularGcd(Poly("v + w + x + y + z"), Poly("v + w")).has_value());
    EXPECT_FALSE(ModularGcd(Poly("1/2x + 1"), Poly("x + 2")).has_value());
}

Point RandomIntegerPoint(std::mt19937& generator) {
    std::uniform_int_distribution<int> value(-7, 7);
    return {{'w', Num(value(generator))},
            {'x', Num(value(generator))},
            {'y', Num(value(generator))},
            {'z', Num(value(generator))}};
}

// gcd(a c, b c) for random a, b, c with degree up to 4 in each letter (8 in the products): it
// divides both products (the quotient times it gives the product back at random points), and c
// divides it with a number as the quotient, since random a and b with constant terms share nothing.
TEST(ModularGcd, RandomProductsWithAPlantedFactor) {
    std::mt19937 generator(29);
    const auto start = std::chrono::steady_clock::now();
    int checked = 0;
    for (int round = 0; round < 48; ++round) {
        const int letters = 2 + round % 3;
        const int terms = 3 + round % 4;
        // A constant term keeps a and b from sharing a letter as a factor.
        const CPolynomValue a =
            RandomIntegerPoly(generator, letters, terms, 4, 1000000).Sum(CPolynomValue(999983));
        const CPolynomValue b =
            RandomIntegerPoly(generator, letters, terms, 4, 1000000).Sum(CPolynomValue(-1000));
        const CPolynomValue c = RandomIntegerPoly(generator, letters, 1 + terms / 2, 4, 1000000);
        if (a.IsConstant() || b.IsConstant() || c.IsConstant()) {
            continue;
        }
        const CPolynomValue ac = a.Product(c);
        const CPolynomValue bc = b.Product(c);
        SCOPED_TRACE(Describe({{"a", &a}, {"b", &b}, {"c", &c}}));
        CNumber::ResetLimitExceeded();
        const std::optional<CPolynomValue> g = ModularGcd(ac, bc);
        ASSERT_TRUE(g.has_value());
        EXPECT_FALSE(CNumber::LimitExceeded());
        for (const CPolynomValue* product : {&ac, &bc}) {
            const std::optional<CPolynomValue> quotient = product->DivideExact(*g);
            ASSERT_TRUE(quotient.has_value()) << Text(*g) << " does not divide " << Text(*product);
            const Point point = RandomIntegerPoint(generator);
            EXPECT_TRUE(
                Evaluate(*quotient, point).Product(Evaluate(*g, point)).Equal(Evaluate(*product, point)));
        }
        const std::optional<CPolynomValue> rest = g->DivideExact(c);
        ASSERT_TRUE(rest.has_value()) << "the gcd " << Text(*g) << " misses the factor " << Text(c);
        EXPECT_TRUE(rest->IsConstant()) << "the gcd " << Text(*g) << " is more than " << Text(c);
        const std::optional<CPolynomValue> ratio = PolynomialGcd(ac, bc).DivideExact(*g);
        EXPECT_TRUE(ratio && ratio->IsConstant() && !ratio->IsZero());
        ++checked;
    }
    EXPECT_GT(checked, 40);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

} // namespace
