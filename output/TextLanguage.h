#pragma once

// The two languages of the texts. The numbers are the settings store's ("Language") and those of
// every function that takes a language as an int: the comment texts, the menus and the messages
// follow them, and so do the decimal separator and the division sign of painted formulas.
enum TextLanguage : int {
    kRussianLanguage = 0,
    kEnglishLanguage = 1,
};
