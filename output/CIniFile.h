#pragma once

// A reader of the initialisation-file format the language files are written in: sections in square
// brackets, one "key=value" a line. It answers lookups the way the platform's profile reader does:
//   - section and key names are matched without regard to ASCII case;
//   - blanks around names and values are ignored, and a value wholly enclosed in a pair of equal
//     quotes (' or ") loses them;
//   - lines that begin with ';' are comments, lines before the first section are ignored, a line
//     without '=' is a key with an empty value;
//   - when a section or a key occurs twice, the first occurrence is the one read;
//   - an absent section or key reads as the empty string, and a value is cut to the size of the
//     caller's buffer less one (the terminating zero).
// Values are returned byte for byte: the reader does not know or change their code page.

#include <cstddef>
#include <map>
#include <string>
#include <string_view>

class CIniFile {
public:
    // Reads and parses the file at path; false (and no contents) when it cannot be read.
    bool Load(const std::string& path);
    // Parses text as the contents of a file, replacing what was loaded before.
    void Parse(std::string_view text);

    // The value of key in section, at most bufferSize - 1 bytes of it; empty when absent or when
    // bufferSize is 0.
    std::string GetString(std::string_view section, std::string_view key, std::size_t bufferSize) const;

private:
    using Section = std::map<std::string, std::string>;
    // Names in lower case.
    std::map<std::string, Section> m_sections;
};
