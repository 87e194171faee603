// Where markup is split: the loosest top-level operator, the chains of one class, the ";" of command
// arguments, and the raised and lowered scripts that share one placement rule.

#include "LayoutTestSupport.h"

#include "display/FormulaPieces.h"

#include <string>
#include <string_view>
#include <vector>

namespace {

TEST(OperatorSplitTest, ClassesBindFromTheAtSignOutToTheRelations) {
    const std::vector<OperatorClass> tightToLoose = {OperatorClassOf('@'), OperatorClassOf('_'),
                                                     OperatorClassOf('^'), OperatorClassOf('/'),
                                                     OperatorClassOf('+'), OperatorClassOf('=')};
    for (std::size_t i = 1; i < tightToLoose.size(); ++i) {
        EXPECT_LT(tightToLoose[i - 1], tightToLoose[i]) << i;
    }
    EXPECT_EQ(OperatorClassOf('x'), OperatorClass::None);
    EXPECT_EQ(OperatorClassOf('('), OperatorClass::None);
    EXPECT_EQ(OperatorClassOf(';'), OperatorClass::None);
    for (const unsigned char sign : {'-', '*', '.', ':'}) {
        EXPECT_EQ(OperatorClassOf(sign), OperatorClass::Sum) << sign;
    }
    for (const unsigned char sign : {'<', '>'}) {
        EXPECT_EQ(OperatorClassOf(sign), OperatorClass::Relation) << sign;
    }
}

TEST(OperatorSplitTest, SplitPointIsTheLeftmostLoosestOperatorOutsideBrackets) {
    struct Case {
        std::string_view markup;
        OperatorClass operatorClass;
        std::size_t position;
    };
    for (const Case c :
         {Case{"a+b=c-d=e", OperatorClass::Relation, 3}, Case{"(a=b)+c", OperatorClass::Sum, 5},
          Case{"{a+b}/c^2", OperatorClass::Fraction, 5}, Case{"x^{y^z}", OperatorClass::Superscript, 1},
          Case{"x_1^2", OperatorClass::Superscript, 3}, Case{"2@{1/3}", OperatorClass::AtSign, 1},
          Case{"[a+b]", OperatorClass::None, 0}, Case{"!sq2{x+1}", OperatorClass::None, 0}}) {
        SCOPED_TRACE(c.markup);
        const SplitPoint split = FindSplitPoint(c.markup);
        EXPECT_EQ(split.operatorClass, c.operatorClass);
        EXPECT_EQ(split.position, c.position);
    }
}

TEST(OperatorSplitTest, ChainIsCutAtEveryTopLevelOperatorOfItsClassOnly) {
    const OperatorChain chain = CutChain("-a+(b-c)*d/e", OperatorClass::Sum);
    EXPECT_EQ(chain.pieces, (std::vector<std::string_view>{"", "a", "(b-c)", "d/e"}));
    EXPECT_EQ(chain.operators, (std::vector<unsigned char>{'-', '+', '*'}));

    const OperatorChain single = CutChain("{a=b}", OperatorClass::Relation);
    EXPECT_EQ(single.pieces, (std::vector<std::string_view>{"{a=b}"}));
    EXPECT_TRUE(single.operators.empty());
}

TEST(OperatorSplitTest, SemicolonsInsideBracketsDoNotSplit) {
    EXPECT_EQ(SplitAtSemicolons("x=1;!sqn{3;y};[a;b]"),
              (std::vector<std::string_view>{"x=1", "!sqn{3;y}", "[a;b]"}));
    EXPECT_EQ(SplitAtSemicolons(";"), (std::vector<std::string_view>{"", ""}));
    EXPECT_EQ(SplitAtSemicolons("(;)"), (std::vector<std::string_view>{"(;)"}));
}

// An exponent and an index of the same base take the same room; the exponent lifts the base by as
// much as the index hangs below it, and only the index keeps the base's axis.
TEST_F(LayoutTest, RaisedAndLoweredScriptsMirrorEachOther) {
    struct Case {
        std::string base;
        std::string script;
        int shift;
    };
    // Script heights at font height 20: a character 14, a fraction of characters 14 + 14 + 5 = 33.
    // Base heights: a character 20, a fraction 48. The shift is the script's height less
    // min(0.4 x script, 0.4 x base), truncated.
    for (const Case& c : {Case{"x", "2", 14 - 5}, Case{"{1/2}", "x", 14 - 5}, Case{"x", "{1/2}", 33 - 8},
                          Case{"{1/2}", "{1/2}", 33 - 13}}) {
        SCOPED_TRACE(c.base + " " + c.script);
        const LaidOut base = Layout(c.base);
        const LaidOut raised = Layout(c.base + "^" + c.script);
        const LaidOut lowered = Layout(c.base + "_" + c.script);
        ASSERT_EQ(raised.code, 0);
        ASSERT_EQ(lowered.code, 0);
        EXPECT_EQ(raised.box.width, lowered.box.width);
        EXPECT_EQ(raised.box.height, base.box.height + c.shift);
        EXPECT_EQ(lowered.box.height, base.box.height + c.shift);
        EXPECT_EQ(raised.box.axis, base.box.axis + c.shift);
        EXPECT_EQ(lowered.box.axis, base.box.axis);
        ASSERT_EQ(raised.box.symbols.size(), lowered.box.symbols.size());
        const std::size_t baseSymbols = base.box.symbols.size();
        for (std::size_t i = 0; i < raised.box.symbols.size(); ++i) {
            const MySymbol& up = raised.box.symbols[i];
            const MySymbol& down = lowered.box.symbols[i];
            EXPECT_EQ(up.x, down.x) << i;
            // The base's symbols come first: lifted in the raised form, where they are in the lowered.
            EXPECT_EQ(up.y, i < baseSymbols ? down.y + c.shift : down.y - c.shift) << i;
        }
    }
}

} // namespace
