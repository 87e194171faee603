// Formulas in linear notation written in the editor's form, as the editor pastes them.

#include "markup/EditorFormWriter.h"
#include "SyntaxGenerator.h"
#include "markup/EditorConversion.h"
#include "markup/LinearNotation.h"

#include <gtest/gtest.h>

namespace {

std::string EditorFormOf(const std::string& linear) {
    const LinearReading reading = ReadLinearNotation(linear);
    if (reading.Refused() || !reading.tree) {
        return "<refused>";
    }
    return WriteEditorForm(*reading.tree).value_or("<not a problem>");
}

// What the editor hands the solver for an editor text.
std::string Converted(std::string text) {
    ConvertEditorText(text);
    return text;
}

// The tree as the editor's conversion gives it back: a fraction of two whole numbers is the fraction
// literal of the same value.
SyntaxNode WithFractionLiterals(SyntaxNode node) {
    for (SyntaxNode& child : node.children) {
        child = WithFractionLiterals(std::move(child));
    }
    const auto whole = [](const SyntaxNode& part) {
        return part.kind == SyntaxKind::Number &&
               part.text.find_first_not_of("0123456789") == std::string::npos;
    };
    if (node.kind == SyntaxKind::Fraction && whole(node.children[0]) && whole(node.children[1])) {
        return MakeLeaf(SyntaxKind::Number, node.children[0].text + "/" + node.children[1].text);
    }
    return node;
}

TEST(EditorFormWriter, WritesTheTemplatesTheEditorBuilds) {
    EXPECT_EQ(EditorFormOf("x^2-5x+6=0"), " {{ x}^{ 2}} - 5 x + 6 = 0");
    EXPECT_EQ(EditorFormOf("1/(x-1)"), " {{ 1}/{ x - 1}}");
    EXPECT_EQ(EditorFormOf("2 1/3 + (a+b)^2"), " 2 {{ 1}/{ 3}} + {{ ( a + b)}^{ 2}}");
    EXPECT_EQ(EditorFormOf("0.5x - 2*3"), " 0 , 5 x - 2 * 3");
    EXPECT_EQ(EditorFormOf("a:b-(x-1)(x+1)"), " a : b - ( x - 1) ( x + 1)");
    EXPECT_EQ(EditorFormOf("-x^-1"), " - {{ x}^{ - 1}}");
    EXPECT_EQ(EditorFormOf("(2x)^3"), " {{ ( 2 x)}^{ 3}}");
    // What a problem cannot hold is not written.
    EXPECT_EQ(EditorFormOf("x<1"), "<not a problem>");
    EXPECT_EQ(EditorFormOf("sqrt(x)"), "<refused>");

    EXPECT_EQ(Converted(EditorFormOf("1/(x-1)+1/(x+1)+1/(x-2)=0")), "1/{x-1}+1/{x+1}+1/{x-2}=0");
    EXPECT_EQ(Converted(EditorFormOf("x^2-5x+6=0")), "x^2-5.x+6=0");
}

TEST(EditorFormWriter, RandomFormulasReadBackToTheirTreeThroughTheEditorsConversion) {
    SyntaxGenerator generator(3033);
    for (int round = 0; round < 3000; ++round) {
        const SyntaxNode tree = generator.Problem(1 + round % 4, true);
        const std::optional<std::string> editorForm = WriteEditorForm(tree);
        ASSERT_TRUE(editorForm.has_value()) << DescribeSyntax(tree);
        const std::string solverText = Converted(*editorForm);
        SCOPED_TRACE(*editorForm + "  ->  " + solverText);
        EXPECT_EQ(DescribeParsedMarkup(solverText, tree.kind == SyntaxKind::Relation),
                  DescribeSyntax(WithFractionLiterals(tree)));
    }
}

} // namespace
