// Sums of numbers written as common fractions or mixed numbers, worked out as a pupil writes them:
// the fractions brought to their least common denominator, the numerators added over it, the
// result cancelled. The numeric folding would write the value at once, and as a decimal where
// one exists (2 1/3 + 1 1/6 = 3,5).
//
//   1/2 + 1/3       ->  3/6 + 2/6      ->  5/6
//   1/6 + 1/2       ->  1/6 + 3/6      ->  4/6    ->  2/3
//   2 1/3 + 1 1/6   ->  2 2/6 + 1 1/6  ->  3 3/6  ->  3 1/2
//   1/3 - 1/2       ->  2/6 - 3/6      ->  -1/6
//   1 - 1/3         ->  3/3 - 1/3      ->  2/3

#include "solver/simplify/Simplification.h"

#include "model/CNumber.h"
#include "model/COAddition.h"
#include "model/CONumber.h"
#include "model/NodeCast.h"
#include "model/Walkers.h"
#include "solver/CExpression.h"
#include "solver/Methods.h"
#include "solver/SimplifySupport.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// A term of such a sum as whole + numerator/denominator, every part non-negative (an integer is
// whole/1 with numerator 0).
struct FractionTerm {
    CLongInteger whole;
    CLongInteger numerator;
    CLongInteger denominator{1};
    bool isFraction = false;
    bool isMixed = false;
};

// The parts of a number leaf as written; none for a decimal or for a number with a sign of its own,
// which the numeric folding works out.
std::optional<FractionTerm> TermOf(const COperation* node) {
    const CONumber* leaf = AsNumber(node);
    if (leaf == nullptr) {
        return std::nullopt;
    }
    const CNumber& value = leaf->Value();
    FractionTerm term;
    switch (value.GetKind()) {
    case CNumber::kInteger:
        term.whole = value.Numerator();
        break;
    case CNumber::kDecimal:
        return std::nullopt;
    case CNumber::kFraction:
    case CNumber::kMixed:
        term.whole = value.WholePart();
        term.numerator = value.Numerator();
        term.denominator = value.DenominatorPart();
        term.isFraction = true;
        term.isMixed = value.IsMixed();
        if (term.denominator.Sign() <= 0) {
            return std::nullopt;
        }
        break;
    }
    if (term.whole.IsNegative() || term.numerator.IsNegative()) {
        return std::nullopt;
    }
    return term;
}

// A plain sum of at least two number leaves, one of them at least a common fraction or a mixed
// number; its terms in order.
std::optional<std::vector<FractionTerm>> FractionSumTerms(const COperation& node) {
    if (node.GetType() != NodeType::Addition || node.AsList()->GetCount() < 2) {
        return std::nullopt;
    }
    std::vector<FractionTerm> terms;
    bool anyFraction = false;
    for (const ListCell& cell : *node.AsList()) {
        std::optional<FractionTerm> term = TermOf(cell.child.get());
        if (!term) {
            return std::nullopt;
        }
        anyFraction = anyFraction || term->isFraction;
        terms.push_back(std::move(*term));
    }
    if (!anyFraction) {
        return std::nullopt;
    }
    return terms;
}

CLongInteger CommonDenominator(const std::vector<FractionTerm>& terms) {
    CLongInteger common(1);
    for (const FractionTerm& term : terms) {
        if (term.isFraction) {
            common = CLongInteger::Lcm(common, term.denominator).value_or(common);
        }
    }
    return common;
}

// The handles of every such sum of the tree. A sum of number leaves holds no other such sum, so
// replacing one leaves the handles of the others valid.
std::vector<NodeHandle> FindFractionSums(NodeHandle tree) {
    std::vector<NodeHandle> sums;
    CSimpleMethod visit([&sums](NodeHandle handle) {
        if (FractionSumTerms(**handle)) {
            sums.push_back(handle);
        }
    });
    WalkPlain(tree, visit);
    return sums;
}

bool AnyMixed(const std::vector<FractionTerm>& terms) {
    return std::any_of(terms.begin(), terms.end(), [](const FractionTerm& term) { return term.isMixed; });
}

// Every fraction whose denominator is not the common one is extended to it: 1/2 + 1/3 -> 3/6 + 2/6.
// Beside fractions an integer is written over the common denominator as well (1 - 1/3 -> 3/3 - 1/3);
// beside mixed numbers it stays, whole parts being added to whole parts.
bool ExtendToCommonDenominator(COperation& sum) {
    const std::vector<FractionTerm> terms = *FractionSumTerms(sum);
    const CLongInteger common = CommonDenominator(terms);
    const bool integersExtended = !AnyMixed(terms);
    bool extended = false;
    auto cell = sum.AsList()->Head();
    for (const FractionTerm& term : terms) {
        if (!term.isFraction && integersExtended) {
            cell->child =
                std::make_unique<CONumber>(*cell->child, CNumber(term.whole.Multiply(common), common));
            extended = true;
        } else if (term.isFraction && !term.denominator.Equal(common)) {
            CLongInteger factor = common;
            factor.DivideExactInPlace(term.denominator);
            const CLongInteger numerator = term.numerator.Multiply(factor);
            const CNumber value =
                term.isMixed ? CNumber::Mixed(term.whole, numerator, common) : CNumber(numerator, common);
            cell->child = std::make_unique<CONumber>(*cell->child, value);
            extended = true;
        }
        ++cell;
    }
    if (extended) {
        sum.AddComment(CommentID::FractionsExtendedToCommonDenominator);
    }
    return extended;
}

// The numerators over the common denominator added up, not yet cancelled: 3/6 + 1/6 -> 4/6. A sum
// with a mixed number gives a mixed number (2 2/6 + 1 1/6 -> 3 3/6), a whole total an integer; a
// negative total stands as a one-term sum with sign -1 before its magnitude.
NodePtr AddedUp(const std::vector<FractionTerm>& terms, const COperationList& cells, bool& cancellable) {
    const CLongInteger common = CommonDenominator(terms);
    CLongInteger total;
    auto cell = cells.begin();
    for (const FractionTerm& term : terms) {
        CLongInteger part = term.whole.Multiply(common);
        if (term.isFraction) {
            part.AddInPlace(term.numerator);
        }
        if (cell->sign == -1) {
            total.SubtractInPlace(part);
        } else {
            total.AddInPlace(part);
        }
        ++cell;
    }
    const bool negative = total.IsNegative();
    const auto [whole, rest] = *total.Abs().DivMod(common);
    CNumber value;
    if (rest.IsZero()) {
        value = CNumber(whole);
    } else if (AnyMixed(terms) && !whole.IsZero()) {
        value = CNumber::Mixed(whole, rest, common);
    } else {
        value = CNumber(total.Abs(), common);
    }
    cancellable = !rest.IsZero() && !CLongInteger::Gcd(rest, common).IsOne();
    NodePtr leaf = std::make_unique<CONumber>(std::move(value));
    if (!negative) {
        return leaf;
    }
    auto negated = std::make_unique<COAddition>();
    negated->AddTail(std::move(leaf), -1);
    return negated;
}

// The number leaf of a total made by AddedUp.
CONumber& TotalLeaf(COperation& total) {
    COperation* node = &total;
    if (node->GetType() == NodeType::Addition) {
        node = node->AsList()->Head()->child.get();
    }
    return NodeAs<CONumber>(*node);
}

// 4/6 -> 2/3, 3 3/6 -> 3 1/2.
void Cancel(CONumber& leaf) {
    CNumber& value = leaf.Value();
    CLongInteger numerator = value.Numerator();
    CLongInteger denominator = value.DenominatorPart();
    CLongInteger::ReduceByGcd(numerator, denominator);
    value = value.IsMixed() ? CNumber::Mixed(value.WholePart(), numerator, denominator)
                            : CNumber(numerator, denominator);
    leaf.AddComment(CommentID::Cancellation);
}

} // namespace

void AddFractionNumbers(CExpression& workspace) {
    const std::vector<NodeHandle> sums = FindFractionSums(TreeSlot(workspace));
    if (sums.empty()) {
        return;
    }
    StepSink sink(&workspace);
    bool extended = false;
    for (NodeHandle sum : sums) {
        extended = ExtendToCommonDenominator(**sum) || extended;
    }
    // A number past the digit limit is a placeholder: nothing computed with it may be shown, and the
    // numeric folding that follows ends the solve as too large.
    if (CNumber::LimitExceeded()) {
        return;
    }
    if (extended) {
        sink.Record();
    }
    std::vector<CONumber*> toCancel;
    for (NodeHandle sum : sums) {
        bool cancellable = false;
        const std::vector<FractionTerm> terms = *FractionSumTerms(**sum);
        NodePtr total = AddedUp(terms, *(*sum)->AsList(), cancellable);
        if (cancellable) {
            toCancel.push_back(&TotalLeaf(*total));
        }
        ReplaceNode(sum, std::move(total));
    }
    if (CNumber::LimitExceeded()) {
        return;
    }
    sink.Record();
    for (CONumber* leaf : toCancel) {
        Cancel(*leaf);
    }
    if (!toCancel.empty()) {
        sink.Record();
    }
}
