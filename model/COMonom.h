#pragma once

// A monomial: a product of at most one number leaf (the coefficient, first) and powers whose base is
// a variable and whose exponent is a number leaf; every cell sign is +1.

#include "model/COMultiplication.h"

class COMonom : public COMultiplication {
public:
    COMonom() = default;
    COMonom(NodePtr first, std::int32_t sign) : COMultiplication(std::move(first), sign) {}

    NodeType GetType() const override { return NodeType::Monom; }
    NodePtr Clone() const override { return std::make_unique<COMonom>(*this); }

    // A deep copy, as Clone makes it (comments are not copied).
    COMonom(const COMonom& other) = default;

protected:
    // The coefficient is left out when it is 1 and other elements follow; a power with exponent 1
    // is written as its letter alone: 1*x^2*y^1 is "x^2*y".
    void WriteBody(std::string& text, TextContext context) const override;
};
