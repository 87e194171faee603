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

    COperation* Base() const { return base.get(); }
    COperation* Exponent() const { return exponent.get(); }
    NodePtr& BaseSlot() { return base; }
    NodePtr& ExponentSlot() { return exponent; }

protected:
    COPower(const COPower& other);
    void WriteBody(std::string& text, TextContext context) const override;
    // The equality of every power class; `other` is of family Power or lower.
    bool IsEqualPower(const COperation& other) const;

private:
    NodePtr base;
    NodePtr exponent;
};
