#pragma once

// The note dialog: one edit box for the note of an example, with Yes and Cancel.

#include <QDialog>

#include <string>

class CLanguageTables;
class QLineEdit;

class CNoteEditDlg final : public QDialog {
public:
    // The note is single-byte text; the caption is "CaptionDialog" entry 1.
    CNoteEditDlg(const CLanguageTables& texts, const std::string& note, QWidget* parent = nullptr);

    // The note as edited (single-byte); line ends are not kept, since a note ends its sample's line.
    std::string Note() const;
    QLineEdit& EditBox() { return *m_edit; }

private:
    QLineEdit* m_edit = nullptr;
};
