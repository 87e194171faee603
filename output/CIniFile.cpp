#include "output/CIniFile.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

// 'text' and "text" become text; a lone quote stays.
std::string_view StripQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// A value ends at a zero byte, as a C string would.
std::string_view CutAtZero(std::string_view value) {
    const auto zero = value.find('\0');
    return zero == std::string_view::npos ? value : value.substr(0, zero);
}

} // namespace

bool CIniFile::Load(const std::string& path) {
    m_sections.clear();
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    std::ostringstream contents;
    contents << file.rdbuf();
    if (file.bad()) {
        return false;
    }
    Parse(contents.str());
    return true;
}

void CIniFile::Parse(std::string_view text) {
    m_sections.clear();
    // A UTF-8 byte order mark is not part of the first line.
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    Section* current = nullptr;
    bool currentIsFirst = false;
    while (!text.empty()) {
        const auto end = text.find_first_of("\r\n");
        const std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

        if (line.empty() || line.front() == ';') {
            continue;
        }
        const auto close = line.rfind(']');
        if (line.front() == '[' && close != std::string_view::npos) {
            // A section met again keeps the keys of its first occurrence only.
            auto [it, inserted] = m_sections.try_emplace(LowerAscii(Trim(line.substr(1, close - 1))));
            current = &it->second;
            currentIsFirst = inserted;
            continue;
        }
        if (current == nullptr || !currentIsFirst) {
            continue;
        }
        const auto equals = line.find('=');
        const std::string_view key = Trim(line.substr(0, equals));
        const std::string_view value =
            equals == std::string_view::npos ? std::string_view() : Trim(line.substr(equals + 1));
        current->try_emplace(LowerAscii(key), CutAtZero(StripQuotes(value)));
    }
}

std::string CIniFile::GetString(std::string_view section, std::string_view key,
                                std::size_t bufferSize) const {
    if (bufferSize == 0) {
        return {};
    }
    const auto sectionIt = m_sections.find(LowerAscii(Trim(section)));
    if (sectionIt == m_sections.end()) {
        return {};
    }
    const auto keyIt = sectionIt->second.find(LowerAscii(Trim(key)));
    if (keyIt == sectionIt->second.end()) {
        return {};
    }
    return keyIt->second.substr(0, bufferSize - 1);
}
