#pragma once

// The tests' own readers of the exported formulas and a judge of their meaning. The LaTeX reader
// and the MathML reader rebuild the constructs of a formula from what a reader of that format sees
// (precedence of the signs, brackets, \frac and <mfrac>, \cancel and <menclose>, ...), knowing
// nothing of how the export writes them; the evaluator gives the meaning of a formula at a point with
// the engine's exact numbers, so a formula written out and read back can be compared by value with
// the record it came from. Roots, functions and non-integer powers are compared as uninterpreted
// functions of their exact arguments, the plus-or-minus sign as a fixed number of its own.

#include "XmlTree.h"
#include "markup/FormulaSyntax.h"
#include "model/CNumber.h"

#include <map>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

struct ReadBack {
    std::optional<SyntaxNode> tree;
    std::string error;
};

// A formula in LaTeX maths as the export writes it (with "= " before and " =" after a chained step).
ReadBack ReadLatexFormula(std::string_view latex);

// A <math> element.
ReadBack ReadMathMLFormula(const XmlElement& math);

using LetterValues = std::map<char, CNumber>;

// Every letter a to z and A to Z with a random non-zero rational value.
LetterValues RandomLetterValues(std::mt19937& random);

// The meaning of a formula at a point, as a list of items: the value of every side of a relation
// ("undefined" where a division by zero leaves none), the relation signs between them, the lines of a
// system and the numbers of labelled conditions.
std::vector<std::string> Meaning(const SyntaxNode& formula, const LetterValues& values);

// The number of nodes of the kind in the tree.
int CountKind(const SyntaxNode& node, SyntaxKind kind);
