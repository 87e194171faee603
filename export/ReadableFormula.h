#pragma once

// Formulas for people: the compact markup of a formula block written as linear Unicode
// mathematics, with brackets only where they are needed to read it back the same way:
// "5.x" -> "5x", "{1/2}.x" -> "1/2·x", "(a-b)*(a+b)" -> "(a − b)(a + b)", "x^2" -> "x²",
// "x/{x-1}" -> "x/(x − 1)", "!sq2{2}" -> "√2", "x_{1,2}={-b±!sq2{D}}/{2.a}" ->
// "x₁,₂ = (−b ± √D)/(2a)", a crossed-out operand struck through.
//
// A formula without crossed-out parts, written here and read back by the linear-notation reader
// (markup/LinearNotation.h), gives the tree it was written from.

#include "markup/FormulaSyntax.h"

#include <string>
#include <string_view>

struct ReadableStyle {
    // How crossed-out operands are struck through.
    enum class Strike {
        CombiningStroke, // a combining long stroke after every character: x̶ (any output)
        Terminal,        // the terminal's strike-through and faint attributes
    };
    Strike strike = Strike::CombiningStroke;
    // The decimal separator: a point under English, a comma under Russian.
    char decimalSeparator = '.';
};

// The formula as readable UTF-8. Markup that is not a formula of the markup grammar is shown with
// its Symbol-font bytes as their signs and otherwise unchanged.
std::string ReadableFormula(std::string_view markup, const ReadableStyle& style);

// The tree as readable UTF-8.
std::string ReadableSyntax(const SyntaxNode& node, const ReadableStyle& style);
