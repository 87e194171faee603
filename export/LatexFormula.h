#pragma once

// A formula block written as LaTeX maths (amsmath, and cancel for crossed-out parts): "x^2-3x+1=0"
// -> "x^{2} - 3x + 1 = 0", "{x-1}/{x+1}" -> "\frac{x - 1}{x + 1}", "!sq2{D}" -> "\sqrt{D}",
// "x_{1,2}" -> "x_{1,2}", a crossed-out operand -> "\cancel{…}", a system -> "\begin{cases}…".
// Brackets are written as "\left( … \right)" and only where the formula would otherwise be read
// differently.

#include "markup/FormulaSyntax.h"

#include <string>
#include <string_view>

// The formula's LaTeX, without the "$" around it. language (0 Russian, 1 English) picks the decimal
// separator: "0.5", or "0{,}5" under Russian. Markup that is not a formula of the markup grammar is
// written as text.
std::string LatexFormula(std::string_view markup, int language);

std::string LatexSyntax(const SyntaxNode& node, int language);

// Text for a LaTeX document: the characters LaTeX treats specially written as their commands.
std::string LatexEscapedText(std::string_view utf8);
