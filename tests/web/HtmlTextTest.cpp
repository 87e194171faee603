#include "web/HtmlText.h"

#include <gtest/gtest.h>

TEST(HtmlText, EscapesTheTextAroundTheMark) {
    EXPECT_EQ(HtmlWithMarkedColumn("\"><script>&", 2), "&quot;<mark>&gt;</mark>&lt;script&gt;&amp;");
    EXPECT_EQ(HtmlWithMarkedColumn(std::string("a\0b\x1b", 4), 3), "a<mark>b</mark>")
        << "control bytes left out";
}

TEST(HtmlText, MarksTheColumnCountedInCharacters) {
    EXPECT_EQ(HtmlWithMarkedColumn("2x+<b", 4), "2x+<mark>&lt;</mark>b");
    EXPECT_EQ(HtmlWithMarkedColumn("x\xe2\x88\x92\xe2\x88\x9a"
                                   "2",
                                   3),
              "x\xe2\x88\x92<mark>\xe2\x88\x9a</mark>2");
    EXPECT_EQ(HtmlWithMarkedColumn("x+", 1), "<mark>x</mark>+");
}

TEST(HtmlText, MarksAnEmptyPlaceForAColumnPastTheEnd) {
    EXPECT_EQ(HtmlWithMarkedColumn("x+", 3), "x+<mark>\u00A0</mark>");
    EXPECT_EQ(HtmlWithMarkedColumn("x+", 40), "x+<mark>\u00A0</mark>");
    EXPECT_EQ(HtmlWithMarkedColumn("", 1), "<mark>\u00A0</mark>");
}

TEST(HtmlText, KeepsEveryByteOfBrokenUtf8WhenMarking) {
    // A lead byte at the end whose continuation bytes are missing.
    EXPECT_EQ(HtmlWithMarkedColumn("ab\xe2", 3), "ab<mark>\xe2</mark>");
    EXPECT_EQ(HtmlWithMarkedColumn("\x80\x80x", 3), "\x80\x80<mark>x</mark>");
}
