#pragma once

// The texts of the checker's messages in one language, read from the section "CheckTexts" of the
// language file (key = the message number) and turned into UTF-8. A message without a text is
// shown as its number in brackets, so a missing entry is visible rather than silent.

#include "checker/CheckMessage.h"
#include "markup/ReaderTexts.h"

#include <string>
#include <vector>

class CheckTexts {
public:
    CheckTexts() = default;

    // The texts of language (0 Russian, 1 English) from the language file under baseFolder (which
    // ends in a path separator, or is empty for the current folder), the reader's refusals among
    // them; none when it cannot be read.
    static CheckTexts Load(int language, const std::string& baseFolder);

    // The pattern of id, or "[N]".
    std::string Pattern(CheckMessageID id) const;
    // The message with its arguments in their places.
    std::string Text(const CheckMessage& message) const;

private:
    std::vector<std::string> m_patterns;
    ReaderTexts m_readerTexts;
};
