#pragma once

// A relation between two owned sides: 0 "=", 1 "<=", 2 ">=", 3 "<", 4 ">".

#include "model/COperation.h"

enum class RelationCode : std::int32_t {
    Equal = 0,
    LessEqual = 1,
    GreaterEqual = 2,
    Less = 3,
    Greater = 4,
};

class CORelation : public COperation {
public:
    CORelation(RelationCode code, NodePtr left, NodePtr right);
    ~CORelation() override;

    // Relations are equal when their sides are; the relation codes are not compared.
    bool IsEqual(const COperation& other) const override;
    NodeFamily GetFamily() const override { return NodeFamily::Relation; }
    NodeType GetType() const override { return NodeType::Relation; }
    bool HasZeroDivisor() const override;
    bool IsDefined() const override;
    NodePtr Clone() const override;
    void DetachChildren(std::vector<NodePtr>& out) override;

    RelationCode Code() const { return m_code; }
    void SetCode(RelationCode value) { m_code = value; }
    COperation* Left() const { return m_left.get(); }
    COperation* Right() const { return m_right.get(); }
    NodePtr& LeftSlot() { return m_left; }
    NodePtr& RightSlot() { return m_right; }

    // A deep copy, as Clone makes it (comments are not copied).
    CORelation(const CORelation& other);

protected:
    void WriteBody(std::string& text, TextContext context) const override;

private:
    NodePtr m_left;
    NodePtr m_right;
    RelationCode m_code;
};

const char* RelationSign(RelationCode code);
