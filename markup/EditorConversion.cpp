#include "markup/EditorConversion.h"

#include "markup/MarkupCharacters.h"

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// Signs, relations and delimiters next to which no product dot is put: "$", relation signs,
// operators, the Symbol-font relation signs, "@" and the plus-or-minus sign.
// Symbol-font bytes: 0xB9 not-equal, 0xBB approximately-equal, 0xB3 greater-or-equal, 0xA3
// less-or-equal, 0xB1 plus-or-minus.
constexpr std::string_view kDotStopSigns = "$=<>+-*.:/^_\xB9\xBB@\xB3\xA3\xB1";

// No dot after c when the next character is a sign or a closing bracket.
bool StopsDotAfter(char next) {
    return IsOneOf(next, kDotStopSigns) || next == '}' || next == ')' || next == ']';
}

// No dot before c when the previous character is a sign or an opening bracket.
bool StopsDotBefore(char previous) {
    return IsOneOf(previous, kDotStopSigns) || previous == '{' || previous == '(' || previous == '[';
}

bool WantsDotAfter(char c) {
    return c == ')' || c == '}' || IsLetter(c);
}

bool WantsDotBefore(char c) {
    return c == '(' || c == '{' || IsLetter(c);
}

// Neighbours that let a brace pair go in the third pass of RemoveRedundantBraces (0xB1 is the
// plus-or-minus sign).
constexpr std::string_view kFreeBeforeBrace = "=<>+-*.:\xB1([{";
constexpr std::string_view kFreeAfterBrace = "=<>+-*.:\xB1)]}";

bool IsLetterOrDigit(char c) {
    return IsLetter(c) || IsDigit(c);
}

// For every position holding `open`, the position of the `close` that matches it (kNone when it is
// never closed); every other position holds kNone. Counting from an opening character forward
// until the count returns to zero finds the same partner as this single scan with a stack.
std::vector<std::size_t> MatchPairs(const std::string& text, char open, char close) {
    std::vector<std::size_t> match(text.size(), kNone);
    std::vector<std::size_t> openStack;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == open) {
            openStack.push_back(i);
        } else if (text[i] == close && !openStack.empty()) {
            match[openStack.back()] = i;
            openStack.pop_back();
        }
    }
    return match;
}

// The characters of a text as a doubly linked list, so that brace pairs can be deleted in constant
// time while a pass walks on; the surviving characters are gathered at the end.
class CCharacterChain {
public:
    explicit CCharacterChain(const std::string& source)
        : text(source), nextOf(source.size()), previousOf(source.size()), alive(source.size(), true) {
        for (std::size_t i = 0; i < source.size(); ++i) {
            nextOf[i] = i + 1 < source.size() ? i + 1 : kNone;
            previousOf[i] = i > 0 ? i - 1 : kNone;
        }
    }

    std::size_t First() const { return text.empty() ? kNone : firstAlive; }
    std::size_t Next(std::size_t i) const { return nextOf[i]; }
    std::size_t Previous(std::size_t i) const { return previousOf[i]; }
    char At(std::size_t i) const { return text[i]; }

    void Remove(std::size_t i) {
        if (previousOf[i] != kNone) {
            nextOf[previousOf[i]] = nextOf[i];
        } else {
            firstAlive = nextOf[i];
        }
        if (nextOf[i] != kNone) {
            previousOf[nextOf[i]] = previousOf[i];
        }
        alive[i] = false;
    }

    std::string Gather() const {
        std::string result;
        result.reserve(text.size());
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (alive[i]) {
                result.push_back(text[i]);
            }
        }
        return result;
    }

private:
    const std::string& text;
    std::vector<std::size_t> nextOf;
    std::vector<std::size_t> previousOf;
    std::vector<bool> alive;
    std::size_t firstAlive = 0;
};

// Pass 1: "{" + letters and digits + "}" -> the letters and digits.
void RemoveBracesAroundRuns(std::string& text) {
    std::string result;
    result.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '{') {
            std::size_t end = i + 1;
            while (end < text.size() && IsLetterOrDigit(text[end])) {
                ++end;
            }
            if (end > i + 1 && end < text.size() && text[end] == '}') {
                result.append(text, i + 1, end - i - 1);
                i = end + 1;
                continue;
            }
        }
        result.push_back(text[i]);
        ++i;
    }
    text = std::move(result);
}

// Pass 2: "{(" ... matching ")}" -> "(" ... ")".
void RemoveBracesAroundBrackets(std::string& text) {
    const std::vector<std::size_t> closer = MatchPairs(text, '(', ')');
    CCharacterChain chain(text);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '(' || closer[i] == kNone) {
            continue;
        }
        const std::size_t before = chain.Previous(i);
        const std::size_t after = chain.Next(closer[i]);
        if (before != kNone && chain.At(before) == '{' && after != kNone && chain.At(after) == '}') {
            chain.Remove(after);
            chain.Remove(before);
        }
    }
    text = chain.Gather();
}

// Pass 3: a brace pair in the place of a whole term or factor.
void RemoveFreeStandingBraces(std::string& text) {
    const std::vector<std::size_t> closer = MatchPairs(text, '{', '}');
    CCharacterChain chain(text);
    std::size_t i = chain.First();
    while (i != kNone) {
        const std::size_t before = chain.Previous(i);
        if (text[i] == '{' && closer[i] != kNone &&
            (before == kNone || IsOneOf(chain.At(before), kFreeBeforeBrace))) {
            const std::size_t after = chain.Next(closer[i]);
            if (after == kNone || IsOneOf(chain.At(after), kFreeAfterBrace)) {
                // Deleting a matched pair leaves every other pair matched as before, so the
                // partners found at the start stay valid. The pass goes on at the character that
                // took the place of the deleted brace.
                chain.Remove(closer[i]);
                const std::size_t following = chain.Next(i);
                chain.Remove(i);
                i = following;
                continue;
            }
        }
        i = chain.Next(i);
    }
    text = chain.Gather();
}

} // namespace

void RemoveBlanks(std::string& text) {
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
}

void MarkMixedNumbers(std::string& text) {
    // Walking left from a "/" and counting "{" as +1 and "}" as -1 stops at the innermost brace
    // that is still open at the "/": the top of a stack of open braces kept while reading from
    // the left. Several slashes may point to one brace; it gets one "@".
    std::vector<std::size_t> openBraces;
    std::vector<bool> markBefore(text.size(), false);
    bool anyMark = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '{') {
            openBraces.push_back(i);
        } else if (c == '}') {
            if (!openBraces.empty()) {
                openBraces.pop_back();
            }
        } else if (c == '/' && i > 0 && !openBraces.empty()) {
            const std::size_t brace = openBraces.back();
            if (brace > 0 && IsDigit(text[brace - 1])) {
                markBefore[brace] = true;
                anyMark = true;
            }
        }
    }
    if (!anyMark) {
        return;
    }
    std::string result;
    result.reserve(text.size() + text.size() / 4);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (markBefore[i]) {
            result.push_back('@');
        }
        result.push_back(text[i]);
    }
    text = std::move(result);
}

void InsertProductDots(std::string& text) {
    const std::size_t n = text.size();
    if (n < 2) {
        return;
    }
    // Decided from the last character to the first, as dots inserted to the right of a character
    // are what its own test for a dot after it sees next to it.
    std::vector<bool> dotBefore(n, false);
    std::vector<bool> dotAfter(n, false);
    for (std::size_t i = n; i-- > 0;) {
        const char c = text[i];
        if (i + 1 < n && WantsDotAfter(c)) {
            const char next = dotBefore[i + 1] ? '.' : text[i + 1];
            dotAfter[i] = !StopsDotAfter(next);
        }
        if (i > 0 && WantsDotBefore(c)) {
            dotBefore[i] = !StopsDotBefore(text[i - 1]);
        }
    }
    std::string result;
    result.reserve(n + n / 2);
    for (std::size_t i = 0; i < n; ++i) {
        if (dotBefore[i]) {
            result.push_back('.');
        }
        result.push_back(text[i]);
        if (dotAfter[i]) {
            result.push_back('.');
        }
    }
    text = std::move(result);
}

void RemoveRedundantBraces(std::string& text) {
    RemoveBracesAroundRuns(text);
    RemoveBracesAroundBrackets(text);
    RemoveFreeStandingBraces(text);
}

void ConvertEditorText(std::string& text) {
    RemoveBlanks(text);
    MarkMixedNumbers(text);
    InsertProductDots(text);
    RemoveRedundantBraces(text);
}
