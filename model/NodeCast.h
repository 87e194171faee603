#pragma once

// Checked downcasts from COperation to a node class, for places where the kind is known from the
// tree's shape or an earlier test (the base of a COPower inside a monomial is a COVariable, the
// child of a level sum is a COHyperMonom). The kind is checked by ORBELIN_ASSERT, so a wrong
// assumption stops the sanitizer build at the cast instead of corrupting memory later; in Release
// the cast is a plain static_cast.
//
//   COPower& power = NodeAs<COPower>(*cell.child);
//   std::unique_ptr<COPolynom> copy = CloneNode(polynom);

#include "model/COperation.h"
#include "model/EngineAssert.h"

#include <memory>
#include <type_traits>

template <class T> T& NodeAs(COperation& node) {
    static_assert(std::is_base_of_v<COperation, T>);
    ORBELIN_ASSERT(dynamic_cast<T*>(&node) != nullptr);
    return static_cast<T&>(node);
}

template <class T> const T& NodeAs(const COperation& node) {
    static_assert(std::is_base_of_v<COperation, T>);
    ORBELIN_ASSERT(dynamic_cast<const T*>(&node) != nullptr);
    return static_cast<const T&>(node);
}

// Takes over an owned node known to be of class T.
template <class T> std::unique_ptr<T> TakeNodeAs(NodePtr node) {
    ORBELIN_ASSERT(node != nullptr);
    T& typed = NodeAs<T>(*node);
    node.release();
    return std::unique_ptr<T>(&typed);
}

// Deep copy of a node with its own class (COperation::Clone returns the base pointer).
template <class T> std::unique_ptr<T> CloneNode(const T& node) {
    return TakeNodeAs<T>(node.Clone());
}
