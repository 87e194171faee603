#pragma once

// Why the linear reader refused a text, as a message number with its arguments, so that the refusal
// can be shown in the reader's language. The texts live in the language files (section
// "ReaderTexts", key = the number) with the places %1, %2, %3 for the arguments; the English
// patterns are also built in, because the reader's own error text (LinearReading::error, which the
// command line prints) is English and must not depend on a language file being found.
// Arguments are UTF-8: a character of the text in double quotes ("\")\""), a column, a name.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class ReaderMessageID : std::int32_t {
    NotUtf8 = 0,
    // %1: the column of the first relation sign
    SecondRelation = 1,
    TwoNumbers = 2,
    SuperscriptDigitsMissing = 3,
    // %1: the name or sign of the root (sqrt, √)
    IsRoot = 4,
    // %1: the name of the function (sin, ln)
    IsFunction = 5,
    // %1: the bracket, %2: its column
    BracketNotClosed = 6,
    // %1: the closing bracket found, %2: the open bracket, %3: its column
    WrongClosingBracket = 7,
    MixedNumberForm = 8,
    MarkupCommandForm = 9,
    // %1: the ellipsis standing for the subscript
    SubscriptForm = 10,
    // %1: the column of the brace
    BraceNotClosed = 11,
    // %1: the character
    NotInsideMarkupCommand = 12,
    SquareRootNeedsBrackets = 13,
    EndsWithoutOperand = 14,
    // %1: the bracket
    ClosesNoBracket = 15,
    // %1: the character after the missing operand
    OperandMissingBefore = 16,
    // %1: the character
    NotInNotation = 17,
    RelationMisplaced = 18,
    // %1: the character
    CannotStandHere = 19,
    // %1: the nesting limit
    NestedTooDeep = 20,
    // %1: the length limit
    TooLong = 21,
    // The refusal with its place: %1 the column, %2 the message.
    AtColumn = 22,
};

inline constexpr std::int32_t kReaderMessageCount = 23;

struct ReaderMessage {
    ReaderMessageID id = ReaderMessageID::NotUtf8;
    std::vector<std::string> arguments;
};

constexpr std::int32_t ToNumber(ReaderMessageID id) {
    return static_cast<std::int32_t>(id);
}

// The built-in English pattern of id, the same as the English language file's.
std::string_view EnglishReaderPattern(ReaderMessageID id);

// The pattern with %1 ... %9 replaced by the arguments (a missing argument by nothing, "%%" by "%").
std::string FillMessagePattern(std::string_view pattern, const std::vector<std::string>& arguments);

// The message in English.
std::string EnglishReaderText(const ReaderMessage& message);
