#pragma once

// Writes a formula's constructs in the editor form of the markup: every token after one blank,
// numbers digit by digit, fractions and powers as the editor's templates, brackets where the
// editor's layout needs them. The formula editor pastes text in linear notation this way: read by
// the linear-notation reader, written here, inserted as if it had been typed.
//
// e.g. x^2-5x+6=0      -> " {{ x}^{ 2}} - 5 x + 6 = 0"
//      1/(x-1)         -> " {{ 1}/{ x - 1}}"
//      2 1/3 + (a+b)^2 -> " 2 {{ 1}/{ 3}} + {{ ( a + b)}^{ 2}}"
//
// Converted by ConvertEditorText, the result reads as the same tree, except that a fraction of two
// whole numbers becomes the fraction literal of the same value.

#include "markup/FormulaSyntax.h"

#include <optional>
#include <string>

// The editor form of the tree; nothing for constructs a problem cannot hold (roots, functions,
// relations other than "=").
std::optional<std::string> WriteEditorForm(const SyntaxNode& node);
