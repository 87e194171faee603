#pragma once

// The value of a written formula as a quotient of two polynomials, read from its constructs alone
// (the solver is not involved): numbers, letters, sums, products with divisors, fractions and
// powers with a whole exponent. Every divisor met is kept, so the formula is known to be undefined
// exactly where one of them is zero, even when it cancels:
//   x/(x − 1) − 1   ->   1/(x − 1), undefined where x − 1 = 0
//   x²/x            ->   x/1,       undefined where x = 0
// Each step reduces the quotient by the gcd of its parts, so numerator and denominator stay small.

#include "checker/CheckMessage.h"
#include "markup/FormulaSyntax.h"
#include "model/CPolynomValue.h"

#include <optional>
#include <string>
#include <vector>

struct RationalFunction {
    CPolynomValue numerator;
    // Never zero.
    CPolynomValue denominator{1};
    // Every divisor met, as a polynomial: the formula is undefined where one of them is zero.
    std::vector<CPolynomValue> divisors;
    // Every letter written, also one that cancels (a − a), in ascending byte order.
    std::string letters;
};

struct RationalReading {
    std::optional<RationalFunction> value;
    // Why there is none: a construct of another kind (NotCheckedRoot, NotCheckedExponent,
    // NotCheckedFunction, NotCheckedRelation), a zero divisor (UndefinedEverywhere) or the engine's
    // limits (NotCheckedTooLarge).
    CheckMessageID reason = CheckMessageID::LineRight;
};

// The quotient of a formula that is not a relation.
RationalReading RationalFunctionOf(const SyntaxNode& node);

// left − right of an equation "left = right".
RationalReading RationalFunctionOfEquation(const SyntaxNode& left, const SyntaxNode& right);

// The value at a point (letters not listed count as 0); none where a divisor is zero.
std::optional<CNumber> ValueAt(const RationalFunction& function,
                               const std::vector<std::pair<unsigned char, CNumber>>& point);
