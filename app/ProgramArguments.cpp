#include "app/ProgramArguments.h"

#include "output/LanguageTables.h"

namespace {

std::optional<int> ParseLanguageName(const std::string& text) {
    if (text == "en") {
        return kEnglishLanguage;
    }
    if (text == "ru") {
        return kRussianLanguage;
    }
    return std::nullopt;
}

// Takes the value of the option at words[i]; an error when there is none.
bool TakeValue(const std::vector<std::string>& words, std::size_t& i, std::string& value,
               ProgramArguments& arguments) {
    if (i + 1 >= words.size()) {
        arguments.error = words[i] + " needs a value";
        return false;
    }
    value = words[++i];
    return true;
}

bool ApplyOption(const std::vector<std::string>& words, std::size_t& i, ProgramArguments& arguments) {
    const std::string& option = words[i];
    if (option == "--quit-when-shown") {
        arguments.quitWhenShown = true;
        return true;
    }
    if (option == "--text-comments") {
        arguments.textComments = true;
        return true;
    }
    if (option == "--help" || option == "--version") {
        (option == "--help" ? arguments.helpRequested : arguments.versionRequested) = true;
        return true;
    }
    std::string value;
    if (option != "--screenshot" && option != "--kind" && option != "--lang") {
        arguments.error = "unknown option " + option;
        return false;
    }
    if (!TakeValue(words, i, value, arguments)) {
        return false;
    }
    if (option == "--screenshot") {
        arguments.screenshotPath = value;
    } else if (option == "--kind") {
        arguments.kind = ParseKindName(value);
        if (!arguments.kind) {
            arguments.error = "unknown kind \"" + value + "\"";
        }
    } else {
        arguments.language = ParseLanguageName(value);
        if (!arguments.language) {
            arguments.error = "unknown language \"" + value + "\" (en or ru)";
        }
    }
    return arguments.error.empty();
}

} // namespace

ProgramArguments ParseProgramArguments(const std::vector<std::string>& words) {
    ProgramArguments arguments;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (!optionsEnded && word == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && word.starts_with("--")) {
            if (!ApplyOption(words, i, arguments)) {
                return arguments;
            }
        } else {
            arguments.problem = arguments.problem ? *arguments.problem + " " + word : word;
        }
    }
    if (!arguments.screenshotPath &&
        (arguments.kind || arguments.language || arguments.textComments || arguments.problem)) {
        arguments.error = "--kind, --lang, --text-comments and a problem go with --screenshot";
    }
    return arguments;
}

std::string ProgramUsageText() {
    return "usage: orbelin [--screenshot OUT.png [--kind KIND] [--lang en|ru] [--text-comments] [PROBLEM]]\n"
           "\n"
           "Starts the step-by-step solver of school algebra: type a problem in the formula editor, choose\n"
           "its kind (an equation, a polynomial to factorise or to factorise completely, an expression to\n"
           "simplify) and Solve; the solution is written out line by line with numbered comments in\n"
           "Russian or English, and can be printed and read aloud.\n"
           "\n"
           "  --screenshot OUT.png  saves a picture of the main window instead of showing it: with\n"
           "                        PROBLEM, its whole solution; without, the window as it starts\n"
           "  --kind KIND           equation, factor, factor-full or simplify (0 to 3)\n"
           "  --lang L              the language of the picture: en or ru\n"
           "  --text-comments       the comments as text in the picture\n"
           "  --help                this text\n"
           "  --version             the version\n";
}
