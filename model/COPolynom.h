#pragma once

// A polynomial: a sum whose terms are all monomials; the cell sign carries each term's sign.

#include "model/COAddition.h"

class COPolynom : public COAddition {
public:
    COPolynom() = default;
    COPolynom(NodePtr first, std::int32_t sign) : COAddition(std::move(first), sign) {}

    NodeType GetType() const override { return NodeType::Polynom; }
    NodePtr Clone() const override { return NodePtr(new COPolynom(*this)); }

protected:
    COPolynom(const COPolynom& other) = default;
};
