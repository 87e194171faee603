#pragma once

// The layout function of each kind of markup piece. Each lays its piece out into a box with its top
// left corner at (0, 0) and returns a result code (see LayoutCode); FormulaLayout.cpp dispatches.

#include "display/FormulaLayout.h"

#include <cstddef>
#include <string_view>
#include <vector>

// A run of top-level operators of one class (relations, sums, the at sign), with the pieces between
// them: pieces.size() == operators.size() + 1.
struct OperatorChain {
    std::vector<std::string_view> pieces;
    std::vector<unsigned char> operators;
};

// The loosest top-level operator class of the markup, and where the first operator of that class is.
struct SplitPoint {
    OperatorClass operatorClass = OperatorClass::None;
    std::size_t position = 0;
};
SplitPoint FindSplitPoint(std::string_view markup);

// Every top-level operator of the given class cuts the markup; laying the chain out piece by piece is
// the same as splitting at the leftmost operator again and again, without recursing once per operator.
OperatorChain CutChain(std::string_view markup, OperatorClass operatorClass);

// A command "!name(...)" or "!name{...}" cut into its name and its argument.
struct CommandParts {
    std::string_view name;
    // The argument with its brackets, and without them.
    std::string_view argument;
    std::string_view inner;
};
// A result code: the command has an argument and it is closed by the mate of its opening bracket.
int SplitCommand(std::string_view markup, CommandParts& parts);
// Splits "k;C" at its first top-level ";".
bool SplitPair(std::string_view inner, std::string_view& first, std::string_view& second);

int LayoutOperatorChain(const OperatorChain& chain, const LayoutContext& context, LayoutBox& box);
int LayoutFraction(std::string_view numerator, std::string_view denominator, const LayoutContext& context,
                   LayoutBox& box);
// A base with a script in the reduced context beside it: an exponent raised, an index lowered.
enum class ScriptPlace { Raised, Lowered };
int LayoutScript(std::string_view base, std::string_view script, ScriptPlace place,
                 const LayoutContext& context, LayoutBox& box);

// "!name(...)", "!name{...}": functions, bracket references, roots, systems, crossed-out parts.
int LayoutCommand(std::string_view markup, const LayoutContext& context, LayoutBox& box);

// "(C)" and "[C]", and the bracket kinds 0 "( )", 1 "[ ]", 2 "{ }" of a bracket reference.
int LayoutBracketed(std::string_view inner, unsigned char open, unsigned char close,
                    const LayoutContext& context, LayoutBox& box);

// Splits text at ";" characters that stand outside all brackets.
std::vector<std::string_view> SplitAtSemicolons(std::string_view text);
