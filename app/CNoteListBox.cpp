#include "app/CNoteListBox.h"

#include "output/Windows1251.h"

#include <QHeaderView>
#include <QLineEdit>

CNoteListBox::CNoteListBox(QWidget* parent) : QTableWidget(0, 2, parent) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    setColumnWidth(kCodeColumn, 90);
}

void CNoteListBox::SetHeaders(const QString& code, const QString& description) {
    setHorizontalHeaderLabels({code, description});
}

void CNoteListBox::SetEntries(const std::vector<NoteEntry>& entries) {
    const int chosen = ChosenRow();
    setRowCount(static_cast<int>(entries.size()));
    for (int row = 0; row < rowCount(); ++row) {
        const NoteEntry& entry = entries[static_cast<std::size_t>(row)];
        setItem(row, kCodeColumn,
                new QTableWidgetItem(QString::fromStdString(Windows1251ToUtf8(entry.code))));
        setItem(row, kDescriptionColumn,
                new QTableWidgetItem(QString::fromStdString(Windows1251ToUtf8(entry.description))));
    }
    ChooseRow(std::min(chosen, rowCount() - 1));
}

int CNoteListBox::ChosenRow() const {
    const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
    return ranges.isEmpty() ? -1 : ranges.front().topRow();
}

void CNoteListBox::ChooseRow(int row) {
    clearSelection();
    if (row >= 0 && row < rowCount()) {
        selectRow(row);
    }
}

void CNoteListBox::PlaceEditor(QLineEdit& edit, int row, int column, const QString& text) {
    ChooseRow(row);
    scrollToItem(item(row, column));
    edit.setParent(viewport());
    edit.setGeometry(visualItemRect(item(row, column)));
    edit.setText(text);
    edit.selectAll();
    edit.show();
    edit.setFocus();
}
