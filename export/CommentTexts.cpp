#include "export/CommentTexts.h"

#include "output/LanguageTables.h"
#include "output/Windows1251.h"

std::string_view CommentTexts::Text(CommentIDType id) const {
    const auto index = static_cast<std::size_t>(ToNumber(id));
    if (ToNumber(id) < 0 || index >= m_texts.size()) {
        return {};
    }
    return m_texts[index];
}

void CommentTexts::SetText(CommentIDType id, std::string text) {
    if (ToNumber(id) < 0) {
        return;
    }
    const auto index = static_cast<std::size_t>(ToNumber(id));
    if (index >= m_texts.size()) {
        m_texts.resize(index + 1);
    }
    m_texts[index] = std::move(text);
}

CommentTexts CommentTexts::Load(int language, const std::filesystem::path& baseFolder) {
    CommentTexts result;
    CLanguageTables tables;
    std::string folder = baseFolder.string();
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    if (!tables.LoadLanguage(folder, language, nullptr)) {
        return result;
    }
    return FromTables(tables);
}

CommentTexts CommentTexts::FromTables(const CLanguageTables& tables) {
    CommentTexts result;
    for (const CommentSound& comment : tables.Comments()) {
        result.SetText(static_cast<CommentIDType>(comment.number), Windows1251ToUtf8(comment.text));
    }
    return result;
}
