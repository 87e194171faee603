#pragma once

// A rational monomial of polynomials: a fraction whose numerator and denominator factors are powers
// with a polynomial base and a number exponent.

#include "model/CNumber.h"
#include "model/COFraction.h"

class COPolynom;

class COHyperMonom : public COFraction {
public:
    COHyperMonom() = default;
    COHyperMonom(NodePtr first, std::int32_t sign) : COFraction(std::move(first), sign) {}

    NodeType GetType() const override { return NodeType::HyperMonom; }
    NodePtr Clone() const override { return std::make_unique<COHyperMonom>(*this); }

    // A deep copy, as Clone makes it (comments are not copied).
    COHyperMonom(const COHyperMonom& other) = default;

    // --- building -------------------------------------------------------------------------------
    // The factor (constant polynomial)^1.
    static std::unique_ptr<COHyperMonom> FromInteger(std::int32_t value);
    // The node raised to 1 (a monomial is wrapped into a polynomial first).
    static std::unique_ptr<COHyperMonom> FromNode(NodePtr node);
    // Builds a hyper-monomial in place from the node at the handle: a polynomial p becomes p^1, a
    // power keeps its exponent, a product or fraction gives one factor per element (numerator
    // factors first); then it is normalized. Returns the new node.
    static COHyperMonom* Build(NodeHandle handle);
    // A polynomial; a power of a polynomial with a number exponent >= 0; a product or fraction of
    // such elements, nested at most two levels deep.
    static bool Qualifies(const COperation& node);

    // --- reading --------------------------------------------------------------------------------
    // The factors as (polynomial, exponent, cell sign), in list order.
    COPolynom* FactorBase(const ListCell& cell) const;
    CNumber FactorExponent(const ListCell& cell) const;
    std::int32_t NumeratorCount() const { return CountWithSign(1); }
    std::int32_t DenominatorCount() const { return CountWithSign(-1); }

    // --- normal forms ---------------------------------------------------------------------------
    // Normalizes every base polynomial with comments, removes factors 1 while more than one factor
    // remains (a lone denominator factor 1 goes to the numerator), and makes the whole node 0^1 when
    // a numerator factor is 0. Returns whether anything changed.
    bool Normalize();
    // Makes the leading sign of every factor polynomial positive and returns the sign that has to
    // go in front of the whole node (-1 when an odd number of factors with an odd exponent were
    // flipped); `changed` tells whether any factor was flipped.
    std::int32_t NormalizeSign(bool& changed);
    // Puts the numerator factors first, keeping the order within each part.
    void OrderFactors();

    // --- cancellation ---------------------------------------------------------------------------
    // Pairs each numerator factor with a denominator factor that divides it or that it divides
    // (by exact division), splitting a factor into the quotient and the cancelled part when the
    // quotient is not 1; the pair receives one cross-out number (counting from 1 in this call).
    // CommentID::SplitOffNumerator/CommentID::SplitOffDenominator for split numerator/denominator factors,
    // CommentID::DifferenceOfSquares/DifferenceOfCubes/SumOfCubes when the split was a difference of squares,
    // a difference or a sum of cubes. Returns whether anything was paired.
    bool CancelByDivisibility();
    // The same with the polynomial greatest common divisor of the two factors.
    bool CancelByGcd();
    // Removes the crossed-out pairs: the smaller exponent is subtracted from the larger, the factor
    // with the smaller one is removed (both when equal); a node left empty gets 1^1. Returns whether
    // anything was removed.
    bool RemoveCrossedOutPairs();

protected:
    // Written as a fraction; a factor (p)^1 is written as p.
    void WriteBody(std::string& text, TextContext context) const override;
};
