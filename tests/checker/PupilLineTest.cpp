// The ways pupils state roots, read as the values they state; lines of other forms read as
// formulas or refused with the reader's column.

#include "checker/PupilLine.h"
#include "checker/CheckText.h"
#include "checker/StatedValues.h"

#include <gtest/gtest.h>

namespace {

// The stated values as text, "; "-separated, or "formula" / "refused at N" / "no roots" / "any number".
std::string Reading(std::string_view text, LineForm form = LineForm::Linear) {
    const PupilLine line = ReadPupilLine(text, form, 'x');
    if (line.Unreadable()) {
        return "refused at " + std::to_string(line.column);
    }
    if (!line.alternatives.empty()) {
        return std::to_string(line.alternatives.size()) + " equations";
    }
    if (!line.statement) {
        return "formula";
    }
    switch (line.statement->kind) {
    case RootStatement::Kind::NoRoots:
        return "no roots";
    case RootStatement::Kind::EveryNumber:
        return "any number";
    case RootStatement::Kind::Values:
        break;
    }
    std::string values;
    for (const SyntaxNode& value : line.statement->values) {
        const auto surds = StatedValuesOf(value);
        if (!surds) {
            return values + "(unread)";
        }
        for (const CQuadraticSurd& surd : *surds) {
            values += (values.empty() ? "" : "; ") + SurdText(surd);
        }
    }
    return values;
}

TEST(PupilLine, RootStatementsInEveryWritingPupilsUse) {
    const struct {
        const char* text;
        const char* values;
    } cases[] = {
        {"x = 2", "2"},
        {"x = 2 or x = -3", "2; \u22123"},
        {"x = 2; x = -3", "2; \u22123"},
        {"x1 = 2, x2 = -3", "2; \u22123"},
        {"x_1 = 0,5, x_2 = 1", "1/2; 1"},
        {"x\u2081 = 2, x\u2082 = 3", "2; 3"},
        {"x = 1 \u00B1 \u221A2", "1 \u2212 \u221A2; 1 + \u221A2"},
        {"x = 1+-sqrt(2)", "1 \u2212 \u221A2; 1 + \u221A2"},
        {"x1,2 = (5 \u00B1 1)/2", "2; 3"},
        {"x = \u00B12", "\u22122; 2"},
        {"x = sqrt(8)/4", "\u221A2/2"},
        {"x = 2 \u0438\u043B\u0438 x = 3", "2; 3"},
        {"no roots", "no roots"},
        {"The equation has no roots.", "no roots"},
        {"\u041A\u043E\u0440\u043D\u0435\u0439 \u043D\u0435\u0442", "no roots"},
        {"x is any number", "any number"},
        {"x \u2014 \u043B\u044E\u0431\u043E\u0435 \u0447\u0438\u0441\u043B\u043E", "any number"},
        {"x = 2x - 1", "formula"},
        {"x - 1 = 0 or x + 5 = 0", "2 equations"},
        {"x = 1; 2x = 3; x^2 = 4", "3 equations"},
        {"2x = 8", "formula"},
        {"x = y", "formula"},
        {"x = 2 or", "formula"},
        {"x = 2 or x = ", "refused at 12"},
        {"x = sqrt 2", "refused at 5"},
        // the answer lines the solver writes, as printed
        {"x\u2081 = (5 \u2212 1)/2 = 2", "2"},
        {"x\u2081,\u2082 = (2 \u00B1 \u221A8)/2 = 1 \u00B1 \u221A2", "1 \u2212 \u221A2; 1 + \u221A2"},
        {"x = 8 : 2", "4"},
        {"x = 0,1 : 0,2", "1/2"},
        {"x = \u00B1\u221A5", "\u2212\u221A5; \u221A5"},
        {"Answer: x = \u22123; x = 3", "\u22123; 3"},
        {"\u041E\u0442\u0432\u0435\u0442: x = 2", "2"},
        {"Answer: x is any number except 1", "any number"},
        {"x \u2014 \u043B\u044E\u0431\u043E\u0435 \u0447\u0438\u0441\u043B\u043E, "
         "\u043A\u0440\u043E\u043C\u0435 1",
         "any number"},
        {"Answer: 2x = 8", "formula"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Reading(c.text), c.values) << c.text;
    }
}

TEST(PupilLine, TheSolversOwnRootLinesInMarkup) {
    EXPECT_EQ(Reading("x_{1\xB5"
                      "2}={5\xB1"
                      "1}/{2}",
                      LineForm::Markup),
              "2; 3");
    EXPECT_EQ(Reading("x=1-!sq2{2};x=1+!sq2{2}", LineForm::Markup), "1 \u2212 \u221A2; 1 + \u221A2");
    EXPECT_EQ(Reading("x=-!sqn{4;4};x=!sqn{4;4}", LineForm::Markup), "\u2212\u221A2; \u221A2");
    EXPECT_EQ(Reading("x=!sqn{3;-8}", LineForm::Markup), "\u22122");
    EXPECT_EQ(Reading("x=-1;x=!sqn{4;9}", LineForm::Markup), "\u22121; \u221A3");
    EXPECT_EQ(Reading("x=!sqn{3;2}", LineForm::Markup), "(unread)");
}

TEST(PupilLine, ARootIsNoPartOfAProblemButOfAnAnswer) {
    EXPECT_EQ(ReadPupilLine("sqrt(x) = 2", LineForm::Linear, 'x').formula->kind, SyntaxKind::Relation);
    EXPECT_TRUE(ReadPupilLine("x = 1 + sqrt(2)", LineForm::Linear, 0).formula.has_value());
}

} // namespace
