#include "cli/SolutionWriter.h"
#include "cli/JsonText.h"
#include "export/FormulaText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Decodes the text of a JSON string literal (between its quotes), independently of the writer:
// the escapes \" \\ \/ \b \f \n \r \t and \u00XX. Returns false on anything else.
bool DecodeJsonBytes(const std::string& literal, std::string& bytes) {
    if (literal.size() < 2 || literal.front() != '"' || literal.back() != '"') {
        return false;
    }
    bytes.clear();
    for (std::size_t i = 1; i + 1 < literal.size(); ++i) {
        const char c = literal[i];
        if (c != '\\') {
            if (static_cast<unsigned char>(c) < 0x20 || c == '"') {
                return false;
            }
            bytes += c;
            continue;
        }
        if (++i + 1 >= literal.size()) {
            return false;
        }
        const char e = literal[i];
        const std::string simple = "\"\\/bfnrt";
        const std::string meaning = "\"\\/\b\f\n\r\t";
        if (const auto k = simple.find(e); k != std::string::npos) {
            bytes += meaning[k];
        } else if (e == 'u' && i + 4 < literal.size() && literal.compare(i + 1, 2, "00") == 0) {
            bytes += static_cast<char>(std::stoi(literal.substr(i + 3, 2), nullptr, 16));
            i += 4;
        } else {
            return false;
        }
    }
    return true;
}

TEST(JsonByteString, EveryByteSurvivesTheRoundTripInPrintableAscii) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    std::string json;
    AppendJsonByteString(json, all);
    for (const char c : json) {
        const auto byte = static_cast<unsigned char>(c);
        ASSERT_TRUE(byte >= 0x20 && byte < 0x7F) << "byte " << int(byte) << " written raw";
    }
    std::string decoded;
    ASSERT_TRUE(DecodeJsonBytes(json, decoded)) << json;
    EXPECT_EQ(decoded, all);
}

TEST(JsonByteString, WritesHighBytesAsLowercaseEscapes) {
    const struct {
        std::string bytes;
        std::string json;
    } cases[] = {
        {"x\xB9"
         "0",
         "\"x\\u00b90\""},
        {"\x80\xFF", "\"\\u0080\\u00ff\""},
        {"a\"b\\c", "\"a\\\"b\\\\c\""},
        {std::string("\0\n", 2), "\"\\u0000\\n\""},
        {"", "\"\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        std::string json;
        AppendJsonByteString(json, c.bytes);
        EXPECT_EQ(json, c.json);
    }
}

TEST(JsonUtf8String, PassesUtf8ThroughAndEscapesControls) {
    std::string json;
    AppendJsonUtf8String(json, "\xD0\x9E\xD1\x82\xD0\xB2\xD0\xB5\xD1\x82: \"x\"\t");
    EXPECT_EQ(json, "\"\xD0\x9E\xD1\x82\xD0\xB2\xD0\xB5\xD1\x82: \\\"x\\\"\\t\"");
}

TEST(FormulaToUtf8, ShowsSymbolFontSignsAsUnicode) {
    const struct {
        std::string formula;
        std::string shown;
    } cases[] = {
        {"x\xB9"
         "0 (1)",
         "x\u2260"
         "0 (1)"},
        {"x_{1\xB5"
         "2}={-b\xB1!sq2{D}}/{2.a}=",
         "x_{1,2}={-b\u00B1!sq2{D}}/{2.a}="},
        {"\xA3\xB3\xBB\xB8", "\u2264\u2265\u2248\u00F7"},
        {"\xE9", "\u00E9"},
        {"2.x+1", "2.x+1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        EXPECT_EQ(FormulaToUtf8(c.formula), c.shown);
    }
}

// problem x:0 recorded as: the problem statement, a step with a comment, an answer record.
void FillSample(COutputList& solution) {
    LineBlockList blocks{{LineBlockKind::Problem, 0}};
    solution.AddFormula(&blocks,
                        "2.x\xB9"
                        "0",
                        false);
    blocks = {{LineBlockKind::Steps, 1}, {LineBlockKind::Domain, 0}};
    solution.AddComment(&blocks, CommentID::LikeTermsCombined, false, true);
    auto answer = std::make_unique<COutputRecord>(&blocks);
    answer->AddComment(CommentID::AnswerHeadingExpression, true, true);
    answer->AddFormula("x", true);
    solution.AddRecord(std::move(answer));
    solution.AddComment(nullptr, CommentID::ErrorProblemTooLarge, true, false);
}

TEST(SolutionAsJson, WritesTheContractShape) {
    COutputList solution;
    FillSample(solution);
    CommentTexts texts;
    texts.SetText(CommentID::AnswerHeadingExpression, "Answer \"A\"");
    const std::string json = SolutionAsJson(ProblemKind::Simplify,
                                            "2.x\xB9"
                                            "0;",
                                            17, solution, texts);
    EXPECT_EQ(json, "{\"kind\":3,\"problem\":\"2.x\\u00b90;\",\"micros\":17,\"records\":["
                    "{\"lineBlocks\":[[0,0]],\"blocks\":[{\"formula\":\"2.x\\u00b90\",\"spoken\":0}]},"
                    "{\"lineBlocks\":[[1,1],[9,0]],\"blocks\":[{\"comment\":64,\"alwaysShown\":0,"
                    "\"spoken\":1,\"text\":\"\"}]},"
                    "{\"lineBlocks\":[[1,1],[9,0]],\"blocks\":[{\"comment\":3,\"alwaysShown\":1,"
                    "\"spoken\":1,\"text\":\"Answer \\\"A\\\"\"},{\"formula\":\"x\",\"spoken\":1}]},"
                    "{\"lineBlocks\":[],\"blocks\":[{\"comment\":31,\"alwaysShown\":1,\"spoken\":0,"
                    "\"text\":\"\"}]}]}");
}

TEST(SolutionAsJson, AnEmptySolutionHasNoRecords) {
    const COutputList solution;
    EXPECT_EQ(SolutionAsJson(ProblemKind::Equation, "", 0, solution, CommentTexts()),
              "{\"kind\":0,\"problem\":\"\",\"micros\":0,\"records\":[]}");
}

TEST(SolutionAsText, IndentsByNestingAndNamesCommentsWithoutText) {
    COutputList solution;
    FillSample(solution);
    CommentTexts texts;
    texts.SetText(CommentID::AnswerHeadingExpression, "Answer:");
    EXPECT_EQ(SolutionAsText(solution, texts), "2x \u2260 0\n"
                                               "  [64]\n"
                                               "  Answer: x\n"
                                               "[31]\n");
    TextOptions markup;
    markup.markup = true;
    EXPECT_EQ(SolutionAsText(solution, texts, markup), "2.x\u2260"
                                                       "0\n"
                                                       "  [64]\n"
                                                       "  Answer: x\n"
                                                       "[31]\n");
}

// "Answer: x = 2; x = 3" and "Case 2.1:": a comment text that opens with a punctuation mark follows
// the block before it, and the parts of a sub-problem label follow its separator.
TEST(SolutionAsText, PunctuationAndLabelPartsFollowTheBlockBeforeThem) {
    COutputList solution;
    auto label = solution.AddComment(nullptr, CommentID::SubProblemHeading, true, true);
    (*label)->AddFormula("2", true);
    (*label)->AddComment(CommentID::SubProblemLabelSeparator, true, true);
    (*label)->AddFormula("1", true);
    (*label)->AddComment(CommentID::AnswerJoint, true, false);
    auto answer = solution.AddComment(nullptr, CommentID::AnswerHeadingEquation0, true, true);
    (*answer)->AddComment(CommentID::AnswerJoint, true, false);
    (*answer)->AddFormula("x=2", true);
    (*answer)->AddComment(CommentID::BetweenRoots, true, true);
    (*answer)->AddFormula("x=3", true);
    auto check = solution.AddFormula(nullptr, "x=1", false);
    (*check)->AddComment(CommentID::RootMakesDenominatorZero, false, true);
    (*check)->AddFormula("!brssil{0;1}", false);
    (*check)->AddComment(CommentID::RootExcludedByCondition, false, true);
    CommentTexts texts;
    texts.SetText(CommentID::SubProblemHeading, "Case");
    texts.SetText(CommentID::SubProblemLabelSeparator, ".");
    texts.SetText(CommentID::AnswerJoint, ":");
    texts.SetText(CommentID::AnswerHeadingEquation0, "Answer");
    texts.SetText(CommentID::BetweenRoots, ";");
    texts.SetText(CommentID::RootMakesDenominatorZero, "does not satisfy condition");
    texts.SetText(CommentID::RootExcludedByCondition, ", so it is not a root");
    EXPECT_EQ(SolutionAsText(solution, texts), "Case 2.1:\n"
                                               "Answer: x = 2; x = 3\n"
                                               "x = 1 does not satisfy condition (1), so it is not a root\n");
}

} // namespace
