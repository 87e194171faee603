#pragma once

// The polynomial arithmetic of the factor search: exact roots of polynomials, common monomial
// factors, terms in the order a polynomial node holds them, and the work budget every search of the
// factorisation draws on.

#include "model/CPolynomValue.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class COPolynom;

using TermList = std::vector<PolynomTerm>;

// Work units a whole factor search may spend (a unit is about one term operation). Past it the
// search counts as having found nothing, so no polynomial within the engine's limits keeps a solve
// busy for long.
inline constexpr std::int64_t kFactorSearchWork = 1'000'000;

// The work budget of one factor search. A search that runs out stops at once and finds nothing.
// It also owns the engine's sticky "too large" flag for its duration: a candidate whose arithmetic
// grows past the number limits ends the search as exhausted instead of ending the solve.
class FactorSearchBudget {
public:
    FactorSearchBudget();
    ~FactorSearchBudget();
    FactorSearchBudget(const FactorSearchBudget&) = delete;
    FactorSearchBudget& operator=(const FactorSearchBudget&) = delete;

    // Spends the work; false once the budget is spent (or a number grew past its limit).
    bool Spend(std::int64_t work);
    bool Exhausted() const;

private:
    std::int64_t m_remaining = kFactorSearchWork;
    bool m_limitWasSet = false;
};

// The terms of a polynomial node in its order, each sign folded into the coefficient.
TermList SignedTerms(const COPolynom& polynom);
// The canonical polynomial of the terms [begin, end) of a list.
CPolynomValue ValueOfTerms(const TermList& terms, std::size_t begin, std::size_t end);
// A polynomial node holding the terms in the given order (not sorted, not collected).
std::unique_ptr<COPolynom> PolynomInOrder(const TermList& terms);

// The greatest common divisor of the terms: the positive integer gcd of the coefficients (1 when
// one is not an integer) times each common letter with its smallest exponent.
PolynomTerm CommonMonomial(const CPolynomValue& polynom);
bool IsOneTerm(const PolynomTerm& term);
// The degree-th root of a term: the coefficient's exact root and every exponent divided.
std::optional<PolynomTerm> ExactTermRoot(const PolynomTerm& term, std::int64_t degree);
// The term with a positive coefficient.
PolynomTerm TermMagnitude(PolynomTerm term);

// The value of an integer that fits 64 bits; none otherwise.
std::optional<std::int64_t> SmallInteger(const CNumber& number);
// The positive divisors of an integer in increasing order; none when it is not an integer, is 0
// or is too large to be split by trial division within the budget.
std::optional<std::vector<std::int64_t>> PositiveDivisors(const CNumber& number, FactorSearchBudget& budget);

// R with R^degree = polynom, when one exists (rational coefficients; odd roots of negative
// leading terms too). Found term by term from the leading term down.
std::optional<CPolynomValue> ExactPolynomialRoot(const CPolynomValue& polynom, std::int64_t degree);

// True when the greatest common divisor of the two is certainly a constant: in every letter they
// share, their images modulo a prime (the other letters replaced by fixed residues) have a constant
// gcd. A cheap test that spares the exact gcd of the searches most of their work.
bool GcdSurelyConstant(const CPolynomValue& a, const CPolynomValue& b);

// The polynomial divided by the gcd of its integer coefficients, with a positive leading sign.
CPolynomValue PrimitivePart(CPolynomValue polynom);
