#include "solver/factor/FactorGrouping.h"

#include "model/COPolynom.h"
#include "model/PolynomialGcd.h"

#include <algorithm>

TermOrder MovedOrder(std::size_t count, std::int32_t moveIndex, std::int32_t moveDirection) {
    TermOrder order(count);
    for (std::size_t i = 0; i < count; ++i) {
        order[i] = i;
    }
    if (moveDirection == 0 || moveIndex < 0 || static_cast<std::size_t>(moveIndex) >= count) {
        return order;
    }
    const auto position = order.begin() + moveIndex;
    if (moveDirection < 0) {
        std::rotate(position, position + 1, order.end());
    } else {
        std::rotate(order.begin(), position, position + 1);
    }
    return order;
}

TermList MovedTerms(const TermList& terms, std::int32_t moveIndex, std::int32_t moveDirection) {
    TermList moved;
    for (const std::size_t index : MovedOrder(terms.size(), moveIndex, moveDirection)) {
        moved.push_back(terms[index]);
    }
    return moved;
}

std::optional<GroupingChoice>
SearchGroupings(std::size_t count, const std::function<bool(const TermOrder&, std::size_t)>& trySplit,
                FactorSearchBudget& budget) {
    auto trySplits = [&](const TermOrder& order, std::size_t from,
                         std::size_t to) -> std::optional<std::size_t> {
        for (std::size_t split = from; split <= to && !budget.Exhausted(); ++split) {
            if (trySplit(order, split)) {
                return split;
            }
        }
        return std::nullopt;
    };
    if (count < 2) {
        return std::nullopt;
    }
    if (count == 2) {
        const std::optional<std::size_t> split = trySplits(MovedOrder(2, 0, 0), 1, 1);
        return split ? std::optional<GroupingChoice>(GroupingChoice{1, 0, 0}) : std::nullopt;
    }
    for (std::size_t j = 0; j < count && !budget.Exhausted(); ++j) {
        const auto index = static_cast<std::int32_t>(j);
        if (const auto split = trySplits(MovedOrder(count, index, -1), 1, count - 1 - j)) {
            return GroupingChoice{static_cast<std::int32_t>(*split), index, j + 1 == count ? 0 : -1};
        }
        const std::size_t from = j == 0 ? 1 : std::max<std::size_t>(1, count - j);
        if (const auto split = trySplits(MovedOrder(count, index, 1), from, count - 1)) {
            return GroupingChoice{static_cast<std::int32_t>(*split), index, j == 0 ? 0 : 1};
        }
    }
    return std::nullopt;
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
    const auto trySplit = [&](const TermOrder& order, std::size_t split) {
        TermList ordered;
        for (const std::size_t index : order) {
            ordered.push_back(terms[index]);
        }
        return TrySplit(ordered, split, finding, budget);
    };
    const std::optional<GroupingChoice> choice = SearchGroupings(terms.size(), trySplit, budget);
    if (!choice) {
        finding.detail.reset();
        return false;
    }
    finding.detail->split = choice->split;
    finding.detail->moveIndex = choice->moveIndex;
    finding.detail->moveDirection = choice->moveDirection;
    return true;
}
