#include "markup/ReaderTexts.h"

#include "output/CIniFile.h"
#include "output/LanguageTables.h"
#include "output/Windows1251.h"

ReaderTexts ReaderTexts::Load(int language, const std::string& baseFolder) {
    ReaderTexts texts;
    CIniFile file;
    if (!file.Load(baseFolder + LanguageFileName(language))) {
        return texts;
    }
    for (std::int32_t number = 0; number < kReaderMessageCount; ++number) {
        const std::string value =
            file.GetString("ReaderTexts", std::to_string(number), CLanguageTables::kValueBufferSize);
        texts.m_patterns.push_back(Windows1251ToUtf8(value));
    }
    return texts;
}

std::string_view ReaderTexts::Pattern(ReaderMessageID id) const {
    const auto index = static_cast<std::size_t>(ToNumber(id));
    if (index < m_patterns.size() && !m_patterns[index].empty()) {
        return m_patterns[index];
    }
    return EnglishReaderPattern(id);
}

std::string ReaderTexts::Text(const ReaderMessage& message) const {
    return FillMessagePattern(Pattern(message.id), message.arguments);
}

std::string ReaderTexts::TextAtColumn(const ReaderMessage& message, std::size_t column) const {
    return FillMessagePattern(Pattern(ReaderMessageID::AtColumn), {std::to_string(column), Text(message)});
}
