#pragma once

// A strict reader of XML for the tests: elements, attributes in quotes, text with the five named
// entities and character references, comments, a declaration and a DOCTYPE before the root. What a
// browser's XML parser refuses (an unclosed or mismatched tag, a bare "&" or "<", an attribute without
// quotes, a control character) makes the reading fail with the offset and the reason.

#include <map>
#include <string>
#include <string_view>
#include <vector>

struct XmlElement {
    std::string name;
    std::map<std::string, std::string> attributes;
    // Children in order; a text run is a child with an empty name and its text in `text`.
    std::vector<XmlElement> children;
    std::string text;

    bool IsText() const { return name.empty(); }
    // The text of the element and all its descendants, joined.
    std::string AllText() const;
    // The element children alone (text runs that hold only blanks left out).
    std::vector<const XmlElement*> Elements() const;
    // Every descendant element (and this one) with the name, in document order.
    void FindAll(std::string_view elementName, std::vector<const XmlElement*>& found) const;
};

struct XmlReading {
    XmlElement root;
    std::string error; // empty when the text is well-formed
};

XmlReading ReadXml(std::string_view text);
