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

void DotProducts(std::string& text) {
    if (text.size() < 3) {
        return;
    }
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        if (text[i] == '*' && (text[i + 1] == '(' || IsLetter(text[i + 1]))) {
            text[i] = '.';
        }
    }
}
