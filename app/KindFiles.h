#pragma once

// The files that belong to each kind of problem. Kinds share a group when they share their samples:
// equations are group 1, factorisation and complete factorisation group 2, simplification group 3.
// Each group has, in the base folder's "Samples/" folder, a last-problem file and one note file per
// language, and one built-in sample resource.

#include "solver/ProblemKind.h"

#include <cstddef>
#include <string>

inline constexpr int kGroupCount = 3;

struct KindFiles {
    int group = 1;
    // Full paths: the base folder followed by "Samples/LastPr<group>.txt" and
    // "Samples/Note<group>_<language digit>.txt".
    std::string lastProblemFile;
    std::string noteFile;
    // The built-in samples of the group: 157 equations, 158 factorisation, 159 simplification.
    int sampleResource = 157;
};

KindFiles FilesOfKind(ProblemKind kind, int language, const std::string& baseFolder);

// The help page of a language, relative to the base folder.
std::string HelpFileName(int language);

// The last-problem file's text, at most kMaxLastProblemBytes of it; " ~" (the empty problem) when the
// file is missing or empty.
std::string ReadLastProblem(const std::string& path);
inline constexpr std::size_t kMaxLastProblemBytes = 4096;

// The text of the empty problem in the editor's form.
inline constexpr char kEmptyProblem[] = " ~";
