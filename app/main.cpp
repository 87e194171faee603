// orbelin: the desktop program.

#include "app/CMainFrame.h"
#include "app/ProgramArguments.h"
#include "app/Screenshot.h"
#include "display/SolutionRenderer.h"

#include <QApplication>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + (argc > 0 ? 1 : 0), argv + argc);
    const ProgramArguments arguments = ParseProgramArguments(words);
    if (!arguments.error.empty()) {
        std::cerr << "orbelin: " << arguments.error << '\n'
                  << "usage: orbelin [--screenshot OUT.png [--kind KIND] [--lang en|ru] [--text-comments] "
                     "[PROBLEM]]\n";
        return 2;
    }
    if (arguments.screenshotPath) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        KeepQtNotesQuiet();
    }
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Vantor Kastrel"));
    QApplication::setApplicationName(QStringLiteral("Orbelin"));

    MainFrameOptions options;
    if (arguments.screenshotPath) {
        // A screenshot needs no settings store: without one the files beside the program are used.
        options.fallbackBaseFolder = QApplication::applicationDirPath().toStdString() + "/";
        return TakeScreenshot(arguments, options);
    }
    CMainFrame frame(options);
    frame.ShowOnScreen();
    if (arguments.quitWhenShown) {
        // For timing the start: the window is shown and painted once, then the program ends.
        QApplication::processEvents();
        frame.repaint();
        return 0;
    }
    return QApplication::exec();
}
