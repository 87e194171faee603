#pragma once

// The base of every node of an operation tree. A tree is owned strictly from the root down: a
// parent owns its children, and a place that needs the same subtree twice holds a clone.
//
// A node handle is the address of the std::unique_ptr slot that owns a node: a cell of a child
// list, the base or exponent of a power, the radicand of a root, a side of a relation, or the
// variable holding the root of a whole tree. Every rewrite goes through a handle: the new node is
// stored into the slot, which frees the old subtree, so the parent never has to be found.

#include "model/NodeKind.h"
#include "output/CommentID.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class COperation;
class COperationList;

using NodePtr = std::unique_ptr<COperation>;
using NodeHandle = NodePtr*;

// Comment identifiers attached to one node since the last recorded step, in the order given.
using CommentList = std::vector<CommentIDType>;

class COperation {
public:
    virtual ~COperation();

    COperation& operator=(const COperation&) = delete;

    // Mathematical equality with a node whose family code is at most this node's family code.
    // Callers compare two arbitrary nodes with IsEqualNodes, which picks the right side.
    virtual bool IsEqual(const COperation& other) const = 0;

    virtual NodeFamily GetFamily() const = 0;
    virtual NodeType GetType() const = 0;
    bool IsPlain() const { return ToNumber(GetFamily()) == ToNumber(GetType()); }

    // Frees the whole subtree below this node (never recursing along child lists, and with one
    // level of recursion whatever the depth). A power, root or relation is left with empty child
    // slots; an n-ary node is left with no cells.
    void DeleteChildren();

    // Appends the node in the compact formula text. The context says where the node stands and
    // decides the brackets. A node with a cross-out number is wrapped as "!cross{k;...}" (roots and
    // relations are never wrapped).
    void WriteText(std::string& text, TextContext context) const;
    std::string ToText() const;

    // The subtree divides by the number zero somewhere.
    virtual bool HasZeroDivisor() const = 0;
    // Every part of the subtree is present (number leaves complete, lists not empty).
    virtual bool IsDefined() const = 0;
    // Deep copy of the same class, with cross-out number and pass mark but without comments.
    virtual NodePtr Clone() const = 0;

    // Moves every owned child out of the node into `out`, leaving the node childless. Used to free
    // deep trees without recursion (see DestroySubtrees).
    virtual void DetachChildren(std::vector<NodePtr>& out) = 0;

    // The child list of an n-ary node (families 4, 5 and 6), otherwise null.
    virtual COperationList* AsList() { return nullptr; }
    const COperationList* AsList() const { return const_cast<COperation*>(this)->AsList(); }

    // Cross-out number: 0 = not crossed out; equal positive numbers pair two cancelled factors.
    std::int32_t CrossOut() const { return m_crossOut; }
    void SetCrossOut(std::int32_t value) { m_crossOut = value; }
    // Scratch value of a tree pass; 0 outside a pass.
    std::int32_t PassMark() const { return m_passMark; }
    void SetPassMark(std::int32_t value) { m_passMark = value; }

    // Comments: what was done to this node in the current step.
    void AddComment(CommentIDType id);
    // Removes and returns the first comment; none when the list is empty.
    std::optional<CommentIDType> TakeComment();
    std::int32_t CommentCount() const;
    // Moves every comment of another node, in order, to the end of this node's list.
    void TakeCommentsFrom(COperation& other);
    void RemoveAllComments();
    const CommentList* Comments() const { return m_comments.get(); }

protected:
    COperation() = default;
    // Copies the cross-out number and the pass mark, never the comments.
    COperation(const COperation& other);

    // Writes the node itself; the cross-out wrapper is added by WriteText.
    virtual void WriteBody(std::string& text, TextContext context) const = 0;

private:
    std::int32_t m_crossOut = 0;
    std::int32_t m_passMark = 0;
    std::unique_ptr<CommentList> m_comments;
};

// Frees detached subtrees without recursion: each node is emptied before it is destroyed.
void DestroySubtrees(std::vector<NodePtr>& pending);

// Equality of two arbitrary nodes: the node of the higher family decides.
bool IsEqualNodes(const COperation& a, const COperation& b);
