#pragma once

// The document: the problem being solved and its solution. The solver thread fills the solution
// while a solve runs; the view reads it only after the solve has finished.

#include "output/COutputList.h"

#include <string>

class CCorvaneDoc {
public:
    std::string problemText;
    COutputList solution;
};
