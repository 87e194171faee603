#pragma once

// A substitution: an equation rewritten in a new letter together with the expression that the
// letter stands for, and the candidates among which the substitution search chooses.
//
// One new letter: t, or z when the unknown itself is t. Two new letters (a homogeneous form in two
// expressions): A and B, or X and Y when the unknown is A or B.

#include "model/COperation.h"

#include <cstdint>
#include <memory>
#include <vector>

struct Substitution {
    // The left side of the equation "... = 0" written in the new letter(s); owned.
    NodePtr equation;
    // What the first new letter stands for; owned.
    NodePtr expression;
    // What the second new letter stands for (two-letter substitutions only); owned, else null.
    NodePtr secondExpression;
    char letter = 't';
    char secondLetter = 0;
};

// One candidate of the substitution search; the list owns the records it points to.
struct ReplacementStruct {
    std::unique_ptr<Substitution> substitution;
};

using ReplacementList = std::vector<ReplacementStruct>;

// The letter of a one-letter substitution for an equation in `unknown`.
char NewLetterFor(char unknown);
// The first and second letters of a two-letter substitution.
char FirstPairLetterFor(char unknown);
char SecondPairLetterFor(char unknown);

// The size measure by which the substitution search prefers larger expressions: the largest
// absolute value of a number leaf (0 without one) plus the operation count (1 per power, k - 1 per
// sum, product or fraction of k elements). Number leaves beyond the int range count as its top.
std::int64_t SubstitutionSize(const COperation& node);
