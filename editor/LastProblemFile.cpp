#include "editor/LastProblemFile.h"

#include "solver/ProblemKind.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

int ProblemGroup(ProblemKind kind) {
    switch (kind) {
    case ProblemKind::Factorise:
    case ProblemKind::FactoriseCompletely:
        return 2;
    case ProblemKind::Simplify:
        return 3;
    default:
        return 1;
    }
}

std::string LastProblemFileName(ProblemKind kind) {
    return "Samples/LastPr" + std::to_string(ProblemGroup(kind)) + ".txt";
}

bool WriteLastProblem(const std::string& baseFolder, ProblemKind kind, const std::string& text) {
    const std::string path = baseFolder + LastProblemFileName(kind);
    QDir().mkpath(QFileInfo(QString::fromStdString(path)).absolutePath());
    return WriteFileInOneStep(path, text);
}

bool WriteFileInOneStep(const std::string& path, const std::string& bytes) {
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    // The writes are buffered: a short write (a full disk, a size limit) shows only when the buffer is
    // flushed, and a commit without that check would let the cut file replace the old one.
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size || !file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
