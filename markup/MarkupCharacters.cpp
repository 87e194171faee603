#include "markup/MarkupCharacters.h"

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsMarkupCharacter(char c) {
    if (IsDigit(c) || IsLetter(c)) {
        return true;
    }
    switch (c) {
    case '(':
    case ')':
    case '*':
    case '+':
    case '-':
    case '/':
    case ':':
    case ';':
    case '=':
    case '^':
    case '{':
    case '}':
        return true;
    default:
        return false;
    }
}

bool IsOneOf(char c, std::string_view set) {
    // A null byte is a real byte of a hostile text; find() on the set handles it like any other.
    return set.find(c) != std::string_view::npos;
}
