// "./run.sh solve" as people call it: its standard output is the solver's output and nothing else.

#include "fuzz/JsonCheck.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

// The script sets up and uses the release build in build/; from any other build the test is skipped.
bool RunFromTheReleaseBuild() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return !error && self.parent_path() == std::filesystem::path(ORBELIN_SOURCE_DIR) / "build" / "bin";
}

std::string StandardOutputOf(const std::string& command, int& status) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        status = -1;
        return out;
    }
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        out.append(buffer, n);
    }
    status = pclose(pipe);
    return out;
}

TEST(RunScript, SolveJsonPrintsOnlyTheJsonObject) {
    if (!RunFromTheReleaseBuild()) {
        GTEST_SKIP() << "run.sh uses the release build in build/";
    }
    int status = 0;
    const std::string out = StandardOutputOf(
        "'" ORBELIN_SOURCE_DIR "/run.sh' solve --json --kind simplify '(a-b)/(a+b) + 1/2' 2>/dev/null",
        status);
    EXPECT_EQ(status, 0);
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out.back(), '\n');
    EXPECT_EQ(JsonCheck::Problem(out.substr(0, out.size() - 1)), "") << out;
}

} // namespace
