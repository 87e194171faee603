#pragma once

// A variable leaf: one letter byte. Two variables are the same variable exactly when their letter
// bytes are equal.

#include "model/COperation.h"

class COVariable : public COperation {
public:
    explicit COVariable(char letter) : m_letter(letter) {}

    bool IsEqual(const COperation& other) const override;
    NodeFamily GetFamily() const override { return NodeFamily::Variable; }
    NodeType GetType() const override { return NodeType::Variable; }
    bool HasZeroDivisor() const override { return false; }
    bool IsDefined() const override { return true; }
    NodePtr Clone() const override { return std::make_unique<COVariable>(*this); }
    void DetachChildren(std::vector<NodePtr>&) override {}

    char Letter() const { return m_letter; }
    void SetLetter(char value) { m_letter = value; }

    // A deep copy, as Clone makes it (comments are not copied).
    COVariable(const COVariable& other) = default;

protected:
    void WriteBody(std::string& text, TextContext) const override { text += m_letter; }

private:
    char m_letter;
};
