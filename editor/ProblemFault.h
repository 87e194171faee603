#pragma once

// What is wrong with a problem as typed, and where in the editor text: looked for before the problem
// goes to the solver, so that the editor can say it and put the caret on the fault.
//
//   - a place of a template still empty ("~");
//   - an equation without a relation sign;
//   - a fault of the markup's parser (a sign without an operand, a second "=", a misplaced comma...),
//     at the token where the parser stopped;
//   - an equation in more than one letter, at the first other letter.
// An empty problem is no fault: it gives the empty solution.

#include "output/ProblemError.h"
#include "solver/ProblemKind.h"

#include <string>

enum class ProblemFaultKind { None, EmptyPlace, NoRelation, Parse, SecondUnknown };

struct ProblemFault {
    ProblemFaultKind kind = ProblemFaultKind::None;
    // For a parse fault, the parser's code (its comment is the message).
    ProblemError code = ProblemError::None;
    // The tokens at fault: editor text positions [start, end), start on the blank before the first.
    int start = 0;
    int end = 0;
};

// editorText is the editor form, solverText the compact text the editor would hand over (its
// SolverText).
ProblemFault FindProblemFault(const std::string& editorText, const std::string& solverText, ProblemKind kind);
