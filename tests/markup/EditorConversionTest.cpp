// Conversion of editor text to compact text: worked examples, agreement with a literal step-by-step
// reading of each rule on random texts, and linear time on hostile texts.

#include "markup/EditorConversion.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <string_view>

namespace {

struct ConversionCase {
    std::string input;
    std::string expected;
};

void ExpectConversions(void (*convert)(std::string&), const std::vector<ConversionCase>& cases) {
    for (const ConversionCase& c : cases) {
        SCOPED_TRACE("input \"" + c.input + "\"");
        std::string text = c.input;
        convert(text);
        EXPECT_EQ(text, c.expected);
    }
}

// Literal step-by-step readings of the rules, inserting and erasing in the string as they go.
// They are quadratic and serve only as the yardstick for the linear implementations.
bool RefDigit(char c) {
    return c >= '0' && c <= '9';
}
bool RefLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool RefIn(char c, std::string_view set) {
    return set.find(c) != std::string_view::npos;
}

void ReferenceMarkMixedNumbers(std::string& t) {
    for (std::size_t i = 1; i < t.size(); ++i) {
        if (t[i] != '/') {
            continue;
        }
        int count = 0;
        std::size_t j = i;
        bool found = false;
        while (j > 0) {
            --j;
            count += t[j] == '{' ? 1 : (t[j] == '}' ? -1 : 0);
            if (count == 1) {
                found = true;
                break;
            }
        }
        if (found && j > 0 && RefDigit(t[j - 1])) {
            t.insert(t.begin() + static_cast<std::ptrdiff_t>(j), '@');
            ++i;
        }
    }
}

void ReferenceInsertProductDots(std::string& t) {
    const std::string_view noDotAfter = "$=<>+-*.:/^_\xB9\xBB@\xB3\xA3\xB1})]";
    const std::string_view noDotBefore = "$=<>+-*.:/^_\xB9\xBB@\xB3\xA3\xB1{([";
    for (std::size_t i = t.size(); i-- > 0;) {
        const char c = t[i];
        if ((c == ')' || c == '}' || RefLetter(c)) && i + 1 < t.size() && !RefIn(t[i + 1], noDotAfter)) {
            t.insert(t.begin() + static_cast<std::ptrdiff_t>(i + 1), '.');
        }
        if (i > 0 && (c == '(' || c == '{' || RefLetter(c)) && !RefIn(t[i - 1], noDotBefore)) {
            t.insert(t.begin() + static_cast<std::ptrdiff_t>(i), '.');
        }
    }
}

std::size_t ReferenceMatch(const std::string& t, std::size_t from, char open, char close) {
    int count = 0;
    for (std::size_t k = from; k < t.size(); ++k) {
        count += t[k] == open ? 1 : (t[k] == close ? -1 : 0);
        if (count == 0) {
            return k;
        }
    }
    return std::string::npos;
}

void ReferenceRemoveRedundantBraces(std::string& t) {
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] != '{') {
            continue;
        }
        std::size_t j = i + 1;
        while (j < t.size() && (RefLetter(t[j]) || RefDigit(t[j]))) {
            ++j;
        }
        if (j > i + 1 && j < t.size() && t[j] == '}') {
            t.erase(j, 1);
            t.erase(i, 1);
        }
    }
    for (std::size_t i = 1; i < t.size(); ++i) {
        if (t[i] != '(' || t[i - 1] != '{') {
            continue;
        }
        const std::size_t k = ReferenceMatch(t, i, '(', ')');
        if (k != std::string::npos && k + 1 < t.size() && t[k + 1] == '}') {
            t.erase(k + 1, 1);
            t.erase(i - 1, 1);
        }
    }
    const std::string_view freeBefore = "=<>+-*.:\xB1([{";
    const std::string_view freeAfter = "=<>+-*.:\xB1)]}";
    std::size_t i = 0;
    while (i < t.size()) {
        if (t[i] == '{' && (i == 0 || RefIn(t[i - 1], freeBefore))) {
            const std::size_t k = ReferenceMatch(t, i, '{', '}');
            if (k != std::string::npos && (k + 1 == t.size() || RefIn(t[k + 1], freeAfter))) {
                t.erase(k, 1);
                t.erase(i, 1);
                continue;
            }
        }
        ++i;
    }
}

std::string RandomText(std::mt19937& random, std::string_view alphabet, std::size_t maxLength) {
    std::uniform_int_distribution<std::size_t> length(0, maxLength);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::string text(length(random), ' ');
    for (char& c : text) {
        c = alphabet[pick(random)];
    }
    return text;
}

constexpr std::string_view kEditorAlphabet = "{{}}(())[]//x y2 7@+-.*:=<>$^_;,~!\xB9\xBB\xB3\xA3\xB1\xC0\xFF";

} // namespace

TEST(RemoveBlanks, DeletesEveryBlank) {
    ExpectConversions(RemoveBlanks,
                      {{"1 0 8", "108"}, {"", ""}, {"   ", ""}, {" x + 1 ", "x+1"}, {"x\t1", "x\t1"}});
}

TEST(MarkMixedNumbers, DigitBeforeFractionTemplateGetsMark) {
    ExpectConversions(MarkMixedNumbers, {
                                            {"2{{1}/{3}}", "2@{{1}/{3}}"},
                                            {"2{{1}/{3}}+x", "2@{{1}/{3}}+x"},
                                            {"12{{1}/{3}}", "12@{{1}/{3}}"},
                                            {"x{{1}/{3}}", "x{{1}/{3}}"},
                                            {"{{1}/{3}}", "{{1}/{3}}"},
                                            {"1/2", "1/2"},
                                            {"/", "/"},
                                            {"2{a/b/c}", "2@{a/b/c}"},
                                            {"2{{{1}/{3}}}", "2{{{1}/{3}}}"},
                                            {"}}}/", "}}}/"},
                                            {"2{{1}/{3}}3{{1}/{4}}", "2@{{1}/{3}}3@{{1}/{4}}"},
                                        });
}

TEST(InsertProductDots, JuxtapositionBecomesDot) {
    ExpectConversions(InsertProductDots, {
                                             {"2x", "2.x"},
                                             {"12", "12"},
                                             {"xy", "x.y"},
                                             {"2x(x+1)", "2.x.(x+1)"},
                                             {"(x-4)(x-2)", "(x-4).(x-2)"},
                                             {"{{x}^{2}}", "{{x}^{2}}"},
                                             {"{{x}^{2}}y", "{{x}^{2}}.y"},
                                             {"{{1}/{2}}3", "{{1}/{2}}.3"},
                                             {"2@{{1}/{3}}", "2@{{1}/{3}}"},
                                             {"$2x$", "$2.x$"},
                                             {"x=y", "x=y"},
                                             {"x\xB9y", "x\xB9y"},
                                             {"x\xC0y", "x.\xC0.y"},
                                             {"x", "x"},
                                             {"", ""},
                                         });
}

TEST(InsertProductDots, FirstCharacterIsTestedLikeTheOthers) {
    // Inside formula delimiters "x2" is "$x2$" and gets its dot; without them it must get it too.
    ExpectConversions(InsertProductDots, {{"x2", "x.2"}, {"$x2$", "$x.2$"}, {")2", ").2"}, {"x+2", "x+2"}});
}

TEST(RemoveRedundantBraces, KeepsOnlyBracesTheParserNeeds) {
    ExpectConversions(RemoveRedundantBraces, {
                                                 {"{{1}/{4}}", "1/4"},
                                                 {"{{1}/{{{x}^{2}}-2.x+2}}", "1/{x^2-2.x+2}"},
                                                 {"{(a+b)}", "(a+b)"},
                                                 {"{{(a+b)}^{2}}", "(a+b)^2"},
                                                 {"{{x}^{{x}+{1}}}", "x^{x+1}"},
                                                 {"2@{{1}/{3}}", "2@{1/3}"},
                                                 {"a^{x+1}", "a^{x+1}"},
                                                 {"{x+1}=2", "x+1=2"},
                                                 {"{a}{b}", "ab"},
                                                 {"{}", ""},
                                                 {"{{a+b}", "{a+b"},
                                                 {"{a+b}}", "a+b}"},
                                                 {"{x,5}", "x,5"},
                                                 {"{a}\xB1{b+c}", "a\xB1"
                                                                  "b+c"},
                                             });
}

TEST(ConvertEditorText, ExampleTextsBecomeCompact) {
    ExpectConversions(ConvertEditorText,
                      {
                          {"( x - 4 ) ( x - 2 ) ( x - 1 ) ( x + 1 ) + 8 = 0", "(x-4).(x-2).(x-1).(x+1)+8=0"},
                          {"2 {{ 1 }/{ 3 }} + x", "2@{1/3}+x"},
                          {" {{ 1 }/{ {{ x }^{ 2 }} - 2 x + 2 }}", "1/{x^2-2.x+2}"},
                          {"{{ x }^{ 4 }} - 4 {{ x }^{ 2 }} = 0", "x^4-4.x^2=0"},
                          {"{{ b }^{ - 1 }}", "b^{-1}"},
                          {"1 0 8", "108"},
                          {"0 , 0 1", "0,01"},
                          {"{{ 1 }/{ 4 }}", "1/4"},
                          {"2 x", "2.x"},
                      });
}

TEST(EditorConversion, AgreesWithStepByStepReadingOnRandomTexts) {
    std::mt19937 random(20261207);
    for (int round = 0; round < 4000; ++round) {
        const std::string input = RandomText(random, kEditorAlphabet, 24);
        SCOPED_TRACE("input \"" + input + "\"");
        std::string actual = input;
        std::string expected = input;
        MarkMixedNumbers(actual);
        ReferenceMarkMixedNumbers(expected);
        ASSERT_EQ(actual, expected) << "mixed numbers";
        InsertProductDots(actual);
        ReferenceInsertProductDots(expected);
        ASSERT_EQ(actual, expected) << "product dots";
        RemoveRedundantBraces(actual);
        ReferenceRemoveRedundantBraces(expected);
        ASSERT_EQ(actual, expected) << "braces";
    }
}

TEST(EditorConversion, BracesOnlyTextsAgreeWithStepByStepReading) {
    // Dense brace texts exercise the matching, deletion and look-again logic of the brace passes.
    std::mt19937 random(7);
    for (int round = 0; round < 4000; ++round) {
        const std::string input = RandomText(random, "{{{}}}()x+/2", 18);
        SCOPED_TRACE("input \"" + input + "\"");
        std::string actual = input;
        std::string expected = input;
        RemoveRedundantBraces(actual);
        ReferenceRemoveRedundantBraces(expected);
        ASSERT_EQ(actual, expected);
    }
}

TEST(EditorConversion, HostileTextsTakeLinearTime) {
    // Each of these makes a literal reading of the rules quadratic (a walk or a match search per
    // character, an erase per pair); a megabyte of them must still convert in well under a second.
    const std::size_t half = 500'000;
    const std::vector<std::string> texts = {
        std::string(half, '}') + std::string(half, '/'),
        std::string(half, '{') + std::string(half, '}'),
        "2" + std::string(half, '{') + "1/" + std::string(half, '}'),
        std::string(half, '(') + std::string(half, ')'),
        std::string(2 * half, 'x'),
    };
    for (const std::string& input : texts) {
        std::string text = input;
        const auto start = std::chrono::steady_clock::now();
        ConvertEditorText(text);
        const auto elapsed = std::chrono::steady_clock::now() - start;
        EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 2000)
            << "input of " << input.size() << " bytes starting \"" << input.substr(0, 8) << "\"";
    }
}
