#pragma once

// The settings the program keeps between runs, and the store they live in. The store is a settings
// file of organisation "Vantor Kastrel", application "Orbelin" with the values "Language",
// "MathType", "CommentText", "CommentSound" and "PathProg" (the base folder that holds Res/, Samples/
// and the voice folders), and the program's own "OutputPace", "Zoom", "RecentProblems" and
// "PageLayout". The set-up step creates the store; the program reads it at start and writes
// the four settings back at exit, but never creates it: without a store the defaults apply and
// nothing is written.

#include "solver/ProblemKind.h"

#include <QString>

#include <string>
#include <vector>

// A problem solved lately: its kind and its text in the editor's form (single-byte).
struct RecentProblem {
    ProblemKind kind = ProblemKind::Equation;
    std::string text;

    bool operator==(const RecentProblem&) const = default;
};

inline constexpr std::size_t kRecentProblemCount = 4;

// Puts a problem at the head of the list: an equal entry moves there, the oldest beyond the count goes.
void RememberProblem(std::vector<RecentProblem>& list, RecentProblem problem);

struct ProgramSettings {
    // 0 Russian, 1 English.
    int language = 0;
    // The kind of problem, stored as its number.
    ProblemKind mathType = ProblemKind::Equation;
    // Shown from the first start on: a new user sees what each step does, not bare formulas.
    bool commentText = true;
    bool commentSound = false;
    // How quickly the solution is written out (OutputPace in CCorvaneView.h).
    int outputPace = 2;
    // The zoom of the solution view in percent (50 to 400).
    int zoom = 100;
    // The problems solved last, the newest first, at most kRecentProblemCount.
    std::vector<RecentProblem> recentProblems;
    // The page set up for printing (PageLayoutText.h); empty: the printer's own.
    QString pageLayout;
};

class CSettingsStore {
public:
    // The user's store in its usual place.
    CSettingsStore();
    // A store at an explicit path (tests, other installations).
    explicit CSettingsStore(QString path);

    const QString& Path() const { return m_path; }
    bool Exists() const;

    // The settings with their range checks: a value above its range gives the default, except
    // "CommentSound", which gives "on". Values are unsigned, so a negative one is above the range; a
    // missing or unreadable value gives the default.
    ProgramSettings Read() const;

    // The base folder, ending in "/", or empty when the store or the value is missing.
    std::string ReadBaseFolder() const;

    // Writes the four settings back; does nothing when the store does not exist. Returns whether the
    // settings were written.
    bool Write(const ProgramSettings& settings) const;

private:
    QString m_path;
};

// The default path of the user's store.
QString DefaultSettingsPath();

// The longest base folder read from the store, in bytes; a longer value counts as missing.
inline constexpr int kMaxBaseFolderBytes = 4096;
