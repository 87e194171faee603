#include "web/JsonObjectReader.h"

#include <gtest/gtest.h>

TEST(JsonObjectReader, ReadsStringsNumbersAndLiteralsOfAFlatObject) {
    const JsonObjectReading reading =
        ReadJsonObject(" {\"kind\" : \"simplify\", \"n\":-12.5e+3,\"t\":true,\"f\":false,\"z\":null }\n");
    ASSERT_FALSE(reading.Refused()) << reading.error;
    EXPECT_EQ(reading.Member("kind"), "simplify");
    EXPECT_EQ(reading.Member("n"), "-12.5e+3");
    EXPECT_EQ(reading.Member("t"), "true");
    EXPECT_EQ(reading.Member("f"), "false");
    EXPECT_EQ(reading.Member("z"), "");
    EXPECT_FALSE(reading.Member("problem"));
    EXPECT_FALSE(ReadJsonObject("{}").Refused());
}

TEST(JsonObjectReader, TurnsEscapesIntoUtf8) {
    const JsonObjectReading reading =
        ReadJsonObject(R"({"p":"a\"b\\c\/\n\t\u0078\u00b2\u2212\ud835\udc65"})");
    ASSERT_FALSE(reading.Refused()) << reading.error;
    EXPECT_EQ(reading.Member("p"), "a\"b\\c/\n\tx\u00b2\u2212\U0001D465");
}

TEST(JsonObjectReader, KeepsTheLastValueOfANameGivenTwice) {
    EXPECT_EQ(ReadJsonObject(R"({"p":"1","p":"2"})").Member("p"), "2");
}

TEST(JsonObjectReader, KeepsValidUtf8AndRefusesBrokenUtf8) {
    EXPECT_EQ(ReadJsonObject("{\"p\":\"x\xc2\xb2 \xe2\x88\x92 \xf0\x9d\x91\xa5\"}").Member("p"),
              "x\xc2\xb2 \xe2\x88\x92 \xf0\x9d\x91\xa5");
    for (const char* broken : {"{\"p\":\"\xff\"}", "{\"p\":\"\xc0\xaf\"}", "{\"p\":\"\xed\xa0\x80\"}",
                               "{\"p\":\"\xe2\x88\"}", "{\"p\":\"\xf4\x90\x80\x80\"}"}) {
        const JsonObjectReading reading = ReadJsonObject(broken);
        EXPECT_TRUE(reading.Refused()) << broken;
        EXPECT_TRUE(reading.members.empty());
    }
}

TEST(JsonObjectReader, RefusesWhatIsNotOneFlatObjectWithAPlaceInTheMessage) {
    const char* refused[] = {
        "",                           // nothing
        "[1]",                        // a list
        "{\"p\":{\"a\":1}}",          // nested object
        "{\"p\":[1]}",                // nested list
        "{\"p\":\"x\"} {}",           // text after the object
        "{\"p\":\"x\"",               // not closed
        "{\"p\" \"x\"}",              // no colon
        "{p:\"x\"}",                  // name without quotes
        "{\"p\":\"x\",}",             // trailing comma
        "{\"p\":\"line\nend\"}",      // raw control character
        "{\"p\":\"\\q\"}",            // unknown escape
        "{\"p\":\"\\u12\"}",          // short \u
        "{\"p\":\"\\udc00\"}",        // lone low surrogate
        "{\"p\":\"\\ud800x\"}",       // high surrogate alone
        "{\"p\":\"\\ud800\\u0041\"}", // high surrogate with no low one
        "{\"p\":01x}",                // number followed by junk
        "{\"p\":1.}",                 // no digits after the point
        "{\"p\":tru}",                // a word cut short
    };
    for (const char* text : refused) {
        const JsonObjectReading reading = ReadJsonObject(text);
        EXPECT_TRUE(reading.Refused()) << text;
        EXPECT_NE(reading.error.find("at byte "), std::string::npos) << reading.error;
    }
}

TEST(JsonObjectReader, ReadsALongStringInLinearTime) {
    std::string text = "{\"p\":\"";
    text.append(100'000, 'x');
    text += "\"}";
    EXPECT_EQ(ReadJsonObject(text).Member("p")->size(), 100'000u);
}
