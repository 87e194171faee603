#include "web/JsonObjectReader.h"

#include <cstdint>

namespace {

class JsonObjectParser {
public:
    explicit JsonObjectParser(std::string_view text) : m_text(text) {}

    JsonObjectReading Parse() {
        JsonObjectReading reading;
        if (!ParseObject(reading)) {
            reading.members.clear();
            reading.error = m_error + " at byte " + std::to_string(m_pos + 1);
        }
        return reading;
    }

private:
    bool Fail(std::string message) {
        m_error = std::move(message);
        return false;
    }

    void SkipBlanks() {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' ||
                                         m_text[m_pos] == '\n' || m_text[m_pos] == '\r')) {
            ++m_pos;
        }
    }

    bool Take(char expected) {
        SkipBlanks();
        if (m_pos < m_text.size() && m_text[m_pos] == expected) {
            ++m_pos;
            return true;
        }
        return false;
    }

    bool ParseObject(JsonObjectReading& reading) {
        if (!Take('{')) {
            return Fail("the request is not a JSON object");
        }
        if (!Take('}')) {
            do {
                std::string name;
                std::string value;
                SkipBlanks();
                if (!ParseString(name)) {
                    return m_error.empty() ? Fail("a member name in quotes was expected") : false;
                }
                if (!Take(':')) {
                    return Fail("\":\" was expected");
                }
                if (!ParseValue(value)) {
                    return false;
                }
                reading.members.insert_or_assign(std::move(name), std::move(value));
            } while (Take(','));
            if (!Take('}')) {
                return Fail("\",\" or \"}\" was expected");
            }
        }
        SkipBlanks();
        if (m_pos != m_text.size()) {
            return Fail("text follows the object");
        }
        return true;
    }

    bool ParseValue(std::string& value) {
        SkipBlanks();
        if (m_pos >= m_text.size()) {
            return Fail("a value was expected");
        }
        const char first = m_text[m_pos];
        if (first == '"') {
            return ParseString(value);
        }
        if (first == '{' || first == '[') {
            return Fail("a member holds an object or a list; strings and numbers are expected");
        }
        for (const std::string_view word : {"true", "false", "null"}) {
            if (m_text.substr(m_pos, word.size()) == word) {
                m_pos += word.size();
                value = word == "null" ? "" : std::string(word);
                return true;
            }
        }
        return ParseNumber(value);
    }

    bool ParseNumber(std::string& value) {
        const std::size_t start = m_pos;
        auto digits = [this] {
            const std::size_t from = m_pos;
            while (m_pos < m_text.size() && m_text[m_pos] >= '0' && m_text[m_pos] <= '9') {
                ++m_pos;
            }
            return m_pos > from;
        };
        if (m_pos < m_text.size() && m_text[m_pos] == '-') {
            ++m_pos;
        }
        if (!digits()) {
            return Fail("a value was expected");
        }
        if (m_pos < m_text.size() && m_text[m_pos] == '.') {
            ++m_pos;
            if (!digits()) {
                return Fail("digits were expected after the decimal point");
            }
        }
        if (m_pos < m_text.size() && (m_text[m_pos] == 'e' || m_text[m_pos] == 'E')) {
            ++m_pos;
            if (m_pos < m_text.size() && (m_text[m_pos] == '+' || m_text[m_pos] == '-')) {
                ++m_pos;
            }
            if (!digits()) {
                return Fail("digits were expected in the exponent");
            }
        }
        value.assign(m_text.substr(start, m_pos - start));
        return true;
    }

    // Four hex digits after "\u".
    bool ParseHex4(std::uint32_t& code) {
        if (m_text.size() - m_pos < 4) {
            return Fail("four hex digits were expected after \\u");
        }
        code = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = m_text[m_pos++];
            code <<= 4;
            if (c >= '0' && c <= '9') {
                code |= static_cast<std::uint32_t>(c - '0');
            } else if (c >= 'a' && c <= 'f') {
                code |= static_cast<std::uint32_t>(c - 'a' + 10);
            } else if (c >= 'A' && c <= 'F') {
                code |= static_cast<std::uint32_t>(c - 'A' + 10);
            } else {
                return Fail("four hex digits were expected after \\u");
            }
        }
        return true;
    }

    static void AppendUtf8(std::string& out, std::uint32_t code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    bool ParseUnicodeEscape(std::string& out) {
        std::uint32_t code = 0;
        if (!ParseHex4(code)) {
            return false;
        }
        if (code >= 0xDC00 && code <= 0xDFFF) {
            return Fail("a lone low surrogate");
        }
        if (code >= 0xD800 && code <= 0xDBFF) {
            std::uint32_t low = 0;
            if (m_text.substr(m_pos, 2) != "\\u" || (m_pos += 2, !ParseHex4(low)) || low < 0xDC00 ||
                low > 0xDFFF) {
                return m_error.empty() ? Fail("a high surrogate without its low surrogate") : false;
            }
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        }
        AppendUtf8(out, code);
        return true;
    }

    bool ParseEscape(std::string& out) {
        if (m_pos >= m_text.size()) {
            return Fail("the string is not closed");
        }
        const char c = m_text[m_pos++];
        switch (c) {
        case '"':
        case '\\':
        case '/':
            out += c;
            return true;
        case 'b':
            out += '\b';
            return true;
        case 'f':
            out += '\f';
            return true;
        case 'n':
            out += '\n';
            return true;
        case 'r':
            out += '\r';
            return true;
        case 't':
            out += '\t';
            return true;
        case 'u':
            return ParseUnicodeEscape(out);
        default:
            return Fail("an unknown escape");
        }
    }

    // The length of the UTF-8 sequence that starts at m_pos, or 0 when it is not valid UTF-8
    // (overlong forms, surrogates and code points past U+10FFFF are not).
    std::size_t Utf8SequenceLength() const {
        const auto at = [this](std::size_t i) { return static_cast<unsigned char>(m_text[m_pos + i]); };
        const unsigned char lead = at(0);
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return 0;
        }
        if (m_text.size() - m_pos < length || at(1) < low || at(1) > high) {
            return 0;
        }
        for (std::size_t i = 2; i < length; ++i) {
            if (at(i) < 0x80 || at(i) > 0xBF) {
                return 0;
            }
        }
        return length;
    }

    // A string in quotes at m_pos (blanks skipped by the caller).
    bool ParseString(std::string& out) {
        if (m_pos >= m_text.size() || m_text[m_pos] != '"') {
            return false;
        }
        ++m_pos;
        while (m_pos < m_text.size()) {
            const auto c = static_cast<unsigned char>(m_text[m_pos]);
            if (c == '"') {
                ++m_pos;
                return true;
            }
            if (c == '\\') {
                ++m_pos;
                if (!ParseEscape(out)) {
                    return false;
                }
            } else if (c < 0x20) {
                return Fail("a control character inside a string");
            } else if (c < 0x80) {
                out += static_cast<char>(c);
                ++m_pos;
            } else {
                const std::size_t length = Utf8SequenceLength();
                if (length == 0) {
                    return Fail("the text is not valid UTF-8");
                }
                out.append(m_text.substr(m_pos, length));
                m_pos += length;
            }
        }
        return Fail("the string is not closed");
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
    std::string m_error;
};

} // namespace

std::optional<std::string_view> JsonObjectReading::Member(std::string_view name) const {
    const auto found = members.find(name);
    if (found == members.end()) {
        return std::nullopt;
    }
    return std::string_view(found->second);
}

JsonObjectReading ReadJsonObject(std::string_view text) {
    return JsonObjectParser(text).Parse();
}
