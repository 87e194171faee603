// "product = 0": a product is zero exactly when one of its factors is, on the domain.
//
//   1. the domain written, when asked for;
//   2. a factor that simplifies to 0 makes every number a root;
//   3. factors that cannot be zero dropped (denominators, non-zero constants, powers with an
//      exponent <= 0); a power with a positive exponent stands for its base;
//   4. CommentID::FractionIsZeroWhenNumeratorIs for a fraction, CommentID::ProductIsZeroWhenFactorIs for
//   several
//      factors;
//   5. each factor solved as a sub-equation "factor = 0", numbered when there are several;
//   6. when all were solved, the roots checked against the domain.

#include "model/CONumber.h"
#include "model/COPolynom.h"
#include "model/COPower.h"
#include "model/CORelation.h"
#include "model/COperationList.h"
#include "model/NodeCast.h"
#include "solver/CExEquation.h"
#include "solver/Methods.h"
#include "solver/SolverEntries.h"
#include "solver/equation/CaseNumber.h"
#include "solver/equation/EquationAnswer.h"
#include "solver/equation/EquationDomain.h"
#include "solver/equation/EquationSolver.h"
#include "solver/equation/NodeValue.h"
#include "solver/equation/PlainCopy.h"
#include "solver/simplify/Simplification.h"

namespace {

// A factor that is zero for every value: its value at two points is zero, and the simplifier,
// run silently on a copy, makes it the number 0.
bool SimplifiesToZero(const COperation& factor, char letter) {
    for (const CNumber& point :
         {CNumber(CLongInteger(7), CLongInteger(3)), CNumber(CLongInteger(-11), CLongInteger(5))}) {
        const std::optional<CNumber> value = ExactValueAt(factor, letter, point);
        if (!value || !value->IsZero()) {
            return false;
        }
    }
    CExpression silent(nullptr, factor.Clone());
    SimplifyExpression(silent);
    if (!silent.Validate() || !silent.Root()) {
        return false;
    }
    // The simplified factor may still be written as a power of the number (0^1).
    const COperation& result = *silent.Root();
    const std::optional<CNumber> value =
        CollectLetters(result).empty() ? ExactValueAt(result, letter, CNumber(0)) : std::nullopt;
    return value && value->IsZero();
}

// The factor cannot be zero: a non-zero constant, or a power with a number exponent <= 0.
bool CannotBeZero(const COperation& factor, char letter) {
    if (factor.GetFamily() == NodeFamily::Power) {
        const CONumber* exponent = AsNumber(NodeAs<COPower>(factor).Exponent());
        if (exponent && exponent->Value().Sign() <= 0) {
            return true;
        }
    }
    if (CollectLetters(factor).find(letter) != std::string::npos) {
        return false;
    }
    const std::optional<CNumber> value = ExactValueAt(factor, letter, CNumber(0));
    return value && !value->IsZero();
}

// A power with a positive number exponent stands for its base.
const COperation& BaseOfPowers(const COperation* factor) {
    while (factor->GetFamily() == NodeFamily::Power) {
        const auto* power = &NodeAs<COPower>(*factor);
        const CONumber* exponent = AsNumber(power->Exponent());
        if (!exponent || exponent->Value().Sign() <= 0 || !power->Base()) {
            break;
        }
        factor = power->Base();
    }
    return *factor;
}

// The factors of the left side, each with its sign, a non-product being one factor.
std::vector<std::pair<NodeHandle, std::int32_t>> Factors(NodePtr& left) {
    std::vector<std::pair<NodeHandle, std::int32_t>> factors;
    if (IsProductFamily(left->GetFamily())) {
        for (ListCell& cell : *left->AsList()) {
            factors.emplace_back(&cell.child, cell.sign);
        }
    } else {
        factors.emplace_back(&left, 1);
    }
    return factors;
}

// Step 2: the factor at handle simplified with its steps, then the left side 0: every number.
void SolveWithZeroFactor(CExEquation& workspace, NodeHandle factor) {
    // A factor already written "0" (a rational form's 0^1) needs no step: taking off an exponent
    // the line does not show would stand as a step that changes nothing.
    if (PlainCopy(**factor)->ToText() == "0") {
        *factor = std::make_unique<CONumber>(0);
    } else {
        workspace.SetRootSlot(factor);
        SimplifyExpression(workspace);
        workspace.SetRootSlot(nullptr);
    }
    if (!workspace.Validate()) {
        return;
    }
    workspace.LeftSlot() = std::make_unique<CONumber>(0);
    workspace.RecordStep(false);
    workspace.roots.SetAll();
    workspace.resultState = CExEquation::kSolved;
}

// Solves "factor = 0" as sub-equation `number` of `count` of the workspace; false when the solve
// must stop (an error, or a sub-equation left unsolved).
bool SolveFactor(CExEquation& workspace, const COperation& factor, std::size_t number, std::size_t count,
                 bool useReductions) {
    auto relation =
        std::make_unique<CORelation>(RelationCode::Equal, PlainCopy(factor), std::make_unique<CONumber>(0));
    std::unique_ptr<CExEquation> child =
        CExEquation::SubEquation(workspace, 1, std::move(relation), workspace.Solution());
    if (!child->Admit()) {
        workspace.TakeErrorFrom(*child);
        return false;
    }
    if (count > 1) {
        const std::string label = std::to_string(number);
        child->conditionText =
            workspace.conditionText.empty() ? label : workspace.conditionText + "." + label;
        child->PushLineBlock(LineBlockKind::CaseNumber, 0);
        child->NextLineBlock();
        WriteCaseNumber(*child);
        child->NextLineBlock();
        child->SetTopKind(LineBlockKind::CaseSolving);
        child->RecordStep(false);
    } else {
        // "factor = 0" stands under the comment that announces it, unless the line above already
        // reads so.
        child->SetLastText(workspace.LastText());
        child->RecordStep(false);
    }
    SolveRelation(*child, false, useReductions);
    if (child->ErrorCode() != ProblemError::None) {
        workspace.TakeErrorFrom(*child);
        return false;
    }
    if (count > 1) {
        child->NextLineBlock();
        child->SetTopKind(LineBlockKind::CaseAnswer);
        WriteAnswer(*child);
    } else {
        workspace.SetLastText(child->LastText());
    }
    workspace.AddRootsOf(*child);
    if (child->resultState != CExEquation::kSolved) {
        if (child->resultState == CExEquation::kNewLetterUnsolved) {
            workspace.resultState = CExEquation::kNewLetterUnsolved;
        }
        return false;
    }
    return true;
}

} // namespace

void SolveZeroProduct(CExEquation& workspace, bool checkDomain, bool useReductions) {
    if (!workspace.Relation() || !workspace.Left()) {
        return;
    }
    const char letter = workspace.unknown;
    DomainList domain;
    if (checkDomain) {
        domain = CollectDomain(*workspace.Root(), letter);
        checkDomain = !domain.empty();
        if (checkDomain) {
            WriteDomainBlock(workspace, domain);
        }
    }
    workspace.ClearRoots();
    const bool isFraction = workspace.Left()->GetFamily() == NodeFamily::Fraction &&
                            workspace.Left()->AsList()->CountWithSign(-1) > 0;
    std::vector<const COperation*> remaining;
    for (const auto& [handle, sign] : Factors(workspace.LeftSlot())) {
        if (sign > 0 && SimplifiesToZero(**handle, letter)) {
            SolveWithZeroFactor(workspace, handle);
            return;
        }
        if (sign > 0 && !CannotBeZero(**handle, letter)) {
            remaining.push_back(&BaseOfPowers(handle->get()));
        }
    }
    if (isFraction && !remaining.empty()) {
        workspace.AddCommentRecord(CommentID::FractionIsZeroWhenNumeratorIs, false, true);
    } else if (remaining.size() > 1) {
        workspace.AddCommentRecord(CommentID::ProductIsZeroWhenFactorIs, false, true);
    }
    for (std::size_t i = 0; i < remaining.size(); ++i) {
        if (!SolveFactor(workspace, *remaining[i], i + 1, remaining.size(), useReductions)) {
            return;
        }
    }
    workspace.resultState = CExEquation::kSolved;
    if (checkDomain) {
        CheckRootsBlock(workspace, domain);
    }
}
