#pragma once

// A product: each cell sign +1 multiplies by the element, -1 divides by it (written ":").

#include "model/COperationList.h"

class COMultiplication : public COperation, public COperationList {
public:
    COMultiplication() = default;
    COMultiplication(NodePtr first, std::int32_t sign);
    ~COMultiplication() override;

    bool IsEqual(const COperation& other) const override;
    NodeFamily GetFamily() const override { return NodeFamily::Multiplication; }
    NodeType GetType() const override { return NodeType::Multiplication; }
    bool HasZeroDivisor() const override;
    bool IsDefined() const override;
    NodePtr Clone() const override;
    void DetachChildren(std::vector<NodePtr>& out) override { DetachCells(out); }
    COperationList* AsList() override { return this; }

    // A deep copy, as Clone makes it (comments are not copied).
    COMultiplication(const COMultiplication& other);

protected:
    void WriteBody(std::string& text, TextContext context) const override;
};
