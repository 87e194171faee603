#pragma once

// The values an answer states, as exact surds: x = 1 ± √2 states 1 − √2 and 1 + √2. A value may
// hold numbers, sums, products, fractions, whole powers and square roots of rational numbers;
// every plus-or-minus sign of a value takes the same choice (x₁,₂ = (5 ± 1)/2 states 2 and 3).

#include "checker/QuadraticSurd.h"
#include "markup/FormulaSyntax.h"

#include <optional>
#include <vector>

// None when a value is not of the form a + b√c (a letter, a nested root, two different roots, a
// division by zero, a negative radicand).
std::optional<std::vector<CQuadraticSurd>> StatedValuesOf(const SyntaxNode& value);
