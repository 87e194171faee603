#include "app/UserFolder.h"

#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>

namespace fs = std::filesystem;

// Where the user's own files go: a development base folder keeps them; an installed one (no Samples/
// of its own, and read-only) sends them to the user's data folder, which is made with its Samples/.
class UserFolderTest : public QObject {
    Q_OBJECT

private slots:
    void WritableSamplesOfTheBaseFolderKeepTheFiles() {
        QTemporaryDir base;
        fs::create_directories(fs::path(base.path().toStdString()) / "Samples");
        const std::string folder = base.path().toStdString() + "/";
        QCOMPARE(UserFolderFor(folder, "/nonexistent/data"), folder);
    }

    void BaseFolderWithoutSamplesSendsTheFilesToTheUserDataFolder() {
        QTemporaryDir base;
        QTemporaryDir data;
        const std::string folder = UserFolderFor(base.path().toStdString() + "/", data.path().toStdString());
        QCOMPARE(folder, data.path().toStdString() + "/");
        QVERIFY(fs::is_directory(data.path().toStdString() + "/Samples"));
    }

    void NoUserDataFolderKeepsTheBaseFolder() {
        QCOMPARE(UserFolderFor("/usr/share/orbelin/", ""), std::string("/usr/share/orbelin/"));
    }
};

QTEST_MAIN(UserFolderTest)
#include "UserFolderTest.moc"
