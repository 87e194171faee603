#include "web/HtmlText.h"

#include <gtest/gtest.h>

TEST(HtmlText, EscapesEverythingThatCouldOpenMarkupOrLeaveAnAttribute) {
    EXPECT_EQ(HtmlEscaped("<script>alert('x' & \"y\")</script>"),
              "&lt;script&gt;alert(&#39;x&#39; &amp; &quot;y&quot;)&lt;/script&gt;");
    EXPECT_EQ(HtmlEscaped("x\xc2\xb2 \xe2\x88\x92 1"), "x\xc2\xb2 \xe2\x88\x92 1");
}

TEST(HtmlText, ReplacesControlBytesThatHtmlDoesNotAllow) {
    EXPECT_EQ(HtmlEscaped(std::string("a\0b\x1b\x7f\tc\n", 8)), "a\xEF\xBF\xBD"
                                                                "b\xEF\xBF\xBD\xEF\xBF\xBD\tc\n");
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
