#pragma once

// The writers of the document formats behind ExportSolution, one file each, all from the shown bands.

#include "export/SolutionBands.h"

#include <string>
#include <vector>

std::string MarkdownDocument(const std::vector<ShownBand>& bands, int language);
// fragment: the body alone, without the preamble and the document environment.
std::string LatexDocument(const std::vector<ShownBand>& bands, int language, bool fragment);
// fragment: the solution's <div> alone instead of a whole page.
std::string HtmlDocument(const std::vector<ShownBand>& bands, int language, bool fragment);
