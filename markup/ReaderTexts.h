#pragma once

// The texts of the linear reader's refusals in one language, read from the section "ReaderTexts" of
// the language file (key = the message number) and turned into UTF-8. A message the file has no
// text for is written with the built-in English pattern, so a refusal is never left without words.

#include "markup/ReaderMessage.h"

#include <cstddef>
#include <string>
#include <vector>

class ReaderTexts {
public:
    // The built-in English texts.
    ReaderTexts() = default;

    // The texts of language (0 Russian, 1 English) from the language file under baseFolder (which
    // ends in a path separator, or is empty for the current folder).
    static ReaderTexts Load(int language, const std::string& baseFolder);

    std::string Text(const ReaderMessage& message) const;
    // "column N: message", in the words of the language.
    std::string TextAtColumn(const ReaderMessage& message, std::size_t column) const;

private:
    std::string_view Pattern(ReaderMessageID id) const;

    std::vector<std::string> m_patterns;
};
