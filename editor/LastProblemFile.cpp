#include "editor/LastProblemFile.h"

#include "solver/SolveProblem.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

int ProblemGroup(int kind) {
    switch (kind) {
    case kProblemFactorise:
    case kProblemFactoriseCompletely:
        return 2;
    case kProblemSimplify:
        return 3;
    default:
        return 1;
    }
}

std::string LastProblemFileName(int kind) {
    return "Samples/LastPr" + std::to_string(ProblemGroup(kind)) + ".txt";
}

bool WriteLastProblem(const std::string& baseFolder, int kind, const std::string& text) {
    const QString path = QString::fromStdString(baseFolder + LastProblemFileName(kind));
    QDir().mkpath(QFileInfo(path).absolutePath());
    // The text goes to a temporary file beside the old one, which replaces it only when all of it
    // has been written.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
