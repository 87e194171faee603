#pragma once

// One entry of a polynomial's variable degree table: a letter and its highest exponent over all
// terms. COPolynom::VariableDegrees builds the table, one record per letter in order of first
// appearance.

#include "model/CNumber.h"

struct VariableDegree {
    char letter = 0;
    CNumber degree;
};
