#include "markup/ReaderMessage.h"

#include <array>

namespace {

constexpr std::array<std::string_view, kReaderMessageCount> kEnglishPatterns = {
    "the text is not UTF-8",
    "a second relation sign (the first is at column %1); a problem holds one",
    "two numbers in a row; write the sign between them",
    "a superscript sign needs superscript digits after it",
    "%1 is a root; a problem cannot hold roots or functions",
    "%1 is a function; a problem cannot hold roots or functions",
    "the bracket %1 opened at column %2 is not closed",
    "%1 does not close the bracket %2 opened at column %3",
    "a mixed number is written 2@{1/3}",
    "\"!\" starts a markup command such as !cross{1;x}",
    "a subscript is written _{%1}",
    "the brace opened at column %1 is not closed",
    "%1 cannot stand inside a markup command",
    "sqrt takes its radicand in brackets: sqrt(2)",
    "the problem ends where an operand must stand",
    "%1 closes no bracket",
    "an operand is missing before %1",
    "%1 is not part of the notation",
    "a relation sign can stand only between the two sides of the problem",
    "%1 cannot stand here",
    "brackets, exponents and signs are nested deeper than %1 levels",
    "the problem is longer than %1 characters",
    "column %1: %2",
};

} // namespace

std::string_view EnglishReaderPattern(ReaderMessageID id) {
    const auto index = static_cast<std::size_t>(ToNumber(id));
    return index < kEnglishPatterns.size() ? kEnglishPatterns[index] : std::string_view();
}

std::string FillMessagePattern(std::string_view pattern, const std::vector<std::string>& arguments) {
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next >= '1' && next <= '9') {
            const auto index = static_cast<std::size_t>(next - '1');
            if (index < arguments.size()) {
                text += arguments[index];
            }
            ++i;
        } else if (pattern[i] == '%' && next == '%') {
            text += '%';
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

std::string EnglishReaderText(const ReaderMessage& message) {
    return FillMessagePattern(EnglishReaderPattern(message.id), message.arguments);
}
