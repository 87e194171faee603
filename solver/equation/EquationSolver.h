#pragma once

// The equation solver: the steps that solve an equation in one unknown and write the solution.
// SolveRelation (declared with the other solvers in solver/SolverEntries.h) classifies the
// relation and calls the steps below; each works on the relation of an equation workspace in
// place, records its steps and leaves the result state and the roots in the workspace.

class CExEquation;

// Both sides are polynomials: like terms collected, everything moved to the left unless the sides
// are already in a solvable shape, then solved by the degree in the unknown. A left side without
// letters is every number (when zero) or no root.
void SolvePolynomialEquation(CExEquation& workspace);

// The polynomial cases by degree, called by SolvePolynomialEquation on "polynomial = constant".
void SolveLinear(CExEquation& workspace);
void SolveQuadratic(CExEquation& workspace);
void SolveHigherDegree(CExEquation& workspace);

// "product = 0" (or a fraction, or a power): every factor that can be zero becomes a sub-equation
// "factor = 0", numbered when there are several, and the roots of all of them are the roots.
void SolveZeroProduct(CExEquation& workspace, bool checkDomain, bool useReductions);
