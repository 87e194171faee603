#pragma once

// The reader of standard linear notation: what people type in a terminal, a spreadsheet or another
// algebra tool, turned into the compact markup that means the same thing.
//
// Grammar, loosest binding first; blanks may stand between any two tokens:
//
//   problem  := sum [relation sum]          relation: = < > <= >= != ≠ ≤ ≥ (one of them at most)
//   sum      := ["+" | "-"] term { ("+" | "-") term }
//   term     := unary { ("*" | "·" | "×" | "." | ":" | "÷" | "/") unary | power }
//                                           left-associative; a power that follows directly is an
//                                           implicit product: 2x, x(x+1), (x+1)(x-1), 2(x+1)^2
//   unary    := ("-" | "+") unary | power
//   power    := primary [("^" | "**") exponent | superscript digits]      right-associative
//   exponent := ("-" | "+") exponent | power
//   primary  := number | letter | "(" sum ")" | "{" sum "}" | markup command "!name{…}"
//   number   := digits ["." | "," digits]   a decimal; "3/4" (digits "/" digits, not after "/" and
//               not followed by an exponent) is a fraction literal; "2 1/3" and "2@{1/3}" mixed
//
// So 2x/4/3 is (2x/4)/3, a:b:c is one product with two divisors, -x^2 is -(x^2), x^-1 and
// 2 + -3 are read, and 2^3^2 is 2^(3^2). The signs people paste (− × · ÷ ² ³ ≠ ≤ ≥) are read as
// their ASCII spellings. Roots and functions (sqrt(x), sin x, √x) are refused: a problem cannot hold
// them. The markup's own commands ("!cross{1;x}", "_{1}") pass through unchanged.

#include "markup/FormulaSyntax.h"
#include "markup/ReaderMessage.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

struct LinearReading {
    // The formula read; absent when the text was refused.
    std::optional<SyntaxNode> tree;
    // The compact markup of the tree; empty when the text was refused or empty.
    std::string markup;
    // Why the text was refused, naming what was found, in English; empty when it was read.
    std::string error;
    // The same refusal as a message number with its arguments, for a text in another language.
    ReaderMessage message;
    // The column (1-based, in characters) the error points at.
    std::size_t column = 0;

    bool Refused() const { return !error.empty(); }
};

// True when a run of letters holds the name of a function or a root ("sin", "sqrt", "ln", ...):
// letters written next to each other must not spell one, or the reader would refuse them.
bool HoldsFunctionName(std::string_view letters);

// What the reader takes beyond a problem. A pupil's answer states roots, which a problem cannot hold.
struct LinearOptions {
    // "sqrt(sum)" and "√primary" are read as square roots, and "±" or "+-" between two terms as the
    // plus-or-minus sign of a sum: x = 1 ± √2, x = (5 +- sqrt(1))/2.
    bool rootsAllowed = false;
};

// Reads UTF-8 text in linear notation. An empty (or blank) text reads as the empty problem.
// Time and memory are linear in the length of the text; texts longer than the engine's problem
// length and brackets nested deeper than its nesting limit are refused.
LinearReading ReadLinearNotation(std::string_view text, const LinearOptions& options = {});
