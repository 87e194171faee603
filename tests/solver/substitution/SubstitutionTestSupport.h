#pragma once

// Helpers for the substitution tests: the left side of "left=0" read from problem text, and the
// check that a substitution is faithful, computed by the independent formula evaluator.

#include "model/COperation.h"
#include "solver/simplify/SimplificationTestSupport.h"
#include "solver/substitution/Substitution.h"

#include <string>

// The left side of an equation typed as problem text ("(x-2)^6-26*(x-2)^3-27=0").
NodePtr LeftSideOf(const std::string& problem);

// "" when left(x) equals equation(letter := expression(x)) at several rational points, else what
// differs.
std::string SubstitutionMismatch(const std::string& left, const Substitution& substitution, char unknown);
