#include "solver/simplify/LevelGrouping.h"
#include "model/NodeCast.h"

#include "model/CNumber.h"
#include "model/COAddition.h"
#include "model/COHyperMonom.h"
#include "model/COLevelAddition.h"
#include "model/COMultiplication.h"
#include "model/COPolynom.h"
#include "model/CPolynomValue.h"
#include "model/PolynomialGcd.h"
#include "solver/CExpression.h"
#include "solver/SimplifySupport.h"
#include "solver/simplify/HyperMonomSteps.h"
#include "solver/simplify/Simplification.h"

#include <optional>
#include <vector>

namespace {

struct Term {
    CPolynomValue numerator;
    CPolynomValue denominator;
    bool numeratorHasLetters = false;
};

CPolynomValue ProductOfFactors(const COHyperMonom& monom, std::int32_t side) {
    CPolynomValue product(1);
    for (const ListCell& cell : monom) {
        if (cell.sign != side) {
            continue;
        }
        const std::int64_t exponent = monom.FactorExponent(cell).ToInt();
        product = product.Product(monom.FactorBase(cell)->Value().Power(exponent));
    }
    return product;
}

// The numerator of a group of terms combined into one fraction (signs do not matter for the
// common factor).
CPolynomValue GroupNumerator(const std::vector<Term>& terms, const std::vector<std::int32_t>& signs,
                             std::size_t from, std::size_t to) {
    if (to - from == 1) {
        return terms[from].numerator;
    }
    CPolynomValue common = terms[from].denominator;
    for (std::size_t i = from + 1; i < to; ++i) {
        common = PolynomialLcm(common, terms[i].denominator);
    }
    CPolynomValue sum;
    for (std::size_t i = from; i < to; ++i) {
        const std::optional<CPolynomValue> extension = common.DivideExact(terms[i].denominator);
        if (!extension) {
            return CPolynomValue(1);
        }
        CPolynomValue part = terms[i].numerator.Product(*extension);
        if (signs[i] == -1) {
            part.Negate();
        }
        sum.AddInPlace(part);
    }
    return sum;
}

// A split fits when the numerators of its two groups share a factor. Once the work budget of the
// solve is spent (the limit flag is up) nothing fits, so the search ends at once.
bool Fits(const std::vector<Term>& terms, const std::vector<std::int32_t>& signs, std::size_t k) {
    const std::size_t count = terms.size();
    if (CNumber::LimitExceeded()) {
        return false;
    }
    if (k == 1 && !terms[0].numeratorHasLetters) {
        return false;
    }
    if (count - k == 1 && !terms[count - 1].numeratorHasLetters) {
        return false;
    }
    const CPolynomValue first = GroupNumerator(terms, signs, 0, k);
    const CPolynomValue second = GroupNumerator(terms, signs, k, count);
    if (first.IsZero() || second.IsZero()) {
        return false;
    }
    return !PolynomialGcd(first, second).IsConstant();
}

template <class T> std::vector<T> Moved(const std::vector<T>& items, std::size_t from, bool toFront) {
    std::vector<T> result = items;
    T item = result[from];
    result.erase(result.begin() + static_cast<std::ptrdiff_t>(from));
    if (toFront) {
        result.insert(result.begin(), item);
    } else {
        result.push_back(item);
    }
    return result;
}

struct Split {
    std::size_t k = 0;
    std::optional<std::size_t> moved;
    bool toFront = false;
};

std::optional<Split> FindSplit(const std::vector<Term>& terms, const std::vector<std::int32_t>& signs) {
    const std::size_t count = terms.size();
    for (std::size_t k = 1; k < count; ++k) {
        if (Fits(terms, signs, k)) {
            return Split{k, std::nullopt, false};
        }
    }
    if (count == 2) {
        return std::nullopt;
    }
    for (std::size_t p = 0; p < count && !CNumber::LimitExceeded(); ++p) {
        if (p != 0) {
            const auto movedTerms = Moved(terms, p, true);
            const auto movedSigns = Moved(signs, p, true);
            for (std::size_t k = 1; k <= p; ++k) {
                if (Fits(movedTerms, movedSigns, k)) {
                    return Split{k, p, true};
                }
            }
        }
        if (p != count - 1) {
            const auto movedTerms = Moved(terms, p, false);
            const auto movedSigns = Moved(signs, p, false);
            for (std::size_t k = 1; k + p <= count - 1; ++k) {
                if (Fits(movedTerms, movedSigns, k)) {
                    return Split{k, p, false};
                }
            }
        }
    }
    return std::nullopt;
}

// Puts the cells [from, to) of a sum into a bracketed level sum of their own.
void Bracket(COAddition& sum, std::size_t from, std::size_t to) {
    if (to - from < 2) {
        return;
    }
    auto group = std::make_unique<COAddition>();
    auto position = sum.GetCellAt(static_cast<std::int32_t>(from), sum.End());
    for (std::size_t i = from; i < to; ++i) {
        const std::int32_t sign = position->sign;
        group->AddTail(sum.RemoveAt(position, 1), sign);
    }
    group->AddComment(CommentID::TermsGrouped);
    NodePtr groupNode = std::move(group);
    COLevelAddition::Build(&groupNode);
    sum.InsertBefore(position, std::move(groupNode), 1);
}

COHyperMonom* FractionAt(COAddition& sum, std::int32_t index) {
    COperation* node = sum.GetAt(index);
    return node != nullptr && node->GetType() == NodeType::HyperMonom ? &NodeAs<COHyperMonom>(*node)
                                                                      : nullptr;
}

// The numerator of a fraction with the polynomial g divided out of it; false when it does not divide.
bool DivideNumerator(COHyperMonom& monom, const CPolynomValue& g) {
    for (ListCell& cell : monom) {
        if (cell.sign != 1) {
            continue;
        }
        const std::optional<CPolynomValue> quotient = monom.FactorBase(cell)->Value().DivideExact(g);
        if (quotient && monom.FactorExponent(cell).IsOne()) {
            cell.child = MakeFactor(COPolynom::FromValue(*quotient), CNumber(1));
            return true;
        }
    }
    const std::optional<CPolynomValue> quotient = ProductOfFactors(monom, 1).DivideExact(g);
    if (!quotient) {
        return false;
    }
    for (auto position = monom.Head(); position != monom.End();) {
        if (position->sign == 1) {
            monom.RemoveAt(position, 1);
        } else {
            ++position;
        }
    }
    monom.AddHead(MakeFactor(COPolynom::FromValue(*quotient), CNumber(1)), 1);
    return true;
}

// Writes the sum of fractions as two groups, each combined into one fraction:
//   1. the level sum becomes a plain sum, with the term that belongs to the other group moved;
//   2. each group of more than one term in brackets of its own, then each combined into one fraction;
//   3. the signs of the two fractions: the first one's out of the whole sum, the second one's out
//      of its cell;
//   4. common factors of each fraction cancelled, equal factors merged;
//   5. the common factor of the two numerators taken out in front of the bracket.
void Rewrite(CExpression& workspace, COLevelAddition& level, const Split& split) {
    const NodeHandle tree = workspace.RootSlot();
    // 1.
    auto sum = std::make_unique<COAddition>();
    SpliceCells(*sum, sum->End(), level, 1);
    if (split.moved) {
        auto position = sum->GetCellAt(static_cast<std::int32_t>(*split.moved), sum->End());
        sum->GetCells().splice(split.toFront ? sum->Head() : sum->End(), sum->GetCells(), position);
        sum->AddComment(CommentID::TermsReordered);
    }
    const std::size_t count = static_cast<std::size_t>(sum->GetCount());
    COAddition* outer = sum.get();
    ReplaceNode(tree, std::move(sum));
    workspace.RecordStep(false);
    // 2.
    Bracket(*outer, split.k, count);
    Bracket(*outer, 0, split.k);
    workspace.RecordStep(false);
    StepLevels(workspace, LevelStepping::UntilDone);
    if (!workspace.Validate()) {
        return;
    }
    outer = &NodeAs<COAddition>(*tree->get());
    COHyperMonom* first = FractionAt(*outer, 1);
    COHyperMonom* second = FractionAt(*outer, 2);
    if (first == nullptr || second == nullptr) {
        return;
    }
    // 3.
    bool flipped = false;
    bool anyFlipped = false;
    if (first->NormalizeSign(flipped) == -1) {
        // s1*(-a) + s2*b = -(s1*a - s2*b)
        outer->NegateAt(2);
        WrapNegated(tree);
    }
    anyFlipped = flipped;
    if (second->NormalizeSign(flipped) == -1) {
        outer->NegateAt(2);
    }
    if (anyFlipped || flipped) {
        workspace.QueueComment(CommentID::SignMovedOutOfFraction);
    }
    workspace.RecordStep(false);
    // 4.
    for (COHyperMonom* monom : {first, second}) {
        for (int round = 0; round < 100 && CancelCommonFactors(*monom); ++round) {
            workspace.RecordStep(false);
            RemoveCancelledPairs(*monom);
            workspace.RecordStep(false);
        }
        if (MergeEqualFactors(*monom)) {
            workspace.RecordStep(false);
        }
    }
    // 5.
    const CPolynomValue g = PolynomialGcd(ProductOfFactors(*first, 1), ProductOfFactors(*second, 1));
    if (g.IsConstant() || !DivideNumerator(*first, g) || !DivideNumerator(*second, g)) {
        return;
    }
    NodeHandle sumSlot = tree;
    if (tree->get() != outer) {
        sumSlot = &(*tree)->AsList()->Head()->child;
    }
    NodePtr bracket = std::move(*sumSlot);
    auto product = std::make_unique<COMultiplication>(
        std::make_unique<COHyperMonom>(MakeFactor(COPolynom::FromValue(g), CNumber(1)), 1), 1);
    product->AddTail(std::move(bracket), 1);
    product->AddComment(CommentID::CommonFactorTakenOut);
    *sumSlot = std::move(product);
    workspace.RecordStep(false);
}

} // namespace

bool GroupFractionTerms(CExpression& workspace) {
    COperation* root = workspace.Root();
    if (root == nullptr || root->GetType() != NodeType::LevelAddition) {
        return false;
    }
    auto& level = NodeAs<COLevelAddition>(*root);
    if (level.plainTermCount != 0 || level.fractionTermCount < 2 ||
        level.fractionStage != COLevelAddition::FractionStage::SplitMonomialFactors) {
        return false;
    }
    std::vector<Term> terms;
    std::vector<std::int32_t> signs;
    for (const ListCell& cell : level) {
        const auto& monom = NodeAs<COHyperMonom>(*cell.child);
        Term term;
        term.numerator = ProductOfFactors(monom, 1);
        term.denominator = ProductOfFactors(monom, -1);
        term.numeratorHasLetters = !term.numerator.IsConstant();
        terms.push_back(std::move(term));
        signs.push_back(cell.sign);
    }
    const std::optional<Split> split = FindSplit(terms, signs);
    if (!split) {
        return false;
    }
    Rewrite(workspace, level, *split);
    return true;
}
