// Every input that once broke a check of the fuzz target, replayed through the same checks, so a
// fixed fault stays fixed (fuzz/regressions/, one input a file, one test case each). Each solve is
// bounded by processor time, so a loaded machine does not fail it and a slow solve does.

#include "fuzz/SolveCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
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

std::filesystem::path RegressionFolder() {
    return std::filesystem::path(ORBELIN_SOURCE_DIR) / "fuzz" / "regressions";
}

std::vector<std::string> KeptInputNames() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(RegressionFolder())) {
        if (entry.is_regular_file() && entry.path().filename() != "README") {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

class FuzzRegressions : public testing::TestWithParam<std::string> {};

TEST_P(FuzzRegressions, KeptInputPassesTheChecks) {
    std::ifstream file(RegressionFolder() / GetParam(), std::ios::binary);
    ASSERT_TRUE(file.is_open());
    const std::string input((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(CheckSolveOfInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size(),
                                kCpuSecondsLimit),
              "");
}

// Test names may hold letters, digits and "_" only.
std::string CaseName(const testing::TestParamInfo<std::string>& info) {
    std::string name = info.param;
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Kept, FuzzRegressions, testing::ValuesIn(KeptInputNames()), CaseName);

} // namespace
