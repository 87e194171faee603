#include "SubstitutionTestSupport.h"

#include "markup/CFormulaParser.h"
#include "markup/ProblemText.h"
#include "model/CORelation.h"
#include "model/NodeCast.h"

NodePtr LeftSideOf(const std::string& problem) {
    std::string text = problem;
    PrepareProblemText(text);
    ParseResult parsed = ParseEquationText(text);
    if (!parsed.tree) {
        return nullptr;
    }
    return std::move(NodeAs<CORelation>(*parsed.tree).LeftSlot());
}

std::string SubstitutionMismatch(const std::string& left, const Substitution& substitution, char unknown) {
    const std::string expression = substitution.expression->ToText();
    const std::string equation = substitution.equation->ToText();
    for (const Point& point : SamplePoints(std::string(1, unknown), 4)) {
        std::optional<CNumber> expected = EvaluateFormula(left, point);
        std::optional<CNumber> inner = EvaluateFormula(expression, point);
        if (!expected || !inner) {
            continue;
        }
        std::optional<CNumber> actual = EvaluateFormula(equation, Point{{substitution.letter, *inner}});
        if (!actual || !actual->Equal(*expected)) {
            return left + " at " + point.begin()->second.ToText() + ": " + equation + " with " +
                   std::string(1, substitution.letter) + "=" + expression + " gives " +
                   (actual ? actual->ToText() : "nothing") + ", expected " + expected->ToText();
        }
    }
    return "";
}
