#include "checker/SolutionCheck.h"

#include "checker/CheckText.h"
#include "checker/EquationRootSet.h"
#include "checker/RationalFunction.h"
#include "checker/RealRoots.h"
#include "checker/SolverContinuation.h"
#include "checker/StatedValues.h"
#include "markup/MarkupSyntax.h"
#include "model/EngineLimits.h"
#include "model/WorkBudget.h"
#include "solver/SolveProblem.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace {

CheckMessage Message(CheckMessageID id, std::vector<std::string> arguments = {}) {
    return CheckMessage{id, std::move(arguments)};
}

CheckMessage UnreadableMessage(const PupilLine& line) {
    CheckMessage message = Message(CheckMessageID::Unreadable, {std::to_string(line.column), line.error});
    message.readerMessage = line.readerMessage;
    return message;
}

// A problem past the engine's limits is not checked for that reason; any other for being one the
// check cannot bring to its form.
CheckMessage ProblemNotChecked(CheckMessageID reason) {
    return Message(reason == CheckMessageID::NotCheckedTooLarge ? reason : CheckMessageID::ProblemNotChecked);
}

// The entry of the line at index (the problem is index 0, line 1 of the input).
CheckedLine& AddLine(SolutionCheck& check, std::size_t index, const std::string& text) {
    CheckedLine& line = check.lines.emplace_back();
    line.number = index + 1;
    line.text = text;
    return line;
}

bool MarkedUnreadable(CheckedLine& line, const PupilLine& read) {
    if (read.Unreadable()) {
        line.verdict = LineVerdict::Unreadable;
        line.message = UnreadableMessage(read);
    }
    return read.Unreadable();
}

void MarkWrong(CheckedLine& line, CheckMessage message) {
    line.verdict = LineVerdict::Wrong;
    line.message = std::move(message);
}

void MarkNotChecked(CheckedLine& line, CheckMessageID reason) {
    line.verdict = LineVerdict::NotChecked;
    line.message = Message(reason);
}

// Once the work budget is spent, the line (whatever was found of it) is not checked and the check
// ends: nothing computed after that point can be trusted.
bool EndsOverBudget(SolutionCheck& check, CheckedLine& line) {
    if (!WorkBudget::Exhausted()) {
        return false;
    }
    MarkNotChecked(line, CheckMessageID::NotCheckedTooLarge);
    check.tooLarge = true;
    return true;
}

void CollectLetters(const SyntaxNode& node, std::set<char>& letters) {
    if (node.kind == SyntaxKind::Letter && node.text.size() == 1) {
        letters.insert(node.text.front());
    }
    for (const SyntaxNode& child : node.children) {
        CollectLetters(child, letters);
    }
}

bool IsBlank(const std::string& text) {
    return text.find_first_not_of(" \t\r") == std::string::npos;
}

// The index of the last line that is not blank (0, the problem, when every pupil line is).
std::size_t LastWrittenLine(const std::vector<std::string>& lines) {
    std::size_t last = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        last = IsBlank(lines[i]) ? last : i;
    }
    return last;
}

bool IsEquation(const SyntaxNode& node) {
    return node.kind == SyntaxKind::Relation && node.children.size() == 2 && node.signs.size() == 1 &&
           node.signs.front() == kEqual;
}

// --- expressions -------------------------------------------------------------------------------

bool SameFunction(const RationalFunction& a, const RationalFunction& b) {
    return a.numerator.Product(b.denominator) == b.numerator.Product(a.denominator);
}

// Every letter written in either line, so that the point gives each of them a value.
std::string LettersOf(const RationalFunction& a, const RationalFunction& b) {
    std::string letters = a.letters + b.letters;
    std::sort(letters.begin(), letters.end());
    letters.erase(std::unique(letters.begin(), letters.end()), letters.end());
    return letters;
}

// A point where both are defined and differ: small values first (a pupil can check them by hand),
// then values spread further. Two different quotients differ at all but finitely many values of
// each letter, so the search ends at once for every school problem.
std::optional<WitnessPoint> DistinguishingPoint(const RationalFunction& a, const RationalFunction& b) {
    static const std::int32_t kNumerators[] = {2, 3, -1, 1, -2, 5, 1, 4, -3, 7, 1, -5, 11, 3, -7, 13};
    static const std::int32_t kDenominators[] = {1, 1, 1, 2, 1, 1, 3, 1, 2, 1, 5, 3, 1, 7, 4, 1};
    constexpr std::size_t kValues = std::size(kNumerators);
    // After each round of the small values, all of them are multiplied by the next of 18, 35, 52, ...
    constexpr std::int32_t kSpreadStep = 17;
    constexpr std::size_t kAttempts = 25 * kValues;
    const std::string letters = LettersOf(a, b);
    for (std::size_t attempt = 0; attempt < kAttempts; ++attempt) {
        WitnessPoint point;
        for (std::size_t j = 0; j < letters.size(); ++j) {
            // Letters take different values of the round (5 is coprime to the round's length).
            const std::size_t k = (attempt + 5 * j) % kValues;
            const std::int32_t spread = static_cast<std::int32_t>(attempt / kValues) * kSpreadStep + 1;
            CNumber value(CLongInteger(kNumerators[k] * spread), CLongInteger(kDenominators[k]));
            value.Normalize();
            point.emplace_back(static_cast<unsigned char>(letters[j]), value);
        }
        const std::optional<CNumber> before = ValueAt(a, point);
        const std::optional<CNumber> after = ValueAt(b, point);
        if (before && after && before->NotEqual(*after)) {
            return point;
        }
        if (!WorkBudget::Charge(64)) {
            break;
        }
    }
    return std::nullopt;
}

// A divisor with a letter: the line has stopped being a polynomial.
const CPolynomValue* LetterDivisor(const RationalFunction& function) {
    for (const CPolynomValue& divisor : function.divisors) {
        if (!divisor.IsConstant()) {
            return &divisor;
        }
    }
    return function.denominator.IsConstant() ? nullptr : &function.denominator;
}

void CompareExpressions(CheckedLine& line, const RationalFunction& before, const RationalFunction& after) {
    if (SameFunction(before, after)) {
        line.verdict = LineVerdict::Right;
        line.message = Message(CheckMessageID::LineRight);
        return;
    }
    const std::optional<WitnessPoint> point = DistinguishingPoint(before, after);
    if (!point) {
        MarkNotChecked(line, CheckMessageID::NotCheckedTooLarge);
        return;
    }
    line.point = *point;
    MarkWrong(line,
              Message(CheckMessageID::ValuesDiffer, {PointText(*point), NumberText(*ValueAt(before, *point)),
                                                     NumberText(*ValueAt(after, *point))}));
}

void CheckExpressionLines(SolutionCheck& check, const std::vector<std::string>& lines, LineForm form) {
    const PupilLine problem = ReadPupilLine(lines.front(), form, 0);
    if (problem.Unreadable()) {
        check.problemError = UnreadableMessage(problem);
        return;
    }
    if (problem.formula->kind == SyntaxKind::Relation) {
        check.problemError = Message(CheckMessageID::ProblemNotChecked);
        return;
    }
    RationalReading base = RationalFunctionOf(*problem.formula);
    if (!base.value) {
        check.problemError = ProblemNotChecked(base.reason);
        return;
    }
    const bool keepPolynomial = check.kind != ProblemKind::Simplify && LetterDivisor(*base.value) == nullptr;
    RationalFunction before = std::move(*base.value);
    for (std::size_t i = 1; i < lines.size() && !check.tooLarge; ++i) {
        if (IsBlank(lines[i])) {
            continue;
        }
        CheckedLine& line = AddLine(check, i, lines[i]);
        const PupilLine read = ReadPupilLine(lines[i], form, 0);
        if (MarkedUnreadable(line, read)) {
            continue;
        }
        if (read.formula->kind == SyntaxKind::Relation) {
            MarkWrong(line, Message(CheckMessageID::NotAnExpression));
            continue;
        }
        RationalReading reading = RationalFunctionOf(*read.formula);
        if (!reading.value) {
            MarkNotChecked(line, reading.reason);
        } else if (const CPolynomValue* divisor = keepPolynomial ? LetterDivisor(*reading.value) : nullptr;
                   divisor != nullptr && SameFunction(before, *reading.value)) {
            MarkWrong(line, Message(CheckMessageID::NotAPolynomial, {PolynomialText(*divisor)}));
        } else {
            CompareExpressions(line, before, *reading.value);
        }
        if (EndsOverBudget(check, line)) {
            break;
        }
        if (reading.value) {
            before = std::move(*reading.value);
        }
    }
}

// --- equations ---------------------------------------------------------------------------------

struct EquationProblem {
    unsigned char unknown = 0;
    std::vector<CPolynomValue> divisors;
    EquationRootSet set;
};

std::string WitnessText(unsigned char unknown, const std::optional<CQuadraticSurd>& exact,
                        long double approximate) {
    if (exact) {
        return RootText(unknown, *exact);
    }
    char digits[64];
    std::snprintf(digits, sizeof digits, "%.6Lg", approximate);
    std::string text = std::string(1, static_cast<char>(unknown)) + " \u2248 " + digits;
    if (const std::size_t minus = text.find('-'); minus != std::string::npos) {
        text.replace(minus, 1, "\u2212");
    }
    return text;
}

std::string ValuesText(const std::vector<CQuadraticSurd>& values) {
    std::string text;
    for (const CQuadraticSurd& value : values) {
        text += (text.empty() ? "" : "; ") + SurdText(value);
    }
    return text;
}

bool SameValues(const std::vector<CQuadraticSurd>& a, const std::vector<CQuadraticSurd>& b) {
    const auto within = [](const std::vector<CQuadraticSurd>& x, const std::vector<CQuadraticSurd>& y) {
        return std::all_of(x.begin(), x.end(), [&](const CQuadraticSurd& v) {
            return std::find(y.begin(), y.end(), v) != y.end();
        });
    };
    return within(a, b) && within(b, a);
}

// The values of every part's last side; none when one cannot be read exactly or a side worked out
// before it (x₁ = (5 − 1)/2 = 2) states other values, which marks the line.
std::optional<std::vector<std::vector<CQuadraticSurd>>> StatedValues(CheckedLine& line,
                                                                     const RootStatement& statement) {
    std::vector<std::vector<CQuadraticSurd>> stated;
    for (const SyntaxNode& value : statement.values) {
        std::optional<std::vector<CQuadraticSurd>> values = StatedValuesOf(value);
        if (!values) {
            MarkNotChecked(line, CheckMessageID::NotCheckedAnswer);
            return std::nullopt;
        }
        stated.push_back(std::move(*values));
    }
    for (const auto& [working, index] : statement.workings) {
        const std::optional<std::vector<CQuadraticSurd>> values = StatedValuesOf(working);
        if (!values) {
            MarkNotChecked(line, CheckMessageID::NotCheckedAnswer);
            return std::nullopt;
        }
        if (!SameValues(*values, stated[index])) {
            MarkWrong(line,
                      Message(CheckMessageID::SidesDiffer, {ValuesText(*values), ValuesText(stated[index])}));
            return std::nullopt;
        }
    }
    return stated;
}

// The set a statement of roots gives. In the answer (the last line) a value excluded by a
// denominator of the problem makes the line wrong; before it, the roots stated are those of the
// equation before them, which the check against the domain may still remove, so excluded values
// are left out of the set. A value the checker cannot read exactly leaves the line not checked.
std::optional<EquationRootSet> StatementSet(CheckedLine& line, const RootStatement& statement,
                                            const EquationProblem& problem, bool isAnswer) {
    EquationRootSet set;
    if (statement.kind == RootStatement::Kind::EveryNumber) {
        set = RootSetOfEquation(CPolynomValue(), problem.divisors, problem.unknown);
        return set;
    }
    const std::optional<std::vector<std::vector<CQuadraticSurd>>> stated = StatedValues(line, statement);
    if (!stated) {
        return std::nullopt;
    }
    for (const std::vector<CQuadraticSurd>& values : *stated) {
        for (const CQuadraticSurd& root : values) {
            const auto excluding = std::find_if(
                problem.divisors.begin(), problem.divisors.end(),
                [&](const CPolynomValue& divisor) { return PolynomialValueAt(divisor, root).IsZero(); });
            if (excluding != problem.divisors.end() && isAnswer) {
                line.root = root;
                MarkWrong(line, Message(CheckMessageID::RootNotAllowed,
                                        {RootText(problem.unknown, root), PolynomialText(*excluding)}));
                return std::nullopt;
            }
            if (excluding == problem.divisors.end() &&
                std::find(set.listed.begin(), set.listed.end(), root) == set.listed.end()) {
                set.listed.push_back(root);
            }
        }
    }
    return set;
}

// The numerator and divisors of one equation of a line; marks the line when it has none.
std::optional<RationalFunction> EquationFunction(CheckedLine& line, const SyntaxNode& formula,
                                                 const EquationProblem& problem) {
    if (!IsEquation(formula)) {
        if (formula.kind == SyntaxKind::Relation) {
            MarkNotChecked(line, CheckMessageID::NotCheckedRelation);
        } else {
            MarkWrong(line, Message(CheckMessageID::NotAnEquation,
                                    {std::string(1, static_cast<char>(problem.unknown))}));
        }
        return std::nullopt;
    }
    std::set<char> letters;
    CollectLetters(formula, letters);
    letters.erase(static_cast<char>(problem.unknown));
    if (!letters.empty()) {
        MarkWrong(line, Message(CheckMessageID::NotAnEquation,
                                {std::string(1, static_cast<char>(problem.unknown))}));
        return std::nullopt;
    }
    RationalReading reading = RationalFunctionOfEquation(formula.children[0], formula.children[1]);
    if (!reading.value) {
        MarkNotChecked(line, reading.reason);
    }
    return std::move(reading.value);
}

// The set of a line of one equation, or of equations joined by "or" (the product of their
// numerators is zero); marks the line when it has none.
std::optional<EquationRootSet> EquationSet(CheckedLine& line, const std::vector<SyntaxNode>& equations,
                                           const EquationProblem& problem) {
    CPolynomValue numerator(1);
    std::vector<CPolynomValue> divisors = problem.divisors;
    for (const SyntaxNode& equation : equations) {
        std::optional<RationalFunction> function = EquationFunction(line, equation, problem);
        if (!function) {
            return std::nullopt;
        }
        numerator.MultiplyInPlace(function->numerator);
        divisors.insert(divisors.end(), function->divisors.begin(), function->divisors.end());
    }
    EquationRootSet set = RootSetOfEquation(numerator, divisors, problem.unknown);
    if (CNumber::LimitExceeded()) {
        MarkNotChecked(line, CheckMessageID::NotCheckedTooLarge);
        return std::nullopt;
    }
    return set;
}

std::optional<EquationProblem> ReadEquationProblem(SolutionCheck& check, const std::string& text,
                                                   LineForm form) {
    const PupilLine problem = ReadPupilLine(text, form, 0);
    if (problem.Unreadable()) {
        check.problemError = UnreadableMessage(problem);
        return std::nullopt;
    }
    std::set<char> letters;
    CollectLetters(*problem.formula, letters);
    if (!IsEquation(*problem.formula) || letters.size() != 1) {
        check.problemError = Message(CheckMessageID::ProblemNotChecked);
        return std::nullopt;
    }
    EquationProblem equation;
    equation.unknown = static_cast<unsigned char>(*letters.begin());
    const SyntaxNode& formula = *problem.formula;
    RationalReading reading = RationalFunctionOfEquation(formula.children[0], formula.children[1]);
    if (!reading.value) {
        check.problemError = ProblemNotChecked(reading.reason);
        return std::nullopt;
    }
    for (const CPolynomValue& divisor : reading.value->divisors) {
        equation.divisors.push_back(SquarefreePart(divisor, equation.unknown));
    }
    equation.set = RootSetOfEquation(reading.value->numerator, equation.divisors, equation.unknown);
    return equation;
}

void MarkDifference(CheckedLine& line, const RootSetDifference& difference, unsigned char unknown) {
    line.root = difference.exact;
    line.approximateRoot = difference.approximate;
    const std::string witness = WitnessText(unknown, difference.exact, difference.approximate);
    MarkWrong(line,
              Message(difference.lost ? CheckMessageID::RootLost : CheckMessageID::RootGained, {witness}));
}

// The roots of a list written a line each (x₁ = 2, then x₂ = 3): each line is right when every
// root it states is one of the set before the list; the list, once it ends, must state them all.
struct RootList {
    EquationRootSet before;
    EquationRootSet stated;
    // The index in the check of the list's last line; none once a line of it is wrong.
    std::optional<std::size_t> lastLine;
    bool broken = false;
};

void AddToList(CheckedLine& line, std::size_t lineIndex, const EquationRootSet& set, RootList& list,
               unsigned char unknown) {
    for (const CQuadraticSurd& root : set.listed) {
        if (!Contains(list.before, root, unknown)) {
            MarkDifference(line, RootSetDifference{false, root, root.Approximate()}, unknown);
            list.broken = true;
            return;
        }
        if (std::find(list.stated.listed.begin(), list.stated.listed.end(), root) ==
            list.stated.listed.end()) {
            list.stated.listed.push_back(root);
        }
    }
    line.verdict = LineVerdict::Right;
    line.message = Message(CheckMessageID::LineRight);
    list.lastLine = lineIndex;
}

// The set the next line is compared with: a root lost by a list of right lines marks its last line
// and the next line follows what the list states; after a wrong line of the list, the next line is
// compared with the set before the list.
EquationRootSet EndList(SolutionCheck& check, RootList& list, unsigned char unknown) {
    if (list.broken || !list.lastLine) {
        return std::move(list.before);
    }
    if (const std::optional<RootSetDifference> lost = CompareRootSets(list.before, list.stated, unknown)) {
        MarkDifference(check.lines[*list.lastLine], *lost, unknown);
    }
    return std::move(list.stated);
}

void CheckEquationLines(SolutionCheck& check, const std::vector<std::string>& lines, LineForm form,
                        bool& endsWithStatement) {
    std::optional<EquationProblem> problem = ReadEquationProblem(check, lines.front(), form);
    if (!problem) {
        return;
    }
    const char unknown = static_cast<char>(problem->unknown);
    const std::size_t answerIndex = LastWrittenLine(lines);
    EquationRootSet before = problem->set;
    std::optional<RootList> list;
    for (std::size_t i = 1; i < lines.size() && !check.tooLarge; ++i) {
        if (IsBlank(lines[i])) {
            continue;
        }
        const PupilLine read = ReadPupilLine(lines[i], form, unknown);
        const bool inList = read.statement && read.statement->oneOfAList;
        if (list && !inList) {
            before = EndList(check, *list, problem->unknown);
            list.reset();
        }
        CheckedLine& line = AddLine(check, i, lines[i]);
        endsWithStatement = read.statement.has_value();
        if (MarkedUnreadable(line, read)) {
            continue;
        }
        std::optional<EquationRootSet> set =
            read.statement
                ? StatementSet(line, *read.statement, *problem, i == answerIndex)
                : EquationSet(line, read.formula ? std::vector{*read.formula} : read.alternatives, *problem);
        if (EndsOverBudget(check, line)) {
            break;
        }
        if (inList && !list) {
            list = RootList{before, {}, std::nullopt, false};
        }
        if (!set) {
            // A line of a list that is wrong or not checked leaves the list's losses unknown.
            if (list) {
                list->broken = true;
            }
            continue;
        }
        if (inList) {
            AddToList(line, check.lines.size() - 1, *set, *list, problem->unknown);
            continue;
        }
        const std::optional<RootSetDifference> difference = CompareRootSets(before, *set, problem->unknown);
        if (EndsOverBudget(check, line)) {
            break;
        }
        if (CNumber::LimitExceeded()) {
            MarkNotChecked(line, CheckMessageID::NotCheckedTooLarge);
        } else if (difference) {
            MarkDifference(line, *difference, problem->unknown);
        } else {
            line.verdict = LineVerdict::Right;
            line.message = Message(CheckMessageID::LineRight);
        }
        before = std::move(*set);
    }
    if (list && !check.tooLarge) {
        EndList(check, *list, problem->unknown);
    }
}

// A problem that cannot be checked leaves every line not checked, for the same reason.
void ListUncheckedLines(SolutionCheck& check, const std::vector<std::string>& lines) {
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (!IsBlank(lines[i])) {
            CheckedLine& line = AddLine(check, i, lines[i]);
            line.verdict = LineVerdict::NotChecked;
            line.message = *check.problemError;
        }
    }
}

// --- the end of a solution ---------------------------------------------------------------------

bool IsProduct(const SyntaxNode& node) {
    if (node.kind == SyntaxKind::Sum && node.children.size() == 1) {
        return IsProduct(node.children.front());
    }
    return (node.kind == SyntaxKind::Product && node.children.size() > 1) || node.kind == SyntaxKind::Power;
}

bool SameWriting(const std::string& solverFormula, const std::string& lineMarkup) {
    const std::optional<SyntaxNode> formula = ReadMarkupSyntax(solverFormula);
    return formula && LineMarkup(*formula) == lineMarkup;
}

// The markup of the last line for the solver, or of the problem when there is no pupil line.
std::string LastFormulaMarkup(const std::vector<std::string>& lines, LineForm form, bool* isProduct) {
    const PupilLine last = ReadPupilLine(lines[LastWrittenLine(lines)], form, 0);
    if (!last.formula) {
        return {};
    }
    *isProduct = IsProduct(*last.formula);
    return LineMarkup(*last.formula);
}

void JudgeEnd(SolutionCheck& check, const std::vector<std::string>& lines, LineForm form,
              bool endsWithStatement) {
    if (check.problemError || check.tooLarge || !check.AllRight()) {
        return;
    }
    bool isProduct = false;
    const std::string markup = LastFormulaMarkup(lines, form, &isProduct);
    if (check.kind == ProblemKind::Equation && endsWithStatement && !check.lines.empty()) {
        check.finished = true;
        return;
    }
    if (markup.empty()) {
        return;
    }
    const SolverContinuation continuation = SolverContinuationOf(check.kind, markup);
    check.next = continuation.next;
    // The solver may rewrite a number on its way to the same answer (3/2 -> 1,5 -> 3/2): an
    // expression whose answer is the line itself is finished.
    const bool solverDone = !check.next || SameWriting(continuation.answer, markup);
    check.finished = check.kind != ProblemKind::Equation &&
                     (solverDone || (check.kind == ProblemKind::Factorise && isProduct));
    if (check.finished) {
        check.next.reset();
    }
}

} // namespace

bool SolutionCheck::AllRight() const {
    return std::all_of(lines.begin(), lines.end(),
                       [](const CheckedLine& line) { return line.verdict == LineVerdict::Right; });
}

bool SolutionCheck::AnyUnreadable() const {
    return (problemError && problemError->id == CheckMessageID::Unreadable) ||
           std::any_of(lines.begin(), lines.end(),
                       [](const CheckedLine& line) { return line.verdict == LineVerdict::Unreadable; });
}

SolutionCheck CheckSolution(ProblemKind kind, const std::vector<std::string>& lines, LineForm form) {
    SolutionCheck check;
    check.kind = kind;
    if (lines.empty()) {
        check.problemError = Message(CheckMessageID::Unreadable, {"1", "there is no expression"});
        return check;
    }
    std::vector<std::string> bounded = lines;
    const bool tooManyLines = bounded.size() > EngineLimits::kMaxCheckedLines;
    if (tooManyLines) {
        bounded.resize(EngineLimits::kMaxCheckedLines);
    }
    bool endsWithStatement = false;
    {
        const WorkBudget::Scope budget;
        if (kind == ProblemKind::Equation) {
            CheckEquationLines(check, bounded, form, endsWithStatement);
        } else {
            CheckExpressionLines(check, bounded, form);
        }
    }
    if (check.problemError) {
        ListUncheckedLines(check, bounded);
    }
    check.tooLarge = check.tooLarge || tooManyLines;
    JudgeEnd(check, bounded, form, endsWithStatement);
    return check;
}
