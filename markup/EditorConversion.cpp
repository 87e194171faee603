#include "markup/EditorConversion.h"

#include "markup/MarkupCharacters.h"

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// "+", "-" and the plus-or-minus sign.
bool IsSumSign(char c) {
    return c == '+' || c == '-' || MarkupBytes::IsByte(c, MarkupBytes::kPlusOrMinus);
}

// The Symbol-font relation signs and the plus-or-minus sign.
bool IsSymbolSign(char c) {
    using namespace MarkupBytes;
    return IsByte(c, kNotEqual) || IsByte(c, kApproximatelyEqual) || IsByte(c, kGreaterOrEqual) ||
           IsByte(c, kLessOrEqual) || IsByte(c, kPlusOrMinus);
}

// Signs, relations and delimiters next to which no product dot is put: "$", relation signs,
// operators, "@", and the Symbol-font signs.
bool IsDotStopSign(char c) {
    return IsOneOf(c, "$=<>+-*.:/^_@") || IsSymbolSign(c);
}

// No dot after c when the next character is a sign or a closing bracket.
bool StopsDotAfter(char next) {
    return IsDotStopSign(next) || next == '}' || next == ')' || next == ']';
}

// No dot before c when the previous character is a sign or an opening bracket.
bool StopsDotBefore(char previous) {
    return IsDotStopSign(previous) || previous == '{' || previous == '(' || previous == '[';
}

bool WantsDotAfter(char c) {
    return c == ')' || c == '}' || IsLetter(c);
}

bool WantsDotBefore(char c) {
    return c == '(' || c == '{' || IsLetter(c);
}

// Neighbours that let a brace pair go in the third pass of RemoveRedundantBraces: signs (the
// plus-or-minus sign among them) and brackets.
bool IsFreeBeforeBrace(char c) {
    return IsOneOf(c, "=<>*.:([{") || IsSumSign(c);
}

bool IsFreeAfterBrace(char c) {
    return IsOneOf(c, "=<>*.:)]}") || IsSumSign(c);
}

bool IsLetterOrDigit(char c) {
    return IsLetter(c) || IsDigit(c);
}

// --- what a brace pair groups --------------------------------------------------------------------
//
// Braces are redundant only when the text without them reads the same. The parser reads a sum,
// then terms, fractions, powers and operands, each binding more tightly than the one before; a
// group may lose its braces only when what stands at its own top level binds at least as tightly
// as its neighbours need: "{a*b}+c" -> "a*b+c", but "x-{a+b}" and "{a+b}*c" keep them. Digits
// that would run into a neighbouring number literal keep them too: "x^{2}/3" is not "x^2/3",
// which reads 2/3 as one fraction literal in the exponent.

// How loosely the top level of a text binds, from the loosest.
enum class Binding { Relation, Sum, Term, Fraction, Power, Operand };

// The loosest operator at the top level of the text up to the "}" that matches each "{" (indexed
// by the position of the "{"). A character the parser does not know counts as a relation, so that
// braces around it stay.
std::vector<Binding> GroupBindings(const std::string& text) {
    struct Open {
        std::size_t position;
        char bracket;
        Binding binding;
    };
    std::vector<Binding> bindings(text.size(), Binding::Operand);
    std::vector<Open> open;
    const auto loosen = [&open](Binding binding) {
        if (!open.empty() && binding < open.back().binding) {
            open.back().binding = binding;
        }
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '{' || c == '(' || c == '[') {
            open.push_back({i, c, Binding::Operand});
        } else if (c == '}') {
            // Brackets left open inside the braces make the group unreadable: it keeps its braces.
            while (!open.empty() && open.back().bracket != '{') {
                open.pop_back();
                loosen(Binding::Relation);
            }
            if (!open.empty()) {
                bindings[open.back().position] = open.back().binding;
                open.pop_back();
            }
        } else if (c == ')' || c == ']') {
            if (!open.empty() && open.back().bracket == (c == ')' ? '(' : '[')) {
                open.pop_back();
            } else {
                loosen(Binding::Relation);
            }
        } else if (IsSumSign(c)) {
            loosen(Binding::Sum);
        } else if (IsOneOf(c, "*.:")) {
            loosen(Binding::Term);
        } else if (c == '/') {
            // digits "/" digits is one fraction literal, an operand
            const bool literal = i > 0 && IsDigit(text[i - 1]) && i + 1 < text.size() && IsDigit(text[i + 1]);
            loosen(literal ? Binding::Operand : Binding::Fraction);
        } else if (c == '^' || c == '_') {
            loosen(Binding::Power);
        } else if (!IsLetterOrDigit(c) && c != ',' && c != '@') {
            loosen(Binding::Relation);
        }
    }
    return bindings;
}

// How tightly a group must bind to stand without braces next to this neighbour: a term after or
// before "+" or "-", a fraction next to "*", "." or ":", anything else at a free place (the start or
// end, a bracket, a relation sign).
Binding NeededNextTo(char neighbour) {
    if (IsSumSign(neighbour)) {
        return Binding::Term;
    }
    if (IsOneOf(neighbour, "*.:")) {
        return Binding::Fraction;
    }
    return Binding::Sum;
}

bool BindsTightlyEnough(Binding group, char before, char after) {
    return group != Binding::Relation && group >= NeededNextTo(before) && group >= NeededNextTo(after);
}

// Characters that continue a number literal when they stand next to a digit.
bool ContinuesNumber(char c) {
    return IsDigit(c) || c == ',' || c == '@';
}

// Digits joined into the fraction literal "a/b" read as one operand, where a fraction of two
// numbers stood: the same reading unless something next to it binds more tightly than a fraction
// ("x^2/3" puts 2/3 in the exponent, "2/3^2" squares 2/3).
bool FractionLiteralFits(char beforeNumerator, char afterDenominator) {
    const auto bindsTighter = [](char c) { return c == '^' || c == '/' || c == '_' || ContinuesNumber(c); };
    return !bindsTighter(beforeNumerator) && !bindsTighter(afterDenominator);
}

// The character after a run of digits that starts at `from`, bare or in braces; none (-1) when no
// such run starts there. 0 stands for the end of the text.
int CharacterAfterDigitRun(const std::string& text, std::size_t from) {
    const bool braced = from < text.size() && text[from] == '{';
    std::size_t end = braced ? from + 1 : from;
    const std::size_t start = end;
    while (end < text.size() && IsDigit(text[end])) {
        ++end;
    }
    if (end == start || (braced && (end >= text.size() || text[end] != '}'))) {
        return -1;
    }
    const std::size_t after = braced ? end + 1 : end;
    return after < text.size() ? static_cast<unsigned char>(text[after]) : 0;
}

// Whether the braces around the digits text[open + 1 .. close - 1] may go, `done` being the text
// already written out before them: the digits must not run into another number, and a fraction
// literal they would form must read as the fraction of the two numbers did.
bool DigitRunMayLoseBraces(const std::string& done, const std::string& text, std::size_t close) {
    const char before = done.empty() ? '\0' : done.back();
    const char after = close + 1 < text.size() ? text[close + 1] : '\0';
    if (ContinuesNumber(before) || ContinuesNumber(after)) {
        return false;
    }
    if (before == '/' && done.size() >= 2 && IsDigit(done[done.size() - 2])) {
        std::size_t start = done.size() - 2;
        while (start > 0 && IsDigit(done[start - 1])) {
            --start;
        }
        if (!FractionLiteralFits(start > 0 ? done[start - 1] : '\0', after)) {
            return false;
        }
    }
    if (after == '/') {
        const int afterDenominator = CharacterAfterDigitRun(text, close + 2);
        if (afterDenominator >= 0 && !FractionLiteralFits(before, static_cast<char>(afterDenominator))) {
            return false;
        }
    }
    return true;
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
        : m_text(source), m_nextOf(source.size()), m_previousOf(source.size()), m_alive(source.size(), true) {
        for (std::size_t i = 0; i < source.size(); ++i) {
            m_nextOf[i] = i + 1 < source.size() ? i + 1 : kNone;
            m_previousOf[i] = i > 0 ? i - 1 : kNone;
        }
    }

    std::size_t First() const { return m_text.empty() ? kNone : m_firstAlive; }
    std::size_t Next(std::size_t i) const { return m_nextOf[i]; }
    std::size_t Previous(std::size_t i) const { return m_previousOf[i]; }
    char At(std::size_t i) const { return m_text[i]; }

    void Remove(std::size_t i) {
        if (m_previousOf[i] != kNone) {
            m_nextOf[m_previousOf[i]] = m_nextOf[i];
        } else {
            m_firstAlive = m_nextOf[i];
        }
        if (m_nextOf[i] != kNone) {
            m_previousOf[m_nextOf[i]] = m_previousOf[i];
        }
        m_alive[i] = false;
    }

    std::string Gather() const {
        std::string result;
        result.reserve(m_text.size());
        for (std::size_t i = 0; i < m_text.size(); ++i) {
            if (m_alive[i]) {
                result.push_back(m_text[i]);
            }
        }
        return result;
    }

private:
    const std::string& m_text;
    std::vector<std::size_t> m_nextOf;
    std::vector<std::size_t> m_previousOf;
    std::vector<bool> m_alive;
    std::size_t m_firstAlive = 0;
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
            const bool digitsOnly = std::all_of(text.begin() + static_cast<std::ptrdiff_t>(i + 1),
                                                text.begin() + static_cast<std::ptrdiff_t>(end),
                                                [](char c) { return IsDigit(c); });
            if (end > i + 1 && end < text.size() && text[end] == '}' &&
                (!digitsOnly || DigitRunMayLoseBraces(result, text, end))) {
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

// Pass 3: a brace pair in the place of a whole term or factor, whose content binds tightly enough
// to stand there without it.
void RemoveFreeStandingBraces(std::string& text) {
    const std::vector<std::size_t> closer = MatchPairs(text, '{', '}');
    // A pair is decided before the pairs inside it, so the bindings of the text as it was at the
    // start are the ones each decision sees.
    const std::vector<Binding> bindings = GroupBindings(text);
    CCharacterChain chain(text);
    std::size_t i = chain.First();
    while (i != kNone) {
        const std::size_t before = chain.Previous(i);
        if (text[i] == '{' && closer[i] != kNone &&
            (before == kNone || IsFreeBeforeBrace(chain.At(before)))) {
            const std::size_t after = chain.Next(closer[i]);
            const char beforeCharacter = before == kNone ? '\0' : chain.At(before);
            const char afterCharacter = after == kNone ? '\0' : chain.At(after);
            if ((after == kNone || IsFreeAfterBrace(chain.At(after))) &&
                BindsTightlyEnough(bindings[i], beforeCharacter, afterCharacter)) {
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

std::string EditorDisplayText(std::string_view editorText) {
    std::string text = "$";
    text += editorText;
    text += '$';
    std::replace(text.begin(), text.end(), static_cast<char>(MarkupBytes::kDivisionSign), ':');
    RemoveBlanks(text);
    MarkMixedNumbers(text);
    InsertProductDots(text);
    return text;
}

void ConvertEditorText(std::string& text) {
    text = EditorDisplayText(text);
    text = text.substr(1, text.size() - 2);
    RemoveRedundantBraces(text);
}
