#pragma once

// A polynomial as a plain value: the working form of the polynomial arithmetic (products, powers,
// exact division, derivatives, contents, greatest common divisors). The tree forms COMonom and
// COPolynom are converted to it for every computation that makes new terms, and back.
//
// A term is sign × coefficient × letter powers; here the sign lives in the coefficient. The letters
// of a term stand in ascending byte order ("A" to "Z" before "a" to "z"; bytes compare unsigned)
// and every exponent is a positive whole number. After Normalize (and from every operation that
// returns a polynomial) the value is canonical:
//   - no term has the coefficient 0 and no two terms are like terms (same letters, same exponents);
//   - the terms stand in canonical order: higher total degree first, equal degrees in falling
//     lexicographic order, so x^2 + x*y + y^2 + x + y + 1 is canonical;
//   - the zero polynomial has no terms.
//
// Size: an exponent above EngineLimits::kMaxPolynomialDegree, a polynomial of more than
// kMaxPolynomialTerms terms or a product of more than kMaxTermProducts term pairs is "too large":
// the operation reports the number limit flag (CNumber::LimitExceeded) and gives the zero
// polynomial, so a solve ends with the "problem too large" error instead of running away.

#include "model/CNumber.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// One letter raised to a positive whole exponent inside a term.
struct LetterPower {
    unsigned char letter = 0;
    std::int64_t exponent = 0;

    bool operator==(const LetterPower&) const = default;
};

using LetterPowers = std::vector<LetterPower>;

// coefficient × powers, the coefficient signed.
struct PolynomTerm {
    CNumber coefficient;
    LetterPowers powers;

    std::int64_t Degree() const;
    std::int64_t ExponentOf(unsigned char letter) const;
    bool IsConstant() const { return powers.empty(); }
};

// Lexicographic comparison of two monomials by their exponents: over the union of their letters in
// ascending byte order, the first letter whose exponents differ decides; the monomial with the
// smaller exponent is the lesser. -1, 0 (like terms) or +1. So y^2 < x*y < x^2 and y^5 < x.
int CompareLexicographic(const LetterPowers& a, const LetterPowers& b);

// Canonical order: a stands strictly before b when its total degree is greater, or when the
// degrees are equal and a is lexicographically greater.
bool PrecedesCanonically(const LetterPowers& a, std::int64_t degreeA, const LetterPowers& b,
                         std::int64_t degreeB);

// Product of two monomials' letter parts: exponents of equal letters added.
LetterPowers MultiplyPowers(const LetterPowers& a, const LetterPowers& b);
// Every exponent of `dividend` is at least the one of `divisor`.
bool DividesPowers(const LetterPowers& divisor, const LetterPowers& dividend);
// dividend / divisor; the caller has checked DividesPowers.
LetterPowers DividePowers(const LetterPowers& dividend, const LetterPowers& divisor);

// Reports the number limit flag when a polynomial grows past the limits; true when it did.
bool PolynomTooLarge(std::size_t termCount);
bool DegreeTooLarge(std::int64_t degree);

class CPolynomValue {
public:
    // The zero polynomial.
    CPolynomValue() = default;
    // A constant polynomial (zero when the number is zero).
    explicit CPolynomValue(const CNumber& constant);
    explicit CPolynomValue(std::int32_t constant);
    // coefficient × letter^exponent.
    static CPolynomValue Letter(unsigned char letter, std::int64_t exponent = 1);
    static CPolynomValue FromTerm(PolynomTerm term);

    const std::vector<PolynomTerm>& Terms() const { return m_terms; }
    std::size_t TermCount() const { return m_terms.size(); }

    // Appends a term without normalizing; call Normalize afterwards.
    void Append(PolynomTerm term);
    void Reserve(std::size_t count) { m_terms.reserve(count); }
    // Restores the canonical form: drops zero terms, sorts, combines like terms. When asked, tells
    // whether the sort moved a term (past a term it is not like) and whether like terms were combined.
    void Normalize(bool* reordered = nullptr, bool* combined = nullptr);

    // --- tests ------------------------------------------------------------------------------
    bool IsZero() const { return m_terms.empty(); }
    // No letter at all (the zero polynomial counts).
    bool IsConstant() const;
    // Equal to the given number.
    bool IsNumber(const CNumber& value) const;
    bool IsOne() const;
    // The value of a constant polynomial (0 for the zero polynomial); meaningless otherwise.
    CNumber ConstantValue() const;
    bool operator==(const CPolynomValue& other) const;

    // --- shape --------------------------------------------------------------------------------
    // Distinct letters in ascending byte order.
    std::string Letters() const;
    bool HasLetter(unsigned char letter) const;
    std::int64_t DegreeIn(unsigned char letter) const;
    std::int64_t TotalDegree() const;
    // The lexicographically greatest term (not the first term when degrees differ between
    // letters: the leading term of x + y^5 is x). The polynomial must not be zero.
    const PolynomTerm& LeadingTerm() const;
    // Sign of the leading term's coefficient; 0 for the zero polynomial.
    int LeadingSign() const;

    // --- arithmetic (results canonical) --------------------------------------------------------
    CPolynomValue Sum(const CPolynomValue& other) const;
    CPolynomValue Difference(const CPolynomValue& other) const;
    CPolynomValue Product(const CPolynomValue& other) const;
    // The canonical product of two term lists (every term of a times every term of b, in that
    // order, then normalized); `reordered` and `combined` report what Normalize would report on the
    // raw product.
    static CPolynomValue ProductOf(const std::vector<PolynomTerm>& a, const std::vector<PolynomTerm>& b,
                                   bool* reordered = nullptr, bool* combined = nullptr);
    CPolynomValue ProductWithTerm(const PolynomTerm& term) const;
    CPolynomValue Scaled(const CNumber& factor) const;
    CPolynomValue Power(std::int64_t exponent) const;
    // The quotient when the division leaves no remainder; none when it does or the divisor is 0.
    std::optional<CPolynomValue> DivideExact(const CPolynomValue& divisor) const;
    CPolynomValue Derivative(unsigned char letter) const;
    CPolynomValue Antiderivative(unsigned char letter) const;

    void Negate();
    void Scale(const CNumber& factor);
    void AddInPlace(const CPolynomValue& other);
    void SubtractInPlace(const CPolynomValue& other);
    void MultiplyInPlace(const CPolynomValue& other);
    // Flips every sign when the leading sign is negative; -1 when it did, else +1.
    int MakeLeadingSignPositive();

    // Value with the given letters replaced by numbers (letters not listed count as 0).
    CNumber ValueAt(const std::vector<std::pair<unsigned char, CNumber>>& point) const;
    CNumber ValueAt(unsigned char letter, const CNumber& value) const;

    // --- contents -------------------------------------------------------------------------------
    // Greatest common divisor of the coefficients when they are all integers (positive; none when
    // a coefficient is not an integer or the polynomial is zero).
    std::optional<CNumber> IntegerContent() const;
    // Divides the integer content out; returns it (1 when there was nothing to take out).
    CNumber RemoveIntegerContent();
    // Multiplies every coefficient by the least common multiple of their denominators and returns
    // the reciprocal of that multiple (1 when every coefficient is already an integer).
    CNumber ClearDenominators();
    // Both: clears denominators and removes the integer content; returns the number taken out, so
    // that the old value equals the new value times the returned number.
    CNumber MakePrimitive();

private:
    std::vector<PolynomTerm> m_terms;
};

// A polynomial seen as a polynomial in one letter: one record per exponent of the letter, holding
// the coefficient polynomial (free of that letter). Records keep the order in which their exponents
// first appear in the source.
struct LetterCoefficient {
    std::int64_t exponent = 0;
    CPolynomValue coefficient;
};

using LetterCoefficients = std::vector<LetterCoefficient>;

LetterCoefficients SplitByLetter(const CPolynomValue& polynom, unsigned char letter);
CPolynomValue JoinByLetter(const LetterCoefficients& records, unsigned char letter);
// Index of the record with the highest exponent; the records must not be empty.
std::size_t HighestRecord(const LetterCoefficients& records);
