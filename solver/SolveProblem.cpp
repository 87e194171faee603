#include "solver/SolveProblem.h"

#include "markup/ProblemText.h"
#include "model/CNumber.h"
#include "model/EngineLimits.h"
#include "model/EngineRandom.h"
#include "model/NodeKind.h"
#include "model/WorkBudget.h"
#include "output/ProblemError.h"
#include "solver/CExEquation.h"
#include "solver/CExpression.h"
#include "solver/Methods.h"
#include "solver/ProblemChecks.h"
#include "solver/SolverEntries.h"
#include "solver/equation/EquationAnswer.h"
#include "solver/factor/FactorEqualFactors.h"
#include "solver/simplify/Simplification.h"

#include <functional>

namespace {

// A text past the engine's length limit ends the solve before anything else is done with it.
bool RefuseTooLongText(const std::string& text, COutputList* solution) {
    if (text.size() <= EngineLimits::kMaxProblemTextLength) {
        return false;
    }
    if (solution) {
        solution->AddComment(nullptr, CommentID::ErrorProblemTooLarge, true, false);
    }
    return true;
}

// The checks of a freshly made workspace, before anything is recorded:
//   1. an invalid tree ends the solve with its error record;
//   2. negative number exponents are folded into numbers, then every exponent must be an integer;
//   3. an error of step 2 ends the solve with its error record.
bool CheckNewProblem(CExpression& workspace) {
    if (!workspace.Validate()) {
        workspace.AddErrorRecord();
        return false;
    }
    FoldNegativeExponents(workspace);
    CheckExponents(workspace);
    if (!workspace.Validate()) {
        workspace.AddErrorRecord();
        return false;
    }
    return true;
}

// The common start of the expression entries, after the workspace was made: the checks, then the
// problem itself as the first formula record. False when the solve ended with an error.
bool StartExpressionSolve(CExpression& workspace) {
    if (!CheckNewProblem(workspace)) {
        return false;
    }
    workspace.PushLineBlock(LineBlockKind::Problem, 0);
    workspace.RecordStep(true);
    return true;
}

// An error met by the solver ends the solution with its record (the solvers append it
// themselves; it is appended here when they did not). True when the solve ended with an error.
bool EndWithError(CExpression& workspace) {
    if (!workspace.CheckLimits()) {
        return false;
    }
    workspace.AddErrorRecord();
    return true;
}

// The answer of an expression problem repeats the last recorded formula.
void WriteExpressionAnswer(CExpression& workspace) {
    workspace.ClearPendingRecord();
    workspace.AddPendingComment(CommentID::AnswerHeadingExpression, true, true);
    workspace.AddPendingComment(CommentID::AnswerJoint, true, false);
    workspace.AddPendingFormula(workspace.LastText(), true);
    workspace.FlushPendingRecord();
}

// A polynomial of one monomial that is a single number: a constant counts as factorised.
bool IsConstantPolynomial(const COperation* tree) {
    if (!tree || tree->GetType() != NodeType::Polynom) {
        return false;
    }
    const COperationList* terms = tree->AsList();
    if (terms->GetCount() != 1) {
        return false;
    }
    const COperation* monom = terms->GetAt(1);
    if (!monom || monom->GetType() != NodeType::Monom) {
        return false;
    }
    const COperationList* factors = monom->AsList();
    return factors->GetCount() == 1 && factors->GetAt(1)->GetFamily() == NodeFamily::Number;
}

// The close of both factorisation entries, after the factoriser ran with the top kind 1.
// The answer follows the steps in a line block of its own.
void EnterAnswerStage(CExpression& workspace) {
    workspace.NextLineBlock();
    workspace.SetTopKind(LineBlockKind::Answer);
}

void FinishFactorisation(CExpression& workspace, bool factorised) {
    factorised = factorised || IsConstantPolynomial(workspace.Root());
    ChainEqualities(workspace.Solution());
    if (EndWithError(workspace)) {
        return;
    }
    EnterAnswerStage(workspace);
    if (factorised) {
        WriteExpressionAnswer(workspace);
    } else {
        workspace.AddCommentRecord(CommentID::NothingToFactorise, true, true);
    }
}

// Steps 1 to 3 of every entry: nothing for an empty text, the "too large" record for a text past
// the limit; otherwise the prepared copy.
std::optional<std::string> PreparedCopy(const std::string& problemText, COutputList* solution) {
    if (problemText.empty() || RefuseTooLongText(problemText, solution)) {
        return std::nullopt;
    }
    std::string copy = problemText;
    PrepareProblemText(copy);
    return copy;
}

void EnterSolverStage(CExpression& workspace) {
    workspace.NextLineBlock();
    workspace.SetTopKind(LineBlockKind::Steps);
}

// The opening shared by the expression entries: nothing for an empty text; otherwise the random
// source seeded, the text prepared and parsed into a workspace, checked and recorded as the first
// formula, and then `solve` run on the workspace, unless the solve already ended with an error.
void SolveExpressionProblem(const std::string& problemText, COutputList* solution,
                            const std::function<void(CExpression&)>& solve) {
    if (problemText.empty()) {
        return;
    }
    EngineRandom::SeedFromClock();
    const std::optional<std::string> copy = PreparedCopy(problemText, solution);
    if (!copy) {
        return;
    }
    CExpression workspace(*copy, solution);
    if (!StartExpressionSolve(workspace)) {
        return;
    }
    solve(workspace);
}

// An answer or an error record: it shows a comment even with text comments off, or it speaks a
// formula; the steps of a solution do neither.
bool ClosesTheSolution(const COutputRecord& record) {
    for (const auto& block : record.Blocks()) {
        const OutputBlockComment* comment = block->AsComment();
        const OutputBlockFormula* formula = block->AsFormula();
        if ((comment && comment->alwaysShown) || (formula && formula->spoken)) {
            return true;
        }
    }
    return false;
}

// A solve whose budget ran out reports it last, even when the bound was passed while its answer was
// being written. So does a solve that stopped at a number past the digit limit where no step could
// report it, leaving the solution without an answer or an error.
void CloseExhaustedSolve(COutputList* solution) {
    if (!solution || solution->IsEmpty()) {
        return;
    }
    const COutputRecord& record = *solution->Records().back();
    if (!WorkBudget::Exhausted() && !(CNumber::LimitExceeded() && !ClosesTheSolution(record))) {
        return;
    }
    const OutputBlockComment* last = record.Blocks().empty() ? nullptr : record.Blocks().back()->AsComment();
    if (!last || last->id != CommentID::ErrorProblemTooLarge) {
        solution->AddComment(nullptr, CommentID::ErrorProblemTooLarge, true, false);
    }
}

} // namespace

void SolveProblem(ProblemKind kind, const std::string& problemText, COutputList* solution) {
    // The limit flag of the exact numbers is per thread and sticky: each solve starts clean, with
    // a fresh budget of work.
    CNumber::ResetLimitExceeded();
    const WorkBudget::Scope budget;
    switch (kind) {
    case ProblemKind::Equation:
        SolveEquation(problemText, solution);
        break;
    case ProblemKind::Factorise:
        Factorise(problemText, solution);
        break;
    case ProblemKind::FactoriseCompletely:
        FactoriseCompletely(problemText, solution);
        break;
    case ProblemKind::Simplify:
        Simplify(problemText, solution);
        break;
    default:
        break;
    }
    CloseExhaustedSolve(solution);
}

void Simplify(const std::string& problemText, COutputList* solution) {
    SolveExpressionProblem(problemText, solution, [solution](CExpression& workspace) {
        EnterSolverStage(workspace);
        const std::size_t recorded = solution ? solution->Size() : 0;
        SimplifyExpression(workspace);
        // Nothing changed: the problem stands as written (no chain of one line starting with "="),
        // and a comment says why the answer repeats it.
        if (solution && solution->Size() == recorded && workspace.ErrorCode() == ProblemError::None) {
            workspace.AddCommentRecord(CommentID::AlreadySimplest, false, true);
        } else {
            ChainEqualities(solution);
        }
        if (EndWithError(workspace)) {
            return;
        }
        EnterAnswerStage(workspace);
        WriteExpressionAnswer(workspace);
    });
}

void Factorise(const std::string& problemText, COutputList* solution) {
    SolveExpressionProblem(problemText, solution, [](CExpression& workspace) {
        EnterSolverStage(workspace);
        BuildMonoms(workspace.RootSlot());
        BuildPolynoms(workspace.RootSlot());
        const bool factorised = FactorExpression(workspace, workspace.RootSlot());
        if (factorised && workspace.Validate()) {
            GatherEqualFactors(workspace, workspace.RootSlot());
        }
        FinishFactorisation(workspace, factorised);
    });
}

void FactoriseCompletely(const std::string& problemText, COutputList* solution) {
    SolveExpressionProblem(problemText, solution, [](CExpression& workspace) {
        // Here the normalisations run while the problem block is still the top.
        BuildMonoms(workspace.RootSlot());
        BuildPolynoms(workspace.RootSlot());
        EnterSolverStage(workspace);
        const bool factorised = FactorFully(workspace, workspace.RootSlot());
        FinishFactorisation(workspace, factorised);
    });
}

void SolveEquation(const std::string& problemText, COutputList* solution) {
    const std::optional<std::string> copy = PreparedCopy(problemText, solution);
    if (!copy) {
        return;
    }
    char letter = 0;
    if (FindUnknown(*copy, letter)) {
        if (solution) {
            solution->AddComment(nullptr, CommentID::ErrorCharactersLeftOver, true, false);
        }
        return;
    }
    if (letter == 0) {
        letter = 'x';
    }
    CExEquation workspace(*copy, solution, letter);
    if (!CheckNewProblem(workspace)) {
        return;
    }
    workspace.PushLineBlock(LineBlockKind::Problem, 0);
    // Recorded anyway: the last text is still empty.
    workspace.RecordStep(false);
    EnterSolverStage(workspace);
    SolveRelation(workspace, true, true);
    if (EndWithError(workspace)) {
        return;
    }
    EnterAnswerStage(workspace);
    WriteAnswer(workspace);
}

void ChainEqualities(COutputList* solution) {
    if (!solution) {
        return;
    }
    COutputList::Position first = solution->end();
    COutputList::Position last = solution->end();
    for (auto record = solution->begin(); record != solution->end(); ++record) {
        if ((*record)->IsFormulaOnly()) {
            if (first == solution->end()) {
                first = record;
            }
            last = record;
        }
    }
    if (last == solution->end() || first == last) {
        return;
    }
    for (auto record = first;; ++record) {
        if ((*record)->IsFormulaOnly()) {
            std::string& text = (*record)->Blocks().front()->AsFormula()->text;
            if (record == first) {
                text += '=';
            } else if (record == last) {
                text.insert(text.begin(), '=');
            } else {
                text.insert(text.begin(), '=');
                text += '=';
            }
        }
        if (record == last) {
            break;
        }
    }
}
