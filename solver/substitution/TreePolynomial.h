#pragma once

// The polynomial that an expression tree stands for, read without changing the tree. Plain nodes
// and the polynomial forms are read alike, through their families.

#include "model/COperation.h"
#include "model/CPolynomValue.h"

#include <optional>

// The expanded polynomial of the node: numbers, letters, sums, products, powers with a whole
// non-negative exponent, and divisions by non-zero constants. None for anything else (a root, a
// letter in a denominator, a relation) and when the expansion grows past the polynomial limits.
std::optional<CPolynomValue> PolynomialOf(const COperation& node);
