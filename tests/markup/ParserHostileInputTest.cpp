// Hostile texts: random bytes, deep nesting, huge texts and numbers. Every parse must return, with a
// tree and code 0 or with no tree and a known code, and stay within the engine limits.

#include "markup/CFormulaParser.h"
#include "markup/EditorConversion.h"
#include "markup/ProblemText.h"
#include "model/EngineLimits.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <set>
#include <string>

namespace {

const std::set<ProblemError> kKnownCodes = {ProblemError::InvalidCharacter, ProblemError::MissingOperand,
                                            ProblemError::WrongClosingBracket,
                                            ProblemError::CharactersLeftOver, ProblemError::ProblemTooLarge};

void ExpectWellFormedResult(const ParseResult& result) {
    if (result.tree) {
        EXPECT_EQ(result.errorCode, ProblemError::None);
    } else {
        EXPECT_TRUE(kKnownCodes.count(result.errorCode)) << "code " << ToNumber(result.errorCode);
    }
}

std::string Repeat(const std::string& piece, std::size_t times) {
    std::string text;
    text.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

std::string Nested(const std::string& open, const std::string& inner, const std::string& close,
                   std::size_t depth) {
    return Repeat(open, depth) + inner + Repeat(close, depth) + ";";
}

} // namespace

TEST(ParserHostileInput, RandomBytesGiveACodeOrATree) {
    std::mt19937 random(99);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 48);
    for (int round = 0; round < 20000; ++round) {
        std::string text(static_cast<std::size_t>(length(random)), '\0');
        for (char& c : text) {
            c = static_cast<char>(byte(random));
        }
        SCOPED_TRACE(round);
        ExpectWellFormedResult(ParseExpressionText(text));
        ExpectWellFormedResult(ParseEquationText(text));
        // The levels on their own read texts that were never prepared, ending anywhere.
        std::size_t position = 0;
        ProblemError errorCode = ProblemError::None;
        const NodePtr tree = ParseSum(text, position, errorCode);
        EXPECT_LE(position, text.size());
        EXPECT_EQ(tree == nullptr, errorCode != ProblemError::None);
    }
}

TEST(ParserHostileInput, RandomMarkupTextsGiveACodeOrATree) {
    // Texts over the markup alphabet reach far deeper into the grammar than random bytes.
    const std::string alphabet = "0123456789,,//@@{{}}(())++--**::^^==xy;;#";
    std::mt19937 random(5);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 40);
    int parsed = 0;
    for (int round = 0; round < 30000; ++round) {
        std::string text(static_cast<std::size_t>(length(random)), ' ');
        for (char& c : text) {
            c = alphabet[pick(random)];
        }
        PrepareProblemText(text);
        SCOPED_TRACE("text \"" + text + "\"");
        const ParseResult result = ParseExpressionText(text);
        ExpectWellFormedResult(result);
        parsed += result.tree ? 1 : 0;
        ExpectWellFormedResult(ParseEquationText(text));
    }
    EXPECT_GT(parsed, 100); // the alphabet does produce valid texts too
}

TEST(ParserHostileInput, RandomEditorTextsConvertAndParse) {
    // The path of a typed problem end to end, over texts the editor could hold and worse.
    const std::string alphabet = "{{}}(())//^^x y2 7@+-.*:=,~$\xB1\xB9";
    std::mt19937 random(11);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 40);
    for (int round = 0; round < 20000; ++round) {
        std::string text(static_cast<std::size_t>(length(random)), ' ');
        for (char& c : text) {
            c = alphabet[pick(random)];
        }
        SCOPED_TRACE("editor text \"" + text + "\"");
        ConvertEditorText(text);
        PrepareProblemText(text);
        ExpectWellFormedResult(ParseExpressionText(text));
        ExpectWellFormedResult(ParseEquationText(text));
    }
}

TEST(ParserHostileInput, NestingUpToTheLimitParsesBeyondItIsTooLarge) {
    const std::size_t limit = EngineLimits::kMaxNestingDepth;
    struct NestingCase {
        std::string open;
        std::string close;
    };
    const NestingCase shapes[] = {{"(", ")"},   {"{", "}"},   {"-(", ")"},
                                  {"x^{", "}"}, {"(1+", ")"}, {"2*(x:", ")"}};
    for (const NestingCase& shape : shapes) {
        SCOPED_TRACE(shape.open);
        const ParseResult deepest = ParseExpressionText(Nested(shape.open, "x", shape.close, limit));
        EXPECT_EQ(deepest.errorCode, ProblemError::None);
        EXPECT_NE(deepest.tree, nullptr);
        const ParseResult tooDeep = ParseExpressionText(Nested(shape.open, "x", shape.close, limit + 1));
        EXPECT_EQ(tooDeep.errorCode, ProblemError::ProblemTooLarge);
        EXPECT_EQ(tooDeep.tree, nullptr);
    }
}

TEST(ParserHostileInput, HugeTextsAndNumbersAreTooLarge) {
    const std::size_t textLimit = EngineLimits::kMaxProblemTextLength;
    const std::size_t digitLimit = EngineLimits::kMaxNumberDigits;
    const std::string digits(digitLimit, '7');
    struct LimitCase {
        std::string name;
        std::string text;
        ProblemError errorCode;
    };
    const LimitCase cases[] = {
        {"longest text", Repeat("x+", (textLimit - 2) / 2) + "x;", ProblemError::None},
        {"text one byte too long", Repeat("x+", (textLimit - 2) / 2) + "12;", ProblemError::ProblemTooLarge},
        {"a megabyte of brackets", std::string(1'000'000, '('), ProblemError::ProblemTooLarge},
        {"nesting within the text limit", std::string(textLimit - 1, '{') + ";",
         ProblemError::ProblemTooLarge},
        {"longest integer", digits + ";", ProblemError::None},
        {"integer one digit too long", digits + "7;", ProblemError::ProblemTooLarge},
        {"decimal digits too long", "1," + digits + "7;", ProblemError::ProblemTooLarge},
        {"fraction denominator too long", "1/" + digits + "7;", ProblemError::ProblemTooLarge},
        {"mixed numerator too long", "1@{" + digits + "7/2};", ProblemError::ProblemTooLarge},
        {"mixed denominator too long", "1@{1/" + digits + "7};", ProblemError::ProblemTooLarge},
        {"longest mixed number", digits + "@{" + digits + "/" + digits + "};", ProblemError::None},
        {"long number after a bad character", "#+" + digits + "7;", ProblemError::InvalidCharacter},
    };
    for (const LimitCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto start = std::chrono::steady_clock::now();
        const ParseResult result = ParseExpressionText(c.text);
        const auto elapsed = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(result.errorCode, c.errorCode);
        EXPECT_EQ(result.tree != nullptr, c.errorCode == ProblemError::None);
        EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 1000);
    }
}

TEST(ParserHostileInput, LongFlatTextsParseInLinearTime) {
    // Long sums, products and chains of brackets side by side nest nothing and must parse quickly.
    const std::string texts[] = {
        Repeat("x+", 40'000) + "1;",
        Repeat("2*x:", 20'000) + "y;",
        Repeat("(x)+", 20'000) + "y;",
        Repeat("x^2/y-", 10'000) + "z;",
    };
    for (const std::string& text : texts) {
        const auto start = std::chrono::steady_clock::now();
        const ParseResult result = ParseExpressionText(text);
        const auto elapsed = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(result.errorCode, ProblemError::None) << text.substr(0, 10);
        EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 1000);
    }
}
