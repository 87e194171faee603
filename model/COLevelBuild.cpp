// Building the level nodes in place (the class shells are in COLevelAddition.cpp,
// COLevelMultiplication.cpp and COLevelPower.cpp).

#include "model/COHyperMonom.h"
#include "model/COLevelAddition.h"
#include "model/COLevelMultiplication.h"
#include "model/COLevelPower.h"
#include "model/CONumber.h"
#include "model/EngineAssert.h"
#include "model/NodeCast.h"

#include <algorithm>

namespace {

bool AllHyperMonoms(const COperationList& list) {
    return std::all_of(list.begin(), list.end(), [](const ListCell& cell) {
        return cell.child && cell.child->GetType() == NodeType::HyperMonom;
    });
}

bool HasDenominator(const ListCell& cell) {
    return NodeAs<COHyperMonom>(*cell.child).DenominatorCount() > 0;
}

} // namespace

bool COLevelAddition::Qualifies(const COperation& node) {
    return node.GetType() == NodeType::Addition && node.AsList()->GetCount() > 1 &&
           AllHyperMonoms(*node.AsList());
}

COLevelAddition* COLevelAddition::Build(NodeHandle handle) {
    NodePtr old = std::move(*handle);
    auto level = std::make_unique<COLevelAddition>();
    COperationList& list = *old->AsList();
    bool plainAfterFraction = false;
    bool seenFraction = false;
    for (const ListCell& cell : list) {
        seenFraction = seenFraction || HasDenominator(cell);
        plainAfterFraction = plainAfterFraction || (seenFraction && !HasDenominator(cell));
    }
    for (bool withDenominator : {false, true}) {
        for (auto position = list.Head(); position != list.End();) {
            if (HasDenominator(*position) == withDenominator) {
                const std::int32_t sign = position->sign;
                level->AddTail(list.RemoveAt(position, 1), sign);
                (withDenominator ? level->fractionTermCount : level->plainTermCount)++;
            } else {
                ++position;
            }
        }
    }
    ORBELIN_ASSERT(level->CountsMatchTerms());
    level->plainStage = level->plainTermCount == 0 ? PlainStage::Finished : PlainStage::ExpandPowers;
    level->fractionStage =
        level->fractionTermCount == 0 ? FractionStage::Finished : FractionStage::SplitMonomialFactors;
    level->TakeCommentsFrom(*old);
    level->SetCrossOut(old->CrossOut());
    if (plainAfterFraction) {
        level->AddComment(CommentID::TermsReordered);
    }
    COLevelAddition* result = level.get();
    *handle = std::move(level);
    return result;
}

bool COLevelMultiplication::Qualifies(const COperation& node) {
    return (node.GetType() == NodeType::Multiplication || node.GetType() == NodeType::Fraction) &&
           !node.AsList()->IsEmpty() && AllHyperMonoms(*node.AsList());
}

COLevelMultiplication* COLevelMultiplication::Build(NodeHandle handle) {
    NodePtr old = std::move(*handle);
    auto level = std::make_unique<COLevelMultiplication>(old->GetType());
    level->AppendList(*old->AsList(), true);
    level->TakeCommentsFrom(*old);
    level->SetCrossOut(old->CrossOut());
    COLevelMultiplication* result = level.get();
    *handle = std::move(level);
    return result;
}

bool COLevelPower::Qualifies(const COperation& node) {
    if (node.GetType() != NodeType::Power) {
        return false;
    }
    const auto& power = NodeAs<COPower>(node);
    const CONumber* exponent = AsNumber(power.Exponent());
    return power.Base() != nullptr && power.Base()->GetType() == NodeType::HyperMonom &&
           exponent != nullptr && exponent->Value().Sign() > 0;
}

COLevelPower* COLevelPower::Build(NodeHandle handle) {
    NodePtr old = std::move(*handle);
    auto& power = NodeAs<COPower>(*old);
    auto level = std::make_unique<COLevelPower>(std::move(power.BaseSlot()), std::move(power.ExponentSlot()));
    level->TakeCommentsFrom(*old);
    level->SetCrossOut(old->CrossOut());
    COLevelPower* result = level.get();
    *handle = std::move(level);
    return result;
}
