// orbelin-solve --render: the solution of one problem drawn into a PNG, SVG or PDF file.

#ifdef ORBELIN_WITH_RENDER

#include "cli/CliRunner.h"
#include "cli/CommandLine.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <sstream>

namespace {

struct RenderRun {
    int status = -1;
    std::string out;
    std::string err;
};

// The folder of the test program, which holds "Res/" with the language files as beside orbelin-solve.
std::filesystem::path ProgramFolder() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

RenderRun Solve(const std::vector<std::string>& words) {
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    RenderRun run;
    run.status = RunCommandLine(words, ProgramFolder(), in, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

TEST(RenderCommand, DrawsTheSolutionIntoEachFormat) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const char* name : {"x.png", "x.svg", "x.pdf"}) {
        SCOPED_TRACE(name);
        const std::string path = folder.filePath(name).toStdString();
        const RenderRun run = Solve({"--render", path, "--lang", "ru", "x^2 - 1 = 0"});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, "");
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.exists());
        EXPECT_GT(file.size(), 500);
    }
    const QImage image(folder.filePath("x.png"));
    ASSERT_FALSE(image.isNull());
    EXPECT_GE(image.width(), 640);
    EXPECT_EQ(image.pixelColor(image.width() - 1, 0), QColor(255, 255, 0)) << "the first band is yellow";
}

TEST(RenderCommand, RefusesWhatItCannotDraw) {
    QTemporaryDir folder;
    const RenderRun wrongFormat = Solve({"--render", folder.filePath("x.jpg").toStdString(), "x=1"});
    EXPECT_EQ(wrongFormat.status, kExitCommandLineUnusable);
    EXPECT_NE(wrongFormat.err.find(".png"), std::string::npos) << wrongFormat.err;

    const RenderRun withBatch = Solve({"--render", folder.filePath("x.png").toStdString(), "--batch", "-"});
    EXPECT_EQ(withBatch.status, kExitCommandLineUnusable);

    for (const std::string name : {"x.png", "x.svg", "x.pdf"}) {
        SCOPED_TRACE(name);
        const RenderRun unwritable = Solve({"--render", "/nonexistent-orbelin-folder/" + name, "x=1"});
        EXPECT_EQ(unwritable.status, kExitOutputFailed);
        EXPECT_NE(unwritable.err.find("cannot write"), std::string::npos) << unwritable.err;

        // A folder where the file should go: drawn under a temporary name, it cannot be put in
        // place, and nothing is left behind.
        const std::filesystem::path target = folder.filePath(QString::fromStdString(name)).toStdString();
        std::filesystem::create_directory(target);
        const RenderRun blocked = Solve({"--render", target.string(), "x=1"});
        EXPECT_NE(blocked.status, kExitSolved);
        EXPECT_NE(blocked.err.find("cannot write"), std::string::npos) << blocked.err;
        std::filesystem::remove(target);
        EXPECT_TRUE(std::filesystem::is_empty(folder.path().toStdString()));
    }
}

// A solution at the engine's bound of text (a line of about a million pixels) is refused by every
// format before it is drawn; the PDF once took seconds to lay it out.
TEST(RenderCommand, RefusesASolutionTooLargeToDraw) {
    std::string problem = "1/(x+1)";
    for (int i = 2; i <= 80; ++i) {
        problem += "+1/(x+" + std::to_string(i) + ")";
    }
    QTemporaryDir folder;
    for (const char* name : {"big.png", "big.svg", "big.pdf"}) {
        SCOPED_TRACE(name);
        const RenderRun run =
            Solve({"--render", folder.filePath(name).toStdString(), "--kind", "simplify", problem});
        EXPECT_EQ(run.status, kExitCommandLineUnusable);
        EXPECT_NE(run.err.find("too large to draw"), std::string::npos) << run.err;
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder.path().toStdString()));
}

// The disk fills up while the file is written (here: a bound on the size of the files this process
// may write, which fails a write as a full disk does). A PDF or an SVG was once left cut at the
// bound and reported as written; now every format fails with status 1 and leaves nothing behind.
TEST(RenderCommand, AFileCutShortIsAFailureAndLeavesNothing) {
    QTemporaryDir folder;
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    constexpr rlim_t kBound = 4096;
    for (const char* name : {"cut.png", "cut.svg", "cut.pdf"}) {
        SCOPED_TRACE(name);
        const std::string path = folder.filePath(name).toStdString();
        const RenderRun whole = Solve({"--render", path, "x^4 - 5x^2 + 4 = 0"});
        ASSERT_EQ(whole.status, kExitSolved) << whole.err;
        ASSERT_GT(std::filesystem::file_size(path), kBound) << "the file must be longer than the bound";
        std::filesystem::remove(path);

        rlimit small = saved;
        small.rlim_cur = kBound;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        const RenderRun cut = Solve({"--render", path, "x^4 - 5x^2 + 4 = 0"});
        setrlimit(RLIMIT_FSIZE, &saved);
        EXPECT_EQ(cut.status, kExitOutputFailed);
        EXPECT_NE(cut.err.find("cannot write"), std::string::npos) << cut.err;
        EXPECT_TRUE(std::filesystem::is_empty(folder.path().toStdString()));
    }
    std::signal(SIGXFSZ, savedHandler);
}

TEST(RenderCommand, UsageNamesTheOption) {
    EXPECT_NE(UsageText().find("--render OUT.png|OUT.svg|OUT.pdf"), std::string::npos);
}

} // namespace

#endif
