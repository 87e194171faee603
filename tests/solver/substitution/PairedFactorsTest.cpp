#include "solver/substitution/PairedFactors.h"
#include "SubstitutionTestSupport.h"
#include "solver/substitution/TreePolynomial.h"

#include <gtest/gtest.h>

namespace {

TEST(FindPairedFactorsForm, GroupsFactorsIntoProductsDifferingByNumbers) {
    struct Case {
        const char* left;
        char unknown;
        const char* g;
        std::size_t groups;
    };
    const Case cases[] = {
        {"(x-4)*(x-5)*(x-6)*(x-7)-1680", 'x', "x^2-11*x", 2},
        {"(x^2-5*x)*(x+3)*(x-8)+108", 'x', "x^2-5*x", 2},
        {"x*(x+1)*(x+2)*(x+3)-24", 'x', "x^2+3*x", 2},
        {"-(x-1)*(x-3)*(x+5)*(x+7)+297", 'x', "x^2+4*x", 2},
        {"(t+1)*(t+2)*(t+3)*(t+4)-120", 't', "t^2+5*t", 2},
        {"2*(x+1)^2*(x^2+2*x-3)-5", 'x', "x^2+2*x", 2},
        {"x*(x+1)*(x+2)*(x+3)*(x+4)*(x+5)-5", 'x', "x^2+5*x", 3},
        // from the derivatives: 2(x^2 + x)(2x + 1) and 3(2x + 1) share 2x + 1
        {"(x^2+x)^2+3*(x^2+x)-4", 'x', "x^2+x", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.left);
        NodePtr left = LeftSideOf(std::string(c.left) + "=0");
        std::optional<PairedFactorsForm> form = FindPairedFactorsForm(*left, c.unknown);
        ASSERT_TRUE(form.has_value());
        EXPECT_EQ(form->groups.size(), c.groups);
        std::optional<CPolynomValue> g = PolynomialOf(*form->substitution->expression);
        std::optional<CPolynomValue> wanted = PolynomialOf(*LeftSideOf(std::string(c.g) + "=0"));
        ASSERT_TRUE(g && wanted);
        EXPECT_TRUE(*g == *wanted) << form->substitution->expression->ToText();
        EXPECT_EQ(SubstitutionMismatch(c.left, *form->substitution, c.unknown), "");
        // Each group multiplies out to g plus a number.
        for (std::size_t i = 0; i < form->groups.size(); ++i) {
            CPolynomValue product(1);
            for (const NodePtr& factor : form->groups[i]) {
                product.MultiplyInPlace(*PolynomialOf(*factor));
            }
            EXPECT_TRUE(product == form->groupProducts[i]);
            EXPECT_TRUE(product.Difference(*g).IsConstant());
        }
    }
}

TEST(FindPairedFactorsForm, RefusesWhatDoesNotPair) {
    const char* const lefts[] = {
        "(x-1)*(x-2)*(x-3)*(x-5)-10", // no grouping gives products differing by numbers
        "(x-1)*(x+1)*(x-2)*(x+2)-4",  // the common part x^2 alone: a biquadratic
        "x^4-5*x^2+4",                // likewise from the derivatives
        "(x-1)*(x-2)-6",              // a quadratic stays a quadratic
        "(x-4)*(x-5)*(x-6)*(x-7)-x",  // the rest is not a polynomial in g
        "1/(x-1)*(x-2)*(x-3)*(x-4)-5",
    };
    for (const char* text : lefts) {
        SCOPED_TRACE(text);
        NodePtr left = LeftSideOf(std::string(text) + "=0");
        ASSERT_NE(left, nullptr);
        EXPECT_FALSE(FindPairedFactorsForm(*left, 'x').has_value());
    }
}

} // namespace
