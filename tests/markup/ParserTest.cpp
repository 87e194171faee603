// The parser: the trees it builds, the error code of every kind of malformed text, and the levels
// used on their own.

#include "TreeDescription.h"
#include "markup/CFormulaParser.h"
#include "markup/EditorConversion.h"
#include "markup/ProblemText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

enum class Reading { Expression, Equation };

ParseResult ParseAs(Reading reading, const std::string& text) {
    return reading == Reading::Expression ? ParseExpressionText(text) : ParseEquationText(text);
}

struct TreeCase {
    std::string text;
    Reading reading;
    std::string tree;
};

struct ErrorCase {
    std::string text;
    Reading reading;
    ProblemError errorCode;
};

void ExpectTrees(const std::vector<TreeCase>& cases) {
    for (const TreeCase& c : cases) {
        SCOPED_TRACE("text \"" + c.text + "\"");
        const ParseResult result = ParseAs(c.reading, c.text);
        EXPECT_EQ(result.errorCode, ProblemError::None);
        EXPECT_EQ(DescribeTree(result.tree.get()), c.tree);
    }
}

void ExpectErrors(const std::vector<ErrorCase>& cases) {
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE("text \"" + c.text + "\"");
        const ParseResult result = ParseAs(c.reading, c.text);
        EXPECT_EQ(result.errorCode, c.errorCode);
        EXPECT_EQ(result.tree, nullptr) << DescribeTree(result.tree.get());
    }
}

constexpr Reading kExpr = Reading::Expression;
constexpr Reading kEq = Reading::Equation;

} // namespace

TEST(Parser, SumsKeepSignsAndMakeNodesOnlyWhenNeeded) {
    ExpectTrees({
        {"a+b-c;", kExpr, "sum(+a,+b,-c)"},
        {"-a+b;", kExpr, "sum(-a,+b)"},
        {"-a;", kExpr, "sum(-a)"},
        {"+a;", kExpr, "a"},
        {"+a-b;", kExpr, "sum(+a,-b)"},
        {"a;", kExpr, "a"},
        {"(a+b);", kExpr, "sum(+a,+b)"},
        {"{a+b};", kExpr, "sum(+a,+b)"},
        {"a-(b-c);", kExpr, "sum(+a,-sum(+b,-c))"},
        {"-(-a);", kExpr, "sum(-sum(-a))"},
    });
}

TEST(Parser, ProductsFractionsAndPowersBindInOrder) {
    ExpectTrees({
        {"2*x;", kExpr, "prod(+int:2,+x)"},
        {"2:x;", kExpr, "prod(+int:2,:x)"},
        {"a*b/c*d;", kExpr, "prod(+a,+frac(+b,/c),+d)"},
        {"a/b;", kExpr, "frac(+a,/b)"},
        {"{a+b}/{c};", kExpr, "frac(+sum(+a,+b),/c)"},
        {"a/{b+c};", kExpr, "frac(+a,/sum(+b,+c))"},
        {"x^2;", kExpr, "pow(x,int:2)"},
        {"(x+1)^{3};", kExpr, "pow(sum(+x,+int:1),int:3)"},
        {"b^{-1};", kExpr, "pow(b,sum(-int:1))"},
        {"x^2/y^3;", kExpr, "frac(+pow(x,int:2),/pow(y,int:3))"},
        {"a+b*c^2;", kExpr, "sum(+a,+prod(+b,+pow(c,int:2)))"},
        {"2*x*y:z;", kExpr, "prod(+int:2,+x,+y,:z)"},
    });
}

TEST(Parser, NumberLiteralsAreLeaves) {
    ExpectTrees({
        {"108;", kExpr, "int:108"},
        {"0,01;", kExpr, "dec:0,01"},
        {"0,5;", kExpr, "dec:0,5"},
        {"3/4;", kExpr, "frac:3/4"},
        {"3/{4};", kExpr, "frac(+int:3,/int:4)"},
        {"2@{1/3};", kExpr, "mixed:2@{1/3}"},
        {"2@1/3;", kExpr, "mixed:2@{1/3}"},
        {"2@{1/3}+x;", kExpr, "sum(+mixed:2@{1/3},+x)"},
        {"3/x;", kExpr, "frac(+int:3,/x)"},
        {"0,5/3;", kExpr, "frac(+dec:0,5,/int:3)"},
    });
}

TEST(Parser, RelationsHoldBothSides) {
    ExpectTrees({
        {"1/x+5=0;", kEq, "rel(sum(+frac(+int:1,/x),+int:5)=int:0)"},
        {"x=1;", kEq, "rel(x=int:1)"},
        {"-x=-1;", kEq, "rel(sum(-x)=sum(-int:1))"},
        {"2=2;", kEq, "rel(int:2=int:2)"},
    });
}

TEST(Parser, DottedAndStarredProductsAreTheSame) {
    std::string dotted = "2.x";
    PrepareProblemText(dotted);
    const ParseResult a = ParseExpressionText(dotted);
    const ParseResult b = ParseExpressionText("2*x;");
    ASSERT_NE(a.tree, nullptr);
    ASSERT_NE(b.tree, nullptr);
    EXPECT_TRUE(IsEqualNodes(*a.tree, *b.tree));
    EXPECT_EQ(DescribeTree(a.tree.get()), DescribeTree(b.tree.get()));
}

TEST(ParserErrors, EveryCodeForItsCause) {
    ExpectErrors({
        // characters left over, or an equation without a single "="
        {"a/b/c;", kExpr, ProblemError::CharactersLeftOver},
        {"x^2^3;", kExpr, ProblemError::CharactersLeftOver},
        {"x+1;", kEq, ProblemError::CharactersLeftOver},
        {"x=1=2;", kEq, ProblemError::CharactersLeftOver},
        {"x=1;", kExpr, ProblemError::CharactersLeftOver},
        {"x)+1;", kExpr, ProblemError::CharactersLeftOver},
        {"x;y;", kExpr, ProblemError::CharactersLeftOver},
        {"12x;", kExpr, ProblemError::CharactersLeftOver}, // juxtaposition needs its dot in compact text
        {"x", kExpr, ProblemError::CharactersLeftOver},    // no final ";": the parse cannot end at it
        // missing operand
        {"x^-1;", kExpr, ProblemError::MissingOperand},
        {"x+;", kExpr, ProblemError::MissingOperand},
        {";", kExpr, ProblemError::MissingOperand},
        {"", kExpr, ProblemError::MissingOperand},
        {"*x;", kExpr, ProblemError::MissingOperand},
        {"x*;", kExpr, ProblemError::MissingOperand},
        {"x/;", kExpr, ProblemError::MissingOperand},
        {"();", kExpr, ProblemError::MissingOperand},
        {"--x;", kExpr, ProblemError::MissingOperand},
        {"=1;", kEq, ProblemError::MissingOperand},
        {"x=;", kEq, ProblemError::MissingOperand},
        {"2@{1};", kExpr, ProblemError::MissingOperand},
        {"2@3;", kExpr, ProblemError::MissingOperand},
        // wrong closing bracket
        {"(a+b};", kExpr, ProblemError::WrongClosingBracket},
        {"{a+b);", kExpr, ProblemError::WrongClosingBracket},
        {"(x+1;", kExpr, ProblemError::WrongClosingBracket},
        {"2@{1/3;", kExpr, ProblemError::WrongClosingBracket},
        {"(x+1", kExpr, ProblemError::WrongClosingBracket},
        // invalid character
        {"x+#;", kExpr, ProblemError::InvalidCharacter},
        {"0,x;", kExpr, ProblemError::InvalidCharacter},
        {"1,;", kExpr, ProblemError::InvalidCharacter},
        {"5<3;", kExpr, ProblemError::InvalidCharacter},
        {"!sq2{x};", kExpr, ProblemError::InvalidCharacter},
        {"x+\xB1"
         "1;",
         kExpr, ProblemError::InvalidCharacter},
        {"\xE0+1;", kExpr, ProblemError::InvalidCharacter},
        {std::string("x+\0;", 4), kExpr, ProblemError::InvalidCharacter},
        {"x=\xB9;", kEq, ProblemError::InvalidCharacter},
        {"3/4,5;", kExpr, ProblemError::InvalidCharacter},
    });
}

TEST(ParserErrors, FirstCodeStays) {
    // The inner bracket fails first (3); the outer levels must not overwrite it with 2 or 6.
    ExpectErrors({
        {"((a};", kExpr, ProblemError::WrongClosingBracket},
        {"x+(#);", kExpr, ProblemError::InvalidCharacter},
        {"(x+)=1;", kEq, ProblemError::MissingOperand},
        {"x=(y];", kEq, ProblemError::WrongClosingBracket},
    });
}

TEST(ParserLevels, EachLevelStopsWhereItsRuleEnds) {
    struct LevelCase {
        NodePtr (*level)(const std::string&, std::size_t&, ProblemError&);
        std::string text;
        std::string tree;
        std::size_t position;
        ProblemError errorCode;
    };
    const LevelCase cases[] = {
        {ParseFraction, "a/b/c;", "frac(+a,/b)", 3, ProblemError::None},
        {ParsePower, "x^2^3;", "pow(x,int:2)", 3, ProblemError::None},
        {ParseTerm, "a*b+c;", "prod(+a,+b)", 3, ProblemError::None},
        {ParseSum, "a+b=c;", "sum(+a,+b)", 3, ProblemError::None},
        {ParseRelation, "a=b=c;", "rel(a=b)", 3, ProblemError::None},
        // An operand level meeting a sign reports nothing itself: its caller reports the gap.
        {ParseOperand, "+x;", "<none>", 0, ProblemError::None},
        {ParseOperand, "#", "<none>", 0, ProblemError::InvalidCharacter},
        {ParsePower, "x^-1;", "<none>", 2, ProblemError::MissingOperand},
        {ParseSum, "x+", "<none>", 2, ProblemError::MissingOperand},
    };
    for (const LevelCase& c : cases) {
        SCOPED_TRACE("text \"" + c.text + "\"");
        std::size_t position = 0;
        ProblemError errorCode = ProblemError::None;
        const NodePtr tree = c.level(c.text, position, errorCode);
        EXPECT_EQ(DescribeTree(tree.get()), c.tree);
        EXPECT_EQ(position, c.position);
        EXPECT_EQ(errorCode, c.errorCode);
    }
}

TEST(ParserLevels, StartsAtTheGivenPosition) {
    const std::string text = "x=2*y;";
    std::size_t position = 2;
    ProblemError errorCode = ProblemError::None;
    const NodePtr tree = ParseSum(text, position, errorCode);
    EXPECT_EQ(DescribeTree(tree.get()), "prod(+int:2,+y)");
    EXPECT_EQ(position, 5u);
    EXPECT_EQ(errorCode, ProblemError::None);
}

TEST(Parser, EditorTextsParseAfterConversion) {
    // The whole path of a typed problem: editor form, compact form, prepared text, tree.
    const std::vector<TreeCase> cases = {
        {"( x - 4 ) ( x + 1 ) + 8 = 0", kEq, "rel(sum(+prod(+sum(+x,-int:4),+sum(+x,+int:1)),+int:8)=int:0)"},
        {" {{ 1 }/{ {{ x }^{ 2 }} - 2 x + 2 }}", kExpr,
         "frac(+int:1,/sum(+pow(x,int:2),-prod(+int:2,+x),+int:2))"},
        {"2 {{ 1 }/{ 3 }} + x", kExpr, "sum(+mixed:2@{1/3},+x)"},
        {"{{ 1 }/{ 4 }} x", kExpr, "prod(+frac:1/4,+x)"},
        {"{{ x }^{ 4 }} - 4 {{ x }^{ 2 }} = 0", kEq,
         "rel(sum(+pow(x,int:4),-prod(+int:4,+pow(x,int:2)))=int:0)"},
        {"{{ b }^{ - 1 }}", kExpr, "pow(b,sum(-int:1))"},
        {"x 2", kExpr, "prod(+x,+int:2)"},
        {"1 0 8 : ( 0 , 5 x )", kExpr, "prod(+int:108,:prod(+dec:0,5,+x))"},
    };
    for (const TreeCase& c : cases) {
        SCOPED_TRACE("editor text \"" + c.text + "\"");
        std::string text = c.text;
        ConvertEditorText(text);
        PrepareProblemText(text);
        SCOPED_TRACE("prepared \"" + text + "\"");
        const ParseResult result = ParseAs(c.reading, text);
        EXPECT_EQ(result.errorCode, ProblemError::None);
        EXPECT_EQ(DescribeTree(result.tree.get()), c.tree);
    }
}
