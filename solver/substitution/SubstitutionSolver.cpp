// The substitution solver: an equation "left = 0" written in a new letter, that equation solved as
// a sub-equation of its own, and its roots taken back.
//
//   1. the equation in the new letter: CommentID::SubstitutionIntroduced, the record "t = expression"
//   (CommentID::NewLetterDefinition), the
//      equation (CommentID::EquationInNewLetter), its solution and its answer, all in a list of its own;
//   2. every number: the reduction holds and the answer is every number;
//   3. otherwise each root r gives "expression = r" (CommentID::ReturnToFirstUnknown and the list of them),
//   numbered
//      when there are several (CommentID::EquationForEachValue), solved with the domain of the
//      expression when it is checked; a root written as an expression is taken back only through a linear
//      expression;
//   4. the new equation unsolved: state "new letter unsolved", nothing written, false.

#include "markup/ProblemText.h"
#include "model/COAddition.h"
#include "model/COFraction.h"
#include "model/COMultiplication.h"
#include "model/CONumber.h"
#include "model/CORelation.h"
#include "model/COVariable.h"
#include "model/NodeCast.h"
#include "output/COutputList.h"
#include "solver/CExEquation.h"
#include "solver/SolverEntries.h"
#include "solver/equation/CaseNumber.h"
#include "solver/equation/EquationAnswer.h"
#include "solver/equation/EquationDomain.h"
#include "solver/equation/PlainCopy.h"
#include "solver/substitution/PolynomialDecomposition.h"
#include "solver/substitution/Reductions.h"
#include "solver/substitution/SubstitutionSearch.h"
#include "solver/substitution/SubstitutionSupport.h"
#include "solver/substitution/TreePolynomial.h"

namespace {

// Step 1: the equation in the new letter, solved and answered in `list`; null past the limits.
std::unique_ptr<CExEquation> SolveInNewLetter(CExEquation& workspace, const Substitution& substitution,
                                              COutputList& list, bool useReductions, bool checkDomain) {
    std::unique_ptr<CExEquation> child =
        OpenNewLetterPart(workspace, substitution, list, substitution.letter);
    if (!child) {
        return nullptr;
    }
    SolveRelation(*child, checkDomain, useReductions);
    if (child->ErrorCode() == ProblemError::None) {
        child->NextLineBlock();
        child->SetTopKind(LineBlockKind::NewAnswer);
        WriteAnswer(*child);
    }
    return child;
}

// "a·x + b = root" with root an expression: b moved right (CommentID::ConstantTermMovedRight), a minus taken
// off (CommentID::BothSidesTimesMinusOne), then x = (root - b)/a, which is the root.
void SolveLinearForExpression(CExEquation& equation, const CPolynomValue& expression) {
    const char x = equation.unknown;
    CNumber a = CoefficientAt(expression, x, 1);
    const CNumber b = CoefficientAt(expression, x, 0);
    NodePtr right = PlainCopy(*equation.Right());
    if (!b.IsZero()) {
        auto moved = std::make_unique<COAddition>(std::move(right), 1);
        CNumber magnitude = b;
        const std::int32_t sign = magnitude.TakeSign() < 0 ? 1 : -1;
        moved->AddTail(std::make_unique<CONumber>(magnitude), sign);
        right = std::move(moved);
        equation.LeftSlot() = PlainTreeOf(CPolynomValue::Letter(static_cast<unsigned char>(x)).Scaled(a));
        equation.RightSlot() = right->Clone();
        equation.QueueComment(CommentID::ConstantTermMovedRight);
        equation.RecordStep(false);
    }
    if (a.Sign() < 0) {
        a.Negate();
        right = std::make_unique<COAddition>(std::move(right), -1);
        equation.LeftSlot() = PlainTreeOf(CPolynomValue::Letter(static_cast<unsigned char>(x)).Scaled(a));
        equation.RightSlot() = right->Clone();
        equation.QueueComment(CommentID::BothSidesTimesMinusOne);
        equation.RecordStep(false);
    }
    if (!a.IsOne()) {
        auto fraction = std::make_unique<COFraction>(std::move(right), 1);
        fraction->AddTail(std::make_unique<CONumber>(a), -1);
        right = std::move(fraction);
    }
    equation.LeftSlot() = std::make_unique<COVariable>(x);
    equation.RightSlot() = right->Clone();
    equation.RecordStep(false);
    equation.ClearRoots();
    equation.AddRoot(std::move(right));
    equation.resultState = CExEquation::kSolved;
}

// CommentID::ReturnToFirstUnknown and the record "expression = r1", CommentID::BetweenRoots, "expression =
// r2", ...
void WriteTakeBack(CExEquation& child, const Substitution& substitution,
                   const std::vector<const COperation*>& roots) {
    child.AddCommentRecord(CommentID::ReturnToFirstUnknown, false, true);
    child.ClearPendingRecord();
    for (std::size_t i = 0; i < roots.size(); ++i) {
        if (i > 0) {
            child.AddPendingComment(CommentID::BetweenRoots, false, true);
        }
        child.AddPendingFormula(ShownText(*substitution.expression) + "=" + ShownText(*roots[i]), true);
    }
    child.FlushPendingRecord();
}

// Solves "expression = root" as value `number` of `count`; false when the solve must stop.
bool SolveTakenBack(CExEquation& workspace, CExEquation& child, const Substitution& substitution,
                    const COperation& root, std::size_t number, std::size_t count, bool useReductions,
                    bool checkDomain) {
    std::unique_ptr<CExEquation> value = CExEquation::SubEquation(
        child, 1, EquationOf(PlainCopy(*substitution.expression), PlainCopy(root)), child.Solution());
    value->unknown = workspace.unknown;
    if (!value->Admit()) {
        workspace.TakeErrorFrom(*value);
        return false;
    }
    if (count > 1) {
        const std::string label = std::to_string(number);
        value->conditionText = child.conditionText.empty() ? label : child.conditionText + "." + label;
        value->PushLineBlock(LineBlockKind::CaseNumber, 0);
        value->NextLineBlock();
        WriteCaseNumber(*value);
        value->NextLineBlock();
        value->SetTopKind(LineBlockKind::CaseSolving);
        value->RecordStep(false);
    } else {
        value->RefreshLastText();
    }
    const DomainList domain = checkDomain ? CollectDomain(*value->Root(), workspace.unknown) : DomainList();
    if (!domain.empty()) {
        WriteDomainBlock(*value, domain);
    }
    std::optional<CPolynomValue> expression = PolynomialOf(*substitution.expression);
    const bool expressionRoot = root.GetFamily() != NodeFamily::Number && expression;
    if (expressionRoot) {
        SolveLinearForExpression(*value, *expression);
    } else {
        SolveRelation(*value, false, useReductions);
    }
    if (value->ErrorCode() != ProblemError::None) {
        workspace.TakeErrorFrom(*value);
        return false;
    }
    if (!domain.empty() && value->resultState == CExEquation::kSolved) {
        CheckRootsBlock(*value, domain);
    }
    if (count > 1) {
        value->NextLineBlock();
        value->SetTopKind(LineBlockKind::CaseAnswer);
        WriteAnswer(*value);
    } else if (expressionRoot) {
        // A root found as an expression is stated in an answer of its own, even when it is the only one.
        WriteAnswer(*value);
    }
    workspace.AddRootsOf(*value);
    return value->resultState == CExEquation::kSolved;
}

// A root written as an expression is taken back only when the substituted expression is linear
// in the unknown (a polynomial of degree 1); anything else would need an equation with a root
// form on its right that the solver does not handle.
bool CanTakeBack(const Substitution& substitution, const std::vector<const COperation*>& roots,
                 char unknown) {
    std::optional<CPolynomValue> expression = PolynomialOf(*substitution.expression);
    const bool linear = expression && expression->DegreeIn(static_cast<unsigned char>(unknown)) == 1;
    for (const COperation* root : roots) {
        if (root->GetFamily() != NodeFamily::Number && !linear) {
            return false;
        }
    }
    return true;
}

} // namespace

bool SolveBySubstitution(CExEquation& workspace, bool useReductions, bool checkDomain,
                         const Substitution* substitution) {
    if (!workspace.Relation() || !IsZeroSide(workspace.Right()) || !HasRoomForSubstitution(workspace)) {
        return false;
    }
    std::unique_ptr<Substitution> found;
    if (!substitution) {
        found = FindRepeatedSubstitution(*workspace.Left(), workspace.unknown);
        substitution = found.get();
    }
    if (!substitution) {
        return false;
    }
    COutputList list;
    std::unique_ptr<CExEquation> child =
        SolveInNewLetter(workspace, *substitution, list, useReductions, checkDomain);
    if (!child) {
        return true;
    }
    if (child->ErrorCode() != ProblemError::None) {
        return TakeOverPart(workspace, *child, list, false);
    }
    if (child->resultState != CExEquation::kSolved) {
        workspace.resultState = CExEquation::kNewLetterUnsolved;
        return false;
    }
    std::vector<const COperation*> roots;
    for (const ListCell& cell : child->roots) {
        roots.push_back(cell.child.get());
    }
    workspace.ClearRoots();
    if (child->roots.IsAll()) {
        workspace.roots.SetAll();
    } else {
        if (!CanTakeBack(*substitution, roots, workspace.unknown)) {
            return false;
        }
        child->PopLineBlock();
        WriteTakeBack(*child, *substitution, roots);
        if (roots.size() > 1) {
            child->AddCommentRecord(CommentID::EquationForEachValue, false, true);
        }
        for (std::size_t i = 0; i < roots.size(); ++i) {
            if (!SolveTakenBack(workspace, *child, *substitution, *roots[i], i + 1, roots.size(),
                                useReductions, checkDomain)) {
                if (workspace.ErrorCode() != ProblemError::None) {
                    return true;
                }
                workspace.ClearRoots();
                return false;
            }
        }
    }
    workspace.Solution()->AppendList(list, ListTransfer::Move);
    workspace.resultState = CExEquation::kSolved;
    return true;
}

bool FindRepeatedSubexpression(CExEquation& workspace, bool useReductions, bool checkDomain) {
    return SolveBySubstitution(workspace, useReductions, checkDomain, nullptr);
}
