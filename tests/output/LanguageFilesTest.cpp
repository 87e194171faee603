// The two language files the program ships: every table full, every comment with a text and a
// voice clip name, the Russian file readable as Windows-1251, and the copies beside the programs.

#include "output/LanguageTables.h"
#include "output/Windows1251.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace {

struct ShippedFile {
    const char* name;
    int language;
};

const ShippedFile kShippedFiles[] = {{"Russian.ini", kRussianLanguage}, {"English.ini", kEnglishLanguage}};

std::string SourcePath(const char* name) {
    return std::string(ORBELIN_SOURCE_DIR) + "/res/" + name;
}

// True when bytes hold a UTF-8 Cyrillic letter (0xD0 or 0xD1 and a continuation byte): a file saved
// in the wrong code page.
bool LooksLikeUtf8Cyrillic(const std::string& bytes) {
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const auto next = static_cast<unsigned char>(bytes[i + 1]);
        if ((lead == 0xD0 || lead == 0xD1) && next >= 0x80 && next <= 0xBF) {
            return true;
        }
    }
    return false;
}

CLanguageTables LoadShipped(const char* name) {
    CLanguageTables tables;
    EXPECT_TRUE(tables.LoadFile(SourcePath(name), nullptr)) << name;
    return tables;
}

template <typename Lookup> void ExpectAllNonEmpty(std::size_t count, const char* table, Lookup lookup) {
    for (std::size_t i = 0; i < count; ++i) {
        EXPECT_FALSE(lookup(i).empty()) << table << " entry " << i;
    }
}

TEST(LanguageFiles, EveryCommentHasTextAndSoundName) {
    for (const auto& shipped : kShippedFiles) {
        SCOPED_TRACE(shipped.name);
        const CLanguageTables tables = LoadShipped(shipped.name);
        // The list ends at the record after the last comment: one without a sound name.
        ASSERT_EQ(tables.Comments().size(), static_cast<std::size_t>(kCommentIDCount) + 1);
        std::set<std::string> soundNames;
        for (std::int32_t id = 0; id < kCommentIDCount; ++id) {
            SCOPED_TRACE(id);
            EXPECT_FALSE(tables.CommentText(id).empty());
            EXPECT_FALSE(tables.CommentSoundName(id).empty());
            // Sound names are file names: no folder, no extension, no blanks, each its own clip.
            EXPECT_EQ(tables.CommentSoundName(id).find_first_of("/\\. \t"), std::string::npos);
            EXPECT_TRUE(soundNames.insert(tables.CommentSoundName(id)).second);
        }
        EXPECT_TRUE(tables.CommentSoundName(kCommentIDCount).empty());
    }
}

TEST(LanguageFiles, EveryTableIsFull) {
    for (const auto& shipped : kShippedFiles) {
        SCOPED_TRACE(shipped.name);
        const CLanguageTables t = LoadShipped(shipped.name);
        ExpectAllNonEmpty(CLanguageTables::kMenuEntries, "Menu",
                          [&](std::size_t i) { return t.MenuText(i); });
        ExpectAllNonEmpty(CLanguageTables::kWindowTitleEntries, "WindowTitle",
                          [&](std::size_t i) { return t.WindowTitleText(i); });
        ExpectAllNonEmpty(CLanguageTables::kSelectDialogEntries, "SelectDialog",
                          [&](std::size_t i) { return t.SelectDialogText(i); });
        ExpectAllNonEmpty(CLanguageTables::kNoteDialogEntries, "NoteDialog",
                          [&](std::size_t i) { return t.NoteDialogText(i); });
        ExpectAllNonEmpty(CLanguageTables::kCaptionDialogEntries, "CaptionDialog",
                          [&](std::size_t i) { return t.CaptionDialogText(i); });
        ExpectAllNonEmpty(CLanguageTables::kExportDialogEntries, "ExportDialog",
                          [&](std::size_t i) { return t.ExportText(i); });
        ExpectAllNonEmpty(CLanguageTables::kMessagePairs, "Messages text",
                          [&](std::size_t i) { return t.MessageText(i); });
        ExpectAllNonEmpty(CLanguageTables::kMessagePairs, "Messages caption",
                          [&](std::size_t i) { return t.MessageCaption(i); });
    }
}

TEST(LanguageFiles, RussianIsWindows1251WithTheMenuCaptions) {
    const CLanguageTables tables = LoadShipped("Russian.ini");
    struct Caption {
        std::size_t key;
        const char* utf8;
    };
    const Caption captions[] = {
        {0, "Раздел математики"},
        {7, "Загрузить последний решенный пример"},
        {21, "Построчный вывод"},
        {26, "Предварительный просмотр"},
        {29, "&Помощь...\tF1"},
        {30, "О программе..."},
        {31, "Решить"},
    };
    for (const auto& caption : captions) {
        SCOPED_TRACE(caption.key);
        EXPECT_EQ(Windows1251ToUtf8(tables.MenuText(caption.key)), caption.utf8);
    }
    EXPECT_EQ(Windows1251ToUtf8(tables.CommentText(CommentID::AnswerHeadingExpression)), "Ответ");

    // Every text converts back from UTF-8 unchanged: no byte is left unassigned or doubly encoded.
    for (const auto& record : tables.Comments()) {
        const std::string utf8 = Windows1251ToUtf8(record.text);
        EXPECT_EQ(Utf8ToWindows1251(utf8, '\x01'), record.text) << record.number;
        EXPECT_FALSE(LooksLikeUtf8Cyrillic(record.text)) << record.number;
    }
}

// The code page's dash (0x96) stands for the minus sign the code page lacks.
TEST(LanguageFiles, EnglishIsPlainAsciiAndTheDash) {
    std::ifstream file(SourcePath("English.ini"), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(bytes.empty());
    for (unsigned char c : bytes) {
        ASSERT_TRUE(c < 0x80 || c == 0x96) << static_cast<int>(c);
    }
}

// A negative number in a comment is written with the dash: a hyphen there reads as a hyphen.
TEST(LanguageFiles, NoCommentWritesAMinusSignAsAHyphen) {
    for (const auto& shipped : kShippedFiles) {
        SCOPED_TRACE(shipped.name);
        const CLanguageTables tables = LoadShipped(shipped.name);
        for (std::int32_t id = 0; id < kCommentIDCount; ++id) {
            const std::string& text = tables.CommentText(id);
            for (std::size_t at = text.find('-'); at != std::string::npos; at = text.find('-', at + 1)) {
                EXPECT_FALSE(at + 1 < text.size() && std::isdigit(static_cast<unsigned char>(text[at + 1])))
                    << id << ": " << text;
            }
        }
    }
}

// The build puts the files in Res/ beside the programs, which take their own folder as the base.
TEST(LanguageFiles, CopiedBesideTheTestProgram) {
    const auto programFolder = std::filesystem::canonical("/proc/self/exe").parent_path();
    for (const auto& shipped : kShippedFiles) {
        SCOPED_TRACE(shipped.name);
        CLanguageTables tables;
        ASSERT_TRUE(tables.LoadLanguage(programFolder.string() + "/", shipped.language, nullptr));
        EXPECT_EQ(tables.CommentText(CommentID::ErrorProblemTooLarge),
                  LoadShipped(shipped.name).CommentText(CommentID::ErrorProblemTooLarge));
    }
}

} // namespace
