// Check my solution, driven as a pupil drives it: lines typed with the keyboard (Enter starts a new
// line), Check clicked with the mouse, the marks and messages read from the table beside the lines.

#include "app/CCheckDialog.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A base folder with the project's language files in Res/.
class LanguageFolder {
public:
    LanguageFolder() {
        QDir(m_folder.path()).mkpath(QStringLiteral("Res"));
        for (const char* name : {"English.ini", "Russian.ini"}) {
            QFile::copy(QStringLiteral(ORBELIN_SOURCE_DIR "/res/") + QLatin1String(name),
                        m_folder.filePath(QStringLiteral("Res/") + QLatin1String(name)));
        }
    }
    std::string Path() const { return m_folder.path().toStdString() + "/"; }

private:
    QTemporaryDir m_folder;
};

// Types the lines into the dialog's text, pressing Enter between them.
void TypeLines(CCheckDialog& dialog, const QStringList& lines) {
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            QTest::keyClick(dialog.LinesEdit(), Qt::Key_Return);
        }
        QTest::keyClicks(dialog.LinesEdit(), lines[i]);
    }
}

QString Cell(const CCheckDialog& dialog, int row, int column) {
    const QTableWidgetItem* item = dialog.Verdicts()->item(row, column);
    return item != nullptr ? item->text() : QString();
}

} // namespace

class CheckDialogTest : public QObject {
    Q_OBJECT

private slots:
    void MarksEveryLineAndExplainsTheFirstWrongOne() {
        LanguageFolder folder;
        CCheckDialog dialog({ProblemKind::Equation, kEnglishLanguage, "x^2=x", folder.Path(), nullptr});
        dialog.show();
        TypeLines(dialog, {"x^2 - x = 0", "x(x - 1) = 0", "x = 1"});
        QTest::mouseClick(dialog.CheckButton(), Qt::LeftButton);
        QCOMPARE(dialog.Verdicts()->rowCount(), 3);
        QCOMPARE(Cell(dialog, 0, 1), QStringLiteral("\u2713"));
        QCOMPARE(Cell(dialog, 1, 1), QStringLiteral("\u2713"));
        QCOMPARE(Cell(dialog, 2, 0), QStringLiteral("3"));
        QCOMPARE(Cell(dialog, 2, 1), QStringLiteral("\u2717"));
        QCOMPARE(Cell(dialog, 2, 2), QStringLiteral("x = 0 solves the line before but not this line"));
        QCOMPARE(dialog.Summary()->text(), QStringLiteral("The solution is wrong from line 3 on."));
    }

    // Each verdict stands beside its own line, a blank line between them included, and the rows are as
    // high as the lines; a wrong line's row is reddened and its cross red, a right line's tick green.
    void VerdictsStandOnTheRowsOfTheirLines() {
        LanguageFolder folder;
        CCheckDialog dialog({ProblemKind::Equation, kEnglishLanguage, "x^2-5x+6=0", folder.Path(), nullptr});
        dialog.show();
        TypeLines(dialog, {"x^2-2x-3x+6=0", "", "(x-2)(x+3)=0"});
        QTest::mouseClick(dialog.CheckButton(), Qt::LeftButton);
        QCOMPARE(dialog.Verdicts()->rowCount(), 3);
        QCOMPARE(Cell(dialog, 0, 0), QStringLiteral("1"));
        QCOMPARE(Cell(dialog, 1, 1), QString());
        QCOMPARE(Cell(dialog, 2, 0), QStringLiteral("3"));
        QCOMPARE(Cell(dialog, 2, 1), QStringLiteral("\u2717"));
        const int lineHeight = QFontMetrics(dialog.LinesEdit()->font()).lineSpacing();
        QCOMPARE(dialog.Verdicts()->rowHeight(2), lineHeight);
        QCOMPARE(dialog.LinesEdit()->document()->documentMargin(), 0.0);
        const QTableWidgetItem* wrong = dialog.Verdicts()->item(2, 1);
        QVERIFY(wrong->foreground().color().red() > 150 && wrong->foreground().color().green() < 50);
        QVERIFY(dialog.Verdicts()->item(2, 2)->background().color().red() >
                dialog.Verdicts()->item(2, 2)->background().color().green());
        const QTableWidgetItem* right = dialog.Verdicts()->item(0, 1);
        QVERIFY(right->foreground().color().green() > 100 && right->foreground().color().red() < 50);
    }

    void CorrectingTheLineAndCheckingAgainFinishesTheSolution() {
        LanguageFolder folder;
        CCheckDialog dialog({ProblemKind::Equation, kEnglishLanguage, "x^2=x", folder.Path(), nullptr});
        dialog.show();
        TypeLines(dialog, {"x(x - 1) = 0", "x = 1"});
        QTest::mouseClick(dialog.CheckButton(), Qt::LeftButton);
        QVERIFY(!dialog.LastCheck().finished);
        QTest::keyClicks(dialog.LinesEdit(), QStringLiteral(" or x = 0"));
        QTest::mouseClick(dialog.CheckButton(), Qt::LeftButton);
        QCOMPARE(Cell(dialog, 1, 1), QStringLiteral("\u2713"));
        QCOMPARE(dialog.Summary()->text(), QStringLiteral("The solution is right and finished."));
    }

    void AnUnfinishedSolutionGetsTheSolversNextStepInRussian() {
        LanguageFolder folder;
        CLanguageTables texts;
        QVERIFY(texts.LoadLanguage(folder.Path(), kRussianLanguage, nullptr));
        CCheckDialog dialog(
            {ProblemKind::Simplify, kRussianLanguage, "{x^2-1}/{x+1}+2.x", folder.Path(), &texts});
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Проверить моё решение"));
        QCOMPARE(dialog.CheckButton()->text(), QStringLiteral("Проверить"));
        dialog.show();
        TypeLines(dialog, {"x - 1 + 2x"});
        QTest::mouseClick(dialog.CheckButton(), Qt::LeftButton);
        QCOMPARE(Cell(dialog, 0, 2), QStringLiteral("верно"));
        const QString summary = dialog.Summary()->text();
        QVERIFY2(summary.startsWith(QStringLiteral("Все строки верны, но решение не закончено.")),
                 qPrintable(summary));
        QVERIFY2(summary.endsWith(QStringLiteral("3x \u2212 1")), qPrintable(summary));
    }

    void ShowTheSolutionClosesTheDialogAskingForIt() {
        LanguageFolder folder;
        CCheckDialog dialog({ProblemKind::Factorise, kEnglishLanguage, "x^2-1", folder.Path(), nullptr});
        dialog.show();
        QTest::mouseClick(dialog.ShowSolutionButton(), Qt::LeftButton);
        QVERIFY(dialog.SolutionRequested());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(CheckDialogTest)
#include "CheckDialogTest.moc"
