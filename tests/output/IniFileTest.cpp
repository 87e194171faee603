// The initialisation-file reader: the lookup rules of the platform's profile reader.

#include "output/CIniFile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

constexpr std::size_t kBuffer = 1024;

TEST(CIniFile, LookupRules) {
    CIniFile file;
    file.Parse("; a comment line\r\n"
               "orphan=before any section\r\n"
               "[Menu]\r\n"
               "0=File\r\n"
               "  1  =  padded value  \r\n"
               "2=\"quoted \"\r\n"
               "3='single'\r\n"
               "4=\"unbalanced\r\n"
               "5=a=b\r\n"
               "6\r\n"
               "; 7=commented out\r\n"
               "8=\r\n"
               "9=x ; not a comment\r\n"
               "0=second value of key 0\r\n"
               "[ messages ]\n"
               "0M=lower-case section, upper-case key\n"
               "[Menu]\n"
               "10=from a repeated section\n"
               "[Tail]\r"
               "x=lone carriage returns end lines too\r");
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"Menu", "0", "File"},
        {"MENU", "0", "File"},
        {"Menu", "1", "padded value"},
        {"Menu", "2", "quoted "},
        {"Menu", "3", "single"},
        {"Menu", "4", "\"unbalanced"},
        {"Menu", "5", "a=b"},
        {"Menu", "6", ""},
        {"Menu", "7", ""},
        {"Menu", "8", ""},
        {"Menu", "9", "x ; not a comment"},
        {"Menu", "10", ""},
        {"Menu", "orphan", ""},
        {"Messages", "0m", "lower-case section, upper-case key"},
        {"Tail", "x", "lone carriage returns end lines too"},
        {"Absent", "0", ""},
        {"", "orphan", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        EXPECT_EQ(file.GetString(c.section, c.key, kBuffer), c.expected);
    }
}

TEST(CIniFile, ValueIsCutToTheBufferLessOne) {
    const std::string longValue(1500, 'w');
    CIniFile file;
    file.Parse("[S]\nk=" + longValue + "\nexact=" + std::string(1023, 'e') + "\n");
    EXPECT_EQ(file.GetString("S", "k", kBuffer), std::string(1023, 'w'));
    EXPECT_EQ(file.GetString("S", "exact", kBuffer).size(), 1023u);
    EXPECT_EQ(file.GetString("S", "k", 5), "wwww");
    EXPECT_EQ(file.GetString("S", "k", 1), "");
    EXPECT_EQ(file.GetString("S", "k", 0), "");
}

TEST(CIniFile, BytesPassThroughUnchanged) {
    CIniFile file;
    // Windows-1251 text, a zero byte ending the value, a UTF-8 byte order mark before the first line.
    file.Parse("\xEF\xBB\xBF[S]\n1251=\xCE\xF2\xE2\xE5\xF2\nzero=ab\0cd\n"s);
    EXPECT_EQ(file.GetString("S", "1251", kBuffer), "\xCE\xF2\xE2\xE5\xF2");
    EXPECT_EQ(file.GetString("S", "zero", kBuffer), "ab");
}

TEST(CIniFile, ParseReplacesEarlierContents) {
    CIniFile file;
    file.Parse("[S]\na=1\n");
    file.Parse("[T]\nb=2\n");
    EXPECT_EQ(file.GetString("S", "a", kBuffer), "");
    EXPECT_EQ(file.GetString("T", "b", kBuffer), "2");
}

TEST(CIniFile, UnreadablePathsLoadNothing) {
    CIniFile file;
    file.Parse("[S]\na=1\n");
    EXPECT_FALSE(file.Load("/nonexistent/folder/file.ini"));
    EXPECT_EQ(file.GetString("S", "a", kBuffer), "");
    EXPECT_FALSE(file.Load(ORBELIN_SOURCE_DIR));
}

} // namespace
