// The Windows-1251 code page against the C library's own converter, byte by byte.

#include "output/Windows1251.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <string>

namespace {

// The C library's conversion of one byte, or an empty string when it knows no character for it.
std::string LibraryConversion(unsigned char byte) {
    iconv_t converter = iconv_open("UTF-8", "CP1251");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return "?no converter";
    }
    char in[1] = {static_cast<char>(byte)};
    char out[8] = {};
    char* inPtr = in;
    char* outPtr = out;
    std::size_t inLeft = 1;
    std::size_t outLeft = sizeof out;
    const std::size_t result = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1)) {
        return {};
    }
    return std::string(out, sizeof out - outLeft);
}

TEST(Windows1251, EveryByteMatchesTheLibraryConverter) {
    for (int byte = 0; byte < 256; ++byte) {
        SCOPED_TRACE(byte);
        const std::string expected = LibraryConversion(static_cast<unsigned char>(byte));
        const std::string actual = Windows1251ToUtf8(std::string(1, static_cast<char>(byte)));
        if (byte == 0x98) {
            // Unassigned in the code page; kept as U+0098 so that it converts back.
            EXPECT_EQ(actual, "\xC2\x98");
        } else {
            ASSERT_FALSE(expected.empty());
            EXPECT_EQ(actual, expected);
        }
    }
}

TEST(Windows1251, CodePointsOfLetters) {
    EXPECT_EQ(Windows1251ToUnicode('x'), U'x');
    EXPECT_EQ(Windows1251ToUnicode(0xC0), U'А');
    EXPECT_EQ(Windows1251ToUnicode(0xFF), U'я');
    EXPECT_EQ(Windows1251ToUnicode(0xA8), U'Ё');
    EXPECT_EQ(Windows1251ToUnicode(0xB8), U'ё');
    EXPECT_EQ(Windows1251ToUnicode(0xB9), U'№');
    EXPECT_EQ(Windows1251ToUtf8("\xCE\xF2\xE2\xE5\xF2: x=2"), "Ответ: x=2");
    EXPECT_EQ(Windows1251ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Windows1251, EveryByteConvertsBack) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        all += static_cast<char>(byte);
    }
    EXPECT_EQ(Utf8ToWindows1251(Windows1251ToUtf8(all)), all);
}

TEST(Windows1251, FromUtf8ReplacesWhatTheCodePageLacks) {
    struct Case {
        std::string utf8;
        std::string expected;
    };
    const Case cases[] = {
        {"Ответ", "\xCE\xF2\xE2\xE5\xF2"},
        {"x≠1", "x?1"},          // U+2260 has no byte
        {"a😀b", "a?b"},          // four-byte sequence
        {"\xC3", "?"},           // cut short
        {"\xC0\xAF", "?"},       // overlong '/'
        {"\xED\xA0\x80z", "?z"}, // surrogate
        {"\xFF\x41", "?A"},
        {"\xE2\x82", "??"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(Utf8ToWindows1251(c.utf8), c.expected);
    }
    EXPECT_EQ(Utf8ToWindows1251("≠", '*'), "*");
}

} // namespace
