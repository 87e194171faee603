#pragma once

// Reads the compact markup of a formula block, as the solvers write it, into its constructs:
// everything the parser reads, and also what only the solvers write — relation chains and the
// signs of the Symbol font, the plus-or-minus sign, roots, crossed-out operands, systems with
// their numbered conditions, condition references, subscripts and function names.
//
//   line     := sum { relation sum }
//   sum      := [sign] term { sign term }            sign: "+" "-" or the plus-or-minus byte
//   term     := fraction { ("*" | "." | ":") fraction }
//   fraction := power ["/" power]
//   power    := operand ["^" operand]
//   operand  := number | letter | "(" line ")" | "{" line "}" | "!" name "{" … "}", then "_{" … "}"

#include "markup/FormulaSyntax.h"

#include <optional>
#include <string_view>

// The constructs of markup, or nothing when the text is not a formula of this grammar (the caller
// then shows the text as it is). Chained steps ("=A=") are read without their outer "=" signs.
std::optional<SyntaxNode> ReadMarkupSyntax(std::string_view markup);
