#pragma once

// A polynomial: a sum whose terms are all monomials; the cell sign carries each term's sign.

#include "model/COAddition.h"

class COPolynom : public COAddition {
public:
    COPolynom() = default;
    COPolynom(NodePtr first, std::int32_t sign) : COAddition(std::move(first), sign) {}

    NodeType GetType() const override { return NodeType::Polynom; }
    NodePtr Clone() const override { return std::make_unique<COPolynom>(*this); }

    // A deep copy, as Clone makes it (comments are not copied).
    COPolynom(const COPolynom& other) = default;
};
