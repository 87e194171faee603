#pragma once

// A power: base and exponent, both owned.

#include "model/COperation.h"

class COPower : public COperation {
public:
    COPower(NodePtr base, NodePtr exponent);
    ~COPower() override;

    bool IsEqual(const COperation& other) const override;
    NodeFamily GetFamily() const override { return NodeFamily::Power; }
    NodeType GetType() const override { return NodeType::Power; }
    bool HasZeroDivisor() const override;
    bool IsDefined() const override;
    NodePtr Clone() const override;
    void DetachChildren(std::vector<NodePtr>& out) override;

    COperation* Base() const { return m_base.get(); }
    COperation* Exponent() const { return m_exponent.get(); }
    NodePtr& BaseSlot() { return m_base; }
    NodePtr& ExponentSlot() { return m_exponent; }

    // A deep copy, as Clone makes it (comments are not copied).
    COPower(const COPower& other);

protected:
    void WriteBody(std::string& text, TextContext context) const override;

private:
    NodePtr m_base;
    NodePtr m_exponent;
};
