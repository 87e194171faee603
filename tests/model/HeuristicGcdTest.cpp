// The heuristic gcd and the degree bounds from modular images, on random products with a planted
// common factor in up to four letters and with coefficients up to a million.

#include "model/HeuristicGcd.h"
#include "model/GcdDegreeBound.h"
#include "tests/support/PolynomTestSupport.h"

#include <gtest/gtest.h>

using namespace polytest;

namespace {

// A random polynomial in the first `letters` of x, y, z, w with integer coefficients up to
// `largest` in size and exponents up to `maxExponent` in each letter.
CPolynomValue RandomIntegerPoly(std::mt19937& generator, int letters, int terms, int maxExponent,
                                int largest) {
    static const unsigned char names[] = {'w', 'x', 'y', 'z'};
    std::uniform_int_distribution<int> coefficient(-largest, largest);
    std::uniform_int_distribution<int> exponent(0, maxExponent);
    CPolynomValue result;
    for (int t = 0; t < terms; ++t) {
        LetterPowers powers;
        for (int l = 0; l < letters; ++l) {
            const int e = exponent(generator);
            if (e > 0) {
                powers.push_back({names[4 - letters + l], e});
            }
        }
        const int c = coefficient(generator);
        result.Append({CNumber(c == 0 ? 1 : c), std::move(powers)});
    }
    result.Normalize();
    return result;
}

// The gcd divides both, the planted factor divides the gcd, and the cofactors share no letter
// factor (their own gcd is a number).
void ExpectGcdOfPlantedFactor(const CPolynomValue& a, const CPolynomValue& b, const CPolynomValue& c) {
    const CPolynomValue ac = a.Product(c);
    const CPolynomValue bc = b.Product(c);
    const std::optional<CPolynomValue> g = HeuristicGcd(ac, bc);
    if (!g) {
        return; // gave up: the caller's fallback takes over, checked elsewhere
    }
    const std::optional<CPolynomValue> qa = ac.DivideExact(*g);
    const std::optional<CPolynomValue> qb = bc.DivideExact(*g);
    ASSERT_TRUE(qa && qb) << "gcd " << Text(*g) << " does not divide both";
    EXPECT_TRUE(g->DivideExact(c).has_value()) << "gcd " << Text(*g) << " misses " << Text(c);
    const std::optional<CPolynomValue> cofactors = HeuristicGcd(*qa, *qb);
    if (cofactors) {
        EXPECT_TRUE(cofactors->IsConstant()) << "cofactors share " << Text(*cofactors);
    }
}

TEST(HeuristicGcd, KnownCases) {
    EXPECT_EQ(Text(*HeuristicGcd(Poly("x^2 - 1"), Poly("x^2 + 2x + 1"))), "x+1");
    EXPECT_EQ(Text(*HeuristicGcd(Poly("x^2 - y^2"), Poly("x^2 + 2xy + y^2"))), "x+y");
    EXPECT_EQ(Text(*HeuristicGcd(Poly("6x + 6"), Poly("4x^2 - 4"))), "2x+2");
    EXPECT_EQ(Text(*HeuristicGcd(Poly("x"), Poly("y"))), "1");
    EXPECT_EQ(Text(*HeuristicGcd(Poly("-x^2yz - xyz^2"), Poly("xy + yz"))), "xy+yz");
}

TEST(HeuristicGcd, FindsPlantedFactorsInUpToFourLetters) {
    std::mt19937 generator(11);
    int found = 0;
    for (int round = 0; round < 120; ++round) {
        const int letters = 1 + round % 4;
        const CPolynomValue a = RandomIntegerPoly(generator, letters, 3, 2, 1000);
        const CPolynomValue b = RandomIntegerPoly(generator, letters, 3, 2, 1000);
        const CPolynomValue c = RandomIntegerPoly(generator, letters, 2, 2, 1000);
        SCOPED_TRACE(Describe({{"a", &a}, {"b", &b}, {"c", &c}}));
        ExpectGcdOfPlantedFactor(a, b, c);
        found += HeuristicGcd(a.Product(c), b.Product(c)).has_value() ? 1 : 0;
    }
    // Products of this size stay well within the heuristic's size limit.
    EXPECT_GT(found, 100);
}

TEST(GcdDegreeBound, IsNeverBelowTheDegreeOfAPlantedFactor) {
    std::mt19937 generator(5);
    int exact = 0;
    for (int round = 0; round < 100; ++round) {
        const int letters = 2 + round % 3;
        const CPolynomValue a = RandomIntegerPoly(generator, letters, 3, 3, 1000000);
        const CPolynomValue b = RandomIntegerPoly(generator, letters, 3, 3, 1000000);
        const CPolynomValue c = RandomIntegerPoly(generator, letters, 2, 2, 1000000);
        SCOPED_TRACE(Describe({{"a", &a}, {"b", &b}, {"c", &c}}));
        const CPolynomValue ac = a.Product(c);
        const CPolynomValue bc = b.Product(c);
        for (char letter : ac.Letters()) {
            const auto l = static_cast<unsigned char>(letter);
            const std::int64_t bound = GcdDegreeBound(ac, bc, l);
            EXPECT_GE(bound, c.DegreeIn(l)) << "letter " << letter;
            exact += bound == c.DegreeIn(l) ? 1 : 0;
        }
    }
    // Random cofactors are almost always coprime, so the bound is almost always the degree itself.
    EXPECT_GT(exact, 150);
}

TEST(GcdDegreeBound, ProvesCoprimeLettersAway) {
    EXPECT_EQ(GcdDegreeBound(Poly("xy + 1"), Poly("x + y"), 'x'), 0);
    EXPECT_EQ(GcdDegreeBound(Poly("x^2 - y^2"), Poly("x^2 + 2xy + y^2"), 'x'), 1);
    EXPECT_EQ(GcdDegreeBound(Poly("x^2 - y^2"), Poly("x^2 + 2xy + y^2"), 'y'), 1);
    EXPECT_EQ(GcdDegreeBound(Poly("x^3y + 2"), Poly("y"), 'x'), 0);
}

} // namespace
