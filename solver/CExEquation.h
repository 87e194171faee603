#pragma once

// The workspace of an equation: a workspace whose tree is a relation, with the unknown letter, the
// roots found, the state of the solve and the label of a numbered sub-problem.

#include "model/CNumberSet.h"
#include "solver/CExpression.h"

#include <cstdint>
#include <string>

class CExEquation : public CExpression {
public:
    // Parses text (prepared, ending with ";") as a relation "sum=sum", then applies the end test.
    // A top-level equation: answer heading 0, result state 0.
    CExEquation(const std::string& text, COutputList* solution, char letter);

    // A workspace over an existing relation, owned from now on (a sub-equation).
    CExEquation(std::int32_t answerHeading, NodePtr relation, COutputList* solution, char letter);

    // Which heading the answer gets: 0 comment 6 (the problem itself), 1 comment 5 (a case of a
    // split or a back-substituted equation), 2 comment 4 (an equation in a new letter).
    std::int32_t answerHeading = 0;
    // Set by the equation solver; 1 means the roots are the answer.
    std::int32_t resultState = 0;
    // The letter solved for.
    char unknown = 'x';
    CNumberSet roots;
    // The label of a numbered sub-problem, its numbers joined by "." ("1.2"); empty at top level.
    std::string conditionText;
};
