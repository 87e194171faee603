#pragma once

// A polynomial: a sum whose terms are all monomials; the cell sign carries each term's sign.

#include "model/CNumber.h"
#include "model/COAddition.h"
#include "model/CPolynomValue.h"
#include "model/VariableDegree.h"

#include <optional>
#include <vector>

class COMonom;

class COPolynom : public COAddition {
public:
    COPolynom() = default;
    COPolynom(NodePtr first, std::int32_t sign) : COAddition(std::move(first), sign) {}

    NodeType GetType() const override { return NodeType::Polynom; }
    NodePtr Clone() const override { return std::make_unique<COPolynom>(*this); }

    // A deep copy, as Clone makes it (comments are not copied).
    COPolynom(const COPolynom& other) = default;

    // --- building -------------------------------------------------------------------------------
    // A constant polynomial (the single monomial holding the number).
    static std::unique_ptr<COPolynom> Constant(const CNumber& value);
    // The polynomial of a value of the polynomial arithmetic, term signs in the cells and
    // coefficients non-negative; the zero value gives the single monomial 0.
    static std::unique_ptr<COPolynom> FromValue(const CPolynomValue& value);
    // Builds a polynomial in place from the node at the handle: a monomial becomes a one-term
    // polynomial, a sum moves its cells over in order. Returns the new polynomial.
    static COPolynom* Build(NodeHandle handle);
    // A monomial, or a plain sum all of whose terms are monomials.
    static bool Qualifies(const COperation& node);

    // --- reading --------------------------------------------------------------------------------
    // The value of this polynomial (cell signs folded into the coefficients), canonical.
    CPolynomValue Value() const;
    // No term holds a letter, as the terms are written: x+1-x is not constant before Normalize.
    bool IsConstant() const;
    // Constant (as above) with this value.
    bool IsNumber(const CNumber& value) const;
    bool IsZero() const { return IsNumber(CNumber(0)); }
    CNumber DegreeIn(char letter) const;
    // The lexicographically greatest term and its cell sign (null when there is no term).
    const COMonom* LeadingTerm(std::int32_t* sign = nullptr) const;
    // Sign of the leading term (cell sign times coefficient sign).
    std::int32_t LeadingSign() const;
    // Some two terms are like terms; some two like terms cancel (opposite signed coefficients).
    bool HasLikeTerms() const;
    bool HasCancellingPair() const;
    // One record per letter in order of first appearance, with its highest exponent.
    std::vector<VariableDegree> VariableDegrees() const;
    // The largest COMonom::DegreeBound of the terms as written: never below the total degree of
    // Value(), and found without building it. None when an exponent is past the degree limit.
    std::optional<std::int64_t> DegreeBound() const;

    // --- canonical form -------------------------------------------------------------------------
    // Normalizes every term, drops zero terms, sorts the terms into canonical order
    // (CommentID::TermsReordered when the order changed and `comment` is set) and combines like terms
    // (CommentID::LikeTermsCombined). Returns whether anything changed.
    bool Normalize(bool comment);
    // The first half of Normalize as a step of its own: the terms sorted into canonical order, like
    // terms next to each other in the order they were written, nothing combined
    // (CommentID::TermsReordered when the order changed). Returns whether it changed.
    // e.g. 5x + 2 - 3x - 8 -> 5x - 3x + 2 - 8
    bool OrderTerms();
    // Makes every coefficient non-negative by moving its sign into the cell; true when it changed
    // anything.
    bool MoveSignsIntoCells();
    // Flips every cell sign when the leading sign is negative; returns -1 when it did, else +1.
    std::int32_t MakeLeadingSignPositive();
    // Flips every cell sign when the leading sign differs from the requested one.
    std::int32_t MatchLeadingSign(std::int32_t requested);

    // --- arithmetic returning new polynomials (operands unchanged) ------------------------------
    std::unique_ptr<COPolynom> Sum(const COPolynom& other) const;
    std::unique_ptr<COPolynom> Difference(const COPolynom& other) const;
    // Every term of this one times every term of the other, in that order, each monomial product
    // normalized and its cell sign the product of the two signs; the polynomial is not normalized.
    std::unique_ptr<COPolynom> Product(const COPolynom& other) const;
    // Product followed by Normalize(comment) on the result, in one go (the same terms, order and
    // comments, without building the intermediate terms as nodes).
    std::unique_ptr<COPolynom> NormalizedProduct(const COPolynom& other, bool comment) const;
    std::unique_ptr<COPolynom> Square() const;
    std::unique_ptr<COPolynom> ProductWithMonom(const COMonom& monom, std::int32_t sign = 1) const;
    // p^n, normalized; n = 0 gives 1. Null when n is not a whole number >= 0.
    std::unique_ptr<COPolynom> Power(const CNumber& exponent) const;
    // The quotient when the division leaves no remainder; null when it does or the divisor is 0.
    std::unique_ptr<COPolynom> DivideExact(const COPolynom& divisor) const;
    std::unique_ptr<COPolynom> Derivative(char letter) const;
    std::unique_ptr<COPolynom> Antiderivative(char letter) const;
    // Value with the letter replaced by the number.
    CNumber ValueAt(char letter, const CNumber& value) const;

    // --- in place -------------------------------------------------------------------------------
    void AddInPlace(const COPolynom& other);
    void SubtractInPlace(const COPolynom& other);
    void MultiplyInPlace(const COPolynom& other);
    void ScaleBy(const CNumber& factor);
    void ScaleBy(std::int32_t factor) { ScaleBy(CNumber(factor)); }
    // Replaces the terms by those of a value (canonical, signs in the cells).
    void Assign(const CPolynomValue& value);

    // --- numbers and common factors -------------------------------------------------------------
    // The gcd of the coefficients when they are all integers; none otherwise.
    std::optional<CNumber> Content() const;
    // Divides the content out when it is not 1; returns it (none when it does not apply).
    std::optional<CNumber> RemoveContent();
    // Multiplies every coefficient by the lcm of their denominators; returns its reciprocal.
    CNumber ClearDenominators();
    // Clears denominators and removes the content; returns the number taken out (old = new * it).
    CNumber TakeOutNumber();
    // The greatest common divisor of the terms, divided out of every term and returned; a single
    // term other than +-1 is returned whole and replaced by 1. Null when the common factor is 1.
    std::unique_ptr<COMonom> TakeOutCommonMonom();
};
