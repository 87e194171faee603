#include "SimplificationTestSupport.h"
#include "model/NodeCast.h"

#include "output/COutputRecord.h"
#include "output/OutputBlock.h"

#include <cctype>
#include <set>

std::vector<Point> SamplePoints(const std::string& text, int count) {
    std::set<char> letters;
    for (char c : text) {
        if (std::isalpha(static_cast<unsigned char>(c))) {
            letters.insert(c);
        }
    }
    // Values chosen so that no small polynomial of a school problem vanishes on them by accident.
    static const int numerators[] = {7, -5, 11, 13, -17, 19, 23, -29, 31, 37, -41, 43};
    static const int denominators[] = {3, 4, 7, 9, 11, 5, 13, 8, 17, 19, 6, 23};
    std::vector<Point> points;
    for (int i = 0; i < count; ++i) {
        Point point;
        int j = i * 5;
        for (char letter : letters) {
            const int k = j++ % 12;
            point[letter] = CNumber(CLongInteger(numerators[k]), CLongInteger(denominators[(k + i) % 12]));
            point[letter].Normalize();
        }
        points.push_back(point);
    }
    return points;
}

std::vector<std::string> StepFormulas(const COutputList& solution) {
    std::vector<std::string> formulas;
    for (const auto& record : solution.Records()) {
        if (record->IsFormulaOnly()) {
            formulas.push_back(record->Blocks().front()->AsFormula()->text);
        }
    }
    return formulas;
}

std::string AnswerFormula(const COutputList& solution) {
    for (const auto& record : solution.Records()) {
        if (record->Blocks().size() > 1) {
            for (const auto& block : record->Blocks()) {
                if (const OutputBlockFormula* formula = block->AsFormula()) {
                    return formula->text;
                }
            }
        }
    }
    return "";
}

std::vector<int> CommentIds(const COutputList& solution) {
    std::vector<int> ids;
    for (const auto& record : solution.Records()) {
        for (const auto& block : record->Blocks()) {
            if (const OutputBlockComment* comment = block->AsComment()) {
                ids.push_back(ToNumber(comment->id));
            }
        }
    }
    return ids;
}

std::string CheckValues(const std::string& problem, const COutputList& solution) {
    std::vector<std::string> formulas = StepFormulas(solution);
    if (!AnswerFormula(solution).empty()) {
        formulas.push_back(AnswerFormula(solution));
    }
    int checked = 0;
    for (const Point& point : SamplePoints(problem, 4)) {
        const std::optional<CNumber> expected = EvaluateFormula(problem, point);
        if (!expected) {
            continue;
        }
        ++checked;
        for (const std::string& formula : formulas) {
            const std::optional<CNumber> value = EvaluateFormula(formula, point);
            if (!value || !value->Equal(*expected)) {
                std::string expectedText;
                expected->WriteText(expectedText);
                std::string valueText = "undefined";
                if (value) {
                    valueText.clear();
                    value->WriteText(valueText);
                }
                return "step " + formula + " has the value " + valueText + ", the problem " + expectedText;
            }
        }
    }
    return checked == 0 ? "the problem is undefined at every sample point" : "";
}

std::string CheckEndsUndefined(const std::string& problem, const COutputList& solution) {
    const std::vector<int> ids = CommentIds(solution);
    if (ids.empty() || ids.back() != ToNumber(CommentID::ErrorIncompleteExpression)) {
        return "the solution does not end with the division-by-zero error";
    }
    if (!AnswerFormula(solution).empty()) {
        return "the solution has the answer " + AnswerFormula(solution);
    }
    for (const Point& point : SamplePoints(problem, 4)) {
        if (EvaluateFormula(problem, point)) {
            return "the problem has a value at a sample point";
        }
        for (const std::string& formula : StepFormulas(solution)) {
            if (EvaluateFormula(formula, point)) {
                return "step " + formula + " has a value where the problem has none";
            }
        }
    }
    return "";
}

#include "markup/ProblemText.h"
#include "model/COHyperMonom.h"
#include "model/CONumber.h"
#include "model/COPolynom.h"
#include "model/CPolynomValue.h"
#include "model/PolynomialGcd.h"
#include "model/Walkers.h"
#include "solver/CExpression.h"
#include "solver/ProblemChecks.h"
#include "solver/SolveProblem.h"
#include "solver/simplify/Simplification.h"

SimplifyRun RunSimplifier(const std::string& problem) {
    SimplifyRun run;
    run.solution = std::make_unique<COutputList>();
    std::string text = problem;
    PrepareProblemText(text);
    CExpression workspace(text, run.solution.get());
    if (workspace.Validate()) {
        FoldNegativeExponents(workspace);
        CheckExponents(workspace);
    }
    if (workspace.Validate()) {
        workspace.RecordStep(true);
        SimplifyExpression(workspace);
    }
    run.errorCode = workspace.ErrorCode();
    if (workspace.Root() != nullptr) {
        run.tree = workspace.Root()->Clone();
    }
    return run;
}

std::unique_ptr<COutputList> SolveSimplification(const std::string& problem) {
    auto solution = std::make_unique<COutputList>();
    SolveProblem(ProblemKind::Simplify, problem, solution.get());
    return solution;
}

namespace {

bool AnyCrossedOut(COperation& node) {
    bool crossed = false;
    CSimpleMethod visit([&crossed](NodeHandle handle) { crossed = crossed || (*handle)->CrossOut() != 0; });
    NodePtr holder(node.Clone());
    WalkAll(&holder, visit);
    return crossed;
}

CPolynomValue SideProduct(const COHyperMonom& monom, std::int32_t side) {
    CPolynomValue product(1);
    for (const ListCell& cell : monom) {
        if (cell.sign == side) {
            product =
                product.Product(monom.FactorBase(cell)->Value().Power(monom.FactorExponent(cell).ToInt()));
        }
    }
    return product;
}

} // namespace

std::string CheckAnswerForm(const COperation& tree) {
    const COperation* node = &tree;
    if (node->GetType() == NodeType::Addition && node->AsList()->GetCount() == 1) {
        node = node->AsList()->Head()->child.get();
    }
    if (const CONumber* number = AsNumber(node)) {
        const CNumber& value = number->Value();
        const bool written = value.IsFraction() || value.IsMixed();
        if (written && !CLongInteger::Gcd(value.Numerator(), value.DenominatorPart()).IsOne()) {
            return "the number is not in lowest terms: " + tree.ToText();
        }
        return "";
    }
    if (node->GetType() != NodeType::HyperMonom) {
        return "the answer is not one fraction of polynomials: " + tree.ToText();
    }
    if (AnyCrossedOut(const_cast<COperation&>(*node))) {
        return "the answer still shows crossed-out factors: " + tree.ToText();
    }
    const auto& monom = NodeAs<COHyperMonom>(*node);
    const CPolynomValue numerator = SideProduct(monom, 1);
    const CPolynomValue denominator = SideProduct(monom, -1);
    if (denominator.IsConstant()) {
        if (!denominator.IsOne() && !numerator.IsConstant()) {
            const std::optional<CNumber> content = numerator.IntegerContent();
            const CNumber below = denominator.ConstantValue();
            if (content && below.IsWhole() && !CNumber::GcdOf(*content, below).IsOne()) {
                return "numerator and denominator share a number: " + tree.ToText();
            }
        }
        return "";
    }
    if (!PolynomialGcd(numerator, denominator).IsConstant()) {
        return "numerator and denominator share a factor: " + tree.ToText();
    }
    const std::optional<CNumber> above = numerator.IntegerContent();
    const std::optional<CNumber> below = denominator.IntegerContent();
    if (above && below && !CNumber::GcdOf(*above, *below).IsOne()) {
        return "numerator and denominator share a number: " + tree.ToText();
    }
    return "";
}

std::string JudgeSimplification(const std::string& problem, bool& undefined) {
    const std::unique_ptr<COutputList> solution = SolveSimplification(problem);
    const std::vector<int> ids = CommentIds(*solution);
    undefined = !ids.empty() && ids.back() == ToNumber(CommentID::ErrorIncompleteExpression);
    if (undefined) {
        return CheckEndsUndefined(problem, *solution);
    }
    if (AnswerFormula(*solution).empty()) {
        return "no answer";
    }
    if (std::string values = CheckValues(problem, *solution); !values.empty()) {
        return values;
    }
    const SimplifyRun run = RunSimplifier(problem);
    return run.tree ? CheckAnswerForm(*run.tree) : "no tree";
}
