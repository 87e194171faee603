// Formulas for people: every construct against its expected text, and random formulas written as
// text and read back by the linear-notation reader to the tree they came from.

#include "export/ReadableFormula.h"

#include "markup/CFormulaParser.h"
#include "markup/LinearNotation.h"
#include "markup/ProblemText.h"
#include "markup/SyntaxGenerator.h"
#include "markup/TreeDescription.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

namespace {

std::string Readable(const std::string& markup) {
    return ReadableFormula(markup, ReadableStyle{});
}

TEST(ReadableFormula, WritesEveryConstructAsLinearMathematics) {
    const struct {
        const char* markup;
        const char* text;
    } cases[] = {
        {"5.x", "5x"},
        {"2*3", "2\u00B73"},
        {"a.b.c", "abc"},
        {"s.i.n", "si\u00B7n"}, // letters must not spell a function
        {"x.2", "x\u00B72"},
        {"{1/2}.x", "1/2\u00B7x"},
        {"x.{3/4}", "x(3/4)"},
        {"(a-b).(a+b)", "(a \u2212 b)(a + b)"},
        {"2.(x+1)^2", "2(x + 1)\u00B2"},
        {"x^2", "x\u00B2"},
        {"x^{10}.y", "x\u00B9\u2070y"},
        {"x^{-1}", "x\u207B\u00B9"},
        {"x^{n+1}.y", "x^(n + 1)\u00B7y"},
        {"x^n", "x^n"},
        {"{x^2}^3", "(x\u00B2)\u00B3"},
        {"x/{x-1}", "x/(x \u2212 1)"},
        {"{a+b}/c", "(a + b)/c"},
        {"{2.x}/4", "2x/4"},
        {"a/{2.b}", "a/(2b)"},
        {"a/{b/c}", "a/(b/c)"},
        {"a:b:c", "a : b : c"},
        {"a:{b/c}", "a : (b/c)"},
        {"-x^2+3", "\u2212x\u00B2 + 3"},
        {"a+(-b)", "a + (\u2212b)"},
        {"a-(b+c)", "a \u2212 (b + c)"},
        {"0,5.x", "0.5x"},
        {"2@{1/3}+x", "2 1/3 + x"},
        {"!sq2{2}", "\u221A2"},
        {"!sq2{x+1}", "\u221A(x + 1)"},
        {"!sqn{3;x}", "\u00B3\u221Ax"},
        {"!sin{x}", "sin(x)"},
        {"x\xB9"
         "0",
         "x \u2260 0"},
        {"x<=1", "x \u2264 1"},
        {"D=b^2-4.a.c=", "D = b\u00B2 \u2212 4ac ="},
        {"=x+1", "= x + 1"},
        {"x_{1\xB5"
         "2}={-b\xB1!sq2{D}}/{2.a}",
         "x\u2081,\u2082 = (\u2212b \u00B1 \u221AD)/(2a)"},
        {"!sys{x-1\xB9"
         "0 (1);x\xB9"
         "0 (2)}",
         "{x \u2212 1 \u2260 0 (1); x \u2260 0 (2)}"},
        // not a formula of the grammar: shown as it is, with its signs
        {"x+\xB1", "x+\u00B1"},
        {"!unknown{x}", "!unknown{x}"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.markup);
        EXPECT_EQ(Readable(c.markup), c.text);
    }
    ReadableStyle russian;
    russian.decimalSeparator = ',';
    EXPECT_EQ(ReadableFormula("0,5.x", russian), "0,5x");
}

TEST(ReadableFormula, StrikesCrossedOutPartsVisibly) {
    EXPECT_EQ(Readable("!cross{1;x}"), "x\u0336");
    EXPECT_EQ(
        Readable("{(a-b)*!cross{1;(a+b)}}/!cross{1;{a+b}}"),
        "(a \u2212 b)\u00B7(\u0336a\u0336 +\u0336 b\u0336)\u0336/(\u0336a\u0336 +\u0336 b\u0336)\u0336");
    ReadableStyle terminal;
    terminal.strike = ReadableStyle::Strike::Terminal;
    EXPECT_EQ(ReadableFormula("2.!cross{1;x}", terminal), "2\u00B7\x1b[2;9mx\x1b[22;29m");
}

// A fraction of two whole numbers is written 9/11 like the number 9/11 itself, and reads back as
// that number: the one class of trees that does not come back node for node.
std::string FractionsOfIntegersAsNumbers(const std::string& description) {
    static const std::regex fractionOfIntegers(R"(frac\(\+int:(\d+),/int:(\d+)\))");
    return std::regex_replace(description, fractionOfIntegers, "frac:$1/$2");
}

// Random formulas as the solvers write them (the tree's own text, with product dots), written for
// people and read back: the parser builds the same tree from both.
TEST(ReadableFormula, RandomFormulasReadBackToTheirTree) {
    SyntaxGenerator generator(1907);
    for (int round = 0; round < 3000; ++round) {
        const SyntaxNode syntax = generator.Problem(1 + round % 4, true);
        const bool relation = syntax.kind == SyntaxKind::Relation;
        std::string text = WriteSyntaxMarkup(syntax);
        PrepareProblemText(text);
        const ParseResult parsed = relation ? ParseEquationText(text) : ParseExpressionText(text);
        ASSERT_TRUE(parsed.tree) << text;
        std::string written;
        parsed.tree->WriteText(written, TextContext::Free);
        DotProducts(written);

        const std::string readable = Readable(written);
        SCOPED_TRACE(written + "  ->  " + readable);
        const LinearReading reading = ReadLinearNotation(readable);
        ASSERT_EQ(reading.error, "") << "column " << reading.column;
        EXPECT_EQ(DescribeParsedMarkup(reading.markup, relation),
                  FractionsOfIntegersAsNumbers(DescribeTree(parsed.tree.get())));
    }
}

} // namespace
