// Images of polynomials modulo a prime, and the exact division that uses them to refute a division
// before doing it: a true division is never refuted, a false one almost always is, and every
// quotient is checked by value at random points.

#include "model/ModularImage.h"
#include "tests/support/PolynomTestSupport.h"

#include <gtest/gtest.h>

using namespace polytest;
namespace MI = ModularImage;

namespace {

MI::Residues Residues(std::initializer_list<std::uint64_t> coefficients) {
    return MI::Residues(coefficients);
}

TEST(ModularImage, GcdDegreeOfOneLetterImages) {
    // (x - 1)(x - 2) = x^2 - 3x + 2 and (x - 1)(x + 5) = x^2 + 4x - 5 share x - 1.
    const std::uint64_t p = MI::kPrime;
    EXPECT_EQ(MI::GcdDegree(Residues({2, p - 3, 1}), Residues({p - 5, 4, 1})), 1);
    EXPECT_EQ(MI::GcdDegree(Residues({1, 0, 1}), Residues({p - 1, 1})), 0); // x^2 + 1, x - 1
    EXPECT_EQ(MI::GcdDegree(Residues({0, 0}), Residues({3, 0, 1, 0})), 2);  // zero and x^2 + 3
    EXPECT_EQ(MI::GcdDegree(Residues({0}), Residues({})), -1);
}

// Inverses against the residue arithmetic itself, for residues at both ends of the range and in
// between, modulo 2^31 - 1 and modulo smaller primes; 0 has none and gets 0.
TEST(ModularImage, InversesModuloPrimes) {
    for (const std::uint64_t p :
         {MI::kPrime, std::uint64_t{2147483629}, std::uint64_t{65521}, std::uint64_t{3}}) {
        std::uint64_t value = 1;
        for (int i = 0; i < 200; ++i) {
            value = (value * 48271 + 11) % p;
            for (const std::uint64_t residue : {value, std::uint64_t{1}, p - 1, p / 2}) {
                if (residue % p != 0) {
                    EXPECT_EQ(MI::MultiplyModulo(residue, MI::InverseModulo(residue, p), p), 1U)
                        << residue << " modulo " << p;
                }
            }
        }
        EXPECT_EQ(MI::InverseModulo(p + 1, p), 1U); // reduced first
    }
    EXPECT_EQ(MI::InverseModulo(0), 0U);
}

TEST(ModularImage, ResiduesOfNumbers) {
    EXPECT_EQ(MI::ResidueOf(Num(-1)), MI::kPrime - 1);
    EXPECT_EQ(MI::MultiplyModulo(*MI::ResidueOf(Num(1, 3)), 3), 1U);
    CNumber large(CLongInteger(static_cast<std::int32_t>(MI::kPrime)));
    large.MultiplyInPlace(large);
    large.AddInPlace(CNumber(5));
    EXPECT_EQ(MI::ResidueOf(large), 5U); // p^2 + 5
    // A denominator that is a multiple of the prime has no residue, and then nothing is refuted.
    CNumber fraction(CLongInteger(static_cast<std::int32_t>(1)),
                     CLongInteger(static_cast<std::int32_t>(MI::kPrime)));
    EXPECT_FALSE(MI::ResidueOf(fraction).has_value());
    CPolynomValue divisor = Poly("x + 1");
    divisor.Scale(fraction);
    EXPECT_TRUE(MI::MayDivide(divisor, Poly("x^2 + 3")));
}

TEST(ModularImage, DivisibilityOfImages) {
    EXPECT_TRUE(MI::Divides(Residues({1, 1}), Residues({MI::kPrime - 1, 0, 1}))); // x + 1 | x^2 - 1
    EXPECT_FALSE(MI::Divides(Residues({1, 1}), Residues({1, 0, 1})));             // x + 1, x^2 + 1
    EXPECT_TRUE(MI::Divides(Residues({0}), Residues({})));
    EXPECT_FALSE(MI::MayDivide(Poly("x - y"), Poly("x^2 + y^2")));
    EXPECT_TRUE(MI::MayDivide(Poly("x - y"), Poly("x^3 - y^3")));
    EXPECT_TRUE(MI::MayDivide(Poly("7"), Poly("x + 1")));
}

// a*b is divisible by b, the quotient is a and a*b + 1 is not divisible by b (b holds a letter):
// the image test must never refute the first and should refute nearly every second one. Letters
// whose leading coefficients vanish at some points and fractions are part of the draw.
TEST(ModularImage, ExactDivisionOfRandomProducts) {
    std::mt19937 generator(11);
    int refuted = 0;
    int undivisible = 0;
    for (int round = 0; round < 300; ++round) {
        const int letters = 1 + round % 3;
        const CPolynomValue a = RandomPoly(generator, letters, true, 5, 3);
        const CPolynomValue b = RandomPoly(generator, letters, true, 4, 2);
        if (b.IsZero()) {
            continue;
        }
        const CPolynomValue product = a.Product(b);
        SCOPED_TRACE(Describe({{"a", &a}, {"b", &b}}));
        EXPECT_TRUE(MI::MayDivide(b, product));
        const std::optional<CPolynomValue> quotient = product.DivideExact(b);
        ASSERT_TRUE(quotient.has_value());
        EXPECT_EQ(*quotient, a);
        const Point point = RandomPoint(generator);
        EXPECT_TRUE(Evaluate(*quotient, point).Product(Evaluate(b, point)).Equal(Evaluate(product, point)));
        if (b.IsConstant()) {
            continue;
        }
        const CPolynomValue shifted = product.Sum(CPolynomValue(1));
        EXPECT_FALSE(shifted.DivideExact(b).has_value());
        ++undivisible;
        refuted += MI::MayDivide(b, shifted) ? 0 : 1;
    }
    EXPECT_GT(undivisible, 200);
    EXPECT_GT(refuted, undivisible * 9 / 10);
}

} // namespace
