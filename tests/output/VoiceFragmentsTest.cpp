// The fragment names of spoken numbers and pieces.

#include "output/VoiceFragments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

struct NamingCase {
    const char* digits;
    VoiceMode mode;
    Names expected;
};

void ExpectCases(const std::vector<NamingCase>& cases, Names (*words)(std::string_view, VoiceMode)) {
    for (const NamingCase& c : cases) {
        SCOPED_TRACE(std::string(c.digits) + (c.mode == VoiceMode::Russian ? " (Russian)" : " (English)"));
        EXPECT_EQ(words(c.digits, c.mode), c.expected);
    }
}

Names Cardinal(std::string_view digits, VoiceMode mode) {
    return CardinalWords(digits, mode);
}

constexpr VoiceMode kRu = VoiceMode::Russian;
constexpr VoiceMode kEn = VoiceMode::English;

} // namespace

TEST(NumberWords, GroupsTensTeensAndUnits) {
    ExpectCases({{"21", kRu, {"M_MN_C/020_1_b", "M_MN_C/001_1_p"}},
                 {"11", kEn, {"M_MN_C/011_p"}},
                 {"0", kEn, {"M_MN_C/000_p"}},
                 {"000", kRu, {"M_MN_C/000_1_p"}},
                 {"300", kEn, {"M_MN_C/300_p"}},
                 {"101", kEn, {"M_MN_C/100_b", "M_MN_C/001_p"}},
                 {"212", kRu, {"M_MN_C/200_1_b", "M_MN_C/012_1_p"}},
                 {"40", kRu, {"M_MN_C/040_1_p"}},
                 {"007", kEn, {"M_MN_C/007_p"}}},
                Cardinal);
}

// Thousands are feminine in Russian; the group word agrees with the group's last digits and says
// whether anything follows it.
TEST(NumberWords, GroupWordsAgreeAndTellWhetherMoreFollows) {
    ExpectCases({{"21000", kRu, {"M_MN_C/020_1_b", "M_MN_C/001_2_p", "M_GN_P/2_2_p"}},
                 {"2000", kRu, {"M_MN_C/002_2_p", "M_GN_P/2_3_p"}},
                 {"11000", kRu, {"M_MN_C/011_1_p", "M_GN_P/2_1_p"}},
                 {"5000001", kRu, {"M_MN_C/005_1_p", "M_GN_P/3_1_b", "M_MN_C/001_1_p"}},
                 {"2000000", kRu, {"M_MN_C/002_1_p", "M_GN_P/3_3_p"}},
                 {"1000000", kEn, {"M_MN_C/001_p", "M_GN_P/3_p"}},
                 {"1001000", kEn, {"M_MN_C/001_p", "M_GN_P/3_b", "M_MN_C/001_p", "M_GN_P/2_p"}},
                 {"123456789012345678", kEn, {"M_MN_C/100_b", "M_MN_C/020_b", "M_MN_C/003_p", "M_GN_P/6_b",
                                              "M_MN_C/400_b", "M_MN_C/050_b", "M_MN_C/006_p", "M_GN_P/5_b",
                                              "M_MN_C/700_b", "M_MN_C/080_b", "M_MN_C/009_p", "M_GN_P/4_b",
                                              "M_MN_C/012_p", "M_GN_P/3_b",   "M_MN_C/300_b", "M_MN_C/040_b",
                                              "M_MN_C/005_p", "M_GN_P/2_b",   "M_MN_C/600_b", "M_MN_C/070_b",
                                              "M_MN_C/008_p"}}},
                Cardinal);
}

TEST(NumberWords, LongerNumbersAreReadDigitByDigit) {
    const Names words = CardinalWords("1000000000000000000", kRu);
    ASSERT_EQ(words.size(), 19u);
    EXPECT_EQ(words.front(), "M_MN_C/001_1_p");
    EXPECT_EQ(words.back(), "M_MN_C/000_1_p");
    EXPECT_TRUE(CardinalWords("12x", kEn).empty());
}

TEST(NumberWords, WholePartsAndDecimals) {
    ExpectCases({{"21", kRu, {"M_MN_C/020_1_b", "M_MN_C/001_2_p", "M_P_GN/celoe_2"}},
                 {"11", kRu, {"M_MN_C/011_1_p", "M_P_GN/celoe_1"}},
                 {"2", kRu, {"M_MN_C/002_2_p", "M_P_GN/celoe_1"}},
                 {"2", kEn, {"M_MN_C/002_p", "M_P_GN/celoe"}}},
                WholePartWords);
    ExpectCases({{"3,5", kRu, {"M_MN_C/003_1_p", "M_P_GN/celoe_1", "M_MN_C/005_1_p", "M_MN_O/10_1"}},
                 {"0,01", kEn, {"M_MN_C/000_p", "M_P_GN/celoe", "M_MN_C/001_p", "M_MN_O/100_2"}},
                 {"1,21",
                  kRu,
                  {"M_MN_C/001_2_p", "M_P_GN/celoe_2", "M_MN_C/020_1_b", "M_MN_C/001_2_p", "M_MN_O/100_2"}},
                 {"2,1234567",
                  kEn,
                  {"M_MN_C/002_p", "Znaki/zap", "M_MN_C/001_p", "M_MN_C/002_p", "M_MN_C/003_p",
                   "M_MN_C/004_p", "M_MN_C/005_p", "M_MN_C/006_p", "M_MN_C/007_p"}},
                 {"12", kEn, {"M_MN_C/012_p"}}},
                NumberWords);
}

TEST(QuantityWords, OrdinalsAgreeWithTheNumeratorOrFallBackToDivision) {
    EXPECT_EQ(QuantityWords("3", "5", kRu), (Names{"M_MN_C/003_1_p", "M_MN_O/5_1"}));
    EXPECT_EQ(QuantityWords("1", "2", kRu), (Names{"M_MN_C/001_2_p", "M_MN_O/2_2"}));
    EXPECT_EQ(QuantityWords("11", "3", kEn), (Names{"M_MN_C/011_p", "M_MN_O/3_1"}));
    EXPECT_EQ(QuantityWords("21", "1000", kEn), (Names{"M_MN_C/020_b", "M_MN_C/001_p", "M_MN_O/1000_2"}));
    EXPECT_EQ(QuantityWords("3", "101", kEn),
              (Names{"M_MN_C/003_p", "Znaki/di", "M_MN_C/100_b", "M_MN_C/001_p"}));
    EXPECT_EQ(QuantityWords("a", "b", kEn), (Names{"Bukvi/a", "Znaki/di", "Bukvi/b"}));
    EXPECT_EQ(QuantityWords("X", "2", kRu), (Names{"Bukvi/x", "Znaki/di", "M_MN_C/002_1_p"}));
    EXPECT_FALSE(HasOrdinal("1"));
    EXPECT_FALSE(HasOrdinal("2000"));
    EXPECT_TRUE(HasOrdinal("1000000"));
    EXPECT_FALSE(HasOrdinal("10000000"));
}

TEST(PieceFragments, EveryKindOfPiece) {
    auto piece = [](PieceKind kind, std::string text = {}) {
        MyGolos golos;
        golos.kind = kind;
        golos.text = std::move(text);
        return golos;
    };
    EXPECT_EQ(PieceFragments(piece(PieceKind::Power, "2"), kRu), (Names{"M_EXP/2"}));
    EXPECT_EQ(PieceFragments(piece(PieceKind::Power, "25"), kRu),
              (Names{"Znaki/st", "M_MN_C/020_1_b", "M_MN_C/005_1_p"}));
    EXPECT_EQ(PieceFragments(piece(PieceKind::Power, "2"), kEn), (Names{"Znaki/st", "M_MN_C/002_p"}));
    EXPECT_EQ(PieceFragments(piece(PieceKind::Power, "n"), kRu), (Names{"Znaki/st", "Bukvi/n"}));
    EXPECT_EQ(PieceFragments(piece(PieceKind::Power), kEn), (Names{"Znaki/st"}));
    EXPECT_EQ(PieceFragments(piece(PieceKind::Sign, "*"), kEn), (Names{"Znaki/mu"}));
    EXPECT_EQ(PieceFragments(piece(PieceKind::Sign, "\xB1"), kEn), (Names{"Znaki/plmi"}));
    EXPECT_TRUE(PieceFragments(piece(PieceKind::Sign, "#"), kEn).empty());
    EXPECT_EQ(PieceFragments(piece(PieceKind::OpeningBracket, "("), kEn), (Names{"Znaki/skobk2"}));
    EXPECT_EQ(PieceFragments(piece(PieceKind::OpeningBracket, "{"), kEn), (Names{"Znaki/skobk1"}));
    EXPECT_EQ(PieceFragments(piece(PieceKind::Root), kEn), (Names{"Znaki/korenn"}));
    EXPECT_EQ(PieceFragments(piece(PieceKind::BracedNumber, "21"), kRu), CardinalWords("21", kRu));
    EXPECT_TRUE(PieceFragments(piece(PieceKind::Silent), kRu).empty());
    EXPECT_EQ(CommentClipName("Comm07"), "Sounds/Comm07");
    EXPECT_EQ(CommentClipName(""), "");
}
