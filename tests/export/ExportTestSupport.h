#pragma once

// Checks shared by the export tests: a formula's LaTeX or MathML read back by the tests' own readers
// and compared by value with the formula's markup, and the pieces of a document taken apart.

#include "FormulaReadBack.h"
#include "XmlTree.h"

#include <random>
#include <string>
#include <string_view>
#include <vector>

// Reads the LaTeX back and compares its meaning with the markup's at a few random points. Returns a
// description of the first difference, or "" when they agree.
std::string CompareLatex(std::string_view markup, std::string_view latex, std::mt19937& random,
                         int points = 3);

// The same for a <math> element.
std::string CompareMathML(std::string_view markup, const XmlElement& math, std::mt19937& random,
                          int points = 3);

// The maths of a Markdown text in order: what stands between "$$" and "$$" or "$" and "$" (an
// escaped "\$" is text).
std::vector<std::string> MarkdownMaths(std::string_view markdown);

// The formulas of a LaTeX document in order: what stands between "$\displaystyle " and "$".
std::vector<std::string> LatexDocumentMaths(std::string_view latex);
