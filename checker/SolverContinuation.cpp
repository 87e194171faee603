#include "checker/SolverContinuation.h"

#include "output/COutputList.h"
#include "solver/SolveProblem.h"

namespace {

// A step's formula without the "=" that chains the steps of an expression's solution.
std::string Unchained(std::string formula) {
    while (!formula.empty() && formula.front() == '=') {
        formula.erase(formula.begin());
    }
    while (!formula.empty() && formula.back() == '=') {
        formula.pop_back();
    }
    return formula;
}

} // namespace

SolverContinuation SolverContinuationOf(ProblemKind kind, const std::string& markup) {
    COutputList solution;
    SolveProblem(kind, markup, &solution);
    SolverContinuation continuation;
    NextStep next;
    for (const auto& record : solution.Records()) {
        if (record->lineBlocks.empty()) {
            continue;
        }
        const LineBlockKind block = record->lineBlocks.front().kind;
        if (block == LineBlockKind::Answer) {
            for (const auto& item : record->Blocks()) {
                if (item->IsFormula()) {
                    continuation.answer = item->AsFormula()->text;
                }
            }
            break;
        }
        // The heading "Case 1" of one equation of several holds its number, not a step.
        if (continuation.next || block != LineBlockKind::Steps ||
            record->lineBlocks.back().kind == LineBlockKind::CaseNumber) {
            continue;
        }
        for (const auto& item : record->Blocks()) {
            if (item->IsComment()) {
                next.comments.push_back(item->AsComment()->id);
            } else if (item->IsFormula() && !continuation.next) {
                next.formula = Unchained(item->AsFormula()->text);
                continuation.next = next;
            }
        }
    }
    return continuation;
}
