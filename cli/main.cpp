// orbelin-solve: solves one problem, or a batch of problems, in the terminal.

#include "cli/CliRunner.h"
#include "output/ProgramFolders.h"

#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> words(argv + (argc > 0 ? 1 : 0), argv + argc);
    return RunCommandLine(words, BaseFolderBeside(RunningProgramFolder()), std::cin, std::cout, std::cerr,
                          isatty(STDOUT_FILENO) == 1);
}
