#pragma once

// Recorded steps shared by the appliers of the factorisation techniques and by the factorisation
// of sums of products.

#include "model/COperation.h"
#include "model/CPolynomValue.h"
#include "output/CommentID.h"

#include <cstdint>

class CExpression;
struct FactorFinding;

// Queues the comment and records a step.
void Step(CExpression& workspace, CommentID comment);

// The two-part sum at the handle with the signs of its parts: both negative, the minus goes in
// front of the whole sum (a step); only the first negative, the parts change places
// (CommentID::TermsReordered, a step). The signs are updated; returns the handle of the two-part sum to
// rewrite.
NodeHandle FixTwoTermSigns(CExpression& workspace, NodeHandle handle, std::int32_t& firstSign,
                           std::int32_t& secondSign);

// How the second bracket of a like-power formula is written: at once as the quotient, or first term
// by term, P^(m-1) +- P^(m-2)Q + ... + Q^(m-1), and multiplied out in a step of its own.
enum class LikePowerBracketForm { Quotient, TermByTerm };

// P^m +- Q^m (first sign +1, second sign given) at the handle becomes (P -+ Q)(...) with the formula's
// comment (73, 74, 75 or 76); a bracket written term by term for m > 2 is then multiplied out
// (CommentID::BracketsOpened).
void WriteLikePowerProduct(CExpression& workspace, NodeHandle polynom, const CPolynomValue& p,
                           const CPolynomValue& q, std::int64_t m, std::int32_t secondSign,
                           LikePowerBracketForm form);

// A like-power finding (first = P, second = Q, detail: exponent m and the signs) at the handle:
// +-P^m +- Q^m (CommentID::OtherPowerFormula), the signs fixed, then the product by the formula of m.
void WriteLikePowers(CExpression& workspace, NodeHandle handle, const FactorFinding& finding);
