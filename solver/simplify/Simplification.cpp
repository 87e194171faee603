// The drivers of the simplifier and its two variants, and the tests on the shape of the tree.
//
//   1. plain stage: divisions rewritten, opposite pairs cancelled, tidied, powers joined
//   2. loop: when the tree is one rational monomial, reduce it and stop; otherwise tidy, cancel,
//      build the rational forms and step the level nodes until none is left
//   3. on any failure: the record of the workspace's error code

#include "solver/simplify/Simplification.h"
#include "model/NodeCast.h"

#include "model/COAddition.h"
#include "model/COHyperMonom.h"
#include "model/COLevelAddition.h"
#include "model/CONumber.h"
#include "model/EngineLimits.h"
#include "solver/CExpression.h"
#include "solver/SimplifySupport.h"
#include "solver/simplify/LevelSteps.h"

namespace {

// Steps 1 to 4: the plain stage. False when the workspace became invalid before the powers.
bool RunPlainStage(CExpression& workspace) {
    if (!workspace.Validate()) {
        return false;
    }
    RewriteDivisions(workspace);
    CancelOppositePairs(workspace);
    Tidy(workspace);
    CancelOppositePairs(workspace);
    if (!workspace.Validate()) {
        return false;
    }
    JoinPowers(workspace);
    CancelOppositePairs(workspace);
    return true;
}

void EndWithError(CExpression& workspace) {
    workspace.Validate();
    workspace.AddErrorRecord();
}

// Level sums turned back into plain sums, then the one rational monomial reduced.
void FinishLevelSums(CExpression& workspace) {
    UnbuildLevelSums(workspace.RootSlot());
    if (IsSingleFraction(workspace)) {
        FinishFraction(workspace);
    }
}

// A non-integer number written in lowest terms (a decimal, a reduced common fraction, a mixed
// number with a proper reduced fraction), alone or after a minus sign: the answer as the problem's
// numbers are written. The rational stage would only write it again as a quotient (5/6 as 5 over
// 6, 3 1/2 as 7/2, 0,75 as 3/4).
bool IsFinishedNumber(const COperation& tree) {
    const COperation* node = &tree;
    if (IsNegatedSingleTerm(tree)) {
        node = tree.AsList()->Head()->child.get();
    }
    const CONumber* leaf = AsNumber(node);
    if (leaf == nullptr || (node != &tree && leaf->Value().Sign() < 0)) {
        return false;
    }
    const CNumber& value = leaf->Value();
    switch (value.GetKind()) {
    case CNumber::kInteger:
        return false;
    case CNumber::kDecimal:
        return true;
    case CNumber::kFraction:
    case CNumber::kMixed: {
        const CLongInteger& numerator = value.Numerator();
        const CLongInteger& denominator = value.DenominatorPart();
        const bool proper = !value.IsMixed() || numerator.Abs().Less(denominator);
        return denominator.Sign() > 0 && !denominator.IsOne() && proper &&
               CLongInteger::Gcd(numerator, denominator).IsOne();
    }
    }
    return false;
}

enum class Variant { Expression, Equation, Levels };

void Simplify(CExpression& workspace, Variant variant) {
    if (!RunPlainStage(workspace)) {
        EndWithError(workspace);
        return;
    }
    const LevelStepping stepping = variant == Variant::Expression ? LevelStepping::UntilDone
                                   : variant == Variant::Equation ? LevelStepping::ForEquation
                                                                  : LevelStepping::UntilLevelSum;
    for (int round = 0; round < EngineLimits::kMaxSimplifyRounds; ++round) {
        if (variant == Variant::Expression && workspace.Root() != nullptr &&
            IsFinishedNumber(*workspace.Root())) {
            return;
        }
        if (variant == Variant::Expression ? IsSingleFraction(workspace) : IsFinishedLevelSum(workspace)) {
            if (variant == Variant::Expression) {
                FinishFraction(workspace);
            } else {
                FinishLevelSums(workspace);
            }
            if (!workspace.Validate()) {
                EndWithError(workspace);
            }
            return;
        }
        Tidy(workspace);
        CancelOppositePairs(workspace);
        if (!workspace.Validate()) {
            EndWithError(workspace);
            return;
        }
        BuildRationalForms(workspace);
        bool stop = false;
        StepLevels(workspace, stepping, &stop);
        if (!workspace.Validate()) {
            EndWithError(workspace);
            return;
        }
        if (stop) {
            FinishLevelSums(workspace);
            if (!workspace.Validate()) {
                EndWithError(workspace);
            }
            return;
        }
    }
    workspace.SetError(ProblemError::ProblemTooLarge);
    EndWithError(workspace);
}

} // namespace

void SimplifyExpression(CExpression& workspace) {
    Simplify(workspace, Variant::Expression);
}

void SimplifyForEquation(CExpression& workspace) {
    Simplify(workspace, Variant::Equation);
}

void SimplifyToLevels(CExpression& workspace) {
    Simplify(workspace, Variant::Levels);
}

bool IsSingleFraction(const COperation& tree) {
    if (tree.GetType() == NodeType::HyperMonom) {
        return true;
    }
    if (tree.GetType() != NodeType::Addition) {
        return false;
    }
    const COperationList& terms = *tree.AsList();
    return terms.GetCount() == 1 && terms.Head()->child->GetType() == NodeType::HyperMonom;
}

bool IsSingleFraction(CExpression& workspace) {
    return workspace.Root() != nullptr && IsSingleFraction(*workspace.Root());
}

bool IsFinishedLevelSum(const COperation& tree) {
    if (IsSingleFraction(tree)) {
        return true;
    }
    if (tree.GetType() != NodeType::LevelAddition) {
        return false;
    }
    const auto& sum = NodeAs<COLevelAddition>(tree);
    return sum.plainTermCount == 0 &&
           sum.fractionStage == COLevelAddition::FractionStage::ExpandNumeratorPowers;
}

bool IsFinishedLevelSum(CExpression& workspace) {
    return workspace.Root() != nullptr && IsFinishedLevelSum(*workspace.Root());
}

COHyperMonom* SingleFraction(COperation& tree) {
    if (!IsSingleFraction(tree)) {
        return nullptr;
    }
    if (tree.GetType() == NodeType::HyperMonom) {
        return &NodeAs<COHyperMonom>(tree);
    }
    return &NodeAs<COHyperMonom>(*tree.AsList()->Head()->child);
}

COHyperMonom* SingleFraction(CExpression& workspace) {
    return workspace.Root() == nullptr ? nullptr : SingleFraction(*workspace.Root());
}
