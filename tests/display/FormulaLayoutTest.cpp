// Geometry of every construct against the fake device. At font height 20 a character is 10 wide
// and 20 high, the average character width is 10; an exponent's font is 14 high (characters 7 wide);
// the symbol face's characters are 12 wide. Every expected number below is worked out from the
// layout rules by hand.

#include "LayoutTestSupport.h"

#include "display/MyWord.h"

namespace {

TEST_F(LayoutTest, PlainTokenIsOneGlyphPerCharacterCentredOnItsMiddle) {
    const LaidOut token = Layout("x12");
    ASSERT_EQ(token.code, 0);
    EXPECT_BOX(token.box, 30, 20, 10);
    ASSERT_EQ(token.box.symbols.size(), 3u);
    EXPECT_AT(token.Glyph('x'), 0, 0);
    EXPECT_AT(token.Glyph('1'), 10, 0);
    EXPECT_AT(token.Glyph('2'), 20, 0);
    EXPECT_EQ(token.Glyph('2').fontHeight, 20);
    EXPECT_EQ(token.Glyph('2').fontKind, kFontKindFormula);
}

TEST_F(LayoutTest, ConditionNumberStandsApartFromItsLineAsATag) {
    // x = 5 ends at 50; the tag starts two average widths further, at 70: "(" 70, "1" 80, ")" 90.
    const LaidOut tagged = Layout("x=5 (1)");
    ASSERT_EQ(tagged.code, 0);
    EXPECT_BOX(tagged.box, 100, 20, 10);
    EXPECT_AT(tagged.Glyph('('), 70, 0);
    EXPECT_AT(tagged.Glyph('1'), 80, 0);
    // Without the blank the bracket is part of the line, right after the 5.
    EXPECT_EQ(Layout("x=5(1)").Glyph('1').x - Layout("x=5(1)").Glyph('5').x, 20);
    // Each line of a system carries its own tag.
    const LaidOut system = Layout("!sys{x=5 (1);y=6 (2)}");
    ASSERT_EQ(system.code, 0);
    EXPECT_EQ(system.Glyph('1').x - system.Glyph('5').x, 40);
    EXPECT_EQ(system.Glyph('2').x - system.Glyph('6').x, 40);
}

TEST(ConditionTag, OnlyABracketedNumberAtTheEndOfALineIsATag) {
    EXPECT_TRUE(IsConditionTagAt("x=0 (1)", 3));
    EXPECT_TRUE(IsConditionTagAt("x=0 (12);y=1 (2)", 3));
    EXPECT_TRUE(IsConditionTagAt("!sys{x=0 (12)}", 8));
    EXPECT_FALSE(IsConditionTagAt("x=0 (a)", 3));
    EXPECT_FALSE(IsConditionTagAt("x=0 ()", 3));
    EXPECT_FALSE(IsConditionTagAt("x=0 (1)+y", 3));
    EXPECT_FALSE(IsConditionTagAt("x=0 (1", 3));
    EXPECT_EQ(ConditionTagStart("x=0 (1)"), 3u);
    EXPECT_EQ(ConditionTagStart("x=0(1)"), std::string_view::npos);
    // A word keeps the tag's blank and drops every other.
    EXPECT_EQ(MyWord("$x + 3 = 0 (1)$", kFontKindFormula, 20, 0).Text(), "$x+3=0 (1)$");
    EXPECT_EQ(MyWord("$x (1) + 2$", kFontKindFormula, 20, 0).Text(), "$x(1)+2$");
}

TEST_F(LayoutTest, RelationAndSumOperatorsGetOneAverageWidthOnEachSide) {
    // a + b = c: a(0..10) gap + (20..30) gap b(40..50) gap = (60..70) gap c(80..90).
    const LaidOut relation = Layout("a+b=c");
    ASSERT_EQ(relation.code, 0);
    EXPECT_BOX(relation.box, 90, 20, 10);
    EXPECT_AT(relation.Glyph('a'), 0, 0);
    EXPECT_AT(relation.Glyph('+'), 20, 0);
    EXPECT_AT(relation.Glyph('b'), 40, 0);
    EXPECT_AT(relation.Glyph('='), 60, 0);
    EXPECT_AT(relation.Glyph('c'), 80, 0);
    EXPECT_EQ(relation.Glyph('=').fontKind, kFontKindFormula);
}

TEST_F(LayoutTest, SymbolSetOperatorsAreDrawnInTheSymbolFace) {
    struct Case {
        unsigned char sign;
    };
    for (const Case c : {Case{0xB9}, Case{0xBB}, Case{0xB3}, Case{0xA3}, Case{0xB1}}) {
        SCOPED_TRACE(static_cast<int>(c.sign));
        const LaidOut laid = Layout(std::string("x") + static_cast<char>(c.sign) + "0");
        ASSERT_EQ(laid.code, 0);
        // x(10) + 10 + sign(12) + 10 + 0(10)
        EXPECT_BOX(laid.box, 52, 20, 10);
        const MySymbol sign = laid.Glyph(c.sign);
        EXPECT_EQ(sign.fontKind, kFontKindSymbol);
        EXPECT_EQ(sign.width, 12);
        EXPECT_AT(sign, 20, 0);
        EXPECT_AT(laid.Glyph('0'), 42, 0);
    }
}

TEST_F(LayoutTest, InvisibleProductsLeaveFourTenthsOfAnAverageWidthAndDrawNothing) {
    for (const std::string markup : {"2.x", "2@x"}) {
        SCOPED_TRACE(markup);
        const LaidOut product = Layout(markup);
        ASSERT_EQ(product.code, 0);
        EXPECT_BOX(product.box, 24, 20, 10);
        EXPECT_EQ(product.box.symbols.size(), 2u);
        EXPECT_AT(product.Glyph('x'), 14, 0);
    }
}

TEST_F(LayoutTest, SidesWithDifferentAxesMeetOnTheLargerAxis) {
    // x^2 is 29 high with its axis at 19; "1" (axis 10) moves down by 9, and so does the "+".
    const LaidOut sum = Layout("x^2+1");
    ASSERT_EQ(sum.code, 0);
    EXPECT_BOX(sum.box, 22 + 10 + 10 + 10 + 10, 29, 19);
    EXPECT_AT(sum.Glyph('+'), 32, 9);
    EXPECT_AT(sum.Glyph('1'), 52, 9);
    EXPECT_AT(sum.Glyph('x'), 0, 9);
    EXPECT_AT(sum.Glyph('2'), 15, 0);
}

TEST_F(LayoutTest, MinusChainSplitsAtTheFirstMinus) {
    const LaidOut chain = Layout("a-b-c");
    ASSERT_EQ(chain.code, 0);
    EXPECT_BOX(chain.box, 90, 20, 10);
    const std::vector<MySymbol> minus = chain.Glyphs('-');
    ASSERT_EQ(minus.size(), 2u);
    EXPECT_AT(minus[0], 20, 0);
    EXPECT_AT(minus[1], 60, 0);
    EXPECT_AT(chain.Glyph('c'), 80, 0);
}

TEST_F(LayoutTest, LeadingMinusHasAnEmptyLeftSide) {
    const LaidOut negative = Layout("-x");
    ASSERT_EQ(negative.code, 0);
    EXPECT_BOX(negative.box, 40, 20, 10);
    EXPECT_AT(negative.Glyph('-'), 10, 0);
    EXPECT_AT(negative.Glyph('x'), 30, 0);
}

TEST_F(LayoutTest, FractionCentresTheNarrowerPartUnderABar) {
    const LaidOut fraction = Layout("1/23");
    ASSERT_EQ(fraction.code, 0);
    // width max(10, 20) + 10; height 20 + 20 + 0.4 x 20; axis 20 + 0.2 x 20
    EXPECT_BOX(fraction.box, 30, 48, 24);
    EXPECT_AT(fraction.Glyph('1'), 10, 0);
    EXPECT_AT(fraction.Glyph('2'), 5, 28);
    EXPECT_AT(fraction.Glyph('3'), 15, 28);
    const std::vector<MySymbol> bar = fraction.Lines();
    ASSERT_EQ(bar.size(), 1u);
    EXPECT_EQ(bar[0].type, kSymbolLine);
    EXPECT_LINE(bar[0], 0, 24, 30, 24);
}

TEST_F(LayoutTest, OneOverTwoOverThreeIsOneOverTheFractionTwoThirds) {
    const LaidOut fraction = Layout("1/2/3");
    ASSERT_EQ(fraction.code, 0);
    // The denominator 2/3 is 20 wide and 48 high.
    EXPECT_BOX(fraction.box, 30, 20 + 48 + 8, 24);
    EXPECT_AT(fraction.Glyph('1'), 10, 0);
    EXPECT_AT(fraction.Glyph('2'), 10, 28);
    EXPECT_AT(fraction.Glyph('3'), 10, 56);
    const std::vector<MySymbol> bars = fraction.Lines();
    ASSERT_EQ(bars.size(), 2u);
    // The outer bar is the upper and longer one, and comes first (reading order).
    EXPECT_LINE(bars[0], 0, 24, 30, 24);
    EXPECT_LINE(bars[1], 5, 52, 25, 52);
}

TEST_F(LayoutTest, BracedFractionIsTheSameAsThePlainOne) {
    const LaidOut braced = Layout("{1}/{2}");
    const LaidOut plain = Layout("1/2");
    ASSERT_EQ(braced.code, 0);
    ASSERT_EQ(braced.box.symbols.size(), plain.box.symbols.size());
    EXPECT_BOX(braced.box, plain.box.width, plain.box.height, plain.box.axis);
    for (std::size_t i = 0; i < plain.box.symbols.size(); ++i) {
        EXPECT_AT(braced.box.symbols[i], plain.box.symbols[i].x, plain.box.symbols[i].y);
    }
}

TEST_F(LayoutTest, FractionPartsAreBandsOfTheirOwn) {
    const LaidOut fraction = Layout("1/2");
    EXPECT_EQ(fraction.Glyph('1').bandTop, 0);
    EXPECT_EQ(fraction.Glyph('1').bandExtent, 20);
    EXPECT_EQ(fraction.Glyph('2').bandTop, 28);
    EXPECT_EQ(fraction.Glyph('2').bandExtent, 20);
    // Outside any fraction a glyph has the whole formula as its band.
    const LaidOut sum = Layout("a+1/2");
    EXPECT_EQ(sum.Glyph('a').bandExtent, -1);
    EXPECT_EQ(sum.Glyph('2').bandTop, 28);
}

TEST_F(LayoutTest, ExponentIsRaisedAndSixUnitsSmaller) {
    const LaidOut power = Layout("x^2");
    ASSERT_EQ(power.code, 0);
    // exponent 7 x 14; overlap min(0.4 x 14, 0.4 x 20) = 5; raise 9
    EXPECT_BOX(power.box, 10 + 7 + 5, 9 + 20, 9 + 10);
    EXPECT_AT(power.Glyph('x'), 0, 9);
    EXPECT_AT(power.Glyph('2'), 15, 0);
    EXPECT_EQ(power.Glyph('2').fontHeight, 14);
    EXPECT_EQ(power.Glyph('x').fontHeight, 20);
}

TEST_F(LayoutTest, ExponentOfAnExponentShrinksAgain) {
    const LaidOut tower = Layout("x^y^z");
    ASSERT_EQ(tower.code, 0);
    EXPECT_EQ(tower.Glyph('y').fontHeight, 14);
    EXPECT_EQ(tower.Glyph('z').fontHeight, 8);
    // y^z: 7 + 4 + trunc(3.5) wide, 5 + 14 high, axis 12; x^(y^z): overlap 7, raise 12.
    EXPECT_BOX(tower.box, 10 + 14 + 5, 12 + 20, 12 + 10);
    EXPECT_AT(tower.Glyph('x'), 0, 12);
    EXPECT_AT(tower.Glyph('y'), 15, 5);
    EXPECT_AT(tower.Glyph('z'), 25, 0);
}

TEST_F(LayoutTest, ReducedHeightStopsBelowSeven) {
    struct Case {
        int height;
        int exponentHeight;
        int secondHeight;
    };
    for (const Case c : {Case{20, 14, 8}, Case{13, 7, 1}, Case{12, 6, 6}, Case{7, 1, 1}, Case{6, 6, 6}}) {
        SCOPED_TRACE(c.height);
        const LaidOut tower = Layout("x^y^z", c.height);
        ASSERT_EQ(tower.code, 0);
        EXPECT_EQ(tower.Glyph('y').fontHeight, c.exponentHeight);
        EXPECT_EQ(tower.Glyph('z').fontHeight, c.secondHeight);
    }
}

TEST_F(LayoutTest, SubscriptHangsBelowTheBaseKeepingItsAxis) {
    const LaidOut indexed = Layout("x_1");
    ASSERT_EQ(indexed.code, 0);
    EXPECT_BOX(indexed.box, 22, 9 + 20, 10);
    EXPECT_AT(indexed.Glyph('x'), 0, 0);
    EXPECT_AT(indexed.Glyph('1'), 15, 9);
    EXPECT_EQ(indexed.Glyph('1').fontHeight, 14);
}

TEST_F(LayoutTest, BracketsAreAsTallAsWhatTheyEnclose) {
    const LaidOut small = Layout("(x)");
    ASSERT_EQ(small.code, 0);
    EXPECT_BOX(small.box, 10 + 10 + 10 + 4, 20, 10);
    EXPECT_AT(small.Glyph('('), 0, 0);
    EXPECT_AT(small.Glyph('x'), 12, 0);
    EXPECT_AT(small.Glyph(')'), 24, 0);

    // Around 1/2 (20 x 48, axis 24) the brackets are set at height 48: 24 wide, average width 24.
    const LaidOut tall = Layout("[1/2]");
    ASSERT_EQ(tall.code, 0);
    EXPECT_BOX(tall.box, 24 + 20 + 24 + 9, 48, 24);
    const MySymbol open = tall.Glyph('[');
    EXPECT_EQ(open.fontHeight, 48);
    EXPECT_EQ(open.fontKind, kFontKindFormula);
    EXPECT_AT(open, 0, 0);
    EXPECT_AT(tall.Glyph(']'), 20 + 24 + 9, 0);
    EXPECT_AT(tall.Glyph('1'), 24 + 4 + 5, 0);
}

// The formula editor finds the symbol of a character of its text by counting the characters that
// draw something, so symbols come in reading order: bracket, content, bracket; numerator, bar,
// denominator.
TEST_F(LayoutTest, SymbolsComeInReadingOrder) {
    const LaidOut laidOut = Layout("(a+1/b)-2");
    ASSERT_EQ(laidOut.code, 0);
    std::string order;
    for (const MySymbol& symbol : laidOut.box.symbols) {
        order += symbol.type == kSymbolGlyph ? static_cast<char>(symbol.character) : '|';
    }
    EXPECT_EQ(order, "(a+1|b)-2");
}

TEST_F(LayoutTest, BracketReferenceChoosesItsBracketsByKind) {
    struct Case {
        const char* markup;
        unsigned char open;
        unsigned char close;
    };
    for (const Case c : {Case{"!brssil{0;3}", '(', ')'}, Case{"!brssil{1;3}", '[', ']'},
                         Case{"!brssil{2;3}", '{', '}'}, Case{"!brssil{7;3}", '(', ')'}}) {
        SCOPED_TRACE(c.markup);
        const LaidOut reference = Layout(c.markup);
        ASSERT_EQ(reference.code, 0);
        EXPECT_BOX(reference.box, 34, 20, 10);
        EXPECT_AT(reference.Glyph(c.open), 0, 0);
        EXPECT_AT(reference.Glyph('3'), 12, 0);
        EXPECT_AT(reference.Glyph(c.close), 24, 0);
    }
}

TEST_F(LayoutTest, SquareRootIsFourLinesOverItsRadicand) {
    const LaidOut root = Layout("!sq2{x}");
    ASSERT_EQ(root.code, 0);
    EXPECT_BOX(root.box, 10 + 35, 24, 14);
    EXPECT_AT(root.Glyph('x'), 35, 4);
    const std::vector<MySymbol> lines = root.Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_LINE(lines[0], 0, 10, 10, 10);
    EXPECT_LINE(lines[1], 10, 10, 20, 20);
    EXPECT_LINE(lines[2], 20, 20, 30, 0);
    EXPECT_LINE(lines[3], 30, 0, 40, 0);
}

TEST_F(LayoutTest, RootOfDegreeNOverALowRadicand) {
    // degree 3: 7 x 14; radicand x: 10 x 20 < 2 x 14, so the knee is at 14 and the radicand sits low.
    const LaidOut root = Layout("!sqn{3;x}");
    ASSERT_EQ(root.code, 0);
    EXPECT_AT(root.Glyph('3'), 0, 0);
    EXPECT_EQ(root.Glyph('3').fontHeight, 14);
    EXPECT_AT(root.Glyph('x'), 7 + 25, 28 - 20);
    const std::vector<MySymbol> lines = root.Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_LINE(lines[0], 0, 14, 7, 14);
    EXPECT_LINE(lines[1], 7, 14, 17, 28);
    EXPECT_LINE(lines[2], 17, 28, 27, 0);
    EXPECT_LINE(lines[3], 27, 0, 37, 0);
    EXPECT_BOX(root.box, 42, 28, 18);
}

TEST_F(LayoutTest, RootOfDegreeNOverATallRadicand) {
    // radicand 1/2: 20 x 48, more than twice the degree's height: the knee is at half of 48.
    const LaidOut root = Layout("!sqn{3;1/2}");
    ASSERT_EQ(root.code, 0);
    EXPECT_AT(root.Glyph('3'), 0, 24 - 14);
    EXPECT_AT(root.Glyph('1'), 32 + 5, 4);
    const std::vector<MySymbol> lines = root.Lines();
    ASSERT_EQ(lines.size(), 5u); // four of the sign, then the fraction bar
    EXPECT_LINE(lines[0], 0, 24, 7, 24);
    EXPECT_LINE(lines[1], 7, 24, 17, 48);
    EXPECT_LINE(lines[2], 17, 48, 27, 0);
    EXPECT_LINE(lines[3], 27, 0, 47, 0);
    EXPECT_BOX(root.box, 52, 52, 28);
}

TEST_F(LayoutTest, SystemStacksItsLinesBesideANarrowBrace) {
    const LaidOut system = Layout("!sys{x=1;y}");
    ASSERT_EQ(system.code, 0);
    // lines 50 x 20 and 10 x 20; the brace measured at height trunc(1.3 x 40) = 52 is narrowed to
    // 52 / 7 = 7. Its ink (rows 5 to 47) is taller than the lines, so it is drawn at height 48, whose
    // ink (rows 4 to 44) spans the 40 units of the lines exactly.
    const MySymbol brace = system.Glyph('{');
    EXPECT_EQ(brace.fontKind, kFontKindSymbol);
    EXPECT_EQ(brace.fontHeight, 48);
    EXPECT_EQ(brace.width, 7);
    EXPECT_EQ(brace.narrow, 1);
    EXPECT_AT(brace, 0, -4);
    EXPECT_BOX(system.box, 7 + 50, 40, 20);
    EXPECT_AT(system.Glyph('x'), 7, 0);
    EXPECT_AT(system.Glyph('y'), 7, 20);
    EXPECT_EQ(system.Glyph('y').bandTop, 20);
    EXPECT_EQ(system.Glyph('y').bandExtent, 20);
    EXPECT_EQ(system.Glyph('x').bandTop, 0);
}

TEST_F(LayoutTest, SystemBraceInkSpansItsLinesInsideTheBox) {
    for (const char* markup : {"!sys{x}", "!sys{x=1;y=2;z=3}", "!sys{x/2=1;x^2>0}", "!sys{1/{2/3};y;z;w}"}) {
        for (const int height : {8, 20, 26, 60}) {
            SCOPED_TRACE(std::string(markup) + " at " + std::to_string(height));
            const LaidOut system = Layout(markup, height);
            ASSERT_EQ(system.code, 0);
            const MySymbol brace = system.Glyph('{');
            const InkBounds ink = m_graphics.Ink(kFontKindSymbol, brace.fontHeight, "{", true);
            EXPECT_GE(brace.y + ink.top, 0);
            EXPECT_LE(brace.y + ink.bottom, system.box.height);
            EXPECT_GE(ink.Height(), system.box.height * 9 / 10);
        }
    }
}

TEST_F(LayoutTest, CrossedOutPartGetsAStrikeInTheColourOfItsNumber) {
    struct Case {
        const char* markup;
        Rgb color;
    };
    for (const Case c : {Case{"!cross{0;xy}", MakeRgb(0, 0, 255)}, Case{"!cross{2;xy}", MakeRgb(255, 0, 0)},
                         Case{"!cross{9;xy}", MakeRgb(255, 0, 0)}, Case{"!cross{4;xy}", MakeRgb(0, 0, 0)},
                         Case{"!cross{13;xy}", MakeRgb(255, 255, 0)}}) {
        SCOPED_TRACE(c.markup);
        const LaidOut crossed = Layout(c.markup);
        ASSERT_EQ(crossed.code, 0);
        EXPECT_BOX(crossed.box, 20, 20, 10);
        const std::vector<MySymbol> strike = crossed.Lines();
        ASSERT_EQ(strike.size(), 1u);
        EXPECT_EQ(strike[0].type, kSymbolStrikeLine);
        EXPECT_EQ(strike[0].color, c.color);
        EXPECT_LINE(strike[0], 0, 20, 20, 0);
    }
}

TEST_F(LayoutTest, FunctionNameIsCentredOnItsArgument) {
    const LaidOut sine = Layout("!sin(x)");
    ASSERT_EQ(sine.code, 0);
    EXPECT_BOX(sine.box, 30 + 34 + 5, 20, 10);
    EXPECT_AT(sine.Glyph('s'), 0, 0);
    EXPECT_AT(sine.Glyph('n'), 20, 0);
    EXPECT_AT(sine.Glyph('('), 35, 0);

    // Over a fraction the name sits on the bar's line.
    const LaidOut logarithm = Layout("!ln{1/2}");
    ASSERT_EQ(logarithm.code, 0);
    EXPECT_BOX(logarithm.box, 20 + 20 + 5, 48, 24);
    EXPECT_AT(logarithm.Glyph('l'), 0, 24 - 10);
}

TEST_F(LayoutTest, QuadraticFormulaPiecesLayOut) {
    const std::string roots =
        std::string("x_{1") + static_cast<char>(0xB5) + "2}={-b" + static_cast<char>(0xB1) + "!sq2{D}}/{2.a}";
    for (const std::string& markup : {std::string("D=b^2-4.a.c=9"), std::string("=-b/{2.a}=3"), roots}) {
        SCOPED_TRACE(markup);
        const LaidOut laid = Layout(markup);
        EXPECT_EQ(laid.code, 0);
        EXPECT_GT(laid.box.width, 0);
    }
}

} // namespace
