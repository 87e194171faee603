// The coverage-guided fuzz target: every input is solved along the path of orbelin-solve and
// checked (fuzz/SolveCheck.h); a broken check aborts, so libFuzzer keeps the input.

#include "fuzz/SolveCheck.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Under the sanitizers every operation is several times slower than in the release build.
    constexpr double kCpuSecondsLimit = 10.0;
    const std::string failure = CheckSolveOfInput(data, size, kCpuSecondsLimit);
    if (!failure.empty()) {
        std::fprintf(stderr, "solve check failed: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
