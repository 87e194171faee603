// The sign tests and the sign walk of the equation solver, on trees read from markup.

#include "solver/equation/EquationSigns.h"
#include "markup/CFormulaParser.h"
#include "solver/Methods.h"

#include <gtest/gtest.h>

namespace {

// The tree of a sum in markup with its monomials and polynomials built, as the solver sees it.
NodePtr Tree(const std::string& text) {
    ParseResult parsed = ParseExpressionText(text + ";");
    EXPECT_EQ(parsed.errorCode, ProblemError::None) << text;
    BuildMonoms(&parsed.tree);
    BuildPolynoms(&parsed.tree);
    TidyPolynoms(&parsed.tree);
    return std::move(parsed.tree);
}

TEST(IsPositiveForEveryValue, DecidesByTheShapeAlone) {
    const struct {
        const char* text;
        bool positive;
        bool nonNegative;
    } cases[] = {
        {"3", true, true},         {"0", false, true},
        {"x", false, false},       {"x^2", false, true},
        {"x^2+1", true, true},     {"(x-1)^2+1", true, true},
        {"(x-1)^2", false, true},  {"x^4+x^2+1", true, true},
        {"x^2-1", false, false},   {"(x+1)^0", true, true},
        {"2*(x^2+3)", true, true}, {"1/(x^2+1)", true, true},
        {"x^3+1", false, false},   {"(x^2+1)*(x-1)", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const NodePtr tree = Tree(c.text);
        EXPECT_EQ(IsPositiveForEveryValue(*tree), c.positive);
        EXPECT_EQ(IsNonNegativeForEveryValue(*tree), c.nonNegative);
    }
}

TEST(TakeOutSigns, MovesTheMinusOfABracketToTheEnclosingSum) {
    const struct {
        const char* text;
        const char* result;
    } cases[] = {
        {"(1-x)*(x+2)+3", "-(x-1)*(x+2)+3"},
        {"(2-x)^3-8", "-(x-2)^3-8"},
        {"(2-x)^2-8", "(x-2)^2-8"},
        {"(x-1)*(x+2)", "(x-1)*(x+2)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        NodePtr tree = Tree(c.text);
        NormalizePolynoms(&tree);
        const bool changed = TakeOutSigns(&tree);
        EXPECT_EQ(tree->ToText(), c.result);
        EXPECT_EQ(changed, std::string(c.text) != c.result);
    }
}

} // namespace
