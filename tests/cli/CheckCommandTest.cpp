// orbelin-solve --check: exit statuses, the text and JSON forms, and the language files' texts.

#include "cli/CliRunner.h"

#include "fuzz/JsonCheck.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

namespace {

struct CheckRun {
    int status = -1;
    std::string out;
    std::string err;
};

// A base folder of the program's files with the project's own language files in Res/, made once a
// process under a name of its own and removed at its end: CTest runs test processes side by side,
// and one must never rewrite a language file while another reads it.
class LanguageCopy {
public:
    LanguageCopy()
        : folder(std::filesystem::temp_directory_path() /
                 ("orbelin-check-command-test-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(folder / "Res");
        for (const char* name : {"English.ini", "Russian.ini"}) {
            std::filesystem::copy_file(std::filesystem::path(ORBELIN_SOURCE_DIR) / "res" / name,
                                       folder / "Res" / name,
                                       std::filesystem::copy_options::overwrite_existing);
        }
    }
    ~LanguageCopy() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    const std::filesystem::path folder;
};

const std::filesystem::path& LanguageFolder() {
    static const LanguageCopy copy;
    return copy.folder;
}

CheckRun Check(std::vector<std::string> options, const std::string& solution) {
    options.insert(options.begin(), "--check");
    options.push_back("-");
    std::istringstream in(solution);
    std::ostringstream out;
    std::ostringstream err;
    CheckRun run;
    run.status = RunCommandLine(options, LanguageFolder(), in, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

TEST(CheckCommand, ExitStatusSaysRightAndFinishedWrongOrUnfinishedOrUnreadable) {
    const struct {
        const char* kind;
        const char* solution;
        int status;
    } cases[] = {
        {"equation", "2x = 8\nx = 4\n", 0},
        {"equation", "2x = 8\nx = 5\n", 3},
        {"equation", "x^2 - 5x + 6 = 0\n(x - 2)(x - 3) = 0\n", 3},
        {"equation", "2x = 8\nx = \n", 2},
        {"simplify", "(x^2-1)/(x+1) + 2x\nx - 1 + 2x\n3x - 1\n", 0},
        {"factor", "x^2 - 1\n(x - 1)(x + 1)\n", 0},
        {"factor-full", "x^3 - x\nx(x^2 - 1)\n", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + ": " + c.solution);
        const CheckRun run = Check({"--kind", c.kind}, c.solution);
        EXPECT_EQ(run.status, c.status) << run.out << run.err;
    }
}

TEST(CheckCommand, TextNamesTheFirstWrongLineWithItsWitness) {
    const CheckRun run = Check({}, "x^2 = x\nx^2 - x = 0\nx = 1\n");
    EXPECT_EQ(run.out, "\u2713 2: x^2 - x = 0\n"
                       "\u2717 3: x = 1 \u2014 x = 0 solves the line before but not this line\n"
                       "The solution is wrong from line 3 on.\n");
}

TEST(CheckCommand, TextGivesTheSolversNextStepWhenTheSolutionStopsEarly) {
    const CheckRun run = Check({"--kind", "simplify"}, "(x^2-1)/(x+1) + 2x\nx - 1 + 2x\n");
    EXPECT_EQ(run.out, "\u2713 2: x - 1 + 2x\n"
                       "Every line is right, but the solution is not finished. The next step:\n"
                       "  We change the order of the terms.\n"
                       "  We combine like terms.\n"
                       "  3x \u2212 1\n");
}

TEST(CheckCommand, JsonHoldsOneObjectWithEveryLine) {
    const CheckRun run =
        Check({"--json", "--lang", "ru"}, "(x^2-1)/(x-1) = 0\nx^2 - 1 = 0\n\nx = 1; x = -1\n");
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(JsonCheck::Problem(run.out.substr(0, run.out.size() - 1)), "");
    EXPECT_EQ(run.out, "{\"kind\":0,\"lang\":\"ru\",\"lines\":["
                       "{\"line\":2,\"text\":\"x^2 - 1 = 0\",\"right\":true,\"message\":\"верно\"},"
                       "{\"line\":4,\"text\":\"x = 1; x = -1\",\"right\":false,"
                       "\"message\":\"x = 1 не допускается: знаменатель x − 1 равен нулю\"}],"
                       "\"finished\":false,\"next\":null}\n");
}

TEST(CheckCommand, JsonMarksALineNotCheckedWithNullAndGivesTheNextStep) {
    const CheckRun run = Check({"--json"}, "x^2 = 4\nsqrt(x^2) = 2\nx^2 - 4 = 0\n");
    EXPECT_NE(run.out.find("{\"line\":2,\"text\":\"sqrt(x^2) = 2\",\"right\":null,"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\"finished\":false,\"next\":null"), std::string::npos) << run.out;
    const CheckRun unfinished = Check({"--json"}, "x^2 - 4 = 0\n(x - 2)(x + 2) = 0\n");
    EXPECT_NE(
        unfinished.out.find("\"next\":{\"comments\":[\"A product is zero when at least one of its factors is "
                            "zero.\"],\"formula\":\"x \u2212 2 = 0\"}"),
        std::string::npos)
        << unfinished.out;
}

TEST(CheckCommand, AProblemThatCannotBeReadEndsWithItsColumn) {
    const CheckRun run = Check({}, "2x + = 1\nx = 1\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("orbelin-solve: line 1: column ", 0), 0U) << run.err;
}

TEST(CheckCommand, CommandLinesThatCannotBeUsed) {
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunCommandLine({"--check"}, LanguageFolder(), in, out, err), 2);
    EXPECT_EQ(RunCommandLine({"--check", "--batch", "-"}, LanguageFolder(), in, out, err), 2);
    EXPECT_EQ(RunCommandLine({"--check", "/nonexistent/solution.txt"}, LanguageFolder(), in, out, err), 2);
    EXPECT_NE(err.str().find("cannot read /nonexistent/solution.txt"), std::string::npos);
}

} // namespace
