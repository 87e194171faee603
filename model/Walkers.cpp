#include "model/Walkers.h"

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
        VisitChildSlots(*node, rule.baseOnly, [&](NodeHandle child) { Walk(child, method, rule); });
    }
    if (rule.order == Order::ChildrenFirst && handle->get() != nullptr) {
        method.Apply(handle);
    }
}

} // namespace

void ForEachChildSlot(COperation& node, bool baseOnly, const std::function<void(NodeHandle)>& action) {
    VisitChildSlots(node, baseOnly, action);
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
