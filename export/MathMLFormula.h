#pragma once

// A formula block written as Presentation MathML: "<math>" with "<mfrac>" for fractions, "<msup>"
// for powers, "<msqrt>"/"<mroot>" for roots, "<msub>" for subscripts, "<menclose
// notation="updiagonalstrike">" for crossed-out parts and a brace before an "<mtable>" for systems.
// Brackets are written only where the formula would otherwise be read differently, by the same
// rules as the LaTeX.

#include "markup/FormulaSyntax.h"

#include <string>
#include <string_view>

// The whole "<math>…</math>" element. language (0 Russian, 1 English) picks the decimal separator.
// Markup that is not a formula of the markup grammar is written as "<mtext>".
std::string MathMLFormula(std::string_view markup, int language);

// The content of the element for one tree: one MathML element (an "<mrow>" when it has several parts).
std::string MathMLSyntax(const SyntaxNode& node, int language);

// Text for XML: "&", "<", ">" and the quote written as entities, control characters left out.
std::string XmlEscapedText(std::string_view utf8);
