#pragma once

// The commands of the formula editor, by the identifiers the menus and toolbars use. The main window
// puts the editor's action of each command (MathRedactor::Action) into its toolbars and menus.

namespace EditorCommand {

inline constexpr int kDigit0 = 32777; // digits 0 ... 9 are kDigit0 ... kDigit0 + 9
inline constexpr int kDigit9 = 32786;
inline constexpr int kPlus = 32787;
inline constexpr int kMinus = 32788;
inline constexpr int kTimes = 32789;
inline constexpr int kDivide = 32791;
inline constexpr int kEquals = 32833;
inline constexpr int kComma = 32790;
inline constexpr int kFraction = 32771;
inline constexpr int kBrackets = 32793;
inline constexpr int kPower = 32801;
inline constexpr int kWrapBrackets = 32772;
inline constexpr int kWrapPowerBase = 32802;
inline constexpr int kWrapPowerExponent = 32805;
inline constexpr int kWrapNumerator = 32803;
inline constexpr int kWrapDenominator = 32804;
inline constexpr int kCaretRight = 32799;
inline constexpr int kCaretLeft = 32800;
inline constexpr int kCut = 32826;
inline constexpr int kCopy = 32818;
inline constexpr int kPaste = 32819;
inline constexpr int kSpeak = 32806;
inline constexpr int kSolve = 32775;

} // namespace EditorCommand
