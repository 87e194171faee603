#pragma once

// The grouping search shared by both branches of the factor search: the terms are split into two
// groups (after moving one term to the end or to the front) and the groups either share a factor
// (technique 2) or are like powers P^m and Q^m (technique 3).

#include "solver/factor/FactorArithmetic.h"
#include "solver/factor/Factorisation.h"

#include <functional>
#include <optional>
#include <vector>

// Where a grouping split the terms: the term moved first (direction 0 none, -1 to the end, +1 to
// the front) and the number of leading terms in the first group.
struct GroupingChoice {
    std::int32_t split = 0;
    std::int32_t moveIndex = 0;
    std::int32_t moveDirection = 0;
};

// Positions of the terms after the move of a choice.
using TermOrder = std::vector<std::size_t>;
TermOrder MovedOrder(std::size_t count, std::int32_t moveIndex, std::int32_t moveDirection);

// The orders and splits of the grouping search, in its order: two terms once as they stand; more
// terms with each term j in turn moved to the end (first groups of at most count - 1 - j terms),
// then to the front (second groups of at most j terms, no bound for j = 0). `trySplit` gets the
// order and the split; the first one it accepts is returned.
std::optional<GroupingChoice>
SearchGroupings(std::size_t count, const std::function<bool(const TermOrder&, std::size_t)>& trySplit,
                FactorSearchBudget& budget);

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
