#pragma once

// The help inside the program: a window that shows a help page of the base folder (HTML with its
// pictures) whatever viewer the system has or lacks.

#include <QDialog>

class QTextBrowser;

class CHelpWindow final : public QDialog {
public:
    explicit CHelpWindow(QWidget* parent = nullptr);

    // Shows the page at path (a file); false, showing nothing, when it cannot be read.
    bool ShowPage(const QString& path);
    QTextBrowser& Browser() const { return *m_browser; }

private:
    QTextBrowser* m_browser = nullptr;
};
