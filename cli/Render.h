#pragma once

// --render OUT.png|OUT.svg|OUT.pdf: the solution drawn as the solution view shows it when complete
// (PNG, SVG) or as its printed pages (PDF). Present only in builds with the display library.

#ifdef ORBELIN_WITH_RENDER

#include "output/COutputList.h"

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>

// True when the --render file name asks for a PNG.
bool IsPngPath(const std::string& path);

// Checks the file name given to --render: why it cannot be used, or nothing when it names a format.
std::optional<std::string> CheckRenderPath(const std::string& path);

// Writes the solution into path with the comment texts of language (0 Russian, 1 English) from the
// language file under baseFolder. Returns the exit status: 0; 1 with a message on err when the file
// cannot be written (a missing folder, no permission, a full disk), with no part of it left behind;
// 2 when the solution cannot be drawn.
int RenderSolutionFile(const COutputList& solution, int language, const std::filesystem::path& baseFolder,
                       const std::string& path, std::ostream& err, double scale = 1.0);

#endif
