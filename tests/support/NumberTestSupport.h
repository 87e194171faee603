#pragma once

// Exact numbers for tests and benchmarks, written as in a formula or as a pair of integers.

#include "model/CNumber.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace numtest {

// Reads a whole text as one number ("12", "0,25", "3/4", "2@{1/3}"). A text that is not one whole
// number is a mistake of the test itself: it throws, which fails the test that wrote it.
inline CNumber Num(const std::string& text) {
    CNumber number;
    std::size_t position = 0;
    if (number.ParseText(text, position) != CNumber::kParseOk || position != text.size()) {
        throw std::invalid_argument("not one number: " + text);
    }
    return number;
}

// numerator / denominator, in normal form.
inline CNumber Num(std::int32_t numerator, std::int32_t denominator = 1) {
    CNumber value(numerator);
    if (denominator != 1) {
        value.DivideInPlace(CNumber(denominator));
    }
    return value;
}

} // namespace numtest
