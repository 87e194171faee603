#pragma once

// A fraction: elements with cell sign +1 form the numerator, those with -1 the denominator.

#include "model/COperationList.h"

class COFraction : public COperation, public COperationList {
public:
    COFraction() = default;
    COFraction(NodePtr first, std::int32_t sign);
    ~COFraction() override;

    bool IsEqual(const COperation& other) const override;
    NodeFamily GetFamily() const override { return NodeFamily::Fraction; }
    NodeType GetType() const override { return NodeType::Fraction; }
    bool HasZeroDivisor() const override;
    bool IsDefined() const override;
    NodePtr Clone() const override;
    void DetachChildren(std::vector<NodePtr>& out) override { DetachCells(out); }
    COperationList* AsList() override { return this; }

    // A deep copy, as Clone makes it (comments are not copied).
    COFraction(const COFraction& other);

protected:
    void WriteBody(std::string& text, TextContext context) const override;
};
