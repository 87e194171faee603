// The main window as a new user meets it: where it opens, how a solution ends on the screen, help,
// the output pace, the translated standard dialogs and the user's own examples in the collection.

#include "AppTestSupport.h"
#include "app/CCorvaneView.h"
#include "app/CMainFrame.h"
#include "editor/MathRedactor.h"

#include <QApplication>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

// A main window over an installation of its own whose store holds the given values.
struct FrameUnderTest {
    TestInstallation installation;
    std::unique_ptr<CMainFrame> frame;

    explicit FrameUnderTest(std::initializer_list<std::pair<const char*, QVariant>> values) {
        installation.WriteStore(values);
        Restart();
    }

    // The window goes (writing its settings back) and a new one starts over the same store.
    void Restart() {
        frame.reset();
        MainFrameOptions options;
        options.settingsPath = installation.StorePath();
        frame = std::make_unique<CMainFrame>(options);
    }
};

} // namespace

class MainWindowUseTest : public QObject {
    Q_OBJECT

private slots:
    void windowOpensMaximisedAndTheAnswerEndsOnTheScreen();
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

    frame.SolveNow("1/(x-1)+1/(x+1)+1/(x-2)=0");
    CCorvaneView& view = frame.View();
    view.ShowAll();
    QTest::keyClick(&view, Qt::Key_End);
    QCoreApplication::processEvents();
    const QRect answer = view.BandArea(static_cast<int>(view.Lines().Lines().size()) - 1);
    QVERIFY(answer.height() > 10);
    QVERIFY(answer.bottom() < view.viewport()->height());
    QVERIFY(free.contains(view.viewport()->mapToGlobal(answer.bottomLeft())));
}

QTEST_MAIN(MainWindowUseTest)
#include "MainWindowUseTest.moc"
