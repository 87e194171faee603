// Conversion of editor text to compact text: worked examples, agreement with a literal step-by-step
// reading of each rule on random texts, and linear time on hostile texts.

#include "markup/EditorConversion.h"

#include "TreeDescription.h"
#include "markup/CFormulaParser.h"
#include "markup/ProblemText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <random>
#include <regex>
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

// The loosest operator at the top level of t[from, to): 0 relation, 1 sum, 2 term, 3 fraction,
// 4 power, 5 operand. Brackets the content leaves open, or closes without opening, count as a
// relation, as does any character the parser does not know.
int ReferenceBinding(const std::string& t, std::size_t from, std::size_t to) {
    std::vector<std::pair<char, int>> open = {{'{', 5}};
    const auto loosen = [&open](int binding) { open.back().second = std::min(open.back().second, binding); };
    for (std::size_t k = from; k < to; ++k) {
        const char c = t[k];
        if (c == '{' || c == '(' || c == '[') {
            open.push_back({c, 5});
        } else if (c == '}') {
            while (open.size() > 1 && open.back().first != '{') {
                open.pop_back();
                loosen(0);
            }
            if (open.size() > 1) {
                open.pop_back();
            }
        } else if (c == ')' || c == ']') {
            if (open.size() > 1 && open.back().first == (c == ')' ? '(' : '[')) {
                open.pop_back();
            } else {
                loosen(0);
            }
        } else if (RefIn(c, "+-\xB1")) {
            loosen(1);
        } else if (RefIn(c, "*.:")) {
            loosen(2);
        } else if (c == '/') {
            loosen(k > 0 && RefDigit(t[k - 1]) && k + 1 < t.size() && RefDigit(t[k + 1]) ? 5 : 3);
        } else if (c == '^' || c == '_') {
            loosen(4);
        } else if (!RefLetter(c) && !RefDigit(c) && c != ',' && c != '@') {
            loosen(0);
        }
    }
    while (open.size() > 1) {
        open.pop_back();
        loosen(0);
    }
    return open.back().second;
}

int ReferenceNeeded(char neighbour) {
    return RefIn(neighbour, "+-\xB1") ? 2 : (RefIn(neighbour, "*.:") ? 3 : 1);
}

bool ReferenceJoinsNumber(char c) {
    return RefDigit(c) || c == ',' || c == '@';
}

bool ReferenceLiteralFits(char before, char after) {
    const auto tighter = [](char c) { return c == '^' || c == '/' || c == '_' || ReferenceJoinsNumber(c); };
    return !tighter(before) && !tighter(after);
}

// Whether the braces t[i] and t[j] around a run of digits may go: the run must not touch another
// number, and a fraction literal it would form with its neighbour must fit its place.
bool ReferenceDigitsMayGo(const std::string& t, std::size_t i, std::size_t j) {
    const char before = i > 0 ? t[i - 1] : '\0';
    const char after = j + 1 < t.size() ? t[j + 1] : '\0';
    if (ReferenceJoinsNumber(before) || ReferenceJoinsNumber(after)) {
        return false;
    }
    if (before == '/' && i >= 2 && RefDigit(t[i - 2])) {
        std::size_t start = i - 2;
        while (start > 0 && RefDigit(t[start - 1])) {
            --start;
        }
        if (!ReferenceLiteralFits(start > 0 ? t[start - 1] : '\0', after)) {
            return false;
        }
    }
    if (after == '/') {
        std::size_t k = j + 2;
        const bool braced = k < t.size() && t[k] == '{';
        k += braced ? 1 : 0;
        const std::size_t start = k;
        while (k < t.size() && RefDigit(t[k])) {
            ++k;
        }
        if (k > start && (!braced || (k < t.size() && t[k] == '}'))) {
            const std::size_t next = braced ? k + 1 : k;
            if (!ReferenceLiteralFits(before, next < t.size() ? t[next] : '\0')) {
                return false;
            }
        }
    }
    return true;
}

void ReferenceRemoveRedundantBraces(std::string& t) {
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] != '{') {
            continue;
        }
        std::size_t j = i + 1;
        bool digitsOnly = true;
        while (j < t.size() && (RefLetter(t[j]) || RefDigit(t[j]))) {
            digitsOnly = digitsOnly && RefDigit(t[j]);
            ++j;
        }
        if (j > i + 1 && j < t.size() && t[j] == '}' && (!digitsOnly || ReferenceDigitsMayGo(t, i, j))) {
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
            if (k != std::string::npos && (k + 1 == t.size() || RefIn(t[k + 1], freeAfter)) &&
                ReferenceBinding(t, i + 1, k) > 0 &&
                ReferenceBinding(t, i + 1, k) >= ReferenceNeeded(i > 0 ? t[i - 1] : '\0') &&
                ReferenceBinding(t, i + 1, k) >= ReferenceNeeded(k + 1 < t.size() ? t[k + 1] : '\0')) {
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
                                                 {"{a}\xB1{b+c}", "a\xB1{b+c}"},
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

TEST(ConvertEditorText, ReadsTheTypedDivisionSignAsTheMarkupsDivision) {
    ExpectConversions(ConvertEditorText, {
                                             {"6 \xB8 2", "6:2"},
                                             {"x \xB8 ( x + 1 )", "x:(x+1)"},
                                         });
    EXPECT_EQ(EditorDisplayText(" 2 x \xB8 ( x + 1 )"), "$2.x:(x+1)$");
}

// The editor converts between formula delimiters: they must give every text the result of the four
// steps on the text alone, the first and the last character included.
TEST(ConvertEditorText, DelimitersChangeNothingOnRandomTexts) {
    std::mt19937 random(25);
    for (int round = 0; round < 4000; ++round) {
        const std::string input = RandomText(random, kEditorAlphabet, 24);
        SCOPED_TRACE("input \"" + input + "\"");
        std::string actual = input;
        ConvertEditorText(actual);
        std::string expected = input;
        RemoveBlanks(expected);
        MarkMixedNumbers(expected);
        InsertProductDots(expected);
        RemoveRedundantBraces(expected);
        ASSERT_EQ(actual, expected);
        const std::string display = EditorDisplayText(input);
        ASSERT_TRUE(display.size() >= 2 && display.front() == '$' && display.back() == '$');
    }
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
        // Processor time, not wall time: a loaded machine must not make a linear pass look slow.
        const std::clock_t start = std::clock();
        ConvertEditorText(text);
        const double elapsedMs = 1000.0 * double(std::clock() - start) / CLOCKS_PER_SEC;
        EXPECT_LT(elapsedMs, 2000.0) << "input of " << input.size() << " bytes starting \""
                                     << input.substr(0, 8) << "\"";
    }
}

namespace {

// Random expressions written with braces around every operand, as the editor's templates nest
// them: {{x}^{2}}, {{a}/{b}}, sums and products in braces or brackets.
class BracedExpressionMaker {
public:
    explicit BracedExpressionMaker(unsigned seed) : m_random(seed) {}

    std::string Node(int depth) {
        switch (Pick(0, depth > 0 ? 7 : 1)) {
        case 0:
            return Number();
        case 1:
            return Pick(0, 1) ? "{x}" : "{y}";
        case 2:
        case 3:
            return Braced(List(depth, Pick(0, 1) ? "+-" : "-+", true));
        case 4:
            return Braced(List(depth, ".*:", false));
        case 5:
            return "{" + Node(depth - 1) + "/" + Node(depth - 1) + "}";
        case 6:
            return "{" + Node(depth - 1) + "^" + Node(depth - 1) + "}";
        default:
            return Pick(0, 1) ? "(" + List(depth, "+-", true) + ")" : "{(" + List(depth, "*:", false) + ")}";
        }
    }

private:
    std::string Number() {
        switch (Pick(0, 5)) {
        case 0:
            return "{" + std::to_string(Pick(1, 9)) + "/" + std::to_string(Pick(2, 9)) + "}";
        case 1:
            return "{0," + std::to_string(Pick(1, 9)) + "}";
        default:
            return "{" + std::to_string(Pick(0, 40)) + "}";
        }
    }

    std::string Braced(const std::string& inside) {
        return Pick(0, 3) ? "{" + inside + "}" : "(" + inside + ")";
    }

    // Two or three elements joined by signs drawn from `signs`; a sum may open with a sign.
    std::string List(int depth, std::string_view signs, bool leadingSign) {
        std::string text = leadingSign && Pick(0, 3) == 0 ? "-" : "";
        text += Node(depth - 1);
        const int more = Pick(1, 2);
        for (int i = 0; i < more; ++i) {
            text += signs[static_cast<std::size_t>(Pick(0, static_cast<int>(signs.size()) - 1))];
            text += Node(depth - 1);
        }
        return text;
    }

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    std::mt19937 m_random;
};

// The tree of a compact text as a description; a fraction of two whole numbers reads like the
// fraction literal the conversion makes of it ({{1}/{4}} becomes 1/4).
std::string ReadTree(const std::string& compact) {
    std::string text = compact;
    PrepareProblemText(text);
    const ParseResult parsed = ParseExpressionText(text);
    if (parsed.errorCode != ProblemError::None) {
        return "error " + std::to_string(ToNumber(parsed.errorCode));
    }
    static const std::regex fractionOfWholeNumbers(R"(frac\(\+int:(\d+),/int:(\d+)\))");
    return std::regex_replace(DescribeTree(parsed.tree.get()), fractionOfWholeNumbers, "frac:$1/$2");
}

} // namespace

TEST(RemoveRedundantBraces, TheTextWithoutThemReadsAsTheTreeWithAllBraces) {
    BracedExpressionMaker maker(20261207);
    std::size_t bracesBefore = 0;
    std::size_t bracesAfter = 0;
    for (int round = 0; round < 3000; ++round) {
        const std::string braced = maker.Node(3);
        std::string converted = braced;
        ConvertEditorText(converted);
        SCOPED_TRACE("braced \"" + braced + "\" converted \"" + converted + "\"");
        const std::string expected = ReadTree(braced);
        ASSERT_EQ(expected.rfind("error", 0), std::string::npos) << expected;
        ASSERT_EQ(ReadTree(converted), expected);
        bracesBefore += static_cast<std::size_t>(std::count(braced.begin(), braced.end(), '{'));
        bracesAfter += static_cast<std::size_t>(std::count(converted.begin(), converted.end(), '{'));
    }
    // Most braces of such texts group nothing the parser needs grouped.
    EXPECT_LT(bracesAfter * 3, bracesBefore);
}

TEST(ConvertEditorText, BracesThatCarryMeaningStay) {
    ExpectConversions(ConvertEditorText, {
                                             {"x^{2}/3", "x^{2}/3"},
                                             {"3x^{2}/6", "3.x^{2}/6"},
                                             {"x^{4}/2+x", "x^{4}/2+x"},
                                             {"(2^{32})^{2}/2^{63}", "(2^32)^{2}/2^63"},
                                             {"{{ 2 }/{ 3 }}^{ 2 }", "{2/3}^2"},
                                             {"x - { a + b }", "x-{a+b}"},
                                             {"{ a + b } * c", "{a+b}*c"},
                                             {"{ a * b } + c", "a*b+c"},
                                         });
}
