#pragma once

// The playing time of a WAV file, read from its header: the size of its "data" chunk (cut to what
// the file really holds) over the byte rate of its "fmt " chunk.

#include <chrono>
#include <optional>
#include <string>

// Nothing when the file cannot be read or is not a RIFF/WAVE file with a format and a data chunk.
std::optional<std::chrono::milliseconds> WavLength(const std::string& fileName);
