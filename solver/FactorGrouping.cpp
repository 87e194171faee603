#include "solver/FactorGrouping.h"

#include "model/COPolynom.h"
#include "model/PolynomialGcd.h"

#include <algorithm>

TermList MovedTerms(const TermList& terms, std::int32_t moveIndex, std::int32_t moveDirection) {
    TermList moved = terms;
    if (moveDirection == 0 || moveIndex < 0 || moveIndex >= static_cast<std::int32_t>(terms.size())) {
        return moved;
    }
    const auto position = moved.begin() + moveIndex;
    if (moveDirection < 0) {
        std::rotate(position, position + 1, moved.end());
    } else {
        std::rotate(moved.begin(), position, position + 1);
    }
    return moved;
}

namespace {

std::int64_t WorkOf(const CPolynomValue& a, const CPolynomValue& b) {
    return static_cast<std::int64_t>((a.TermCount() + 1) * (b.TermCount() + 1));
}

// m-th root of a group: a constant group's root is a number, any other group's a polynomial.
std::optional<CPolynomValue> GroupRoot(const CPolynomValue& group, std::int64_t m) {
    return ExactPolynomialRoot(group, m);
}

bool TryLikePowers(const CPolynomValue& a, const CPolynomValue& b, std::int32_t sign, FactorFinding& finding,
                   FactorSearchBudget& budget) {
    const std::int64_t degreeA = a.TotalDegree();
    const std::int64_t degreeB = b.TotalDegree();
    const std::int64_t top = std::max(degreeA, degreeB);
    for (std::int64_t m = 2; m <= top; ++m) {
        if ((degreeA % m != 0) || (degreeB % m != 0) || (m % 2 == 0 && sign > 0)) {
            continue;
        }
        if (!budget.Spend(WorkOf(a, b) * m)) {
            return false;
        }
        std::optional<CPolynomValue> p = GroupRoot(a, m);
        std::optional<CPolynomValue> q = p ? GroupRoot(b, m) : std::nullopt;
        if (p && q) {
            finding.first = COPolynom::FromValue(*p);
            finding.second = COPolynom::FromValue(*q);
            finding.detail->exponent = CNumber(static_cast<std::int32_t>(m));
            return true;
        }
    }
    return false;
}

// Tries one split of one order: the common factor of the groups, then like powers.
bool TrySplit(const TermList& order, std::size_t split, FactorFinding& finding, FactorSearchBudget& budget) {
    CPolynomValue a = ValueOfTerms(order, 0, split);
    CPolynomValue b = ValueOfTerms(order, split, order.size());
    if (!budget.Spend(WorkOf(a, b) * 8)) {
        return false;
    }
    const CPolynomValue common = GcdSurelyConstant(a, b) ? CPolynomValue(1) : PolynomialGcd(a, b);
    if (budget.Exhausted()) {
        return false;
    }
    if (!common.IsConstant()) {
        finding.technique = FactorTechnique::GroupingCommonFactor;
        finding.first = COPolynom::FromValue(common);
        finding.detail->split = static_cast<std::int32_t>(split);
        return true;
    }
    if (FindLikePowers(a, b, finding, budget)) {
        finding.technique = FactorTechnique::GroupingLikePowers;
        finding.detail->split = static_cast<std::int32_t>(split);
        return true;
    }
    return false;
}

bool TrySplits(const TermList& order, std::size_t fromSplit, std::size_t toSplit, FactorFinding& finding,
               FactorSearchBudget& budget) {
    for (std::size_t split = fromSplit; split <= toSplit && !budget.Exhausted(); ++split) {
        if (TrySplit(order, split, finding, budget)) {
            return true;
        }
    }
    return false;
}

void NoteMove(FactorFinding& finding, std::size_t index, std::int32_t direction) {
    finding.detail->moveIndex = static_cast<std::int32_t>(index);
    finding.detail->moveDirection = direction;
}

} // namespace

bool FindLikePowers(const CPolynomValue& first, const CPolynomValue& second, FactorFinding& finding,
                    FactorSearchBudget& budget) {
    CPolynomValue a = first;
    CPolynomValue b = second;
    const std::int32_t signA = a.MakeLeadingSignPositive();
    const std::int32_t signB = b.MakeLeadingSignPositive();
    if (!finding.detail) {
        finding.detail = std::make_unique<FactorDetail>();
    }
    finding.detail->firstSign = signA;
    if (TryLikePowers(a, b, signA * signB, finding, budget)) {
        finding.detail->secondSign = signB;
        return true;
    }
    b.Negate();
    if (TryLikePowers(a, b, -signA * signB, finding, budget)) {
        finding.detail->secondSign = -signB;
        return true;
    }
    return false;
}

bool FindGrouping(const TermList& terms, FactorFinding& finding, FactorSearchBudget& budget) {
    finding.detail = std::make_unique<FactorDetail>();
    const std::size_t count = terms.size();
    if (count < 2) {
        return false;
    }
    if (count == 2) {
        return TrySplits(terms, 1, 1, finding, budget);
    }
    for (std::size_t j = 0; j < count && !budget.Exhausted(); ++j) {
        // Term j to the end; first groups of at most count - 1 - j terms.
        const TermList toEnd = MovedTerms(terms, static_cast<std::int32_t>(j), -1);
        if (TrySplits(toEnd, 1, std::min(count - 1, count - 1 - j), finding, budget)) {
            NoteMove(finding, j, j + 1 == count ? 0 : -1);
            return true;
        }
        // Term j to the front; second groups of at most j terms (no bound for the first term).
        const TermList toFront = MovedTerms(terms, static_cast<std::int32_t>(j), 1);
        const std::size_t fromSplit = j == 0 ? 1 : std::max<std::size_t>(1, count - j);
        if (TrySplits(toFront, fromSplit, count - 1, finding, budget)) {
            NoteMove(finding, j, j == 0 ? 0 : 1);
            return true;
        }
    }
    finding.detail.reset();
    return false;
}
