#include "SimplificationTestSupport.h"
#include "model/NodeCast.h"

#include "output/COutputRecord.h"
#include "output/OutputBlock.h"

#include <cctype>
#include <set>

namespace {

// "!cross{k;" is a group opener: the number and ";" are dropped, the closing "}" stays.
std::string Prepared(const std::string& formula) {
    std::string text;
    for (std::size_t i = 0; i < formula.size(); ++i) {
        if (formula.compare(i, 7, "!cross{") == 0) {
            const std::size_t semicolon = formula.find(';', i);
            text += '{';
            i = semicolon;
            continue;
        }
        text += formula[i] == '.' ? '*' : formula[i];
    }
    return TrimChainEquals(text);
}

} // namespace

std::string TrimChainEquals(std::string text) {
    while (!text.empty() && text.front() == '=') {
        text.erase(text.begin());
    }
    while (!text.empty() && text.back() == '=') {
        text.pop_back();
    }
    return text;
}

FormulaEvaluator::FormulaEvaluator(const std::string& formula, const Point& point)
    : m_text(Prepared(formula)), m_point(point) {}

std::optional<CNumber> FormulaEvaluator::Value() {
    std::optional<CNumber> value = Sum();
    if (m_failed || m_position != m_text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<CNumber> FormulaEvaluator::Sum() {
    CNumber total(0);
    bool first = true;
    while (true) {
        int sign = 1;
        if (Peek() == '+' || Peek() == '-') {
            sign = Peek() == '-' ? -1 : 1;
            ++m_position;
        } else if (!first) {
            break;
        }
        std::optional<CNumber> term = Term();
        if (!term) {
            m_failed = true;
            return std::nullopt;
        }
        if (sign == 1) {
            total.AddInPlace(*term);
        } else {
            total.SubtractInPlace(*term);
        }
        first = false;
    }
    return total;
}

std::optional<CNumber> FormulaEvaluator::Term() {
    std::optional<CNumber> value = Fraction();
    while (value && (Peek() == '*' || Peek() == ':')) {
        const bool divide = Peek() == ':';
        ++m_position;
        std::optional<CNumber> factor = Fraction();
        if (!factor || (divide && factor->IsZero())) {
            m_failed = true;
            return std::nullopt;
        }
        if (divide) {
            value->DivideInPlace(*factor);
        } else {
            value->MultiplyInPlace(*factor);
        }
    }
    return value;
}

std::optional<CNumber> FormulaEvaluator::Fraction() {
    std::optional<CNumber> value = Power();
    if (value && Peek() == '/') {
        ++m_position;
        std::optional<CNumber> denominator = Power();
        if (!denominator || denominator->IsZero()) {
            m_failed = true;
            return std::nullopt;
        }
        value->DivideInPlace(*denominator);
    }
    return value;
}

std::optional<CNumber> FormulaEvaluator::Power() {
    std::optional<CNumber> value = Operand();
    if (value && Peek() == '^') {
        ++m_position;
        std::optional<CNumber> exponent = Operand();
        if (!exponent || !exponent->IsWhole()) {
            m_failed = true;
            return std::nullopt;
        }
        value = value->PowerOf(*exponent);
        if (!value) {
            m_failed = true;
        }
    }
    return value;
}

std::optional<CNumber> FormulaEvaluator::Operand() {
    const char c = Peek();
    if (std::isdigit(static_cast<unsigned char>(c))) {
        CNumber number;
        if (number.ParseText(m_text, m_position) != 0) {
            m_failed = true;
            return std::nullopt;
        }
        return number;
    }
    if (std::isalpha(static_cast<unsigned char>(c))) {
        ++m_position;
        auto found = m_point.find(c);
        if (found == m_point.end()) {
            m_failed = true;
            return std::nullopt;
        }
        return found->second;
    }
    if (c == '(' || c == '{') {
        ++m_position;
        std::optional<CNumber> value = Sum();
        const char closer = c == '(' ? ')' : '}';
        if (Peek() != closer) {
            m_failed = true;
            return std::nullopt;
        }
        ++m_position;
        return value;
    }
    m_failed = true;
    return std::nullopt;
}

std::optional<CNumber> EvaluateFormula(const std::string& formula, const Point& point) {
    return FormulaEvaluator(formula, point).Value();
}

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
