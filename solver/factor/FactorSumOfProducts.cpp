// Factorisation of a sum whose terms are products of powers of polynomials: a common factor of all
// terms is taken out (variant 0), after the first polynomials of the terms have been split so that
// their greatest common divisor stands as a factor of its own (variant 1); otherwise the terms are
// grouped in two, and the groups are like powers (variant 2) or share a factor (variant 3).

#include "model/CNumber.h"
#include "model/COHyperMonom.h"
#include "model/COPolynom.h"
#include "model/COPower.h"
#include "model/NodeCast.h"
#include "model/PolynomNumber.h"
#include "model/PolynomialGcd.h"
#include "solver/CExpression.h"
#include "solver/factor/FactorFormulas.h"
#include "solver/factor/FactorGrouping.h"
#include "solver/factor/FactorSearchSupport.h"
#include "solver/factor/FactorSteps.h"
#include "solver/factor/Factorisation.h"

#include <algorithm>
#include <limits>

namespace PN = PolynomNumber;

namespace {

struct PowerFactor {
    CPolynomValue base;
    std::int64_t exponent = 1;
};

struct ProductTerm {
    std::vector<PowerFactor> factors;
    std::int32_t sign = 1;
};

// The terms as lists of factors; none when a term is not a hyper-monomial without denominator or
// an exponent is not a small whole number.
std::optional<std::vector<ProductTerm>> ReadTerms(COperation& sum) {
    std::vector<ProductTerm> terms;
    for (ListCell& cell : *sum.AsList()) {
        if (!cell.child || cell.child->GetType() != NodeType::HyperMonom) {
            return std::nullopt;
        }
        auto& monom = NodeAs<COHyperMonom>(*cell.child);
        monom.Normalize();
        if (monom.DenominatorCount() != 0) {
            return std::nullopt;
        }
        ProductTerm term;
        term.sign = cell.sign;
        for (const ListCell& factor : monom) {
            const COPolynom* base = monom.FactorBase(factor);
            CNumber exponent = monom.FactorExponent(factor);
            if (base == nullptr || !exponent.ToInteger() || !exponent.Numerator().FitsInt64() ||
                exponent.Sign() < 0) {
                return std::nullopt;
            }
            term.factors.push_back({base->Value(), exponent.Numerator().SmallValue()});
        }
        terms.push_back(std::move(term));
    }
    return terms;
}

NodePtr FactorNode(const PowerFactor& factor) {
    NodePtr base = PolynomNode(factor.base);
    return factor.exponent == 1 ? std::move(base) : PowerNode(std::move(base), factor.exponent);
}

NodePtr TermNode(const ProductTerm& term) {
    std::vector<NodePtr> factors;
    for (const PowerFactor& factor : term.factors) {
        factors.push_back(FactorNode(factor));
    }
    if (factors.empty()) {
        factors.push_back(PolynomNode(CPolynomValue(1)));
    }
    return ProductNode(std::move(factors));
}

NodePtr SumOfTerms(const std::vector<ProductTerm>& terms) {
    std::vector<SignedNode> nodes;
    for (const ProductTerm& term : terms) {
        nodes.push_back({TermNode(term), term.sign});
    }
    return SumNode(std::move(nodes));
}

// The non-constant factors common to all terms, each base once with its smallest exponent (a term
// may hold a base more than once, after variant 1 split it off a power of itself).
std::vector<PowerFactor> CommonFactors(const std::vector<ProductTerm>& terms) {
    std::vector<PowerFactor> common;
    for (const PowerFactor& candidate : terms.front().factors) {
        const auto taken = [&](const PowerFactor& factor) { return factor.base == candidate.base; };
        if (candidate.base.IsConstant() || std::any_of(common.begin(), common.end(), taken)) {
            continue;
        }
        std::int64_t smallest = std::numeric_limits<std::int64_t>::max();
        for (const ProductTerm& term : terms) {
            std::int64_t exponent = 0;
            for (const PowerFactor& factor : term.factors) {
                if (factor.base == candidate.base) {
                    exponent += factor.exponent;
                }
            }
            smallest = std::min(smallest, exponent);
        }
        if (smallest > 0) {
            common.push_back({candidate.base, smallest});
        }
    }
    return common;
}

// The number a term's constant factors make together (1 when it has none).
CNumber NumberOf(const ProductTerm& term) {
    CNumber number(1);
    for (const PowerFactor& factor : term.factors) {
        if (factor.base.IsConstant()) {
            number = number.Product(factor.base.ConstantValue()
                                        .PowerOf(CNumber(static_cast<std::int32_t>(factor.exponent)))
                                        .value_or(CNumber(1)));
        }
    }
    return number;
}

// The positive whole number common to the numbers of all terms; 1 when one of them is not whole.
CNumber CommonNumber(const std::vector<ProductTerm>& terms) {
    CNumber common(0);
    for (const ProductTerm& term : terms) {
        CNumber number = NumberOf(term);
        if (number.IsZero() || !number.ToInteger()) {
            return CNumber(1);
        }
        common = CNumber::GcdOf(common, number);
    }
    return common;
}

// The constant factors of a term become one number, divided by the common number.
void DivideOutNumber(ProductTerm& term, const CNumber& common) {
    CNumber rest = NumberOf(term).Quotient(common);
    rest.ToInteger();
    std::erase_if(term.factors, [](const PowerFactor& factor) { return factor.base.IsConstant(); });
    if (!rest.IsOne()) {
        term.factors.insert(term.factors.begin(), {CPolynomValue(rest), 1});
    }
}

void DivideOut(ProductTerm& term, const PowerFactor& common) {
    std::int64_t left = common.exponent;
    for (PowerFactor& factor : term.factors) {
        if (left > 0 && factor.base == common.base) {
            const std::int64_t taken = std::min(left, factor.exponent);
            factor.exponent -= taken;
            left -= taken;
        }
    }
    std::erase_if(term.factors, [](const PowerFactor& factor) { return factor.exponent == 0; });
}

// A term's monomial factors split into a number and one factor a letter (6x²y as 6, x² and y), so
// that a letter common to all terms is found like a common bracket.
ProductTerm WithMonomialsSplit(const ProductTerm& term) {
    ProductTerm split{{}, term.sign};
    for (const PowerFactor& factor : term.factors) {
        if (factor.base.TermCount() != 1 || factor.base.IsConstant()) {
            split.factors.push_back(factor);
            continue;
        }
        const PolynomTerm& monomial = factor.base.Terms().front();
        if (!monomial.coefficient.IsOne()) {
            split.factors.push_back({CPolynomValue(monomial.coefficient), factor.exponent});
        }
        for (const LetterPower& power : monomial.powers) {
            split.factors.push_back({CPolynomValue::Letter(power.letter), power.exponent * factor.exponent});
        }
    }
    return split;
}

// The terms with their monomials split, when that finds a letter common to all of them; none
// otherwise (the terms are then factorised as they are written).
std::optional<std::vector<ProductTerm>> SplitForCommonLetters(const std::vector<ProductTerm>& terms) {
    std::vector<ProductTerm> split;
    for (const ProductTerm& term : terms) {
        split.push_back(WithMonomialsSplit(term));
    }
    const std::vector<PowerFactor> common = CommonFactors(split);
    const bool letterFound = std::any_of(common.begin(), common.end(), [](const PowerFactor& factor) {
        return factor.base.TermCount() == 1;
    });
    return letterFound ? std::optional(std::move(split)) : std::nullopt;
}

// What is left of each term after the common factor is taken out, its numbers and letters joined
// into one monomial again, written first: 3x(x + 2), not 3·x·(x + 2).
void JoinMonomials(ProductTerm& term) {
    CPolynomValue monomial(1);
    for (const PowerFactor& factor : term.factors) {
        if (factor.base.TermCount() == 1) {
            monomial = monomial.Product(factor.base.Power(factor.exponent));
        }
    }
    std::erase_if(term.factors, [](const PowerFactor& factor) { return factor.base.TermCount() == 1; });
    if (!monomial.IsOne()) {
        term.factors.insert(term.factors.begin(), {monomial, 1});
    }
}

// Variant 1: the gcd g of the first polynomials of the terms is split off each of them, P^e
// becoming g^e (P/g)^e, a step after each rewriting.
bool SplitFirstFactors(CExpression& workspace, NodeHandle handle, std::vector<ProductTerm>& terms) {
    for (const ProductTerm& term : terms) {
        if (term.factors.empty()) {
            return false;
        }
    }
    CPolynomValue gcd = terms.front().factors.front().base;
    for (const ProductTerm& term : terms) {
        gcd = PolynomialGcd(gcd, term.factors.front().base);
    }
    if (gcd.IsConstant()) {
        return false;
    }
    gcd = PrimitivePart(std::move(gcd));
    for (ProductTerm& term : terms) {
        PowerFactor& first = term.factors.front();
        if (first.base == gcd) {
            continue;
        }
        std::optional<CPolynomValue> rest = first.base.DivideExact(gcd);
        if (!rest) {
            return false;
        }
        const PowerFactor split{gcd, first.exponent};
        first.base = std::move(*rest);
        term.factors.insert(term.factors.begin(), split);
        *handle = SumOfTerms(terms);
        workspace.RecordStep(false);
    }
    return true;
}

CPolynomValue ValueOf(const ProductTerm& term) {
    CPolynomValue value(term.sign);
    for (const PowerFactor& factor : term.factors) {
        value = value.Product(factor.base.Power(factor.exponent));
    }
    return value;
}

// True when every term left in the bracket is a monomial or a number, so that writing the bracket
// as one polynomial opens no bracket: it only orders the terms, or combines like ones.
bool MonomialsOnly(const std::vector<ProductTerm>& terms) {
    return std::all_of(terms.begin(), terms.end(), [](const ProductTerm& term) {
        return term.factors.size() <= 1 &&
               std::all_of(term.factors.begin(), term.factors.end(),
                           [](const PowerFactor& factor) { return factor.base.TermCount() <= 1; });
    });
}

CommentID CollectingComment(const std::vector<ProductTerm>& terms, const CPolynomValue& sum) {
    if (!MonomialsOnly(terms)) {
        return CommentID::BracketsOpened;
    }
    return sum.TermCount() < terms.size() ? CommentID::LikeTermsCombined : CommentID::TermsReordered;
}

// When every term left in the bracket is a single polynomial, a number times one, or a number, the
// bracket becomes their sum.
void CollectPlainBracket(CExpression& workspace, COperationList& product,
                         const std::vector<ProductTerm>& terms) {
    CPolynomValue sum;
    for (const ProductTerm& term : terms) {
        const auto structured =
            std::count_if(term.factors.begin(), term.factors.end(), [](const PowerFactor& factor) {
                return !factor.base.IsConstant() && factor.exponent != 0;
            });
        const bool raised =
            std::any_of(term.factors.begin(), term.factors.end(), [](const PowerFactor& factor) {
                return !factor.base.IsConstant() && factor.exponent > 1;
            });
        if (structured > 1 || raised) {
            return;
        }
        sum.AddInPlace(ValueOf(term));
    }
    NodePtr collected = PolynomNode(sum);
    // A bracket already written as its sum is left as it is, without a step.
    if (collected->ToText() == product.Tail()->child->ToText()) {
        return;
    }
    product.Tail()->child = std::move(collected);
    workspace.QueueComment(CollectingComment(terms, sum));
    workspace.RecordStep(false);
}

std::vector<ProductTerm> Slice(const std::vector<ProductTerm>& terms, std::size_t begin, std::size_t end) {
    return {terms.begin() + static_cast<std::ptrdiff_t>(begin),
            terms.begin() + static_cast<std::ptrdiff_t>(end)};
}

// What the grouping search found for two groups A and B of terms.
struct GroupFinding {
    CPolynomValue common; // variant 3: gcd(A, B)
    FactorFinding powers; // variant 2: A = +-P^m, B = +-Q^m
    bool likePowers = false;
};

// Variant 2 is taken only when it splits for real: P -+ Q and the second bracket both contain a
// letter (so the sum becomes a product of two factors with letters).
bool SplitsForReal(const FactorFinding& powers) {
    const CPolynomValue p = powers.first->Value();
    const CPolynomValue q = powers.second->Value();
    const std::int32_t sign = powers.detail->firstSign * powers.detail->secondSign;
    const CPolynomValue divisor = sign < 0 ? p.Difference(q) : p.Sum(q);
    const std::int64_t m = powers.detail->exponent.ToInt();
    CPolynomValue whole = p.Power(m);
    whole = sign < 0 ? whole.Difference(q.Power(m)) : whole.Sum(q.Power(m));
    const std::optional<CPolynomValue> cofactor =
        divisor.IsZero() ? std::nullopt : whole.DivideExact(divisor);
    return !divisor.IsConstant() && cofactor && !cofactor->IsConstant();
}

bool TryGroups(const CPolynomValue& a, const CPolynomValue& b, GroupFinding& found,
               FactorSearchBudget& budget) {
    if (!budget.Spend(static_cast<std::int64_t>((a.TermCount() + 1) * (b.TermCount() + 1)) * 8)) {
        return false;
    }
    if (!GcdSurelyConstant(a, b)) {
        CPolynomValue common = PolynomialGcd(a, b);
        if (!common.IsConstant()) {
            found.common = PrimitivePart(std::move(common));
            found.likePowers = false;
            return true;
        }
    }
    FactorFinding powers;
    if (FindLikePowers(a, b, powers, budget) && SplitsForReal(powers)) {
        found.powers = std::move(powers);
        found.likePowers = true;
        return true;
    }
    return false;
}

// Variant 3: (A) + (B) -> combined -> sign folded -> G*(A' +- B') -> G*(A' +- B' multiplied out).
// False, with nothing written, when the common factor does not divide both groups: that happens
// only once a number has passed its limit (or the work budget is spent) and no value computed
// since can be trusted.
bool WriteCommonFactorOfGroups(CExpression& workspace, NodeHandle handle, const CPolynomValue& a,
                               const CPolynomValue& b, const CPolynomValue& common) {
    CPolynomValue positive = b;
    const std::int32_t sign = positive.MakeLeadingSignPositive();
    const std::optional<CPolynomValue> restA = a.DivideExact(common);
    const std::optional<CPolynomValue> restB = positive.DivideExact(common);
    if (!restA || !restB) {
        ORBELIN_ASSERT(CNumber::LimitExceeded());
        return false;
    }
    std::vector<SignedNode> combined;
    combined.push_back({PolynomNode(a), 1});
    combined.push_back({PolynomNode(b), 1});
    *handle = SumNode(std::move(combined));
    Step(workspace, CommentID::TermsGrouped);
    if (sign < 0) {
        std::vector<SignedNode> folded;
        folded.push_back({PolynomNode(a), 1});
        folded.push_back({PolynomNode(positive), -1});
        *handle = SumNode(std::move(folded));
        Step(workspace, CommentID::SignMovedOutOfFraction);
    }
    std::vector<SignedNode> rests;
    rests.push_back({PolynomNode(*restA), 1});
    rests.push_back({PolynomNode(*restB), sign});
    std::vector<NodePtr> factors = MonomialFactors(common);
    factors.push_back(SumNode(std::move(rests)));
    *handle = ProductNode(std::move(factors));
    Step(workspace, CommentID::CommonFactorTakenOut);
    CPolynomValue bracket = *restA;
    if (sign < 0) {
        bracket.SubtractInPlace(*restB);
    } else {
        bracket.AddInPlace(*restB);
    }
    std::vector<NodePtr> multiplied = MonomialFactors(common);
    multiplied.push_back(PolynomNode(bracket));
    *handle = ProductNode(std::move(multiplied));
    Step(workspace, CommentID::BracketsOpened);
    return true;
}

// Variants 2 and 3: the grouping search over the terms.
bool FactorByGroups(CExpression& workspace, NodeHandle handle, const std::vector<ProductTerm>& terms) {
    FactorSearchBudget budget;
    std::vector<CPolynomValue> values;
    for (const ProductTerm& term : terms) {
        values.push_back(ValueOf(term));
    }
    GroupFinding found;
    const auto trySplit = [&](const TermOrder& order, std::size_t split) {
        CPolynomValue a;
        CPolynomValue b;
        for (std::size_t i = 0; i < order.size(); ++i) {
            (i < split ? a : b).AddInPlace(values[order[i]]);
        }
        return TryGroups(a, b, found, budget);
    };
    const std::optional<GroupingChoice> choice = SearchGroupings(terms.size(), trySplit, budget);
    if (!choice) {
        return false;
    }
    std::vector<ProductTerm> ordered;
    CPolynomValue a;
    CPolynomValue b;
    const TermOrder order = MovedOrder(terms.size(), choice->moveIndex, choice->moveDirection);
    for (std::size_t i = 0; i < order.size(); ++i) {
        ordered.push_back(terms[order[i]]);
        (i < static_cast<std::size_t>(choice->split) ? a : b).AddInPlace(values[order[i]]);
    }
    if (choice->moveDirection != 0) {
        *handle = SumOfTerms(ordered);
        Step(workspace, CommentID::TermsReordered);
    }
    const auto split = static_cast<std::size_t>(choice->split);
    if (ordered.size() > 2) {
        std::vector<SignedNode> groups;
        groups.push_back({SumOfTerms(Slice(ordered, 0, split)), 1});
        groups.push_back({SumOfTerms(Slice(ordered, split, ordered.size())), 1});
        *handle = SumNode(std::move(groups));
        Step(workspace, CommentID::TermsGrouped);
    }
    if (found.likePowers) {
        WriteLikePowers(workspace, handle, found.powers);
        return true;
    }
    return WriteCommonFactorOfGroups(workspace, handle, a, b, found.common);
}

} // namespace

bool FactorSumOfProducts(CExpression& workspace, NodeHandle handle) {
    if (handle == nullptr || !*handle || (*handle)->GetFamily() != NodeFamily::Addition ||
        (*handle)->AsList()->GetCount() < 2) {
        return false;
    }
    std::optional<std::vector<ProductTerm>> terms = ReadTerms(**handle);
    if (!terms) {
        return false;
    }
    bool lettersSplit = false;
    if (std::optional<std::vector<ProductTerm>> split = SplitForCommonLetters(*terms)) {
        terms = std::move(split);
        lettersSplit = true;
    }
    std::vector<PowerFactor> common = CommonFactors(*terms);
    CNumber number = CommonNumber(*terms);
    if (common.empty() && number.IsOne() && SplitFirstFactors(workspace, handle, *terms)) {
        common = CommonFactors(*terms);
        number = CommonNumber(*terms);
    }
    if (common.empty() && number.IsOne()) {
        return FactorByGroups(workspace, handle, *terms);
    }
    for (ProductTerm& term : *terms) {
        DivideOutNumber(term, number);
        for (const PowerFactor& factor : common) {
            DivideOut(term, factor);
        }
        if (lettersSplit) {
            JoinMonomials(term);
        }
    }
    // Variant 0: the common factor, its number first, times the sum of the rests.
    std::vector<NodePtr> factors;
    if (!number.IsOne()) {
        factors.push_back(PolynomNode(CPolynomValue(number)));
    }
    for (const PowerFactor& factor : common) {
        factors.push_back(FactorNode(factor));
    }
    factors.push_back(SumOfTerms(*terms));
    *handle = ProductNode(std::move(factors));
    workspace.QueueComment(CommentID::CommonFactorTakenOut);
    workspace.RecordStep(false);
    CollectPlainBracket(workspace, *(*handle)->AsList(), *terms);
    return true;
}
