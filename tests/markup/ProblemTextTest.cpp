// Character classes, problem preparation, the unknown of an equation and the display dots.

#include "markup/ProblemText.h"
#include "markup/MarkupCharacters.h"

#include <gtest/gtest.h>

#include <string>

TEST(MarkupCharacters, ClassesFollowTheBytesNotTheLocale) {
    int digits = 0;
    int letters = 0;
    int markup = 0;
    for (int byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        digits += IsDigit(c) ? 1 : 0;
        letters += IsLetter(c) ? 1 : 0;
        markup += IsMarkupCharacter(c) ? 1 : 0;
        if (byte >= 0x80) {
            SCOPED_TRACE(byte);
            EXPECT_FALSE(IsDigit(c) || IsLetter(c) || IsMarkupCharacter(c));
        }
    }
    EXPECT_EQ(digits, 10);
    EXPECT_EQ(letters, 52);
    EXPECT_EQ(markup, 10 + 52 + 12);
    for (const char c : std::string("()*+-/:;=^{}")) {
        EXPECT_TRUE(IsMarkupCharacter(c)) << c;
    }
    for (const char c : std::string(".,@_<>!~$[] #\0", 14)) {
        EXPECT_FALSE(IsMarkupCharacter(c)) << static_cast<int>(c);
    }
}

TEST(PrepareProblemText, DotsBecomeStarsAndTextEndsWithSemicolon) {
    const std::pair<std::string, std::string> cases[] = {
        {"2.x", "2*x;"}, {"x;", "x;"}, {"", ";"}, {";", ";"}, {"a.b.c;", "a*b*c;"}, {"x;y", "x;y;"},
    };
    for (const auto& [input, expected] : cases) {
        SCOPED_TRACE(input);
        std::string text = input;
        PrepareProblemText(text);
        EXPECT_EQ(text, expected);
    }
}

TEST(FindUnknown, ReportsTwoLettersOrTheOnlyOne) {
    struct Case {
        std::string text;
        bool twoLetters;
        char letter;
    };
    const Case cases[] =
        {
            {"x^2-x=0;", false, 'x'},     {"x+y=1;", true, 'x'},
            {"2=2;", false, '?'},         {"", false, '?'},
            {"X+x=0;", true, 'X'},        {"3*(a+1)=a;", false, 'a'},
            {"y\xC0\xE0=1;", false, 'y'}, // Windows-1251 letters are not unknowns
            {"\xFFz=z;", false, 'z'},
        };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        char letter = '?';
        EXPECT_EQ(FindUnknown(c.text, letter), c.twoLetters);
        EXPECT_EQ(letter, c.letter);
    }
}

TEST(DotProducts, StarBeforeLetterOrBracketBecomesDot) {
    const std::pair<std::string, std::string> cases[] = {
        {"2*x+2*3", "2.x+2*3"}, {"3*(x+1)", "3.(x+1)"}, {"*x", "*x"},   {"x*", "x*"},
        {"a*b*c", "a.b.c"},     {"2*{x}", "2*{x}"},     {"**(", "*.("}, {"", ""},
    };
    for (const auto& [input, expected] : cases) {
        SCOPED_TRACE(input);
        std::string text = input;
        DotProducts(text);
        EXPECT_EQ(text, expected);
    }
}

// 4*1*(-2) written as 4*1(-2) reads like 41 times -2: between a number and a bracketed number the sign
// stays; a bracket that holds more than a number still takes the invisible product.
TEST(DotProducts, ProductOfNumbersKeepsItsSignBeforeABracketedNumber) {
    const std::pair<std::string, std::string> cases[] = {
        {"4*1*(-2)", "4*1*(-2)"}, {"4*(-1/2)", "4*(-1/2)"}, {"2*(-0,5)", "2*(-0,5)"}, {"2*(-x)", "2.(-x)"},
        {"2*(-2+x)", "2.(-2+x)"}, {"x*(-2)", "x.(-2)"},     {"4*1*()", "4*1.()"},     {"2*(-", "2.(-"},
    };
    for (const auto& [input, expected] : cases) {
        SCOPED_TRACE(input);
        std::string text = input;
        DotProducts(text);
        EXPECT_EQ(text, expected);
    }
}
