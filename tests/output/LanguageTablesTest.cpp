// Loading a language file into the tables: stop rules of every table, the value cut, the missing
// file, and a reload replacing everything.

#include "output/LanguageTables.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A base folder of its own under the temporary folder, removed at the end of the test.
class BaseFolder {
public:
    BaseFolder() {
        static std::atomic<int> counter{0};
        path = fs::temp_directory_path() /
               ("orbelin-lang-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        fs::create_directories(path / "Res");
    }
    ~BaseFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    // The base folder as the tables take it: ending in a separator.
    std::string Base() const { return path.string() + "/"; }
    void Write(const std::string& name, const std::string& contents) const {
        std::ofstream(path / "Res" / name, std::ios::binary) << contents;
    }

    fs::path path;
};

// Records what the program would show.
class RecordingHost : public CLanguageHost {
public:
    void LanguageFileMissing(const std::string& text, const std::string& caption) override {
        missing.push_back(text + "|" + caption);
    }
    void LanguageLoaded(const CLanguageTables& tables) override {
        loadedTitles.push_back(tables.WindowTitleText(0));
    }
    std::vector<std::string> missing;
    std::vector<std::string> loadedTitles;
};

// "[section]" followed by keys first..last, each "key=prefix<key>".
std::string NumberedSection(const std::string& section, int first, int last, const std::string& prefix) {
    std::string text = "[" + section + "]\n";
    for (int i = first; i <= last; ++i) {
        text += std::to_string(i) + "=" + prefix + std::to_string(i) + "\n";
    }
    return text;
}

TEST(CLanguageTables, CommentsEndAtTheFirstNumberWithoutSoundName) {
    BaseFolder folder;
    folder.Write("English.ini", NumberedSection("CommentsText", 0, 20, "text") +
                                    NumberedSection("CommentsSound", 0, 9, "snd"));
    CLanguageTables tables;
    ASSERT_TRUE(tables.LoadLanguage(folder.Base(), kEnglishLanguage, nullptr));
    const auto& comments = tables.Comments();
    ASSERT_EQ(comments.size(), 11u);
    for (std::size_t i = 0; i < comments.size(); ++i) {
        EXPECT_EQ(comments[i].number, static_cast<std::int32_t>(i));
    }
    EXPECT_EQ(tables.CommentText(9), "text9");
    EXPECT_EQ(tables.CommentSoundName(9), "snd9");
    EXPECT_EQ(tables.CommentText(10), "text10");
    EXPECT_EQ(tables.CommentSoundName(10), "");
    EXPECT_EQ(tables.CommentText(11), "");
    EXPECT_EQ(tables.CommentText(-1), "");
    EXPECT_EQ(tables.CommentText(CommentID::TermsReordered), "text10");
}

TEST(CLanguageTables, SoundNamesWithoutTextsStillMakeRecords) {
    BaseFolder folder;
    folder.Write("English.ini", NumberedSection("CommentsSound", 0, 2, "snd"));
    CLanguageTables tables;
    ASSERT_TRUE(tables.LoadLanguage(folder.Base(), kEnglishLanguage, nullptr));
    ASSERT_EQ(tables.Comments().size(), 4u);
    EXPECT_EQ(tables.CommentText(2), "");
    EXPECT_EQ(tables.CommentSoundName(2), "snd2");
}

TEST(CLanguageTables, EmptyFileGivesOneEmptyCommentRecord) {
    BaseFolder folder;
    folder.Write("Russian.ini", "");
    CLanguageTables tables;
    ASSERT_TRUE(tables.LoadLanguage(folder.Base(), kRussianLanguage, nullptr));
    ASSERT_EQ(tables.Comments().size(), 1u);
    EXPECT_EQ(tables.Comments()[0].number, 0);
    EXPECT_EQ(tables.MenuText(0), "");
}

TEST(CLanguageTables, NumberedTablesStopAtTheFirstEmptyValue) {
    BaseFolder folder;
    // Menu has keys 0 to 4; the select dialog has a gap at 2; the note dialog has more keys than
    // entries; window titles are complete.
    folder.Write("English.ini",
                 NumberedSection("Menu", 0, 4, "m") + NumberedSection("WindowTitle", 0, 3, "w") +
                     "[SelectDialog]\n0=s0\n1=s1\n3=s3\n4=s4\n" + NumberedSection("NoteDialog", 0, 20, "n") +
                     NumberedSection("CaptionDialog", 1, 3, "c"));
    CLanguageTables tables;
    ASSERT_TRUE(tables.LoadLanguage(folder.Base(), kEnglishLanguage, nullptr));
    for (std::size_t k = 0; k < CLanguageTables::kMenuEntries; ++k) {
        SCOPED_TRACE(k);
        const std::string expected = k <= 4 ? std::string("m").append(std::to_string(k)) : std::string();
        EXPECT_EQ(tables.MenuText(k), expected);
    }
    EXPECT_EQ(tables.WindowTitleText(3), "w3");
    EXPECT_EQ(tables.SelectDialogText(1), "s1");
    EXPECT_EQ(tables.SelectDialogText(2), "");
    EXPECT_EQ(tables.SelectDialogText(3), "");
    EXPECT_EQ(tables.SelectDialogText(4), "");
    EXPECT_EQ(tables.NoteDialogText(14), "n14");
    EXPECT_EQ(tables.NoteDialogText(15), "");
    EXPECT_EQ(tables.CaptionDialogText(1), "");
    // Past the end of a table.
    EXPECT_EQ(tables.MenuText(32), "");
    EXPECT_EQ(tables.WindowTitleText(4), "");
    EXPECT_EQ(tables.MessageText(9), "");
}

TEST(CLanguageTables, MessagesStopAfterThePairWithoutCaption) {
    BaseFolder folder;
    folder.Write("English.ini", "[Messages]\n0m=Delete?\n0n=Question\n1m=Empty code\n1n=Note\n"
                                "2m=Kept text\n2n=\n3m=Not read\n3n=Not read\n");
    CLanguageTables tables;
    ASSERT_TRUE(tables.LoadLanguage(folder.Base(), kEnglishLanguage, nullptr));
    EXPECT_EQ(tables.MessageText(0), "Delete?");
    EXPECT_EQ(tables.MessageCaption(1), "Note");
    EXPECT_EQ(tables.MessageText(2), "Kept text");
    EXPECT_EQ(tables.MessageCaption(2), "");
    EXPECT_EQ(tables.MessageText(3), "");
    EXPECT_EQ(tables.MessageCaption(3), "");
}

TEST(CLanguageTables, LongValuesAreCutTo1023Bytes) {
    BaseFolder folder;
    const std::string longText(3000, 'a');
    folder.Write("English.ini", "[Menu]\n0=" + longText + "\n[CommentsText]\n0=" + longText +
                                    "\n[CommentsSound]\n0=" + longText +
                                    "\n[Messages]\n8m=x\n0m=" + longText + "\n0n=" + longText + "\n");
    CLanguageTables tables;
    ASSERT_TRUE(tables.LoadLanguage(folder.Base(), kEnglishLanguage, nullptr));
    EXPECT_EQ(tables.MenuText(0), std::string(1023, 'a'));
    EXPECT_EQ(tables.CommentText(0).size(), 1023u);
    EXPECT_EQ(tables.CommentSoundName(0).size(), 1023u);
    EXPECT_EQ(tables.MessageText(0).size(), 1023u);
    EXPECT_EQ(tables.MessageCaption(0).size(), 1023u);
}

TEST(CLanguageTables, MissingFileIsReportedWithItsPathAndChangesNothing) {
    BaseFolder folder;
    folder.Write("Russian.ini", "[WindowTitle]\n0=Уравнения\n");
    CLanguageTables tables;
    RecordingHost host;
    ASSERT_TRUE(tables.LoadLanguage(folder.Base(), kRussianLanguage, &host));
    EXPECT_EQ(host.loadedTitles, std::vector<std::string>{"Уравнения"});

    EXPECT_FALSE(tables.LoadLanguage(folder.Base(), kEnglishLanguage, &host));
    EXPECT_EQ(host.missing, std::vector<std::string>{folder.Base() + "Res/English.ini  NOT FOUND|Error"});
    EXPECT_EQ(host.loadedTitles.size(), 1u);
    EXPECT_EQ(tables.WindowTitleText(0), "Уравнения");
    EXPECT_EQ(tables.Language(), kRussianLanguage);

    // Without a host the load still fails quietly.
    EXPECT_FALSE(tables.LoadLanguage(folder.Base() + "nowhere/", kRussianLanguage, nullptr));
}

TEST(CLanguageTables, ReloadReplacesEveryTable) {
    BaseFolder folder;
    folder.Write("Russian.ini",
                 NumberedSection("Menu", 0, 31, "ru") + NumberedSection("WindowTitle", 0, 3, "ru") +
                     NumberedSection("CommentsText", 0, 5, "ru") +
                     NumberedSection("CommentsSound", 0, 5, "ru") + "[Messages]\n0m=ru\n0n=ru\n");
    folder.Write("English.ini",
                 NumberedSection("Menu", 0, 2, "en") + NumberedSection("CommentsSound", 0, 1, "en"));
    CLanguageTables tables;
    ASSERT_TRUE(tables.LoadLanguage(folder.Base(), kRussianLanguage, nullptr));
    ASSERT_TRUE(tables.LoadLanguage(folder.Base(), kEnglishLanguage, nullptr));
    EXPECT_EQ(tables.Language(), kEnglishLanguage);
    EXPECT_EQ(tables.MenuText(2), "en2");
    EXPECT_EQ(tables.MenuText(31), "");
    EXPECT_EQ(tables.WindowTitleText(0), "");
    EXPECT_EQ(tables.Comments().size(), 3u);
    EXPECT_EQ(tables.CommentText(4), "");
    EXPECT_EQ(tables.MessageText(0), "");

    ASSERT_TRUE(tables.LoadLanguage(folder.Base(), kRussianLanguage, nullptr));
    for (std::size_t k = 0; k < CLanguageTables::kMenuEntries; ++k) {
        EXPECT_EQ(tables.MenuText(k), "ru" + std::to_string(k));
    }
    EXPECT_EQ(tables.WindowTitleText(3), "ru3");
    EXPECT_EQ(tables.Comments().size(), 7u);
}

TEST(CLanguageTables, FileNames) {
    EXPECT_STREQ(LanguageFileName(kRussianLanguage), "Res/Russian.ini");
    EXPECT_STREQ(LanguageFileName(kEnglishLanguage), "Res/English.ini");
    EXPECT_STREQ(LanguageFileName(7), "Res/Russian.ini");
}

TEST(BuiltInToolTipText, BothLanguagesAndUnknownCommands) {
    EXPECT_EQ(BuiltInToolTipText(32775, kEnglishLanguage), "Solve");
    EXPECT_EQ(BuiltInToolTipText(32826, kEnglishLanguage), "Cut");
    // "Решить" and "Вставить" in Windows-1251; any language but English is Russian.
    EXPECT_EQ(BuiltInToolTipText(32775, kRussianLanguage), "\xD0\xE5\xF8\xE8\xF2\xFC");
    EXPECT_EQ(BuiltInToolTipText(32819, 5), "\xC2\xF1\xF2\xE0\xE2\xE8\xF2\xFC");
    EXPECT_EQ(BuiltInToolTipText(32810, kEnglishLanguage), "");
}

} // namespace
