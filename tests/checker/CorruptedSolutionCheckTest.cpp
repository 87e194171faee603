// The solver's own solutions of the built-in samples with one line corrupted as pupils corrupt
// them: a sign flipped, a term dropped, a root lost by dividing by its factor, a root gained by
// squaring, a root kept that a denominator of the problem excludes. Every corruption must be found
// at its line, every line before it stays right, and the witness must really tell the lines apart:
// it is judged here by exact evaluation with the simplifier tests' own evaluator of markup, which
// knows nothing of the checker.

#include "SolverSolutionLines.h"
#include "checker/SolutionCheck.h"
#include "markup/FormulaSyntax.h"
#include "markup/MarkupSyntax.h"
#include "solver/simplify/SimplificationTestSupport.h"
#include "solver/SolveProblem.h"

#include <gtest/gtest.h>

namespace {

// --- evaluation of lines at a witness ----------------------------------------------------------

Point AsPoint(const WitnessPoint& witness) {
    Point point;
    for (const auto& [letter, value] : witness) {
        point[static_cast<char>(letter)] = value;
    }
    return point;
}

// left − right of an equation written in markup; none where a side is undefined.
std::optional<CNumber> EquationValue(const std::string& equation, const CNumber& x) {
    const std::size_t equals = equation.find('=');
    const Point point = {{'x', x}};
    const std::optional<CNumber> left = EvaluateFormula(equation.substr(0, equals), point);
    const std::optional<CNumber> right = EvaluateFormula(equation.substr(equals + 1), point);
    if (!left || !right) {
        return std::nullopt;
    }
    return left->Difference(*right);
}

bool SolvesEquation(const std::string& equation, const CNumber& x) {
    const std::optional<CNumber> value = EquationValue(equation, x);
    return value && value->IsZero();
}

// The rational roots an answer line "x=2;x=-3" states; none when one is not rational.
std::optional<std::vector<CNumber>> StatedRoots(const std::string& answer) {
    std::vector<CNumber> roots;
    std::size_t start = 0;
    while (start < answer.size()) {
        const std::size_t end = std::min(answer.find(';', start), answer.size());
        const std::string part = answer.substr(start, end - start);
        const std::optional<CNumber> value = EvaluateFormula(part.substr(part.find('=') + 1), Point{});
        if (!value) {
            return std::nullopt;
        }
        roots.push_back(*value);
        start = end + 1;
    }
    return roots;
}

// "x=2" or "x=2;x=-3": every part the unknown equal to a number.
bool IsRootStatement(const std::string& line) {
    std::size_t start = 0;
    while (start < line.size()) {
        const std::size_t end = std::min(line.find(';', start), line.size());
        if (line.compare(start, 2, "x=") != 0 ||
            line.substr(start + 2, end - start - 2).find('x') != std::string::npos) {
            return false;
        }
        start = end + 1;
    }
    return !line.empty();
}

// Solves the line: an equation by evaluation, a statement when it names the value.
bool LineHasRoot(const std::string& line, const CNumber& x) {
    if (IsRootStatement(line)) {
        const std::optional<std::vector<CNumber>> roots = StatedRoots(line);
        return roots &&
               std::any_of(roots->begin(), roots->end(), [&](const CNumber& r) { return r.Equal(x); });
    }
    return SolvesEquation(line, x);
}

// --- corruptions ----------------------------------------------------------------------------------

// The first sign between two terms flipped; none when the line has none.
std::optional<std::string> SignFlipped(const std::string& line) {
    int depth = 0;
    for (std::size_t i = 1; i < line.size(); ++i) {
        depth += (line[i] == '(' || line[i] == '{') ? 1 : (line[i] == ')' || line[i] == '}') ? -1 : 0;
        if ((line[i] == '+' || line[i] == '-') && line[i - 1] != '{' && line[i - 1] != '(' &&
            line[i - 1] != '^') {
            std::string flipped = line;
            flipped[i] = line[i] == '+' ? '-' : '+';
            return flipped;
        }
    }
    return std::nullopt;
}

// The last term of the line's outermost sum left out; none when the line is not a sum.
std::optional<std::string> TermDropped(const std::string& line) {
    std::optional<SyntaxNode> tree = ReadMarkupSyntax(line);
    if (!tree || tree->kind != SyntaxKind::Sum || tree->children.size() < 2) {
        return std::nullopt;
    }
    tree->children.pop_back();
    tree->signs.pop_back();
    return WriteSyntaxMarkup(*tree);
}

// Whether two expressions differ at one of a few sample points where both are defined.
bool ValuesDiffer(const std::string& a, const std::string& b) {
    for (const Point& point : SamplePoints(a + b, 6)) {
        const std::optional<CNumber> x = EvaluateFormula(a, point);
        const std::optional<CNumber> y = EvaluateFormula(b, point);
        if (x && y && x->NotEqual(*y)) {
            return true;
        }
    }
    return false;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += "\n  " + line;
    }
    return text;
}

// The checked line of input line `number` (the problem is line 1).
const CheckedLine* LineNumbered(const SolutionCheck& check, std::size_t number) {
    for (const CheckedLine& line : check.lines) {
        if (line.number == number) {
            return &line;
        }
    }
    return nullptr;
}

// Every line before `index` right, and the line at index wrong.
void ExpectFirstWrongAt(const SolutionCheck& check, std::size_t index) {
    for (const CheckedLine& line : check.lines) {
        if (line.number < index + 1) {
            EXPECT_EQ(line.verdict, LineVerdict::Right) << "line " << line.number;
        }
    }
    const CheckedLine* wrong = LineNumbered(check, index + 1);
    ASSERT_NE(wrong, nullptr);
    EXPECT_EQ(wrong->verdict, LineVerdict::Wrong);
    EXPECT_FALSE(check.finished);
}

// --- expressions ----------------------------------------------------------------------------------

class CorruptedExpressionSolutions : public ::testing::TestWithParam<ProblemKind> {};

TEST_P(CorruptedExpressionSolutions, AreFoundAtTheLineWithAPointWhereTheValuesDiffer) {
    const ProblemKind kind = GetParam();
    int corruptions = 0;
    for (const std::string& problem : SampleProblems(kind)) {
        const std::vector<std::string> lines = SolverSolutionLines(kind, problem);
        for (std::size_t k = 1; k < lines.size(); ++k) {
            for (const auto& corrupt : {SignFlipped, TermDropped}) {
                const std::optional<std::string> corrupted = corrupt(lines[k]);
                if (!corrupted || !ValuesDiffer(lines[k], *corrupted)) {
                    continue;
                }
                std::vector<std::string> pupil = lines;
                pupil[k] = *corrupted;
                SCOPED_TRACE("solution:" + Joined(pupil) + "\ncorrupted line " + std::to_string(k + 1));
                const SolutionCheck check = CheckSolution(kind, pupil, LineForm::Markup);
                ++corruptions;
                ExpectFirstWrongAt(check, k);
                const CheckedLine* wrong = LineNumbered(check, k + 1);
                if (wrong == nullptr || wrong->message.id != CheckMessageID::ValuesDiffer) {
                    ADD_FAILURE() << "no witness point";
                    continue;
                }
                const Point point = AsPoint(wrong->point);
                const std::optional<CNumber> before = EvaluateFormula(lines[k - 1], point);
                const std::optional<CNumber> after = EvaluateFormula(*corrupted, point);
                ASSERT_TRUE(before && after) << "a line is undefined at the witness";
                EXPECT_TRUE(before->NotEqual(*after)) << "the witness does not tell the lines apart";
            }
        }
    }
    EXPECT_GT(corruptions, 40);
}

INSTANTIATE_TEST_SUITE_P(ExpressionKinds, CorruptedExpressionSolutions,
                         ::testing::Values(ProblemKind::Factorise, ProblemKind::FactoriseCompletely,
                                           ProblemKind::Simplify));

// --- equations ------------------------------------------------------------------------------------

struct EquationCase {
    std::vector<std::string> lines;
    std::vector<CNumber> roots;
};

// The sample equations whose answer states rational roots.
std::vector<EquationCase> EquationsWithRationalRoots() {
    std::vector<EquationCase> cases;
    for (const std::string& problem : SampleProblems(ProblemKind::Equation)) {
        EquationCase equation{SolverSolutionLines(ProblemKind::Equation, problem), {}};
        const std::string& answer = equation.lines.back();
        if (!IsRootStatement(answer)) {
            continue;
        }
        if (const std::optional<std::vector<CNumber>> roots = StatedRoots(answer)) {
            equation.roots = *roots;
            cases.push_back(std::move(equation));
        }
    }
    return cases;
}

std::string RootText(const CNumber& value) {
    return value.Sign() < 0 ? "(" + value.ToText() + ")" : value.ToText();
}

// The witness of the line at index: an exact root that the problem has and the line lacks (lost)
// or the other way round (gained), judged by evaluation.
void ExpectRootWitness(const SolutionCheck& check, const std::vector<std::string>& pupil, std::size_t index) {
    const CheckedLine* wrong = LineNumbered(check, index + 1);
    ASSERT_NE(wrong, nullptr);
    ASSERT_TRUE(wrong->root && wrong->root->IsRational()) << "no exact witness";
    const CNumber x = wrong->root->RationalPart();
    const bool problemHasIt = SolvesEquation(pupil.front(), x);
    const bool lineHasIt = LineHasRoot(pupil[index], x);
    switch (wrong->message.id) {
    case CheckMessageID::RootLost:
        EXPECT_TRUE(problemHasIt && !lineHasIt) << "x = " << x.ToText() << " is not lost";
        break;
    case CheckMessageID::RootGained:
        EXPECT_TRUE(!problemHasIt && lineHasIt) << "x = " << x.ToText() << " is not gained";
        break;
    case CheckMessageID::RootNotAllowed:
        EXPECT_FALSE(EquationValue(pupil.front(), x).has_value())
            << "the problem is defined at " << x.ToText();
        EXPECT_TRUE(lineHasIt);
        break;
    default:
        ADD_FAILURE() << "message " << ToNumber(wrong->message.id);
    }
}

TEST(CorruptedEquationSolutions, RootLostByDividingByItsFactor) {
    int corruptions = 0;
    for (const EquationCase& equation : EquationsWithRationalRoots()) {
        for (std::size_t k = 1; k + 1 < equation.lines.size(); ++k) {
            const std::string& line = equation.lines[k];
            if (IsRootStatement(line) || line.find('_') != std::string::npos || equation.roots.empty()) {
                continue;
            }
            const std::size_t equals = line.find('=');
            std::string factor = "{x-";
            factor += RootText(equation.roots.front());
            factor += '}';
            std::vector<std::string> pupil = equation.lines;
            // {L}/{x-r}={R}/{x-r}
            std::string divided(1, '{');
            divided.append(line, 0, equals).append("}/").append(factor);
            divided.append("={").append(line, equals + 1).append("}/").append(factor);
            pupil[k] = divided;
            SCOPED_TRACE("solution:" + Joined(pupil));
            const SolutionCheck check = CheckSolution(ProblemKind::Equation, pupil, LineForm::Markup);
            ++corruptions;
            ExpectFirstWrongAt(check, k);
            ExpectRootWitness(check, pupil, k);
        }
    }
    EXPECT_GT(corruptions, 40);
}

TEST(CorruptedEquationSolutions, RootGainedBySquaringTheAnswer) {
    int corruptions = 0;
    for (const EquationCase& equation : EquationsWithRationalRoots()) {
        for (const CNumber& root : equation.roots) {
            const CNumber opposite = root.Product(CNumber(-1));
            // −r is gained where the problem is defined and −r is no root already.
            const bool gains = !root.IsZero() &&
                               EquationValue(equation.lines.front(), opposite).has_value() &&
                               std::none_of(equation.roots.begin(), equation.roots.end(),
                                            [&](const CNumber& r) { return r.Equal(opposite); });
            if (!gains || equation.roots.size() != 1) {
                continue;
            }
            std::vector<std::string> pupil = equation.lines;
            pupil.back() = "x^2=" + RootText(root) + "^2";
            SCOPED_TRACE("solution:" + Joined(pupil));
            const SolutionCheck check = CheckSolution(ProblemKind::Equation, pupil, LineForm::Markup);
            ++corruptions;
            ExpectFirstWrongAt(check, pupil.size() - 1);
            ExpectRootWitness(check, pupil, pupil.size() - 1);
        }
    }
    EXPECT_GT(corruptions, 10);
}

TEST(CorruptedEquationSolutions, SignFlippedOrRootDroppedInTheAnswer) {
    int corruptions = 0;
    for (const EquationCase& equation : EquationsWithRationalRoots()) {
        std::vector<std::string> corrupted;
        const CNumber& first = equation.roots.front();
        const CNumber opposite = first.Product(CNumber(-1));
        if (!first.IsZero() && std::none_of(equation.roots.begin(), equation.roots.end(),
                                            [&](const CNumber& r) { return r.Equal(opposite); })) {
            std::string answer = "x=" + opposite.ToText();
            for (std::size_t i = 1; i < equation.roots.size(); ++i) {
                answer += ";x=" + equation.roots[i].ToText();
            }
            corrupted.push_back(answer);
        }
        if (equation.roots.size() > 1) {
            std::string answer = "x=" + equation.roots.front().ToText();
            for (std::size_t i = 1; i + 1 < equation.roots.size(); ++i) {
                answer += ";x=" + equation.roots[i].ToText();
            }
            corrupted.push_back(answer);
        }
        for (const std::string& answer : corrupted) {
            std::vector<std::string> pupil = equation.lines;
            pupil.back() = answer;
            SCOPED_TRACE("solution:" + Joined(pupil));
            const SolutionCheck check = CheckSolution(ProblemKind::Equation, pupil, LineForm::Markup);
            ++corruptions;
            ExpectFirstWrongAt(check, pupil.size() - 1);
            ExpectRootWitness(check, pupil, pupil.size() - 1);
        }
    }
    EXPECT_GT(corruptions, 20);
}

TEST(CorruptedEquationSolutions, ExcludedRootKeptInTheAnswer) {
    int corruptions = 0;
    for (const EquationCase& equation : EquationsWithRationalRoots()) {
        // A value of −5 to 5 at which the problem is not defined is a zero of a denominator.
        for (int e = -5; e <= 5; ++e) {
            if (EquationValue(equation.lines.front(), CNumber(e)).has_value()) {
                continue;
            }
            std::vector<std::string> pupil = equation.lines;
            pupil.back() += ";x=" + CNumber(e).ToText();
            SCOPED_TRACE("solution:" + Joined(pupil));
            const SolutionCheck check = CheckSolution(ProblemKind::Equation, pupil, LineForm::Markup);
            ++corruptions;
            ExpectFirstWrongAt(check, pupil.size() - 1);
            const CheckedLine* wrong = LineNumbered(check, pupil.size());
            ASSERT_NE(wrong, nullptr);
            EXPECT_EQ(wrong->message.id, CheckMessageID::RootNotAllowed);
            ExpectRootWitness(check, pupil, pupil.size() - 1);
        }
    }
    EXPECT_GT(corruptions, 5);
}

} // namespace
