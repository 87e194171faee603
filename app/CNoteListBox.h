#pragma once

// The classifier list: one line a category with its code and description. A line is edited in place
// by an edit box laid over the cell being edited.

#include "app/NoteFile.h"

#include <QTableWidget>

#include <vector>

class QLineEdit;

class CNoteListBox final : public QTableWidget {
public:
    static constexpr int kCodeColumn = 0;
    static constexpr int kDescriptionColumn = 1;

    explicit CNoteListBox(QWidget* parent = nullptr);

    void SetHeaders(const QString& code, const QString& description);
    // Shows the entries, keeping the chosen line where it still exists.
    void SetEntries(const std::vector<NoteEntry>& entries);
    // The chosen line, -1 when none.
    int ChosenRow() const;
    void ChooseRow(int row);
    // Lays the edit box over a cell, with the given text, and gives it the focus.
    void PlaceEditor(QLineEdit& edit, int row, int column, const QString& text);
};
