#pragma once

// A copy of a part of a tree as the pupil reads it, ready to become a problem of its own (a
// sub-equation, a domain condition): every specialised form unbuilt into plain nodes, and every
// power with the exponent 1, which the rational forms keep for each factor, replaced by its base.
// e.g. the rational monomial x^1 of a level sum -> x

#include "model/COperation.h"

NodePtr PlainCopy(const COperation& node);
// The same in place.
void MakePlain(NodeHandle handle);
