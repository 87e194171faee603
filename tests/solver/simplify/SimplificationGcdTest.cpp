// Fractions whose numerator and denominator are written out and share a factor of several terms in
// three or four letters: the gcd that reduces them used to give up and end the solve with the
// "too large" error. Each must now be answered, every step keeping the problem's value and the
// answer reduced.

#include "SimplificationTestSupport.h"
#include "tests/support/PolynomTestSupport.h"

#include <gtest/gtest.h>

namespace {

// The polynomial in the linear notation the solver reads: 85*w^3*x^3-15*w^2+7.
std::string Written(const CPolynomValue& p) {
    std::string text;
    for (const PolynomTerm& term : p.Terms()) {
        const std::string coefficient = term.coefficient.ToText();
        if (!text.empty() && coefficient[0] != '-') {
            text += "+";
        }
        text += coefficient;
        for (const LetterPower& power : term.powers) {
            text += "*";
            text += static_cast<char>(power.letter);
            if (power.exponent != 1) {
                text.append("^").append(std::to_string(power.exponent));
            }
        }
    }
    return text;
}

// A random polynomial in w, x, y, z (the first `letters` of them) with a constant term, so that two
// of them share no letter as a factor.
CPolynomValue RandomFactor(std::mt19937& generator, int letters, int constant) {
    std::uniform_int_distribution<int> coefficient(-99, 99);
    std::uniform_int_distribution<int> exponent(0, 3);
    CPolynomValue p(constant);
    for (int t = 0; t < 4; ++t) {
        LetterPowers powers;
        for (int l = 0; l < letters; ++l) {
            if (const int e = exponent(generator); e > 0) {
                powers.push_back({static_cast<unsigned char>("wxyz"[l]), e});
            }
        }
        const int c = coefficient(generator);
        p.Append({CNumber(c == 0 ? 1 : c), powers});
    }
    p.Normalize();
    return p;
}

TEST(SimplifyGcd, ExpandedFractionsWithACommonFactorAreReduced) {
    std::mt19937 generator(4);
    for (int round = 0; round < 6; ++round) {
        const int letters = 3 + round % 2;
        const CPolynomValue a = RandomFactor(generator, letters, 7);
        const CPolynomValue b = RandomFactor(generator, letters, -5);
        const CPolynomValue c = RandomFactor(generator, letters, 3);
        std::string problem = "(";
        problem.append(Written(a.Product(c))).append(")/(").append(Written(b.Product(c))).append(")");
        SCOPED_TRACE(problem);
        bool undefined = false;
        EXPECT_EQ(JudgeSimplification(problem, undefined), "");
        EXPECT_FALSE(undefined);
    }
}

} // namespace
