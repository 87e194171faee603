#pragma once

// Small builders of the formulas the factorisation steps show: products, sums with signs, powers of
// polynomials, polynomials whose terms keep a given order.

#include "model/COPolynom.h"
#include "model/COperation.h"
#include "solver/factor/FactorArithmetic.h"

#include <cstdint>
#include <utility>
#include <vector>

struct SignedNode {
    NodePtr node;
    std::int32_t sign = 1;
};

NodePtr PolynomNode(const CPolynomValue& value);
// The product of the factors in order; a single factor stands alone.
NodePtr ProductNode(std::vector<NodePtr> factors);
// A common factor as the factors of a product: a monomial gives its coefficient (unless 1) and one
// power per letter, so that the product reads 2xy(2x - 3y) and not 2(xy)(2x - 3y); a monomial with
// a negative coefficient, or anything else, is one factor.
std::vector<NodePtr> MonomialFactors(const CPolynomValue& common);
// The product of two polynomials.
NodePtr TwoFactors(const CPolynomValue& first, const CPolynomValue& second);
// A group with its common factor taken out, as a pupil writes it: a cofactor that is a monomial with
// a positive coefficient stands first and without brackets, 3x(x + 1); any other cofactor follows
// the common factor, (x + 1)(x^2 - x + 1); a cofactor 1 is left out.
NodePtr CommonTimesCofactor(const CPolynomValue& common, const CPolynomValue& cofactor);
// A plain sum of the signed terms.
NodePtr SumNode(std::vector<SignedNode> terms);
NodePtr PowerNode(NodePtr base, std::int64_t exponent);
// The monomial of a term's magnitude, as a one-term polynomial.
NodePtr MagnitudeNode(const PolynomTerm& term);
int SignOfTerm(const PolynomTerm& term);

// The terms in canonical order, like terms kept apart and in their relative order.
TermList CanonicalOrder(TermList terms);
bool SameOrder(const TermList& a, const TermList& b);
// The terms in the order of the like terms of a model polynomial (a term of several letters typed
// as xy + 3y + 2x + 6 keeps that order), like terms next to each other; the canonical order when a
// term has no like term in the model.
TermList ModelOrder(TermList terms, const TermList& model);
// Some like terms of the list add up to 0 (cancel) / to something else (collect).
bool HasCancellingTerms(const TermList& terms);
bool HasCollectingTerms(const TermList& terms);
