#pragma once

// The shape of a formula in the two-dimensional formats (LaTeX, MathML): which operands need
// brackets and where factors stand side by side without a dot. Fractions, exponents and roots are
// drawn in two dimensions there, so they need fewer brackets than the linear text: only what would
// otherwise be read together with its neighbours is bracketed.

#include "markup/FormulaSyntax.h"

#include <string>

// A crossed-out operand is placed like the operand itself.
const SyntaxNode& Placed(const SyntaxNode& node);

bool SumTermNeedsBrackets(const SyntaxNode& term);
bool FactorNeedsBrackets(const SyntaxNode& factor);
bool PowerBaseNeedsBrackets(const SyntaxNode& base);
bool RelationSideNeedsBrackets(const SyntaxNode& side);

// True when right may follow left in a product without a dot: 2x, ab, 2(x + 1), 3√2, x²y. A number
// never follows another factor without a dot (2·3, and 2·½ would read as a mixed number).
bool FactorsJuxtaposed(const SyntaxNode& left, const SyntaxNode& right, bool rightBracketed);

// A number literal of the markup taken apart: "108", "0,5" (a decimal), "3/4" (a fraction),
// "2@{1/3}" (a mixed number).
struct NumberParts {
    std::string whole;     // the integer part ("" for a plain fraction)
    std::string decimals;  // digits after the decimal comma ("" for none)
    std::string numerator; // "" unless a fraction or mixed number
    std::string denominator;
};
NumberParts SplitNumber(const std::string& markup);

// The relation sign's Unicode character (UTF-8).
const char* RelationSignText(int sign);
