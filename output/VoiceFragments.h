#pragma once

// How a formula is read aloud: its spoken pieces, and the recorded fragments each piece is made of.
//
// A fragment is named relative to the voice folder of the language ("English/" or "Russian/" under
// the base folder) and without ".wav": "M_MN_C/020_1_b". The folders:
//   Sounds/  comment clips, by the comment's sound name     M_MN_C/  cardinal number pieces
//   M_GN_P/  group words (thousand, million, ...)           M_MN_O/  ordinal denominators
//   M_P_GN/  the word after the whole part of a number      M_EXP/   exponent phrases (Russian)
//   Bukvi/   letters, by the lower-case letter              Znaki/   signs and structure words
//
// Numbers are read group by group (see CardinalWords); a number of more digits than the group words
// reach is read digit by digit.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// 1 English, 2 Russian: English has no gender or plural forms in its fragment names.
enum class VoiceMode { English = 1, Russian = 2 };

// English for language 1, Russian for any other.
VoiceMode VoiceModeOf(int language);

// The voice folder of a language relative to the base folder: "English/" or "Russian/".
std::string VoiceFolderOf(int language);

// The comment clip of a sound name, relative to the voice folder; empty for an empty sound name.
std::string CommentClipName(std::string_view soundName);

// The longest number read by its words: six groups of three digits (up to the quadrillions).
inline constexpr std::size_t kMaxNumberWordDigits = 18;
// Exponents with a phrase of their own in M_EXP/ (Russian): 2 "squared" to 20.
inline constexpr int kFirstExponentPhrase = 2;
inline constexpr int kLastExponentPhrase = 20;
// Fraction parts of decimals read as a quantity ("five tenths") have at most this many digits.
inline constexpr std::size_t kMaxOrdinalDecimalDigits = 6;

// Whether M_MN_O/ holds the ordinal of a denominator: 2 to 100, and 1000 to 1000000 for each power
// of ten.
bool HasOrdinal(std::string_view denominator);

// The words of a number written with digits:
//   21 (Russian) -> M_MN_C/020_1_b, M_MN_C/001_1_p;   11 (English) -> M_MN_C/011_p;
//   0 (English) -> M_MN_C/000_p;   21000 (Russian) -> M_MN_C/020_1_b, M_MN_C/001_2_p, M_GN_P/2_2_p.
// With feminine set, the last group is read in the feminine form that counts wholes and fraction
// parts (Russian "odna", "dve"); it never has a group word.
std::vector<std::string> CardinalWords(std::string_view digits, VoiceMode mode, bool feminine = false);

// The whole part of a mixed number: its words (feminine), then M_P_GN/celoe (English), or in Russian
// M_P_GN/celoe_2 after a final 1 that is not 11, otherwise M_P_GN/celoe_1.
std::vector<std::string> WholePartWords(std::string_view digits, VoiceMode mode);

// A number as written in a formula: digits, or digits, a decimal comma and digits. A decimal is read
// as its whole part and its fraction part counted in tenths, hundredths, ... (three and five tenths);
// a longer fraction part as the whole part, "point" and its digits one by one.
std::vector<std::string> NumberWords(std::string_view number, VoiceMode mode);

// Numerator over denominator read as a quantity: with two whole numbers and a denominator that has an
// ordinal, the numerator's words (feminine) and the ordinal, in the "_2" form after a numerator
// ending in 1 but not 11 (one fifth, twenty-one fifths in Russian agreement), otherwise "_1";
// otherwise numerator, Znaki/di, denominator, each a number or its letters.
std::vector<std::string> QuantityWords(std::string_view numerator, std::string_view denominator,
                                       VoiceMode mode);

// The kinds of spoken piece.
enum class PieceKind {
    Number = 0,         // a number
    WholePart = 1,      // the whole part of a mixed number
    Quantity = 2,       // a plain fraction read as a quantity: text over second text
    BracedNumber = 3,   // a number in braces
    Fraction = 4,       // "fraction", before a numerator and a denominator read in turn
    Numerator = 5,      // "numerator"
    Denominator = 6,    // "denominator"
    OpeningBracket = 7, // text "(", "[" or "{"
    ClosingBracket = 8,
    Sign = 9,    // text: the sign's character
    Letter = 10, // text: the letter
    Power = 11,  // text: the exponent when it is a number or letters, else empty (the exponent follows)
    SquareRoot = 12,
    Root = 13, // the degree's pieces follow, then Of
    Of = 14,
    Silent = 15, // drawn only: a strike line, a system's brace
};

// One spoken piece of a laid-out formula (MyGolos): what it says and the symbols it covers, first up
// to one past last, in the formula's symbol list.
struct MyGolos {
    PieceKind kind = PieceKind::Silent;
    std::string text;
    // The denominator of a quantity.
    std::string text2;
    std::size_t first = 0;
    std::size_t last = 0;
};

// The fragments a piece is read with, in order; none for a silent piece or an unknown sign.
std::vector<std::string> PieceFragments(const MyGolos& piece, VoiceMode mode);
