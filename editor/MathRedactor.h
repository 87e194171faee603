#pragma once

// The formula editor: the widget in which the user types one problem. It shows the problem laid out
// as a formula with a blinking caret and an inverted selection, takes keys, characters and the mouse,
// offers one QAction per editor command (EditorCommand.h) for the main window's toolbars and menus,
// and solves the problem on a worker thread.
//
// A solve: the problem is written to the last-problem file of the current kind, a busy cursor and the
// elapsed time are shown, the compact text goes to the solve dispatcher on a worker thread, and when
// it ends the finish sound plays, the corner animation stops and SolutionReady is emitted. Until then
// the solution list belongs to the worker; a second Solve while one runs is ignored.

#include "display/Graphics.h"
#include "display/MyWord.h"
#include "display/QtLayoutDevice.h"
#include "editor/CEditorModel.h"
#include "editor/EditHistory.h"
#include "editor/FormulaGeometry.h"
#include "output/COutputList.h"
#include "solver/ProblemKind.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <string>

class QAction;
class CLanguageTables;
struct ProblemFault;
class CBusyCursor;
class CCornerAnimation;
class CSolveRunner;

class MathRedactor final : public QWidget {
    Q_OBJECT

public:
    // Plays a sound file to its end (or skips it when it cannot be played).
    using SoundPlayer = std::function<void(const std::string& path)>;
    // Reads a laid-out formula aloud (the voice: CVoice::SpeakFormula).
    using Speaker = std::function<void(MyWord& formula, CGraphics& graphics)>;

    static constexpr int kCaretBlinkMilliseconds = 250;
    // Where the formula starts in the widget.
    static constexpr int kMargin = 8;

    explicit MathRedactor(QWidget* parent = nullptr);
    ~MathRedactor() override;

    // --- what the main window and the example library drive ---------------------------------
    // The text LoadProblem takes (" ~" means none).
    void SetPendingExample(std::string text);
    const std::string& PendingExample() const { return m_pendingExample; }
    // Takes the pending example (or " ~"), caret at 0, no selection, starts the caret and redraws.
    void LoadProblem();

    void SetProblemKind(ProblemKind kind) { m_kind = kind; }
    ProblemKind Kind() const { return m_kind; }
    // 0 Russian, 1 English: the decimal key, the decimal separator and division sign shown, tool tips.
    void SetLanguage(int language);
    int Language() const { return m_model.Language(); }
    // The folder of the program's files (ending in a separator; empty: the current folder).
    void SetBaseFolder(std::string folder) { m_baseFolder = std::move(folder); }
    const std::string& BaseFolder() const { return m_baseFolder; }
    // The folder whose Samples/ receives the last problem of each kind.
    void SetUserFolder(std::string folder) { m_userFolder = std::move(folder); }

    // The solution list the solves write (the document's); without one the editor keeps its own.
    void SetSolution(COutputList* solution) { m_externalSolution = solution; }
    COutputList& Solution() { return m_externalSolution != nullptr ? *m_externalSolution : m_ownSolution; }
    // The editor text of the problem last handed to the solver.
    const std::string& SolvedProblem() const { return m_solvedProblem; }

    // The finish sound goes through the player (the audio layer: CAudioPlayer::PlayToEnd), the speak
    // command through the speaker; without them a solve ends silently and speaking does nothing.
    void SetSoundPlayer(SoundPlayer player) { m_soundPlayer = std::move(player); }
    void SetSpeaker(Speaker speaker) { m_speaker = std::move(speaker); }
    // The texts of the error comments and messages that the editor says about a problem it refuses
    // to hand over; without them it names the fault in English.
    void SetLanguageTables(const CLanguageTables* tables) { m_tables = tables; }

    // The action of a command (EditorCommand.h), or null for an unknown one.
    QAction* Action(int command) const;
    // Plays the corner animation again (the main window calls this whenever it shows the editor).
    void PlayAnimation();

    // --- state, for the window and for tests ------------------------------------------------------
    const CEditorModel& Model() const { return m_model; }
    bool IsSolving() const;
    bool CaretShown() const { return m_caretShown; }
    CaretLine Caret();
    // How far the formula is scrolled (left and up) to keep the caret in view.
    QPoint ScrollOffset() const { return m_scroll; }
    // The selection's box in widget coordinates (empty when no selection is shown).
    QRect SelectionRect();
    // The symbols of the laid-out formula, in formula coordinates (empty when it does not lay out).
    const std::vector<MySymbol>& Symbols();
    bool AnimationPlaying() const;
    bool BusyCursorShown() const;
    // The elapsed time of the running solve as drawn ("m:ss"); empty when no solve runs.
    QString ElapsedText() const;

    QSize sizeHint() const override;

    // Cut, copy and paste through the system clipboard: the editor's own text travels in a format of
    // its own, with the formula as plain text beside it; plain text from elsewhere is read as linear
    // notation. Undo and redo step through the edits of the current problem.
    void CutToClipboard();
    void CopyToClipboard();
    void PasteFromClipboard();
    void Undo();
    void Redo();

    // A message about the problem shown under the formula (empty: none); it goes with the next edit.
    const QString& ProblemMessage() const { return m_problemMessage; }
    void ShowProblemMessage(const QString& message);

    // The clipboard format of the editor's own text.
    static constexpr char kClipboardFormat[] = "application/x-orbelin-editor-text";

public slots:
    void Solve();
    void Speak();

signals:
    // A solve has ended and its solution list is complete: the solution may be laid out (the finish
    // sound has not played yet).
    void SolutionWritten();
    // The solve is finished, finish sound and all: the solution may be shown.
    void SolutionReady();
    // The text changed (typing, deleting, pasting, loading).
    void TextChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void CreateActions();
    QAction* AddAction(int command, const QString& text, std::function<void()> run);
    // Runs an edit of the model and refreshes the formula.
    void Edit(const std::function<void()>& edit);
    void Refresh();
    // The part of the widget the formula is drawn in, and where the formula's origin lies in the widget.
    QRect FormulaArea() const;
    QPoint FormulaOrigin() const;
    void KeepCaretVisible();
    void UpdateActions();
    void ApplyLanguageTexts();
    void StartCaret();
    void StopCaret();
    void BlinkCaret();
    int CaretUnderMouse(const QPoint& point);
    void FinishSolve();
    void PaintFormula(QPainter& painter);
    void PaintSelectionAndCaret(QPainter& painter);
    void PaintElapsedTime(QPainter& painter);
    void PaintProblemMessage(QPainter& painter);
    void RestoreState(const EditorState& state);
    bool HandleShortcut(const QKeyEvent& event);
    // Shows what is wrong with the problem and selects it; false when nothing is.
    bool ShowFault(const ProblemFault& fault);
    QString FaultMessage(const ProblemFault& fault) const;
    QRect ElapsedRect() const;

    CEditorModel m_model;
    CQtLayoutDevice m_device;
    CGraphics m_graphics;
    MyWord m_word;
    std::string m_pendingExample{" ~"};
    ProblemKind m_kind = ProblemKind::Equation;
    std::string m_baseFolder;
    std::string m_userFolder;
    COutputList m_ownSolution;
    COutputList* m_externalSolution = nullptr;
    std::string m_solvedProblem;
    SoundPlayer m_soundPlayer;
    Speaker m_speaker;
    std::map<int, QAction*> m_actions;
    CEditHistory m_history;
    QString m_problemMessage;
    const CLanguageTables* m_tables = nullptr;
    // How far the formula is scrolled to keep the caret in view.
    QPoint m_scroll;

    QTimer m_caretTimer;
    bool m_caretShown = false;
    QTimer m_elapsedTimer;
    QElapsedTimer m_solveClock;
    CSolveRunner* m_runner = nullptr;
    CBusyCursor* m_busyCursor = nullptr;
    CCornerAnimation* m_animation = nullptr;
};
