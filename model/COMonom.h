#pragma once

// A monomial: a product of at most one number leaf (the coefficient, first) and powers whose base is
// a variable and whose exponent is a number leaf; every cell sign is +1.

#include "model/CNumber.h"
#include "model/COMultiplication.h"
#include "model/CPolynomValue.h"

#include <optional>

class COMonom : public COMultiplication {
public:
    COMonom() = default;
    COMonom(NodePtr first, std::int32_t sign) : COMultiplication(std::move(first), sign) {}

    NodeType GetType() const override { return NodeType::Monom; }
    NodePtr Clone() const override { return std::make_unique<COMonom>(*this); }

    // A deep copy, as Clone makes it (comments are not copied).
    COMonom(const COMonom& other) = default;

    // --- building ---------------------------------------------------------------------------------
    // A constant monomial.
    static std::unique_ptr<COMonom> Constant(const CNumber& value);
    // The monomial of a term of the polynomial arithmetic; the coefficient's sign goes to `sign`
    // and its magnitude becomes the coefficient.
    static std::unique_ptr<COMonom> FromTerm(const PolynomTerm& term, std::int32_t& sign);
    // Builds a monomial in place from the node at the handle: a number or power becomes the single
    // element, a variable x the power x^1, a product or fraction is gathered (numbers first, then one
    // power per letter in ascending byte order with the exponents added) and normalized. The old
    // node is consumed. Returns the new monomial.
    static COMonom* Build(NodeHandle handle);
    // The node qualifies for Build: a plain number, variable, power of a variable with a whole
    // number exponent >= 0, or (when `allowProduct`) a product or fraction whose cells all have
    // sign +1 and whose elements qualify without the product case.
    static bool Qualifies(const COperation& node, bool allowProduct = true);

    // --- reading ----------------------------------------------------------------------------------
    // The term this monomial stands for, times `sign`. Exponents that are not whole are read as 0.
    PolynomTerm Term(std::int32_t sign = 1) const;
    // The letter part of the term: letters ascending, exponents added, powers with exponent 0 left out.
    LetterPowers Powers() const;
    // The leading number element, or 1.
    CNumber Coefficient() const;
    // A coefficient of 1 is dropped when other elements exist.
    void SetCoefficient(const CNumber& value);
    // Exponent of a letter (0 when it does not occur).
    CNumber ExponentOf(char letter) const;
    CNumber TotalDegree() const;
    // The sum of the positive whole exponents: never below the total degree of Term(). None when an
    // exponent is past the degree limit.
    std::optional<std::int64_t> DegreeBound() const;
    void RemoveLetter(char letter);
    bool HasLetters() const;
    // Equal to the number (no letters).
    bool IsNumber(const CNumber& value) const;
    // Same letters with the same exponents.
    bool IsLike(const COMonom& other) const;
    // Like terms with equal coefficients.
    bool IsEqualMonom(const COMonom& other) const;
    // -1, 0, +1 by the exponents, letter by letter over the union of the letters.
    int CompareLexicographic(const COMonom& other) const;

    // Puts the monomial in normal form: the coefficient first (several numbers multiplied, 1 left
    // out when other elements exist, 1 when nothing is left), bare variables as powers x^1, powers
    // with exponent 0 removed, powers in ascending byte order of their letters, powers of the same
    // letter merged. Returns whether anything changed.
    bool Normalize();

    // --- arithmetic (new owned monomials; operands unchanged) ---------------------------------------
    std::unique_ptr<COMonom> Product(const COMonom& other) const;
    // this / other; the caller checks IsDivisibleBy for a quotient without negative exponents.
    std::unique_ptr<COMonom> Quotient(const COMonom& other) const;
    // Every exponent of this monomial is at least the other's.
    bool IsDivisibleBy(const COMonom& other) const;
    // Coefficient gcd over integers (1 otherwise), each common letter with its smaller exponent.
    static std::unique_ptr<COMonom> GreatestCommonDivisor(const COMonom& a, const COMonom& b);
    // The n-th root when the coefficient has an exact n-th root and every exponent is a whole
    // number divisible by n; null otherwise.
    std::unique_ptr<COMonom> Root(std::int32_t degree) const;
    // Value with the letter replaced by the number (other letters count as 0 unless absent).
    CNumber ValueAt(char letter, const CNumber& value) const;

protected:
    // The coefficient is left out when it is 1 and other elements follow; a power with exponent 1
    // is written as its letter alone: 1*x^2*y^1 is "x^2*y".
    void WriteBody(std::string& text, TextContext context) const override;
};
