// Copy the solution, Copy as LaTeX and Save the solution as in the desktop program: the clipboard's
// three forms, every file type of the save dialog, and the commands' places and texts.

#include "export/SolutionExport.h"
#include "app/CCorvaneView.h"
#include "app/CMainFrame.h"
#include "app/SolutionExporter.h"
#include "export/CommentTexts.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// A main window over the build's language files, with text comments on.
struct ExportFrame {
    QTemporaryDir folder;
    std::unique_ptr<CMainFrame> frame;

    explicit ExportFrame(int language = kEnglishLanguage) {
        const QString store = folder.filePath(QStringLiteral("Orbelin.conf"));
        {
            QSettings settings(store, QSettings::IniFormat);
            settings.setValue(QStringLiteral("PathProg"), QStringLiteral(ORBELIN_BASE_FOLDER));
            settings.setValue(QStringLiteral("Language"), language);
            settings.setValue(QStringLiteral("CommentText"), 1);
        }
        MainFrameOptions options;
        options.settingsPath = store;
        options.writeSettings = false;
        options.headless = true;
        frame = std::make_unique<CMainFrame>(options);
    }

    std::string Exported(ExportFormat format) const {
        ExportOptions options;
        options.format = format;
        options.language = frame->Settings().language;
        return ExportSolution(frame->Document().solution, CommentTexts::FromTables(frame->Texts()), options);
    }

    QString Path(const char* name) const { return folder.filePath(QLatin1String(name)); }
};

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool MenuHolds(QMenuBar* bar, QAction* action) {
    for (QAction* top : bar->actions()) {
        if (top->menu() != nullptr && top->menu()->actions().contains(action)) {
            return true;
        }
    }
    return false;
}

} // namespace

class SolutionExportTest : public QObject {
    Q_OBJECT

private slots:
    void commandsWaitForASolutionAndStandInTheMenusAndTheContextMenu();
    void copyPutsTextHtmlAndAPictureOnTheClipboard();
    void copyAsLatexPutsTheFragmentAsText();
    void saveWritesTheFormatOfTheChosenFileType();
    void aPictureIsSavedAtTheChosenScale();
    void aFileThatCannotBeWrittenIsReportedInTheLanguage();
};

void SolutionExportTest::commandsWaitForASolutionAndStandInTheMenusAndTheContextMenu() {
    ExportFrame test;
    CSolutionExporter& exporter = test.frame->Exporter();
    const QList<QAction*> commands = {exporter.CopyAction(), exporter.CopyLatexAction(),
                                      exporter.SaveAction()};
    for (QAction* command : commands) {
        QVERIFY(!command->isEnabled());
        QVERIFY(MenuHolds(test.frame->menuBar(), command));
        QVERIFY(test.frame->View().actions().contains(command));
    }
    QCOMPARE(test.frame->View().contextMenuPolicy(), Qt::ActionsContextMenu);
    QCOMPARE(exporter.CopyAction()->text(), QStringLiteral("Copy the solution"));
    QCOMPARE(exporter.CopyLatexAction()->text(), QStringLiteral("Copy as LaTeX"));
    QCOMPARE(exporter.SaveAction()->text(), QStringLiteral("Save the solution as..."));

    test.frame->SolveNow("x^2-1=0");
    for (QAction* command : commands) {
        QVERIFY(command->isEnabled());
    }
    test.frame->SwitchLanguage(kRussianLanguage);
    QCOMPARE(exporter.CopyAction()->text(), QStringLiteral("Копировать решение"));
    QCOMPARE(exporter.CopyLatexAction()->text(), QStringLiteral("Копировать как LaTeX"));
    QCOMPARE(exporter.SaveAction()->text(), QStringLiteral("Сохранить решение как..."));
}

void SolutionExportTest::copyPutsTextHtmlAndAPictureOnTheClipboard() {
    ExportFrame test;
    test.frame->SolveNow("x^2-1=0");
    test.frame->Exporter().CopyAction()->trigger();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    QVERIFY(data != nullptr);
    QVERIFY(data->hasText());
    QVERIFY(data->hasHtml());
    QVERIFY(data->hasImage());
    QCOMPARE(data->text().toStdString(), test.Exported(ExportFormat::Text));
    QCOMPARE(data->html().toStdString(), test.Exported(ExportFormat::Html));
    QVERIFY(data->html().contains(QStringLiteral("<msup>")));
    const QImage image = qvariant_cast<QImage>(data->imageData());
    QVERIFY(!image.isNull());
    // Drawn at twice the screen's size: at least twice the view's least width.
    QVERIFY(image.width() >= 2 * 640);
    QCOMPARE(image.pixelColor(image.width() - 1, 1), QColor(255, 255, 0));
}

void SolutionExportTest::copyAsLatexPutsTheFragmentAsText() {
    ExportFrame test(kRussianLanguage);
    test.frame->SolveNow("x^2-1=0");
    test.frame->Exporter().CopyLatexAction()->trigger();
    const QString text = QApplication::clipboard()->text();
    QCOMPARE(text.toStdString(), test.Exported(ExportFormat::LatexFragment));
    QVERIFY(text.contains(QStringLiteral("x^{2} - 1 = 0")));
    // The comments in the language of the window.
    QVERIFY(text.contains(QRegularExpression(QStringLiteral("[\u0410-\u044F]"))));
    QVERIFY(!text.contains(QStringLiteral("\\documentclass")));
}

void SolutionExportTest::saveWritesTheFormatOfTheChosenFileType() {
    ExportFrame test;
    test.frame->SolveNow("(x^2-1)/(x+1)+2x=0");
    CSolutionExporter& exporter = test.frame->Exporter();
    const struct {
        int fileType;
        const char* name;
        const char* expectedName;
        QByteArray opening;
    } cases[] = {
        {0, "solution", "solution.txt", QByteArray::fromStdString(test.Exported(ExportFormat::Text))},
        {1, "solution.md", "solution.md", QByteArray::fromStdString(test.Exported(ExportFormat::Markdown))},
        {2, "solution", "solution.tex", QByteArray::fromStdString(test.Exported(ExportFormat::Latex))},
        {3, "solution.htm", "solution.htm.html",
         QByteArray::fromStdString(test.Exported(ExportFormat::Html))},
        {4, "solution", "solution.pdf", "%PDF"},
        {5, "solution", "solution.svg", "<?xml"},
        {6, "solution", "solution.png", "\x89PNG"},
    };
    // At first it opens in the user's documents or home folder, not the program's.
    QVERIFY(exporter.SuggestedSavePath().endsWith(QStringLiteral("/solution")));
    QVERIFY(QFileInfo(exporter.SuggestedSavePath()).absolutePath() != QDir::currentPath() ||
            QDir::currentPath() == QDir::homePath());
    for (const auto& c : cases) {
        exporter.askFile = [&](const QString& caption, const QString& filters, QString* chosenFilter) {
            const QStringList types = filters.split(QStringLiteral(";;"));
            [&] { QCOMPARE(types.size(), 7); }();
            [&] { QCOMPARE(caption, QStringLiteral("Save the solution")); }();
            *chosenFilter = types[c.fileType];
            return test.Path(c.name);
        };
        exporter.askScale = [] { return std::optional<double>(1.0); };
        exporter.SaveAction()->trigger();
        const QByteArray written = ReadAll(test.Path(c.expectedName));
        QVERIFY2(written.startsWith(c.opening), c.expectedName);
    }
    // The dialog opens where the last solution went, on the name "solution".
    QCOMPARE(exporter.SuggestedSavePath(), QDir(test.folder.path()).filePath(QStringLiteral("solution")));
    // A cancelled dialog writes nothing.
    exporter.askFile = [](const QString&, const QString&, QString*) { return QString(); };
    const auto before = QDir(test.folder.path()).entryList(QDir::Files).size();
    exporter.SaveAction()->trigger();
    QCOMPARE(QDir(test.folder.path()).entryList(QDir::Files).size(), before);
}

void SolutionExportTest::aPictureIsSavedAtTheChosenScale() {
    ExportFrame test;
    test.frame->SolveNow("x^2-1=0");
    CSolutionExporter& exporter = test.frame->Exporter();
    QCOMPARE(exporter.SaveTo(test.Path("one.png"), SaveFormat::Png, 1.0), QString());
    exporter.askFile = [&](const QString&, const QString& filters, QString* chosenFilter) {
        *chosenFilter = filters.split(QStringLiteral(";;")).last();
        return test.Path("three");
    };
    exporter.askScale = [] { return std::optional<double>(3.0); };
    exporter.SaveAction()->trigger();
    const QImage one(test.Path("one.png"));
    const QImage three(test.Path("three.png"));
    QVERIFY(!one.isNull());
    QVERIFY(!three.isNull());
    QCOMPARE(three.width(), 3 * one.width());
    QCOMPARE(three.height(), 3 * one.height());
    // The scale question cancelled: nothing is saved.
    exporter.askScale = [] { return std::optional<double>(); };
    exporter.askFile = [&](const QString&, const QString& filters, QString* chosenFilter) {
        *chosenFilter = filters.split(QStringLiteral(";;")).last();
        return test.Path("cancelled");
    };
    exporter.SaveAction()->trigger();
    QVERIFY(!QFile::exists(test.Path("cancelled.png")));
}

void SolutionExportTest::aFileThatCannotBeWrittenIsReportedInTheLanguage() {
    ExportFrame test(kRussianLanguage);
    test.frame->SolveNow("x=1");
    const QString problem =
        test.frame->Exporter().SaveTo(test.Path("no-such-folder/x.html"), SaveFormat::Html);
    QVERIFY(problem.startsWith(QStringLiteral("Не удаётся записать файл:")));
    QVERIFY(!QFile::exists(test.Path("no-such-folder")));
    QCOMPARE(SaveFormatOfPath(QStringLiteral("a/b.TeX")), std::optional<SaveFormat>(SaveFormat::Latex));
    QCOMPARE(SaveFormatOfPath(QStringLiteral("a/b.doc")), std::optional<SaveFormat>());
}

QTEST_MAIN(SolutionExportTest)
#include "SolutionExportTest.moc"
