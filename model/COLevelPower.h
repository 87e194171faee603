#pragma once

// A power of a rational monomial with a positive number exponent, worked on step by step.

#include "model/COPower.h"

class COLevelPower : public COPower {
public:
    COLevelPower(NodePtr base, NodePtr exponent) : COPower(std::move(base), std::move(exponent)) {}

    NodeType GetType() const override { return NodeType::LevelPower; }
    NodePtr Clone() const override { return std::make_unique<COLevelPower>(*this); }

    // The stages of the stepping (solver/simplify/LevelPowerSteps.cpp), in order.
    enum class Stage {
        DistributeExponent, // every factor P^e of the base becomes P^(e*n)
        FoldExponents,      // products of exponents folded, constants raised
        ReplaceByBase,      // the node replaced by its base
    };

    Stage stage = Stage::DistributeExponent; // carried by clones

    // A deep copy, as Clone makes it (comments are not copied).
    COLevelPower(const COLevelPower& other) = default;

    // A plain power whose base is a hyper-monomial and whose exponent is a positive number leaf.
    static bool Qualifies(const COperation& node);
    // Takes over base and exponent. Returns the new node.
    static COLevelPower* Build(NodeHandle handle);

protected:
    // With exponent 1 only the base, in the power's own context; otherwise "base^exponent",
    // never bracketed as a whole.
    void WriteBody(std::string& text, TextContext context) const override;
};
