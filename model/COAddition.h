#pragma once

// A sum: each cell sign +1 adds the term, -1 subtracts it.

#include "model/COperationList.h"

class COAddition : public COperation, public COperationList {
public:
    COAddition() = default;
    COAddition(NodePtr first, std::int32_t sign);
    ~COAddition() override;

    bool IsEqual(const COperation& other) const override;
    NodeFamily GetFamily() const override { return NodeFamily::Addition; }
    NodeType GetType() const override { return NodeType::Addition; }
    bool HasZeroDivisor() const override;
    bool IsDefined() const override;
    NodePtr Clone() const override;
    void DetachChildren(std::vector<NodePtr>& out) override { DetachCells(out); }
    COperationList* AsList() override { return this; }

    // A deep copy, as Clone makes it (comments are not copied).
    COAddition(const COAddition& other);

protected:
    void WriteBody(std::string& text, TextContext context) const override;
};
