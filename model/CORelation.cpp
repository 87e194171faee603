#include "model/CORelation.h"
#include "model/NodeCast.h"

CORelation::CORelation(RelationCode code, NodePtr left, NodePtr right)
    : left(std::move(left)), right(std::move(right)), code(code) {}

CORelation::~CORelation() {
    DeleteChildren();
}

CORelation::CORelation(const CORelation& other)
    : COperation(other), left(other.left ? other.left->Clone() : nullptr),
      right(other.right ? other.right->Clone() : nullptr), code(other.code) {}

NodePtr CORelation::Clone() const {
    return std::make_unique<CORelation>(*this);
}

void CORelation::DetachChildren(std::vector<NodePtr>& out) {
    if (left) {
        out.push_back(std::move(left));
    }
    if (right) {
        out.push_back(std::move(right));
    }
}

bool CORelation::IsEqual(const COperation& other) const {
    if (other.GetType() != NodeType::Relation) {
        return false;
    }
    const auto& relation = NodeAs<CORelation>(other);
    return left && right && relation.left && relation.right && IsEqualNodes(*left, *relation.left) &&
           IsEqualNodes(*right, *relation.right);
}

bool CORelation::HasZeroDivisor() const {
    return (left && left->HasZeroDivisor()) || (right && right->HasZeroDivisor());
}

bool CORelation::IsDefined() const {
    return left && right && left->IsDefined() && right->IsDefined();
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
    if (left) {
        left->WriteText(text, TextContext::Free);
    }
    text += RelationSign(code);
    if (right) {
        right->WriteText(text, TextContext::Free);
    }
}
