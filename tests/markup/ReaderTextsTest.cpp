// The reader's refusals as message numbers: the English language file says exactly what the
// built-in English says (which the command line prints), and the Russian file has a text with the
// same places for every message.

#include "markup/ReaderTexts.h"
#include "markup/LinearNotation.h"
#include "output/LanguageTables.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

namespace {

// The folder of the test program, which holds "Res/" with the language files.
const std::string kProgramFolder =
    std::filesystem::read_symlink("/proc/self/exe").parent_path().string() + "/";

std::set<std::string> PlacesOf(const std::string& text) {
    std::set<std::string> places;
    for (std::size_t at = text.find('%'); at != std::string::npos && at + 1 < text.size();
         at = text.find('%', at + 2)) {
        places.insert(text.substr(at, 2));
    }
    return places;
}

TEST(ReaderTexts, LanguageFilesHoldEveryMessage) {
    const ReaderTexts english = ReaderTexts::Load(kEnglishLanguage, kProgramFolder);
    const ReaderTexts russian = ReaderTexts::Load(kRussianLanguage, kProgramFolder);
    const std::vector<std::string> places = {"%1", "%2", "%3"};
    for (std::int32_t number = 0; number < kReaderMessageCount; ++number) {
        SCOPED_TRACE(number);
        const ReaderMessage message{static_cast<ReaderMessageID>(number), places};
        const std::string builtIn(EnglishReaderPattern(message.id));
        EXPECT_EQ(english.Text(message), EnglishReaderText(message));
        const std::string inRussian = russian.Text(message);
        EXPECT_NE(inRussian, EnglishReaderText(message));
        EXPECT_EQ(PlacesOf(inRussian), PlacesOf(builtIn));
    }
}

TEST(ReaderTexts, RefusalIsWrittenInTheLanguage) {
    const LinearReading reading = ReadLinearNotation("2(x+1");
    ASSERT_TRUE(reading.Refused());
    EXPECT_EQ(reading.message.id, ReaderMessageID::BracketNotClosed);
    EXPECT_EQ(reading.error, "the bracket \"(\" opened at column 2 is not closed");
    EXPECT_EQ(ReaderTexts().Text(reading.message), reading.error);
    const ReaderTexts russian = ReaderTexts::Load(kRussianLanguage, kProgramFolder);
    EXPECT_EQ(russian.TextAtColumn(reading.message, reading.column),
              "позиция 6: скобка \"(\" в позиции 2 не закрыта");
    // Without a language file the built-in English stands in.
    EXPECT_EQ(ReaderTexts::Load(kRussianLanguage, "/nonexistent/").Text(reading.message), reading.error);
}

} // namespace
