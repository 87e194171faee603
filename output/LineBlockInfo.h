#pragma once

// One entry of the line-block stack of a problem workspace. Every output record keeps its own copy
// of the stack as it stood when the record was made: the view takes the number of entries minus one
// as the indent level, and the kind of the innermost entries to pick a background.

#include <cstdint>
#include <vector>

struct LineBlockInfo {
    // 0 the problem statement, 1 the solution steps, 2 the answer; 3 to 11 mark nested blocks and
    // their stages inside the solvers.
    std::int32_t kind = 0;
    // Counts within a block.
    std::int32_t number = 0;

    friend bool operator==(const LineBlockInfo&, const LineBlockInfo&) = default;
};

// The line-block stack, outermost entry first.
using LineBlockList = std::vector<LineBlockInfo>;
