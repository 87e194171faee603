#include "model/TreeQueries.h"
#include "model/NodeCast.h"

#include "model/COMultiplication.h"
#include "model/CONumber.h"
#include "model/COPower.h"
#include "model/COperationList.h"
#include "model/Walkers.h"

namespace {

// True when `test` holds for some node reached; with `plainOnly` specialised nodes are tested but
// not entered. Stops at the first hit. Templates, so that the test of every node of a large tree
// is an inlined call (the validity of every recorded step is such a walk).
template <class Test> bool AnyNode(const COperation& node, bool plainOnly, const Test& test) {
    if (test(node)) {
        return true;
    }
    if (plainOnly && !node.IsPlain()) {
        return false;
    }
    bool found = false;
    VisitChildSlots(const_cast<COperation&>(node), false, [&](NodeHandle child) {
        if (!found && *child) {
            found = AnyNode(**child, plainOnly, test);
        }
    });
    return found;
}

template <class Action> void EveryNode(COperation& node, bool plainOnly, const Action& action) {
    action(node);
    if (plainOnly && !node.IsPlain()) {
        return;
    }
    VisitChildSlots(node, false, [&](NodeHandle child) {
        if (*child) {
            EveryNode(**child, plainOnly, action);
        }
    });
}

bool IsNegativeNumberExponent(const COperation& exponent) {
    if (const CONumber* number = AsNumber(&exponent)) {
        return number->Value().Sign() < 0;
    }
    if (exponent.GetFamily() == NodeFamily::Addition) {
        const COperationList& terms = *exponent.AsList();
        if (terms.GetCount() == 1) {
            const CONumber* number = AsNumber(terms.begin()->child.get());
            return number != nullptr && terms.begin()->sign * number->Value().Sign() < 0;
        }
    }
    return false;
}

} // namespace

bool HasDivision(const COperation& node) {
    return AnyNode(node, false, [](const COperation& n) {
        return IsProductFamily(n.GetFamily()) && n.AsList()->CountWithSign(-1) > 0;
    });
}

bool HasDenominator(const COperation& node) {
    return AnyNode(node, false, [](const COperation& n) {
        return n.GetFamily() == NodeFamily::Fraction && n.AsList()->CountWithSign(-1) > 0;
    });
}

bool HasNegativeExponent(const COperation& node) {
    return AnyNode(node, true, [](const COperation& n) {
        if (n.GetType() != NodeType::Power) {
            return false;
        }
        const COperation* exponent = NodeAs<COPower>(n).Exponent();
        return exponent != nullptr && IsNegativeNumberExponent(*exponent);
    });
}

bool IsIntegralForm(const COperation& node) {
    return !HasDivision(node) && !HasNegativeExponent(node);
}

bool HasNoVariableOrRoot(const COperation& node) {
    return !AnyNode(node, false, [](const COperation& n) {
        return n.GetFamily() == NodeFamily::Variable || n.GetFamily() == NodeFamily::Root;
    });
}

bool HasZeroDenominatorNumber(const COperation& node) {
    return AnyNode(node, false, [](const COperation& n) {
        const CONumber* number = AsNumber(&n);
        return number != nullptr && (number->Value().IsFraction() || number->Value().IsMixed()) &&
               number->Value().DenominatorPart().IsZero();
    });
}

namespace {

bool IsSoundNumber(const CNumber& value) {
    return value.IsComplete() &&
           !((value.IsFraction() || value.IsMixed()) && value.DenominatorPart().IsZero());
}

bool IsSoundNode(const COperation& node, std::int64_t& visited);

bool IsSoundChild(const COperation* child, std::int64_t& visited) {
    return child != nullptr && IsSoundNode(*child, visited);
}

// Zero to a negative power divides by zero: 0^{-2} is 1/0^2.
bool IsSoundPower(const COPower& power, std::int64_t& visited) {
    const CONumber* exponent = AsNumber(power.Exponent());
    if (power.Base() != nullptr && exponent != nullptr && exponent->Value().Sign() < 0 &&
        IsZeroValued(*power.Base())) {
        return false;
    }
    return IsSoundChild(power.Base(), visited) && IsSoundChild(power.Exponent(), visited);
}

// Not only the number 0 divides by zero: so does a divisor such as {0}, 0^2 or 0*x, as the
// polynomial forms write a zero.
bool IsSoundList(const COperationList& list, bool product, std::int64_t& visited) {
    if (list.IsEmpty()) {
        return false;
    }
    for (const ListCell& cell : list) {
        if (!cell.child || (product && cell.sign == -1 && IsZeroValued(*cell.child)) ||
            !IsSoundNode(*cell.child, visited)) {
            return false;
        }
    }
    return true;
}

bool IsSoundNode(const COperation& node, std::int64_t& visited) {
    ++visited;
    switch (node.GetFamily()) {
    case NodeFamily::Number:
        return IsSoundNumber(static_cast<const CONumber&>(node).Value());
    case NodeFamily::Variable:
        return true;
    case NodeFamily::Power:
        return IsSoundPower(static_cast<const COPower&>(node), visited);
    case NodeFamily::Root: {
        const auto& root = static_cast<const CORoot&>(node);
        return root.Degree().IsComplete() && IsSoundChild(root.Radicand(), visited);
    }
    case NodeFamily::Relation: {
        const auto& relation = static_cast<const CORelation&>(node);
        return IsSoundChild(relation.Left(), visited) && IsSoundChild(relation.Right(), visited);
    }
    case NodeFamily::Multiplication:
    case NodeFamily::Fraction:
        return IsSoundList(*node.AsList(), true, visited);
    case NodeFamily::Addition:
        return IsSoundList(*node.AsList(), false, visited);
    }
    return false;
}

} // namespace

bool IsSoundTree(const COperation& node, std::int64_t& visited) {
    return IsSoundNode(node, visited);
}

bool IsPurelyNumeric(const COperation& node) {
    return !AnyNode(node, false, [](const COperation& n) {
        const NodeFamily family = n.GetFamily();
        return family == NodeFamily::Variable || family == NodeFamily::Root || family == NodeFamily::Relation;
    });
}

bool IsSumOfHyperMonoms(const COperation& node) {
    if (node.GetFamily() != NodeFamily::Addition) {
        return false;
    }
    for (const ListCell& cell : *node.AsList()) {
        if (!cell.child || cell.child->GetType() != NodeType::HyperMonom) {
            return false;
        }
    }
    return true;
}

void SetMarks(COperation& node, std::int32_t value) {
    EveryNode(node, true, [value](COperation& n) { n.SetPassMark(value); });
}

void SetMarksAll(COperation& node, std::int32_t value) {
    EveryNode(node, false, [value](COperation& n) { n.SetPassMark(value); });
}

void ClearAllComments(COperation& node) {
    EveryNode(node, false, [](COperation& n) { n.RemoveAllComments(); });
}

namespace {

bool IsProductOrPowerFamily(const COperation& node) {
    return node.GetFamily() == NodeFamily::Multiplication || node.GetFamily() == NodeFamily::Power;
}

} // namespace

bool IsProductOrPower(const COperation& node, bool allowWrapped) {
    if (IsProductOrPowerFamily(node)) {
        return true;
    }
    if (!allowWrapped || node.GetFamily() != NodeFamily::Addition) {
        return false;
    }
    const COperationList& terms = *node.AsList();
    return terms.GetCount() == 1 && terms.begin()->child && IsProductOrPowerFamily(*terms.begin()->child);
}

std::int32_t NormalizeToProduct(NodeHandle cell) {
    if (cell == nullptr || !*cell) {
        return 1;
    }
    std::int32_t sign = 1;
    if ((*cell)->GetFamily() == NodeFamily::Addition) {
        COperationList& terms = *(*cell)->AsList();
        if (terms.GetCount() != 1 || !terms.begin()->child ||
            !IsProductOrPowerFamily(*terms.begin()->child)) {
            return 1;
        }
        sign = terms.begin()->sign;
        NodePtr term = terms.RemoveHead();
        *cell = std::move(term); // frees the emptied sum
    }
    if ((*cell)->GetFamily() == NodeFamily::Power) {
        NodePtr power = std::move(*cell);
        *cell = std::make_unique<COMultiplication>(std::move(power), 1);
    }
    return sign;
}

bool IsZeroValued(const COperation& node) {
    switch (node.GetFamily()) {
    case NodeFamily::Number:
        return AsNumber(&node) != nullptr && AsNumber(&node)->Value().IsZero();
    case NodeFamily::Variable:
    case NodeFamily::Relation:
        return false;
    case NodeFamily::Power: {
        const auto& power = static_cast<const COPower&>(node);
        const CONumber* exponent = AsNumber(power.Exponent());
        return power.Base() != nullptr && exponent != nullptr && exponent->Value().Sign() > 0 &&
               IsZeroValued(*power.Base());
    }
    case NodeFamily::Root:
        return false;
    case NodeFamily::Multiplication:
    case NodeFamily::Fraction:
        if (node.IsPlain()) {
            return false;
        }
        for (const ListCell& cell : *node.AsList()) {
            if (cell.sign == 1 && cell.child && IsZeroValued(*cell.child)) {
                return true;
            }
        }
        return false;
    case NodeFamily::Addition: {
        const COperationList& terms = *node.AsList();
        if (node.IsPlain() || terms.IsEmpty()) {
            return false;
        }
        for (const ListCell& cell : terms) {
            if (!cell.child || !IsZeroValued(*cell.child)) {
                return false;
            }
        }
        return true;
    }
    }
    return false;
}
