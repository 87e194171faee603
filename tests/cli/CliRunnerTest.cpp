#include "cli/CliRunner.h"

#include "cli/MessageText.h"
#include "fuzz/JsonCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

RunResult RunProgram(const std::vector<std::string>& words, const std::string& input = "",
                     const std::filesystem::path& baseFolder = "/nonexistent-orbelin-folder") {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    RunResult result;
    result.status = RunCommandLine(words, baseFolder, in, out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.rfind(prefix, 0) == 0;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

// A folder holding Res/<file> with comment texts 0 to 83 ("text N", or given ones) and clip names.
class LanguageFolder {
public:
    LanguageFolder(const std::string& fileName, const std::string& answerText) {
        folder = std::filesystem::temp_directory_path() /
                 ("orbelin-cli-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                  "-" + fileName);
        std::filesystem::create_directories(folder / "Res");
        std::ofstream file(folder / "Res" / fileName, std::ios::binary);
        file << "[CommentsText]\r\n";
        for (int id = 0; id < 84; ++id) {
            file << id << "=" << (id == 3 ? answerText : "text " + std::to_string(id)) << "\r\n";
        }
        file << "[CommentsSound]\r\n";
        for (int id = 0; id < 84; ++id) {
            file << id << "=Comm" << id << "\r\n";
        }
    }
    ~LanguageFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    std::filesystem::path folder;
};

// --- conversion of typed problems -----------------------------------------------------------------

TEST(ReadProblem, ConvertsEditorTextAsTheEditorsSolveDoes) {
    const struct {
        const char* typed;
        const char* compact;
    } cases[] = {
        {" 2 x + 1", "2.x+1"},
        {"2x+1", "2.x+1"},
        {"( x - 4 ) ( x - 2 ) ( x - 1 ) ( x + 1 ) + 8 = 0", "(x-4).(x-2).(x-1).(x+1)+8=0"},
        {" 2 {{ 1 }/{ 3 }} + x", "2@{1/3}+x"},
        {" {{ 1 }/{ {{ x }^{ 2 }} - 2 x + 2 }}", "1/{x^2-2.x+2}"},
        {"{{ 1 }/{ 4 }}", "1/4"},
        {"x(x+1)", "x.(x+1)"},
        {"1 0 8", "108"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(ReadProblem(c.typed, ProblemForm::Editor).text, c.compact);
    }
    EXPECT_EQ(ReadProblem(" 2 x", ProblemForm::Compact).text, " 2 x");
}

// --- one problem ----------------------------------------------------------------------------------

TEST(RunCommandLine, WritesOneLinePerRecordAsText) {
    const RunResult result = RunProgram({"--kind", "simplify", "2x", "+", "1"});
    EXPECT_EQ(result.status, kExitSolved);
    EXPECT_EQ(result.err, "");
    const std::vector<std::string> lines = SplitLines(result.out);
    ASSERT_GE(lines.size(), 2u);
    // Nothing to simplify: the problem stands as written.
    EXPECT_EQ(lines.front(), "2x + 1");
    // No language file: the answer's comments are named by number.
    EXPECT_TRUE(StartsWith(lines.back(), "[3] [15] ")) << lines.back();
}

TEST(RunCommandLine, ShowsCommentTextsOfTheChosenLanguage) {
    const LanguageFolder english("English.ini", "Answer:");
    const RunResult en = RunProgram({"--kind", "3", "x"}, "", english.folder);
    EXPECT_TRUE(StartsWith(SplitLines(en.out).back(), "Answer:")) << SplitLines(en.out).back();

    // The Russian file is Windows-1251; the terminal gets UTF-8.
    const LanguageFolder russian("Russian.ini", "\xCE\xF2\xE2\xE5\xF2:");
    const RunResult ru = RunProgram({"--lang", "ru", "--kind", "3", "x"}, "", russian.folder);
    EXPECT_TRUE(StartsWith(SplitLines(ru.out).back(), "\xD0\x9E\xD1\x82\xD0\xB2\xD0\xB5\xD1\x82:"))
        << SplitLines(ru.out).back();
}

TEST(RunCommandLine, WritesOneJsonObjectWithTheConvertedProblem) {
    const RunResult result = RunProgram({"--json", "--kind", "factor", "2x"});
    EXPECT_EQ(result.status, kExitSolved);
    const std::vector<std::string> lines = SplitLines(result.out);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(StartsWith(lines[0], "{\"kind\":1,\"problem\":\"2*x\",\"micros\":")) << lines[0];
    EXPECT_NE(lines[0].find("\"records\":[{\"lineBlocks\":[[0,0]],\"blocks\":[{\"formula\":\"2.x\""),
              std::string::npos)
        << lines[0];
    EXPECT_EQ(lines[0].back(), '}');
}

TEST(RunCommandLine, CompactHandsTheProblemOverUnchanged) {
    const RunResult result = RunProgram({"--json", "--compact", "--kind=3", "2 x"});
    // "2 x" is no compact text: the blank is an invalid character.
    EXPECT_EQ(result.status, kExitSolved);
    EXPECT_NE(result.out.find("\"problem\":\"2 x\""), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("{\"comment\":30,\"alwaysShown\":1,\"spoken\":0"), std::string::npos)
        << result.out;
}

TEST(RunCommandLine, RefusesAnUnusableCommandLineWithStatusTwo) {
    for (const std::vector<std::string>& words : std::vector<std::vector<std::string>>{
             {}, {"--kind", "cube", "x"}, {"--lang", "fr", "x"}, {"--bogus", "x"}}) {
        SCOPED_TRACE(words.empty() ? "(nothing)" : words.front());
        const RunResult result = RunProgram(words);
        EXPECT_EQ(result.status, kExitCommandLineUnusable);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find("usage:"), std::string::npos);
    }
    const RunResult missing = RunProgram({"--batch", "/nonexistent/orbelin/batch.txt"});
    EXPECT_EQ(missing.status, kExitCommandLineUnusable);
    EXPECT_NE(missing.err.find("cannot read"), std::string::npos);
    // A folder opens like a file and reads as empty: it was once a batch of no problems.
    const RunResult folder = RunProgram({"--batch", std::filesystem::temp_directory_path().string()});
    EXPECT_EQ(folder.status, kExitCommandLineUnusable);
    EXPECT_NE(folder.err.find("cannot read"), std::string::npos);
}

TEST(RunCommandLine, ReadsEachFormOfTheProblem) {
    const struct {
        std::vector<std::string> words;
        const char* problem;
    } cases[] = {
        {{"--json", "--kind=3", "0.5x + 2x/4/3"}, "0,5*x+{{2*x}/4}/3"},
        {{"--json", "--kind=3", "--editor", "2 x + {{ 1 }/{ 4 }}"}, "2.x+1/4"},
        {{"--json", "--kind=3", "--compact", "2.x"}, "2.x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.problem);
        const RunResult result = RunProgram(c.words);
        EXPECT_EQ(result.status, kExitSolved) << result.err;
        EXPECT_NE(result.out.find(std::string("\"problem\":\"") + c.problem + "\""), std::string::npos)
            << result.out;
    }
    const RunResult markup = RunProgram({"--kind=3", "--markup", "2x"});
    EXPECT_EQ(SplitLines(markup.out).front(), "2.x");
}

TEST(RunCommandLine, RefusesAProblemItCannotReadBeforeSolving) {
    for (const char* problem : {"sqrt(x) = 2", "(x+1", "x = 1 = 2"}) {
        SCOPED_TRACE(problem);
        const RunResult result = RunProgram({"--json", problem});
        EXPECT_EQ(result.status, kExitCommandLineUnusable);
        EXPECT_EQ(result.out, "");
        EXPECT_TRUE(StartsWith(result.err, "orbelin-solve: column ")) << result.err;
    }
}

TEST(RunCommandLine, OutputThatCannotBeWrittenIsAFailure) {
    for (const std::vector<std::string>& words : std::vector<std::vector<std::string>>{
             {"x+1=0"}, {"--json", "x+1=0"}, {"--batch", "-"}, {"--help"}}) {
        SCOPED_TRACE(words.front());
        std::istringstream in("3\tx\n");
        std::ostringstream out;
        out.setstate(std::ios::badbit); // as a stream on a full disk ends up
        std::ostringstream err;
        EXPECT_EQ(RunCommandLine(words, "/nonexistent-orbelin-folder", in, out, err), kExitOutputFailed);
        EXPECT_NE(err.str().find("cannot be written"), std::string::npos);
    }
}

TEST(RunCommandLine, HelpPrintsTheUsage) {
    const RunResult result = RunProgram({"--help"});
    EXPECT_EQ(result.status, kExitSolved);
    EXPECT_TRUE(StartsWith(result.out, "usage:")) << result.out;
}

// --- batches --------------------------------------------------------------------------------------

TEST(ParseBatchLine, SplitsAtTheFirstTab) {
    const BatchLine line = ParseBatchLine("factor-full\tx\t1", ProblemKind::Equation);
    EXPECT_EQ(line.kind, ProblemKind::FactoriseCompletely);
    EXPECT_EQ(line.problem, "x\t1");
    const BatchLine bare = ParseBatchLine("x+1=0", ProblemKind::Simplify);
    EXPECT_EQ(bare.kind, ProblemKind::Simplify);
    EXPECT_EQ(bare.problem, "x+1=0");
    EXPECT_FALSE(ParseBatchLine("cube\tx", ProblemKind::Equation).kind);
}

TEST(RunBatch, WritesOneObjectPerLineInOrder) {
    const std::string input = "simplify\t2x+1\n"
                              "0\tx+y=1\n"
                              "cube\tx\n"
                              "\n"
                              "factor\tx^2-1\r\n"
                              "3\t";
    const RunResult result = RunProgram({"--batch", "-"}, input);
    EXPECT_EQ(result.status, kExitBatchLinesUnusable);
    const std::vector<std::string> lines = SplitLines(result.out);
    ASSERT_EQ(lines.size(), 6u) << result.out;
    EXPECT_TRUE(StartsWith(lines[0], "{\"kind\":3,\"problem\":\"2*x+1\",\"micros\":")) << lines[0];
    EXPECT_NE(lines[1].find("\"records\":[{\"lineBlocks\":[],\"blocks\":[{\"comment\":26,"),
              std::string::npos)
        << lines[1];
    EXPECT_EQ(lines[2], "{\"line\":3,\"error\":\"unknown kind \\\"cube\\\"\"}");
    EXPECT_NE(lines[3].find("\"kind\":0,\"problem\":\"\""), std::string::npos) << lines[3];
    // A blank line is a problem without an expression, not an empty solution.
    EXPECT_NE(lines[3].find("\"blocks\":[{\"comment\":29,\"alwaysShown\":1"), std::string::npos) << lines[3];
    EXPECT_NE(lines[4].find("\"kind\":1,\"problem\":\"x^2-1\""), std::string::npos) << lines[4];
    EXPECT_NE(lines[5].find("\"kind\":3,\"problem\":\"\""), std::string::npos) << lines[5];
    EXPECT_NE(result.err.find("line 3"), std::string::npos);
}

TEST(RunBatch, ReadsAFileAndKeepsHighBytesRecoverable) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("orbelin-batch-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".txt");
    {
        std::ofstream file(path, std::ios::binary);
        file << "3\tx+\xE9\n";
        for (int i = 0; i < 200; ++i) {
            file << "equation\tx^2-" << i << "=0\n";
        }
    }
    const RunResult result = RunProgram({"--batch", path.string(), "--compact"});
    std::filesystem::remove(path);
    EXPECT_EQ(result.status, kExitSolved);
    const std::vector<std::string> lines = SplitLines(result.out);
    ASSERT_EQ(lines.size(), 201u);
    EXPECT_NE(lines[0].find("\"problem\":\"x+\\u00e9\""), std::string::npos) << lines[0];
    EXPECT_NE(lines[200].find("\"problem\":\"x^2-199=0\""), std::string::npos) << lines[200];
    for (const std::string& line : lines) {
        for (const char c : line) {
            ASSERT_LT(static_cast<unsigned char>(c), 0x80) << line;
        }
    }
}

TEST(RunBatch, RandomBytesGiveOneAsciiObjectPerLine) {
    std::mt19937 random(1207);
    std::string input;
    const int lineCount = 300;
    for (int line = 0; line < lineCount; ++line) {
        input += "0123"[line % 4];
        input += '\t';
        const int length = static_cast<int>(random() % 30);
        for (int i = 0; i < length; ++i) {
            char c = static_cast<char>(random() % 256);
            input += c == '\n' ? '\r' : c;
        }
        input += '\n';
    }
    // Compact markup reaches the solver as it is; linear notation refuses most of these lines,
    // each with its own error object.
    for (const char* form : {"--compact", "--"}) {
        SCOPED_TRACE(form);
        const RunResult result = RunProgram({"--batch", "-", form}, input);
        const bool compact = std::string(form) == "--compact";
        EXPECT_EQ(result.status, compact ? kExitSolved : kExitBatchLinesUnusable) << result.err;
        const std::vector<std::string> lines = SplitLines(result.out);
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(lineCount));
        for (const std::string& line : lines) {
            EXPECT_TRUE(StartsWith(line, "{\"kind\":") || (!compact && StartsWith(line, "{\"line\":")))
                << line;
            EXPECT_EQ(JsonCheck::Problem(line), "") << line;
            for (const char c : line) {
                const auto byte = static_cast<unsigned char>(c);
                ASSERT_TRUE(byte >= 0x20 && byte < 0x7F) << line;
            }
        }
    }
}

// --- hostile input on the command line ----------------------------------------------------------

// A blank problem, alone or on a batch line, is the error "there is no expression" (it was once an
// empty solution: nothing printed, and "records":[]).
TEST(HostileCommandLine, BlankProblemIsTheErrorOfNoExpression) {
    const LanguageFolder english("English.ini", "Answer");
    for (const std::string blank : {"", "   "}) {
        SCOPED_TRACE("\"" + blank + "\"");
        const RunResult text = RunProgram({blank}, "", english.folder);
        EXPECT_EQ(text.status, kExitSolved);
        EXPECT_EQ(text.out, "text 29\n");
        const RunResult json = RunProgram({"--json", "--kind", "simplify", blank});
        EXPECT_NE(
            json.out.find("\"records\":[{\"lineBlocks\":[],\"blocks\":[{\"comment\":29,\"alwaysShown\":1"),
            std::string::npos)
            << json.out;
        EXPECT_EQ(JsonCheck::Problem(json.out), "");
    }
    const RunResult batch = RunProgram({"--batch", "-"}, "factor\t  \n\n3\tx\n");
    const std::vector<std::string> lines = SplitLines(batch.out);
    ASSERT_EQ(lines.size(), 3u) << batch.out;
    EXPECT_NE(lines[0].find("{\"comment\":29,"), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("{\"comment\":29,"), std::string::npos) << lines[1];
    EXPECT_EQ(lines[2].find("{\"comment\":29,"), std::string::npos) << lines[2];
}

// Records what was written at every flush.
class FlushRecorder : public std::stringbuf {
public:
    std::vector<std::string> flushed;

protected:
    int sync() override {
        flushed.push_back(str());
        return 0;
    }
};

// Each answer of a batch is written and flushed as its line is solved, so a later line that ends
// the program takes nothing already solved with it (a crash once took 14 of 50 answers along).
TEST(HostileCommandLine, BatchAnswersAreFlushedLineByLine) {
    const CommandLine commandLine = *ParseCommandLine({"--batch", "-"}).commandLine;
    std::istringstream in("x+1=0\ncube\tx\nsimplify\t2x+x\n");
    FlushRecorder recorder;
    std::ostream out(&recorder);
    std::ostringstream err;
    EXPECT_EQ(RunBatch(in, out, err, commandLine, CommentTexts()), kExitBatchLinesUnusable);
    const std::vector<std::string> lines = SplitLines(recorder.str());
    ASSERT_EQ(lines.size(), 3u);
    // Every line's object was out, whole, before the next line was read.
    std::string expected;
    for (const std::string& line : lines) {
        expected += line + "\n";
        EXPECT_NE(std::find(recorder.flushed.begin(), recorder.flushed.end(), expected),
                  recorder.flushed.end())
            << line;
    }
}

// A stream of one byte repeated, a line end after `length` of them, then the rest.
class LongLineBuffer : public std::streambuf {
public:
    LongLineBuffer(std::size_t length, std::string rest) : m_left(length), m_rest(std::move(rest)) {
        setg(m_block, m_block, m_block);
    }

protected:
    int_type underflow() override {
        if (m_left > 0) {
            const std::size_t count = std::min(m_left, sizeof m_block);
            std::fill(m_block, m_block + count, ' ');
            m_left -= count;
            setg(m_block, m_block, m_block + count);
            return traits_type::to_int_type(m_block[0]);
        }
        if (!m_restGiven) {
            m_restGiven = true;
            setg(m_rest.data(), m_rest.data(), m_rest.data() + m_rest.size());
            return m_rest.empty() ? traits_type::eof() : traits_type::to_int_type(m_rest[0]);
        }
        return traits_type::eof();
    }

private:
    char m_block[65536];
    std::size_t m_left;
    std::string m_rest;
    bool m_restGiven = false;
};

// A batch line is read no further than the longest problem: a longer one (a file without line
// ends) is refused as too long and passed over to the next line, however long it is. A line of
// 300 MB of blanks once took 600 MB and was answered with an empty record.
TEST(HostileCommandLine, BatchLineLongerThanAProblemIsRefusedAndSkipped) {
    const CommandLine commandLine = *ParseCommandLine({"--batch", "-"}).commandLine;
    for (const std::size_t length : {std::size_t{100'001}, std::size_t{20'000'000}}) {
        SCOPED_TRACE(length);
        LongLineBuffer buffer(length, "\nx+1=0\n");
        std::istream in(&buffer);
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunBatch(in, out, err, commandLine, CommentTexts()), kExitBatchLinesUnusable);
        const std::vector<std::string> lines = SplitLines(out.str());
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0], "{\"line\":1,\"error\":\"the line is longer than 100000 characters\"}");
        EXPECT_NE(lines[1].find("\"problem\":\"x+1=0\""), std::string::npos) << lines[1];
    }
    // A line of exactly the longest problem is read.
    LongLineBuffer longest(100'000, "\n");
    std::istream in(&longest);
    std::ostringstream out;
    std::ostringstream err;
    RunBatch(in, out, err, commandLine, CommentTexts());
    EXPECT_EQ(out.str().find("longer than"), std::string::npos) << out.str().substr(0, 200);
}

// A problem or a file name that holds control bytes is quoted in messages with those bytes
// escaped, so that a message cannot drive the terminal it is shown on.
TEST(HostileCommandLine, MessagesShowControlBytesEscaped) {
    const RunResult colour = RunProgram({"x+\x1b[31m"});
    EXPECT_EQ(colour.status, kExitCommandLineUnusable);
    EXPECT_NE(colour.err.find("\\x1b"), std::string::npos) << colour.err;
    const RunResult file = RunProgram({"--batch", "/nonexistent/\x07\x9b\xc2\x9b.txt"});
    EXPECT_NE(file.err.find("/nonexistent/\\x07"), std::string::npos) << file.err;
    EXPECT_NE(file.err.find("\\x07\\x9b\\xc2\\x9b.txt"), std::string::npos) << file.err;
    for (const RunResult& result : {colour, file}) {
        for (const char c : result.err) {
            const auto byte = static_cast<unsigned char>(c);
            EXPECT_TRUE(byte >= 0x20 || byte == '\n') << static_cast<int>(byte);
            EXPECT_NE(byte, 0x7f);
        }
    }
    EXPECT_EQ(PrintableMessage("a\\b \xc3\xa9 \x7f"), "a\\b \xc3\xa9 \\x7f");
}

} // namespace
