#include "web/PageTexts.h"

#include "output/CIniFile.h"
#include "output/LanguageTables.h"
#include "output/Windows1251.h"

namespace {

// Menu entries of the language file.
constexpr std::size_t kMenuFirstKind = 1;
constexpr std::size_t kMenuRussian = 16;
constexpr std::size_t kMenuEnglish = 17;
constexpr std::size_t kMenuSolve = 31;
// Entries of the check dialog's section.
constexpr int kCheckTitle = 0;
constexpr int kCheckButton = 1;
constexpr int kCheckLinesCaption = 3;

PageTexts BuiltInTexts(int language) {
    PageTexts texts;
    texts.kindNames = {"Equations", "Factorisation", "Complete factorisation",
                       "Simplification of expressions"};
    texts.languageNames = {"Russian", "English"};
    texts.solve = "Solve";
    texts.checkTitle = "Check my solution";
    texts.check = "Check";
    texts.linesLabel = "Your solution, one step a line:";
    if (language == kRussianLanguage) {
        texts.title = "Orbelin: решение по шагам";
        texts.problemLabel = "Задача";
        texts.kindLabel = "Тип задачи";
        texts.languageLabel = "Язык";
        texts.placeholder = "например, 2x^2 - 3x + 1 = 0";
        texts.busy = "Сервер сейчас занят. Повторите через несколько секунд.";
        texts.previewLabel = "Как прочитана задача";
        texts.solveLink = "Решение по шагам";
    } else {
        texts.title = "Orbelin: step-by-step solutions";
        texts.problemLabel = "Problem";
        texts.kindLabel = "Kind of problem";
        texts.languageLabel = "Language";
        texts.placeholder = "for example 2x^2 - 3x + 1 = 0";
        texts.busy = "The server is busy. Please try again in a few seconds.";
        texts.previewLabel = "The problem as read";
        texts.solveLink = "Step-by-step solution";
    }
    return texts;
}

void TakeMenuText(std::string& text, const CLanguageTables& tables, std::size_t entry) {
    const std::string& menu = tables.MenuText(entry);
    if (!menu.empty()) {
        text = Windows1251ToUtf8(menu);
    }
}

void TakeCheckDialogText(std::string& text, const CIniFile& file, int key) {
    const std::string value =
        file.GetString("CheckDialog", std::to_string(key), CLanguageTables::kValueBufferSize);
    if (!value.empty()) {
        text = Windows1251ToUtf8(value);
    }
}

} // namespace

PageTexts LoadPageTexts(int language, const std::filesystem::path& baseFolder) {
    PageTexts texts = BuiltInTexts(language);
    CLanguageTables tables;
    std::string folder = baseFolder.string();
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    if (!tables.LoadLanguage(folder, language, nullptr)) {
        return texts;
    }
    for (std::size_t kind = 0; kind < texts.kindNames.size(); ++kind) {
        TakeMenuText(texts.kindNames[kind], tables, kMenuFirstKind + kind);
    }
    TakeMenuText(texts.languageNames[0], tables, kMenuRussian);
    TakeMenuText(texts.languageNames[1], tables, kMenuEnglish);
    TakeMenuText(texts.solve, tables, kMenuSolve);
    CIniFile file;
    if (file.Load(folder + LanguageFileName(language))) {
        TakeCheckDialogText(texts.checkTitle, file, kCheckTitle);
        TakeCheckDialogText(texts.check, file, kCheckButton);
        TakeCheckDialogText(texts.linesLabel, file, kCheckLinesCaption);
    }
    return texts;
}
