#include "app/Screenshot.h"

#include "app/CCorvaneView.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QScrollBar>

#include <iostream>

namespace {

// The largest side of the picture: a bound on its memory for a solution of hundreds of records.
constexpr int kMaxPictureSide = 16'000;

// The window grows until its view holds the whole solution, bands and all, without scrolling. A wider
// window wraps the comments onto fewer rows, so the height is measured again after each growth.
void GrowToHoldTheSolution(CMainFrame& frame) {
    CCorvaneView& view = frame.View();
    const QSize least = frame.size();
    for (int round = 0; round < 3; ++round) {
        const QSize chrome = frame.size() - view.viewport()->size();
        const QSize wanted =
            (view.ScrollSize() + chrome).expandedTo(least).boundedTo(QSize(kMaxPictureSide, kMaxPictureSide));
        if (wanted == frame.size()) {
            break;
        }
        frame.resize(wanted);
        QApplication::processEvents();
    }
    view.verticalScrollBar()->setValue(0);
    view.horizontalScrollBar()->setValue(0);
}

} // namespace

int TakeScreenshot(const ProgramArguments& arguments, MainFrameOptions options) {
    options.writeSettings = false;
    options.headless = true;
    options.kind = arguments.kind;
    options.language = arguments.language;
    if (arguments.textComments) {
        options.textComments = true;
    }
    CMainFrame frame(options);
    if (arguments.problem) {
        frame.SolveNow(*arguments.problem);
        frame.View().ShowAll();
    } else {
        frame.View().RevealSplashAtOnce();
    }
    frame.setAttribute(Qt::WA_DontShowOnScreen);
    frame.show();
    QApplication::processEvents();
    if (arguments.problem) {
        GrowToHoldTheSolution(frame);
    }
    const QImage image = frame.grab().toImage();
    const QString path = QString::fromStdString(*arguments.screenshotPath);
    if (image.isNull() || !image.save(path, "PNG")) {
        std::cerr << "orbelin: cannot write " << *arguments.screenshotPath << '\n';
        return 2;
    }
    return 0;
}
