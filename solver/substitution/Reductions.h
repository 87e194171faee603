#pragma once

// The reductions by substitution of the equation solver. Each works on an equation workspace whose
// relation is "left = 0" and returns true when it has solved the equation (the state, the roots and
// the written steps are in the workspace), false when it does not apply; a reduction that does not
// apply writes nothing. When the equation in the new letter cannot be solved, the state becomes
// "new letter unsolved" and the reduction returns false, its part of the solution discarded.
//
// The new letter is t (z when the unknown is t); a two-letter substitution uses A and B (X and Y
// when the unknown is A or B).

#include "solver/substitution/Substitution.h"

class CExEquation;

// Solves the equation through the substitution: the equation in the new letter as a sub-equation
// of its own, its roots taken back ("expression = root", numbered when there are several). Without
// a substitution the repeated sub-expression search supplies one. The substitution stays the
// caller's.
bool SolveBySubstitution(CExEquation& workspace, bool useReductions, bool checkDomain,
                         const Substitution* substitution);

// The search for a repeated sub-expression, then SolveBySubstitution with what it found.
bool FindRepeatedSubexpression(CExEquation& workspace, bool useReductions, bool checkDomain);

// A sum whose parts are polynomials in one expression g: found from the derivatives of the terms,
// or by pairing the factors of a product into products that differ by numbers only,
// e.g. (x-4)(x-5)(x-6)(x-7) - 1680: (x^2-11x+28)(x^2-11x+30) - 1680, t = x^2 - 11x.
bool FindPairedFactors(CExEquation& workspace, bool useReductions);

// A reciprocal polynomial equation of even degree, divided by x^m and written in x + λ/x.
bool FindReciprocalEquation(CExEquation& workspace, bool useReductions);

// A quartic k4·A^2 + k3·A·B + d·B^2 with A = x^2, B = x + c, solved by the two-letter substitution.
bool FindHomogeneousForm(CExEquation& workspace, bool useReductions);

// A homogeneous equation in two expressions A and B: the case B = 0, and for B ≠ 0 the equation in
// t = A/B. Without a substitution nothing is searched for (the homogeneous quartic is the one
// form recognised, by FindHomogeneousForm).
bool FindTwoLetterSubstitution(CExEquation& workspace, bool useReductions, const Substitution* substitution);

// a·x^3 + b·x^2 + c·x + d with b^2 = 3ac written as a number times (p·x + q)^3 plus a number.
bool SolveShiftedCube(CExEquation& workspace, bool useReductions);
// a·x^4 + b·x^2 + c with a square discriminant, in t = x^2.
bool SolveBiquadratic(CExEquation& workspace, bool useReductions);
// a·x^4 + b·x^3 + c·x^2 + d·x + e with d^2·a = b^2·e, in t = x + k/x.
bool SolveSymmetricQuartic(CExEquation& workspace, bool useReductions);
