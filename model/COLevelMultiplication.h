#pragma once

// A product or fraction of rational monomials worked on one visible step at a time. It remembers
// the exact code of the node it replaced: written as a product when that was a product, otherwise
// as a fraction.

#include "model/COMultiplication.h"

class COLevelMultiplication : public COMultiplication {
public:
    explicit COLevelMultiplication(NodeType replaced = NodeType::Multiplication) : replacedType(replaced) {}

    NodeType GetType() const override { return NodeType::LevelMultiplication; }
    // Copies the stage and the replaced code, not the pending cancellation.
    NodePtr Clone() const override { return std::make_unique<COLevelMultiplication>(*this); }

    // The stages of the stepping (solver/simplify/LevelMultiplicationSteps.cpp), in order.
    enum class Stage {
        GatherIntoOne,       // all factors moved into one rational monomial
        TakeOutNumbers,      // numbers taken out of the factors
        CancelCommonFactors, // common factors marked as crossed-out pairs, then removed
        ReplaceByMonom,      // the node replaced by its rational monomial
    };

    Stage stage = Stage::GatherIntoOne;
    // Crossed-out pairs are marked and wait to be removed by the next step; not carried by clones.
    bool cancellationPending = false;
    NodeType replacedType;

    // A deep copy, as Clone makes it (comments are not copied).
    COLevelMultiplication(const COLevelMultiplication& other)
        : COMultiplication(other), stage(other.stage), replacedType(other.replacedType) {}

    // A plain product or fraction whose elements are all hyper-monomials.
    static bool Qualifies(const COperation& node);
    // Takes over the elements and signs in order and remembers the exact code of the node it
    // replaced. Returns the new node.
    static COLevelMultiplication* Build(NodeHandle handle);

protected:
    void WriteBody(std::string& text, TextContext context) const override;
};
