#pragma once

// The solvers that the solve entries run. Each works on the tree of a workspace in place, records
// its steps through the workspace and stops when the workspace is no longer valid.

#include "model/COperation.h"

class CExpression;
class CExEquation;

// Simplifies the tree at the workspace's slot to a single fraction of polynomials in lowest terms
// (or a polynomial), recording every visible change.
void SimplifyExpression(CExpression& workspace);

// One factorisation pass over the node at handle. True when a factorisation was applied or the
// expression became a product through the preparatory simplification.
bool FactorExpression(CExpression& workspace, NodeHandle handle);

// Complete factorisation: repeats FactorExpression on every factor until a round changes nothing.
bool FactorFully(CExpression& workspace, NodeHandle handle);

// Solves the workspace's relation for its unknown, writing the steps; leaves the state and the
// roots in the workspace.
void SolveRelation(CExEquation& workspace, bool checkDomain, bool useReductions);
