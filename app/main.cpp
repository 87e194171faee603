// orbelin: the desktop program.

#include "app/CMainFrame.h"
#include "app/ProgramArguments.h"
#include "app/Screenshot.h"
#include "display/SolutionRenderer.h"
#include "output/ProgramFolders.h"

#include <QApplication>
#include <QStandardPaths>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + (argc > 0 ? 1 : 0), argv + argc);
    const ProgramArguments arguments = ParseProgramArguments(words);
    if (!arguments.error.empty()) {
        std::cerr << "orbelin: " << arguments.error << "\n\n" << ProgramUsageText();
        return 2;
    }
    if (arguments.helpRequested || arguments.versionRequested) {
        std::cout << (arguments.helpRequested ? ProgramUsageText() : "orbelin " ORBELIN_VERSION "\n");
        return 0;
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
    // Without a base folder in the settings store, the files beside the program are used, or those of
    // the installed data folder; the user's own files then go to the user's data folder.
    options.fallbackBaseFolder = BaseFolderBeside(RunningProgramFolder()).string() + "/";
    options.userDataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString();
    if (arguments.screenshotPath) {
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
