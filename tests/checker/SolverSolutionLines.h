#pragma once

// The built-in sample problems and the solver's own solutions of them written as a pupil writes a
// solution: one formula a line in compact markup, the problem first.

#include "output/COutputList.h"
#include "solver/ProblemKind.h"

#include <ostream>
#include <string>
#include <vector>

// The sample problems of a kind (0 equations, 1 and 2 factorisation, 3 simplification) in compact
// markup, read from res/samples/.
std::vector<std::string> SampleProblems(ProblemKind kind);

// The lines of the solver's solution of problem that a pupil writes: the problem, every rewriting of
// it in the steps, and the answer. For an equation the rewritings are the equations at the top level
// of the steps (the discriminant, the conditions and the cases of a product are working, not lines
// of the chain); the root formula x₁,₂ = (−b ± √D)/(2a) = (5 ± 1)/2 becomes x₁,₂ = (5 ± 1)/2, and the
// answer is its roots joined by ";", "no roots" or "any number".
std::vector<std::string> SolverSolutionLines(ProblemKind kind, const std::string& problem);

// How GoogleTest prints a kind, and so how CTest names the cases run for each kind: by its number.
inline void PrintTo(ProblemKind kind, std::ostream* out) {
    *out << ToNumber(kind);
}
