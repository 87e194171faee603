#include "checker/SolverContinuation.h"

#include "output/COutputList.h"
#include "solver/SolveProblem.h"

namespace {

// Line-block kinds of the records of a solution: the steps, the answer, and the heading
// "Case 1" of one equation of several (its number is a formula block, not a step).
constexpr std::int32_t kStepsBlock = 1;
constexpr std::int32_t kAnswerBlock = 2;
constexpr std::int32_t kCaseHeadingBlock = 3;

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

SolverContinuation SolverContinuationOf(int kind, const std::string& markup) {
    COutputList solution;
    SolveProblem(kind, markup, &solution);
    SolverContinuation continuation;
    NextStep next;
    for (const auto& record : solution.Records()) {
        if (record->lineBlocks.empty()) {
            continue;
        }
        const std::int32_t block = record->lineBlocks.front().kind;
        if (block == kAnswerBlock) {
            for (const auto& item : record->Blocks()) {
                if (item->IsFormula()) {
                    continuation.answer = item->AsFormula()->text;
                }
            }
            break;
        }
        if (continuation.next || block != kStepsBlock ||
            record->lineBlocks.back().kind == kCaseHeadingBlock) {
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
