#include "app/Screenshot.h"

#include "app/CCorvaneView.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>

#include <iostream>

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
    const QImage image = frame.grab().toImage();
    const QString path = QString::fromStdString(*arguments.screenshotPath);
    if (image.isNull() || !image.save(path, "PNG")) {
        std::cerr << "orbelin: cannot write " << *arguments.screenshotPath << '\n';
        return 2;
    }
    return 0;
}
