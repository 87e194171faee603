#pragma once

// A rational monomial of polynomials: a fraction whose numerator and denominator factors are powers
// with a polynomial base and a number exponent.

#include "model/COFraction.h"

class COHyperMonom : public COFraction {
public:
    COHyperMonom() = default;
    COHyperMonom(NodePtr first, std::int32_t sign) : COFraction(std::move(first), sign) {}

    NodeType GetType() const override { return NodeType::HyperMonom; }
    NodePtr Clone() const override { return std::make_unique<COHyperMonom>(*this); }

    // A deep copy, as Clone makes it (comments are not copied).
    COHyperMonom(const COHyperMonom& other) = default;

protected:
    // Written as a fraction; a factor (p)^1 is written as p.
    void WriteBody(std::string& text, TextContext context) const override;
};
