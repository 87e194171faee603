#pragma once

// The commands of the main window, by the numbers the language file, the toolbars and the built-in
// tool tips know them by.

#include <cstdint>

enum class MenuCommand : std::uint32_t {
    KindEquations = 32814,
    KindFactorisation = 32815,
    KindCompleteFactorisation = 32816,
    KindSimplification = 32817,
    NewExample = 32773,
    LoadLastExample = 32774,
    PutIntoCollection = 32792,
    ChooseExample = 32810,
    Cut = 32826,
    Copy = 32818,
    Paste = 32819,
    LanguageRussian = 32811,
    LanguageEnglish = 32812,
    SpokenComments = 32829,
    TextComments = 32830,
    LineByLine = 32831,
    EditClassifier = 32827,
    ShowAll = 32808,
    Print = 57607,
    PrintPreview = 57609,
    PrintSetup = 57606,
    Help = 32834,
    About = 57664,
    Solve = 32775,
};

constexpr std::uint32_t CommandNumber(MenuCommand command) {
    return static_cast<std::uint32_t>(command);
}

// The commands of the editing toolbar in order; 0 marks a separator.
inline constexpr std::uint32_t kEditingToolbar[] = {32771, 32803, 32804, 0, 32793, 32772, 0,
                                                    32801, 32802, 32805, 0, 32826, 32818, 32819,
                                                    0,     32800, 32799, 0, 32775};

// The commands of the keypad toolbar in order: the digits 0 to 9, then "+", "-", "*", ":", "=" and
// the decimal comma; 0 marks a separator.
inline constexpr std::uint32_t kKeypadToolbar[] = {32777, 32778, 32779, 32780, 32781, 32782,
                                                   32783, 32784, 32785, 32786, 0,     32787,
                                                   32788, 32789, 32791, 32833, 0,     32790};
