#pragma once

// Where the programs find the files they read (Res/ with the language files, help and pictures, and
// the voice folders): the base folder. A development build keeps them beside the programs; an
// installed program finds them in the data folder of its prefix (/usr/bin/orbelin reads
// /usr/share/orbelin/).

#include <filesystem>

// The folder of the running executable.
std::filesystem::path RunningProgramFolder();

// The base folder of a program in programFolder: programFolder itself when it holds Res/, else
// <programFolder>/../share/orbelin/ when that holds Res/, else programFolder (whose files are then
// missing, which the programs report as they did before).
std::filesystem::path BaseFolderBeside(const std::filesystem::path& programFolder);
