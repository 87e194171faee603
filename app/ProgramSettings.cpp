#include "app/ProgramSettings.h"

#include <QFileInfo>
#include <QSettings>

#include <cstdint>
#include <optional>

namespace {

constexpr char kLanguageValue[] = "Language";
constexpr char kMathTypeValue[] = "MathType";
constexpr char kCommentTextValue[] = "CommentText";
constexpr char kCommentSoundValue[] = "CommentSound";
constexpr char kOutputPaceValue[] = "OutputPace";
constexpr char kPathProgValue[] = "PathProg";

// A stored number read as the unsigned double word it stands for; absent when it is not a number.
std::optional<unsigned long long> ReadDoubleWord(const QSettings& settings, const char* name) {
    if (!settings.contains(QLatin1String(name))) {
        return std::nullopt;
    }
    bool ok = false;
    const long long value = settings.value(QLatin1String(name)).toString().trimmed().toLongLong(&ok);
    if (!ok) {
        return std::nullopt;
    }
    return static_cast<unsigned long long>(static_cast<std::uint32_t>(value));
}

// The value when it lies in 0..maximum; the default when it is missing; aboveRange when it is larger.
int ReadChecked(const QSettings& settings, const char* name, int defaultValue, int maximum, int aboveRange) {
    const std::optional<unsigned long long> value = ReadDoubleWord(settings, name);
    if (!value) {
        return defaultValue;
    }
    return *value > static_cast<unsigned long long>(maximum) ? aboveRange : static_cast<int>(*value);
}

} // namespace

QString DefaultSettingsPath() {
    // On this platform the native format is the INI format, kept in "<config>/Vantor Kastrel/Orbelin.conf".
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Vantor Kastrel"),
                     QStringLiteral("Orbelin"))
        .fileName();
}

CSettingsStore::CSettingsStore() : m_path(DefaultSettingsPath()) {}

CSettingsStore::CSettingsStore(QString path) : m_path(std::move(path)) {}

bool CSettingsStore::Exists() const {
    return QFileInfo(m_path).isFile();
}

ProgramSettings CSettingsStore::Read() const {
    ProgramSettings result;
    if (!Exists()) {
        return result;
    }
    const QSettings settings(m_path, QSettings::IniFormat);
    result.language = ReadChecked(settings, kLanguageValue, 0, 1, 0);
    result.mathType = ReadChecked(settings, kMathTypeValue, 0, 3, 0);
    result.commentText = ReadChecked(settings, kCommentTextValue, 1, 1, 0) != 0;
    result.commentSound = ReadChecked(settings, kCommentSoundValue, 0, 1, 1) != 0;
    result.outputPace = ReadChecked(settings, kOutputPaceValue, ProgramSettings{}.outputPace, 3,
                                    ProgramSettings{}.outputPace);
    return result;
}

std::string CSettingsStore::ReadBaseFolder() const {
    if (!Exists()) {
        return {};
    }
    const QSettings settings(m_path, QSettings::IniFormat);
    std::string folder = settings.value(QLatin1String(kPathProgValue)).toString().toStdString();
    if (folder.size() > static_cast<std::size_t>(kMaxBaseFolderBytes)) {
        return {};
    }
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

bool CSettingsStore::Write(const ProgramSettings& settings) const {
    if (!Exists()) {
        return false;
    }
    QSettings store(m_path, QSettings::IniFormat);
    store.setValue(QLatin1String(kLanguageValue), settings.language);
    store.setValue(QLatin1String(kMathTypeValue), settings.mathType);
    store.setValue(QLatin1String(kCommentTextValue), settings.commentText ? 1 : 0);
    store.setValue(QLatin1String(kCommentSoundValue), settings.commentSound ? 1 : 0);
    store.setValue(QLatin1String(kOutputPaceValue), settings.outputPace);
    store.sync();
    return store.status() == QSettings::NoError;
}
