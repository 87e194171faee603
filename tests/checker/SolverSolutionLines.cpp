#include "SolverSolutionLines.h"

#include "markup/EditorConversion.h"
#include "output/COutputRecord.h"
#include "output/CommentID.h"
#include "output/OutputBlock.h"
#include "solver/SolveProblem.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <optional>

namespace {

std::string Unchained(std::string formula) {
    while (!formula.empty() && formula.front() == '=') {
        formula.erase(formula.begin());
    }
    while (!formula.empty() && formula.back() == '=') {
        formula.pop_back();
    }
    return formula;
}

// Whether a side of a chain holds a letter (the names of markup's commands, !sqn, are none).
bool HoldsLetter(const std::string& side) {
    for (std::size_t i = 0; i < side.size(); ++i) {
        if (side[i] == '!') {
            while (i + 1 < side.size() && std::isalpha(static_cast<unsigned char>(side[i + 1]))) {
                ++i;
            }
        } else if (std::isalpha(static_cast<unsigned char>(side[i]))) {
            return true;
        }
    }
    return false;
}

// The equation lines of the chain: the unknown (maybe indexed) or an expression of it on the left.
// "D=b^2-4.a.c=…" is the discriminant; "x_{1µ2}=A=B" keeps the sides without letters, as a pupil
// writes x₁ = (5 − 1)/2 = 2 and x₁,₂ = (5 ± 1)/2 without the formula's letters.
bool EquationLine(std::string& formula) {
    const std::size_t first = formula.find('=');
    if (first == std::string::npos || formula.compare(0, 1, "D") == 0) {
        return false;
    }
    if (formula.rfind('=') == first) {
        return true;
    }
    std::string kept = formula.substr(0, first);
    for (std::size_t start = first + 1; start <= formula.size();) {
        const std::size_t end = std::min(formula.find('=', start), formula.size());
        const std::string side = formula.substr(start, end - start);
        if (!HoldsLetter(side) || end == formula.size()) {
            kept += "=" + side;
        }
        start = end + 1;
    }
    formula = kept;
    return true;
}

std::string AnswerLine(const COutputRecord& record) {
    std::string answer;
    for (const auto& block : record.Blocks()) {
        if (block->IsFormula()) {
            answer += (answer.empty() ? "" : ";") + block->AsFormula()->text;
        } else if (block->AsComment()->id == CommentID::NoRoots) {
            answer = "no roots";
        } else if (block->AsComment()->id == CommentID::AnswerEveryNumber ||
                   block->AsComment()->id == CommentID::AnyValueIsRoot) {
            answer = "any number";
        }
    }
    return answer;
}

} // namespace

std::vector<std::string> SampleProblems(ProblemKind kind) {
    const char* file = kind == ProblemKind::Equation   ? "Equations.txt"
                       : kind == ProblemKind::Simplify ? "Simplification.txt"
                                                       : "Factorisation.txt";
    std::ifstream in(std::string(ORBELIN_SOURCE_DIR) + "/res/samples/" + file);
    std::vector<std::string> problems;
    for (std::string line; std::getline(in, line);) {
        while (!line.empty() && (line.back() == '&' || line.back() == ';' || line.back() == '\r')) {
            line.pop_back();
        }
        if (!line.empty()) {
            ConvertEditorText(line);
            problems.push_back(line);
        }
    }
    return problems;
}

std::vector<std::string> SolverSolutionLines(ProblemKind kind, const std::string& problem) {
    COutputList solution;
    SolveProblem(kind, problem, &solution);
    std::vector<std::string> lines = {problem};
    for (const auto& record : solution.Records()) {
        const std::optional<LineBlockKind> block =
            record->lineBlocks.empty() ? std::nullopt : std::optional(record->lineBlocks.front().kind);
        if (block == LineBlockKind::Answer) {
            if (const std::string answer = AnswerLine(*record);
                kind == ProblemKind::Equation && !answer.empty()) {
                lines.push_back(answer);
            }
            break;
        }
        if (block != LineBlockKind::Steps || !record->IsFormulaOnly()) {
            continue;
        }
        std::string formula = Unchained(record->Blocks().front()->AsFormula()->text);
        if (kind != ProblemKind::Equation) {
            lines.push_back(formula);
        } else if (record->lineBlocks.size() == 1 && EquationLine(formula)) {
            lines.push_back(formula);
        }
    }
    return lines;
}
