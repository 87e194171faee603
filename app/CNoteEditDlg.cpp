#include "app/CNoteEditDlg.h"

#include "output/LanguageTables.h"
#include "output/Windows1251.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// "NoteDialog" entry 7 (Yes) is the caption of Yes; Cancel is the platform's own button.
constexpr std::size_t kYesText = 7;
constexpr std::size_t kNoteCaption = 1;

} // namespace

CNoteEditDlg::CNoteEditDlg(const CLanguageTables& texts, const std::string& note, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QString::fromStdString(Windows1251ToUtf8(texts.CaptionDialogText(kNoteCaption))));
    m_edit = new QLineEdit(QString::fromStdString(Windows1251ToUtf8(note)), this);
    m_edit->setObjectName("edit1032");
    auto* yes =
        new QPushButton(QString::fromStdString(Windows1251ToUtf8(texts.NoteDialogText(kYesText))), this);
    yes->setObjectName("button1034");
    yes->setDefault(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(yes, QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName("button1035");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
    resize(420, m_edit->sizeHint().height() * 3);
}

std::string CNoteEditDlg::Note() const {
    std::string note = Utf8ToWindows1251(m_edit->text().toStdString());
    std::erase_if(note, [](char c) { return c == '\r' || c == '\n'; });
    return note;
}
