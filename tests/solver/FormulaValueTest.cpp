// The tests' own formula evaluator, on which every check of a step's value rests: both arithmetics
// read the same grammar, agree where both have a value, and report every undefined value.

#include "tests/support/FormulaValue.h"

#include <gtest/gtest.h>

namespace {

TEST(FormulaValue, ExactAndQuadrupleValuesAgree) {
    const CNumber x(CLongInteger(7), CLongInteger(3));
    for (const char* formula : {"=2@{1/3}.x-3/4^2=", "(x+1):{x-1}", "!cross{1;x^2}-x^{-2}", "0,25*x/(2-x)"}) {
        SCOPED_TRACE(formula);
        const std::optional<CNumber> exact = EvaluateFormula(formula, Point{{'x', x}});
        const std::optional<Quad> quad = QuadValue(formula, 'x', formulavalue::QuadOf(x));
        ASSERT_TRUE(exact && quad);
        EXPECT_TRUE(formulavalue::Magnitude(formulavalue::QuadOf(*exact) - *quad) < 1e-25L);
    }
    EXPECT_TRUE(formulavalue::Magnitude(*QuadValue("!sqn{3;x}^3", 'x', 5) - 5) < 1e-25L);
}

TEST(FormulaValue, UndefinedValuesAndUnreadableTextsHaveNone) {
    for (const char* formula : {"1/0", "x/(x-2)", "3:(x-2)", "(x-2)^{-1}", "2/0+x", "1@{1/0}", "x^(1/2)",
                                "y+1", "x+", "(x", "x)"}) {
        SCOPED_TRACE(formula);
        EXPECT_FALSE(EvaluateFormula(formula, Point{{'x', CNumber(2)}}));
        EXPECT_FALSE(QuadValue(formula, 'x', 2));
    }
    EXPECT_FALSE(QuadValue("!sq2{x-3}", 'x', 2));
    EXPECT_FALSE(EvaluateFormula("!sq2{4}", Point{}));
}

} // namespace
