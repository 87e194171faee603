#include "checker/PupilLine.h"

#include "markup/LinearNotation.h"
#include "markup/MarkupSyntax.h"
#include "output/MarkupBytes.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

// Phrases of an answer without values, compared with the line's letters in lower case and
// without blanks (Russian words in UTF-8 are compared as written, in lower case).
constexpr std::array<std::string_view, 6> kNoRootsPhrases = {
    "noroots",
    "norealroots",
    "hasnoroots",
    "\xD0\xBD\xD0\xB5\xD1\x82\xD0\xBA\xD0\xBE\xD1\x80\xD0\xBD\xD0\xB5\xD0\xB9",
    "\xD0\xBA\xD0\xBE\xD1\x80\xD0\xBD\xD0\xB5\xD0\xB9\xD0\xBD\xD0\xB5\xD1\x82",
    "\xD0\xBD\xD0\xB5\xD0\xB8\xD0\xBC\xD0\xB5\xD0\xB5\xD1\x82\xD0\xBA\xD0\xBE\xD1\x80\xD0\xBD\xD0\xB5\xD0"
    "\xB9"};
// "any number", "any value", "every number", "любое число"
constexpr std::array<std::string_view, 4> kEveryNumberPhrases = {
    "anynumber", "anyvalue", "everynumber",
    "\xD0\xBB\xD1\x8E\xD0\xB1\xD0\xBE\xD0\xB5\xD1\x87\xD0\xB8\xD1\x81\xD0\xBB\xD0\xBE"};

std::string Squeezed(std::string_view text) {
    std::string squeezed;
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '*' && c != '.') {
            squeezed += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    // Upper-case Cyrillic letters of the phrases (UTF-8 0xD0 0x90 to 0xD0 0xAF) to lower case.
    for (std::size_t i = 0; i + 1 < squeezed.size(); ++i) {
        const auto lead = static_cast<unsigned char>(squeezed[i]);
        const auto next = static_cast<unsigned char>(squeezed[i + 1]);
        if (lead == 0xD0 && next >= 0x90 && next <= 0x9F) {
            squeezed[i + 1] = static_cast<char>(next + 0x20);
        } else if (lead == 0xD0 && next >= 0xA0 && next <= 0xAF) {
            squeezed[i] = static_cast<char>(0xD1);
            squeezed[i + 1] = static_cast<char>(next - 0x20);
        }
    }
    return squeezed;
}

template <std::size_t N>
bool HoldsPhrase(const std::string& squeezed, const std::array<std::string_view, N>& phrases) {
    return std::any_of(phrases.begin(), phrases.end(),
                       [&](std::string_view phrase) { return squeezed.find(phrase) != std::string::npos; });
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The text split where one part of a list of roots ends: at ";", at the words "or" and "или"
// standing alone, and at a "," followed by a letter (a decimal comma stands between digits), all
// outside brackets.
std::vector<std::string_view> SplitParts(std::string_view text) {
    std::vector<std::string_view> parts;
    int depth = 0;
    std::size_t start = 0;
    const auto wordAt = [&](std::size_t i, std::string_view word) {
        return text.substr(i, word.size()) == word && i > 0 && text[i - 1] == ' ' &&
               i + word.size() < text.size() && text[i + word.size()] == ' ';
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        depth += (c == '(' || c == '{') ? 1 : (c == ')' || c == '}') ? -1 : 0;
        if (depth != 0) {
            continue;
        }
        std::size_t separator = 0;
        if (c == ';') {
            separator = 1;
        } else if (wordAt(i, "or")) {
            separator = 2;
        } else if (wordAt(i, "\xD0\xB8\xD0\xBB\xD0\xB8")) {
            separator = 6; // "или" is six bytes of UTF-8
        } else if (c == ',') {
            std::size_t next = i + 1;
            while (next < text.size() && text[next] == ' ') {
                ++next;
            }
            separator = next < text.size() && IsLetter(text[next]) ? 1 : 0;
        }
        if (separator > 0) {
            parts.push_back(text.substr(start, i - start));
            start = i + separator;
            i = start - 1;
        }
    }
    parts.push_back(text.substr(start));
    // A closing ";" (the markup's end mark) leaves an empty last part.
    parts.erase(std::remove_if(parts.begin(), parts.end(),
                               [](std::string_view part) {
                                   return part.find_first_not_of(" \t") == std::string_view::npos;
                               }),
                parts.end());
    return parts;
}

enum class UnknownIndex { NotTheUnknown, None, One, Pair };

// The unknown with an index as pupils and the solver write it: x, x1, x_1, x_{1}, x₁ (one index),
// x1,2, x₁,₂, x_{1,2} (with the markup's subscript comma: a pair).
UnknownIndex IndexOfUnknown(std::string_view text, char unknown) {
    const std::size_t first = text.find_first_not_of(" \t");
    const std::size_t last = text.find_last_not_of(" \t");
    if (first == std::string_view::npos || text[first] != unknown) {
        return UnknownIndex::NotTheUnknown;
    }
    const std::string_view index = text.substr(first + 1, last - first);
    bool digits = false;
    bool comma = false;
    for (std::size_t i = 0; i < index.size(); ++i) {
        const auto c = static_cast<unsigned char>(index[i]);
        const bool subscriptDigit = c == 0xE2 && i + 2 < index.size() &&
                                    static_cast<unsigned char>(index[i + 1]) == 0x82 &&
                                    static_cast<unsigned char>(index[i + 2]) >= 0x80 &&
                                    static_cast<unsigned char>(index[i + 2]) <= 0x89;
        if (subscriptDigit || std::isdigit(c)) {
            digits = true;
            i += subscriptDigit ? 2 : 0;
        } else if (c == ',' || c == MarkupBytes::kSubscriptComma) {
            comma = true;
        } else if (c != '_' && c != '{' && c != '}') {
            return UnknownIndex::NotTheUnknown;
        }
    }
    return comma ? UnknownIndex::Pair : digits ? UnknownIndex::One : UnknownIndex::None;
}

bool HoldsLetter(const SyntaxNode& node) {
    return node.kind == SyntaxKind::Letter ||
           std::any_of(node.children.begin(), node.children.end(), HoldsLetter);
}

struct Reading {
    std::optional<SyntaxNode> tree;
    std::string error;
    std::size_t column = 0;
    std::optional<ReaderMessage> readerMessage;
};

Reading ReadFormula(std::string_view text, LineForm form) {
    Reading reading;
    if (form == LineForm::Markup) {
        std::string_view markup = text;
        while (!markup.empty() && (markup.back() == ';' || markup.back() == ' ')) {
            markup.remove_suffix(1);
        }
        reading.tree = ReadMarkupSyntax(markup);
        if (!reading.tree || markup.empty()) {
            reading.tree.reset();
            reading.error = markup.empty() ? "there is no expression" : "the markup cannot be read";
            reading.column = 1;
        }
        return reading;
    }
    LinearOptions options;
    options.rootsAllowed = true;
    const LinearReading linear = ReadLinearNotation(text, options);
    if (linear.Refused()) {
        reading.error = linear.error;
        reading.column = linear.column;
        reading.readerMessage = linear.message;
    } else if (!linear.tree) {
        reading.error = "there is no expression";
        reading.column = 1;
    } else {
        reading.tree = linear.tree;
    }
    return reading;
}

// The sides of x = A = B, split at every "=".
std::vector<std::string_view> Sides(std::string_view part) {
    std::vector<std::string_view> sides;
    std::size_t start = 0;
    for (std::size_t equals = part.find('='); equals != std::string_view::npos;
         equals = part.find('=', start)) {
        sides.push_back(part.substr(start, equals - start));
        start = equals + 1;
    }
    sides.push_back(part.substr(start));
    return sides;
}

// A value without letters; none otherwise.
std::optional<SyntaxNode> ReadValue(std::string_view text, LineForm form) {
    Reading value = ReadFormula(text, form);
    if (!value.tree || value.tree->kind == SyntaxKind::Relation || HoldsLetter(*value.tree)) {
        return std::nullopt;
    }
    return std::move(value.tree);
}

// Each part "x = value" or "x = A = value" (sides without letters) read; none when a part is of
// another form.
std::optional<RootStatement> ReadRootValues(std::string_view text, LineForm form, char unknown) {
    RootStatement statement;
    const std::vector<std::string_view> parts = SplitParts(text);
    for (const std::string_view part : parts) {
        const std::vector<std::string_view> sides = Sides(part);
        const UnknownIndex index = IndexOfUnknown(sides.front(), unknown);
        if (sides.size() < 2 || index == UnknownIndex::NotTheUnknown) {
            return std::nullopt;
        }
        statement.oneOfAList = parts.size() == 1 && index == UnknownIndex::One;
        std::optional<SyntaxNode> value = ReadValue(sides.back(), form);
        if (!value) {
            return std::nullopt;
        }
        for (std::size_t i = 1; i + 1 < sides.size(); ++i) {
            std::optional<SyntaxNode> working = ReadValue(sides[i], form);
            if (!working) {
                return std::nullopt;
            }
            statement.workings.emplace_back(std::move(*working), statement.values.size());
        }
        statement.values.push_back(std::move(*value));
    }
    if (statement.values.empty()) {
        return std::nullopt;
    }
    return statement;
}

// Two or more parts, each an equation; none otherwise.
std::optional<std::vector<SyntaxNode>> ReadAlternatives(std::string_view text, LineForm form) {
    const std::vector<std::string_view> parts = SplitParts(text);
    if (parts.size() < 2) {
        return std::nullopt;
    }
    std::vector<SyntaxNode> equations;
    for (const std::string_view part : parts) {
        Reading equation = ReadFormula(part, form);
        if (!equation.tree || equation.tree->kind != SyntaxKind::Relation) {
            return std::nullopt;
        }
        equations.push_back(std::move(*equation.tree));
    }
    return equations;
}

} // namespace

// The line without the word that opens an answer as the solver writes it: "Answer: x = 2",
// "Ответ: x = 2".
std::string_view WithoutAnswerWord(std::string_view text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
        return text;
    }
    const std::string word = Squeezed(text.substr(0, colon));
    const bool answerWord = word == "answer" || word == "\xD0\xBE\xD1\x82\xD0\xB2\xD0\xB5\xD1\x82";
    return answerWord ? text.substr(colon + 1) : text;
}

PupilLine ReadPupilLine(std::string_view text, LineForm form, char unknown) {
    PupilLine line;
    if (unknown != 0) {
        text = WithoutAnswerWord(text);
        const std::string squeezed = Squeezed(text);
        if (HoldsPhrase(squeezed, kNoRootsPhrases)) {
            line.statement = RootStatement{RootStatement::Kind::NoRoots, {}, {}, false};
            return line;
        }
        if (HoldsPhrase(squeezed, kEveryNumberPhrases)) {
            line.statement = RootStatement{RootStatement::Kind::EveryNumber, {}, {}, false};
            return line;
        }
        if (std::optional<RootStatement> statement = ReadRootValues(text, form, unknown)) {
            line.statement = std::move(statement);
            return line;
        }
        if (std::optional<std::vector<SyntaxNode>> alternatives = ReadAlternatives(text, form)) {
            line.alternatives = std::move(*alternatives);
            return line;
        }
    }
    Reading reading = ReadFormula(text, form);
    line.formula = std::move(reading.tree);
    line.error = std::move(reading.error);
    line.column = reading.column;
    line.readerMessage = std::move(reading.readerMessage);
    return line;
}

std::string LineMarkup(const SyntaxNode& formula) {
    return WriteSyntaxMarkup(formula);
}
