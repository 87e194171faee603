// Spoken pieces of laid-out formulas: their reading order, and symbol ranges that cover every glyph
// and line of the layout exactly once.

#include "FakeDevice.h"

#include "display/SpokenPieces.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

class SpokenPiecesTest : public ::testing::Test {
protected:
    std::vector<MyGolos> Pieces(const std::string& markup) {
        m_word = MyWord("$" + markup + "$", kFontKindFormula, 20, 0);
        return BuildSpokenPieces(m_word, m_graphics);
    }

    // Every symbol lies in exactly one piece, and a number, letter or sign piece holds the glyphs
    // of its own characters.
    void ExpectExactCover(const std::string& markup) {
        SCOPED_TRACE(markup);
        const std::vector<MyGolos> pieces = Pieces(markup);
        const std::vector<MySymbol>& symbols = m_word.Symbols(m_graphics);
        ASSERT_FALSE(symbols.empty());
        // One silent piece for everything is the fallback for a walk that lost its way.
        ASSERT_FALSE(pieces.size() == 1 && pieces[0].kind == PieceKind::Silent);
        std::vector<int> cover(symbols.size(), 0);
        for (const MyGolos& piece : pieces) {
            ASSERT_LE(piece.first, piece.last);
            ASSERT_LE(piece.last, symbols.size());
            for (std::size_t i = piece.first; i < piece.last; ++i) {
                ++cover[i];
            }
            if (piece.kind == PieceKind::Number || piece.kind == PieceKind::Letter ||
                piece.kind == PieceKind::Sign || piece.kind == PieceKind::WholePart) {
                std::string drawn;
                for (std::size_t i = piece.first; i < piece.last; ++i) {
                    drawn += static_cast<char>(symbols[i].character);
                }
                EXPECT_EQ(drawn, piece.text);
            }
        }
        for (std::size_t i = 0; i < cover.size(); ++i) {
            EXPECT_EQ(cover[i], 1) << "symbol " << i << " '" << symbols[i].character << "'";
        }
    }

    static std::vector<PieceKind> Kinds(const std::vector<MyGolos>& pieces) {
        std::vector<PieceKind> kinds;
        for (const MyGolos& piece : pieces) {
            kinds.push_back(piece.kind);
        }
        return kinds;
    }

    CFakeDevice m_device;
    CGraphics m_graphics{m_device};
    MyWord m_word;
};

using K = PieceKind;

std::string RandomOperand(std::mt19937& random, int depth);

std::string RandomExpression(std::mt19937& random, int depth) {
    static const char* const kJoints[] = {"+", "-", "*", ".", ":", "=", "\xB1", "\xB9"};
    std::string text = RandomOperand(random, depth);
    const int more = static_cast<int>(random() % 3);
    for (int i = 0; i < more; ++i) {
        text += kJoints[random() % std::size(kJoints)];
        text += RandomOperand(random, depth);
    }
    return text;
}

std::string RandomOperand(std::mt19937& random, int depth) {
    const int choice = depth <= 0 ? static_cast<int>(random() % 3) : static_cast<int>(random() % 12);
    switch (choice) {
    case 0:
        return std::to_string(random() % 2000);
    case 1:
        return std::string(1, static_cast<char>('a' + random() % 26));
    case 2:
        return std::to_string(random() % 10) + "," + std::to_string(random() % 100);
    case 3:
        return std::string("(") + RandomExpression(random, depth - 1) + ")";
    case 4:
        return std::string("{") + RandomExpression(random, depth - 1) + "}/{" +
               RandomExpression(random, depth - 1) + "}";
    case 5:
        return RandomOperand(random, 0) + "/" + RandomOperand(random, 0);
    case 6:
        return RandomOperand(random, depth - 1) + "^{" + RandomExpression(random, depth - 1) + "}";
    case 7:
        return std::string("!sq2{") + RandomExpression(random, depth - 1) + "}";
    case 8:
        return std::string("!sqn{") + std::to_string(random() % 9 + 2) + ";" +
               RandomExpression(random, depth - 1) + "}";
    case 9:
        return std::to_string(random() % 9 + 1) + "@{" + std::to_string(random() % 9 + 1) + "/" +
               std::to_string(random() % 9 + 2) + "}";
    case 10:
        return std::string("!cross{") + std::to_string(random() % 5 + 1) + ";" +
               RandomOperand(random, depth - 1) + "}";
    default:
        return std::string("!sin(") + RandomExpression(random, depth - 1) + ")";
    }
}

} // namespace

TEST_F(SpokenPiecesTest, ReadingOrderOfTheConstructs) {
    EXPECT_EQ(Kinds(Pieces("x^2+3/4=0")),
              (std::vector<K>{K::Letter, K::Power, K::Sign, K::Quantity, K::Sign, K::Number}));
    EXPECT_EQ(Kinds(Pieces("2.(x-1)")), (std::vector<K>{K::Number, K::OpeningBracket, K::Letter, K::Sign,
                                                        K::Number, K::ClosingBracket}));
    EXPECT_EQ(Kinds(Pieces("{a+b}/{c}")), (std::vector<K>{K::Fraction, K::Numerator, K::Letter, K::Sign,
                                                          K::Letter, K::Denominator, K::Letter}));
    EXPECT_EQ(Kinds(Pieces("2@{1/3}")), (std::vector<K>{K::WholePart, K::Quantity}));
    EXPECT_EQ(Kinds(Pieces("!sqn{3;x}")), (std::vector<K>{K::Root, K::Number, K::Of, K::Letter}));
    EXPECT_EQ(Kinds(Pieces("x^{n+1}")), (std::vector<K>{K::Letter, K::Power, K::Letter, K::Sign, K::Number}));
    EXPECT_EQ(Kinds(Pieces("!cross{1;x}")), (std::vector<K>{K::Letter, K::Silent}));

    const std::vector<MyGolos> quantity = Pieces("{12}/{5}");
    ASSERT_EQ(quantity.size(), 1u);
    EXPECT_EQ(quantity[0].text, "12");
    EXPECT_EQ(quantity[0].text2, "5");
    EXPECT_EQ(Pieces("x^{12}")[1].text, "12");
    EXPECT_TRUE(Pieces("x+(").empty());
}

TEST_F(SpokenPiecesTest, PiecesCoverExactlyTheGlyphs) {
    for (const char* markup : {"x^2-5.x+6=0", "D=b^2-4.a.c=",
                               "x_{1\xB5"
                               "2}={-b\xB1!sq2{D}}/{2.a}=",
                               "!sys{x\xB9"
                               "0 (1);x-1\xB9"
                               "0 (2)}",
                               "x=2 !brssil{0;1}", "!brssil{1;a+b}", "!ln(x)+!arctg(2.x)", "3,25.x^{-1}",
                               "{{x+1}^{2}}/{x-1}", "!cross{2;x}.!cross{2;y}/{3}", "1@{2/3}+2@1/3",
                               "x\xA3"
                               "5",
                               "{{x}}"}) {
        ExpectExactCover(markup);
    }
}

TEST_F(SpokenPiecesTest, RandomFormulasAreCoveredExactly) {
    std::mt19937 random(20261207);
    for (int i = 0; i < 400; ++i) {
        ExpectExactCover(RandomExpression(random, 3));
        if (HasFailure()) {
            break;
        }
    }
}
