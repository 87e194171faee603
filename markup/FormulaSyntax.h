#pragma once

// A formula as a tree of its written constructs: what the linear-notation reader builds from what
// people type, and what the readable writer builds from the markup of a solution's formulas. Its
// shape follows the operation tree that the parser makes of the markup (a sum node with signed
// terms, a product node with factors and divisors, a fraction node, a power node, brackets without
// a node of their own), so that a formula read one way and written the other keeps its tree.

#include <string>
#include <vector>

enum class SyntaxKind {
    Number,             // text: the markup of the literal ("108", "0,5", "3/4", "2@{1/3}")
    Letter,             // text: the letter
    Sum,                // children with signs +1, -1, or kPlusOrMinus for "±"
    Product,            // children with signs +1 (a factor) or -1 (a divisor, ":")
    Fraction,           // children: numerator, denominator
    Power,              // children: base, exponent
    Relation,           // children: the sides; signs: the RelationSign between each two of them
    Root,               // children: radicand, and the index when it is not 2
    CrossedOut,         // children: the operand drawn struck through
    System,             // children: the lines
    Function,           // text: the name ("sin"); children: the argument
    Subscript,          // children: the base; text: the subscript as written in markup
    ConditionReference, // text: the number of the condition
    Labelled,           // children: a condition; text: its number, written after it as " (n)"
    Verbatim,           // text: markup that has no construct here, kept as it is
};

inline constexpr int kPlusOrMinus = 2;

// Relation signs, in the order of the relation codes of the operation tree, then the signs only
// the solvers write.
enum RelationSign : int {
    kEqual = 0,
    kLessOrEqual = 1,
    kGreaterOrEqual = 2,
    kLess = 3,
    kGreater = 4,
    kNotEqual = 5,
    kApproximatelyEqual = 6,
};

// The markup of a relation sign ("=", "<=", ..., the Symbol-font bytes for the last two).
const char* RelationMarkup(int sign);

struct SyntaxNode {
    SyntaxKind kind = SyntaxKind::Verbatim;
    std::string text;
    std::vector<SyntaxNode> children;
    std::vector<int> signs; // one per child, for sums and products

    bool operator==(const SyntaxNode&) const = default;
};

SyntaxNode MakeLeaf(SyntaxKind kind, std::string text);
SyntaxNode MakeNode(SyntaxKind kind, std::vector<SyntaxNode> children);
// A node of one child, or of two children, moved in (an initializer list would copy whole subtrees).
SyntaxNode MakeUnary(SyntaxKind kind, SyntaxNode child);
SyntaxNode MakeBinary(SyntaxKind kind, SyntaxNode first, SyntaxNode second);

// True for a number that is an integer or a decimal (no "/" or "@" in its markup).
bool IsPlainNumber(const SyntaxNode& node);

// The compact markup of the tree, with braces and brackets only where the parser needs them, so
// that parsing it gives the tree back: "(a-b)*(a+b)", "{2*x}/4", "x^{-1}", "{x/2}/3".
std::string WriteSyntaxMarkup(const SyntaxNode& node);
