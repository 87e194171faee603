#include "model/COperation.h"

#include <algorithm>

COperation::~COperation() = default;

COperation::COperation(const COperation& other)
    : m_crossOut(other.m_crossOut), m_passMark(other.m_passMark) {}

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
    bool wrapped = m_crossOut != 0;
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
        text += std::to_string(m_crossOut);
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
    if (!m_comments) {
        m_comments = std::make_unique<CommentList>();
    }
    m_comments->push_back(id);
}

std::optional<CommentIDType> COperation::TakeComment() {
    if (!m_comments || m_comments->empty()) {
        return std::nullopt;
    }
    CommentIDType first = m_comments->front();
    m_comments->erase(m_comments->begin());
    return first;
}

std::int32_t COperation::CommentCount() const {
    return m_comments ? static_cast<std::int32_t>(m_comments->size()) : 0;
}

void COperation::TakeCommentsFrom(COperation& other) {
    if (&other == this || !other.m_comments || other.m_comments->empty()) {
        return;
    }
    if (!m_comments) {
        m_comments = std::make_unique<CommentList>();
    }
    m_comments->insert(m_comments->end(), other.m_comments->begin(), other.m_comments->end());
    other.m_comments->clear();
}

void COperation::RemoveAllComments() {
    if (m_comments) {
        m_comments->clear();
    }
}

bool IsEqualNodes(const COperation& a, const COperation& b) {
    if (ToNumber(a.GetFamily()) < ToNumber(b.GetFamily())) {
        return b.IsEqual(a);
    }
    return a.IsEqual(b);
}
