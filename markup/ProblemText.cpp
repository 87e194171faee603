#include "markup/ProblemText.h"

#include "markup/MarkupCharacters.h"

#include <algorithm>
#include <cstddef>

void PrepareProblemText(std::string& text) {
    std::replace(text.begin(), text.end(), '.', '*');
    if (text.empty() || text.back() != MarkupBytes::kRecordEnd) {
        text.push_back(MarkupBytes::kRecordEnd);
    }
}

bool FindUnknown(const std::string& text, char& letter) {
    bool found = false;
    char first = 0;
    for (const char c : text) {
        if (!IsLetter(c)) {
            continue;
        }
        if (!found) {
            found = true;
            first = c;
            letter = c;
        } else if (c != first) {
            return true;
        }
    }
    return false;
}

namespace {

// True when the bracket opening at `open` holds one signed number: "(-2)", "(-1,5)", "(-1/2)".
bool BracketHoldsNumber(const std::string& text, std::size_t open) {
    std::size_t i = open + 1;
    if (i < text.size() && text[i] == '-') {
        ++i;
    }
    const std::size_t first = i;
    while (i < text.size() && (IsDigit(text[i]) || text[i] == ',' || text[i] == '/')) {
        ++i;
    }
    return i > first && i < text.size() && text[i] == ')';
}

} // namespace

void DotProducts(std::string& text) {
    if (text.size() < 3) {
        return;
    }
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        if (text[i] != '*') {
            continue;
        }
        // A product of two numbers keeps its sign, a negative second number included: 4*1*(-2) is not
        // written 4*1(-2), which reads like 41 times -2.
        const bool numbers = text[i + 1] == '(' && IsDigit(text[i - 1]) && BracketHoldsNumber(text, i + 1);
        if ((text[i + 1] == '(' && !numbers) || IsLetter(text[i + 1])) {
            text[i] = '.';
        }
    }
}
