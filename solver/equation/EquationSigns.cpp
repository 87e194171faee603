#include "solver/equation/EquationSigns.h"

#include "model/COAddition.h"
#include "model/CONumber.h"
#include "model/COPolynom.h"
#include "model/COPower.h"
#include "model/COperationList.h"
#include "model/NodeCast.h"
#include "solver/CExEquation.h"

#include <algorithm>

namespace {

const CONumber* NumberExponent(const COperation& power) {
    return AsNumber(NodeAs<COPower>(power).Exponent());
}

const COperation* Base(const COperation& power) {
    return NodeAs<COPower>(power).Base();
}

bool ExponentIsZero(const COperation& power) {
    const CONumber* exponent = NumberExponent(power);
    return exponent && exponent->Value().IsZero();
}

bool ExponentIsEven(const COperation& power) {
    const CONumber* exponent = NumberExponent(power);
    return exponent && exponent->Value().IsWhole() && exponent->Value().IsEvenInteger();
}

template <typename Test> bool EveryElement(const COperation& node, Test test) {
    const COperationList& list = *node.AsList();
    return std::all_of(list.begin(), list.end(), [&](const ListCell& cell) { return test(*cell.child); });
}

bool EveryTermAdded(const COperation& node) {
    return node.AsList()->CountWithSign(-1) == 0;
}

// The polynomial in the node, when its leading term is negative.
COPolynom* NegativePolynom(COperation* node) {
    if (!node || node->GetType() != NodeType::Polynom) {
        return nullptr;
    }
    auto* polynom = &NodeAs<COPolynom>(*node);
    return polynom->LeadingSign() < 0 ? polynom : nullptr;
}

// Takes the minus off the base of a power; true when there was one to take.
bool TakeSignOffBase(COPower& power) {
    if (!AsNumber(power.Exponent())) {
        return false;
    }
    if (COPolynom* polynom = NegativePolynom(power.Base())) {
        polynom->MakeLeadingSignPositive();
        return true;
    }
    COperation* base = power.Base();
    if (base && base->GetFamily() == NodeFamily::Addition && base->AsList()->GetCount() == 1 &&
        base->AsList()->GetSignAt(1) < 0) {
        power.BaseSlot() = base->AsList()->RemoveHead();
        return true;
    }
    return false;
}

// The walk itself: returns -1 when the node now stands for minus its old value, so that the caller
// moves the minus on; `changed` is set when anything was rewritten.
std::int32_t MoveSignsOut(NodeHandle handle, bool& changed) {
    COperation* node = handle->get();
    if (!node) {
        return 1;
    }
    switch (node->GetFamily()) {
    case NodeFamily::Addition:
        if (COPolynom* polynom = NegativePolynom(node)) {
            polynom->MakeLeadingSignPositive();
            polynom->AddComment(CommentID::SignTakenOutOfBracket);
            changed = true;
            return -1;
        }
        if (node->GetType() != NodeType::Polynom) {
            for (ListCell& cell : *node->AsList()) {
                if (MoveSignsOut(&cell.child, changed) < 0) {
                    cell.sign = -cell.sign;
                }
            }
        }
        return 1;
    case NodeFamily::Multiplication:
    case NodeFamily::Fraction: {
        std::int32_t sign = 1;
        if (node->GetType() != NodeType::Monom) {
            for (ListCell& cell : *node->AsList()) {
                sign *= MoveSignsOut(&cell.child, changed);
            }
        }
        return sign;
    }
    case NodeFamily::Power: {
        auto& power = NodeAs<COPower>(*node);
        if (!TakeSignOffBase(power)) {
            return 1;
        }
        power.AddComment(CommentID::SignTakenOutOfBracket);
        changed = true;
        return ExponentIsEven(power) ? 1 : -1;
    }
    case NodeFamily::Number:
    case NodeFamily::Variable:
    case NodeFamily::Root:
    case NodeFamily::Relation:
        return 1;
    }
    return 1;
}

} // namespace

bool IsPositiveForEveryValue(const COperation& node) {
    switch (node.GetFamily()) {
    case NodeFamily::Number:
        return NodeAs<CONumber>(node).Value().Sign() > 0;
    case NodeFamily::Power:
        return ExponentIsZero(node) || (Base(node) && IsPositiveForEveryValue(*Base(node)));
    case NodeFamily::Multiplication:
    case NodeFamily::Fraction:
        return EveryElement(node, IsPositiveForEveryValue);
    case NodeFamily::Addition: {
        const COperationList& terms = *node.AsList();
        return EveryTermAdded(node) && EveryElement(node, IsNonNegativeForEveryValue) &&
               std::any_of(terms.begin(), terms.end(),
                           [](const ListCell& cell) { return IsPositiveForEveryValue(*cell.child); });
    }
    case NodeFamily::Variable:
    case NodeFamily::Root:
    case NodeFamily::Relation:
        return false;
    }
    return false;
}

bool IsNonNegativeForEveryValue(const COperation& node) {
    switch (node.GetFamily()) {
    case NodeFamily::Number:
        return NodeAs<CONumber>(node).Value().Sign() >= 0;
    case NodeFamily::Power:
        return ExponentIsZero(node) || ExponentIsEven(node) ||
               (Base(node) && IsNonNegativeForEveryValue(*Base(node)));
    case NodeFamily::Multiplication:
    case NodeFamily::Fraction:
        return EveryElement(node, IsNonNegativeForEveryValue);
    case NodeFamily::Addition:
        return EveryTermAdded(node) && EveryElement(node, IsNonNegativeForEveryValue);
    case NodeFamily::Variable:
    case NodeFamily::Root:
    case NodeFamily::Relation:
        return false;
    }
    return false;
}

bool TakeOutSigns(NodeHandle side) {
    bool changed = false;
    if (MoveSignsOut(side, changed) < 0) {
        NodePtr node = std::move(*side);
        *side = std::make_unique<COAddition>(std::move(node), -1);
    }
    return changed;
}

void UnwrapLeadingMinus(CExEquation& workspace) {
    COperation* left = workspace.Left();
    if (!left || left->GetFamily() != NodeFamily::Addition || left->AsList()->GetCount() != 1 ||
        left->AsList()->GetSignAt(1) > 0) {
        return;
    }
    workspace.LeftSlot() = left->AsList()->RemoveHead();
    workspace.QueueComment(CommentID::BothSidesTimesMinusOne);
    workspace.RecordStep(false);
}
