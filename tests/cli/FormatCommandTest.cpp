// orbelin-solve --format and --output: the solution written as a document to standard output or a
// file; and --scale for the PNG of --render.

#include "cli/CliRunner.h"
#include "cli/CommandLine.h"
#include "export/SolutionExport.h"

#include <gtest/gtest.h>

#ifdef ORBELIN_WITH_RENDER
#include <QImage>
#endif

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

struct FormatRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::filesystem::path ProgramFolder() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

FormatRun RunSolve(const std::vector<std::string>& words) {
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    FormatRun run;
    run.status = RunCommandLine(words, ProgramFolder(), in, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

class TemporaryFolder {
public:
    TemporaryFolder() {
        path = std::filesystem::temp_directory_path() /
               ("orbelin-format-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TemporaryFolder() { std::filesystem::remove_all(path); }
    std::filesystem::path path;
};

TEST(FormatCommand, WritesEachFormatToStandardOutput) {
    const struct {
        const char* name;
        const char* opening;
    } formats[] = {
        {"markdown", "$$x^{2} - 5x + 6 = 0$$"},
        {"latex", "\\documentclass{article}"},
        {"latex-fragment", "\\noindent $\\displaystyle x^{2} - 5x + 6 = 0$"},
        {"html", "<!DOCTYPE html>"},
        {"html-fragment", "<div class=\"orbelin-solution\">"},
        {"text", "x\u00B2 \u2212 5x + 6 = 0"},
    };
    for (const auto& format : formats) {
        SCOPED_TRACE(format.name);
        const FormatRun run = RunSolve({"--format", format.name, "x^2 - 5x + 6 = 0"});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out.rfind(format.opening, 0), 0u) << run.out.substr(0, 200);
    }
    // The text format is the default output.
    EXPECT_EQ(RunSolve({"--format", "text", "x^2 - 5x + 6 = 0"}).out, RunSolve({"x^2 - 5x + 6 = 0"}).out);
    // Russian comments and decimal commas.
    const FormatRun russian = RunSolve({"--format=latex", "--lang", "ru", "0.5x = 1"});
    EXPECT_NE(russian.out.find("\\usepackage[T2A]{fontenc}"), std::string::npos);
    EXPECT_NE(russian.out.find("0{,}5x"), std::string::npos) << russian.out;
}

TEST(FormatCommand, OutputGoesIntoTheFileAndNothingToStandardOutput) {
    TemporaryFolder folder;
    const std::filesystem::path path = folder.path / "roots.tex";
    const FormatRun run = RunSolve({"--format", "latex", "--output", path.string(), "x^2 - 1 = 0"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadFile(path), RunSolve({"--format", "latex", "x^2 - 1 = 0"}).out);
    // Only the file itself is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path),
                            std::filesystem::directory_iterator()),
              1);
    // The plain text without --format, as in a file: no terminal escapes.
    const std::filesystem::path text = folder.path / "solution.txt";
    EXPECT_EQ(RunSolve({"--output", text.string(), "--kind", "simplify", "(x^2-1)/(x+1)"}).status, 0);
    EXPECT_EQ(ReadFile(text).find('\x1b'), std::string::npos);
    EXPECT_NE(ReadFile(text).find("\u0336"), std::string::npos) << "crossed-out parts are struck";
}

TEST(FormatCommand, AnOutputThatCannotBeWrittenFailsAndKeepsWhatWasThere) {
    TemporaryFolder folder;
    const FormatRun intoFolder = RunSolve({"--format", "html", "--output", folder.path.string(), "x = 1"});
    EXPECT_EQ(intoFolder.status, kExitOutputFailed);
    EXPECT_NE(intoFolder.err.find("cannot write"), std::string::npos);
    const FormatRun missing = RunSolve(
        {"--format", "html", "--output", (folder.path / "no-such-folder" / "x.html").string(), "x = 1"});
    EXPECT_EQ(missing.status, kExitOutputFailed);
    EXPECT_NE(missing.err.find("cannot write"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path));
}

TEST(FormatCommand, RefusesCombinationsItCannotUse) {
    const std::vector<std::vector<std::string>> refused = {
        {"--format", "pdf", "x = 1"},
        {"--format", "html", "--json", "x = 1"},
        {"--format", "html", "--batch", "-"},
        {"--format", "html", "--markup", "x = 1"},
        {"--output", "", "x = 1"},
        {"--output", "a.txt", "--batch", "-"},
#ifdef ORBELIN_WITH_RENDER
        {"--format", "html", "--render", "x.png", "x = 1"},
        {"--render", "x.png", "--scale", "0", "x = 1"},
        {"--render", "x.png", "--scale", "9", "x = 1"},
        {"--render", "x.png", "--scale", "2x", "x = 1"},
        {"--render", "x.svg", "--scale", "2", "x = 1"},
        {"--scale", "2", "x = 1"},
#endif
    };
    for (const auto& words : refused) {
        std::string joined;
        for (const std::string& word : words) {
            joined += word + ' ';
        }
        SCOPED_TRACE(joined);
        const CommandLineResult parsed = ParseCommandLine(words);
        EXPECT_FALSE(parsed.commandLine.has_value());
        EXPECT_FALSE(parsed.error.empty());
    }
    const CommandLineResult markupText = ParseCommandLine({"--format", "text", "--markup", "x = 1"});
    ASSERT_TRUE(markupText.commandLine.has_value());
    EXPECT_EQ(markupText.commandLine->exportFormat, ExportFormat::Text);
}

TEST(FormatCommand, UsageNamesEveryFormatWithAnExample) {
    const std::string usage = UsageText();
    for (const char* name :
         {"--format", "--output", "markdown", "latex-fragment", "html-fragment", "Example:"}) {
        EXPECT_NE(usage.find(name), std::string::npos) << name;
    }
}

#ifdef ORBELIN_WITH_RENDER
TEST(FormatCommand, ScaleDrawsThePngLargerForSlides) {
    TemporaryFolder folder;
    const std::filesystem::path single = folder.path / "single.png";
    const std::filesystem::path doubled = folder.path / "double.png";
    ASSERT_EQ(RunSolve({"--render", single.string(), "x^2 - 1 = 0"}).status, 0);
    const FormatRun run = RunSolve({"--render", doubled.string(), "--scale", "2", "x^2 - 1 = 0"});
    ASSERT_EQ(run.status, 0) << run.err;
    const QImage one(QString::fromStdString(single.string()));
    const QImage two(QString::fromStdString(doubled.string()));
    ASSERT_FALSE(one.isNull());
    ASSERT_FALSE(two.isNull());
    EXPECT_EQ(two.width(), 2 * one.width());
    EXPECT_EQ(two.height(), 2 * one.height());
    // The same drawing: the first band's yellow reaches the right edge in both.
    EXPECT_EQ(two.pixelColor(two.width() - 1, 1), QColor(255, 255, 0));
    // Dark ink covers about four times the pixels.
    const auto ink = [](const QImage& image) {
        long count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                count += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
            }
        }
        return count;
    };
    const double ratio = static_cast<double>(ink(two)) / static_cast<double>(ink(one));
    EXPECT_GT(ratio, 3.0);
    EXPECT_LT(ratio, 5.0);
}
#endif

} // namespace
