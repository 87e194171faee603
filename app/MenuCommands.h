#pragma once

// The commands of the main window, by the numbers the language file, the toolbars and the built-in
// tool tips know them by.

#include "editor/EditorCommand.h"

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

// The editor's commands in the order of the editing toolbar; kToolbarSeparator marks a separator.
inline constexpr int kToolbarSeparator = 0;
inline constexpr int kEditingToolbar[] = {EditorCommand::kFraction,
                                          EditorCommand::kWrapNumerator,
                                          EditorCommand::kWrapDenominator,
                                          kToolbarSeparator,
                                          EditorCommand::kBrackets,
                                          EditorCommand::kWrapBrackets,
                                          kToolbarSeparator,
                                          EditorCommand::kPower,
                                          EditorCommand::kWrapPowerBase,
                                          EditorCommand::kWrapPowerExponent,
                                          kToolbarSeparator,
                                          EditorCommand::kCut,
                                          EditorCommand::kCopy,
                                          EditorCommand::kPaste,
                                          kToolbarSeparator,
                                          EditorCommand::kCaretLeft,
                                          EditorCommand::kCaretRight,
                                          kToolbarSeparator,
                                          EditorCommand::kSolve};

// The keypad: the digits 0 to 9, then "+", "-", "*", ":", "=" and the decimal comma.
inline constexpr int kKeypadToolbar[] = {
    EditorCommand::kDigit0,     EditorCommand::kDigit0 + 1, EditorCommand::kDigit0 + 2,
    EditorCommand::kDigit0 + 3, EditorCommand::kDigit0 + 4, EditorCommand::kDigit0 + 5,
    EditorCommand::kDigit0 + 6, EditorCommand::kDigit0 + 7, EditorCommand::kDigit0 + 8,
    EditorCommand::kDigit9,     kToolbarSeparator,          EditorCommand::kPlus,
    EditorCommand::kMinus,      EditorCommand::kTimes,      EditorCommand::kDivide,
    EditorCommand::kEquals,     kToolbarSeparator,          EditorCommand::kComma};
