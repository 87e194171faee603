#include "checker/QuadraticSurd.h"
#include "checker/CheckText.h"

#include <gtest/gtest.h>

namespace {

CNumber Rational(std::int32_t numerator, std::int32_t denominator = 1) {
    CNumber value{CLongInteger(numerator), CLongInteger(denominator)};
    value.Normalize();
    return value;
}

TEST(QuadraticSurd, SquareRootTakesOutSquaresAndDenominators) {
    EXPECT_EQ(SurdText(*CQuadraticSurd::SquareRoot(Rational(8))), "2\u221A2");
    EXPECT_EQ(SurdText(*CQuadraticSurd::SquareRoot(Rational(9, 4))), "3/2");
    EXPECT_EQ(SurdText(*CQuadraticSurd::SquareRoot(Rational(1, 2))), "\u221A2/2");
    EXPECT_FALSE(CQuadraticSurd::SquareRoot(Rational(-2)));
}

TEST(QuadraticSurd, ArithmeticStaysInTheFieldOfOneRoot) {
    const CQuadraticSurd root2 = *CQuadraticSurd::SquareRoot(Rational(2));
    const CQuadraticSurd onePlus = *CQuadraticSurd(Rational(1)).Sum(root2);
    // (1 + √2)(1 − √2) = −1
    EXPECT_EQ(*onePlus.Product(onePlus.Conjugate()), CQuadraticSurd(Rational(-1)));
    // 1/(1 + √2) = √2 − 1
    EXPECT_EQ(*CQuadraticSurd(Rational(1)).Quotient(onePlus), *root2.Sum(CQuadraticSurd(Rational(-1))));
    EXPECT_FALSE(root2.Sum(*CQuadraticSurd::SquareRoot(Rational(3))));
    EXPECT_EQ(SurdText(*onePlus.Quotient(CQuadraticSurd(Rational(2)))), "(1 + \u221A2)/2");
    EXPECT_EQ(SurdText(onePlus.Conjugate().Negated()), "\u22121 + \u221A2");
}

TEST(QuadraticSurd, SignComparesTheTwoParts) {
    const CQuadraticSurd root2 = *CQuadraticSurd::SquareRoot(Rational(2));
    EXPECT_EQ(root2.Sum(CQuadraticSurd(Rational(-1)))->Sign(), 1);  // √2 − 1
    EXPECT_EQ(root2.Sum(CQuadraticSurd(Rational(-2)))->Sign(), -1); // √2 − 2
    EXPECT_EQ(root2.Negated().Sum(CQuadraticSurd(Rational(3, 2)))->Sign(), 1);
}

TEST(QuadraticSurd, MinimalPolynomialVanishesAtTheSurdAndItsConjugate) {
    const CQuadraticSurd value =
        *CQuadraticSurd(Rational(1, 3)).Sum(*CQuadraticSurd::SquareRoot(Rational(5)));
    const CPolynomValue minimal = value.MinimalPolynomial('x');
    EXPECT_EQ(minimal.DegreeIn('x'), 2);
    EXPECT_TRUE(PolynomialValueAt(minimal, value).IsZero());
    EXPECT_TRUE(PolynomialValueAt(minimal, value.Conjugate()).IsZero());
    EXPECT_FALSE(PolynomialValueAt(minimal, CQuadraticSurd(Rational(1, 3))).IsZero());
}

} // namespace
