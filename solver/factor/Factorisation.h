#pragma once

// Factorisation: the search for a factor of a polynomial (a factor finding) and the rewriting of the
// expression into the product with the steps a pupil would write.
//
// The search runs a fixed sequence of tests, cheap recognisable patterns first:
//   1. common monomial factor of all terms                          technique 0
//   2. one letter: binomial test (like powers, a^4 + 4b^4)           techniques 4, 5
//      trinomials x^(3k+1) + x^2 + 1 and x^(3k+2) + x + 1            techniques 6, 7
//      equal blocks, grouping, repeated factor, rational root test,
//      bounded divisor search                                        techniques 1, 2, 3
//   3. several letters: common factor of the coefficients in a letter, grouping, division by the
//      sum of the letters, repeated factor, quadratic and cubic tests  techniques 1, 2, 3
// The search never changes the polynomial and records nothing; the applier records the steps.

#include "model/CNumber.h"
#include "model/COPolynom.h"
#include "model/COperation.h"
#include "output/CommentID.h"

#include <cstdint>
#include <memory>
#include <string>

class CExpression;

enum class FactorTechnique : std::int32_t {
    // e.g. 2x^2 + 4x -> 2x(x + 2)
    CommonMonomial = 0,
    // a divisor found by a search, shown with a check by multiplying out: x^3 - 1 -> (x - 1)(...)
    DivisorPolynomial = 1,
    // e.g. ax + ay + bx + by -> (ax + ay) + (bx + by) -> (x + y)(a + b)
    GroupingCommonFactor = 2,
    // e.g. x^2 + 2xy + y^2 - z^2 -> (x + y)^2 - z^2 -> (x + y - z)(x + y + z)
    GroupingLikePowers = 3,
    // e.g. 4x^2 - 9 -> (2x - 3)(2x + 3); x^3 + 8 -> (x + 2)(x^2 - 2x + 4)
    BinomialLikePowers = 4,
    // e.g. x^4 + 4 -> (x^2 + 2)^2 - (2x)^2 -> (x^2 + 2x + 2)(x^2 - 2x + 2)
    CompletedSquare = 5,
    // x^(3k+1) + x^2 + 1, divisible by x^2 + x + 1
    TrinomialSquareTerm = 6,
    // x^(3k+2) + x + 1, divisible by x^2 + x + 1
    TrinomialLinearTerm = 7,
};

// Data of the grouping and like-power techniques. Term positions are 0-based positions in the
// polynomial as it stands when the finding is made.
struct FactorDetail {
    // The power n used (techniques 3 and 4).
    CNumber exponent{2};
    // Techniques 2 and 3: the number of leading terms (after the move) forming the first group.
    std::int32_t split = 0;
    // Sign of the first and second part (term or group).
    std::int32_t firstSign = 1;
    std::int32_t secondSign = 1;
    // Techniques 2 and 3: the term moved before grouping, and where: 0 none, -1 to the end, +1 to
    // the front.
    std::int32_t moveIndex = 0;
    std::int32_t moveDirection = 0;
    // Technique 4: the formula comment written with the product.
    CommentID comment = CommentID::DifferenceOfSquares;
};

struct FactorFinding {
    bool found = false;
    // The first factor; for technique 5 the three-term factor; for technique 3 the base P of the
    // first group; for technique 2 the common factor of the groups.
    std::unique_ptr<COPolynom> first;
    // The cofactor (technique 3: the base Q of the second group). When null at apply time it is
    // the exact quotient of the polynomial by `first`.
    std::unique_ptr<COPolynom> second;
    FactorTechnique technique = FactorTechnique::CommonMonomial;
    std::unique_ptr<FactorDetail> detail;
};

// Runs the technique tests on a polynomial of at least two terms and fills the finding; the
// polynomial is not changed and nothing is recorded. Returns finding.found.
bool FindFactorisation(const COPolynom& polynom, FactorFinding& finding);
// The two branches of FindFactorisation, after the common monomial factor.
bool FindFactorisationOneLetter(const COPolynom& polynom, char letter, FactorFinding& finding);
bool FindFactorisationManyLetters(const COPolynom& polynom, const std::string& letters,
                                  FactorFinding& finding);

// Rewrites the polynomial at the handle into the product described by the finding and records the
// steps of its technique; the finding's factors are taken over.
void ApplyFactorisation(CExpression& workspace, NodeHandle handle, FactorFinding& finding);

// Factorises a sum whose terms are products of powers of polynomials (hyper-monomials without a
// denominator) by a common factor or by grouping; records the steps. True when it became a product.
bool FactorSumOfProducts(CExpression& workspace, NodeHandle handle);

// FactorExpression and FactorFully, the entries of kinds 1 and 2, are declared with the other
// solvers in solver/SolverEntries.h.
