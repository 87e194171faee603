#pragma once

// The value of an expression in one letter at a given value of that letter, computed without
// changing the tree. Every node class is read through its family, so plain trees and the
// polynomial forms are evaluated alike. Used to check roots against the domain of an equation.

#include "model/CNumber.h"
#include "model/COperation.h"

#include <optional>

// The exact value; none when the expression divides by zero there, holds another letter, a root
// that is not exact, or a power that cannot be taken (a non-integer exponent, 0 to a negative one).
std::optional<CNumber> ExactValueAt(const COperation& node, char letter, const CNumber& value);

// An approximation in long double of a node without letters (a root written as an expression,
// such as (1-!sq2{5})/2); none when it is not a real number.
std::optional<long double> ApproximateValue(const COperation& node);

// An approximation at a value of the letter given itself as an approximation, together with the
// largest magnitude met among the terms added on the way: a value that is tiny against that scale
// is zero up to rounding.
struct ApproximateResult {
    long double value = 0;
    long double scale = 0;
};
std::optional<ApproximateResult> ApproximateValueAt(const COperation& node, char letter, long double value);
