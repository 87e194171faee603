// The coverage-guided fuzz target: every input is solved along the path of orbelin-solve and
// checked (fuzz/SolveCheck.h); a broken check aborts, so libFuzzer keeps the input.

#include "fuzz/SolveCheck.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Under the sanitizers and the fuzzer's coverage counters every operation is fifty times slower
    // than in the release build: a power of a long binomial the release build simplifies in 0.2 s of
    // processor time takes 10.6 s here. The bound catches a solve the work budget does not stop.
    constexpr double kCpuSecondsLimit = 30.0;
    const std::string failure = CheckSolveOfInput(data, size, kCpuSecondsLimit);
    if (!failure.empty()) {
        std::fprintf(stderr, "solve check failed: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
