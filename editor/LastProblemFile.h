#pragma once

// The last-problem file of each kind of problem: the editor writes the problem there at every Solve,
// and "load the last solved example" reads it back.

#include "solver/ProblemKind.h"

#include <string>

// The group of a kind of problem: equations 1, factorisation and complete factorisation 2,
// simplification 3.
int ProblemGroup(ProblemKind kind);

// The file of a kind, relative to the base folder: "Samples/LastPr1.txt" ... "Samples/LastPr3.txt".
std::string LastProblemFileName(ProblemKind kind);

// Replaces the content of the kind's file under baseFolder (which ends in a separator, or is empty
// for the current folder) with text, creating the folder when it is missing. The replacement is
// atomic: when anything fails, false is returned and the old file is left whole.
bool WriteLastProblem(const std::string& baseFolder, ProblemKind kind, const std::string& text);

// Replaces the file at path with bytes in one step (the last-problem files, the library's note files):
// the bytes go to a temporary file beside it, which replaces it only when all of them are on disk.
// False, with the old file left whole, when anything fails.
bool WriteFileInOneStep(const std::string& path, const std::string& bytes);
