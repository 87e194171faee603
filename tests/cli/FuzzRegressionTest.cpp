// Every input that once broke a check of the fuzz target, replayed through the same checks, so a
// fixed fault stays fixed (fuzz/regressions/, one input a file).

#include "fuzz/SolveCheck.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

#ifdef __SANITIZE_ADDRESS__
constexpr double kCpuSecondsLimit = 20.0;
#else
// The goal for any input: answered in under a second.
constexpr double kCpuSecondsLimit = 1.0;
#endif

std::vector<std::filesystem::path> KeptInputs() {
    std::vector<std::filesystem::path> inputs;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(ORBELIN_SOURCE_DIR) /
                                                                 "fuzz" / "regressions")) {
        if (entry.is_regular_file() && entry.path().filename() != "README") {
            inputs.push_back(entry.path());
        }
    }
    return inputs;
}

TEST(FuzzRegressions, EveryKeptInputPassesTheChecks) {
    const std::vector<std::filesystem::path> inputs = KeptInputs();
    EXPECT_FALSE(inputs.empty());
    for (const std::filesystem::path& path : inputs) {
        SCOPED_TRACE(path.filename().string());
        std::ifstream file(path, std::ios::binary);
        const std::string input((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        EXPECT_EQ(CheckSolveOfInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size(),
                                    kCpuSecondsLimit),
                  "");
    }
}

} // namespace
