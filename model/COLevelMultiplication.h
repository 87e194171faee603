#pragma once

// A product or fraction of rational monomials worked on one visible step at a time. It remembers
// the exact code of the node it replaced: written as a product when that was a product, otherwise
// as a fraction.

#include "model/COMultiplication.h"

class COLevelMultiplication : public COMultiplication {
public:
    explicit COLevelMultiplication(NodeType replaced = NodeType::Multiplication) : replacedType(replaced) {}

    NodeType GetType() const override { return NodeType::LevelMultiplication; }
    // Copies the counter and the replaced code, not the scratch value.
    NodePtr Clone() const override { return std::make_unique<COLevelMultiplication>(*this); }

    std::int32_t counter = 0; // working counter of the stepping
    std::int32_t scratch = 0; // second working value, not carried by clones
    NodeType replacedType;

    // A deep copy, as Clone makes it (comments are not copied).
    COLevelMultiplication(const COLevelMultiplication& other)
        : COMultiplication(other), counter(other.counter), replacedType(other.replacedType) {}

    // A plain product or fraction whose elements are all hyper-monomials.
    static bool Qualifies(const COperation& node);
    // Takes over the elements and signs in order and remembers the exact code of the node it
    // replaced. Returns the new node.
    static COLevelMultiplication* Build(NodeHandle handle);

protected:
    void WriteBody(std::string& text, TextContext context) const override;
};
