#pragma once

// The solvers that the solve entries run. Each works on the tree of a workspace in place, records
// its steps through the workspace and stops when the workspace is no longer valid. The simplifier,
// SimplifyExpression, is declared with its variants in solver/simplify/Simplification.h.

#include "model/COperation.h"

class CExpression;
class CExEquation;

// One factorisation pass over the node at handle. True when a factorisation was applied or the
// expression became a product through the preparatory simplification.
bool FactorExpression(CExpression& workspace, NodeHandle handle);

// Complete factorisation: repeats FactorExpression on every factor until a round changes nothing.
bool FactorFully(CExpression& workspace, NodeHandle handle);

// Solves the workspace's relation for its unknown, writing the steps; leaves the state and the
// roots in the workspace.
void SolveRelation(CExEquation& workspace, bool checkDomain, bool useReductions);
