#include "app/KindFiles.h"

#include "editor/LastProblemFile.h"
#include "output/LanguageTables.h"

#include <fstream>

KindFiles FilesOfKind(ProblemKind kind, int language, const std::string& baseFolder) {
    KindFiles files;
    files.group = ProblemGroup(kind);
    const std::string group = std::to_string(files.group);
    const std::string languageDigit = language == kEnglishLanguage ? "1" : "0";
    files.lastProblemFile = baseFolder + "Samples/LastPr" + group + ".txt";
    files.noteFile = baseFolder + "Samples/Note" + group + "_" + languageDigit + ".txt";
    files.sampleResource = 156 + files.group;
    return files;
}

std::string HelpFileName(int language) {
    return language == kEnglishLanguage ? "Res/Help_Engl.html" : "Res/Help_Rus.html";
}

std::string ReadLastProblem(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string text;
    if (file) {
        text.resize(kMaxLastProblemBytes);
        file.read(text.data(), static_cast<std::streamsize>(text.size()));
        text.resize(static_cast<std::size_t>(file.gcount()));
    }
    return text.empty() ? kEmptyProblem : text;
}
