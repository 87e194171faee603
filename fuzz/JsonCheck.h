#pragma once

// A strict check of JSON text (RFC 8259), independent of the writer it checks: one value, strings
// with valid escapes and no raw control characters, numbers in JSON's own form, nothing after.

#include <cctype>
#include <string>
#include <string_view>

class JsonCheck {
public:
    // "" when text is one JSON value; otherwise where and why it is not.
    static std::string Problem(std::string_view text) {
        JsonCheck check(text);
        check.SkipSpace();
        if (!check.Value(0)) {
            return check.Describe();
        }
        check.SkipSpace();
        if (check.position != text.size()) {
            check.Fail("text after the value");
            return check.Describe();
        }
        return "";
    }

private:
    explicit JsonCheck(std::string_view text) : text(text) {}

    bool Value(int depth) {
        if (depth > 200) {
            return Fail("nested too deeply");
        }
        switch (Peek()) {
        case '{':
            return Object(depth);
        case '[':
            return Array(depth);
        case '"':
            return String();
        case 't':
            return Word("true");
        case 'f':
            return Word("false");
        case 'n':
            return Word("null");
        default:
            return Number();
        }
    }

    bool Object(int depth) {
        ++position;
        SkipSpace();
        if (Peek() == '}') {
            ++position;
            return true;
        }
        for (;;) {
            SkipSpace();
            if (Peek() != '"' || !String()) {
                return Fail("a key must be a string");
            }
            SkipSpace();
            if (Peek() != ':') {
                return Fail("\":\" expected");
            }
            ++position;
            SkipSpace();
            if (!Value(depth + 1)) {
                return false;
            }
            SkipSpace();
            if (Peek() == '}') {
                ++position;
                return true;
            }
            if (Peek() != ',') {
                return Fail("\",\" or \"}\" expected");
            }
            ++position;
        }
    }

    bool Array(int depth) {
        ++position;
        SkipSpace();
        if (Peek() == ']') {
            ++position;
            return true;
        }
        for (;;) {
            SkipSpace();
            if (!Value(depth + 1)) {
                return false;
            }
            SkipSpace();
            if (Peek() == ']') {
                ++position;
                return true;
            }
            if (Peek() != ',') {
                return Fail("\",\" or \"]\" expected");
            }
            ++position;
        }
    }

    bool String() {
        ++position;
        while (position < text.size()) {
            const auto c = static_cast<unsigned char>(text[position++]);
            if (c == '"') {
                return true;
            }
            if (c < 0x20) {
                return Fail("raw control character in a string");
            }
            if (c == '\\' && !Escape()) {
                return false;
            }
        }
        return Fail("string not closed");
    }

    bool Escape() {
        const char c = Peek();
        ++position;
        if (std::string_view("\"\\/bfnrt").find(c) != std::string_view::npos && c != '\0') {
            return true;
        }
        if (c != 'u') {
            return Fail("bad escape");
        }
        for (int i = 0; i < 4; ++i, ++position) {
            if (!std::isxdigit(static_cast<unsigned char>(Peek()))) {
                return Fail("bad \\u escape");
            }
        }
        return true;
    }

    bool Number() {
        const std::size_t start = position;
        if (Peek() == '-') {
            ++position;
        }
        if (Peek() == '0') {
            ++position;
        } else if (!Digits()) {
            return Fail("value expected");
        }
        if (Peek() == '.') {
            ++position;
            if (!Digits()) {
                return Fail("digits expected after \".\"");
            }
        }
        if (Peek() == 'e' || Peek() == 'E') {
            ++position;
            if (Peek() == '+' || Peek() == '-') {
                ++position;
            }
            if (!Digits()) {
                return Fail("digits expected in the exponent");
            }
        }
        return position > start;
    }

    bool Digits() {
        const std::size_t start = position;
        while (Peek() >= '0' && Peek() <= '9') {
            ++position;
        }
        return position > start;
    }

    bool Word(std::string_view word) {
        if (text.substr(position, word.size()) != word) {
            return Fail("value expected");
        }
        position += word.size();
        return true;
    }

    void SkipSpace() {
        while (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r') {
            ++position;
        }
    }

    bool Fail(const char* why) {
        if (reason.empty()) {
            reason = why;
            failedAt = position;
        }
        return false;
    }

    std::string Describe() const { return reason + " at byte " + std::to_string(failedAt); }

    char Peek() const { return position < text.size() ? text[position] : '\0'; }

    std::string_view text;
    std::size_t position = 0;
    std::string reason;
    std::size_t failedAt = 0;
};
