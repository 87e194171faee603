#pragma once

// The comment texts of one language, as UTF-8, looked up by comment number when a solution is
// written out. A comment without a text (no language file, or no entry) has the empty text.

#include "output/CommentID.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class CLanguageTables;

class CommentTexts {
public:
    // No texts at all.
    CommentTexts() = default;

    // The texts of language (0 Russian, 1 English) from the language file under baseFolder.
    // A missing or unreadable file gives no texts.
    static CommentTexts Load(int language, const std::filesystem::path& baseFolder);

    // The texts of tables already loaded (the desktop program's own).
    static CommentTexts FromTables(const CLanguageTables& tables);

    // The text of id, or the empty text.
    std::string_view Text(CommentIDType id) const;

    void SetText(CommentIDType id, std::string text);

private:
    std::vector<std::string> m_texts;
};
