#include "app/CHelpWindow.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

CHelpWindow::CHelpWindow(QWidget* parent) : QDialog(parent), m_browser(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("help-window"));
    m_browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    // A readable page beside the main window: about half the screen's width, most of its height.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect free = screen->availableGeometry();
        resize(std::min(free.width(), 820), free.height() * 4 / 5);
    }
}

bool CHelpWindow::ShowPage(const QString& path) {
    const QFileInfo page(path);
    if (!page.isFile() || !page.isReadable()) {
        return false;
    }
    m_browser->setSearchPaths({page.absolutePath()});
    m_browser->setSource(QUrl::fromLocalFile(page.absoluteFilePath()));
    setWindowTitle(m_browser->documentTitle());
    show();
    raise();
    activateWindow();
    return true;
}
