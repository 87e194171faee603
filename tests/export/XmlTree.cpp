#include "XmlTree.h"

#include "output/Windows1251.h"

namespace {

struct XmlError {
    std::string message;
};

class XmlReader {
public:
    explicit XmlReader(std::string_view text) : m_text(text) {}

    XmlElement ReadDocument() {
        SkipProlog();
        XmlElement root = ReadElement();
        SkipMisc();
        if (m_position != m_text.size()) {
            Fail("text after the root element");
        }
        return root;
    }

    std::size_t Position() const { return m_position; }

private:
    [[noreturn]] void Fail(const std::string& why) const {
        throw XmlError{"at " + std::to_string(m_position) + ": " + why};
    }

    bool StartsWith(std::string_view prefix) const {
        return m_text.substr(m_position, prefix.size()) == prefix;
    }

    void SkipBlanks() {
        while (m_position < m_text.size() && (m_text[m_position] == ' ' || m_text[m_position] == '\n' ||
                                              m_text[m_position] == '\t' || m_text[m_position] == '\r')) {
            ++m_position;
        }
    }

    void SkipPast(std::string_view end) {
        const std::size_t found = m_text.find(end, m_position);
        if (found == std::string_view::npos) {
            Fail("no closing " + std::string(end));
        }
        m_position = found + end.size();
    }

    void SkipMisc() {
        for (;;) {
            SkipBlanks();
            if (StartsWith("<!--")) {
                SkipPast("-->");
            } else if (StartsWith("<?")) {
                SkipPast("?>");
            } else {
                return;
            }
        }
    }

    void SkipProlog() {
        SkipMisc();
        if (StartsWith("<!DOCTYPE")) {
            SkipPast(">");
        }
        SkipMisc();
    }

    static bool IsNameCharacter(char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
               c == '_' || c == ':' || c == '.';
    }

    std::string ReadName() {
        const std::size_t start = m_position;
        while (m_position < m_text.size() && IsNameCharacter(m_text[m_position])) {
            ++m_position;
        }
        if (m_position == start) {
            Fail("a name expected");
        }
        return std::string(m_text.substr(start, m_position - start));
    }

    // "&name;" or "&#…;" at the position, decoded.
    void ReadEntity(std::string& out) {
        const std::size_t end = m_text.find(';', m_position);
        if (end == std::string_view::npos || end - m_position > 10) {
            Fail("a bare &");
        }
        const std::string_view entity = m_text.substr(m_position + 1, end - m_position - 1);
        static const std::map<std::string_view, char> named = {
            {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
        if (const auto found = named.find(entity); found != named.end()) {
            out += found->second;
        } else if (entity.size() > 1 && entity[0] == '#') {
            const bool hex = entity[1] == 'x';
            const std::string digits(entity.substr(hex ? 2 : 1));
            if (digits.empty() || digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") !=
                                      std::string::npos) {
                Fail("a bad character reference");
            }
            AppendUtf8(out, static_cast<char32_t>(std::stoul(digits, nullptr, hex ? 16 : 10)));
        } else {
            Fail("an unknown entity &" + std::string(entity) + ";");
        }
        m_position = end + 1;
    }

    void CheckCharacter(char c) const {
        if (static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\t' && c != '\r') {
            Fail("a control character");
        }
    }

    std::string ReadAttributeValue() {
        const char quote = m_position < m_text.size() ? m_text[m_position] : '\0';
        if (quote != '"' && quote != '\'') {
            Fail("an attribute value without quotes");
        }
        ++m_position;
        std::string value;
        while (m_position < m_text.size() && m_text[m_position] != quote) {
            const char c = m_text[m_position];
            if (c == '<') {
                Fail("< in an attribute value");
            }
            if (c == '&') {
                ReadEntity(value);
                continue;
            }
            CheckCharacter(c);
            value += c;
            ++m_position;
        }
        if (m_position >= m_text.size()) {
            Fail("an unclosed attribute value");
        }
        ++m_position;
        return value;
    }

    XmlElement ReadElement() {
        if (!StartsWith("<")) {
            Fail("an element expected");
        }
        ++m_position;
        XmlElement element;
        element.name = ReadName();
        for (;;) {
            SkipBlanks();
            if (StartsWith("/>")) {
                m_position += 2;
                return element;
            }
            if (StartsWith(">")) {
                ++m_position;
                break;
            }
            const std::string name = ReadName();
            SkipBlanks();
            if (!StartsWith("=")) {
                Fail("an attribute without a value");
            }
            ++m_position;
            SkipBlanks();
            if (!element.attributes.emplace(name, ReadAttributeValue()).second) {
                Fail("the attribute " + name + " twice");
            }
        }
        ReadContent(element);
        return element;
    }

    void ReadContent(XmlElement& element) {
        std::string text;
        const auto flushText = [&] {
            if (!text.empty()) {
                XmlElement run;
                run.text = std::move(text);
                element.children.push_back(std::move(run));
                text.clear();
            }
        };
        while (m_position < m_text.size()) {
            if (StartsWith("</")) {
                m_position += 2;
                if (ReadName() != element.name) {
                    Fail("</…> does not close <" + element.name + ">");
                }
                SkipBlanks();
                if (!StartsWith(">")) {
                    Fail("> expected");
                }
                ++m_position;
                flushText();
                return;
            }
            if (StartsWith("<!--")) {
                SkipPast("-->");
            } else if (StartsWith("<")) {
                flushText();
                element.children.push_back(ReadElement());
            } else if (StartsWith("&")) {
                ReadEntity(text);
            } else {
                CheckCharacter(m_text[m_position]);
                text += m_text[m_position++];
            }
        }
        Fail("<" + element.name + "> is not closed");
    }

    std::string_view m_text;
    std::size_t m_position = 0;
};

} // namespace

std::string XmlElement::AllText() const {
    std::string out = text;
    for (const XmlElement& child : children) {
        out += child.AllText();
    }
    return out;
}

std::vector<const XmlElement*> XmlElement::Elements() const {
    std::vector<const XmlElement*> elements;
    for (const XmlElement& child : children) {
        if (!child.IsText()) {
            elements.push_back(&child);
        }
    }
    return elements;
}

void XmlElement::FindAll(std::string_view elementName, std::vector<const XmlElement*>& found) const {
    if (name == elementName) {
        found.push_back(this);
    }
    for (const XmlElement& child : children) {
        child.FindAll(elementName, found);
    }
}

XmlReading ReadXml(std::string_view text) {
    XmlReading reading;
    try {
        reading.root = XmlReader(text).ReadDocument();
    } catch (const XmlError& error) {
        reading.error = error.message;
    }
    return reading;
}
