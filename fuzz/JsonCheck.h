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
        if (check.m_position != text.size()) {
            check.Fail("text after the value");
            return check.Describe();
        }
        return "";
    }

private:
    explicit JsonCheck(std::string_view text) : m_text(text) {}

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
        ++m_position;
        SkipSpace();
        if (Peek() == '}') {
            ++m_position;
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
            ++m_position;
            SkipSpace();
            if (!Value(depth + 1)) {
                return false;
            }
            SkipSpace();
            if (Peek() == '}') {
                ++m_position;
                return true;
            }
            if (Peek() != ',') {
                return Fail("\",\" or \"}\" expected");
            }
            ++m_position;
        }
    }

    bool Array(int depth) {
        ++m_position;
        SkipSpace();
        if (Peek() == ']') {
            ++m_position;
            return true;
        }
        for (;;) {
            SkipSpace();
            if (!Value(depth + 1)) {
                return false;
            }
            SkipSpace();
            if (Peek() == ']') {
                ++m_position;
                return true;
            }
            if (Peek() != ',') {
                return Fail("\",\" or \"]\" expected");
            }
            ++m_position;
        }
    }

    bool String() {
        ++m_position;
        while (m_position < m_text.size()) {
            const auto c = static_cast<unsigned char>(m_text[m_position++]);
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
        ++m_position;
        if (std::string_view("\"\\/bfnrt").find(c) != std::string_view::npos && c != '\0') {
            return true;
        }
        if (c != 'u') {
            return Fail("bad escape");
        }
        for (int i = 0; i < 4; ++i, ++m_position) {
            if (!std::isxdigit(static_cast<unsigned char>(Peek()))) {
                return Fail("bad \\u escape");
            }
        }
        return true;
    }

    bool Number() {
        const std::size_t start = m_position;
        if (Peek() == '-') {
            ++m_position;
        }
        if (Peek() == '0') {
            ++m_position;
        } else if (!Digits()) {
            return Fail("value expected");
        }
        if (Peek() == '.') {
            ++m_position;
            if (!Digits()) {
                return Fail("digits expected after \".\"");
            }
        }
        if (Peek() == 'e' || Peek() == 'E') {
            ++m_position;
            if (Peek() == '+' || Peek() == '-') {
                ++m_position;
            }
            if (!Digits()) {
                return Fail("digits expected in the exponent");
            }
        }
        return m_position > start;
    }

    bool Digits() {
        const std::size_t start = m_position;
        while (Peek() >= '0' && Peek() <= '9') {
            ++m_position;
        }
        return m_position > start;
    }

    bool Word(std::string_view word) {
        if (m_text.substr(m_position, word.size()) != word) {
            return Fail("value expected");
        }
        m_position += word.size();
        return true;
    }

    void SkipSpace() {
        while (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r') {
            ++m_position;
        }
    }

    bool Fail(const char* why) {
        if (m_reason.empty()) {
            m_reason = why;
            m_failedAt = m_position;
        }
        return false;
    }

    std::string Describe() const { return m_reason + " at byte " + std::to_string(m_failedAt); }

    char Peek() const { return m_position < m_text.size() ? m_text[m_position] : '\0'; }

    std::string_view m_text;
    std::size_t m_position = 0;
    std::string m_reason;
    std::size_t m_failedAt = 0;
};
