// The main window's commands about what is shown, each kept across a restart: the zoom of the solution,
// the problems solved last in the Example menu, and the page set up for printing.

#include "AppTestSupport.h"
#include "RestartableFrame.h"
#include "app/CCorvaneView.h"
#include "app/CMainFrame.h"
#include "app/PageLayoutText.h"
#include "editor/MathRedactor.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QPrinter>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

// The window of a restartable installation, driven as a user drives it.
struct FrameUnderTest : RestartableFrame {
    using RestartableFrame::RestartableFrame;

    // Types a problem into a new example and solves it with Enter, as a user does.
    void TypeAndSolve(const char* problem) {
        frame->ShowEditorWithExample(" ~");
        QTest::keyClicks(&frame->Editor(), problem);
        QTest::keyClick(&frame->Editor(), Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(!frame->EditorShown(), 10'000);
    }

    QStringList RecentTexts() const {
        QStringList texts;
        for (const QAction* action : frame->RecentProblemActions()) {
            texts << action->text();
        }
        return texts;
    }
};

} // namespace

class ViewCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void zoomKeysEnlargeTheSolutionAndTheZoomIsKept();
    void recentProblemsListTheLastFourAndOpenThemUnderTheirKind();
    void pageSetUpIsKeptAfterARestart();
    void pageLayoutTextRefusesWhatIsNoPage();
};

void ViewCommandsTest::zoomKeysEnlargeTheSolutionAndTheZoomIsKept() {
    FrameUnderTest test({{"Language", 1}});
    test.frame->resize(900, 700);
    test.frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(test.frame.get()));
    CCorvaneView& view = test.frame->View();
    QCOMPARE(view.Zoom(), CCorvaneView::kNormalZoom);
    test.frame->SolveNow("x^2-5x+6=0");
    view.ShowAll();
    const int usual = view.ScrollSize().height();
    // The keys act where the solution is shown.
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(&view, Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(view.Zoom(), 120);
    QVERIFY(view.ScrollSize().height() > usual * 11 / 10);
    QVERIFY(test.frame->ZoomAction(CMainFrame::ZoomCommand::In)->text() == QStringLiteral("Zoom in"));
    test.Restart();
    QCOMPARE(test.installation.StoredValue("Zoom").toInt(), 120);
    QCOMPARE(test.frame->View().Zoom(), 120);
    test.frame->ZoomAction(CMainFrame::ZoomCommand::Normal)->trigger();
    QCOMPARE(test.frame->View().Zoom(), CCorvaneView::kNormalZoom);
    test.frame->ZoomAction(CMainFrame::ZoomCommand::Out)->trigger();
    QCOMPARE(test.frame->View().Zoom(), 90);

    // A stored zoom out of its range gives the usual size.
    test.frame.reset();
    test.installation.WriteStore({{"Zoom", 5000}});
    test.Restart();
    QCOMPARE(test.frame->View().Zoom(), CCorvaneView::kNormalZoom);
}

void ViewCommandsTest::recentProblemsListTheLastFourAndOpenThemUnderTheirKind() {
    FrameUnderTest test({{"Language", 1}, {"MathType", 0}});
    QVERIFY(test.frame->RecentProblemActions().empty());
    for (const char* problem : {"x+1=2", "x+2=3", "x+3=4", "x+4=5", "x+5=6", "x+3=4"}) {
        test.TypeAndSolve(problem);
    }
    // The newest first; a problem solved again moves to the head instead of standing twice.
    const QStringList texts = test.RecentTexts();
    QCOMPARE(texts.size(), 4);
    QVERIFY(texts[0].startsWith(QStringLiteral("&1  x + 3 = 4")));
    QVERIFY(texts[1].startsWith(QStringLiteral("&2  x + 5 = 6")));
    QVERIFY(texts[3].startsWith(QStringLiteral("&4  x + 2 = 3")));
    QVERIFY(texts[0].endsWith(QStringLiteral("(Equations)")));

    test.frame->SwitchKind(ProblemKind::Simplify);
    test.TypeAndSolve("2x+3x");
    QVERIFY(test.RecentTexts()[0].endsWith(QStringLiteral("(Simplification of expressions)")));

    test.Restart();
    QCOMPARE(test.RecentTexts().size(), 4);
    QVERIFY(test.RecentTexts()[0].startsWith(QStringLiteral("&1  2x + 3x")));
    // Opening an equation's entry switches back to equations and puts it into the editor.
    test.frame->RecentProblemActions()[1]->trigger();
    QVERIFY(test.frame->EditorShown());
    QCOMPARE(test.frame->Settings().mathType, ProblemKind::Equation);
    QCOMPARE(QString::fromStdString(test.frame->Editor().Model().SolverText()), QStringLiteral("x+3=4"));
}

void ViewCommandsTest::pageSetUpIsKeptAfterARestart() {
    FrameUnderTest test({{"Language", 1}});
    QPrinter& printer = test.frame->Printer();
    const QPageLayout chosen(QPageSize(QPageSize::A5), QPageLayout::Landscape, QMarginsF(10, 20, 30, 12),
                             QPageLayout::Millimeter);
    QVERIFY(printer.setPageLayout(chosen));
    // The page set-up dialog opens on the printer's page and is accepted.
    QTimer accepter;
    QObject::connect(&accepter, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            dialog->accept();
        }
    });
    accepter.start(50);
    test.frame->CommandAction(MenuCommand::PrintSetup)->trigger();
    test.Restart();
    const QPageLayout kept = test.frame->Printer().pageLayout();
    QCOMPARE(kept.pageSize().id(), QPageSize::A5);
    QCOMPARE(kept.orientation(), QPageLayout::Landscape);
    QCOMPARE(kept.margins(QPageLayout::Millimeter).toMargins(), QMargins(10, 20, 30, 12));
}

void ViewCommandsTest::pageLayoutTextRefusesWhatIsNoPage() {
    const QPageLayout layout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(5, 6, 7, 8.5),
                             QPageLayout::Millimeter);
    const std::optional<QPageLayout> back = PageLayoutFromText(PageLayoutToText(layout));
    QVERIFY(back.has_value());
    QVERIFY(back->isEquivalentTo(layout));
    for (const char* text :
         {"", "A4", "Nonsense;portrait;1;1;1;1", "A4;sideways;1;1;1;1", "A4;portrait;1;1;1",
          "A4;portrait;-1;1;1;1", "A4;portrait;1;x;1;1", "A4;portrait;1;1;1;900"}) {
        QVERIFY2(!PageLayoutFromText(QString::fromLatin1(text)), text);
    }
}

QTEST_MAIN(ViewCommandsTest)
#include "ViewCommandsTest.moc"
