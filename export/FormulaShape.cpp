#include "export/FormulaShape.h"

namespace {

bool IsPlacedKind(const SyntaxNode& node, SyntaxKind kind) {
    return Placed(node).kind == kind;
}

// Whether a product factor's written form begins with a letter or a sign that cannot be taken for
// the end of a number before it.
bool StartsWithLetterOrSign(const SyntaxNode& node) {
    const SyntaxNode& placed = Placed(node);
    switch (placed.kind) {
    case SyntaxKind::Letter:
    case SyntaxKind::Root:
    case SyntaxKind::Function:
        return true;
    case SyntaxKind::Subscript:
    case SyntaxKind::Power:
        return StartsWithLetterOrSign(placed.children[0]) ||
               (placed.kind == SyntaxKind::Power && PowerBaseNeedsBrackets(placed.children[0]));
    default:
        return false;
    }
}

} // namespace

const SyntaxNode& Placed(const SyntaxNode& node) {
    return node.kind == SyntaxKind::CrossedOut ? Placed(node.children[0]) : node;
}

bool SumTermNeedsBrackets(const SyntaxNode& term) {
    const SyntaxKind kind = Placed(term).kind;
    return kind == SyntaxKind::Sum || kind == SyntaxKind::Relation || kind == SyntaxKind::Labelled;
}

bool FactorNeedsBrackets(const SyntaxNode& factor) {
    return SumTermNeedsBrackets(factor) || IsPlacedKind(factor, SyntaxKind::Product);
}

bool PowerBaseNeedsBrackets(const SyntaxNode& base) {
    const SyntaxNode& placed = Placed(base);
    return !(placed.kind == SyntaxKind::Letter || IsPlainNumber(placed) ||
             placed.kind == SyntaxKind::Subscript || placed.kind == SyntaxKind::Verbatim);
}

bool RelationSideNeedsBrackets(const SyntaxNode& side) {
    return IsPlacedKind(side, SyntaxKind::Relation);
}

bool FactorsJuxtaposed(const SyntaxNode& left, const SyntaxNode& right, bool rightBracketed) {
    const SyntaxKind leftKind = Placed(left).kind;
    if (leftKind == SyntaxKind::ConditionReference || leftKind == SyntaxKind::Verbatim) {
        return false;
    }
    return rightBracketed || StartsWithLetterOrSign(right);
}

NumberParts SplitNumber(const std::string& markup) {
    NumberParts parts;
    const std::size_t at = markup.find('@');
    const std::size_t slash = markup.find('/');
    const std::size_t comma = markup.find(',');
    if (at != std::string::npos) {
        parts.whole = markup.substr(0, at);
        std::string fraction = markup.substr(at + 1);
        if (!fraction.empty() && fraction.front() == '{') {
            fraction = fraction.substr(1, fraction.size() - 2);
        }
        const std::size_t fractionSlash = fraction.find('/');
        parts.numerator = fraction.substr(0, fractionSlash);
        parts.denominator = fractionSlash == std::string::npos ? "" : fraction.substr(fractionSlash + 1);
    } else if (slash != std::string::npos) {
        parts.numerator = markup.substr(0, slash);
        parts.denominator = markup.substr(slash + 1);
    } else if (comma != std::string::npos) {
        parts.whole = markup.substr(0, comma);
        parts.decimals = markup.substr(comma + 1);
    } else {
        parts.whole = markup;
    }
    return parts;
}

const char* RelationSignText(int sign) {
    static constexpr const char* kSigns[] = {"=", "\u2264", "\u2265", "<", ">", "\u2260", "\u2248"};
    return kSigns[sign >= 0 && sign < 7 ? sign : 0];
}
