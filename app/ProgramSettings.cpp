#include "app/ProgramSettings.h"

#include "output/Windows1251.h"

#include <QFileInfo>
#include <QSettings>
#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <optional>

namespace {

constexpr char kLanguageValue[] = "Language";
constexpr char kMathTypeValue[] = "MathType";
constexpr char kCommentTextValue[] = "CommentText";
constexpr char kCommentSoundValue[] = "CommentSound";
constexpr char kOutputPaceValue[] = "OutputPace";
constexpr char kPathProgValue[] = "PathProg";
constexpr char kZoomValue[] = "Zoom";
constexpr char kRecentProblemsValue[] = "RecentProblems";
constexpr char kPageLayoutValue[] = "PageLayout";

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

// A recent problem is stored as its kind, a colon and its text in UTF-8.
QStringList RecentProblemsText(const std::vector<RecentProblem>& problems) {
    QStringList list;
    for (const RecentProblem& problem : problems) {
        list << QString::number(ToNumber(problem.kind)) + QLatin1Char(':') +
                    QString::fromStdString(Windows1251ToUtf8(problem.text));
    }
    return list;
}

std::vector<RecentProblem> RecentProblemsFrom(const QStringList& list) {
    // The stored list is the newest first: remembered from the oldest on, it keeps that order.
    std::vector<RecentProblem> problems;
    for (auto it = list.crbegin(); it != list.crend(); ++it) {
        const QString& entry = *it;
        const qsizetype colon = entry.indexOf(QLatin1Char(':'));
        bool ok = false;
        const std::optional<ProblemKind> kind = ProblemKindOfNumber(entry.left(colon).toInt(&ok));
        if (colon < 0 || !ok || !kind || colon + 1 == entry.size()) {
            continue;
        }
        RememberProblem(problems, {*kind, Utf8ToWindows1251(entry.mid(colon + 1).toStdString())});
    }
    return problems;
}

} // namespace

void RememberProblem(std::vector<RecentProblem>& list, RecentProblem problem) {
    list.erase(std::remove(list.begin(), list.end(), problem), list.end());
    list.insert(list.begin(), std::move(problem));
    if (list.size() > kRecentProblemCount) {
        list.resize(kRecentProblemCount);
    }
}

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
    result.mathType = ProblemKindOfNumber(ReadChecked(settings, kMathTypeValue, 0, kProblemKindCount - 1, 0))
                          .value_or(ProblemKind::Equation);
    result.commentText = ReadChecked(settings, kCommentTextValue, 1, 1, 0) != 0;
    result.commentSound = ReadChecked(settings, kCommentSoundValue, 0, 1, 1) != 0;
    result.outputPace = ReadChecked(settings, kOutputPaceValue, ProgramSettings{}.outputPace, 3,
                                    ProgramSettings{}.outputPace);
    const int zoom = ReadChecked(settings, kZoomValue, ProgramSettings{}.zoom, 400, ProgramSettings{}.zoom);
    result.zoom = zoom < 50 ? ProgramSettings{}.zoom : zoom;
    result.recentProblems =
        RecentProblemsFrom(settings.value(QLatin1String(kRecentProblemsValue)).toStringList());
    result.pageLayout = settings.value(QLatin1String(kPageLayoutValue)).toString();
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
    store.setValue(QLatin1String(kMathTypeValue), ToNumber(settings.mathType));
    store.setValue(QLatin1String(kCommentTextValue), settings.commentText ? 1 : 0);
    store.setValue(QLatin1String(kCommentSoundValue), settings.commentSound ? 1 : 0);
    store.setValue(QLatin1String(kOutputPaceValue), settings.outputPace);
    store.setValue(QLatin1String(kZoomValue), settings.zoom);
    store.setValue(QLatin1String(kRecentProblemsValue), RecentProblemsText(settings.recentProblems));
    if (!settings.pageLayout.isEmpty()) {
        store.setValue(QLatin1String(kPageLayoutValue), settings.pageLayout);
    }
    store.sync();
    return store.status() == QSettings::NoError;
}
