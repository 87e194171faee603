#pragma once

// One line of a pupil's solution, read: a formula (an expression, or an equation), a statement of
// roots, or the reader's refusal with its column.
//
// A statement of roots is what ends an equation's solution, in any of the ways pupils write it:
//   x = 2        x = 2 or x = −3        x = 2; x = −3        x1 = 2, x2 = −3
//   x = 1 ± √2   x1,2 = (5 +- sqrt(1))/2   no roots   any number   (and the Russian words)
//   x₁ = (5 − 1)/2 = 2   (the value worked out: every side after the unknown states the same roots)
// Each part is the unknown (with any index) equal to a value without letters; the values may
// hold square roots and the plus-or-minus sign, which a problem cannot. A line that states one
// root with a single index (x₁ = 2) is one of a list written a line each (x₂ = 3 follows it).

#include "markup/FormulaSyntax.h"
#include "markup/ReaderMessage.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// How the lines are written: standard linear notation (UTF-8), or the compact markup of the
// formula editor and of the solver's own formula blocks (single bytes).
enum class LineForm { Linear, Markup };

struct RootStatement {
    enum class Kind { Values, NoRoots, EveryNumber };
    Kind kind = Kind::Values;
    // The right sides of the parts "x = value", in order (the last side of x = A = value).
    std::vector<SyntaxNode> values;
    // The sides worked out before a value, each with the index of the value it must equal.
    std::vector<std::pair<SyntaxNode, std::size_t>> workings;
    // One root of a list written a line each: x₁ = 2 (x₂ = 3 on the next line).
    bool oneOfAList = false;
};

struct PupilLine {
    std::optional<SyntaxNode> formula;
    // Equations joined by "or" (x − 1 = 0 or x + 5 = 0): solved by the values that solve one of them.
    std::vector<SyntaxNode> alternatives;
    std::optional<RootStatement> statement;
    // The reader's message, with the column it names; empty when the line was read.
    std::string error;
    std::size_t column = 0;
    // The linear reader's refusal behind error, when it was the reader's.
    std::optional<ReaderMessage> readerMessage;

    bool Unreadable() const { return !error.empty(); }
};

// Reads a line. unknown is the letter of the equation, or 0 when the problem is an expression
// (then no line is a statement of roots or a list of alternatives).
PupilLine ReadPupilLine(std::string_view text, LineForm form, char unknown);

// The compact markup of a line read as a formula, for the solver.
std::string LineMarkup(const SyntaxNode& formula);
