#pragma once

// Equal factors of a product written as one power, as a factorisation ends: (x + 1)(x + 1) becomes
// (x + 1)², and a factor opposite to another (−x + 3 beside x − 3) first gives its minus to the
// whole product: (x − 3)(−x + 3) = −(x − 3)(x − 3) = −(x − 3)².

#include "model/CNumber.h"
#include "model/COperation.h"

class CExpression;
class CONumber;
class COPower;

// The product a node stands for: the node itself, or the term of a negated one-term sum.
NodeHandle ProductSlot(NodeHandle handle);
// Flips the sign of the whole product: a negated one-term sum is unwrapped, anything else wrapped.
void FlipSign(NodeHandle handle);
// The exponent of a power when it is a number leaf; null otherwise.
const CONumber* NumberExponent(const COPower& power);
// The base and number exponent of a factor (a factor that is no power counts with exponent 1).
const COperation* FactorBase(const COperation& factor, CNumber& exponent);

// At whole (a product, or a negated one: −(x − 3)(−x + 3)): an opposite factor of an odd power
// takes its minus in front (CommentID::SignMovedOutOfFraction, a step), one of an even power is
// rewritten as the other; then equal bases are merged into powers (CommentID::PowersJoined, a
// step). Nothing is recorded when nothing changes.
void GatherEqualFactors(CExpression& workspace, NodeHandle whole);
