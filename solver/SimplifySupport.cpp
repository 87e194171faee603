#include "solver/SimplifySupport.h"

#include "model/CNumber.h"
#include "model/COAddition.h"
#include "model/CONumber.h"
#include "solver/CExpression.h"

void StepSink::Record() const {
    if (m_workspace != nullptr) {
        m_workspace->RecordStep(false);
    }
}

void StepSink::RecordForced() const {
    if (m_workspace != nullptr) {
        m_workspace->RecordStep(true);
    }
}

void StepSink::Queue(CommentID id) const {
    if (m_workspace != nullptr) {
        m_workspace->QueueComment(id);
    }
}

bool StepSink::Valid() const {
    return m_workspace == nullptr || m_workspace->Validate();
}

void StepSink::Fail(ProblemError code) const {
    if (m_workspace != nullptr) {
        m_workspace->SetError(code);
    }
}

NodeHandle TreeSlot(CExpression& workspace) {
    return workspace.RootSlot();
}

bool CheckLimits(CExpression& workspace) {
    return workspace.Validate();
}

bool IsNumberLeaf(const COperation* node) {
    return AsNumber(node) != nullptr;
}

bool IsNumberValue(const COperation* node, std::int32_t value) {
    const CONumber* number = AsNumber(node);
    if (number == nullptr) {
        return false;
    }
    if (value == 0) {
        return number->Value().IsZero();
    }
    if (value == 1) {
        return number->Value().IsOne();
    }
    return number->Value().Equal(CNumber(value));
}

NodePtr MakeNumber(std::int32_t value) {
    return std::make_unique<CONumber>(value);
}

NodePtr MakeNumber(const CNumber& value) {
    return std::make_unique<CONumber>(value);
}

void ReplaceNode(NodeHandle handle, NodePtr replacement) {
    if (*handle) {
        replacement->TakeCommentsFrom(**handle);
    }
    *handle = std::move(replacement);
}

void ReplaceByOnlyElement(NodeHandle handle) {
    NodePtr element = (*handle)->AsList()->RemoveHead();
    ReplaceNode(handle, std::move(element));
}

void WrapNegated(NodeHandle handle) {
    NodePtr node = std::move(*handle);
    *handle = std::make_unique<COAddition>(std::move(node), -1);
}

bool IsNegatedSingleTerm(const COperation& node) {
    if (node.GetType() != NodeType::Addition) {
        return false;
    }
    const COperationList& list = *node.AsList();
    return list.GetCount() == 1 && list.Head()->sign == -1;
}

void SpliceCells(COperationList& to, COperationList::Position position, COperationList& from,
                 std::int32_t signFactor) {
    for (ListCell& cell : from) {
        cell.sign *= signFactor;
    }
    to.GetCells().splice(position, from.GetCells());
}
