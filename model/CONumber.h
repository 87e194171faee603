#pragma once

// A number leaf: one exact value held by value.

#include "model/CNumber.h"
#include "model/COperation.h"

class CONumber : public COperation {
public:
    explicit CONumber(std::int32_t value);
    explicit CONumber(const CNumber& value);
    explicit CONumber(CNumber&& value);
    // A leaf carrying the common fields (cross-out number, pass mark) of another node.
    CONumber(const COperation& fieldsFrom, CNumber value);
    // A zero leaf carrying the common fields of another node.
    static std::unique_ptr<CONumber> ZeroLike(const COperation& fieldsFrom);

    bool IsEqual(const COperation& other) const override;
    NodeFamily GetFamily() const override { return NodeFamily::Number; }
    NodeType GetType() const override { return NodeType::Number; }
    bool HasZeroDivisor() const override { return false; }
    bool IsDefined() const override;
    NodePtr Clone() const override;
    void DetachChildren(std::vector<NodePtr>&) override {}

    const CNumber& Value() const { return m_value; }
    CNumber& Value() { return m_value; }

    // A deep copy, as Clone makes it (comments are not copied).
    CONumber(const CONumber& other) = default;

protected:
    void WriteBody(std::string& text, TextContext context) const override;

private:
    CNumber m_value;
};

// The number leaf at `node`, or null when the node is not a number leaf.
const CONumber* AsNumber(const COperation* node);
CONumber* AsNumber(COperation* node);
