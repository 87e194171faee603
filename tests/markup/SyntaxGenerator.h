#pragma once

// Random formulas of the constructs a problem can hold, in the shapes the parser builds (a sum node
// only with a leading minus or two terms, a product with two or more factors, the first one a
// factor), with numbers in the form the parser writes them back.

#include "TreeDescription.h"
#include "markup/CFormulaParser.h"
#include "markup/FormulaSyntax.h"
#include "markup/ProblemText.h"

#include <numeric>
#include <random>
#include <string>

class SyntaxGenerator {
public:
    explicit SyntaxGenerator(unsigned seed) : m_random(seed) {}

    SyntaxNode Tree(int depth) {
        if (depth <= 0 || Chance(3)) {
            return Leaf();
        }
        switch (Below(4)) {
        case 0:
            return Sum(depth - 1);
        case 1:
            return Product(depth - 1);
        case 2:
            return MakeNode(SyntaxKind::Fraction, {Tree(depth - 1), Tree(depth - 1)});
        default:
            return MakeNode(SyntaxKind::Power, {Tree(depth - 1), Exponent(depth - 1)});
        }
    }

    // With onlyEqual, the relation is "=", the one sign the parser reads.
    SyntaxNode Problem(int depth, bool onlyEqual) {
        if (Chance(2)) {
            return Tree(depth);
        }
        SyntaxNode relation = MakeNode(SyntaxKind::Relation, {Tree(depth), Tree(depth)});
        relation.signs.push_back(onlyEqual ? kEqual : Below(6));
        return relation;
    }

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    bool Chance(int oneIn) { return Below(oneIn) == 0; }

private:
    SyntaxNode Number() {
        switch (Below(5)) {
        case 0: {
            // A decimal whose last digit is not 0, as the parser writes it back.
            return MakeLeaf(SyntaxKind::Number, std::to_string(Below(100)) + "," + std::to_string(Below(9)) +
                                                    std::to_string(1 + Below(9)));
        }
        case 1: {
            const auto [numerator, denominator] = ProperFraction();
            return MakeLeaf(SyntaxKind::Number,
                            std::to_string(numerator) + "/" + std::to_string(denominator));
        }
        case 2: {
            const auto [numerator, denominator] = ProperFraction();
            return MakeLeaf(SyntaxKind::Number, std::to_string(1 + Below(9)) + "@{" +
                                                    std::to_string(numerator) + "/" +
                                                    std::to_string(denominator) + "}");
        }
        default:
            return MakeLeaf(SyntaxKind::Number, std::to_string(Below(30)));
        }
    }

    std::pair<int, int> ProperFraction() {
        for (;;) {
            const int denominator = 2 + Below(11);
            const int numerator = 1 + Below(denominator - 1);
            if (std::gcd(numerator, denominator) == 1) {
                return {numerator, denominator};
            }
        }
    }

    SyntaxNode Leaf() {
        static const std::string letters = "abcxyzXY";
        if (Chance(2)) {
            return Number();
        }
        return MakeLeaf(SyntaxKind::Letter, std::string(1, letters[Below(static_cast<int>(letters.size()))]));
    }

    SyntaxNode Sum(int depth) {
        SyntaxNode sum = MakeNode(SyntaxKind::Sum, {});
        const int count = Chance(4) ? 1 : 2 + Below(3);
        for (int i = 0; i < count; ++i) {
            sum.children.push_back(Tree(depth));
            sum.signs.push_back(count == 1 || Chance(3) ? -1 : 1);
        }
        return sum;
    }

    SyntaxNode Product(int depth) {
        SyntaxNode product = MakeNode(SyntaxKind::Product, {});
        const int count = 2 + Below(3);
        for (int i = 0; i < count; ++i) {
            product.children.push_back(Tree(depth));
            product.signs.push_back(i > 0 && Chance(3) ? -1 : 1);
        }
        return product;
    }

    // Mostly whole numbers and their negatives, as school problems have them.
    SyntaxNode Exponent(int depth) {
        if (Chance(2)) {
            return MakeLeaf(SyntaxKind::Number, std::to_string(Below(12)));
        }
        if (Chance(2)) {
            SyntaxNode negative =
                MakeNode(SyntaxKind::Sum, {MakeLeaf(SyntaxKind::Number, std::to_string(1 + Below(5)))});
            negative.signs.push_back(-1);
            return negative;
        }
        return Tree(depth);
    }

    std::mt19937 m_random;
};

// The tree in the notation of markup/TreeDescription.h, for comparison with what the parser
// builds from markup.
inline std::string DescribeSyntax(const SyntaxNode& node) {
    switch (node.kind) {
    case SyntaxKind::Number:
        if (node.text.find('@') != std::string::npos) {
            return "mixed:" + node.text;
        }
        if (node.text.find('/') != std::string::npos) {
            return "frac:" + node.text;
        }
        return (node.text.find(',') != std::string::npos ? "dec:" : "int:") + node.text;
    case SyntaxKind::Letter:
        return node.text;
    case SyntaxKind::Power:
        return "pow(" + DescribeSyntax(node.children[0]) + "," + DescribeSyntax(node.children[1]) + ")";
    case SyntaxKind::Relation:
        return "rel(" + DescribeSyntax(node.children[0]) + "=" + DescribeSyntax(node.children[1]) + ")";
    case SyntaxKind::Fraction:
        return "frac(+" + DescribeSyntax(node.children[0]) + ",/" + DescribeSyntax(node.children[1]) + ")";
    case SyntaxKind::Sum:
    case SyntaxKind::Product: {
        const bool sum = node.kind == SyntaxKind::Sum;
        std::string text = sum ? "sum(" : "prod(";
        for (std::size_t i = 0; i < node.children.size(); ++i) {
            text += i > 0 ? "," : "";
            text += node.signs[i] > 0 ? "+" : (sum ? "-" : ":");
            text += DescribeSyntax(node.children[i]);
        }
        return text + ")";
    }
    default:
        return "?";
    }
}

// The tree the parser builds of markup (prepared as the solver prepares a problem), described;
// "<error N>" when the parser refuses it.
inline std::string DescribeParsedMarkup(const std::string& markup, bool relation) {
    std::string text = markup;
    PrepareProblemText(text);
    const ParseResult parsed = relation ? ParseEquationText(text) : ParseExpressionText(text);
    return parsed.tree ? DescribeTree(parsed.tree.get())
                       : "<error " + std::to_string(ToNumber(parsed.errorCode)) + ">";
}
