#pragma once

// The five generic walks over a tree. Each takes the handle of the node to start from and a visitor,
// and calls the visitor with the handle of every node it reaches. Children are a power's base and
// exponent, a root's radicand, a relation's left then right side, and a list's elements in order;
// a root's degree is a value and is never visited.
//
// The "plain" walks visit a specialised node (monomial, polynomial, level node, ...) but do not enter
// it. In the visitor-first walks the visitor runs first and the walk then enters whatever node stands
// at the handle after the visit. Recursion follows the depth of the tree (bounded by the parser's
// nesting limit); child lists are walked in a loop.

#include "model/CMethod.h"
#include "model/COPower.h"
#include "model/CORelation.h"
#include "model/CORoot.h"
#include "model/COperationList.h"
#include "model/NodeCast.h"

// Visitor first, plain nodes entered, powers by their base only.
void WalkPlainBase(NodeHandle handle, CMethod& method);
// Visitor first, plain nodes entered.
void WalkPlain(NodeHandle handle, CMethod& method);
// Children first, plain nodes entered.
void WalkPlainPost(NodeHandle handle, CMethod& method);
// Visitor first, every node entered.
void WalkAll(NodeHandle handle, CMethod& method);
// Children first, every node entered.
void WalkAllPost(NodeHandle handle, CMethod& method);

// The slots holding the children of a node, in walking order; `baseOnly` leaves out the exponent
// of a power.
void ForEachChildSlot(COperation& node, bool baseOnly, const std::function<void(NodeHandle)>& action);

// The same with the action inlined: the walks visit every node of trees of thousands of nodes at
// every recorded step, where a call through std::function per node is a large part of the cost.
template <class Action> void VisitChildSlots(COperation& node, bool baseOnly, Action&& action) {
    switch (node.GetFamily()) {
    case NodeFamily::Number:
    case NodeFamily::Variable:
        return;
    case NodeFamily::Power: {
        auto& power = NodeAs<COPower>(node);
        action(&power.BaseSlot());
        if (!baseOnly) {
            action(&power.ExponentSlot());
        }
        return;
    }
    case NodeFamily::Root:
        action(&NodeAs<CORoot>(node).RadicandSlot());
        return;
    case NodeFamily::Relation: {
        auto& relation = NodeAs<CORelation>(node);
        action(&relation.LeftSlot());
        action(&relation.RightSlot());
        return;
    }
    case NodeFamily::Multiplication:
    case NodeFamily::Fraction:
    case NodeFamily::Addition:
        for (ListCell& cell : *node.AsList()) {
            action(&cell.child);
        }
        return;
    }
}
