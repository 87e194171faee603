#pragma once

// --output FILE: the solution's document written into a file. It is written under a hidden name
// beside its place and renamed when complete, so a write that fails never leaves a cut file behind
// nor destroys a file that was there.

#include <string>
#include <string_view>

// Writes content into path. Returns why it could not, or an empty string when the file is in place.
std::string WriteOutputFile(const std::string& path, std::string_view content);
