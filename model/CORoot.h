#pragma once

// A root: an owned radicand and an exact degree (2 for a square root). The degree is a value, not a
// node, so walks never visit it.

#include "model/CNumber.h"
#include "model/COperation.h"

class CORoot : public COperation {
public:
    CORoot(NodePtr radicand, std::int32_t degree);
    CORoot(NodePtr radicand, const CNumber& degree);
    ~CORoot() override;

    bool IsEqual(const COperation& other) const override;
    NodeFamily GetFamily() const override { return NodeFamily::Root; }
    NodeType GetType() const override { return NodeType::Root; }
    bool HasZeroDivisor() const override { return m_radicand && m_radicand->HasZeroDivisor(); }
    bool IsDefined() const override;
    NodePtr Clone() const override;
    void DetachChildren(std::vector<NodePtr>& out) override;

    COperation* Radicand() const { return m_radicand.get(); }
    NodePtr& RadicandSlot() { return m_radicand; }
    const CNumber& Degree() const { return m_degree; }
    void SetDegree(const CNumber& value) { m_degree = value; }

    // A deep copy, as Clone makes it (comments are not copied).
    CORoot(const CORoot& other);

protected:
    void WriteBody(std::string& text, TextContext context) const override;

private:
    NodePtr m_radicand;
    CNumber m_degree;
};
