// The reader of standard linear notation: typed texts against the markup they give, the refusals
// with their columns, and random formulas written the many ways people type them and read back.

#include "markup/LinearNotation.h"
#include "SyntaxGenerator.h"
#include "TreeDescription.h"
#include "markup/CFormulaParser.h"
#include "markup/ProblemText.h"
#include "model/EngineLimits.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

TEST(LinearNotation, ReadsWhatPeopleType) {
    const struct {
        const char* typed;
        const char* markup;
    } cases[] = {
        // numbers
        {"108", "108"},
        {"0.5x+1", "0,5*x+1"},
        {"0,5x + 1", "0,5*x+1"},
        {"3/4", "3/4"},
        {"2 1/3 + x", "2@{1/3}+x"},
        {"2@{1/3}+x", "2@{1/3}+x"},
        {"2@1/3", "2@{1/3}"},
        {"1.25/5", "1,25/{5}"},
        // implicit products
        {"2x", "2*x"},
        {"x(x+1)", "x*(x+1)"},
        {"(x+1)(x-1)", "(x+1)*(x-1)"},
        {"2(x+1)^2", "2*{x+1}^2"},
        {"x y", "x*y"},
        {"2.x", "2*x"},
        {"3/4x", "3/4*x"},
        // division, left to right
        {"2x/4/3", "{{2*x}/4}/3"},
        {"a/b/c", "{a/b}/c"},
        {"a:b:c", "a:b:c"},
        {"a*b:c*d", "a*b:c*d"},
        {"a/b*c", "a/b*c"},
        {"a:b/c", "{a:b}/c"},
        {"a/2b", "a/2*b"},
        {"3/4^2", "3/{4^2}"},
        {"3/4*5", "3/4*5"},
        {"x÷2", "x:2"},
        // unary signs anywhere an operand may stand
        {"2 + -3 = x", "2+(-3)=x"},
        {"-(2x)*-(2+2)", "-(2*x)*(-(2+2))"},
        {"x^-1", "x^{-1}"},
        {"x^(-1)", "x^{-1}"},
        {"-x^2", "-x^2"},
        {"+x", "x"},
        {"--x", "-(-x)"},
        {"a*+b", "a*b"},
        // powers, right-associative
        {"2^3^2", "2^{3^2}"},
        {"x**2", "x^2"},
        {"x^(n+1)", "x^{n+1}"},
        {"(x^2)^3", "{x^2}^3"},
        {"x\u00B2y\u00B3", "x^2*y^3"},
        {"5x\u207B\u00B9", "5*x^{-1}"},
        // pasted signs and relations
        {"x\u00B2 \u2212 2x\u00B73 \u2260 0", "x^2-2*x*3\xB9"
                                              "0"},
        {"a\u00D7b", "a*b"},
        {"x \u2264 1", "x<=1"},
        {"x\u22651", "x>=1"},
        {"x >= 1", "x>=1"},
        {"x<1", "x<1"},
        {"x != 2", "x\xB9"
                   "2"},
        {"{a+b}/c", "{a+b}/c"},
        // the markup's own constructs pass through
        {"!cross{1;x}+1", "!cross{1;x}+1"},
        {"x_{1}", "x_{1}"},
        // blanks only
        {"", ""},
        {"   ", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const LinearReading reading = ReadLinearNotation(c.typed);
        EXPECT_EQ(reading.error, "");
        EXPECT_EQ(reading.markup, c.markup);
    }
}

// The markup means what the notation means: the parser builds the tree a mathematician reads.
TEST(LinearNotation, MarkupGivesTheTreeOfTheUsualPrecedence) {
    const struct {
        const char* typed;
        const char* tree;
    } cases[] = {
        {"2x/4/3", "frac(+frac(+prod(+int:2,+x),/int:4),/int:3)"},
        {"a-b+c", "sum(+a,-b,+c)"},
        {"-a*b", "sum(-prod(+a,+b))"},
        {"2 + -3", "sum(+int:2,+sum(-int:3))"},
        {"x^-1", "pow(x,sum(-int:1))"},
        {"2^3^2", "pow(int:2,pow(int:3,int:2))"},
        {"3/4^2", "frac(+int:3,/pow(int:4,int:2))"},
        {"a:b/c", "frac(+prod(+a,:b),/c)"},
        {"0.5x", "prod(+dec:0,5,+x)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(DescribeParsedMarkup(ReadLinearNotation(c.typed).markup, false), c.tree);
    }
}

TEST(LinearNotation, RefusesWithTheColumnOfTheFault) {
    const struct {
        const char* typed;
        std::size_t column;
        const char* says;
    } cases[] = {
        {"(x+1", 5, "not closed"},
        {"x+1)", 4, "closes no bracket"},
        {"(a+b}", 5, "does not close"},
        {"((x)", 5, "not closed"},
        {"x=1=2", 4, "second relation sign"},
        {"x<1>=0", 4, "second relation sign"},
        {"sqrt(x)", 1, "root"},
        {"2*sqrt x", 3, "root"},
        {"\u221Ax", 1, "root"},
        {"sin(x)", 1, "function"},
        {"sin x + 1", 1, "function"},
        {"xln(y)", 2, "function"},
        {"log(x)=2", 1, "function"},
        {"x+#", 3, "not part of the notation"},
        {"x+", 3, "ends where an operand"},
        {"2 3", 3, "two numbers"},
        {"x^", 3, "ends where an operand"},
        {"*x", 1, "missing"},
        {"(x=1)", 3, "relation sign"},
        {"\xFFx", 1, "not UTF-8"},
        {"x \u2212 \u20AC", 5, "not part of the notation"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const LinearReading reading = ReadLinearNotation(c.typed);
        EXPECT_TRUE(reading.Refused());
        EXPECT_EQ(reading.markup, "");
        EXPECT_EQ(reading.column, c.column) << reading.error;
        EXPECT_NE(reading.error.find(c.says), std::string::npos) << reading.error;
    }
}

TEST(LinearNotation, HostileTextsAreRefusedQuickly) {
    const std::size_t depth = EngineLimits::kMaxNestingDepth + 1;
    EXPECT_TRUE(ReadLinearNotation(std::string(depth, '(') + "x" + std::string(depth, ')')).Refused());
    EXPECT_TRUE(ReadLinearNotation(std::string(100'000, '-') + "x").Refused());
    EXPECT_TRUE(ReadLinearNotation("2" + std::string(100'000, '^') + "2").Refused());
    EXPECT_TRUE(ReadLinearNotation(std::string(EngineLimits::kMaxProblemTextLength + 1, 'x')).Refused());
    std::string longSum = "x";
    while (longSum.size() < EngineLimits::kMaxProblemTextLength - 10) {
        longSum += "+x";
    }
    EXPECT_FALSE(ReadLinearNotation(longSum).Refused());

    std::mt19937 random(19);
    const std::string alphabet = "0123456789xy+-*/:^()={}.,!@_ \xC2\xB2\xE2\x88\x92";
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int length = random() % 24; length > 0; --length) {
            text += alphabet[random() % alphabet.size()];
        }
        const LinearReading reading = ReadLinearNotation(text);
        SCOPED_TRACE(text);
        if (reading.Refused()) {
            EXPECT_GE(reading.column, 1u);
            EXPECT_EQ(reading.markup, "");
        } else {
            // What the reader accepts the parser builds a tree of, unless it holds a markup command.
            const bool command = text.find('!') != std::string::npos || text.find('_') != std::string::npos;
            const bool relation = reading.tree && reading.tree->kind == SyntaxKind::Relation;
            if (!command && !reading.markup.empty()) {
                EXPECT_EQ(DescribeParsedMarkup(reading.markup, relation).find("<error"), std::string::npos)
                    << reading.markup;
            }
        }
    }
}

// Writes a formula the ways people type it: random blanks, implicit or explicit products in
// several signs, ** or ^ or superscripts, and redundant brackets.
class CasualWriter {
public:
    explicit CasualWriter(SyntaxGenerator& random) : m_random(random) {}

    std::string Write(const SyntaxNode& node) {
        std::string text = WriteBare(node);
        if (node.kind != SyntaxKind::Relation && m_random.Chance(8)) {
            return m_random.Chance(2) ? "(" + Blank() + text + Blank() + ")" : "{" + text + "}";
        }
        return text;
    }

private:
    std::string Blank() { return m_random.Chance(3) ? std::string(1 + m_random.Below(2), ' ') : ""; }
    std::string Bracketed(const SyntaxNode& node) {
        // Built by appends: "(" + std::string trips a false -Wrestrict warning of g++ 12 here.
        std::string text(1, '(');
        text.append(Blank()).append(Write(node)).append(Blank()).append(")");
        return text;
    }
    std::string Minus() { return m_random.Chance(2) ? "-" : "\u2212"; }

    static bool IsPlainInteger(const SyntaxNode& node) {
        return node.kind == SyntaxKind::Number &&
               node.text.find_first_not_of("0123456789") == std::string::npos;
    }
    static bool EndsWithDigit(const std::string& text) { return !text.empty() && std::isdigit(text.back()); }
    static bool StartsWithDigit(const std::string& text) {
        return !text.empty() && std::isdigit(text.front());
    }

    std::string WriteBare(const SyntaxNode& node) {
        switch (node.kind) {
        case SyntaxKind::Number:
            return WriteNumber(node.text);
        case SyntaxKind::Letter:
            return node.text;
        case SyntaxKind::Sum:
            return WriteSum(node);
        case SyntaxKind::Product:
            return WriteProduct(node);
        case SyntaxKind::Fraction:
            return WriteFraction(node);
        case SyntaxKind::Power:
            return WritePower(node);
        case SyntaxKind::Relation:
            return Write(node.children[0]) + Blank() + RelationSign(node.signs[0]) + Blank() +
                   Write(node.children[1]);
        default:
            return "?";
        }
    }

    std::string WriteNumber(std::string text) {
        const std::size_t comma = text.find(',');
        if (comma != std::string::npos && m_random.Chance(2)) {
            text[comma] = '.';
        }
        const std::size_t at = text.find('@');
        if (at != std::string::npos && m_random.Chance(2)) {
            // "2@{1/3}" as "2 1/3"
            text = text.substr(0, at) + " " + text.substr(at + 2, text.size() - at - 3);
        }
        return text;
    }

    std::string RelationSign(int sign) {
        static const char* const ascii[] = {"=", "<=", ">=", "<", ">", "!="};
        static const char* const unicode[] = {"=", "\u2264", "\u2265", "<", ">", "\u2260"};
        return m_random.Chance(2) ? ascii[sign] : unicode[sign];
    }

    std::string WriteSum(const SyntaxNode& node) {
        std::string text;
        for (std::size_t i = 0; i < node.children.size(); ++i) {
            if (node.signs[i] < 0) {
                text += Blank() + Minus() + Blank();
            } else if (i > 0) {
                text += Blank() + "+" + Blank();
            }
            const SyntaxNode& term = node.children[i];
            text += term.kind == SyntaxKind::Sum ? Bracketed(term) : Write(term);
        }
        return text;
    }

    std::string WriteProduct(const SyntaxNode& node) {
        std::string text;
        for (std::size_t i = 0; i < node.children.size(); ++i) {
            const SyntaxNode& factor = node.children[i];
            const bool literal = factor.kind == SyntaxKind::Number && !IsPlainNumber(factor);
            const bool bracketed = factor.kind == SyntaxKind::Sum || factor.kind == SyntaxKind::Product ||
                                   (i > 0 && (factor.kind == SyntaxKind::Fraction || literal));
            const std::string written = bracketed ? Bracketed(factor) : Write(factor);
            if (i > 0) {
                text += Joint(node.signs[i], text, written);
            }
            text += written;
        }
        return text;
    }

    // Between two factors: ":" or "÷" before a divisor; before a factor, an explicit sign, or
    // nothing when the factor cannot be taken for part of a number.
    std::string Joint(int sign, const std::string& before, const std::string& factor) {
        if (sign < 0) {
            return Blank() + (m_random.Chance(2) ? ":" : "\u00F7") + Blank();
        }
        const bool digitNext = StartsWithDigit(factor);
        if (!digitNext && m_random.Chance(2)) {
            return Blank();
        }
        static const char* const signs[] = {"*", "\u00B7", "\u00D7", "."};
        const int count = EndsWithDigit(before) && digitNext ? 3 : 4;
        return Blank() + signs[m_random.Below(count)] + Blank();
    }

    std::string WriteFraction(const SyntaxNode& node) {
        const SyntaxNode& numerator = node.children[0];
        const SyntaxNode& denominator = node.children[1];
        const bool mixed =
            numerator.kind == SyntaxKind::Number && numerator.text.find('@') != std::string::npos;
        std::string top =
            numerator.kind == SyntaxKind::Sum || mixed ? Bracketed(numerator) : Write(numerator);
        const bool bareBelow = denominator.kind == SyntaxKind::Letter || IsPlainNumber(denominator) ||
                               denominator.kind == SyntaxKind::Power;
        const std::string bottom = bareBelow ? Write(denominator) : Bracketed(denominator);
        // digits "/" digits is a fraction literal: a blank keeps a fraction of two numbers apart.
        const std::string before = EndsWithDigit(top) && StartsWithDigit(bottom) ? " " : Blank();
        return top + before + "/" + Blank() + bottom;
    }

    std::string WritePower(const SyntaxNode& node) {
        const SyntaxNode& base = node.children[0];
        const SyntaxNode& exponent = node.children[1];
        const bool bareBase = base.kind == SyntaxKind::Letter || IsPlainNumber(base);
        std::string text = bareBase ? Write(base) : Bracketed(base);
        const bool negative = exponent.kind == SyntaxKind::Sum && exponent.children.size() == 1 &&
                              IsPlainInteger(exponent.children[0]);
        if ((IsPlainInteger(exponent) || negative) && m_random.Chance(2)) {
            static const char* const digits[] = {"\u2070", "\u00B9", "\u00B2", "\u00B3", "\u2074",
                                                 "\u2075", "\u2076", "\u2077", "\u2078", "\u2079"};
            std::string superscript = negative ? "\u207B" : "";
            for (const char digit : (negative ? exponent.children[0] : exponent).text) {
                superscript += digits[digit - '0'];
            }
            return text + superscript;
        }
        text += Blank() + (m_random.Chance(2) ? "^" : "**") + Blank();
        const bool bareExponent = exponent.kind == SyntaxKind::Letter || IsPlainNumber(exponent);
        if (negative && m_random.Chance(2)) {
            return text + Minus() + Blank() + exponent.children[0].text;
        }
        return text + (bareExponent ? Write(exponent) : Bracketed(exponent));
    }

    SyntaxGenerator& m_random;
};

TEST(LinearNotation, RandomFormulasTypedCasuallyReadBackToTheirTree) {
    SyntaxGenerator generator(2026);
    CasualWriter writer(generator);
    for (int round = 0; round < 3000; ++round) {
        const bool onlyEqual = round % 2 == 0;
        const SyntaxNode tree = generator.Problem(1 + round % 4, onlyEqual);
        const std::string typed = writer.Write(tree);
        SCOPED_TRACE(typed);
        const LinearReading reading = ReadLinearNotation(typed);
        ASSERT_EQ(reading.error, "") << "column " << reading.column;
        EXPECT_EQ(DescribeSyntax(*reading.tree), DescribeSyntax(tree));
        EXPECT_TRUE(*reading.tree == tree);
        if (onlyEqual) {
            // The markup written for the solver gives the same tree in the parser.
            EXPECT_EQ(DescribeParsedMarkup(reading.markup, tree.kind == SyntaxKind::Relation),
                      DescribeSyntax(tree))
                << reading.markup;
        }
    }
}

// `depth` copies of open, the core, `depth` copies of close.
std::string NestedText(const std::string& open, const std::string& core, const std::string& close,
                       std::size_t depth) {
    std::string text;
    for (std::size_t i = 0; i < depth; ++i) {
        text.append(open);
    }
    text.append(core);
    for (std::size_t i = 0; i < depth; ++i) {
        text.append(close);
    }
    return text;
}

// The reader counts nesting as the parser does: brackets, exponents and signs of signed operands
// are one level each, as each is one level of the markup. 100 brackets were once refused as 200
// levels. Whatever the reader accepts, the parser reads; a little past the limit is refused with a
// message that names it.
TEST(LinearNotation, NestingIsCountedAsTheParserCountsIt) {
    const std::size_t limit = EngineLimits::kMaxNestingDepth;
    const std::string says = "nested deeper than " + std::to_string(limit) + " levels";
    struct Shape {
        std::string open;
        std::string close;
    };
    for (const Shape& shape : {Shape{"(", ")"}, Shape{"{", "}"}, Shape{"-(", ")"}, Shape{"2^(", ")"},
                               Shape{"- ", ""}, Shape{"x^-", ""}, Shape{"(x+", ")"}}) {
        SCOPED_TRACE(shape.open);
        for (std::size_t depth = limit - 1; depth <= limit + 1; ++depth) {
            const LinearReading reading = ReadLinearNotation(NestedText(shape.open, "x", shape.close, depth));
            if (!reading.Refused()) {
                // The parser reads a whole record, ended by its mark.
                EXPECT_EQ(ParseExpressionText(reading.markup + ";").errorCode, ProblemError::None) << depth;
            }
        }
        const LinearReading tooDeep = ReadLinearNotation(NestedText(shape.open, "x", shape.close, limit + 2));
        EXPECT_TRUE(tooDeep.Refused());
        EXPECT_NE(tooDeep.error.find(says), std::string::npos) << tooDeep.error;
    }
    EXPECT_FALSE(ReadLinearNotation(NestedText("(", "x", ")", limit)).Refused());
    EXPECT_TRUE(ReadLinearNotation(NestedText("(", "x", ")", limit + 1)).Refused());
}

} // namespace
