#include "EquationTestSupport.h"

#include "output/COutputRecord.h"
#include "output/OutputBlock.h"
#include "solver/SolveProblem.h"
#include "tests/support/FormulaValue.h"

#include <memory>

EquationAnswer ReadAnswer(const COutputList& solution, char letter) {
    EquationAnswer answer;
    for (const auto& record : solution.Records()) {
        if (record->lineBlocks.size() != 1 || record->lineBlocks.back().kind != LineBlockKind::Answer) {
            continue;
        }
        bool excepting = false;
        for (const auto& block : record->Blocks()) {
            if (const OutputBlockComment* comment = block->AsComment()) {
                excepting = excepting || comment->id == CommentID::AnswerExcept;
                const int id = ToNumber(comment->id);
                answer.unsolved = answer.unsolved || id == 83 || id == 22;
                answer.every = answer.every || id == 82;
                answer.none = answer.none || id == 56;
            } else if (const OutputBlockFormula* formula = block->AsFormula()) {
                const std::string& text = formula->text;
                if (excepting) {
                    answer.excluded.push_back(text);
                } else if (text.size() > 2 && text[0] == letter && text[1] == '=') {
                    answer.roots.push_back(text.substr(2));
                }
            }
        }
    }
    return answer;
}

std::optional<std::pair<std::string, std::string>> SplitRelation(const std::string& text) {
    const std::string trimmed = TrimChainEquals(text);
    const std::size_t equals = trimmed.find('=');
    if (equals == std::string::npos || trimmed.find('=', equals + 1) != std::string::npos) {
        return std::nullopt;
    }
    return std::make_pair(trimmed.substr(0, equals), trimmed.substr(equals + 1));
}

bool NearlyEqual(Quad a, Quad b, Quad relative) {
    using formulavalue::Magnitude;
    const Quad scale = 1 + Magnitude(a) + Magnitude(b);
    return Magnitude(a - b) <= relative * scale;
}

std::optional<Quad> RelationDifference(const std::pair<std::string, std::string>& sides, char letter,
                                       Quad x) {
    std::optional<Quad> left = QuadValue(sides.first, letter, x);
    std::optional<Quad> right = QuadValue(sides.second, letter, x);
    if (!left || !right) {
        return std::nullopt;
    }
    return *left - *right;
}

std::vector<Quad> UnansweredRoots(const std::pair<std::string, std::string>& sides, char letter,
                                  const std::vector<Quad>& roots) {
    std::vector<Quad> missed;
    const Quad step = static_cast<Quad>(1) / 32;
    std::optional<Quad> previous = RelationDifference(sides, letter, -40);
    for (Quad x = -40 + step; x <= 40; x += step) {
        std::optional<Quad> current = RelationDifference(sides, letter, x);
        const bool zero = current && *current == 0;
        const bool signChange = previous && current && *previous != 0 && (*previous < 0) != (*current < 0);
        if (zero || signChange) {
            bool explained = false;
            for (Quad root : roots) {
                explained = explained || (root >= x - step && root <= x);
            }
            // A pole: no value, or a very large one, somewhere in the step.
            for (int i = 0; i <= 64 && !explained; ++i) {
                std::optional<Quad> inside = RelationDifference(sides, letter, x - step + step * i / 64);
                explained = !inside || *inside > 1e6 || *inside < -1e6;
            }
            if (!explained) {
                missed.push_back(x);
            }
        }
        previous = current;
    }
    return missed;
}

std::vector<std::string> MainChain(const COutputList& solution) {
    std::vector<std::string> chain;
    for (const auto& record : solution.Records()) {
        if (record->IsFormulaOnly() && record->lineBlocks.size() == 1 &&
            (record->lineBlocks.back().kind == LineBlockKind::Problem ||
             record->lineBlocks.back().kind == LineBlockKind::Steps)) {
            chain.push_back(record->Blocks().front()->AsFormula()->text);
        }
    }
    return chain;
}

std::unique_ptr<COutputList> SolveEquationText(const std::string& problem) {
    auto solution = std::make_unique<COutputList>();
    SolveProblem(ProblemKind::Equation, problem, solution.get());
    return solution;
}
