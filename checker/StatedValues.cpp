#include "checker/StatedValues.h"

#include "model/EngineLimits.h"

#include <algorithm>

namespace {

using Surd = std::optional<CQuadraticSurd>;

bool HoldsPlusOrMinus(const SyntaxNode& node) {
    return std::find(node.signs.begin(), node.signs.end(), kPlusOrMinus) != node.signs.end() ||
           std::any_of(node.children.begin(), node.children.end(), HoldsPlusOrMinus);
}

// choice: the sign every plus-or-minus takes.
Surd Evaluate(const SyntaxNode& node, int choice, int depth);

Surd EvaluateSum(const SyntaxNode& node, int choice, int depth) {
    Surd sum = CQuadraticSurd();
    for (std::size_t i = 0; i < node.children.size() && sum; ++i) {
        Surd term = Evaluate(node.children[i], choice, depth + 1);
        if (!term) {
            return std::nullopt;
        }
        const int sign = node.signs[i] == kPlusOrMinus ? choice : node.signs[i];
        sum = sum->Sum(sign < 0 ? term->Negated() : *term);
    }
    return sum;
}

Surd EvaluateProduct(const SyntaxNode& node, int choice, int depth) {
    Surd product = CQuadraticSurd(CNumber(1));
    for (std::size_t i = 0; i < node.children.size() && product; ++i) {
        Surd factor = Evaluate(node.children[i], choice, depth + 1);
        if (!factor) {
            return std::nullopt;
        }
        const bool divides = node.kind == SyntaxKind::Fraction ? i > 0 : node.signs[i] < 0;
        product = divides ? product->Quotient(*factor) : product->Product(*factor);
    }
    return product;
}

Surd EvaluatePower(const SyntaxNode& node, int choice, int depth) {
    const Surd base = Evaluate(node.children[0], choice, depth + 1);
    const Surd exponent = Evaluate(node.children[1], choice, depth + 1);
    if (!base || !exponent || !exponent->IsRational() || !exponent->RationalPart().IsWhole()) {
        return std::nullopt;
    }
    CNumber magnitude = exponent->RationalPart();
    const int sign = magnitude.TakeSign();
    if (magnitude.Greater(64)) {
        return std::nullopt;
    }
    Surd power = CQuadraticSurd(CNumber(1));
    for (CNumber i(0); i.Less(magnitude) && power; i.AddInPlace(1)) {
        power = power->Product(*base);
    }
    return power && sign < 0 ? CQuadraticSurd(CNumber(1)).Quotient(*power) : power;
}

// The n-th root of a rational number r, when it is rational or the square root of a rational
// number: ⁴√4 = √2, ³√(−8) = −2.
Surd RootOfRational(const CNumber& radicand, std::int32_t index) {
    if (index < 2) {
        return std::nullopt;
    }
    CNumber magnitude = radicand;
    const int sign = magnitude.TakeSign();
    if (sign < 0 && index % 2 == 0) {
        return std::nullopt;
    }
    if (const std::optional<CNumber> root = magnitude.ExactRoot(index)) {
        return CQuadraticSurd(sign < 0 ? root->Product(CNumber(-1)) : *root);
    }
    if (index % 2 == 0) {
        if (const std::optional<CNumber> half = magnitude.ExactRoot(index / 2)) {
            return CQuadraticSurd::SquareRoot(*half);
        }
    }
    return std::nullopt;
}

Surd EvaluateRoot(const SyntaxNode& node, int choice, int depth) {
    const Surd radicand = Evaluate(node.children[0], choice, depth + 1);
    const Surd index =
        node.children.size() > 1 ? Evaluate(node.children[1], choice, depth + 1) : CQuadraticSurd(CNumber(2));
    if (!radicand || !index || !radicand->IsRational() || !index->IsRational() ||
        !index->RationalPart().IsWhole() || index->RationalPart().Greater(64)) {
        return std::nullopt;
    }
    return RootOfRational(radicand->RationalPart(), index->RationalPart().ToInt());
}

Surd Evaluate(const SyntaxNode& node, int choice, int depth) {
    if (depth > EngineLimits::kMaxNestingDepth) {
        return std::nullopt;
    }
    switch (node.kind) {
    case SyntaxKind::Number: {
        CNumber number;
        std::size_t position = 0;
        if (number.ParseText(node.text, position) != CNumber::kParseOk || position != node.text.size()) {
            return std::nullopt;
        }
        number.Normalize();
        return CQuadraticSurd(number);
    }
    case SyntaxKind::Sum:
        return EvaluateSum(node, choice, depth);
    case SyntaxKind::Product:
    case SyntaxKind::Fraction:
        return EvaluateProduct(node, choice, depth);
    case SyntaxKind::Power:
        return EvaluatePower(node, choice, depth);
    case SyntaxKind::Root:
        return EvaluateRoot(node, choice, depth);
    case SyntaxKind::CrossedOut:
        return Evaluate(node.children.front(), choice, depth + 1);
    case SyntaxKind::Letter:
    case SyntaxKind::Relation:
    case SyntaxKind::System:
    case SyntaxKind::Function:
    case SyntaxKind::Subscript:
    case SyntaxKind::ConditionReference:
    case SyntaxKind::Labelled:
    case SyntaxKind::Verbatim:
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::vector<CQuadraticSurd>> StatedValuesOf(const SyntaxNode& value) {
    CNumber::ResetLimitExceeded();
    std::vector<CQuadraticSurd> values;
    const bool twoChoices = HoldsPlusOrMinus(value);
    for (const int choice : {-1, 1}) {
        if (choice < 0 && !twoChoices) {
            continue;
        }
        const Surd surd = Evaluate(value, choice, 0);
        if (!surd || CNumber::LimitExceeded()) {
            return std::nullopt;
        }
        if (std::find(values.begin(), values.end(), *surd) == values.end()) {
            values.push_back(*surd);
        }
    }
    return values;
}
