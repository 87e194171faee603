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
    loadedLanguage = language;
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
    LoadNumberedTable(file, "Menu", menu);
    LoadNumberedTable(file, "WindowTitle", windowTitle);
    LoadComments(file);
    LoadNumberedTable(file, "CaptionDialog", captionDialog);
    LoadNumberedTable(file, "NoteDialog", noteDialog);
    LoadNumberedTable(file, "SelectDialog", selectDialog);
    LoadMessages(file);
}

// One record per number, up to and including the first number without a sound name: that record
// keeps its text, so the list ends at the first gap in "CommentsSound" whatever "CommentsText" has.
void CLanguageTables::LoadComments(const CIniFile& file) {
    comments.clear();
    for (std::int32_t i = 0; i < std::numeric_limits<std::int32_t>::max(); ++i) {
        const std::string key = std::to_string(i);
        CommentSound record{i, file.GetString("CommentsText", key, kValueBufferSize),
                            file.GetString("CommentsSound", key, kValueBufferSize)};
        const bool last = record.soundName.empty();
        comments.push_back(std::move(record));
        if (last) {
            break;
        }
    }
}

void CLanguageTables::LoadMessages(const CIniFile& file) {
    messageText.fill({});
    messageCaption.fill({});
    for (std::size_t i = 0; i < kMessagePairs; ++i) {
        const std::string index = std::to_string(i);
        messageText[i] = file.GetString("Messages", index + "m", kValueBufferSize);
        messageCaption[i] = file.GetString("Messages", index + "n", kValueBufferSize);
        if (messageCaption[i].empty()) {
            break;
        }
    }
}

const CommentSound* CLanguageTables::FindComment(std::int32_t number) const {
    // Record i carries number i, so the first record with the number is found by its index.
    if (number < 0 || static_cast<std::size_t>(number) >= comments.size()) {
        return nullptr;
    }
    return &comments[static_cast<std::size_t>(number)];
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
    return EntryOf(menu, k);
}

const std::string& CLanguageTables::WindowTitleText(std::size_t kind) const {
    return EntryOf(windowTitle, kind);
}

const std::string& CLanguageTables::SelectDialogText(std::size_t i) const {
    return EntryOf(selectDialog, i);
}

const std::string& CLanguageTables::NoteDialogText(std::size_t i) const {
    return EntryOf(noteDialog, i);
}

const std::string& CLanguageTables::CaptionDialogText(std::size_t i) const {
    return EntryOf(captionDialog, i);
}

const std::string& CLanguageTables::MessageText(std::size_t i) const {
    return EntryOf(messageText, i);
}

const std::string& CLanguageTables::MessageCaption(std::size_t i) const {
    return EntryOf(messageCaption, i);
}
