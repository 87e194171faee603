#pragma once

// Check my solution: the problem of the editor on top, the pupil's own solution below it, one line a
// step (Enter starts a new line). Check marks every line with a tick or a cross and the message
// beside it, on the row of its line (a green tick; a red cross on a reddened row), then says whether
// the solution is finished and, when it stops early, the solver's next step. Show the solution closes
// the dialog and asks for the solver's own solution.
//
// Texts: the section "CheckDialog" of the language file (the title, the two buttons and the
// caption of the lines) and the messages of the section "CheckTexts".

#include "checker/CheckTexts.h"
#include "checker/SolutionCheck.h"
#include "output/LanguageTables.h"

#include <QDialog>

#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

struct CheckDialogSetup {
    ProblemKind kind = ProblemKind::Equation;
    int language = kEnglishLanguage;
    // The problem in compact markup, as the editor hands it to the solver.
    std::string problem;
    // The folder of the program's files (ending in a separator; empty: the current folder).
    std::string baseFolder;
    // The comment texts of the solver's next step.
    const CLanguageTables* texts = nullptr;
};

class CCheckDialog final : public QDialog {
public:
    explicit CCheckDialog(CheckDialogSetup setup, QWidget* parent = nullptr);

    // The text of the command that opens the dialog, in the language.
    static QString CommandText(const std::string& baseFolder, int language);

    QPlainTextEdit* LinesEdit() const { return m_lines; }
    QPushButton* CheckButton() const { return m_check; }
    QPushButton* ShowSolutionButton() const { return m_showSolution; }
    // One row a pupil line: its number, the mark (✓, ✗ or ? for a line not checked) and the message.
    QTableWidget* Verdicts() const { return m_verdicts; }
    QLabel* Summary() const { return m_summary; }
    // The last check (empty before the first).
    const SolutionCheck& LastCheck() const { return m_lastCheck; }
    // Show the solution was chosen.
    bool SolutionRequested() const { return m_solutionRequested; }

    void Check();

private:
    static QString DialogText(const std::string& baseFolder, int language, int key);
    void AlignRowsWithLines();
    void ShowVerdicts();
    QString SummaryText() const;

    CheckDialogSetup m_setup;
    CheckTexts m_checkTexts;
    SolutionCheck m_lastCheck;
    bool m_solutionRequested = false;
    QPlainTextEdit* m_lines = nullptr;
    QPushButton* m_check = nullptr;
    QPushButton* m_showSolution = nullptr;
    QTableWidget* m_verdicts = nullptr;
    QLabel* m_summary = nullptr;
};
