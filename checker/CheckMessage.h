#pragma once

// What the checker tells a pupil about a line, as a message number with its arguments. The texts
// live in the language files (section "CheckTexts", key = the number) with the places %1, %2, %3
// for the arguments, and are looked up only when a check is shown, like the solution comments.
// Arguments are UTF-8 texts the checker writes itself: points ("x = 2"), values ("7/2"),
// polynomials ("x − 1"), or a message of the formula reader.

#include "markup/ReaderMessage.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

enum class CheckMessageID : std::int32_t {
    // e.g. 2x + 3x -> 5x
    LineRight = 0,
    // e.g. x(x + 1) -> x² + 1: "at x = 2 the line before is 6, this line is 5"
    ValuesDiffer = 1,
    // e.g. x² = x -> x = 1: "x = 0 solves the line before but not this line"
    RootLost = 2,
    // e.g. x = 2 -> x² = 4: "x = −2 solves this line but not the line before"
    RootGained = 3,
    // e.g. an answer x = 1 of x/(x − 1) = 1/(x − 1): "x = 1 is not allowed: the denominator x − 1 is zero"
    RootNotAllowed = 4,
    // e.g. 2x + 1 in an equation's solution: "this line is not an equation in x"
    NotAnEquation = 5,
    // e.g. x² − 1 -> x²(1 − 1/x²) in a factorisation: "this line is not a polynomial: it divides by x"
    NotAPolynomial = 6,
    // e.g. 2x + : "column 4: the problem ends where an operand must stand"
    Unreadable = 7,
    // e.g. √(x + 1) = 2: a root of the unknown
    NotCheckedRoot = 8,
    // e.g. 2^x = 4: an exponent that is not a whole number
    NotCheckedExponent = 9,
    // e.g. x < 2: only equations are compared
    NotCheckedRelation = 10,
    // a line whose numbers or polynomials pass the engine's limits
    NotCheckedTooLarge = 11,
    // every line right and the last states the answer
    Finished = 12,
    // every line right, the solution stops early: the solver's next step follows
    NotFinished = 13,
    // the summary of a solution with a wrong line: "The solution is wrong from line 3 on."
    WrongFromLine = 14,
    // e.g. 1/(x − x): "this line is not defined for any value"
    UndefinedEverywhere = 15,
    // e.g. x + y = 1: "the problem is not an equation in one unknown"
    ProblemNotChecked = 16,
    // e.g. x = 2 in a simplification: "this line is an equation, the solution is of an expression"
    NotAnExpression = 17,
    // x = 1 + √(1 + √2): an answer the checker cannot bring to the form a + b√c
    NotCheckedAnswer = 18,
    // e.g. sin(x) = 0
    NotCheckedFunction = 19,
    // e.g. x₁ = (5 − 1)/2 = 3: "the sides of this line are not equal: 2 and 3"
    SidesDiffer = 20,
};

inline constexpr std::int32_t kCheckMessageCount = 21;

struct CheckMessage {
    CheckMessage() = default;
    CheckMessage(CheckMessageID messageId, std::vector<std::string> messageArguments = {},
                 std::optional<ReaderMessage> refusal = std::nullopt)
        : id(messageId), arguments(std::move(messageArguments)), readerMessage(std::move(refusal)) {}

    CheckMessageID id = CheckMessageID::LineRight;
    std::vector<std::string> arguments;
    // The refusal of the linear reader behind an Unreadable message: written in place of its
    // English text (%2) in the language the message is shown in.
    std::optional<ReaderMessage> readerMessage;
};

constexpr std::int32_t ToNumber(CheckMessageID id) {
    return static_cast<std::int32_t>(id);
}

// The pattern with %1 ... %9 replaced by the arguments (a missing argument by nothing, "%%" by "%").
std::string FormatCheckMessage(std::string_view pattern, const std::vector<std::string>& arguments);
