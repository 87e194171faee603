#pragma once

// A base folder and a settings store of their own for each test: the language files copied from the
// build, an empty Samples/ folder, and a store whose "PathProg" names the folder.

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>

#include <initializer_list>
#include <string>
#include <utility>

class TestInstallation {
public:
    TestInstallation() {
        QDir base(m_folder.path());
        base.mkpath(QStringLiteral("Res"));
        base.mkpath(QStringLiteral("Samples"));
        for (const char* name : {"English.ini", "Russian.ini"}) {
            QFile::copy(QStringLiteral(ORBELIN_BINARY_DIR "/Res/") + QLatin1String(name),
                        base.filePath(QStringLiteral("Res/") + QLatin1String(name)));
        }
    }

    // A store with PathProg and the given values.
    void WriteStore(std::initializer_list<std::pair<const char*, QVariant>> values = {}) {
        QSettings store(StorePath(), QSettings::IniFormat);
        store.setValue(QStringLiteral("PathProg"), BaseFolder() + QLatin1Char('/'));
        for (const auto& [name, value] : values) {
            store.setValue(QLatin1String(name), value);
        }
        store.sync();
    }

    QVariant StoredValue(const char* name) const {
        return QSettings(StorePath(), QSettings::IniFormat).value(QLatin1String(name));
    }

    QString BaseFolder() const { return m_folder.path(); }
    QString StorePath() const { return m_folder.filePath(QStringLiteral("Orbelin.conf")); }
    QString FilePath(const QString& relative) const { return m_folder.filePath(relative); }

private:
    QTemporaryDir m_folder;
};
