// The modular gcd: known cases, and random products with a planted common factor in up to four
// letters with coefficients up to a million, the kind on which the earlier algorithms gave up.
// Every answer is checked by exact division and by values at random points.

#include "model/ModularGcd.h"
#include "model/PolynomialGcd.h"
#include "tests/support/PolynomTestSupport.h"

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

// gcd(a c, b c): it divides both products (the quotient times it gives the product back at random
// points), and c divides it with a number as the quotient when a and b share nothing.
void ExpectPlantedGcd(const CPolynomValue& a, const CPolynomValue& b, const CPolynomValue& c,
                      std::mt19937& generator) {
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
        EXPECT_TRUE(Evaluate(*quotient, point).Product(Evaluate(*g, point)).Equal(Evaluate(*product, point)));
    }
    const std::optional<CPolynomValue> rest = g->DivideExact(c);
    ASSERT_TRUE(rest.has_value()) << "the gcd " << Text(*g) << " misses the factor " << Text(c);
    EXPECT_TRUE(rest->IsConstant()) << "the gcd " << Text(*g) << " is more than " << Text(c);
    const std::optional<CPolynomValue> ratio = PolynomialGcd(ac, bc).DivideExact(*g);
    EXPECT_TRUE(ratio && ratio->IsConstant() && !ratio->IsZero());
}

// Random a, b, c with degree up to 4 in each letter (8 in the products); a constant term keeps a
// and b from sharing a letter as a factor, and random ones share nothing else.
TEST(ModularGcd, RandomProductsWithAPlantedFactor) {
    std::mt19937 generator(29);
    const auto start = std::chrono::steady_clock::now();
    int checked = 0;
    for (int round = 0; round < 48; ++round) {
        const int letters = 2 + round % 3;
        const int terms = 3 + round % 4;
        const CPolynomValue a =
            RandomIntegerPoly(generator, letters, terms, 4, 1000000).Sum(CPolynomValue(999983));
        const CPolynomValue b =
            RandomIntegerPoly(generator, letters, terms, 4, 1000000).Sum(CPolynomValue(-1000));
        const CPolynomValue c = RandomIntegerPoly(generator, letters, 1 + terms / 2, 4, 1000000);
        if (a.IsConstant() || b.IsConstant() || c.IsConstant()) {
            continue;
        }
        ExpectPlantedGcd(a, b, c, generator);
        ++checked;
    }
    EXPECT_GT(checked, 40);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

// Four letters with six-term cofactors and factor: images of degree 8 in every letter, whose gcd
// has a lower degree than the products in each letter, so most interpolation points are spared.
TEST(ModularGcd, DenseFourLetterProducts) {
    std::mt19937 generator(41);
    int checked = 0;
    for (int round = 0; round < 16; ++round) {
        const CPolynomValue a = RandomIntegerPoly(generator, 4, 6, 4, 1000000).Sum(CPolynomValue(7));
        const CPolynomValue b = RandomIntegerPoly(generator, 4, 6, 4, 1000000).Sum(CPolynomValue(-11));
        const CPolynomValue c = RandomIntegerPoly(generator, 4, 6, 4, 1000000);
        if (a.IsConstant() || b.IsConstant() || c.IsConstant()) {
            continue;
        }
        ExpectPlantedGcd(a, b, c, generator);
        ++checked;
    }
    EXPECT_GT(checked, 12);
}

// The gcd scaled to the gcd of the leading coefficients, 1334 * 972343 here, needs two primes, and
// its negative coefficient must be recognised as found once a third prime agrees with it.
TEST(ModularGcd, NegativeCoefficientsBeyondOnePrime) {
    std::mt19937 generator(5);
    ExpectPlantedGcd(Poly("-316158wx^2y^3z^4 + 536442wx^2yz^2 - 105926y^2z + 999983"),
                     Poly("-807070w^3x^3y^4 + 822530x^3y^4 - 923848w^3y - 1000"),
                     Poly("-972343w^4x^4y^4z^4 + 928739z^3"), generator);
}

// Points where the images share more than the polynomials do (y = 1 below, z = 0 or 1 further
// down) must be recognised and left out, however few points the degree of the gcd asks for.
TEST(ModularGcd, UnluckyPointsLeftOut) {
    EXPECT_EQ(Text(*ModularGcd(Poly("xy + 1"), Poly("x + y"))), "1");
    const CPolynomValue xPlusY = Poly("x + y");
    EXPECT_EQ(Text(*ModularGcd(xPlusY.Product(Poly("xy + 1")), xPlusY.Product(Poly("x + 1")))), "x+y");
    const CPolynomValue wPlusX = Poly("w + x");
    EXPECT_EQ(Text(*ModularGcd(wPlusX.Product(Poly("xz + 1")), wPlusX.Product(Poly("x + z^2")))), "w+x");
    // A common factor in the last letter only, beside one in all letters.
    const CPolynomValue common = Poly("z + 1").Product(Poly("wx + y"));
    EXPECT_EQ(Text(*ModularGcd(common.Product(Poly("w + z")), common.Product(Poly("w - z")))), "wxz+wx+yz+y");
}

} // namespace
