#pragma once

// The texts of one language, read from its language file under the base folder: the menu texts,
// window titles, the texts of the two example-library dialogs, the message boxes and every solution
// comment with the name of its voice clip. The program holds one set of tables and reloads it on a
// language switch; texts are single-byte Windows-1251 strings, as in the file (Windows1251ToUtf8
// turns them into UTF-8).
//
// Loading follows the file's layout:
//   - "Menu" (32 entries), "WindowTitle" (4), "SelectDialog" (5), "NoteDialog" (15),
//     "CaptionDialog" (4) and "ExportDialog" (13: the copy and save commands and the save dialog's
//     texts, ExportText) are read under the keys "0", "1", ... until an empty value or the last
//     entry; the empty value is kept and every entry after it is empty;
//   - "CommentsText" and "CommentsSound" are read in step under the keys "0", "1", ... into one
//     comment record per number, up to and including the first number without a sound name;
//   - "Messages" holds pairs under "0m" (text) and "0n" (caption) up to "8m" and "8n", read until
//     the first pair without a caption, that pair included;
//   - every value is read into a 1024-byte buffer, so a longer one is cut to 1023 bytes.

#include "output/CIniFile.h"
#include "output/CommentID.h"
#include "output/CommentSound.h"
#include "output/TextLanguage.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The language file of a language, relative to the base folder: "Res/English.ini" for English,
// "Res/Russian.ini" for any other value.
const char* LanguageFileName(int language);

// The tool tip of a toolbar button, built into the program rather than read from the language file:
// Solve (32775), Copy (32818), Paste (32819) and Cut (32826), in English for language 1 and in
// Russian (Windows-1251) otherwise. Empty for any other command.
std::string BuiltInToolTipText(std::uint32_t command, int language);

class CLanguageTables;

// What a language load needs from the program that shows it. The engine shows nothing itself.
class CLanguageHost {
public:
    virtual ~CLanguageHost() = default;

    // The language file does not exist (or cannot be opened). The program shows a message box with
    // text (the full path followed by "  NOT FOUND"), the caption (caption, "Error") and an OK
    // button, and ends with exit code 0. Nothing of the file has been loaded.
    virtual void LanguageFileMissing(const std::string& text, const std::string& caption) = 0;

    // Every table has been loaded: the program applies the menu texts and the window title of the
    // current kind of problem and repaints the window frame.
    virtual void LanguageLoaded(const CLanguageTables& tables) { (void)tables; }
};

class CLanguageTables {
public:
    static constexpr std::size_t kMenuEntries = 32;
    static constexpr std::size_t kWindowTitleEntries = 4;
    static constexpr std::size_t kSelectDialogEntries = 5;
    static constexpr std::size_t kNoteDialogEntries = 15;
    static constexpr std::size_t kCaptionDialogEntries = 4;
    static constexpr std::size_t kExportDialogEntries = 13;
    static constexpr std::size_t kMessagePairs = 9;
    // The size of the buffer every value is read into; a value keeps at most one byte less.
    static constexpr std::size_t kValueBufferSize = 1024;

    // Loads the file of language under baseFolder (which ends in a path separator, or is empty for
    // the current folder) into every table, replacing what was there. When the file is missing,
    // the host (if any) is told and the tables stay as they were; the result is then false.
    bool LoadLanguage(const std::string& baseFolder, int language, CLanguageHost* host);

    // The same from a file at an explicit path.
    bool LoadFile(const std::string& path, CLanguageHost* host);

    // The language of the last successful load (-1 before the first).
    int Language() const { return m_loadedLanguage; }

    // The text and the sound name of the comment with that number; empty when no record has it.
    const std::string& CommentText(std::int32_t number) const;
    const std::string& CommentText(CommentIDType id) const { return CommentText(ToNumber(id)); }
    const std::string& CommentSoundName(std::int32_t number) const;
    const std::string& CommentSoundName(CommentIDType id) const { return CommentSoundName(ToNumber(id)); }
    const std::vector<CommentSound>& Comments() const { return m_comments; }

    // Table entries; an index past the table reads as empty.
    const std::string& MenuText(std::size_t k) const;
    const std::string& WindowTitleText(std::size_t kind) const;
    const std::string& SelectDialogText(std::size_t i) const;
    const std::string& NoteDialogText(std::size_t i) const;
    const std::string& CaptionDialogText(std::size_t i) const;
    // The texts of solutions leaving the program: the commands Copy the solution (0), Copy as LaTeX
    // (1) and Save the solution as (2), the save dialog's caption (3), its file types (4 text,
    // 5 Markdown, 6 LaTeX, 7 HTML, 8 PDF, 9 SVG, 10 PNG), the question for the PNG's scale (11) and
    // the message for a file that cannot be written (12).
    const std::string& ExportText(std::size_t i) const;
    const std::string& MessageText(std::size_t i) const;
    const std::string& MessageCaption(std::size_t i) const;

private:
    void LoadFrom(const CIniFile& file);
    void LoadComments(const CIniFile& file);
    void LoadMessages(const CIniFile& file);
    const CommentSound* FindComment(std::int32_t number) const;

    std::array<std::string, kMenuEntries> m_menu;
    std::array<std::string, kWindowTitleEntries> m_windowTitle;
    std::array<std::string, kSelectDialogEntries> m_selectDialog;
    std::array<std::string, kNoteDialogEntries> m_noteDialog;
    std::array<std::string, kCaptionDialogEntries> m_captionDialog;
    std::array<std::string, kExportDialogEntries> m_exportDialog;
    std::array<std::string, kMessagePairs> m_messageText;
    std::array<std::string, kMessagePairs> m_messageCaption;
    // Record i has number i.
    std::vector<CommentSound> m_comments;
    int m_loadedLanguage = -1;
};
