#pragma once

// The ways a solution leaves the desktop program: Copy the solution (the clipboard gets plain text,
// an HTML page with MathML and a picture at once, so a word processor pastes formatted maths and a
// chat pastes text), Copy as LaTeX (the LaTeX fragment as text) and Save the solution as (a file of
// any export format, chosen by the file type of the dialog; a PNG at a chosen scale). The three
// commands stand in the main window's menu and in the solution view's context menu; their texts come
// from the language file.

#include "app/ProgramSettings.h"
#include "output/COutputList.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class CLanguageTables;
class QAction;
class QMimeData;
class QWidget;

// The file formats of Save the solution as, in the order of the dialog's file types.
enum class SaveFormat { Text, Markdown, Latex, Html, Pdf, Svg, Png };

// The format a file name's extension names (case does not matter), or none.
std::optional<SaveFormat> SaveFormatOfPath(const QString& path);

class CSolutionExporter final : public QObject {
public:
    // solution gives the solution to export, or nullptr while there is none or a solve writes it.
    // The texts and settings are read at the moment of each command.
    CSolutionExporter(std::function<const COutputList*()> solution, const CLanguageTables& texts,
                      const ProgramSettings& settings, QWidget* dialogParent);
    ~CSolutionExporter() override;

    QAction* CopyAction() const { return m_copy; }
    QAction* CopyLatexAction() const { return m_copyLatex; }
    QAction* SaveAction() const { return m_save; }

    // The command texts of the language just loaded.
    void ApplyTexts();
    // The commands are enabled while there is a solution to export.
    void UpdateStates();

    // What Copy the solution puts on the clipboard: the text, the HTML page and the picture.
    std::unique_ptr<QMimeData> SolutionMimeData() const;
    // Writes the solution into path in format (a PNG at scale); an empty text, or why it could not.
    QString SaveTo(const QString& path, SaveFormat format, double scale = 1.0) const;

    // Where the file dialog opens: "solution" in the folder saved into last, at first in the user's
    // documents (or home) folder, not wherever the program was started.
    QString SuggestedSavePath() const;

    // Asks for a PNG's scale; none when the question is cancelled. Replaceable for tests.
    std::function<std::optional<double>()> askScale;
    // Asks for the file and its type; an empty name when the dialog is cancelled. Replaceable for tests.
    std::function<QString(const QString& caption, const QString& filters, QString* chosenFilter)> askFile;

private:
    void CopySolution();
    void CopyLatex();
    void SaveWithDialog();
    QString Text(std::size_t i) const;

    std::function<const COutputList*()> m_solution;
    const CLanguageTables& m_texts;
    const ProgramSettings& m_settings;
    QWidget* m_dialogParent = nullptr;
    QAction* m_copy = nullptr;
    QAction* m_copyLatex = nullptr;
    QAction* m_save = nullptr;
    QString m_saveFolder;
};
