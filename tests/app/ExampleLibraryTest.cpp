// The example library: the selection dialog (formula lines, filter, last choice, Select without a
// line), the classifier dialog in both modes with its operations and messages, the note file and the
// note dialog.

#include "app/CMainFrame.h"
#include "app/CNoteDlg.h"
#include "app/CNoteEditDlg.h"
#include "app/EdidDialogPr.h"
#include "app/LibraryMessages.h"
#include "app/NoteFile.h"
#include "editor/LastProblemFile.h"
#include "editor/MathRedactor.h"
#include "output/LanguageTables.h"
#include "output/Windows1251.h"
#include "solver/SolveProblem.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <deque>
#include <sys/resource.h>

namespace {

// Answers questions from a queue (Yes when it is empty) and remembers every message shown.
class CFakeMessages final : public CLibraryMessages {
public:
    using CLibraryMessages::CLibraryMessages;

    void Inform(std::size_t message, QWidget*) override { shown.push_back(message); }
    bool Ask(std::size_t message, QWidget*) override {
        shown.push_back(message);
        if (answers.empty()) {
            return true;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<std::size_t> shown;
    std::deque<bool> answers;
};

CLanguageTables EnglishTexts() {
    CLanguageTables tables;
    tables.LoadFile(std::string(ORBELIN_SOURCE_DIR) + "/res/English.ini", nullptr);
    return tables;
}

const std::string kSamples = "x + 1 = 2;A&\r\n2 x = 4;B&a note\r\n{{ x }^{ 2 }} - 1 = 0;A&\r\n";

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

// What a classifier dialog works on: the English texts, a messages fake, a note file in a folder of
// its own, and the filter.
struct NoteFixture {
    explicit NoteFixture(const QByteArray& noteFile = "\tAll examples\r\nA\tLinear\r\n") {
        WriteAll(notePath, noteFile);
    }
    std::unique_ptr<CNoteDlg> Dialog(NoteDialogMode mode, std::vector<SampleEntry>* samples = nullptr) {
        return std::make_unique<CNoteDlg>(mode, texts, messages, notePath.toStdString(), filter, samples);
    }

    CLanguageTables texts = EnglishTexts();
    CFakeMessages messages{texts};
    QTemporaryDir dir;
    QString notePath = dir.filePath("Note1_1.txt");
    std::string filter = "NULL";
};

// Runs action once the next modal dialog of type Dialog is open.
template <typename Dialog> void WhenOpen(std::function<void(Dialog&)> action) {
    QTimer::singleShot(0, [action] {
        auto* dialog = dynamic_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            WhenOpen<Dialog>(action);
            return;
        }
        action(*dialog);
    });
}

} // namespace

class ExampleLibraryTest : public QObject {
    Q_OBJECT

private slots:
    void SelectionListsFormulasThroughTheFilter() {
        const CLanguageTables texts = EnglishTexts();
        CFakeMessages messages(texts);
        std::string filter = "NULL";
        int lastChoice = -1;
        EdidDialogPr dialog(texts, messages, ProblemKind::Equation, 1, kSamples, filter, lastChoice, {});
        QCOMPARE(dialog.windowTitle(), QString::fromStdString(texts.WindowTitleText(0)));
        QCOMPARE(dialog.List().count(), 3);
        QVERIFY(!dialog.Button(1009)->isEnabled());
        QVERIFY(!dialog.Button(1024)->isEnabled());
        QCOMPARE(dialog.Button(1046)->text(), QString("Filter"));
        // A line is as tall as its formula plus 6.
        const int height = dialog.List().Word(2).Height(dialog.List().Graphics());
        QVERIFY(height > CVListBox::kFontHeight);
        QCOMPARE(dialog.List().sizeHintForRow(2), height + CVListBox::kLineMargin);

        filter.assign(1, 'A');
        dialog.FillList();
        QCOMPARE(dialog.List().count(), 2);
        QCOMPARE(dialog.List().SampleOf(1), 2);

        filter.assign(1, 'Z');
        dialog.FillList();
        QCOMPARE(dialog.List().count(), 0);
        dialog.SelectChosen();
        QCOMPARE(messages.shown, std::vector<std::size_t>{LibraryMessage::kChooseExample});
        QCOMPARE(dialog.result(), 0);
    }

    void TheLastChoiceIsRemembered() {
        const CLanguageTables texts = EnglishTexts();
        CFakeMessages messages(texts);
        std::string filter = "NULL";
        int lastChoice = -1;
        {
            EdidDialogPr first(texts, messages, ProblemKind::Equation, 1, kSamples, filter, lastChoice, {});
            QVERIFY(first.List().selectedItems().isEmpty());
            first.SelectChosen();
            QCOMPARE(messages.shown.size(), 1u);
            first.List().setCurrentRow(1);
            first.SelectChosen();
            QCOMPARE(first.result(), int(QDialog::Accepted));
            QCOMPARE(first.ChosenProblem(), std::string("2 x = 4"));
        }
        QCOMPARE(lastChoice, 1);
        EdidDialogPr second(texts, messages, ProblemKind::Equation, 1, kSamples, filter, lastChoice, {});
        QCOMPARE(second.List().currentRow(), 1);
        QVERIFY(second.List().currentItem()->isSelected());
    }

    void FilterButtonListsAgainOnlyWhenTheFilterChanged() {
        const CLanguageTables texts = EnglishTexts();
        CFakeMessages messages(texts);
        std::string filter = "NULL";
        int lastChoice = -1;
        int result = 1;
        EdidDialogPr dialog(texts, messages, ProblemKind::Equation, 1, kSamples, filter, lastChoice,
                            [&result](std::string& chosen, std::vector<SampleEntry>&) {
                                chosen.assign(1, 'B');
                                return result;
                            });
        dialog.Button(1046)->click();
        QCOMPARE(dialog.List().count(), 1);
        filter = "NULL";
        result = 0;
        dialog.Button(1046)->click();
        QCOMPARE(dialog.List().count(), 1);
    }

    // A user's own example takes another category code after it was added: the code is saved, and
    // under the old code's filter the example is no longer listed. A built-in sample keeps its code.
    void OwnExampleTakesAnotherCategoryCode() {
        const CLanguageTables texts = EnglishTexts();
        CFakeMessages messages(texts);
        std::string filter = "NULL";
        int lastChoice = -1;
        EdidDialogPr dialog(texts, messages, ProblemKind::Equation, 1, kSamples, filter, lastChoice, {});
        SampleEntry own;
        own.problemText = "x - 7 = 0";
        own.code = "A";
        std::vector<SampleEntry> saved;
        dialog.SetUserSamples({own}, [&saved](const std::vector<SampleEntry>& samples) {
            saved = samples;
            return true;
        });
        std::string offered;
        dialog.SetCodeChooser([&offered](const std::string& current) -> std::optional<std::string> {
            offered = current;
            return std::string("Q2");
        });
        QPushButton* recode = dialog.Button(EdidDialogPr::kCategoryCodeButton);
        QCOMPARE(recode->text(), QStringLiteral("Category code…"));
        dialog.List().setCurrentRow(0);
        QVERIFY(!recode->isEnabled());
        dialog.List().setCurrentRow(3);
        QVERIFY(recode->isEnabled());
        QTest::mouseClick(recode, Qt::LeftButton);
        QCOMPARE(offered, std::string("A"));
        QCOMPARE(saved.size(), std::size_t{1});
        QCOMPARE(saved[0].code, std::string("Q2"));
        QCOMPARE(saved[0].problemText, own.problemText);

        filter = "A";
        dialog.FillList();
        QCOMPARE(dialog.List().count(), 2);
        filter = "Q2";
        dialog.FillList();
        QCOMPARE(dialog.List().count(), 1);
        QCOMPARE(dialog.List().SampleOf(0), 3);
    }

    void TheListIsDrawn() {
        const CLanguageTables texts = EnglishTexts();
        CFakeMessages messages(texts);
        std::string filter = "NULL";
        int lastChoice = 0;
        std::string samples = "2 {{ 1 }/{ 3 }} + 0 , 5 x : 2;&\r\n";
        samples.append(kSamples);
        EdidDialogPr dialog(texts, messages, ProblemKind::Factorise, 1, samples, filter, lastChoice, {});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QImage picture = dialog.grab().toImage();
        picture.save(QDir::temp().filePath("orbelin-example-library.png"));
        const QImage list = dialog.List().viewport()->grab().toImage();
        const QColor background = dialog.List().palette().button().color();
        int inked = 0;
        for (int y = 0; y < list.height(); ++y) {
            for (int x = 0; x < list.width(); ++x) {
                const QColor pixel = list.pixelColor(x, y);
                inked += pixel.lightness() < 80 && pixel != background;
            }
        }
        QVERIFY2(inked > 100, qPrintable(QString::number(inked)));
    }

    void NoteFileRoundTripAndMissingFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("Note1_1.txt");
        std::vector<NoteEntry> entries = ReadNoteFile(path.toStdString(), "All examples");
        QVERIFY(QFile::exists(path));
        QCOMPARE(entries.size(), 1u);
        QCOMPARE(entries[0].description, std::string("All examples"));
        entries.push_back({"A", "Linear"});
        entries.push_back({"", "no code: not written"});
        entries.push_back({"B", "Quadratic"});
        QVERIFY(WriteNoteFile(path.toStdString(), entries, "All examples"));
        QCOMPARE(ReadAll(path), QByteArray("\tAll examples\r\nA\tLinear\r\nB\tQuadratic\r\n"));
        const std::vector<NoteEntry> read = ReadNoteFile(path.toStdString(), "Root");
        QCOMPARE(read.size(), 3u);
        QCOMPARE(read[0].description, std::string("Root"));
        QCOMPARE(read[2].code, std::string("B"));
    }

    // A write that fails (here: the file size limit) keeps the old note file whole and says so.
    void ANoteFileSurvivesAFailedWrite() {
        NoteFixture f;
        QDir(f.dir.path()).mkpath("Samples");
        const QByteArray old = "\tAll examples\r\nA\tLinear\r\n";
        const auto dialogOwner = f.Dialog(NoteDialogMode::Classifier);
        CNoteDlg& dialog = *dialogOwner;
        dialog.AddLine();
        dialog.EditBox().setText("B");
        QVERIFY(dialog.CommitEdit());
        QVERIFY(dialog.BeginEdit(2, CNoteListBox::kDescriptionColumn));
        dialog.EditBox().setText(QString(400, 'w'));
        QVERIFY(dialog.CommitEdit());

        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit saved = limit;
        limit.rlim_cur = 64;
        setrlimit(RLIMIT_FSIZE, &limit);
        dialog.Yes();
        // The editor's last-problem file is written the same way.
        const QByteArray lastProblem = " x + 1 = 2";
        WriteAll(f.dir.filePath("Samples/LastPr1.txt"), lastProblem);
        const bool lastProblemWritten =
            WriteLastProblem(f.dir.path().toStdString() + "/", ProblemKind::Equation, std::string(200, 'x'));
        setrlimit(RLIMIT_FSIZE, &saved);

        QVERIFY(!lastProblemWritten);
        QCOMPARE(ReadAll(f.dir.filePath("Samples/LastPr1.txt")), lastProblem);

        QCOMPARE(ReadAll(f.notePath), old);
        QCOMPARE(f.messages.shown, std::vector<std::size_t>{LibraryMessage::kCannotWriteFile});
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files), QStringList{"Note1_1.txt"});
        QCOMPARE(QDir(f.dir.filePath("Samples")).entryList(QDir::Files), QStringList{"LastPr1.txt"});
    }

    void ClassifierModeEditsAndSaves() {
        NoteFixture f("\tAll examples\r\nA\tLinear\r\nB\tQuadratic\r\n");
        std::vector<SampleEntry> samples = ParseSamples(kSamples);
        const auto dialogOwner = f.Dialog(NoteDialogMode::Classifier, &samples);
        CNoteDlg& dialog = *dialogOwner;
        QCOMPARE(dialog.windowTitle(), QString("Classifier of examples"));
        for (const int control : {1025, 1041, 1042, 1047}) {
            QVERIFY(dialog.Button(control)->isEnabled());
        }
        for (const int control : {1043, 1045, 1039}) {
            QVERIFY(!dialog.Button(control)->isEnabled());
        }
        QVERIFY(dialog.Button(1040)->isHidden());
        QCOMPARE(dialog.List().rowCount(), 3);

        // Add: a new line at the end, its code edited in place; empty and repeated codes are refused.
        dialog.AddLine();
        QVERIFY(dialog.IsEditing());
        QCOMPARE(dialog.List().ChosenRow(), 3);
        QVERIFY(!dialog.CommitEdit());
        dialog.EditBox().setText("A");
        QVERIFY(!dialog.CommitEdit());
        QCOMPARE(f.messages.shown,
                 (std::vector<std::size_t>{LibraryMessage::kEmptyCode, LibraryMessage::kCodeExists}));
        dialog.EditBox().setText("C");
        QVERIFY(dialog.CommitEdit());
        QVERIFY(!dialog.IsEditing());

        // Insert: before the chosen line, never before the root.
        dialog.List().ChooseRow(0);
        dialog.InsertLine();
        QCOMPARE(dialog.List().ChosenRow(), 1);
        dialog.EditBox().setText("D");
        QVERIFY(dialog.CommitEdit());
        QCOMPARE(dialog.Entries()[1].code, std::string("D"));

        // Delete: the root stays; another line goes after a Yes, not after a No.
        f.messages.shown.clear();
        dialog.List().ChooseRow(0);
        dialog.DeleteChosen();
        QCOMPARE(dialog.Entries().size(), 5u);
        dialog.List().ChooseRow(1);
        f.messages.answers = {false};
        dialog.DeleteChosen();
        QCOMPARE(dialog.Entries().size(), 5u);
        dialog.DeleteChosen();
        QCOMPARE(dialog.Entries().size(), 4u);
        QCOMPARE(f.messages.shown, (std::vector<std::size_t>{0, 0}));

        // Deleting a new line while it is edited: No returns to the edit, Yes drops it.
        dialog.AddLine();
        f.messages.answers = {false};
        dialog.DeleteChosen();
        QVERIFY(dialog.IsEditing());
        dialog.DeleteChosen();
        QVERIFY(!dialog.IsEditing());
        QCOMPARE(dialog.Entries().size(), 4u);

        // A changed code that samples carry: they follow it after a Yes.
        f.messages.shown.clear();
        QVERIFY(dialog.BeginEdit(1, CNoteListBox::kCodeColumn));
        dialog.EditBox().setText("L");
        QVERIFY(dialog.CommitEdit());
        QCOMPARE(f.messages.shown, std::vector<std::size_t>{LibraryMessage::kRecodeSamples});
        QCOMPARE(samples[0].code, std::string("L"));
        QCOMPARE(samples[2].code, std::string("L"));
        QVERIFY(dialog.BeginEdit(2, CNoteListBox::kCodeColumn));
        f.messages.answers = {false};
        dialog.EditBox().setText("Q");
        QVERIFY(dialog.CommitEdit());
        QCOMPARE(samples[1].code, std::string("B"));
        QVERIFY(dialog.BeginEdit(2, CNoteListBox::kDescriptionColumn));
        dialog.EditBox().setText(QString::fromUtf8("Квадратные"));
        QVERIFY(dialog.CommitEdit());
        QVERIFY(!dialog.BeginEdit(0, CNoteListBox::kCodeColumn));

        dialog.Yes();
        QCOMPARE(dialog.result(), 0);
        QCOMPARE(ReadAll(f.notePath), QByteArray("\tAll examples\r\nL\tLinear\r\nQ\t") +
                                          QByteArray::fromStdString(Utf8ToWindows1251("Квадратные")) +
                                          QByteArray("\r\nC\t\r\n"));
    }

    void LeavingWithAnUnfinishedEditAsks() {
        NoteFixture f;
        const auto dialogOwner = f.Dialog(NoteDialogMode::Classifier);
        CNoteDlg& dialog = *dialogOwner;
        QVERIFY(dialog.BeginEdit(1, CNoteListBox::kDescriptionColumn));
        dialog.EditBox().setText("Linear equations");
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QCOMPARE(f.messages.shown, std::vector<std::size_t>{LibraryMessage::kKeepUnfinishedEdit});
        QCOMPARE(dialog.result(), -1);
        QCOMPARE(ReadAll(f.notePath), QByteArray("\tAll examples\r\nA\tLinear equations\r\n"));

        const auto againOwner = f.Dialog(NoteDialogMode::Classifier);
        CNoteDlg& again = *againOwner;
        again.List().ChooseRow(1);
        again.SelectChosen();
        QCOMPARE(again.result(), int('A'));
        const auto rootOwner = f.Dialog(NoteDialogMode::Classifier);
        CNoteDlg& root = *rootOwner;
        root.List().ChooseRow(0);
        root.SelectChosen();
        QCOMPARE(root.result(), 0);
    }

    void FilterModeSetsAndClearsTheFilter() {
        NoteFixture f;
        const auto dialogOwner = f.Dialog(NoteDialogMode::Filter);
        CNoteDlg& dialog = *dialogOwner;
        for (const int control : {1043, 1045, 1047}) {
            QVERIFY(dialog.Button(control)->isEnabled());
        }
        for (const int control : {1025, 1041, 1042, 1039, 1040}) {
            QVERIFY(!dialog.Button(control)->isEnabled());
        }
        QCOMPARE(dialog.windowTitle(), QString("Choose a category"));
        QVERIFY(!dialog.BeginEdit(1, CNoteListBox::kCodeColumn));

        dialog.SetFilter();
        QCOMPARE(f.messages.shown, std::vector<std::size_t>{LibraryMessage::kChooseCategory});
        dialog.List().ChooseRow(1);
        dialog.SetFilter();
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.grab().save(QDir::temp().filePath("orbelin-classifier.png"));
        QCOMPARE(f.filter, std::string("A"));
        QCOMPARE(dialog.windowTitle(), QString("Choose a category  (filter 'A')"));
        QVERIFY(dialog.FilterChanged());
        dialog.ClearFilter();
        QCOMPARE(f.filter, std::string("NULL"));
        QCOMPARE(dialog.windowTitle(), QString("Choose a category"));
        dialog.Yes();
        QCOMPARE(dialog.result(), 1);

        const auto unchangedOwner = f.Dialog(NoteDialogMode::Filter);
        CNoteDlg& unchanged = *unchangedOwner;
        unchanged.ClearFilter();
        unchanged.Yes();
        QCOMPARE(unchanged.result(), 0);
    }

    // The main window's commands: choose a sample (through the filter) into the editor, and edit the
    // group's classifier.
    void TheMenuCommandsOpenTheLibrary() {
        QTemporaryDir dir;
        QDir base(dir.path());
        base.mkpath("Res");
        base.mkpath("Samples");
        for (const char* name : {"English.ini", "Russian.ini"}) {
            QFile::copy(QString(ORBELIN_BASE_FOLDER "Res/") + name, base.filePath(QString("Res/") + name));
        }
        MainFrameOptions options;
        options.settingsPath = dir.filePath("Orbelin.conf");
        options.writeSettings = false;
        options.fallbackBaseFolder = dir.path().toStdString() + "/";
        options.kind = ProblemKind::Simplify;
        options.language = 1;
        CMainFrame frame(options);
        const std::vector<SampleEntry> samples = ParseSamples(SampleResourceText(159));

        WhenOpen<EdidDialogPr>([](EdidDialogPr& dialog) {
            dialog.List().setCurrentRow(2);
            dialog.Button(1010)->click();
        });
        frame.CommandAction(MenuCommand::ChooseExample)->trigger();
        QCOMPARE(frame.Editor().PendingExample(), samples[2].problemText);

        WhenOpen<CNoteDlg>([](CNoteDlg& dialog) {
            dialog.AddLine();
            dialog.EditBox().setText("A");
            dialog.CommitEdit();
            dialog.Yes();
        });
        frame.CommandAction(MenuCommand::EditClassifier)->trigger();
        QCOMPARE(ReadAll(dir.filePath("Samples/Note3_1.txt")), QByteArray("\tAll examples\r\nA\t\r\n"));

        // The filter chosen from the selection dialog belongs to the group; no built-in sample carries
        // a code, so the list is empty under it.
        int linesUnderFilter = -1;
        WhenOpen<EdidDialogPr>([&linesUnderFilter](EdidDialogPr& dialog) {
            WhenOpen<CNoteDlg>([](CNoteDlg& notes) {
                notes.List().ChooseRow(1);
                notes.SetFilter();
                notes.Yes();
            });
            dialog.Button(1046)->click();
            linesUnderFilter = dialog.List().count();
            dialog.Button(1011)->click();
        });
        frame.CommandAction(MenuCommand::ChooseExample)->trigger();
        QCOMPARE(linesUnderFilter, 0);
        QCOMPARE(frame.LibraryFilter(), std::string("A"));
        QCOMPARE(frame.Editor().PendingExample(), samples[2].problemText);
    }

    void TheNoteDialogEditsOneLine() {
        const CLanguageTables texts = EnglishTexts();
        CNoteEditDlg dialog(texts, Utf8ToWindows1251("Пример"), nullptr);
        QCOMPARE(dialog.windowTitle(), QString("Note"));
        QCOMPARE(dialog.EditBox().text(), QString::fromUtf8("Пример"));
        dialog.EditBox().setText(QString::fromUtf8("Новая\nзаметка"));
        QCOMPARE(dialog.Note(), Utf8ToWindows1251("Новаязаметка"));
        dialog.findChild<QPushButton*>("button1034")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(ExampleLibraryTest)
#include "ExampleLibraryTest.moc"
