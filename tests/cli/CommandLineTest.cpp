#include "cli/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CommandLineResult Parse(std::vector<std::string> words) {
    return ParseCommandLine(words);
}

TEST(ParseCommandLine, DefaultsAreEquationEnglishText) {
    const CommandLineResult result = Parse({"x+1=0"});
    ASSERT_TRUE(result.commandLine) << result.error;
    EXPECT_EQ(result.commandLine->kind, ProblemKind::Equation);
    EXPECT_EQ(result.commandLine->language, kEnglishLanguage);
    EXPECT_FALSE(result.commandLine->json);
    EXPECT_EQ(result.commandLine->form, ProblemForm::Linear);
    EXPECT_FALSE(result.commandLine->markupOutput);
    EXPECT_FALSE(result.commandLine->batchSource);
    EXPECT_EQ(result.commandLine->problem, "x+1=0");
}

TEST(ParseCommandLine, ReadsEveryKindByNameAndDigit) {
    const struct {
        const char* word;
        int number;
    } cases[] = {{"equation", 0}, {"factor", 1}, {"factor-full", 2}, {"simplify", 3},
                 {"0", 0},        {"1", 1},      {"2", 2},           {"3", 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        const CommandLineResult spaced = Parse({"--kind", c.word, "x"});
        ASSERT_TRUE(spaced.commandLine) << spaced.error;
        EXPECT_EQ(ToNumber(spaced.commandLine->kind), c.number);
        const CommandLineResult joined = Parse({std::string("--kind=") + c.word, "x"});
        ASSERT_TRUE(joined.commandLine) << joined.error;
        EXPECT_EQ(ToNumber(joined.commandLine->kind), c.number);
    }
}

TEST(ParseCommandLine, WordsThatStartWithOneMinusBelongToTheProblem) {
    const CommandLineResult result = Parse({"--kind", "simplify", "-x^2", "+", "1"});
    ASSERT_TRUE(result.commandLine) << result.error;
    EXPECT_EQ(result.commandLine->problem, "-x^2 + 1");
}

TEST(ParseCommandLine, DoubleMinusEndsTheOptions) {
    const CommandLineResult result = Parse({"--json", "--", "--kind"});
    ASSERT_TRUE(result.commandLine) << result.error;
    EXPECT_TRUE(result.commandLine->json);
    EXPECT_EQ(result.commandLine->problem, "--kind");
}

TEST(ParseCommandLine, AnEmptyWordIsTheEmptyProblem) {
    const CommandLineResult result = Parse({"--compact", ""});
    ASSERT_TRUE(result.commandLine) << result.error;
    EXPECT_EQ(result.commandLine->problem, "");
    EXPECT_EQ(result.commandLine->form, ProblemForm::Compact);
}

TEST(ParseCommandLine, ReadsLanguageJsonAndBatch) {
    const CommandLineResult result = Parse({"--lang", "ru", "--json", "--batch", "-"});
    ASSERT_TRUE(result.commandLine) << result.error;
    EXPECT_EQ(result.commandLine->language, kRussianLanguage);
    EXPECT_TRUE(result.commandLine->json);
    EXPECT_EQ(result.commandLine->batchSource, "-");
    EXPECT_FALSE(result.commandLine->problem);
}

TEST(ParseCommandLine, RefusesWhatItCannotUse) {
    const std::vector<std::vector<std::string>> cases = {
        {},                             // no problem
        {"--kind", "cube", "x"},        // unknown kind
        {"--kind", "4", "x"},           // kind out of range
        {"--kind"},                     // value missing
        {"--lang", "de", "x"},          // unknown language
        {"--colour", "x"},              // unknown option
        {"--json=1", "x"},              // a value for a flag
        {"--batch", "f.txt", "x+1=0"},  // batch and a problem
        {"--batch="},                   // batch without a source
        {"--json"},                     // options but no problem
        {"--editor", "--compact", "x"}, // two forms of the problem
    };
    for (const auto& words : cases) {
        std::string joined;
        for (const auto& word : words) {
            joined += "[" + word + "]";
        }
        SCOPED_TRACE(joined);
        const CommandLineResult result = ParseCommandLine(words);
        EXPECT_FALSE(result.commandLine);
        EXPECT_FALSE(result.error.empty());
    }
}

TEST(ParseCommandLine, HelpNeedsNoProblem) {
    const CommandLineResult result = Parse({"--help"});
    ASSERT_TRUE(result.commandLine) << result.error;
    EXPECT_TRUE(result.commandLine->helpRequested);
}

TEST(ParseKindName, RefusesNearMisses) {
    for (const char* text : {"", "Equation", "00", "-1", "factor-", " 1", "simplified"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(ParseKindName(text));
    }
}

} // namespace
