#pragma once

// One input of the fuzzer, solved along the path of orbelin-solve and checked against what must
// always hold. The fuzz target (fuzz/SolveFuzzer.cpp) stops at the first input that breaks a check;
// the regression test replays every input kept in fuzz/regressions/ through the same checks.
//
// An input is a selector byte and a problem text: the low two bits of the selector are the kind
// (0 equation, 1 factorisation, 2 complete factorisation, 3 simplification), the next bits choose
// how the text is read (linear notation, the editor's typed form, compact markup).
//
// Checks:
//   - a problem text the reader refuses gets a message that names its column, and nothing is solved;
//   - a solved problem gives one solution: the one error record "there is no expression" for a
//     blank problem, otherwise closed by an answer
//     or an error record (a record that shows a comment always or speaks a formula), and closed by
//     the "too large" error whenever the work budget of the solve ran out;
//   - the JSON object of the solution is valid JSON, its text output valid UTF-8;
//   - the work, the records and their text stay within the budget of a solve;
//   - the solve takes less processor time than cpuSecondsLimit.

#include <cstddef>
#include <cstdint>
#include <string>

// "" when every check holds; otherwise what failed.
std::string CheckSolveOfInput(const std::uint8_t* data, std::size_t size, double cpuSecondsLimit);
