#include "model/COperation.h"

#include <algorithm>

COperation::~COperation() = default;

COperation::COperation(const COperation& other) : crossOut(other.crossOut), passMark(other.passMark) {}

void COperation::DeleteChildren() {
    std::vector<NodePtr> pending;
    DetachChildren(pending);
    DestroySubtrees(pending);
}

void DestroySubtrees(std::vector<NodePtr>& pending) {
    while (!pending.empty()) {
        NodePtr node = std::move(pending.back());
        pending.pop_back();
        if (node) {
            node->DetachChildren(pending);
        }
        // `node` has no children left, so its destructor frees only the node itself.
    }
}

void COperation::WriteText(std::string& text, TextContext context) const {
    bool wrapped = crossOut != 0;
    switch (GetFamily()) {
    case NodeFamily::Root:
    case NodeFamily::Relation:
        wrapped = false;
        break;
    case NodeFamily::Number:
    case NodeFamily::Variable:
    case NodeFamily::Power:
    case NodeFamily::Multiplication:
    case NodeFamily::Fraction:
    case NodeFamily::Addition:
        break;
    }
    if (wrapped) {
        text += "!cross{";
        text += std::to_string(crossOut);
        text += ';';
    }
    WriteBody(text, context);
    if (wrapped) {
        text += '}';
    }
}

std::string COperation::ToText() const {
    std::string text;
    WriteText(text, TextContext::Free);
    return text;
}

void COperation::AddComment(CommentIDType id) {
    if (!comments) {
        comments = std::make_unique<CommentList>();
    }
    comments->push_back(id);
}

std::optional<CommentIDType> COperation::TakeComment() {
    if (!comments || comments->empty()) {
        return std::nullopt;
    }
    CommentIDType first = comments->front();
    comments->erase(comments->begin());
    return first;
}

std::int32_t COperation::CommentCount() const {
    return comments ? static_cast<std::int32_t>(comments->size()) : 0;
}

void COperation::TakeCommentsFrom(COperation& other) {
    if (&other == this || !other.comments || other.comments->empty()) {
        return;
    }
    if (!comments) {
        comments = std::make_unique<CommentList>();
    }
    comments->insert(comments->end(), other.comments->begin(), other.comments->end());
    other.comments->clear();
}

void COperation::RemoveAllComments() {
    if (comments) {
        comments->clear();
    }
}

bool IsEqualNodes(const COperation& a, const COperation& b) {
    if (ToNumber(a.GetFamily()) < ToNumber(b.GetFamily())) {
        return b.IsEqual(a);
    }
    return a.IsEqual(b);
}
