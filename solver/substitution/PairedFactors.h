#pragma once

// The search behind FindPairedFactors: a left side "sum = 0" whose parts are polynomials in one
// expression g of degree 2 or more. g is found either from the derivatives of the terms (their gcd,
// integrated), or by grouping the factors of a product into groups whose products differ by
// numbers only: (x-4)(x-5)(x-6)(x-7) - 1680 -> (x-4)(x-7) = g + 28, (x-5)(x-6) = g + 30 with
// g = x^2 - 11x, and the equation (t + 28)(t + 30) - 1680 in t.

#include "model/CPolynomValue.h"
#include "solver/substitution/Substitution.h"

#include <memory>
#include <optional>
#include <vector>

namespace SubstitutionLimits {
// Most factors (a power counted by its exponent) of a product that are grouped.
inline constexpr std::size_t kMaxPairedFactors = 8;
} // namespace SubstitutionLimits

struct PairedFactorsForm {
    // The factors of each group (plain trees), in the order of the groups; empty when g came from
    // the derivatives.
    std::vector<std::vector<NodePtr>> groups;
    // When the factors of the product had to be factorised completely first: those factors, in
    // order; empty when the groups are made of the factors as written.
    std::vector<NodePtr> factorised;
    // The product of each group, multiplied out.
    std::vector<CPolynomValue> groupProducts;
    // left = coefficient·(product of the groups) + rest.
    CNumber coefficient{1};
    CPolynomValue rest;
    // g and the equation in the new letter.
    std::unique_ptr<Substitution> substitution;
};

// Equal group products gathered into a power: the first group of each kind and how many groups
// have its product, in the order of the first ones.
struct GatheredGroup {
    std::size_t first = 0;
    std::int32_t count = 1;
};
std::vector<GatheredGroup> GatherEqualGroups(const std::vector<CPolynomValue>& products);

// None when the left side is not a sum of polynomial terms without denominators, or no g lowers
// the degree of the equation to 2 or more.
std::optional<PairedFactorsForm> FindPairedFactorsForm(const COperation& left, char unknown);
