// The pieces of the factor search against independent arithmetic: exact polynomial roots, the
// modular gcd test, the factor degrees allowed modulo primes, and findings that must divide.

#include "model/COPolynom.h"
#include "output/COutputList.h"
#include "solver/CExpression.h"
#include "solver/Methods.h"
#include "solver/SolverEntries.h"
#include "solver/factor/FactorArithmetic.h"
#include "solver/factor/Factorisation.h"
#include "solver/factor/ModularFactorDegrees.h"

#include <gtest/gtest.h>

#include <random>

namespace {

const auto kX = static_cast<unsigned char>('x');
const auto kY = static_cast<unsigned char>('y');

// A random polynomial in x (and y when asked) with small integer coefficients, not constant.
CPolynomValue RandomPolynom(std::mt19937& random, int degree, bool twoLetters) {
    CPolynomValue value;
    while (value.IsConstant()) {
        value = CPolynomValue();
        for (int e = 0; e <= degree; ++e) {
            const int c = static_cast<int>(random() % 9) - 4;
            CPolynomValue term = CPolynomValue::Letter(kX, e).Scaled(CNumber(c));
            if (twoLetters && random() % 2 == 0) {
                term = term.Product(CPolynomValue::Letter(kY, static_cast<std::int64_t>(random() % 3)));
            }
            value.AddInPlace(term);
        }
    }
    return value;
}

TEST(ExactPolynomialRoot, FindsTheRootOfRandomPowersAndNothingElse) {
    std::mt19937 random(3);
    for (int i = 0; i < 150; ++i) {
        const CPolynomValue base = RandomPolynom(random, 1 + i % 3, i % 2 == 0);
        const std::int64_t m = 2 + i % 3;
        const std::optional<CPolynomValue> root = ExactPolynomialRoot(base.Power(m), m);
        ASSERT_TRUE(root.has_value());
        EXPECT_TRUE(root->Power(m) == base.Power(m));
        // A power plus x^0 = 1 more is (almost always) no power; whatever is found must be exact.
        const CPolynomValue changed = base.Power(m).Sum(CPolynomValue(1));
        if (const std::optional<CPolynomValue> other = ExactPolynomialRoot(changed, m)) {
            EXPECT_TRUE(other->Power(m) == changed);
        }
    }
    EXPECT_FALSE(ExactPolynomialRoot(CPolynomValue::Letter(kX, 2).Sum(CPolynomValue(1)), 2).has_value());
    EXPECT_FALSE(ExactPolynomialRoot(CPolynomValue(-4), 2).has_value());
    EXPECT_TRUE(ExactPolynomialRoot(CPolynomValue(-8), 3)->IsNumber(CNumber(-2)));
}

TEST(GcdSurelyConstant, NeverHidesACommonFactor) {
    std::mt19937 random(5);
    for (int i = 0; i < 200; ++i) {
        const bool two = i % 2 == 0;
        const CPolynomValue common = RandomPolynom(random, 1 + i % 2, two);
        const CPolynomValue a = RandomPolynom(random, 1 + i % 3, two).Product(common);
        const CPolynomValue b = RandomPolynom(random, 1 + i % 2, two).Product(common);
        EXPECT_FALSE(GcdSurelyConstant(a, b));
    }
    // Coprime pairs are usually recognised.
    EXPECT_TRUE(GcdSurelyConstant(CPolynomValue::Letter(kX, 2).Sum(CPolynomValue(1)),
                                  CPolynomValue::Letter(kX).Sum(CPolynomValue(3))));
}

TEST(PossibleFactorDegrees, AllowsTheDegreesOfTheRealFactors) {
    std::mt19937 random(7);
    for (int i = 0; i < 150; ++i) {
        const CPolynomValue a = RandomPolynom(random, 1 + i % 3, false);
        const CPolynomValue b = RandomPolynom(random, 2 + i % 3, false);
        const CPolynomValue product = a.Product(b);
        const std::vector<bool> possible = PossibleFactorDegrees(product, kX);
        ASSERT_EQ(possible.size(), static_cast<std::size_t>(product.DegreeIn(kX)) + 1);
        EXPECT_TRUE(possible[static_cast<std::size_t>(a.DegreeIn(kX))]);
        EXPECT_TRUE(possible[static_cast<std::size_t>(b.DegreeIn(kX))]);
    }
    // x^6 + x^5 + ... + 1 is irreducible: modulo 3 it stays whole, so no degree 1 to 5 is allowed.
    CPolynomValue cyclotomic;
    for (int e = 0; e <= 6; ++e) {
        cyclotomic.AddInPlace(CPolynomValue::Letter(kX, e));
    }
    const std::vector<bool> possible = PossibleFactorDegrees(cyclotomic, kX);
    for (std::size_t d = 1; d < 6; ++d) {
        EXPECT_FALSE(possible[d]) << d;
    }
}

// Every finding on random products of two factors divides the polynomial (or, for like powers of
// groups, its two powers add up to it), whatever technique made it.
TEST(FindFactorisation, FindingsOfRandomProductsDivide) {
    std::mt19937 random(11);
    int found = 0;
    for (int i = 0; i < 200; ++i) {
        const bool two = i % 3 == 0;
        const CPolynomValue product =
            RandomPolynom(random, 1 + i % 2, two).Product(RandomPolynom(random, 1 + i % 3, two));
        const std::unique_ptr<COPolynom> polynom = COPolynom::FromValue(product);
        if (polynom->GetCount() < 2) {
            continue;
        }
        FactorFinding finding;
        if (!FindFactorisation(*polynom, finding)) {
            continue;
        }
        ++found;
        const CPolynomValue first = finding.first->Value();
        if (finding.technique == FactorTechnique::GroupingLikePowers) {
            const std::int64_t m = finding.detail->exponent.ToInt();
            CPolynomValue sum = first.Power(m).Scaled(CNumber(finding.detail->firstSign));
            sum.AddInPlace(finding.second->Value().Power(m).Scaled(CNumber(finding.detail->secondSign)));
            EXPECT_TRUE(sum == product) << polynom->ToText();
        } else if (finding.technique == FactorTechnique::CommonMonomial) {
            // The common factor may be a number alone (the content).
            EXPECT_TRUE(first.Product(finding.second->Value()) == product) << polynom->ToText();
        } else {
            EXPECT_FALSE(first.IsConstant()) << polynom->ToText();
            EXPECT_TRUE(product.DivideExact(first).has_value()) << polynom->ToText();
        }
    }
    EXPECT_GT(found, 150);
}

TEST(FindFactorisation, TechniquesOfTheTextbookCases) {
    const auto technique = [](const char* text) {
        std::string problem = std::string(text) + ";";
        CExpression workspace(problem, nullptr);
        BuildMonoms(workspace.RootSlot());
        BuildPolynoms(workspace.RootSlot());
        FactorFinding finding;
        FindFactorisation(static_cast<const COPolynom&>(*workspace.Root()), finding);
        return finding.found ? static_cast<int>(finding.technique) : -1;
    };
    EXPECT_EQ(technique("2*x^2+4*x"), 0);
    EXPECT_EQ(technique("x^3-6*x^2+11*x-6"), 1);
    EXPECT_EQ(technique("x^3+x^2+x+1"), 1); // equal blocks
    EXPECT_EQ(technique("a^2+2*a*b+b^2-c^2"), 3);
    EXPECT_EQ(technique("25*x^2-y^2"), 3); // two letters: grouping of the two terms
    EXPECT_EQ(technique("-25*x^2+64"), 4);
    EXPECT_EQ(technique("x^4+4"), 5);
    EXPECT_EQ(technique("x^4+x^2+1"), 6);
    EXPECT_EQ(technique("x^5+x+1"), 7);
    EXPECT_EQ(technique("x^2+x+1"), -1);
    EXPECT_EQ(technique("x+y"), -1);
}

TEST(FactorExpression, LeavesProductsSingleTermsAndConstantsAlone) {
    for (const char* text : {"(x-1)*(x+1);", "x^3;", "5;", "(x+1)^2;"}) {
        SCOPED_TRACE(text);
        COutputList solution;
        CExpression workspace(text, &solution);
        BuildMonoms(workspace.RootSlot());
        BuildPolynoms(workspace.RootSlot());
        const std::string before = workspace.Root()->ToText();
        EXPECT_FALSE(FactorExpression(workspace, workspace.RootSlot()));
        EXPECT_EQ(workspace.Root()->ToText(), before);
    }
}

} // namespace
