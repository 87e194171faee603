// Greatest common divisors and least common multiples of polynomials, checked on known cases and on
// random products with a planted common factor.

#include "model/PolynomialGcd.h"
#include "tests/support/PolynomTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace polytest;

namespace {

struct GcdCase {
    const char* a;
    const char* b;
    const char* gcd;
};

TEST(PolynomialGcd, KnownCases) {
    const GcdCase cases[] = {
        {"x^2 - 1", "x^2 + 2x + 1", "x+1"},
        {"2x", "4x", "x"}, // one letter: numeric contents dropped
        {"x", "y", "1"},
        {"0", "x^2 + 1", "x^2+1"},
        {"x + 1", "0", "x+1"},
        {"3", "6x", "1"},
        {"x^3 - 1", "x^2 - 1", "x-1"},
        {"-x - 1", "x^2 - 1", "x+1"}, // the leading sign of the result is positive
        {"1/2x + 1/2", "x^2 - 1", "x+1"},
        {"x^2 - y^2", "x^2 + 2xy + y^2", "x+y"},
        {"2x^2y - 2y", "4xy + 4y", "2xy+2y"}, // several letters: the numeric content gcd is kept
        {"x^2y + xy^2", "x^2 - y^2", "x+y"},
        {"a^2 - b^2", "a^3 - b^3", "a-b"},
        {"xy", "xz", "x"},
        {"x^2yz + xyz^2", "xy + yz", "xy+yz"},
        {"x^6 - 1", "x^4 - 1", "x^2-1"},
    };
    for (const GcdCase& c : cases) {
        SCOPED_TRACE(c.a);
        SCOPED_TRACE(c.b);
        EXPECT_EQ(Text(PolynomialGcd(Poly(c.a), Poly(c.b))), c.gcd);
    }
}

TEST(PolynomialGcd, LcmAndCofactors) {
    EXPECT_EQ(Text(PolynomialLcm(Poly("x^2 - 1"), Poly("x^2 + 2x + 1"))), "x^3+x^2-x-1");
    EXPECT_EQ(Text(PolynomialLcm(Poly("x"), Poly("y"))), "xy");
    CPolynomValue ca;
    CPolynomValue cb;
    LcmCofactors(Poly("x^2 - 1"), Poly("x + 1"), ca, cb);
    EXPECT_EQ(Text(ca), "1");
    EXPECT_EQ(Text(cb), "x-1");
    LcmCofactors(Poly("2y"), Poly("3y^2"), ca, cb);
    EXPECT_EQ(Poly("2y").Product(ca), Poly("3y^2").Product(cb));
    EXPECT_EQ(Text(GcdUnlessDisjoint(Poly("x + 1"), Poly("y + 1"))), "1");
    EXPECT_EQ(Text(GcdUnlessDisjoint(Poly("x^2 - 1"), Poly("x + 1"))), "x+1");
}

// gcd(a c, b c) must divide both products, be divisible by c (up to a number), and leave cofactors
// without a common factor. The factors are school-sized: up to three terms, exponents up to 2.
TEST(PolynomialGcd, RandomProductsWithACommonFactor) {
    std::mt19937 generator(7);
    int checked = 0;
    for (int round = 0; round < 150; ++round) {
        const int letters = 1 + round % 3;
        const CPolynomValue a = RandomPoly(generator, letters, true, 3, 2);
        const CPolynomValue b = RandomPoly(generator, letters, true, 3, 2);
        const CPolynomValue c = RandomPoly(generator, letters, true, 3, 2);
        if (a.IsZero() || b.IsZero() || c.IsZero()) {
            continue;
        }
        const CPolynomValue ac = a.Product(c);
        const CPolynomValue bc = b.Product(c);
        SCOPED_TRACE(Describe({{"a", &a}, {"b", &b}, {"c", &c}}));
        const CPolynomValue g = PolynomialGcd(ac, bc);
        ASSERT_FALSE(g.IsZero());
        const std::optional<CPolynomValue> qa = ac.DivideExact(g);
        const std::optional<CPolynomValue> qb = bc.DivideExact(g);
        ASSERT_TRUE(qa.has_value()) << "gcd " << Text(g) << " does not divide " << Text(ac);
        ASSERT_TRUE(qb.has_value()) << "gcd " << Text(g) << " does not divide " << Text(bc);
        EXPECT_EQ(qa->Product(g), ac);
        EXPECT_TRUE(PolynomialGcd(*qa, *qb).IsConstant()) << "cofactors " << Text(*qa) << " and " << Text(*qb)
                                                          << " share " << Text(PolynomialGcd(*qa, *qb));
        if (!c.IsConstant()) {
            EXPECT_TRUE(g.DivideExact(c).has_value())
                << "gcd " << Text(g) << " misses the factor " << Text(c);
        }
        // The least common multiple is a multiple of both, and the cofactors bring them to it.
        CPolynomValue ca;
        CPolynomValue cb;
        LcmCofactors(ac, bc, ca, cb);
        EXPECT_EQ(ac.Product(ca), bc.Product(cb));
        EXPECT_EQ(ac.Product(ca), PolynomialLcm(ac, bc));
        ++checked;
    }
    EXPECT_GT(checked, 100);
}

} // namespace

namespace {

// High degrees in two letters, whose pseudo-remainders swell, are proven coprime from their images
// at once; the school example that used to run out of work is answered; high degrees in one letter
// are still fine.
TEST(PolynomialGcd, HighDegreesInSeveralLettersNeedNoRemainders) {
    const auto start = std::chrono::steady_clock::now();
    CNumber::ResetLimitExceeded();
    EXPECT_EQ(Text(PolynomialGcd(Poly("x^30 + y^30 + 1"), Poly("x^29 + y^31 + 2"))), "1");
    EXPECT_EQ(Text(PolynomialGcd(Poly("x^5 + y^5 + 1").Product(Poly("x - y")),
                                 Poly("x^4 + y^6 + 2").Product(Poly("x - y")))),
              "x-y");
    const CPolynomValue numerator = Poly("a + y").Power(3).Product(Poly("1 - 3a")).Sum(Poly("5"));
    const CPolynomValue denominator = Poly("x").Difference(Poly("a").Product(Poly("a - y").Power(3)));
    EXPECT_EQ(Text(PolynomialGcd(numerator, denominator)), "1");
    EXPECT_FALSE(CNumber::LimitExceeded());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));

    CNumber::ResetLimitExceeded();
    EXPECT_EQ(Text(PolynomialGcd(Poly("x^2000 - 1"), Poly("x^1999 - 1"))), "x-1");
    EXPECT_EQ(Text(PolynomialGcd(Poly("x + 3").Power(100), Poly("x + 3").Power(40).Product(Poly("x - 1")))),
              Text(Poly("x + 3").Power(40)));
    EXPECT_FALSE(CNumber::LimitExceeded());
}

} // namespace
