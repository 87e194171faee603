// Result codes of formula layout, and markup that must neither crash nor stall it.

#include "LayoutTestSupport.h"

#include "display/MyWord.h"

#include <chrono>

namespace {

TEST_F(LayoutTest, MalformedMarkupGivesItsResultCode) {
    struct Case {
        const char* markup;
        int code;
    };
    const Case cases[] = {
        {"(x", LayoutCode::kParentheses},
        {"a+(b", LayoutCode::kParentheses},
        {"x)", LayoutCode::kClosedBeforeOpened},
        {")(", LayoutCode::kClosedBeforeOpened},
        {"x}", LayoutCode::kClosedBeforeOpened},
        {"[x", LayoutCode::kSquareBrackets},
        {"{x", LayoutCode::kBraces},
        {"!sq2{x", LayoutCode::kBraces},
        {"(x)y", LayoutCode::kParentheses},
        {"[x]y", LayoutCode::kSquareBrackets},
        {"{x}y", LayoutCode::kBraces},
        {"!sq2", LayoutCode::kCommandWithoutBracket},
        {"!", LayoutCode::kCommandWithoutBracket},
        {"!sq2{x}y", LayoutCode::kCommandNotClosed},
        {"!sin(x}", LayoutCode::kClosedBeforeOpened},
        {"!sqn{3}", LayoutCode::kCommandWithoutSemicolon},
        {"!cross{x}", LayoutCode::kCommandWithoutSemicolon},
        {"!brssil{0}", LayoutCode::kCommandWithoutSemicolon},
        // A failing part fails the whole formula.
        {"1/(2", LayoutCode::kParentheses},
        {"x^{!sqn{2}}", LayoutCode::kCommandWithoutSemicolon},
        {"a+b=!sq2{c}d", LayoutCode::kCommandNotClosed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.markup);
        EXPECT_EQ(Layout(c.markup).code, c.code);
    }
}

TEST_F(LayoutTest, WellFormedMarkupSucceeds) {
    for (const char* markup :
         {"", "x", "!sys{x}", "!sin{x}", "!unknown{x}", "()", "x^", "/", "!cross{-3;x}"}) {
        SCOPED_TRACE(markup);
        EXPECT_EQ(Layout(markup).code, 0);
    }
}

TEST(MyWordCodes, DollarDelimitersAndEmptyTexts) {
    CFakeDevice device;
    CGraphics graphics(device);
    struct Case {
        const char* text;
        int code;
    };
    for (const Case c : {Case{"", LayoutCode::kEmptyText}, Case{"  ", LayoutCode::kEmptyText},
                         Case{"$$", LayoutCode::kEmptyText}, Case{"$x+1", LayoutCode::kUnclosedFormula},
                         Case{"$", LayoutCode::kUnclosedFormula}, Case{"$(x$", LayoutCode::kParentheses},
                         Case{"$x+1$", LayoutCode::kSuccess}, Case{"(x", LayoutCode::kSuccess}}) {
        SCOPED_TRACE(c.text);
        MyWord word(c.text, kFontKindFormula, 20, 0);
        EXPECT_EQ(word.Measure(graphics), c.code);
        if (c.code != 0) {
            EXPECT_EQ(word.Width(graphics), 0);
            EXPECT_TRUE(word.Symbols(graphics).empty());
        }
    }
}

TEST_F(LayoutTest, DeepNestingStopsWithACodeInsteadOfOverflowingTheStack) {
    const int depth = 100'000;
    const std::string nested = std::string(depth, '(') + "x" + std::string(depth, ')');
    EXPECT_EQ(Layout(nested).code, LayoutCode::kTooDeep);
    const std::string powers = [] {
        std::string text = "x";
        for (int i = 0; i < 5'000; ++i) {
            text += "^x";
        }
        return text;
    }();
    EXPECT_EQ(Layout(powers).code, LayoutCode::kTooDeep);
    // Nesting within the limit is laid out.
    EXPECT_EQ(Layout(std::string(100, '(') + "x" + std::string(100, ')')).code, 0);
}

TEST_F(LayoutTest, LongSumsAreLaidOutFlatAndQuickly) {
    std::string sum = "1";
    for (int i = 0; i < 20'000; ++i) {
        sum += "+x";
    }
    const auto start = std::chrono::steady_clock::now();
    const LaidOut laid = Layout(sum);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    ASSERT_EQ(laid.code, 0);
    EXPECT_EQ(laid.box.symbols.size(), 40'001u);
    EXPECT_EQ(laid.box.width, 10 + 20'000 * (10 + 10 + 20));
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 2'000);
}

} // namespace
