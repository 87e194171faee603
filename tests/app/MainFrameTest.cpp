// The main window against its settings store, its menus, the kind and language switches, the
// solution view and printing.

#include "AppTestSupport.h"
#include "app/CCorvaneView.h"
#include "app/CHelpWindow.h"
#include "app/CMainFrame.h"
#include "app/ToolBarIcons.h"
#include "editor/MathRedactor.h"
#include "tests/support/SampleSolution.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QImage>
#include <QMessageBox>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>

#include <memory>

namespace {

constexpr char kSimplifyProblem[] = "(x^2-1)/(x+1)+2x";
const QColor kYellow(255, 255, 0);

std::unique_ptr<CMainFrame> MakeFrame(const TestInstallation& installation) {
    MainFrameOptions options;
    options.settingsPath = installation.StorePath();
    return std::make_unique<CMainFrame>(options);
}

// A main window over an installation of its own whose store holds the given values.
struct FrameUnderTest {
    TestInstallation installation;
    std::unique_ptr<CMainFrame> frame;

    explicit FrameUnderTest(std::initializer_list<std::pair<const char*, QVariant>> values) {
        installation.WriteStore(values);
        frame = MakeFrame(installation);
    }
};

// Runs the output to its end, tick by tick; false when it does not end.
bool RunOutputToEnd(CCorvaneView& view, int maxTicks = 100'000) {
    for (int tick = 0; tick < maxTicks && !view.IsComplete(); ++tick) {
        view.AdvanceOutput();
    }
    return view.IsComplete();
}

QImage ViewImage(CCorvaneView& view) {
    QImage image(view.viewport()->size(), QImage::Format_RGB32);
    view.viewport()->render(&image);
    return image;
}

// Saves what the window shows when ORBELIN_SCREENSHOT_DIR names a folder, for a person to look at.
void SaveForViewing(QWidget& window, const char* name) {
    const QString folder = qEnvironmentVariable("ORBELIN_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        window.grab().save(folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
    }
}

// Runs the program with the installation's folder as its configuration home, where it finds no
// settings store: it then takes its files from beside itself. Returns the exit status.
int RunProgram(const TestInstallation& installation, const QStringList& arguments,
               QString* errorOutput = nullptr) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), installation.BaseFolder());
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ORBELIN_BINARY_DIR "/orbelin"), arguments);
    if (!process.waitForFinished(60'000) || process.exitStatus() != QProcess::NormalExit) {
        return -1;
    }
    if (errorOutput != nullptr) {
        *errorOutput = QString::fromUtf8(process.readAllStandardError());
    }
    return process.exitCode();
}

int CountPdfPages(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QByteArray data = file.readAll();
    return static_cast<int>(data.count("/Type /Page\n") + data.count("/Type /Page ") +
                            data.count("/Type /Page/") + data.count("/Type /Page>"));
}

// Takes the place of the system's viewer for opened files.
class UrlCatcher : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void Open(const QUrl& url) { opened << url; }
};

} // namespace

class MainFrameTest : public QObject {
    Q_OBJECT

private slots:
    void outOfRangeSettingsAreCheckedAndWrittenBack();
    void missingStoreGivesDefaultsAndIsNotCreated();
    void kindSwitchSetsTitleFilesAndFilter();
    void languageSwitchChangesCaptionsTitleAndFiles();
    void showAllShowsEveryBandInItsColour();
    void outputRunsGlyphByGlyphToTheEnd();
    void lineByLineOutputPausesUntilACharacterKey();
    void doubleClickReplaysFromAShownBand();
    void textCommentsAreDisabledWhileOutputRuns();
    void relayoutKeepsTheCurrentLine();
    void keysScrollTheView();
    void toolbarsAreShownOnlyWithTheEditor();
    void typedProblemIsSolvedFromTheEditor();
    void helpOpensThePageOfTheLanguageWhenItExists();
    void solutionIsLeftAloneWhileASolveWritesIt();
    void printsTheSolutionToPdfPages();
    void screenshotSavesTheWindow();
    void aboutBoxNamesTheProgramItsVersionAndMaker();
};

void MainFrameTest::outOfRangeSettingsAreCheckedAndWrittenBack() {
    TestInstallation installation;
    installation.WriteStore({{"Language", 1}, {"MathType", 7}, {"CommentText", 3}, {"CommentSound", 5}});
    {
        auto frame = MakeFrame(installation);
        QCOMPARE(ToNumber(frame->Settings().mathType), 0);
        QVERIFY(frame->CommandAction(MenuCommand::KindEquations)->isChecked());
        QCOMPARE(frame->windowTitle(), QStringLiteral("Orbelin - Equations"));
        QVERIFY(!frame->Settings().commentText);
        QVERIFY(frame->Settings().commentSound);
        QVERIFY(frame->CommandAction(MenuCommand::SpokenComments)->isChecked());
    }
    QCOMPARE(installation.StoredValue("CommentSound").toInt(), 1);
    QCOMPARE(installation.StoredValue("MathType").toInt(), 0);
    QCOMPARE(installation.StoredValue("CommentText").toInt(), 0);
    QCOMPARE(installation.StoredValue("Language").toInt(), 1);

    // A negative value is a huge unsigned one: out of range too.
    installation.WriteStore({{"Language", -1}, {"MathType", 3}});
    auto frame = MakeFrame(installation);
    QCOMPARE(frame->Settings().language, 0);
    QCOMPARE(ToNumber(frame->Settings().mathType), 3);
}

void MainFrameTest::missingStoreGivesDefaultsAndIsNotCreated() {
    TestInstallation installation;
    MainFrameOptions options;
    options.settingsPath = installation.StorePath();
    options.fallbackBaseFolder = installation.BaseFolder().toStdString() + "/";
    {
        CMainFrame frame(options);
        QCOMPARE(frame.Settings().language, 0);
        QCOMPARE(ToNumber(frame.Settings().mathType), 0);
        // Text comments are on from the first start.
        QVERIFY(frame.Settings().commentText);
        QVERIFY(!frame.Settings().commentSound);
        QVERIFY(frame.CommandAction(MenuCommand::LanguageRussian)->isChecked());
        frame.SwitchLanguage(kEnglishLanguage);
    }
    QVERIFY(!QFileInfo::exists(installation.StorePath()));
}

void MainFrameTest::kindSwitchSetsTitleFilesAndFilter() {
    FrameUnderTest test({{"Language", 1}});
    auto& frame = test.frame;
    auto& installation = test.installation;
    const std::string base = installation.BaseFolder().toStdString() + "/";

    frame->CommandAction(MenuCommand::KindCompleteFactorisation)->trigger();
    QCOMPARE(frame->windowTitle(), QStringLiteral("Orbelin - Complete factorisation"));
    QCOMPARE(ToNumber(frame->Settings().mathType), 2);
    QCOMPARE(frame->Files().lastProblemFile, base + "Samples/LastPr2.txt");
    QCOMPARE(frame->Files().noteFile, base + "Samples/Note2_1.txt");
    QCOMPARE(frame->Files().sampleResource, 158);
    QVERIFY(!frame->CommandAction(MenuCommand::KindEquations)->isChecked());

    // Factorisation shares the group: the same files and the same filter.
    frame->SetLibraryFilter("A");
    QVERIFY(frame->LibraryFilterActive());
    frame->CommandAction(MenuCommand::KindFactorisation)->trigger();
    QCOMPARE(frame->Files().lastProblemFile, base + "Samples/LastPr2.txt");
    QCOMPARE(frame->LibraryFilter(), std::string("A"));

    frame->CommandAction(MenuCommand::KindSimplification)->trigger();
    QCOMPARE(frame->Files().lastProblemFile, base + "Samples/LastPr3.txt");
    QCOMPARE(frame->Files().sampleResource, 159);
    QVERIFY(!frame->LibraryFilterActive());
    frame->CommandAction(MenuCommand::KindEquations)->trigger();
    QCOMPARE(frame->Files().noteFile, base + "Samples/Note1_1.txt");
    frame->CommandAction(MenuCommand::KindCompleteFactorisation)->trigger();
    QCOMPARE(frame->LibraryFilter(), std::string("A"));
}

void MainFrameTest::languageSwitchChangesCaptionsTitleAndFiles() {
    FrameUnderTest test({{"Language", 1}, {"MathType", 2}});
    auto& frame = test.frame;
    QCOMPARE(frame->MenuItems().size(), std::size_t{32});
    QCOMPARE(frame->MenuItems()[0]->text(), QStringLiteral("Topic"));
    QCOMPARE(frame->MenuItems()[31]->text(), QStringLiteral("Solve"));
    QCOMPARE(frame->Editor().Action(32818)->toolTip(), QStringLiteral("Copy"));

    frame->CommandAction(MenuCommand::LanguageRussian)->trigger();
    QCOMPARE(frame->Settings().language, 0);
    QCOMPARE(frame->windowTitle(), QStringLiteral("Orbelin - Полное разложение на множители"));
    QCOMPARE(frame->MenuItems()[0]->text(), QStringLiteral("Раздел математики"));
    QCOMPARE(frame->MenuItems()[23]->text(), QStringLiteral("Вывести"));
    QCOMPARE(frame->Editor().Action(32818)->toolTip(), QStringLiteral("Копировать"));
    QCOMPARE(frame->VoiceFolderName(), std::string("Russian/"));
    QVERIFY(frame->Files().noteFile.ends_with("Samples/Note2_0.txt"));
    QVERIFY(!frame->CommandAction(MenuCommand::LanguageEnglish)->isChecked());

    frame->CommandAction(MenuCommand::LanguageEnglish)->trigger();
    QCOMPARE(frame->windowTitle(), QStringLiteral("Orbelin - Complete factorisation"));
    QCOMPARE(frame->MenuItems()[23]->text(), QStringLiteral("Show the solution"));
    QCOMPARE(frame->VoiceFolderName(), std::string("English/"));
}

void MainFrameTest::showAllShowsEveryBandInItsColour() {
    FrameUnderTest test({{"Language", 1}, {"MathType", 3}});
    auto& frame = test.frame;
    frame->show();
    frame->SolveNow(kSimplifyProblem);
    CCorvaneView& view = frame->View();
    QVERIFY(!view.SplashOn());
    QVERIFY(view.IsRunning());
    frame->CommandAction(MenuCommand::ShowAll)->trigger();
    QVERIFY(view.IsComplete());
    QVERIFY(!view.IsRunning());

    const auto& lines = view.Lines().Lines();
    QCOMPARE(lines.size(), frame->Document().solution.Size());
    QVERIFY(lines.size() >= 3);
    for (const LineStruct& line : lines) {
        QVERIFY(line.shown);
        for (const TypeStruct& item : line.items) {
            if (item.kind == TypeStruct::Kind::Word) {
                QVERIFY(item.lastShown >= 0);
            }
        }
    }
    QCOMPARE(lines.front().background, MakeRgb(255, 255, 0));
    QCOMPARE(lines.back().background, MakeRgb(255, 255, 0));
    QCOMPARE(lines[1].background, MakeRgb(255, 255, 255));

    const QImage image = ViewImage(view);
    const int right = image.width() - 3;
    QCOMPARE(image.pixelColor(right, lines.front().band.top + 2), kYellow);
    QCOMPARE(image.pixelColor(right, lines.back().band.bottom - 2), kYellow);
    QCOMPARE(image.pixelColor(right, lines[1].band.top + 2), QColor(Qt::white));
    // The formulas are drawn in blue on the bands.
    bool blue = false;
    for (int x = 0; x < image.width() && !blue; ++x) {
        const QColor pixel = image.pixelColor(x, (lines.front().band.top + lines.front().band.bottom) / 2);
        blue = pixel.blue() > 150 && pixel.red() < 100;
    }
    QVERIFY(blue);
}

void MainFrameTest::outputRunsGlyphByGlyphToTheEnd() {
    FrameUnderTest test({{"Language", 1}, {"MathType", 3}});
    auto& frame = test.frame;
    frame->SolveNow(kSimplifyProblem);
    CCorvaneView& view = frame->View();
    const auto& lines = view.Lines().Lines();
    QCOMPARE(view.CurrentLine(), 0);
    QVERIFY(!lines[0].shown);

    view.AdvanceOutput();
    QVERIFY(lines[0].shown);
    QCOMPARE(lines[0].items.front().lastShown, 0);
    QVERIFY(!lines[1].shown);
    view.AdvanceOutput();
    QCOMPARE(lines[0].items.front().lastShown, 1);

    QVERIFY(RunOutputToEnd(view));
    QVERIFY(!view.IsRunning());
    QCOMPARE(view.CurrentLine(), static_cast<int>(lines.size()) - 1);
    for (const LineStruct& line : lines) {
        QVERIFY(line.shown);
    }
    QVERIFY(frame->CommandAction(MenuCommand::TextComments)->isEnabled());
}

void MainFrameTest::lineByLineOutputPausesUntilACharacterKey() {
    FrameUnderTest test({{"Language", 1}, {"MathType", 3}});
    auto& frame = test.frame;
    frame->show();
    frame->CommandAction(MenuCommand::LineByLine)->trigger();
    QVERIFY(frame->CommandAction(MenuCommand::LineByLine)->isChecked());
    frame->SolveNow(kSimplifyProblem);
    CCorvaneView& view = frame->View();
    const auto& lines = view.Lines().Lines();

    int ticks = 0;
    while (view.IsRunning() && ticks++ < 10'000) {
        view.AdvanceOutput();
    }
    QVERIFY(!view.IsRunning());
    QVERIFY(!view.IsComplete());
    QCOMPARE(view.CurrentLine(), 1);
    QVERIFY(lines[0].shown);
    QVERIFY(!lines[1].shown);

    // A key that is no character does not resume; a character key does.
    QTest::keyClick(&view, Qt::Key_Shift);
    QVERIFY(!view.IsRunning());
    QTest::keyClick(&view, Qt::Key_A);
    QVERIFY(view.IsRunning());
    view.AdvanceOutput();
    QVERIFY(lines[1].shown);

    // Turning line-by-line output off goes on at once.
    while (view.IsRunning()) {
        view.AdvanceOutput();
    }
    QCOMPARE(view.CurrentLine(), 2);
    frame->CommandAction(MenuCommand::LineByLine)->trigger();
    QVERIFY(view.IsRunning());
    QVERIFY(RunOutputToEnd(view));
}

void MainFrameTest::doubleClickReplaysFromAShownBand() {
    FrameUnderTest test({{"Language", 1}, {"MathType", 3}});
    auto& frame = test.frame;
    frame->show();
    frame->SolveNow(kSimplifyProblem);
    CCorvaneView& view = frame->View();
    const auto& lines = view.Lines().Lines();

    // Before the band is reached, a double click on it does nothing.
    // A band of comments that are not shown has no height: take the first band below that has one.
    int target = 2;
    while (lines[target].band.bottom == lines[target].band.top) {
        ++target;
    }
    view.AdvanceOutput();
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, view.BandArea(target).center());
    QCOMPARE(view.CurrentLine(), 0);
    QVERIFY(lines[0].shown);

    view.ShowAll();
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, view.BandArea(target).center());
    QCOMPARE(view.CurrentLine(), target);
    QVERIFY(view.IsRunning());
    QVERIFY(!view.IsComplete());
    QVERIFY(lines[target - 1].shown);
    for (std::size_t line = static_cast<std::size_t>(target); line < lines.size(); ++line) {
        QVERIFY(!lines[line].shown);
        for (const TypeStruct& item : lines[line].items) {
            QCOMPARE(item.lastShown, -1);
        }
    }
    QVERIFY(RunOutputToEnd(view));
    QVERIFY(lines.back().shown);
}

void MainFrameTest::textCommentsAreDisabledWhileOutputRuns() {
    FrameUnderTest test({{"Language", 1}, {"MathType", 3}, {"CommentText", 0}});
    auto& frame = test.frame;
    QAction* textComments = frame->CommandAction(MenuCommand::TextComments);
    QVERIFY(textComments->isEnabled());
    frame->SolveNow(kSimplifyProblem);
    QVERIFY(!textComments->isEnabled());
    textComments->trigger();
    QVERIFY(!frame->Settings().commentText);

    frame->CommandAction(MenuCommand::ShowAll)->trigger();
    QVERIFY(textComments->isEnabled());
    const std::string before = frame->View().Lines().Lines()[1].paragraph.Text();
    textComments->trigger();
    QVERIFY(frame->Settings().commentText);
    QVERIFY(textComments->isChecked());
    // The comment texts now stand in the bands.
    bool commentShown = false;
    for (const LineStruct& line : frame->View().Lines().Lines()) {
        commentShown = commentShown || line.paragraph.Text().find("We cancel") != std::string::npos;
    }
    QVERIFY(commentShown);
    QVERIFY(frame->View().IsComplete());
}

void MainFrameTest::relayoutKeepsTheCurrentLine() {
    FrameUnderTest test({{"Language", 1}, {"MathType", 3}, {"CommentText", 1}});
    auto& frame = test.frame;
    frame->SolveNow(kSimplifyProblem);
    CCorvaneView& view = frame->View();
    while (view.CurrentLine() < 3) {
        view.AdvanceOutput();
    }
    frame->SwitchLanguage(kRussianLanguage);
    const auto& lines = view.Lines().Lines();
    QCOMPARE(view.CurrentLine(), 3);
    for (int line = 0; line <= 3; ++line) {
        QVERIFY(lines[line].shown);
    }
    QVERIFY(!lines[4].shown);
    QCOMPARE(view.ScrollSize().height(), lines[3].band.bottom);
    // The output goes on with the next band.
    QVERIFY(view.IsRunning());
    QVERIFY(RunOutputToEnd(view));
}

void MainFrameTest::keysScrollTheView() {
    FrameUnderTest test({{"Language", 1}, {"CommentText", 1}});
    auto& frame = test.frame;
    frame->resize(400, 300);
    frame->show();
    AddSampleSolution(frame->Document().solution, 3);
    frame->SolutionReady();
    CCorvaneView& view = frame->View();
    view.ShowAll();
    QScrollBar* vertical = view.verticalScrollBar();
    QScrollBar* horizontal = view.horizontalScrollBar();
    QVERIFY(vertical->maximum() > 0);
    QVERIFY(horizontal->maximum() > 0);

    QTest::keyClick(&view, Qt::Key_PageDown);
    QCOMPARE(vertical->value(), vertical->pageStep());
    QTest::keyClick(&view, Qt::Key_Down);
    QCOMPARE(vertical->value(), vertical->pageStep() + CCorvaneView::kLineStep);
    QTest::keyClick(&view, Qt::Key_End);
    QCOMPARE(vertical->value(), vertical->maximum());
    QTest::keyClick(&view, Qt::Key_Home);
    QCOMPARE(vertical->value(), 0);
    QTest::keyClick(&view, Qt::Key_End, Qt::ShiftModifier);
    QCOMPARE(horizontal->value(), horizontal->maximum());
    QCOMPARE(vertical->value(), 0);
    QTest::keyClick(&view, Qt::Key_Left);
    QCOMPARE(horizontal->value(), horizontal->maximum() - CCorvaneView::kLineStep);
    QTest::keyClick(&view, Qt::Key_PageUp, Qt::ShiftModifier);
    QVERIFY(horizontal->value() < horizontal->maximum() - CCorvaneView::kLineStep);
}

void MainFrameTest::toolbarsAreShownOnlyWithTheEditor() {
    FrameUnderTest test({{"Language", 1}});
    auto& frame = test.frame;
    frame->show();
    QVERIFY(!frame->EditingToolBar()->isVisible());
    QVERIFY(!frame->KeypadToolBar()->isVisible());
    frame->CommandAction(MenuCommand::NewExample)->trigger();
    QVERIFY(frame->EditingToolBar()->isVisible());
    QVERIFY(frame->KeypadToolBar()->isVisible());
    QCOMPARE(frame->EditingToolBar()->actions().size(), qsizetype{19});
    QCOMPARE(frame->KeypadToolBar()->actions().size(), qsizetype{18});
    // Every button has its drawing, in both languages, and the icon shows it.
    for (QToolBar* bar : {frame->EditingToolBar(), frame->KeypadToolBar()}) {
        for (QAction* action : bar->actions()) {
            if (action->isSeparator()) {
                continue;
            }
            for (const int language : {kRussianLanguage, kEnglishLanguage}) {
                QVERIFY2(QFile::exists(ToolBarIconPath(action->data().toInt(), language)),
                         qPrintable(action->data().toString()));
            }
            QVERIFY(!action->icon().pixmap(24, 24).isNull());
        }
    }
    frame->SolveNow(kSimplifyProblem);
    QVERIFY(!frame->EditingToolBar()->isVisible());
    QVERIFY(!frame->KeypadToolBar()->isVisible());
}

void MainFrameTest::typedProblemIsSolvedFromTheEditor() {
    FrameUnderTest test({{"Language", 1}, {"MathType", 3}});
    auto& frame = test.frame;
    frame->show();
    QVERIFY(!frame->CommandAction(MenuCommand::Solve)->isEnabled());
    frame->CommandAction(MenuCommand::NewExample)->trigger();
    QVERIFY(frame->EditorShown());
    MathRedactor& editor = frame->Editor();
    QTest::keyClicks(&editor, "2x+3x");
    QCOMPARE(editor.Model().Text(), std::string(" 2 x + 3 x"));
    SaveForViewing(*frame, "editor");

    QSignalSpy ready(&editor, &MathRedactor::SolutionReady);
    QVERIFY(frame->CommandAction(MenuCommand::Solve)->isEnabled());
    frame->CommandAction(MenuCommand::Solve)->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(!frame->EditorShown(), 10'000);
    QCOMPARE(ready.count(), 1);
    QVERIFY(!frame->EditingToolBar()->isVisible());
    QVERIFY(frame->View().IsRunning());
    QCOMPARE(frame->Document().problemText, std::string(" 2 x + 3 x"));
    const auto& lines = frame->View().Lines().Lines();
    QCOMPARE(lines.size(), frame->Document().solution.Size());
    // The first step: the problem, chained to the next by "=".
    QCOMPARE(lines.front().paragraph.Text(), std::string("$2.x+3.x=$"));
    QVERIFY(!frame->CommandAction(MenuCommand::TextComments)->isEnabled());
    for (int tick = 0; tick < 12; ++tick) {
        frame->View().AdvanceOutput();
    }
    SaveForViewing(*frame, "output-running");

    // The problem went to the group's last-problem file; loading it brings it back into the editor.
    QFile last(QString::fromStdString(frame->Files().lastProblemFile));
    QVERIFY(last.open(QIODevice::ReadOnly));
    QCOMPARE(last.readAll(), QByteArray(" 2 x + 3 x"));
    frame->CommandAction(MenuCommand::NewExample)->trigger();
    QCOMPARE(editor.Model().Text(), std::string(" ~"));
    frame->CommandAction(MenuCommand::LoadLastExample)->trigger();
    QVERIFY(frame->EditorShown());
    QCOMPARE(editor.Model().Text(), std::string(" 2 x + 3 x"));
    QVERIFY(frame->View().IsComplete());
    QVERIFY(frame->CommandAction(MenuCommand::TextComments)->isEnabled());
}

void MainFrameTest::solutionIsLeftAloneWhileASolveWritesIt() {
    FrameUnderTest test({{"Language", 1}, {"MathType", 3}, {"CommentText", 0}});
    auto& frame = test.frame;
    frame->show();
    frame->CommandAction(MenuCommand::NewExample)->trigger();
    QTest::keyClicks(&frame->Editor(), "(x+1)^2-(x-1)^2");
    frame->CommandAction(MenuCommand::Solve)->trigger();
    // The hand-over waits for the event loop, so the solve counts as running until then.
    QVERIFY(frame->Editor().IsSolving());

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(test.installation.FilePath(QStringLiteral("during.pdf")));
    QCOMPARE(frame->PrintTo(printer), -1);
    frame->CommandAction(MenuCommand::TextComments)->trigger();
    QVERIFY(!frame->Settings().commentText);
    frame->SwitchLanguage(kRussianLanguage);
    QVERIFY(frame->View().Lines().Lines().empty());

    // Closing the window now waits for the solve before the solution goes.
    frame.reset();
}

void MainFrameTest::helpOpensThePageOfTheLanguageWhenItExists() {
    FrameUnderTest test({{"Language", 1}});
    auto& frame = test.frame;
    auto& installation = test.installation;
    frame->show();
    QVERIFY(QTest::qWaitForWindowActive(frame.get()));
    QTest::keyClick(frame.get(), Qt::Key_F1);
    QVERIFY(frame->HelpWindow() == nullptr);

    QFile page(installation.FilePath(QStringLiteral("Res/Help_Engl.html")));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("<html><head><title>Help</title></head><body><p>How to type</p></body></html>");
    page.close();
    QTest::keyClick(frame.get(), Qt::Key_F1);
    QVERIFY(frame->HelpWindow() != nullptr);
    QVERIFY(frame->HelpWindow()->isVisible());
    QCOMPARE(frame->HelpWindow()->Browser().source().toLocalFile(), QFileInfo(page).absoluteFilePath());
    // The Russian page does not exist: the window keeps what it shows.
    frame->SwitchLanguage(kRussianLanguage);
    QTest::keyClick(frame.get(), Qt::Key_F1);
    QCOMPARE(frame->HelpWindow()->Browser().source().toLocalFile(), QFileInfo(page).absoluteFilePath());
}

void MainFrameTest::printsTheSolutionToPdfPages() {
    FrameUnderTest test({{"Language", 1}, {"CommentText", 1}});
    auto& frame = test.frame;
    auto& installation = test.installation;
    QPrinter emptyPrinter(QPrinter::HighResolution);
    emptyPrinter.setOutputFormat(QPrinter::PdfFormat);
    emptyPrinter.setOutputFileName(installation.FilePath(QStringLiteral("empty.pdf")));
    QCOMPARE(frame->PrintTo(emptyPrinter), 0);
    QVERIFY(!QFileInfo::exists(installation.FilePath(QStringLiteral("empty.pdf"))));

    AddSampleSolution(frame->Document().solution, 1);
    frame->SolutionReady();

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString shortPdf = installation.FilePath(QStringLiteral("short.pdf"));
    printer.setOutputFileName(shortPdf);
    QCOMPARE(frame->PrintTo(printer), 1);
    QCOMPARE(CountPdfPages(shortPdf), 1);
    if (const QString folder = qEnvironmentVariable("ORBELIN_SCREENSHOT_DIR"); !folder.isEmpty()) {
        QFile::copy(shortPdf, folder + QStringLiteral("/printed.pdf"));
    }

    // A long solution runs over several pages, every one of them printed.
    AddSampleSolution(frame->Document().solution, 12);
    frame->SolutionReady();
    const QString longPdf = installation.FilePath(QStringLiteral("long.pdf"));
    printer.setOutputFileName(longPdf);
    const int pages = frame->PrintTo(printer);
    QVERIFY(pages > 1);
    QCOMPARE(CountPdfPages(longPdf), pages);

    // The preview paints the same pages and so knows their count.
    QPrinter previewPrinter(QPrinter::HighResolution);
    QPrintPreviewWidget preview(&previewPrinter);
    QObject::connect(&preview, &QPrintPreviewWidget::paintRequested,
                     [&frame](QPrinter* target) { frame->PrintTo(*target); });
    preview.updatePreview();
    QCOMPARE(preview.pageCount(), pages);
}

void MainFrameTest::screenshotSavesTheWindow() {
    TestInstallation installation;
    const QString solved = installation.FilePath(QStringLiteral("solved.png"));
    QCOMPARE(RunProgram(installation, {QStringLiteral("--screenshot"), solved, QStringLiteral("--kind"),
                                       QStringLiteral("simplify"), QStringLiteral("--lang"),
                                       QStringLiteral("en"), QString::fromLatin1(kSimplifyProblem)}),
             0);
    const QImage image(solved);
    QVERIFY(!image.isNull());
    QVERIFY(image.width() > 300 && image.height() > 200);
    // The first band is yellow right under the menu bar, and the formula in it is blue.
    int yellow = 0;
    int blue = 0;
    for (int y = 0; y < image.height() / 3; ++y) {
        for (int x = 0; x < image.width(); x += 2) {
            const QColor pixel = image.pixelColor(x, y);
            yellow += pixel == kYellow ? 1 : 0;
            blue += pixel.blue() > 150 && pixel.red() < 100 && pixel.green() < 100 ? 1 : 0;
        }
    }
    QVERIFY(yellow > 1000);
    QVERIFY(blue > 50);

    // A long solution is drawn whole: the window grows until the answer's yellow band lies in the
    // picture with nothing but the window's white below it.
    const QString whole = installation.FilePath(QStringLiteral("whole.png"));
    QCOMPARE(RunProgram(installation, {QStringLiteral("--screenshot"), whole, QStringLiteral("--lang"),
                                       QStringLiteral("en"), QStringLiteral("--text-comments"),
                                       QStringLiteral("1/(x-1)+1/(x+1)+1/(x-2)=0")}),
             0);
    const QImage picture(whole);
    QVERIFY(picture.height() > 1000);
    const int column = picture.width() / 2;
    int lastYellow = -1;
    for (int y = 0; y < picture.height(); ++y) {
        lastYellow = picture.pixelColor(column, y) == kYellow ? y : lastYellow;
    }
    QVERIFY(lastYellow > picture.height() / 2);
    for (int y = lastYellow + 1; y < picture.height() - 2; ++y) {
        QCOMPARE(picture.pixelColor(column, y), QColor(Qt::white));
    }

    const QString splash = installation.FilePath(QStringLiteral("splash.png"));
    QCOMPARE(RunProgram(installation, {QStringLiteral("--screenshot"), splash}), 0);
    const QImage start(splash);
    QVERIFY(!start.isNull());
    QVERIFY(start.pixelColor(start.width() / 2, start.height() / 2) != QColor(Qt::white));

    QVERIFY(RunProgram(installation, {QStringLiteral("--screenshot")}) == 2);

    // A store whose base folder has no language file: the path is named and nothing is saved.
    QDir(installation.BaseFolder()).mkpath(QStringLiteral("Vantor Kastrel"));
    QSettings store(installation.FilePath(QStringLiteral("Vantor Kastrel/Orbelin.conf")),
                    QSettings::IniFormat);
    store.setValue(QStringLiteral("PathProg"), installation.FilePath(QStringLiteral("Samples/")));
    store.sync();
    QString errors;
    const QString unsaved = installation.FilePath(QStringLiteral("unsaved.png"));
    QCOMPARE(RunProgram(installation, {QStringLiteral("--screenshot"), unsaved}, &errors), 2);
    QVERIFY(errors.contains(installation.FilePath(QStringLiteral("Samples/Res/Russian.ini  NOT FOUND"))));
    QVERIFY(!QFileInfo::exists(unsaved));
    QVERIFY(RunProgram(installation, {QStringLiteral("--screenshot"), solved, QStringLiteral("--kind"),
                                      QStringLiteral("cube")}) == 2);
}

void MainFrameTest::aboutBoxNamesTheProgramItsVersionAndMaker() {
    FrameUnderTest test({{"Language", 1}});
    QString shown;
    QTimer::singleShot(0, [&shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box != nullptr) {
            shown = box->text();
            box->accept();
        }
    });
    test.frame->CommandAction(MenuCommand::About)->trigger();
    QVERIFY(shown.contains(QStringLiteral("Orbelin")));
    QVERIFY(shown.contains(QStringLiteral("Vantor Kastrel")));
    QVERIFY(shown.contains(QRegularExpression(QStringLiteral("\\d+\\.\\d+"))));
}

QTEST_MAIN(MainFrameTest)
#include "MainFrameTest.moc"
