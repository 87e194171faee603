#pragma once

// The checks every solve runs on a freshly parsed problem.

class CExpression;

// At every power whose exponent is a one-operand sum holding a number, the sum is removed and
// the number takes the operand's sign: the exponent of x^{-2} becomes the number -2.
void FoldNegativeExponents(CExpression& workspace);

// A power whose exponent is not a number of integer kind sets error 5 in the workspace
// (x^{1/2}, x^{n}, x^{2,5}). The simplifier runs it again between its passes.
void CheckExponents(CExpression& workspace);
