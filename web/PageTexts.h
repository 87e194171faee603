#pragma once

// The words of the page in one language. The names of the kinds, the languages and the Solve
// button are the desktop program's menu texts from the language file, and the words of the check
// are its check dialog's, so the page and the program say the same; the few words only the page
// needs are kept here in both languages.

#include <array>
#include <filesystem>
#include <string>

struct PageTexts {
    std::array<std::string, 4> kindNames;
    // Indexed by language: 0 Russian, 1 English.
    std::array<std::string, 2> languageNames;
    std::string solve;
    std::string title;
    std::string problemLabel;
    std::string kindLabel;
    std::string languageLabel;
    std::string placeholder;
    std::string busy;
    std::string previewLabel;
    // The check of a pupil's solution: its title (also the link to it), its button, the caption of
    // the pupil's lines.
    std::string checkTitle;
    std::string check;
    std::string linesLabel;
    // The link back from the check to solving.
    std::string solveLink;
};

// The texts of language, its menu texts read from the language file under baseFolder; a missing
// file leaves the built-in English names in their place.
PageTexts LoadPageTexts(int language, const std::filesystem::path& baseFolder);
