#pragma once

// One entry of the line-block stack of a problem workspace. Every output record keeps its own copy
// of the stack as it stood when the record was made: the view takes the number of entries minus one
// as the indent level, and the kind of the innermost entries to pick a background.

#include <cstdint>
#include <vector>

// What a block of lines holds. The numbers are part of the command line's JSON output ("lineBlocks")
// and must not change.
enum class LineBlockKind : std::int32_t {
    Problem = 0,       // the problem statement
    Steps = 1,         // the solution steps
    Answer = 2,        // the answer
    CaseNumber = 3,    // the heading of a case (a factor set to zero, a value of a new letter)
    CaseSolving = 4,   // the solving of a case
    CaseAnswer = 5,    // the answer of a case
    NewEquation = 6,   // the equation in a new letter
    NewSolving = 7,    // its solving
    NewAnswer = 8,     // its answer
    Domain = 9,        // the domain of an equation
    Check = 10,        // the check of the roots against the domain
    Substitution = 11, // the introduction of a new letter
};

// The kind's number as the JSON output writes it.
constexpr std::int32_t ToNumber(LineBlockKind kind) {
    return static_cast<std::int32_t>(kind);
}

struct LineBlockInfo {
    LineBlockKind kind = LineBlockKind::Problem;
    // Counts within a block.
    std::int32_t number = 0;

    friend bool operator==(const LineBlockInfo&, const LineBlockInfo&) = default;
};

// The line-block stack, outermost entry first.
using LineBlockList = std::vector<LineBlockInfo>;
