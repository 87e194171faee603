#include "markup/MarkupCharacters.h"

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
