#pragma once

// The grouping search shared by both branches of the factor search: the terms are split into two
// groups (after moving one term to the end or to the front) and the groups either share a factor
// (technique 2) or are like powers P^m and Q^m (technique 3).

#include "solver/FactorArithmetic.h"
#include "solver/Factorisation.h"

// Searches the orders and splits of the terms (in the polynomial's order). True with the finding
// filled when some split works.
bool FindGrouping(const TermList& terms, FactorFinding& finding, FactorSearchBudget& budget);

// The terms in the order the move of a grouping finding makes: the term at moveIndex goes to the
// end (direction -1) or to the front (+1); direction 0 keeps the order.
TermList MovedTerms(const TermList& terms, std::int32_t moveIndex, std::int32_t moveDirection);

// The like-power test on two groups A and B (as in the sum A + B): m-th roots P, Q with
// A = firstSign * P^m, B = secondSign * Q^m, m >= 2 smallest; an even m only for a difference.
// Fills first, second and the detail's exponent and signs.
bool FindLikePowers(const CPolynomValue& first, const CPolynomValue& second, FactorFinding& finding,
                    FactorSearchBudget& budget);
