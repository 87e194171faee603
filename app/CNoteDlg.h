#pragma once

// The classifier dialog. In classifier mode it edits the categories of the note file (delete, insert,
// add, edit a code or a description in place) and saves them; in filter mode it chooses the category
// that filters the example list, or clears the filter.
//
// Results it closes with: Yes gives 1 when the filter changed, otherwise 0; Select and Enter give the
// first character of the chosen line's code (0 for the root line, -1 with no line chosen); Exit and
// Escape give -1.

#include "app/CNoteListBox.h"
#include "app/NoteFile.h"
#include "app/SampleList.h"

#include <QDialog>

#include <string>
#include <vector>

class CLanguageTables;
class CLibraryMessages;
class QLineEdit;
class QPushButton;

enum class NoteDialogMode { Classifier, Filter };

class CNoteDlg final : public QDialog {
public:
    // The filter string is changed in place ("NULL": no filter). samples (may be null) are the samples
    // whose codes follow a changed code.
    CNoteDlg(NoteDialogMode mode, const CLanguageTables& texts, CLibraryMessages& messages,
             std::string noteFile, std::string& filter, std::vector<SampleEntry>* samples,
             QWidget* parent = nullptr);

    // The operations of the buttons.
    void DeleteChosen();
    void InsertLine();
    void AddLine();
    void SetFilter();
    void ClearFilter();
    void Yes();
    void SelectChosen();
    void ExitDialog();

    // Starts editing a cell of a line (never of the root line); false when it cannot be edited.
    bool BeginEdit(int row, int column);
    // Commits the edit box; false when editing goes on (an empty or a repeated code).
    bool CommitEdit();
    bool IsEditing() const { return m_editRow >= 0; }

    const std::vector<NoteEntry>& Entries() const { return m_entries; }
    bool FilterChanged() const { return m_filterChanged; }
    CNoteListBox& List() { return *m_list; }
    QLineEdit& EditBox() { return *m_edit; }
    // A button by its control number (1025 Delete ... 1047 Yes).
    QPushButton* Button(int control) const;

protected:
    void reject() override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void ApplyMode();
    void UpdateCaption();
    void Refresh();
    void EndEdit();
    bool EditedValueDiffers() const;
    bool CommitCode(const std::string& code);
    void StartNewLine(int row);
    void ChangeFilter(const std::string& filter);
    bool Save();
    QString Text(std::size_t noteDialogEntry) const;

    NoteDialogMode m_mode;
    const CLanguageTables& m_texts;
    CLibraryMessages& m_messages;
    std::string m_noteFile;
    std::string& m_filter;
    std::vector<SampleEntry>* m_samples;
    std::vector<NoteEntry> m_entries;
    bool m_filterChanged = false;

    CNoteListBox* m_list = nullptr;
    QLineEdit* m_edit = nullptr;
    int m_editRow = -1;
    int m_editColumn = 0;
    // The line being edited was made by Insert or Add and has no code yet.
    bool m_editingNewLine = false;
};
