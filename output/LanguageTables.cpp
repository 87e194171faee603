#include "output/LanguageTables.h"

#include "output/Windows1251.h"

#include <limits>

namespace {

const std::string kEmpty;

template <std::size_t N> const std::string& EntryOf(const std::array<std::string, N>& table, std::size_t i) {
    return i < N ? table[i] : kEmpty;
}

// Reads section under the keys "0", "1", ... into table: every entry up to and including the first
// empty value; the entries after it stay empty.
template <std::size_t N>
void LoadNumberedTable(const CIniFile& file, const char* section, std::array<std::string, N>& table) {
    table.fill({});
    for (std::size_t i = 0; i < N; ++i) {
        table[i] = file.GetString(section, std::to_string(i), CLanguageTables::kValueBufferSize);
        if (table[i].empty()) {
            break;
        }
    }
}

} // namespace

const char* LanguageFileName(int language) {
    return language == kEnglishLanguage ? "Res/English.ini" : "Res/Russian.ini";
}

std::string BuiltInToolTipText(std::uint32_t command, int language) {
    struct ToolTip {
        std::uint32_t command;
        const char* english;
        const char* russianUtf8;
    };
    static constexpr ToolTip kToolTips[] = {
        {32775, "Solve", "Решить"},
        {32818, "Copy", "Копировать"},
        {32819, "Paste", "Вставить"},
        {32826, "Cut", "Вырезать"},
    };
    for (const auto& tip : kToolTips) {
        if (tip.command == command) {
            return language == kEnglishLanguage ? tip.english : Utf8ToWindows1251(tip.russianUtf8);
        }
    }
    return {};
}

bool CLanguageTables::LoadLanguage(const std::string& baseFolder, int language, CLanguageHost* host) {
    if (!LoadFile(baseFolder + LanguageFileName(language), host)) {
        return false;
    }
    m_loadedLanguage = language;
    return true;
}

bool CLanguageTables::LoadFile(const std::string& path, CLanguageHost* host) {
    CIniFile file;
    if (!file.Load(path)) {
        if (host != nullptr) {
            host->LanguageFileMissing(path + "  NOT FOUND", "Error");
        }
        return false;
    }
    LoadFrom(file);
    if (host != nullptr) {
        host->LanguageLoaded(*this);
    }
    return true;
}

void CLanguageTables::LoadFrom(const CIniFile& file) {
    LoadNumberedTable(file, "Menu", m_menu);
    LoadNumberedTable(file, "WindowTitle", m_windowTitle);
    LoadComments(file);
    LoadNumberedTable(file, "CaptionDialog", m_captionDialog);
    LoadNumberedTable(file, "NoteDialog", m_noteDialog);
    LoadNumberedTable(file, "SelectDialog", m_selectDialog);
    LoadNumberedTable(file, "ExportDialog", m_exportDialog);
    LoadMessages(file);
}

// One record per number, up to and including the first number without a sound name: that record
// keeps its text, so the list ends at the first gap in "CommentsSound" whatever "CommentsText" has.
void CLanguageTables::LoadComments(const CIniFile& file) {
    m_comments.clear();
    for (std::int32_t i = 0; i < std::numeric_limits<std::int32_t>::max(); ++i) {
        const std::string key = std::to_string(i);
        CommentSound record{i, file.GetString("CommentsText", key, kValueBufferSize),
                            file.GetString("CommentsSound", key, kValueBufferSize)};
        const bool last = record.soundName.empty();
        m_comments.push_back(std::move(record));
        if (last) {
            break;
        }
    }
}

void CLanguageTables::LoadMessages(const CIniFile& file) {
    m_messageText.fill({});
    m_messageCaption.fill({});
    for (std::size_t i = 0; i < kMessagePairs; ++i) {
        const std::string index = std::to_string(i);
        m_messageText[i] = file.GetString("Messages", index + "m", kValueBufferSize);
        m_messageCaption[i] = file.GetString("Messages", index + "n", kValueBufferSize);
        if (m_messageCaption[i].empty()) {
            break;
        }
    }
}

const CommentSound* CLanguageTables::FindComment(std::int32_t number) const {
    // Record i carries number i, so the first record with the number is found by its index.
    if (number < 0 || static_cast<std::size_t>(number) >= m_comments.size()) {
        return nullptr;
    }
    return &m_comments[static_cast<std::size_t>(number)];
}

const std::string& CLanguageTables::CommentText(std::int32_t number) const {
    const CommentSound* record = FindComment(number);
    return record != nullptr ? record->text : kEmpty;
}

const std::string& CLanguageTables::CommentSoundName(std::int32_t number) const {
    const CommentSound* record = FindComment(number);
    return record != nullptr ? record->soundName : kEmpty;
}

const std::string& CLanguageTables::MenuText(std::size_t k) const {
    return EntryOf(m_menu, k);
}

const std::string& CLanguageTables::WindowTitleText(std::size_t kind) const {
    return EntryOf(m_windowTitle, kind);
}

const std::string& CLanguageTables::SelectDialogText(std::size_t i) const {
    return EntryOf(m_selectDialog, i);
}

const std::string& CLanguageTables::NoteDialogText(std::size_t i) const {
    return EntryOf(m_noteDialog, i);
}

const std::string& CLanguageTables::CaptionDialogText(std::size_t i) const {
    return EntryOf(m_captionDialog, i);
}

const std::string& CLanguageTables::ExportText(std::size_t i) const {
    return EntryOf(m_exportDialog, i);
}

const std::string& CLanguageTables::MessageText(std::size_t i) const {
    return EntryOf(m_messageText, i);
}

const std::string& CLanguageTables::MessageCaption(std::size_t i) const {
    return EntryOf(m_messageCaption, i);
}
