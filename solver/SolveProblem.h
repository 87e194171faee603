#pragma once

// The solve dispatcher and the four solve entries. Each entry works on its own copy of the problem
// text and writes its whole result as records into solution (which the caller has emptied; with
// no list nothing is recorded). An empty problem text yields an empty solution. Nothing is thrown.

#include "output/COutputList.h"
#include "solver/ProblemKind.h"

#include <string>

// Calls the entry of kind; a value outside the four kinds does nothing.
void SolveProblem(ProblemKind kind, const std::string& problemText, COutputList* solution);

void SolveEquation(const std::string& problemText, COutputList* solution);
void Factorise(const std::string& problemText, COutputList* solution);
void FactoriseCompletely(const std::string& problemText, COutputList* solution);
void Simplify(const std::string& problemText, COutputList* solution);

// Joins the recorded steps of an expression solution into one chain A= =B= =C: among the records
// that hold exactly one block, a formula, the last gets "=" in front, the first gets "=" appended,
// and every one between gets both. A single formula is no chain and stays as written (a line
// starting with "=" with nothing before it would read as a fault).
void ChainEqualities(COutputList* solution);
