#pragma once

// The command line of the desktop program:
//
//   orbelin                                   starts the program
//   orbelin --screenshot OUT.png [--kind equation|factor|factor-full|simplify|0|1|2|3]
//           [--lang en|ru] [--text-comments] [PROBLEM]
//                                             saves an image of the main window, shows none
//   orbelin --quit-when-shown                 starts, and ends once the window is painted (for timing)
//   orbelin --help | --version                prints the usage or the version and ends
//
// With PROBLEM, the screenshot shows its whole solution; without, the window as it starts, on the
// splash picture.

#include "solver/ProblemKind.h"

#include <optional>
#include <string>
#include <vector>

struct ProgramArguments {
    std::optional<std::string> screenshotPath;
    std::optional<ProblemKind> kind;
    std::optional<int> language;
    bool textComments = false;
    // The words that are not options, joined by single blanks.
    std::optional<std::string> problem;
    bool quitWhenShown = false;
    bool helpRequested = false;
    bool versionRequested = false;
    // Why the command line cannot be used; empty when it can.
    std::string error;
};

ProgramArguments ParseProgramArguments(const std::vector<std::string>& words);

// What --help prints (and an unusable command line after its error).
std::string ProgramUsageText();
