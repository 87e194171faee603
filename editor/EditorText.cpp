#include "editor/EditorText.h"

#include <algorithm>

namespace EditorText {

namespace {

bool InText(std::string_view text, int position) {
    return position >= 0 && position < static_cast<int>(text.size());
}

char MateOf(char bracket) {
    switch (bracket) {
    case '(':
        return ')';
    case ')':
        return '(';
    case '{':
        return '}';
    case '}':
        return '{';
    default:
        return bracket;
    }
}

// Walks from the bracket at start in steps of step (+1 or -1), counting the bracket and its mate,
// until the count returns to zero.
int FindMate(std::string_view text, int start, int step) {
    if (!InText(text, start)) {
        return kNone;
    }
    const char bracket = text[start];
    const char mate = MateOf(bracket);
    if (mate == bracket) {
        return kNone;
    }
    int depth = 0;
    for (int i = start; InText(text, i); i += step) {
        if (text[i] == bracket) {
            ++depth;
        } else if (text[i] == mate && --depth == 0) {
            return i;
        }
    }
    return kNone;
}

} // namespace

int MatchingCloser(std::string_view text, int open) {
    if (!InText(text, open) || (text[open] != '(' && text[open] != '{')) {
        return kNone;
    }
    return FindMate(text, open, +1);
}

int MatchingOpener(std::string_view text, int close) {
    if (!InText(text, close) || (text[close] != ')' && text[close] != '}')) {
        return kNone;
    }
    return FindMate(text, close, -1);
}

int PreviousNonBlank(std::string_view text, int position) {
    for (int i = std::min(position, static_cast<int>(text.size())) - 1; i >= 0; --i) {
        if (text[i] != kBlank) {
            return i;
        }
    }
    return kNone;
}

int NextNonBlank(std::string_view text, int position) {
    for (int i = std::max(position, 0); InText(text, i); ++i) {
        if (text[i] != kBlank) {
            return i;
        }
    }
    return kNone;
}

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(kBlank) == std::string_view::npos;
}

bool ProducesSymbol(char character) {
    switch (character) {
    case ' ':
    case '{':
    case '}':
    case '!':
    case '@':
    case '.':
    case '^':
        return false;
    default:
        return true;
    }
}

int SymbolCountBefore(std::string_view text, int position) {
    const int end = std::min(position, static_cast<int>(text.size()));
    int count = 0;
    for (int i = 0; i < end; ++i) {
        count += ProducesSymbol(text[i]) ? 1 : 0;
    }
    return count;
}

int PositionOfSymbol(std::string_view text, int index) {
    if (index < 0) {
        return kNone;
    }
    for (int i = 0; InText(text, i); ++i) {
        if (ProducesSymbol(text[i]) && index-- == 0) {
            return i;
        }
    }
    return kNone;
}

} // namespace EditorText
