#include "app/CNoteDlg.h"

#include "app/LibraryMessages.h"
#include "output/LanguageTables.h"
#include "output/Windows1251.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Control numbers of the buttons and the "NoteDialog" entries of their captions.
struct ButtonInfo {
    int control;
    std::size_t textEntry;
};
constexpr ButtonInfo kButtons[] = {{1025, 0}, {1041, 1}, {1042, 2}, {1039, 3},
                                   {1040, 4}, {1043, 5}, {1045, 6}, {1047, 7}};
constexpr int kDelete = 1025, kInsert = 1041, kAdd = 1042, kSelect = 1039, kExit = 1040, kSetFilter = 1043,
              kClearFilter = 1045, kYes = 1047;
constexpr std::size_t kGroupBoxText = 8, kCodeHeader = 9, kDescriptionHeader = 10, kRootText = 11,
                      kClassifierCaption = 12, kFilterCaption = 13, kFilterWord = 14;
constexpr char kNoFilter[] = "NULL";

std::string SingleByte(const QString& text) {
    return Utf8ToWindows1251(text.toStdString());
}

} // namespace

CNoteDlg::CNoteDlg(NoteDialogMode mode, const CLanguageTables& texts, CLibraryMessages& messages,
                   std::string noteFile, std::string& filter, std::vector<SampleEntry>* samples,
                   QWidget* parent)
    : QDialog(parent), m_mode(mode), m_texts(texts), m_messages(messages), m_noteFile(std::move(noteFile)),
      m_filter(filter), m_samples(samples) {
    m_entries = ReadNoteFile(m_noteFile, m_texts.NoteDialogText(kRootText));
    CreateControls();
    ApplyMode();
    UpdateCaption();
    Refresh();
}

QString CNoteDlg::Text(std::size_t entry) const {
    return QString::fromStdString(Windows1251ToUtf8(m_texts.NoteDialogText(entry)));
}

void CNoteDlg::CreateControls() {
    m_list = new CNoteListBox(this);
    m_list->SetHeaders(Text(kCodeHeader), Text(kDescriptionHeader));
    m_edit = new QLineEdit(m_list->viewport());
    m_edit->hide();
    m_edit->installEventFilter(this);
    connect(m_list, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
        if (CommitEdit()) {
            BeginEdit(row, column);
        }
    });

    auto* group = new QGroupBox(Text(kGroupBoxText), this);
    auto* buttons = new QVBoxLayout(group);
    for (const ButtonInfo& info : kButtons) {
        auto* button = new QPushButton(Text(info.textEntry), group);
        button->setObjectName(QString("button%1").arg(info.control));
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    connect(Button(kDelete), &QPushButton::clicked, this, [this] { DeleteChosen(); });
    connect(Button(kInsert), &QPushButton::clicked, this, [this] { InsertLine(); });
    connect(Button(kAdd), &QPushButton::clicked, this, [this] { AddLine(); });
    connect(Button(kSelect), &QPushButton::clicked, this, [this] { SelectChosen(); });
    connect(Button(kExit), &QPushButton::clicked, this, [this] { ExitDialog(); });
    connect(Button(kSetFilter), &QPushButton::clicked, this, [this] { SetFilter(); });
    connect(Button(kClearFilter), &QPushButton::clicked, this, [this] { ClearFilter(); });
    connect(Button(kYes), &QPushButton::clicked, this, [this] { Yes(); });

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(group);
    resize(560, 360);
}

QPushButton* CNoteDlg::Button(int control) const {
    return findChild<QPushButton*>(QString("button%1").arg(control));
}

void CNoteDlg::ApplyMode() {
    const bool classifier = m_mode == NoteDialogMode::Classifier;
    for (const int control : {kDelete, kInsert, kAdd}) {
        Button(control)->setEnabled(classifier);
    }
    Button(kSetFilter)->setEnabled(!classifier);
    Button(kClearFilter)->setEnabled(!classifier);
    Button(kSelect)->setEnabled(false);
    Button(kExit)->setEnabled(false);
    Button(kExit)->setVisible(!classifier);
}

void CNoteDlg::UpdateCaption() {
    if (m_mode == NoteDialogMode::Classifier) {
        setWindowTitle(Text(kClassifierCaption));
        return;
    }
    QString caption = Text(kFilterCaption);
    if (m_filter != kNoFilter) {
        caption +=
            "  (" + Text(kFilterWord) + " '" + QString::fromStdString(Windows1251ToUtf8(m_filter)) + "')";
    }
    setWindowTitle(caption);
}

void CNoteDlg::Refresh() {
    m_list->SetEntries(m_entries);
}

bool CNoteDlg::BeginEdit(int row, int column) {
    if (m_mode != NoteDialogMode::Classifier || row <= 0 || row >= static_cast<int>(m_entries.size())) {
        return false;
    }
    m_editRow = row;
    m_editColumn =
        column == CNoteListBox::kCodeColumn ? CNoteListBox::kCodeColumn : CNoteListBox::kDescriptionColumn;
    const NoteEntry& entry = m_entries[static_cast<std::size_t>(row)];
    const std::string& value = m_editColumn == CNoteListBox::kCodeColumn ? entry.code : entry.description;
    m_list->PlaceEditor(*m_edit, row, m_editColumn, QString::fromStdString(Windows1251ToUtf8(value)));
    return true;
}

void CNoteDlg::EndEdit() {
    m_editRow = -1;
    m_editingNewLine = false;
    m_edit->hide();
    m_list->setFocus();
}

bool CNoteDlg::EditedValueDiffers() const {
    if (!IsEditing()) {
        return false;
    }
    const NoteEntry& entry = m_entries[static_cast<std::size_t>(m_editRow)];
    const std::string& value = m_editColumn == CNoteListBox::kCodeColumn ? entry.code : entry.description;
    return SingleByte(m_edit->text()) != value;
}

bool CNoteDlg::CommitEdit() {
    if (!IsEditing()) {
        return true;
    }
    const std::string text = SingleByte(m_edit->text());
    if (m_editColumn == CNoteListBox::kCodeColumn) {
        if (!CommitCode(text)) {
            m_edit->setFocus();
            return false;
        }
    } else {
        m_entries[static_cast<std::size_t>(m_editRow)].description = text;
    }
    const int row = m_editRow;
    EndEdit();
    Refresh();
    m_list->ChooseRow(row);
    return true;
}

bool CNoteDlg::CommitCode(const std::string& code) {
    if (code.empty()) {
        m_messages.Inform(LibraryMessage::kEmptyCode, this);
        return false;
    }
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (static_cast<int>(i) != m_editRow && m_entries[i].code == code) {
            m_messages.Inform(LibraryMessage::kCodeExists, this);
            return false;
        }
    }
    std::string& stored = m_entries[static_cast<std::size_t>(m_editRow)].code;
    if (!stored.empty() && stored != code && m_samples != nullptr) {
        const auto carriesOld = [&stored](const SampleEntry& sample) { return sample.code == stored; };
        if (std::any_of(m_samples->begin(), m_samples->end(), carriesOld) &&
            m_messages.Ask(LibraryMessage::kRecodeSamples, this)) {
            for (SampleEntry& sample : *m_samples) {
                if (carriesOld(sample)) {
                    sample.code = code;
                }
            }
        }
    }
    stored = code;
    return true;
}

void CNoteDlg::DeleteChosen() {
    if (m_editingNewLine) {
        if (m_messages.Ask(LibraryMessage::kDeleteCategory, this)) {
            m_entries.erase(m_entries.begin() + m_editRow);
            EndEdit();
            Refresh();
        } else {
            m_edit->setFocus();
        }
        return;
    }
    const int row = m_list->ChosenRow();
    if (row <= 0 || !m_messages.Ask(LibraryMessage::kDeleteCategory, this)) {
        return;
    }
    if (IsEditing()) {
        EndEdit();
    }
    m_entries.erase(m_entries.begin() + row);
    Refresh();
}

// A new line goes before the chosen one (never before the root), or at the end when none is chosen.
void CNoteDlg::InsertLine() {
    const int chosen = m_list->ChosenRow();
    StartNewLine(chosen < 0 ? static_cast<int>(m_entries.size()) : std::max(chosen, 1));
}

void CNoteDlg::AddLine() {
    StartNewLine(static_cast<int>(m_entries.size()));
}

void CNoteDlg::StartNewLine(int row) {
    if (!CommitEdit()) {
        return;
    }
    m_entries.insert(m_entries.begin() + row, NoteEntry{});
    Refresh();
    BeginEdit(row, CNoteListBox::kCodeColumn);
    m_editingNewLine = true;
}

void CNoteDlg::SetFilter() {
    const int row = m_list->ChosenRow();
    if (row < 0) {
        m_messages.Inform(LibraryMessage::kChooseCategory, this);
        return;
    }
    ChangeFilter(m_entries[static_cast<std::size_t>(row)].code);
}

void CNoteDlg::ClearFilter() {
    ChangeFilter(kNoFilter);
}

void CNoteDlg::ChangeFilter(const std::string& filter) {
    if (m_filter == filter) {
        return;
    }
    m_filter = filter;
    m_filterChanged = true;
    UpdateCaption();
}

bool CNoteDlg::Save() {
    if (WriteNoteFile(m_noteFile, m_entries, m_texts.NoteDialogText(kRootText))) {
        return true;
    }
    m_messages.Inform(LibraryMessage::kCannotWriteFile, this);
    return false;
}

void CNoteDlg::Yes() {
    if (!CommitEdit()) {
        return;
    }
    if (m_mode == NoteDialogMode::Classifier) {
        Save();
    }
    done(m_filterChanged ? 1 : 0);
}

void CNoteDlg::SelectChosen() {
    if (!CommitEdit()) {
        return;
    }
    Save();
    const int row = m_list->ChosenRow();
    if (row < 0) {
        done(-1);
        return;
    }
    const std::string& code = m_entries[static_cast<std::size_t>(row)].code;
    done(code.empty() ? 0 : static_cast<unsigned char>(code.front()));
}

void CNoteDlg::ExitDialog() {
    if (EditedValueDiffers() && m_messages.Ask(LibraryMessage::kKeepUnfinishedEdit, this)) {
        if (!CommitEdit()) {
            return;
        }
    } else if (m_editingNewLine) {
        m_entries.erase(m_entries.begin() + m_editRow);
    }
    if (IsEditing()) {
        EndEdit();
    }
    Save();
    done(-1);
}

void CNoteDlg::reject() {
    ExitDialog();
}

void CNoteDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        SelectChosen();
        return;
    }
    QDialog::keyPressEvent(event);
}

// Enter in the edit box commits the edit; Tab in a code commits it and goes on to the line's
// description; Escape there is the dialog's Escape.
bool CNoteDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            CommitEdit();
            return true;
        }
        if (key == Qt::Key_Tab && m_editColumn == CNoteListBox::kCodeColumn) {
            const int row = m_editRow;
            if (CommitEdit()) {
                BeginEdit(row, CNoteListBox::kDescriptionColumn);
                m_edit->setFocus();
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
