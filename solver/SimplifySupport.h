#pragma once

// Small helpers shared by the passes of the simplifier: the optional workspace a pass records into,
// and the tree edits that every pass needs (replacing a node by a number or by its only element,
// wrapping a node into a negated one-term sum).

#include "model/COperation.h"
#include "model/COperationList.h"
#include "output/CommentID.h"
#include "output/ProblemError.h"

#include <cstdint>

class CExpression;
class CNumber;

// The workspace a pass records into, or none for a pass run on a bare tree.
class StepSink {
public:
    explicit StepSink(CExpression* workspace) : m_workspace(workspace) {}

    bool HasWorkspace() const { return m_workspace != nullptr; }
    CExpression* Workspace() const { return m_workspace; }
    // RecordStep(0) of the workspace; nothing without one.
    void Record() const;
    void RecordForced() const;
    void Queue(CommentID id) const;
    // Validate() of the workspace (which sets the error code of a failure); a bare tree counts as
    // valid. A number that grew past the limits makes the workspace invalid with the "too large"
    // error.
    bool Valid() const;
    // Sets the error code unless one is set already.
    void Fail(ProblemError code) const;

private:
    CExpression* m_workspace;
};

// The tree root slot of a workspace.
NodeHandle TreeSlot(CExpression& workspace);

// Sets the "too large" error when a number or polynomial grew past the limits; true when the
// workspace is still valid afterwards.
bool CheckLimits(CExpression& workspace);

bool IsNumberLeaf(const COperation* node);
// A number leaf with exactly this value.
bool IsNumberValue(const COperation* node, std::int32_t value);

NodePtr MakeNumber(std::int32_t value);
NodePtr MakeNumber(const CNumber& value);

// Stores `replacement` through the handle, moving the comments of the old node onto it.
void ReplaceNode(NodeHandle handle, NodePtr replacement);
// Replaces an n-ary node by the child of its only cell (the cell is assumed to hold sign +1).
void ReplaceByOnlyElement(NodeHandle handle);
// Puts the node at the handle into a new one-term sum with sign -1.
void WrapNegated(NodeHandle handle);
// A plain sum of exactly one term whose sign is -1.
bool IsNegatedSingleTerm(const COperation& node);

// Moves the cells of `from` into `to` before `position` (End() appends), each sign multiplied by
// `signFactor`; `from` is left empty.
void SpliceCells(COperationList& to, COperationList::Position position, COperationList& from,
                 std::int32_t signFactor);
