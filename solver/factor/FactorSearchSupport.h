#pragma once

// The tests of the factor search, each filling a finding when it succeeds. Shared by the one-letter
// and the many-letter branches.

#include "solver/factor/FactorArithmetic.h"
#include "solver/factor/Factorisation.h"

#include "model/EngineAssert.h"

// A technique-1 finding with the divisor (the cofactor is the exact quotient at apply time).
bool SetDivisor(FactorFinding& finding, const CPolynomValue& divisor);

// Binomial test on two terms c1*M1 +- c2*M2 (M2 = 1 for one letter): differences of squares and
// sums and differences of odd prime powers (technique 4), a^4 + 4b^4 (technique 5).
bool FindBinomial(const TermList& terms, FactorFinding& finding);
// Only the a^4 + 4b^4 case of the binomial test (the several-letter branch finds the like powers
// by grouping).
bool FindCompletedSquare(const TermList& terms, FactorFinding& finding);

// Repeated factor: the gcd of the polynomial and its derivative in the letter, when not constant.
bool FindRepeatedFactor(const CPolynomValue& polynom, unsigned char letter, FactorFinding& finding,
                        FactorSearchBudget& budget);
// Rational root test: x = r/q with q dividing the leading and r the constant coefficient.
bool FindRationalRoot(const CPolynomValue& polynom, unsigned char letter, FactorFinding& finding,
                      FactorSearchBudget& budget);
// Bounded search for an integer divisor of degree at most half the degree, with 2 to 5 terms.
bool FindBoundedDivisor(const CPolynomValue& polynom, unsigned char letter, FactorFinding& finding,
                        FactorSearchBudget& budget);

// The invariant of every finding: its factors multiply back to the polynomial (technique 0 and
// divisors: the first factor divides it exactly).
void AssertFindingDivides(const CPolynomValue& polynom, const FactorFinding& finding);
