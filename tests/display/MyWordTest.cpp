// Laid-out words: caching, the font cache, and painting with the language's signs.

#include "FakeDevice.h"

#include "display/MyWord.h"

#include <gtest/gtest.h>

namespace {

class MyWordTest : public ::testing::Test {
protected:
    CFakeDevice m_device;
    CGraphics m_graphics{m_device};
};

TEST_F(MyWordTest, SettingATextDropsBlanksAndLaysOutOnlyWhenItChanges) {
    MyWord word("$x + 1$", kFontKindFormula, 20, 0);
    EXPECT_EQ(word.Text(), "$x+1$");
    EXPECT_EQ(word.Width(m_graphics), 50);
    const int selections = m_device.selections;
    word.SetText("$ x+1 $");
    EXPECT_EQ(word.Width(m_graphics), 50);
    word.Symbols(m_graphics);
    EXPECT_EQ(m_device.selections, selections) << "an unchanged text must not be laid out again";

    word.SetText("$x+12$");
    EXPECT_EQ(word.Width(m_graphics), 60);
    EXPECT_EQ(word.Symbols(m_graphics).size(), 4u);
}

TEST_F(MyWordTest, FontAndColourChangesLayTheWordOutAgain) {
    MyWord word("$x$", kFontKindFormula, 20, 0);
    EXPECT_EQ(word.Height(m_graphics), 20);
    word.SetFont(kFontKindFormula, 30);
    EXPECT_EQ(word.Height(m_graphics), 30);
    word.SetColor(MakeRgb(1, 2, 3));
    EXPECT_EQ(word.Symbols(m_graphics).front().color, MakeRgb(1, 2, 3));
}

TEST_F(MyWordTest, PlainWordsAreNotReadAsMarkup) {
    MyWord word("Answer:x+1", kFontKindText, 20, 0);
    ASSERT_EQ(word.Measure(m_graphics), 0);
    EXPECT_EQ(word.Width(m_graphics), 100);
    EXPECT_EQ(word.Symbols(m_graphics).size(), 10u);
    EXPECT_EQ(word.Symbols(m_graphics)[6].character, ':');
    EXPECT_EQ(word.Symbols(m_graphics)[6].fontKind, kFontKindText);
}

TEST_F(MyWordTest, FontsAreSelectedOnlyWhenKindOrHeightChanges) {
    MyWord word("$a+b+c+d$", kFontKindFormula, 20, 0);
    word.Measure(m_graphics);
    // One font (formula face, 20) serves every glyph: it is created and selected once.
    EXPECT_EQ(m_device.created, 1);
    EXPECT_EQ(m_device.selections, 1);

    MyWord power("$x^2+y^2$", kFontKindFormula, 20, 0);
    power.Measure(m_graphics);
    EXPECT_EQ(m_device.created, 2); // and the exponent's 14
    // Each measurement starts from a forgotten selection, then switches between 20 and 14 as needed.
    EXPECT_GE(m_device.selections, 1 + 4);
    EXPECT_LE(m_device.selections, 1 + 8);
}

TEST_F(MyWordTest, FontCacheKeepsFiftyFontsAndReplacesTheLast) {
    CFontCache& fonts = m_graphics.Fonts();
    for (int height = 1; height <= 60; ++height) {
        fonts.Select(kFontKindFormula, height);
    }
    EXPECT_EQ(m_device.created, 60);
    EXPECT_EQ(m_device.deleted, 10);
    ASSERT_EQ(fonts.Entries().size(), 50u);
    EXPECT_EQ(fonts.Entries().front().height, 1);
    EXPECT_EQ(fonts.Entries()[48].height, 49);
    EXPECT_EQ(fonts.Entries().back().height, 60);
    EXPECT_EQ(m_device.fonts.size(), 50u) << "every font the cache drops is deleted";

    // A cached font is found again, not created.
    fonts.Select(kFontKindFormula, 1);
    fonts.Select(kFontKindFormula, 60);
    EXPECT_EQ(m_device.created, 60);
}

TEST_F(MyWordTest, NarrowedFontsAreKeptApartFromNormalOnes) {
    CFontCache& fonts = m_graphics.Fonts();
    fonts.Select(kFontKindSymbol, 52, true);
    EXPECT_EQ(m_device.selected.width, 7);
    fonts.Select(kFontKindSymbol, 52, false);
    EXPECT_EQ(m_device.selected.width, 0);
    EXPECT_EQ(m_device.created, 2);
    fonts.Select(kFontKindSymbol, 20, true);
    EXPECT_EQ(m_device.selected.width, 6) << "at least 6";
}

TEST_F(MyWordTest, DecimalSeparatorAndDivisionFollowTheLanguage) {
    struct Case {
        const char* text;
        int language;
        const char* drawn;
    };
    const std::string division(1, static_cast<char>(0xB8));
    const Case cases[] = {
        {"$0,5$", kEnglishLanguage, "0.5"},
        {"$0,5$", kRussianLanguage, "0,5"},
        {"$a:b$", kRussianLanguage, "a:b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " in language " + std::to_string(c.language));
        MyWord word(c.text, kFontKindFormula, 20, 0);
        m_device.outputs.clear();
        PaintSymbols(m_graphics, word, c.language);
        std::string drawn;
        for (const auto& output : m_device.outputs) {
            drawn += output.text;
        }
        EXPECT_EQ(drawn, c.drawn);
    }

    MyWord quotient("$a:b$", kFontKindFormula, 20, 0);
    m_device.outputs.clear();
    PaintSymbols(m_graphics, quotient, kEnglishLanguage);
    ASSERT_EQ(m_device.outputs.size(), 3u);
    EXPECT_EQ(m_device.outputs[1].text, division);
    // The replaced sign is kept, and goes back under Russian.
    EXPECT_EQ(quotient.Symbols(m_graphics)[1].character, 0xB8);
    m_device.outputs.clear();
    PaintSymbols(m_graphics, quotient, kRussianLanguage);
    EXPECT_EQ(m_device.outputs[1].text, ":");
}

TEST_F(MyWordTest, SwappedSignsAreCentredInTheirMeasuredBox) {
    // a:b at 20: ":" measured 10 wide at x 20, with spaces of 10 on each side. The division sign is 30
    // wide, more than its box and half of each space, so it is drawn at height 13, its ink (18 wide,
    // rows 1 to 12) centred on the box and on the ink middle of the full-size sign (rows 2 to 18).
    MyWord quotient("$a:b$", kFontKindFormula, 20, 0);
    const MySymbol measured = quotient.Symbols(m_graphics)[1];
    ASSERT_EQ(measured.x, 20);
    ASSERT_EQ(measured.width, 10);
    for (int paint = 0; paint < 2; ++paint) {
        SCOPED_TRACE(paint == 0 ? "first painting" : "painting again, the sign already swapped");
        m_device.outputs.clear();
        PaintSymbols(m_graphics, quotient, kEnglishLanguage);
        ASSERT_EQ(m_device.outputs.size(), 3u);
        EXPECT_EQ(m_device.outputs[1].height, 13);
        EXPECT_EQ(m_device.outputs[1].x, 20 - 4);
        EXPECT_EQ(m_device.outputs[1].y, 10 - 6);
        EXPECT_EQ(m_device.outputs[2].x, 40) << "the right operand does not move";
    }
    EXPECT_EQ(quotient.Symbols(m_graphics)[1].width, 10) << "the measured width stays";

    // Russian and signs as wide as the one measured are drawn where they stand, at full height.
    m_device.outputs.clear();
    PaintSymbols(m_graphics, quotient, kRussianLanguage);
    EXPECT_EQ(m_device.outputs[1].height, 20);
    EXPECT_EQ(m_device.outputs[1].x, 20);
    EXPECT_EQ(m_device.outputs[1].y, 0);
    MyWord decimal("$0,5$", kFontKindFormula, 20, 0);
    m_device.outputs.clear();
    PaintSymbols(m_graphics, decimal, kEnglishLanguage);
    ASSERT_EQ(m_device.outputs.size(), 3u);
    EXPECT_EQ(m_device.outputs[1].text, ".");
    EXPECT_EQ(m_device.outputs[1].height, 20);
    EXPECT_EQ(m_device.outputs[1].x, 10);
    EXPECT_EQ(m_device.outputs[1].y, 0);
}

// Comment words keep their own ":" and decimal separator on screen in every language: they are
// sentences, where ":" is punctuation, not a division.
TEST_F(MyWordTest, PlainTextKeepsItsPunctuationInEveryLanguage) {
    const std::string russian = std::string("a,b.") + static_cast<char>(0xB8); // 0xB8 is a letter here
    MyWord word(russian, kFontKindText, 20, 0);
    for (const int language : {kEnglishLanguage, kRussianLanguage}) {
        m_device.outputs.clear();
        PaintSymbols(m_graphics, word, language);
        std::string drawn;
        for (const auto& output : m_device.outputs) {
            drawn += output.text;
        }
        EXPECT_EQ(drawn, russian);
    }
}

TEST_F(MyWordTest, PaintingPlacesSymbolsAtWordPositionPlusOffset) {
    MyWord word("$1/2$", kFontKindFormula, 20, MakeRgb(0, 0, 255));
    word.x = 100;
    word.y = 50;
    PaintSymbols(m_graphics, word, kEnglishLanguage, 7, 3);
    ASSERT_EQ(m_device.outputs.size(), 2u);
    EXPECT_EQ(m_device.outputs[0].x, 100 + 7 + 5);
    EXPECT_EQ(m_device.outputs[0].y, 50 + 3);
    EXPECT_EQ(m_device.outputs[1].y, 50 + 3 + 28);
    EXPECT_EQ(m_device.outputs[0].color, MakeRgb(0, 0, 255));
    ASSERT_EQ(m_device.lines.size(), 1u);
    EXPECT_EQ(m_device.lines[0].x1, 107);
    EXPECT_EQ(m_device.lines[0].y1, 53 + 24);
    EXPECT_EQ(m_device.lines[0].x2, 107 + 20);

    // A range of symbols paints only those; they come in reading order: numerator, bar, denominator.
    m_device.outputs.clear();
    m_device.lines.clear();
    PaintSymbols(m_graphics, word, kEnglishLanguage, 0, 0, 2, 2);
    ASSERT_EQ(m_device.outputs.size(), 1u);
    EXPECT_EQ(m_device.outputs[0].text, "2");
    EXPECT_TRUE(m_device.lines.empty());
    PaintSymbols(m_graphics, word, kEnglishLanguage, 0, 0, 7);
    EXPECT_EQ(m_device.outputs.size(), 1u);
}

TEST_F(MyWordTest, SystemBraceIsPaintedWithTheNarrowedFont) {
    MyWord word("$!sys{x;y}$", kFontKindFormula, 20, 0);
    PaintSymbols(m_graphics, word, kEnglishLanguage);
    ASSERT_FALSE(m_device.outputs.empty());
    EXPECT_EQ(m_device.outputs[0].text, "{");
    EXPECT_EQ(m_device.outputs[0].kind, kFontKindSymbol);
    bool narrowSelected = false;
    for (const auto& [handle, request] : m_device.fonts) {
        narrowSelected = narrowSelected || (request.kind == kFontKindSymbol && request.width == 7);
    }
    EXPECT_TRUE(narrowSelected);
}

} // namespace
