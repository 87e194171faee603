#include "checker/CheckTexts.h"

#include "output/CIniFile.h"
#include "output/LanguageTables.h"
#include "output/Windows1251.h"

CheckTexts CheckTexts::Load(int language, const std::string& baseFolder) {
    CheckTexts texts;
    texts.m_readerTexts = ReaderTexts::Load(language, baseFolder);
    CIniFile file;
    if (!file.Load(baseFolder + LanguageFileName(language))) {
        return texts;
    }
    for (std::int32_t number = 0; number < kCheckMessageCount; ++number) {
        const std::string value =
            file.GetString("CheckTexts", std::to_string(number), CLanguageTables::kValueBufferSize);
        texts.m_patterns.push_back(Windows1251ToUtf8(value));
    }
    return texts;
}

std::string CheckTexts::Pattern(CheckMessageID id) const {
    const auto index = static_cast<std::size_t>(ToNumber(id));
    if (index < m_patterns.size() && !m_patterns[index].empty()) {
        return m_patterns[index];
    }
    std::string shown(1, '[');
    shown += std::to_string(ToNumber(id));
    shown += ']';
    return shown;
}

std::string CheckTexts::Text(const CheckMessage& message) const {
    if (message.readerMessage && message.arguments.size() >= 2) {
        std::vector<std::string> arguments = message.arguments;
        arguments[1] = m_readerTexts.Text(*message.readerMessage);
        return FormatCheckMessage(Pattern(message.id), arguments);
    }
    return FormatCheckMessage(Pattern(message.id), message.arguments);
}
