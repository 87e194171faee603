#include "model/Walkers.h"
#include "model/NodeCast.h"

#include "model/COPower.h"
#include "model/CORelation.h"
#include "model/CORoot.h"
#include "model/COperationList.h"

namespace {

enum class Order { VisitorFirst, ChildrenFirst };

struct WalkRule {
    Order order;
    bool plainOnly;
    bool baseOnly;
};

void Walk(NodeHandle handle, CMethod& method, const WalkRule& rule) {
    if (handle == nullptr) {
        return;
    }
    if (rule.order == Order::VisitorFirst && handle->get() != nullptr) {
        method.Apply(handle);
    }
    COperation* node = handle->get();
    if (node != nullptr && (!rule.plainOnly || node->IsPlain())) {
        ForEachChildSlot(*node, rule.baseOnly, [&](NodeHandle child) { Walk(child, method, rule); });
    }
    if (rule.order == Order::ChildrenFirst && handle->get() != nullptr) {
        method.Apply(handle);
    }
}

} // namespace

void ForEachChildSlot(COperation& node, bool baseOnly, const std::function<void(NodeHandle)>& action) {
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

void WalkPlainBase(NodeHandle handle, CMethod& method) {
    Walk(handle, method, WalkRule{Order::VisitorFirst, true, true});
}

void WalkPlain(NodeHandle handle, CMethod& method) {
    Walk(handle, method, WalkRule{Order::VisitorFirst, true, false});
}

void WalkPlainPost(NodeHandle handle, CMethod& method) {
    Walk(handle, method, WalkRule{Order::ChildrenFirst, true, false});
}

void WalkAll(NodeHandle handle, CMethod& method) {
    Walk(handle, method, WalkRule{Order::VisitorFirst, false, false});
}

void WalkAllPost(NodeHandle handle, CMethod& method) {
    Walk(handle, method, WalkRule{Order::ChildrenFirst, false, false});
}
