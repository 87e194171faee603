// The main window as a new user meets it: where it opens, how a solution ends on the screen, help,
// the output pace, the translated standard dialogs and the user's own examples in the collection.

#include "AppTestSupport.h"
#include "RestartableFrame.h"
#include "app/CCorvaneView.h"
#include "app/CHelpWindow.h"
#include "app/CMainFrame.h"
#include "app/CNoteDlg.h"
#include "app/EdidDialogPr.h"
#include "app/LibraryMessages.h"
#include "app/NoteFile.h"
#include "app/UserCollection.h"
#include "editor/MathRedactor.h"
#include "output/LanguageTables.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <memory>

namespace {

// An equation whose solution has 28 records.
constexpr char kLongSolutionProblem[] = "1/(x-1)+1/(x+1)+1/(x-2)=0";

using FrameUnderTest = RestartableFrame;

// Answers the modal dialogs that open while it lives: every 20 ms the active modal widget, if any, is
// handed to the answer.
class ModalAnswerer {
public:
    explicit ModalAnswerer(std::function<void(QWidget*)> answer) : m_answer(std::move(answer)) {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                m_answer(modal);
            }
        });
        m_timer.start(20);
    }

private:
    std::function<void(QWidget*)> m_answer;
    QTimer m_timer;
};

} // namespace

class MainWindowUseTest : public QObject {
    Q_OBJECT

private slots:
    void windowOpensMaximisedAndTheAnswerEndsOnTheScreen();
    void helpWindowShowsTheShippedPageWithItsPictures();
    void standardDialogsSpeakTheInterfaceLanguage();
    void aboutBoxDescribesTheProgram();
    void outputPaceIsQuickByDefaultAndKeptAfterARestart();
    void textCommentsAreShownOnTheFirstStart();
    void ownExampleIsCollectedFilteredAndDeletedAcrossRestarts();
    void tabInTheClassifierMovesFromCodeToDescription();
    void ownExampleTakesAnotherCodeAfterItWasAdded();
    void finishSoundPlaysAfterTheLayoutAndBeforeTheView();
};

void MainWindowUseTest::windowOpensMaximisedAndTheAnswerEndsOnTheScreen() {
    FrameUnderTest test({{"Language", 1}, {"CommentText", 1}});
    CMainFrame& frame = *test.frame;
    const QRect free = frame.screen()->availableGeometry();
    // Even before it is shown maximised, the window fits in the free area of the screen.
    QVERIFY(free.contains(frame.geometry()));
    frame.ShowOnScreen();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QVERIFY(frame.isMaximized());
    QVERIFY(free.contains(frame.frameGeometry()));

    frame.SolveNow(kLongSolutionProblem);
    CCorvaneView& view = frame.View();
    view.ShowAll();
    QTest::keyClick(&view, Qt::Key_End);
    QCoreApplication::processEvents();
    const QRect answer = view.BandArea(static_cast<int>(view.Lines().Lines().size()) - 1);
    QVERIFY(answer.height() > 10);
    QVERIFY(answer.bottom() < view.viewport()->height());
    QVERIFY(free.contains(view.viewport()->mapToGlobal(answer.bottomLeft())));
}

// F1 shows the shipped help page in a window of the program's own, pictures and all, where no web
// browser is needed.
void MainWindowUseTest::helpWindowShowsTheShippedPageWithItsPictures() {
    FrameUnderTest test({{"Language", 1}});
    QVERIFY(QFile::copy(QStringLiteral(ORBELIN_BINARY_DIR "/Res/Help_Engl.html"),
                        test.installation.FilePath(QStringLiteral("Res/Help_Engl.html"))));
    CMainFrame& frame = *test.frame;
    frame.show();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    QTest::keyClick(&frame, Qt::Key_F1);
    QVERIFY(frame.HelpWindow() != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(frame.HelpWindow()));
    const QTextBrowser& browser = frame.HelpWindow()->Browser();
    const QString text = browser.toPlainText();
    // It says how to type exponents and fractions.
    QVERIFY(text.contains(QStringLiteral("x^2-5x")));
    QVERIFY(text.contains(QStringLiteral("1/(x-1)")));
    // Its pictures are the toolbar's buttons, loaded.
    const QVariant picture = browser.document()->resource(QTextDocument::ImageResource,
                                                          QUrl(QStringLiteral("qrc:/icons/power.svg")));
    QVERIFY(picture.isValid());
    QVERIFY(frame.HelpWindow()->windowTitle().contains(QStringLiteral("help")));
}

// Under the Russian interface Qt's own dialogs (print preview, page setup, print) are Russian too.
void MainWindowUseTest::standardDialogsSpeakTheInterfaceLanguage() {
    FrameUnderTest test({{"Language", 0}});
    CMainFrame& frame = *test.frame;
    QString title;
    QSize size;
    const auto readTitle = [&title, &size] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            title = dialog->windowTitle();
            size = dialog->size();
            dialog->close();
        }
    };
    QTimer::singleShot(200, readTitle);
    frame.CommandAction(MenuCommand::PrintPreview)->trigger();
    QCOMPARE(title, QCoreApplication::translate("QPrintPreviewDialog", "Print Preview"));
    QVERIFY(title != QStringLiteral("Print Preview"));
    QVERIFY(!title.isEmpty());
    // The preview opens large enough to read a page.
    const QSize free = frame.screen()->availableGeometry().size();
    QVERIFY(size.width() >= free.width() * 3 / 4 && size.height() >= free.height() * 3 / 4);

    frame.SwitchLanguage(kEnglishLanguage);
    QTimer::singleShot(200, readTitle);
    frame.CommandAction(MenuCommand::PrintPreview)->trigger();
    QCOMPARE(title, QStringLiteral("Print Preview"));
}

void MainWindowUseTest::aboutBoxDescribesTheProgram() {
    FrameUnderTest test({{"Language", 1}});
    QString shown;
    QTimer::singleShot(0, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    test.frame->CommandAction(MenuCommand::About)->trigger();
    QVERIFY(shown.contains(QStringLiteral("Version")));
    QVERIFY(shown.contains(QStringLiteral("school algebra")));
}

// The 28-record solution took a minute and a half at one glyph per 100 ms; the default pace writes it
// out in seconds, the chosen pace is kept in the store, and "at once" is done in the first tick.
void MainWindowUseTest::outputPaceIsQuickByDefaultAndKeptAfterARestart() {
    FrameUnderTest test({{"Language", 1}, {"CommentText", 1}});
    CCorvaneView* view = &test.frame->View();
    QCOMPARE(view->Pace(), OutputPace::Fast);
    QVERIFY(test.frame->PaceAction(static_cast<int>(OutputPace::Fast))->isChecked());
    QElapsedTimer clock;
    clock.start();
    test.frame->SolveNow(kLongSolutionProblem);
    QVERIFY(view->Lines().Lines().size() >= 25);
    QTRY_VERIFY_WITH_TIMEOUT(view->IsComplete(), 30'000);
    QVERIFY(clock.elapsed() < 20'000);

    test.frame->PaceAction(static_cast<int>(OutputPace::Slow))->trigger();
    QCOMPARE(view->OutputInterval(), 100);
    QCOMPARE(view->StepsPerTick(), 1);
    test.Restart();
    view = &test.frame->View();
    QCOMPARE(test.installation.StoredValue("OutputPace").toInt(), 0);
    QCOMPARE(view->Pace(), OutputPace::Slow);
    QVERIFY(test.frame->PaceAction(static_cast<int>(OutputPace::Slow))->isChecked());

    test.frame->PaceAction(static_cast<int>(OutputPace::AtOnce))->trigger();
    test.frame->SolveNow(kLongSolutionProblem);
    QVERIFY(!view->IsComplete());
    QTRY_VERIFY_WITH_TIMEOUT(view->IsComplete(), 5'000);
}

// Before any setting is stored, a new user sees the comments that explain each step.
void MainWindowUseTest::textCommentsAreShownOnTheFirstStart() {
    FrameUnderTest test({{"Language", 1}});
    QVERIFY(test.frame->Settings().commentText);
    test.frame->SolveNow(kLongSolutionProblem);
    test.frame->View().ShowAll();
    const auto shownText = [&test] {
        std::size_t length = 0;
        for (const LineStruct& line : test.frame->View().Lines().Lines()) {
            length += line.paragraph.Text().size();
        }
        return length;
    };
    const std::size_t withComments = shownText();
    test.frame->CommandAction(MenuCommand::TextComments)->trigger();
    QVERIFY(!test.frame->Settings().commentText);
    QVERIFY(shownText() + 200 < withComments);
    test.frame->CommandAction(MenuCommand::TextComments)->trigger();
    QVERIFY(test.frame->CommandAction(MenuCommand::TextComments)->isChecked());
}

// A teacher puts the current problem into the collection with a new category code, finds it after a
// restart under that filter, and deletes it again.
void MainWindowUseTest::ownExampleIsCollectedFilteredAndDeletedAcrossRestarts() {
    FrameUnderTest test({{"Language", 1}, {"MathType", 0}});
    QAction* put = test.frame->CommandAction(MenuCommand::PutIntoCollection);
    QVERIFY(!put->isEnabled());
    test.frame->ShowEditorWithExample(" ~");
    QVERIFY(!put->isEnabled());
    QTest::keyClicks(&test.frame->Editor(), "x^2-9=0");
    QVERIFY(put->isEnabled());
    {
        ModalAnswerer answerer([](QWidget* modal) {
            if (auto* input = qobject_cast<QInputDialog*>(modal)) {
                input->setTextValue(QStringLiteral("Q1"));
                input->accept();
            } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                box->accept();
            }
        });
        put->trigger();
    }
    const std::string collection = UserCollectionFile(test.installation.BaseFolder().toStdString() + "/", 1);
    QCOMPARE(ReadUserCollection(collection).size(), std::size_t{1});

    test.Restart();
    test.frame->SetLibraryFilter("Q1");
    int listed = -1;
    int listedAfterDelete = -1;
    bool deleteConfirmed = false;
    {
        // The dialog's Delete asks first: its click is queued, so that the question is answered on a
        // later tick of the answerer (a timer does not fire inside its own handler).
        ModalAnswerer answerer([&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                box->button(QMessageBox::Yes)->click();
                deleteConfirmed = true;
            } else if (auto* dialog = dynamic_cast<EdidDialogPr*>(modal)) {
                if (listed < 0) {
                    listed = dialog->List().count();
                    dialog->List().setCurrentRow(0);
                    QVERIFY(dialog->Button(1009)->isEnabled());
                    QMetaObject::invokeMethod(dialog->Button(1009), &QPushButton::click,
                                              Qt::QueuedConnection);
                } else if (deleteConfirmed) {
                    listedAfterDelete = dialog->List().count();
                    dialog->reject();
                }
            }
        });
        test.frame->CommandAction(MenuCommand::ChooseExample)->trigger();
    }
    QCOMPARE(listed, 1);
    QCOMPARE(listedAfterDelete, 0);
    test.Restart();
    QVERIFY(ReadUserCollection(collection).empty());
}

// The code asked for an own example offers its code now, also one the classifier does not hold, and
// the new code is what the collection keeps.
void MainWindowUseTest::ownExampleTakesAnotherCodeAfterItWasAdded() {
    FrameUnderTest test({{"Language", 1}, {"MathType", 0}});
    QVERIFY(test.frame->AddToCollection(" x - 7 = 0", "Q1"));
    QString offered;
    bool recoded = false;
    {
        ModalAnswerer answerer([&](QWidget* modal) {
            if (auto* input = qobject_cast<QInputDialog*>(modal)) {
                offered = input->textValue();
                input->setTextValue(QStringLiteral("Q2"));
                input->accept();
                recoded = true;
            } else if (auto* dialog = dynamic_cast<EdidDialogPr*>(modal)) {
                if (!recoded) {
                    dialog->List().setCurrentRow(dialog->List().count() - 1);
                    QMetaObject::invokeMethod(dialog->Button(EdidDialogPr::kCategoryCodeButton),
                                              &QPushButton::click, Qt::QueuedConnection);
                } else {
                    dialog->reject();
                }
            }
        });
        test.frame->CommandAction(MenuCommand::ChooseExample)->trigger();
    }
    QCOMPARE(offered, QStringLiteral("Q1"));
    const std::string collection = UserCollectionFile(test.installation.BaseFolder().toStdString() + "/", 1);
    const std::vector<SampleEntry> kept = ReadUserCollection(collection);
    QCOMPARE(kept.size(), std::size_t{1});
    QCOMPARE(kept[0].code, std::string("Q2"));
}

void MainWindowUseTest::tabInTheClassifierMovesFromCodeToDescription() {
    TestInstallation installation;
    CLanguageTables texts;
    texts.LoadFile(ORBELIN_SOURCE_DIR "/res/English.ini", nullptr);
    CLibraryMessages messages(texts);
    std::string filter = "NULL";
    const std::string notes = installation.FilePath(QStringLiteral("Samples/Note1_1.txt")).toStdString();
    CNoteDlg dialog(NoteDialogMode::Classifier, texts, messages, notes, filter, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.Button(1042)->click();
    auto* edit = dialog.findChild<QLineEdit*>();
    QVERIFY(edit != nullptr && edit->isVisible());
    QTest::keyClicks(edit, "Q7");
    QTest::keyClick(edit, Qt::Key_Tab);
    QVERIFY(edit->isVisible());
    QTest::keyClicks(edit, "Quadratic");
    QTest::keyClick(edit, Qt::Key_Return);
    const std::vector<NoteEntry>& entries = dialog.Entries();
    QCOMPARE(entries.back().code, std::string("Q7"));
    QCOMPARE(entries.back().description, std::string("Quadratic"));
}

void MainWindowUseTest::finishSoundPlaysAfterTheLayoutAndBeforeTheView() {
    FrameUnderTest test({{"Language", 1}});
    CMainFrame& frame = *test.frame;
    frame.ShowEditorWithExample(" ~");
    std::size_t linesWhenHeard = 0;
    bool editorShownWhenHeard = false;
    frame.Editor().SetSoundPlayer([&](const std::string&) {
        linesWhenHeard = frame.View().Lines().Lines().size();
        editorShownWhenHeard = frame.EditorShown();
    });
    QSignalSpy ready(&frame.Editor(), &MathRedactor::SolutionReady);
    QTest::keyClicks(&frame.Editor(), "2x=4");
    QTest::keyClick(&frame.Editor(), Qt::Key_Return);
    QVERIFY(ready.wait(20'000));
    QVERIFY(linesWhenHeard > 0);
    QVERIFY(editorShownWhenHeard);
    QVERIFY(!frame.EditorShown());
}

QTEST_MAIN(MainWindowUseTest)
#include "MainWindowUseTest.moc"
