// The formula editor widget driven by real key and mouse events on the off-screen platform.

#include "editor/MathRedactor.h"
#include "editor/BusyIndicators.h"
#include "editor/EditorCommand.h"
#include "editor/EditorText.h"
#include "editor/LastProblemFile.h"
#include "output/LanguageTables.h"
#include "solver/SolveProblem.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <random>

using namespace EditorCommand;

namespace {

QString Text(const MathRedactor& editor) {
    return QString::fromStdString(editor.Model().Text());
}

// The centre of the glyph drawn by the character at position of the editor text, in widget
// coordinates; side -1 is a point in its left half, +1 in its right half.
QPoint GlyphPoint(MathRedactor& editor, int position, int side) {
    const int index = EditorText::SymbolCountBefore(editor.Model().Text(), position);
    const MySymbol& glyph = editor.Symbols().at(index);
    const int x = glyph.x + glyph.width / 2 + side * glyph.width / 4;
    return {x + MathRedactor::kMargin, glyph.y + glyph.height / 2 + MathRedactor::kMargin};
}

bool IsWhite(QRgb pixel) {
    return qRed(pixel) > 240 && qGreen(pixel) > 240 && qBlue(pixel) > 240;
}

} // namespace

class MathRedactorTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void typedKeysBuildTheEditorText();
    void eitherDecimalKeyTypesTheDecimalSign();
    void backspaceAndDeleteKeys();
    void templatesAndWrapsAroundASelection();
    void cutCopyAndPasteThroughTheActions();
    void systemClipboardRoundTripUndoAndRedo();
    void pastedLinearTextIsReadAsTheFormulaItMeans();
    void enterSolves();
    void mousePlacesTheCaretAndDragSelects();
    void mouseReachesTheDenominator();
    void paintsTheFormulaTheSelectionAndTheCaret();
    void caretBlinks();
    void longProblemScrollsToKeepTheCaretInView();
    void loadProblemTakesThePendingExample();
    void solveRunsOnAWorkerAndIgnoresASecondSolve();
    void solveOfAMalformedProblemStillFinishes();
    void faultOfTheProblemIsNamedAndSelectedInTheEditor();
    void emptyProblemGivesTheEmptySolution();
    void theFinishSoundIsGenerated();
    void closingTheEditorDuringASolveWaitsForTheWorker();
    void randomTypingAlwaysLaysOut();

private:
    std::unique_ptr<MathRedactor> m_editor;
    std::unique_ptr<QTemporaryDir> m_baseFolder;
};

void MathRedactorTest::init() {
    m_baseFolder = std::make_unique<QTemporaryDir>();
    m_editor = std::make_unique<MathRedactor>();
    m_editor->SetBaseFolder(m_baseFolder->path().toStdString() + "/");
    m_editor->SetLanguage(1);
    m_editor->resize(600, 200);
    m_editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_editor.get()));
    m_editor->LoadProblem();
}

void MathRedactorTest::cleanup() {
    m_editor.reset();
    m_baseFolder.reset();
}

void MathRedactorTest::typedKeysBuildTheEditorText() {
    MathRedactor& editor = *m_editor;
    QTest::keyClicks(&editor, "2x");
    QCOMPARE(Text(editor), QString(" 2 x"));
    QCOMPARE(editor.Model().DisplayText(), std::string("$2.x$"));

    editor.LoadProblem();
    QTest::keyClick(&editor, '/');
    QCOMPARE(Text(editor), QString(" {{ ~}/{ ~}}"));
    QCOMPARE(editor.Model().Caret(), 3);
    QTest::keyClick(&editor, '1');
    QCOMPARE(Text(editor), QString(" {{ 1 }/{ ~}}"));
    QTest::keyClick(&editor, Qt::Key_Right);
    QTest::keyClicks(&editor, "x");
    QTest::keyClick(&editor, Qt::Key_End);
    QTest::keyClicks(&editor, "=y^2");
    QCOMPARE(editor.Model().SolverText(), std::string("1/x=y^2"));

    // Typed as on paper, a quadratic equation is the formula it reads as, not x^(2-5x+6=0).
    editor.LoadProblem();
    QTest::keyClicks(&editor, "x^2-5x+6=0");
    QCOMPARE(editor.Model().SolverText(), std::string("x^2-5.x+6=0"));
    QTest::keyClicks(&editor, QString(QChar(0x00F7)));
    QCOMPARE(editor.Model().Text().back(), '\xB8');

    // Keys outside the accepted set change nothing.
    const QString before = Text(editor);
    QTest::keyClicks(&editor, "#!_ ~[;");
    QTest::keyClick(&editor, Qt::Key_Tab);
    QCOMPARE(Text(editor), before);
}

void MathRedactorTest::eitherDecimalKeyTypesTheDecimalSign() {
    MathRedactor& editor = *m_editor;
    editor.SetLanguage(1);
    QTest::keyClicks(&editor, "0,5");
    QCOMPARE(Text(editor), QString(" 0 , 5"));
    // Under Russian the point is still the decimal sign: 0.5x is not read as 05x.
    editor.LoadProblem();
    editor.SetLanguage(0);
    QTest::keyClicks(&editor, "0.5x");
    QCOMPARE(Text(editor), QString(" 0 , 5 x"));
    QCOMPARE(QString::fromStdString(editor.Model().SolverText()), QString("0,5.x"));
}

void MathRedactorTest::backspaceAndDeleteKeys() {
    MathRedactor& editor = *m_editor;
    QTest::keyClick(&editor, '/');
    QTest::keyClick(&editor, Qt::Key_Backspace);
    QCOMPARE(Text(editor), QString(" {{ ~}/{ ~}}"));

    editor.LoadProblem();
    QTest::keyClick(&editor, '7');
    QTest::keyClick(&editor, Qt::Key_Backspace);
    QCOMPARE(Text(editor), QString(" ~"));

    QTest::keyClicks(&editor, "(x+1");
    QTest::keyClick(&editor, Qt::Key_Home);
    QTest::keyClick(&editor, Qt::Key_Delete);
    QCOMPARE(Text(editor), QString(" x + 1"));
}

void MathRedactorTest::templatesAndWrapsAroundASelection() {
    MathRedactor& editor = *m_editor;
    QTest::keyClicks(&editor, "2x+1");
    QTest::keyClick(&editor, Qt::Key_Home);
    QVERIFY(!editor.Action(kCut)->isEnabled());
    QTest::keyClick(&editor, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&editor, Qt::Key_Right, Qt::ShiftModifier);
    QVERIFY(editor.Model().SelectionShown());
    QVERIFY(editor.Action(kCut)->isEnabled());
    QVERIFY(editor.Action(kCopy)->isEnabled());
    editor.Action(kWrapNumerator)->trigger();
    QCOMPARE(Text(editor), QString(" {{ 2 x }/{ ~}} + 1"));
    QTest::keyClick(&editor, '3');
    QCOMPARE(editor.Model().SolverText(), std::string("{2.x}/3+1"));

    // A key without Shift drops the selection; a wrap without one inserts its template.
    QTest::keyClick(&editor, Qt::Key_Home);
    QTest::keyClick(&editor, Qt::Key_Right, Qt::ShiftModifier);
    QVERIFY(editor.Model().SelectionShown());
    QTest::keyClick(&editor, Qt::Key_Left);
    QVERIFY(!editor.Model().SelectionShown());
    editor.Action(kWrapPowerExponent)->trigger();
    QCOMPARE(Text(editor), QString(" {{ 2 x }/{ 3 }} {{ ~}^{ ~}} + 1"));

    editor.LoadProblem();
    editor.Action(kDigit0 + 5)->trigger();
    editor.Action(kTimes)->trigger();
    editor.Action(kBrackets)->trigger();
    editor.Action(kDigit0 + 2)->trigger();
    editor.Action(kCaretRight)->trigger();
    editor.Action(kPower)->trigger();
    QCOMPARE(Text(editor), QString(" 5 * ( 2 ) {{ ~}^{ ~}}"));
}

void MathRedactorTest::cutCopyAndPasteThroughTheActions() {
    MathRedactor& editor = *m_editor;
    QTest::keyClicks(&editor, "a+b");
    QTest::keyClick(&editor, Qt::Key_Left, Qt::ShiftModifier);
    editor.Action(kCopy)->trigger();
    QCOMPARE(editor.Model().Clipboard(), std::string("b"));
    QTest::keyClick(&editor, Qt::Key_Home);
    QTest::keyClick(&editor, Qt::Key_Right, Qt::ShiftModifier);
    editor.Action(kCut)->trigger();
    QCOMPARE(Text(editor), QString(" + b"));
    QCOMPARE(editor.Model().Clipboard(), std::string("a"));
    QVERIFY(!editor.Action(kCut)->isEnabled());
    QTest::keyClick(&editor, Qt::Key_End);
    editor.Action(kPaste)->trigger();
    QCOMPARE(Text(editor), QString(" + b a"));
}

// Ctrl+C, Ctrl+X and Ctrl+V go through the system clipboard, which carries the formula as plain text
// for other programs; Ctrl+Z and Ctrl+Shift+Z step back and forth through the edits.
void MathRedactorTest::systemClipboardRoundTripUndoAndRedo() {
    MathRedactor& editor = *m_editor;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    QTest::keyClicks(&editor, "x^2-5x+6");
    QTest::keyClick(&editor, Qt::Key_Home);
    QTest::keyClick(&editor, Qt::Key_End, Qt::ShiftModifier);
    QVERIFY(editor.Model().SelectionShown());
    QTest::keyClick(&editor, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QString("x^2-5.x+6"));
    QVERIFY(clipboard->mimeData()->hasFormat(QLatin1String(MathRedactor::kClipboardFormat)));

    const QString typed = Text(editor);
    QTest::keyClick(&editor, Qt::Key_End);
    QTest::keyClicks(&editor, "=");
    QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(editor.Model().SolverText(), std::string("x^2-5.x+6=x^2-5.x+6"));
    const QString pasted = Text(editor);

    QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(editor.Model().SolverText(), std::string("x^2-5.x+6="));
    QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Text(editor), typed);
    QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(Text(editor), pasted);
    // A new edit after an undo drops the redo.
    QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClicks(&editor, "1");
    QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(editor.Model().SolverText(), std::string("x^2-5.x+6=1"));

    // Cut takes the selection away and puts it on the system clipboard.
    QTest::keyClick(&editor, Qt::Key_Home);
    QTest::keyClick(&editor, Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(&editor, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(Text(editor), QString(" ~"));
    QCOMPARE(clipboard->text(), QString("x^2-5.x+6=1"));
}

// Text copied in another program is read as linear notation; text that cannot be read changes nothing
// and the editor says why.
void MathRedactorTest::pastedLinearTextIsReadAsTheFormulaItMeans() {
    MathRedactor& editor = *m_editor;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("x^2 \u2212 5x + 6 = 0"));
    QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(editor.Model().SolverText(), std::string("x^2-5.x+6=0"));

    editor.LoadProblem();
    clipboard->setText(QStringLiteral("1/(x-1)+1/(x+1)+1/(x-2)=0"));
    QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(editor.Model().SolverText(), std::string("1/{x-1}+1/{x+1}+1/{x-2}=0"));

    const QString before = Text(editor);
    clipboard->setText(QStringLiteral("2x + sqrt(x)"));
    QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Text(editor), before);
    QVERIFY(editor.ProblemMessage().contains(QStringLiteral("column")));
    QTest::keyClicks(&editor, "+");
    QVERIFY(editor.ProblemMessage().isEmpty());
}

void MathRedactorTest::enterSolves() {
    MathRedactor& editor = *m_editor;
    QSignalSpy ready(&editor, &MathRedactor::SolutionReady);
    QTest::keyClicks(&editor, "2x=4");
    QTest::keyClick(&editor, Qt::Key_Return);
    QVERIFY(ready.wait(5000));
    QCOMPARE(editor.SolvedProblem(), std::string(" 2 x = 4"));
}

void MathRedactorTest::mousePlacesTheCaretAndDragSelects() {
    MathRedactor& editor = *m_editor;
    editor.SetPendingExample(" 2 x + 1 0");
    editor.LoadProblem();
    QTest::mouseClick(&editor, Qt::LeftButton, {}, GlyphPoint(editor, 3, +1));
    QCOMPARE(editor.Model().Caret(), 4);
    QTest::mouseClick(&editor, Qt::LeftButton, {}, GlyphPoint(editor, 3, -1));
    QCOMPARE(editor.Model().Caret(), 2);
    QTest::mouseClick(&editor, Qt::LeftButton, {}, GlyphPoint(editor, 9, +1));
    QCOMPARE(editor.Model().Caret(), 10);

    // Press on the left half of "2", drag to the right half of "x".
    QTest::mousePress(&editor, Qt::LeftButton, {}, GlyphPoint(editor, 1, -1));
    QMouseEvent move(QEvent::MouseMove, GlyphPoint(editor, 3, +1),
                     editor.mapToGlobal(GlyphPoint(editor, 3, +1)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&editor, &move);
    QTest::mouseRelease(&editor, Qt::LeftButton, {}, GlyphPoint(editor, 3, +1));
    QVERIFY(editor.Model().SelectionShown());
    QCOMPARE(editor.Model().SelectedText(), std::string("2 x"));
    QVERIFY(!editor.SelectionRect().isEmpty());

    // Far right of the formula, no glyph: the caret stays.
    QTest::mouseClick(&editor, Qt::LeftButton, {}, QPoint(590, 20));
    QCOMPARE(editor.Model().Caret(), 4);
}

void MathRedactorTest::mouseReachesTheDenominator() {
    MathRedactor& editor = *m_editor;
    editor.SetPendingExample(" {{ 1 }/{ 4 5 }}");
    editor.LoadProblem();
    // The denominator's band lies below the bar: a point there finds a denominator glyph even when
    // it is level with nothing of the numerator.
    QTest::mouseClick(&editor, Qt::LeftButton, {}, GlyphPoint(editor, 12, +1));
    QCOMPARE(editor.Model().Caret(), 13);
    const CaretLine caret = editor.Caret();
    const QPoint five = GlyphPoint(editor, 12, +1);
    QVERIFY(caret.top <= five.y() && five.y() <= caret.top + caret.height);
    QTest::mouseClick(&editor, Qt::LeftButton, {}, GlyphPoint(editor, 4, -1));
    QCOMPARE(editor.Model().Caret(), 3);
}

void MathRedactorTest::paintsTheFormulaTheSelectionAndTheCaret() {
    MathRedactor& editor = *m_editor;
    QTest::keyClicks(&editor, "2x+1/");
    QTest::keyClicks(&editor, "3");
    QTest::keyClick(&editor, Qt::Key_Right);
    QTest::keyClicks(&editor, "4");
    QTest::keyClick(&editor, Qt::Key_Home);
    QTest::keyClick(&editor, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&editor, Qt::Key_Right, Qt::ShiftModifier);
    const QImage image = editor.grab().toImage();
    const QString picture = qEnvironmentVariable("ORBELIN_EDITOR_PICTURE");
    if (!picture.isEmpty()) {
        image.save(picture);
    }
    // Blue glyphs outside the selection; inside it the white background is inverted to black.
    bool blue = false;
    for (int x = 0; x < image.width() && !blue; ++x) {
        for (int y = 0; y < 80 && !blue; ++y) {
            const QRgb pixel = image.pixel(x, y);
            blue = qBlue(pixel) > 200 && qRed(pixel) < 80 && qGreen(pixel) < 80;
        }
    }
    QVERIFY(blue);
    const QRect selection = editor.SelectionRect();
    QVERIFY(!selection.isEmpty());
    int dark = 0;
    for (int x = selection.left(); x <= selection.right(); ++x) {
        dark += qGray(image.pixel(x, selection.top())) < 40 ? 1 : 0;
    }
    QVERIFY(dark > selection.width() / 2);
    QVERIFY(IsWhite(image.pixel(400, selection.top())));
}

// Typing on past the right edge scrolls the formula: the caret and the glyph just typed stay visible,
// left of the corner animation's column; Home scrolls back to the start.
void MathRedactorTest::longProblemScrollsToKeepTheCaretInView() {
    MathRedactor& editor = *m_editor;
    for (int term = 0; term < 30; ++term) {
        QTest::keyClicks(&editor, "x+");
    }
    QTest::keyClicks(&editor, "7");
    const CaretLine caret = editor.Caret();
    const int formulaRight = editor.width() - CCornerAnimation::kSize;
    QVERIFY(editor.ScrollOffset().x() > 0);
    QVERIFY(caret.x > 0 && caret.x < formulaRight);
    QVERIFY(caret.top >= 0 && caret.top + caret.height <= editor.height());
    const QImage image = editor.grab().toImage();
    int blue = 0;
    for (int x = std::max(caret.x - 12, 0); x < caret.x; ++x) {
        for (int y = caret.top; y < caret.top + caret.height; ++y) {
            const QRgb pixel = image.pixel(x, y);
            blue += qBlue(pixel) > 200 && qRed(pixel) < 120 && qGreen(pixel) < 120 ? 1 : 0;
        }
    }
    QVERIFY(blue > 5);
    // Nothing of the formula is drawn in the animation's column.
    for (int x = formulaRight - MathRedactor::kMargin; x < formulaRight; ++x) {
        for (int y = CCornerAnimation::kSize; y < editor.height(); ++y) {
            QVERIFY(IsWhite(image.pixel(x, y)));
        }
    }
    // A click on a glyph still places the caret there.
    QTest::mouseClick(&editor, Qt::LeftButton, {}, QPoint(caret.x - 3, caret.top + caret.height / 2));
    QCOMPARE(editor.Model().Caret(), static_cast<int>(editor.Model().Text().size()));
    QTest::keyClick(&editor, Qt::Key_Home);
    QCOMPARE(editor.ScrollOffset(), QPoint(0, 0));
    QCOMPARE(editor.Caret().x, MathRedactor::kMargin);
}

void MathRedactorTest::caretBlinks() {
    MathRedactor& editor = *m_editor;
    QVERIFY(editor.CaretShown());
    QTRY_VERIFY_WITH_TIMEOUT(!editor.CaretShown(), 1000);
    QTRY_VERIFY_WITH_TIMEOUT(editor.CaretShown(), 1000);
    // After typing the caret is drawn at once, at the right edge of the new glyph.
    QTest::keyClicks(&editor, "12");
    QVERIFY(editor.CaretShown());
    const MySymbol& two = editor.Symbols().at(1);
    QCOMPARE(editor.Caret().x, two.x + two.width + MathRedactor::kMargin);
}

void MathRedactorTest::loadProblemTakesThePendingExample() {
    MathRedactor& editor = *m_editor;
    QCOMPARE(editor.PendingExample(), std::string(" ~"));
    editor.SetPendingExample(" {{ x }^{ 2 }} - 1 = 0");
    QTest::keyClick(&editor, Qt::Key_End);
    editor.LoadProblem();
    QCOMPARE(Text(editor), QString(" {{ x }^{ 2 }} - 1 = 0"));
    QCOMPARE(editor.Model().Caret(), 0);
    QVERIFY(!editor.Symbols().empty());
}

void MathRedactorTest::solveRunsOnAWorkerAndIgnoresASecondSolve() {
    MathRedactor& editor = *m_editor;
    editor.SetProblemKind(ProblemKind::Simplify);
    QTest::keyClicks(&editor, "2x+3x");
    QSignalSpy ready(&editor, &MathRedactor::SolutionReady);
    QStringList sounds;
    editor.SetSoundPlayer([&](const std::string& path) {
        // The sound ends the solve: the solution is complete, the busy cursor gone.
        QVERIFY(editor.IsSolving());
        QVERIFY(!editor.BusyCursorShown());
        QCOMPARE(ready.count(), 0);
        sounds << QString::fromStdString(path);
    });
    QVERIFY(editor.AnimationPlaying());
    editor.Action(kSolve)->trigger();
    // Until the user-interface thread takes the hand-over the solve counts as running.
    QVERIFY(editor.IsSolving());
    QVERIFY(editor.BusyCursorShown());
    QVERIFY(!editor.CaretShown());
    QCOMPARE(editor.ElapsedText(), QString("0:00"));
    const QImage solving = editor.grab().toImage();
    const QString picture = qEnvironmentVariable("ORBELIN_EDITOR_SOLVING_PICTURE");
    if (!picture.isEmpty()) {
        solving.save(picture);
    }
    // The elapsed time is drawn in black at the bottom right.
    int dark = 0;
    for (int x = solving.width() - 80; x < solving.width(); ++x) {
        for (int y = solving.height() - 40; y < solving.height(); ++y) {
            dark += qGray(solving.pixel(x, y)) < 60 ? 1 : 0;
        }
    }
    QVERIFY(dark > 30);
    editor.Action(kSolve)->trigger();
    QTest::keyClick(&editor, '7');
    QCOMPARE(Text(editor), QString(" 2 x + 3 x"));
    QVERIFY(ready.wait(20000));
    QVERIFY(!editor.IsSolving());
    QVERIFY(!editor.BusyCursorShown());
    QVERIFY(!editor.AnimationPlaying());
    QVERIFY(editor.ElapsedText().isEmpty());
    QVERIFY(editor.Solution().Size() > 1);
    QCOMPARE(editor.SolvedProblem(), std::string(" 2 x + 3 x"));
    QTest::qWait(200);
    QCOMPARE(ready.count(), 1);
    QCOMPARE(sounds, QStringList{QString::fromStdString(editor.BaseFolder() + "Res/siren4.wav")});

    QFile last(QDir(m_baseFolder->path())
                   .filePath(QString::fromStdString(LastProblemFileName(ProblemKind::Simplify))));
    QVERIFY(last.open(QIODevice::ReadOnly));
    QCOMPARE(last.readAll(), QByteArray(" 2 x + 3 x"));

    // The same solution as the dispatcher gives for the compact text.
    COutputList direct;
    SolveProblem(ProblemKind::Simplify, "2.x+3.x", &direct);
    QCOMPARE(editor.Solution().Size(), direct.Size());

    editor.PlayAnimation();
    QVERIFY(editor.AnimationPlaying());
}

void MathRedactorTest::solveOfAMalformedProblemStillFinishes() {
    MathRedactor& editor = *m_editor;
    editor.SetProblemKind(ProblemKind::Equation);
    // A shorter problem replaces the longer one in the file, whole.
    QVERIFY(WriteLastProblem(editor.BaseFolder(), ProblemKind::Equation, " a much longer problem text"));
    // An exponent that is not a number reads well; the solver refuses it with its one error record.
    QTest::keyClicks(&editor, "x^x=1");
    QSignalSpy ready(&editor, &MathRedactor::SolutionReady);
    editor.Solve();
    QVERIFY(ready.wait(20000));
    QCOMPARE(editor.Solution().Size(), std::size_t{1});
    QFile last(QDir(m_baseFolder->path()).filePath("Samples/LastPr1.txt"));
    QVERIFY(last.open(QIODevice::ReadOnly));
    QCOMPARE(last.readAll(), QByteArray(" {{ x }^{ x }} = 1"));

    // A last-problem file that cannot be written does not stop the solve.
    QVERIFY(QFile::remove(last.fileName()));
    QVERIFY(QDir().mkpath(last.fileName()));
    QVERIFY(!WriteLastProblem(editor.BaseFolder(), ProblemKind::Equation, " 1"));
    editor.Solve();
    QVERIFY(ready.wait(20000));
}

// A problem with a fault the editor can place is not handed over: the editor names the fault under the
// formula and selects it, and the next edit clears the message.
void MathRedactorTest::faultOfTheProblemIsNamedAndSelectedInTheEditor() {
    MathRedactor& editor = *m_editor;
    CLanguageTables tables;
    tables.LoadFile(ORBELIN_SOURCE_DIR "/res/English.ini", nullptr);
    editor.SetLanguageTables(&tables);
    editor.SetProblemKind(ProblemKind::Equation);
    QSignalSpy ready(&editor, &MathRedactor::SolutionReady);

    // A sign without its operand: the "=" after "+" is selected.
    QTest::keyClicks(&editor, "x+=2");
    QTest::keyClick(&editor, Qt::Key_Return);
    QVERIFY(!editor.IsSolving());
    QVERIFY(editor.Model().SelectionShown());
    QCOMPARE(QString::fromStdString(editor.Model().SelectedText()), QString("="));
    QCOMPARE(editor.ProblemMessage(),
             QString::fromStdString(tables.CommentText(CommentID::ErrorMissingOperand)));
    QVERIFY(!editor.SelectionRect().isEmpty());

    // An equation without a relation sign says so, with the caret at the end.
    editor.LoadProblem();
    QTest::keyClicks(&editor, "x+1");
    editor.Solve();
    QVERIFY(!editor.IsSolving());
    QVERIFY(editor.ProblemMessage().contains(QStringLiteral("relation sign")));
    QCOMPARE(editor.Model().Caret(), static_cast<int>(editor.Model().Text().size()));
    QTest::keyClicks(&editor, "=0");
    QVERIFY(editor.ProblemMessage().isEmpty());

    // A second letter in an equation is selected.
    editor.LoadProblem();
    QTest::keyClicks(&editor, "2x+y=1");
    editor.Solve();
    QCOMPARE(QString::fromStdString(editor.Model().SelectedText()), QString("y"));
    QVERIFY(editor.ProblemMessage().contains(QStringLiteral("unknown")));

    // An empty place of a template is selected.
    editor.LoadProblem();
    QTest::keyClicks(&editor, "1/");
    editor.Solve();
    QCOMPARE(QString::fromStdString(editor.Model().SelectedText()), QString("~"));
    QVERIFY(editor.ProblemMessage().contains(QStringLiteral("empty")));

    // A comma without digits after it: the parser's place, mapped back to the editor text.
    editor.LoadProblem();
    QTest::keyClicks(&editor, "3x=2,+1");
    editor.Solve();
    QVERIFY(editor.Model().SelectionShown());
    QVERIFY(!editor.ProblemMessage().isEmpty());
    QCOMPARE(ready.count(), 0);
}

void MathRedactorTest::emptyProblemGivesTheEmptySolution() {
    MathRedactor& editor = *m_editor;
    QSignalSpy ready(&editor, &MathRedactor::SolutionReady);
    editor.Solve();
    QVERIFY(ready.wait(20000));
    QVERIFY(editor.Solution().IsEmpty());
    QVERIFY(editor.ProblemMessage().isEmpty());
}

void MathRedactorTest::closingTheEditorDuringASolveWaitsForTheWorker() {
    m_editor->SetProblemKind(ProblemKind::Factorise);
    m_editor->SetPendingExample(" {{ x }^{ 4 }} - 1 6");
    m_editor->LoadProblem();
    m_editor->Solve();
    QVERIFY(m_editor->IsSolving());
    // The worker still writes the editor's own solution list: the editor must outlive it, and the
    // hand-over it would post is dropped with the editor.
    m_editor.reset();
    QTest::qWait(50);
}

void MathRedactorTest::theFinishSoundIsGenerated() {
    // The set-up step makes it in Res/ of the base folder beside the programs.
    QFile sound(ORBELIN_BASE_FOLDER "Res/siren4.wav");
    QVERIFY2(sound.open(QIODevice::ReadOnly), qPrintable(sound.fileName()));
    const QByteArray header = sound.read(12);
    QVERIFY(header.startsWith("RIFF") && header.endsWith("WAVE"));
    QVERIFY(sound.size() > 10000);
}

void MathRedactorTest::randomTypingAlwaysLaysOut() {
    MathRedactor& editor = *m_editor;
    std::mt19937 random(15);
    const QString characters = QStringLiteral("0123456789xy+-*:=,.()/^\b");
    const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right,  Qt::Key_Home,
                            Qt::Key_End,  Qt::Key_Delete, Qt::Key_Up};
    for (int run = 0; run < 40; ++run) {
        editor.LoadProblem();
        for (int step = 0; step < 25; ++step) {
            const int choice = static_cast<int>(random() % 10);
            if (choice < 7) {
                const QChar c = characters[static_cast<int>(random() % characters.size())];
                if (c == QChar('\b')) {
                    QTest::keyClick(&editor, Qt::Key_Backspace);
                } else {
                    QTest::keyClick(&editor, c.toLatin1());
                }
            } else {
                const Qt::KeyboardModifiers shift = random() % 2 ? Qt::ShiftModifier : Qt::NoModifier;
                QTest::keyClick(&editor, keys[random() % std::size(keys)], shift);
            }
            QVERIFY2(!editor.Symbols().empty(), editor.Model().Text().c_str());
        }
    }
}

QTEST_MAIN(MathRedactorTest)
#include "MathRedactorTest.moc"
