#include "model/CORelation.h"
#include "model/NodeCast.h"

CORelation::CORelation(RelationCode code, NodePtr left, NodePtr right)
    : m_left(std::move(left)), m_right(std::move(right)), m_code(code) {}

CORelation::~CORelation() {
    DeleteChildren();
}

CORelation::CORelation(const CORelation& other)
    : COperation(other), m_left(other.m_left ? other.m_left->Clone() : nullptr),
      m_right(other.m_right ? other.m_right->Clone() : nullptr), m_code(other.m_code) {}

NodePtr CORelation::Clone() const {
    return std::make_unique<CORelation>(*this);
}

void CORelation::DetachChildren(std::vector<NodePtr>& out) {
    if (m_left) {
        out.push_back(std::move(m_left));
    }
    if (m_right) {
        out.push_back(std::move(m_right));
    }
}

bool CORelation::IsEqual(const COperation& other) const {
    if (other.GetType() != NodeType::Relation) {
        return false;
    }
    const auto& relation = NodeAs<CORelation>(other);
    return m_left && m_right && relation.m_left && relation.m_right &&
           IsEqualNodes(*m_left, *relation.m_left) && IsEqualNodes(*m_right, *relation.m_right);
}

bool CORelation::HasZeroDivisor() const {
    return (m_left && m_left->HasZeroDivisor()) || (m_right && m_right->HasZeroDivisor());
}

bool CORelation::IsDefined() const {
    return m_left && m_right && m_left->IsDefined() && m_right->IsDefined();
}

const char* RelationSign(RelationCode code) {
    switch (code) {
    case RelationCode::Equal:
        return "=";
    case RelationCode::LessEqual:
        return "<=";
    case RelationCode::GreaterEqual:
        return ">=";
    case RelationCode::Less:
        return "<";
    case RelationCode::Greater:
        return ">";
    }
    return "=";
}

void CORelation::WriteBody(std::string& text, TextContext) const {
    if (m_left) {
        m_left->WriteText(text, TextContext::Free);
    }
    text += RelationSign(m_code);
    if (m_right) {
        m_right->WriteText(text, TextContext::Free);
    }
}
