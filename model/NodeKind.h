#pragma once

// The two codes every tree node answers. The family says what kind of operation a node is and is
// shared by a class and the classes derived from it; the exact code names the class itself. A node
// is plain when both codes are equal. Switches over these enums carry no default, so a forgotten
// kind is named by the compiler.

#include <cstdint>

enum class NodeFamily : std::int32_t {
    Number = 0,
    Variable = 1,
    Power = 2,
    Root = 3,
    Multiplication = 4, // product: cell sign +1 multiplies, -1 divides (written ":")
    Fraction = 5,       // cell sign +1 numerator, -1 denominator
    Addition = 6,       // sum: cell sign +1 adds, -1 subtracts
    Relation = 7,
};

enum class NodeType : std::int32_t {
    Number = 0,
    Variable = 1,
    Power = 2,
    Root = 3,
    Multiplication = 4,
    Fraction = 5,
    Addition = 6,
    Relation = 7,
    Monom = 8,                // family Multiplication
    Polynom = 9,              // family Addition
    HyperMonom = 10,          // family Fraction
    LevelAddition = 11,       // family Addition
    LevelMultiplication = 12, // family Multiplication
    LevelPower = 13,          // family Power
};

constexpr std::int32_t ToNumber(NodeFamily family) {
    return static_cast<std::int32_t>(family);
}
constexpr std::int32_t ToNumber(NodeType type) {
    return static_cast<std::int32_t>(type);
}

// Families 4, 5 and 6 own a child list.
constexpr bool IsListFamily(NodeFamily family) {
    return family == NodeFamily::Multiplication || family == NodeFamily::Fraction ||
           family == NodeFamily::Addition;
}

// Family 4 or 5: a node that multiplies and divides its elements.
constexpr bool IsProductFamily(NodeFamily family) {
    return family == NodeFamily::Multiplication || family == NodeFamily::Fraction;
}

// Where a node stands when it is written as text; decides the brackets around it.
enum class TextContext : std::int32_t {
    Free = 0,       // whole formula, a side of a relation, a radicand
    Term = 1,       // term of a sum
    Factor = 2,     // factor of a product, or one of several factors above or below a fraction bar
    SoleFactor = 3, // the only factor above or below a fraction bar that has a partner on the other side
    Base = 4,       // base of a power
    Exponent = 5,   // exponent of a power
};
