// orbelin-solve: solves one problem, or a batch of problems, in the terminal.

#include "cli/CliRunner.h"

#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

namespace {

// The folder of the program's files is the folder of the executable.
std::filesystem::path ProgramFolder(const char* argv0) {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        return executable.parent_path();
    }
    return std::filesystem::absolute(argv0 ? argv0 : ".", error).parent_path();
}

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> words(argv + (argc > 0 ? 1 : 0), argv + argc);
    return RunCommandLine(words, ProgramFolder(argc > 0 ? argv[0] : nullptr), std::cin, std::cout, std::cerr,
                          isatty(STDOUT_FILENO) == 1);
}
