#include "solver/simplify/HyperMonomSteps.h"
#include "model/NodeCast.h"

#include "model/CNumber.h"
#include "model/COHyperMonom.h"
#include "model/COMonom.h"
#include "model/CONumber.h"
#include "model/COPolynom.h"
#include "model/COPower.h"
#include "model/COVariable.h"
#include "model/CommentMerge.h"

#include <optional>
#include <vector>

namespace {

COPolynom& Base(const COHyperMonom& monom, const ListCell& cell) {
    return *monom.FactorBase(cell);
}

CNumber Exponent(const COHyperMonom& monom, const ListCell& cell) {
    return monom.FactorExponent(cell);
}

// The value of a constant factor, exponent applied.
CNumber ConstantValue(const COHyperMonom& monom, const ListCell& cell) {
    CNumber value = Base(monom, cell).Value().ConstantValue();
    return value.PowerOf(Exponent(monom, cell)).value_or(value);
}

// Numerator and denominator of a number: value = numerator / denominator, denominator > 0.
void SplitNumber(const CNumber& value, CNumber& numerator, CNumber& denominator) {
    denominator = CNumber(value.Denominator());
    numerator = value.Product(denominator);
    // A decimal's denominator is a power of 10: 0,5 is 5/10, reduced to 1/2.
    const CNumber gcd = CNumber::GcdOf(numerator, denominator);
    if (!gcd.IsZero() && !gcd.IsOne()) {
        numerator = numerator.Quotient(gcd);
        denominator = denominator.Quotient(gcd);
    }
}

struct ConstantLayout {
    CNumber above{1};
    CNumber below{1};
};

// The constants of the node in the layout "one integer above, one integer below" that gathering
// produces; `reduce` also cancels the two against each other.
ConstantLayout CombinedConstants(const COHyperMonom& monom, bool reduce) {
    ConstantLayout layout;
    for (const ListCell& cell : monom) {
        if (!IsConstantFactor(monom, cell)) {
            continue;
        }
        CNumber numerator(1);
        CNumber denominator(1);
        SplitNumber(ConstantValue(monom, cell), numerator, denominator);
        if (cell.sign == 1) {
            layout.above.MultiplyInPlace(numerator);
            layout.below.MultiplyInPlace(denominator);
        } else {
            layout.above.MultiplyInPlace(denominator);
            layout.below.MultiplyInPlace(numerator);
        }
    }
    if (layout.below.Sign() < 0) {
        layout.above.Negate();
        layout.below.Negate();
    }
    if (reduce) {
        const CNumber gcd = CNumber::GcdOf(layout.above, layout.below);
        if (!gcd.IsZero() && !gcd.IsOne()) {
            layout.above = layout.above.Quotient(gcd);
            layout.below = layout.below.Quotient(gcd);
        }
    }
    return layout;
}

int NonConstantCount(const COHyperMonom& monom) {
    int count = 0;
    for (const ListCell& cell : monom) {
        count += IsConstantFactor(monom, cell) ? 0 : 1;
    }
    return count;
}

// The layout's number above the bar is written unless it is 1; a node left without any factor
// keeps the factor 1.
bool NeedsAbove(const COHyperMonom& monom, const ConstantLayout& layout) {
    return !layout.above.IsOne() || (NonConstantCount(monom) == 0 && layout.below.IsOne());
}

// Whether the constants already stand as the layout says: one constant above and one below where
// the layout needs them, each with exponent 1 and the layout's value, and no other constant.
bool HasLayout(const COHyperMonom& monom, const ConstantLayout& layout) {
    int above = 0;
    int below = 0;
    for (const ListCell& cell : monom) {
        if (!IsConstantFactor(monom, cell)) {
            continue;
        }
        const CNumber value = Base(monom, cell).Value().ConstantValue();
        if (!Exponent(monom, cell).IsOne()) {
            return false;
        }
        if (cell.sign == 1) {
            if (++above > 1 || !value.Equal(layout.above)) {
                return false;
            }
        } else if (++below > 1 || !value.Equal(layout.below)) {
            return false;
        }
    }
    return (above == 1) == NeedsAbove(monom, layout) && (below == 1) == !layout.below.IsOne();
}

// Replaces every constant factor by the layout: the number above at the head, the number below at
// the head of the denominator.
void ApplyLayout(COHyperMonom& monom, const ConstantLayout& layout) {
    const bool needsAbove = NeedsAbove(monom, layout);
    for (auto position = monom.Head(); position != monom.End();) {
        if (IsConstantFactor(monom, *position)) {
            monom.RemoveAt(position, 1);
        } else {
            ++position;
        }
    }
    if (!layout.below.IsOne()) {
        auto firstBelow = monom.Head();
        while (firstBelow != monom.End() && firstBelow->sign == 1) {
            ++firstBelow;
        }
        monom.InsertBefore(firstBelow, MakeConstantFactor(layout.below, CNumber(1)), -1);
    }
    if (needsAbove) {
        monom.AddHead(MakeConstantFactor(layout.above, CNumber(1)), 1);
    }
}

// At least two constant factors, a non-integer constant counting twice.
int ConstantWeight(const COHyperMonom& monom) {
    int weight = 0;
    for (const ListCell& cell : monom) {
        if (IsConstantFactor(monom, cell)) {
            weight += Base(monom, cell).Value().ConstantValue().IsWhole() ? 1 : 2;
        }
    }
    return weight;
}

bool Relayout(COHyperMonom& monom, bool reduce) {
    const ConstantLayout layout = CombinedConstants(monom, reduce);
    if (HasLayout(monom, layout)) {
        return false;
    }
    ApplyLayout(monom, layout);
    return true;
}

} // namespace

NodePtr MakeFactor(std::unique_ptr<COPolynom> polynom, const CNumber& exponent) {
    return std::make_unique<COPower>(std::move(polynom), std::make_unique<CONumber>(exponent));
}

NodePtr MakeConstantFactor(const CNumber& value, const CNumber& exponent) {
    return MakeFactor(COPolynom::Constant(value), exponent);
}

bool IsSinglePolynomial(const COHyperMonom& monom) {
    return monom.GetCount() == 1 && monom.Head()->sign == 1 && Exponent(monom, *monom.Head()).IsOne();
}

bool IsConstantFactor(const COHyperMonom& monom, const ListCell& cell) {
    return Base(monom, cell).IsConstant();
}

bool ApplyZeroNumerator(COHyperMonom& monom) {
    if (monom.GetCount() < 2) {
        return false;
    }
    for (const ListCell& cell : monom) {
        if (cell.sign == 1 && Base(monom, cell).IsZero()) {
            // The comments of the deleted factors (the like terms combined into the 0) stay with
            // the step that shows the 0.
            CommentList comments;
            CollectComments(monom, comments);
            for (const CommentIDType id : comments) {
                monom.AddComment(id);
            }
            monom.DeleteAll();
            monom.AddTail(MakeConstantFactor(CNumber(0), CNumber(1)), 1);
            return true;
        }
    }
    return false;
}

bool NormalizeFactors(COHyperMonom& monom) {
    bool changed = false;
    for (ListCell& cell : monom) {
        changed = Base(monom, cell).Normalize(true) || changed;
    }
    return changed;
}

bool RemoveUnitFactors(COHyperMonom& monom) {
    bool changed = false;
    for (auto position = monom.Head(); position != monom.End() && monom.GetCount() > 1;) {
        if (Base(monom, *position).IsNumber(CNumber(1))) {
            monom.RemoveAt(position, 1);
            changed = true;
        } else {
            ++position;
        }
    }
    if (monom.GetCount() == 1 && monom.Head()->sign == -1 &&
        Base(monom, *monom.Head()).IsNumber(CNumber(1))) {
        monom.Head()->sign = 1;
        changed = true;
    }
    return changed;
}

bool TakeOutNumbers(COHyperMonom& monom, NumberMode mode) {
    bool tookAbove = false;
    bool tookBelow = false;
    for (auto position = monom.Head(); position != monom.End(); ++position) {
        COPolynom& polynom = Base(monom, *position);
        if (polynom.IsConstant()) {
            continue;
        }
        CNumber taken(1);
        if (position->sign == 1 && mode == NumberMode::ClearNumerators) {
            taken = polynom.ClearDenominators();
        } else if (std::optional<CNumber> content = polynom.RemoveContent()) {
            taken = *content;
        } else if (position->sign == -1) {
            // A denominator with non-integer coefficients has no integer content: its coefficient
            // denominators are cleared instead, so that 1/(0,5x+1) can become 2/(x+2).
            taken = polynom.ClearDenominators();
        }
        if (taken.IsOne()) {
            continue;
        }
        monom.InsertBefore(position, MakeConstantFactor(taken, Exponent(monom, *position)), position->sign);
        (position->sign == 1 ? tookAbove : tookBelow) = true;
    }
    if (tookAbove) {
        monom.AddComment(CommentID::SplitOffNumerator);
    }
    if (tookBelow) {
        monom.AddComment(CommentID::SplitOffDenominator);
    }
    if (tookAbove || tookBelow) {
        return true;
    }
    return ConstantWeight(monom) >= 2 && Relayout(monom, true);
}

bool GatherConstants(COHyperMonom& monom) {
    return Relayout(monom, false);
}

bool SplitMonomialFactors(COHyperMonom& monom) {
    bool changed = false;
    for (auto position = monom.Head(); position != monom.End();) {
        COPolynom& polynom = Base(monom, *position);
        if (polynom.GetCount() != 1 || polynom.IsConstant()) {
            ++position;
            continue;
        }
        const auto& term = NodeAs<COMonom>(*polynom.Head()->child);
        const CNumber exponent = Exponent(monom, *position);
        CNumber coefficient = term.Coefficient();
        if (polynom.Head()->sign == -1) {
            coefficient.Negate();
        }
        std::vector<NodePtr> parts;
        if (!coefficient.IsOne()) {
            parts.push_back(MakeConstantFactor(coefficient, exponent));
        }
        int letters = 0;
        bool singleLetterExponentOne = false;
        for (const ListCell& element : term) {
            if (element.child->GetType() != NodeType::Power) {
                continue;
            }
            const auto& power = NodeAs<COPower>(*element.child);
            const char letter = NodeAs<COVariable>(*power.Base()).Letter();
            singleLetterExponentOne = AsNumber(power.Exponent())->Value().IsOne();
            const CNumber letterExponent = AsNumber(power.Exponent())->Value().Product(exponent);
            auto single = std::make_unique<COPolynom>(
                std::make_unique<COMonom>(std::make_unique<COPower>(std::make_unique<COVariable>(letter),
                                                                    std::make_unique<CONumber>(CNumber(1))),
                                          1),
                1);
            parts.push_back(MakeFactor(std::move(single), letterExponent));
            ++letters;
        }
        if (coefficient.IsOne() && letters == 1 && singleLetterExponentOne) {
            ++position; // already a single letter: (x)^e
            continue;
        }
        const std::int32_t sign = position->sign;
        for (NodePtr& part : parts) {
            monom.InsertBefore(position, std::move(part), sign);
        }
        monom.RemoveAt(position, 1);
        changed = true;
    }
    return changed;
}

bool MergeEqualFactors(COHyperMonom& monom) {
    bool joined = false;
    bool cancelled = false;
    for (auto first = monom.Head(); first != monom.End();) {
        CNumber total = Exponent(monom, *first);
        if (first->sign == -1) {
            total.Negate();
        }
        bool merged = false;
        for (auto later = std::next(first); later != monom.End();) {
            if (!IsEqualNodes(Base(monom, *first), Base(monom, *later))) {
                ++later;
                continue;
            }
            CNumber exponent = Exponent(monom, *later);
            if (later->sign == -1) {
                exponent.Negate();
            }
            total.AddInPlace(exponent);
            monom.RemoveAt(later, 1);
            merged = true;
        }
        if (!merged) {
            ++first;
            continue;
        }
        if (total.IsZero()) {
            monom.RemoveAt(first, 1);
            cancelled = true;
            continue;
        }
        first->sign = total.TakeSign();
        NodeAs<COPower>(*first->child).ExponentSlot() = std::make_unique<CONumber>(total);
        joined = true;
        ++first;
    }
    if (!joined && !cancelled) {
        return false;
    }
    if (monom.GetCount() == 0) {
        monom.AddTail(MakeConstantFactor(CNumber(1), CNumber(1)), 1);
    }
    monom.OrderFactors();
    if (cancelled) {
        monom.AddComment(CommentID::Cancellation);
    }
    if (joined) {
        monom.AddComment(CommentID::PowersJoined);
    }
    return true;
}

bool CancelCommonFactors(COHyperMonom& monom) {
    return monom.CancelByDivisibility() || monom.CancelByGcd();
}

void RemoveCancelledPairs(COHyperMonom& monom) {
    monom.RemoveCrossedOutPairs();
    RemoveUnitFactors(monom);
    monom.AddComment(CommentID::Cancellation);
    MergeEqualFactors(monom);
}
