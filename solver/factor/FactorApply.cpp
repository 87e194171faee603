// Rewriting a polynomial into the product of a factor finding, with the steps a pupil would write.
// Techniques 1 and 5 show a check by multiplying out that is computed from the product backwards:
// every form is inserted right after the record P that stood last when the applier started, so the
// solution reads from the polynomial through the expanded forms to the product.

#include "model/COMonom.h"
#include "model/COPolynom.h"
#include "model/NodeCast.h"
#include "model/PolynomNumber.h"
#include "output/COutputList.h"
#include "solver/CExpression.h"
#include "solver/SimplifySupport.h"
#include "solver/factor/FactorFormulas.h"
#include "solver/factor/FactorGrouping.h"
#include "solver/factor/FactorSearchSupport.h"
#include "solver/factor/FactorSteps.h"
#include "solver/factor/Factorisation.h"

#include <iterator>

namespace PN = PolynomNumber;

namespace {

const COPolynom& PolynomAt(NodeHandle handle) {
    ORBELIN_ASSERT(*handle && (*handle)->GetType() == NodeType::Polynom);
    return NodeAs<COPolynom>(**handle);
}

// The exact quotient; the finding guarantees that it exists.
CPolynomValue QuotientOf(const CPolynomValue& polynom, const CPolynomValue& divisor) {
    std::optional<CPolynomValue> quotient = polynom.DivideExact(divisor);
    ORBELIN_ASSERT(quotient.has_value());
    return quotient.value_or(CPolynomValue());
}

// --- the backwards check of techniques 1 and 5 ----------------------------------------------------

class BackwardsSteps {
public:
    BackwardsSteps(CExpression& workspace, NodeHandle handle) : m_workspace(workspace), m_handle(handle) {
        COutputList* solution = workspace.Solution();
        if (solution != nullptr && !solution->IsEmpty()) {
            m_after = std::prev(solution->end());
        }
    }

    // Shows the form in place of the node, inserted after P with the comments given.
    void Show(NodePtr form, std::initializer_list<CommentID> comments) {
        *m_handle = std::move(form);
        for (const CommentID comment : comments) {
            m_workspace.QueueComment(comment);
        }
        m_workspace.RecordStepAfter(m_after);
    }

    // The flat sum of all terms: shown unordered (CommentID::TermsReordered) when putting it in the order
    // of the input moves a term, then ordered with the comments on its like terms. Read downwards, that
    // line splits a term of the input into the like terms below it: CommentID::OppositeLikeTermsInserted
    // for a pair that cancels, CommentID::TermSplitIntoLikeTerms for terms that add up.
    void ShowFlatSum(const TermList& flat, const TermList& input) {
        const TermList ordered = ModelOrder(flat, input);
        if (!SameOrder(flat, ordered)) {
            Show(PolynomInOrder(flat), {CommentID::TermsReordered});
        }
        std::vector<CommentID> comments;
        if (HasCancellingTerms(ordered)) {
            m_workspace.QueueComment(CommentID::OppositeLikeTermsInserted);
        }
        if (HasCollectingTerms(ordered)) {
            m_workspace.QueueComment(CommentID::TermSplitIntoLikeTerms);
        }
        if (HasCancellingTerms(ordered) || HasCollectingTerms(ordered)) {
            Show(PolynomInOrder(ordered), {});
        }
    }

    // Leaves the node holding the final product; the next step compares against it.
    void Finish(NodePtr product) {
        *m_handle = std::move(product);
        m_workspace.RefreshLastText();
    }

private:
    CExpression& m_workspace;
    NodeHandle m_handle;
    std::optional<COutputList::Position> m_after;
};

// Technique 1: D*Q, shown as D*Q <- sum of t*D <- expanded products <- flat sum <- polynomial.
void ApplyDivisor(CExpression& workspace, NodeHandle handle, FactorFinding& finding) {
    const TermList input = SignedTerms(PolynomAt(handle));
    const CPolynomValue value = PolynomAt(handle).Value();
    const CPolynomValue divisor = finding.first->Value();
    const CPolynomValue cofactor = finding.second ? finding.second->Value() : QuotientOf(value, divisor);
    ORBELIN_ASSERT(divisor.Product(cofactor) == value);
    BackwardsSteps steps(workspace, handle);
    steps.Show(TwoFactors(divisor, cofactor), {CommentID::CommonFactorTakenOut});
    std::vector<SignedNode> timesTerms;
    std::vector<SignedNode> expanded;
    TermList flat;
    for (const PolynomTerm& term : cofactor.Terms()) {
        const PolynomTerm magnitude = TermMagnitude(term);
        const CPolynomValue product = divisor.ProductWithTerm(magnitude);
        timesTerms.push_back({CommonTimesCofactor(divisor, CPolynomValue::FromTerm(magnitude)), SignOfTerm(term)});
        expanded.push_back({PolynomNode(product), SignOfTerm(term)});
        for (PolynomTerm part : product.Terms()) {
            if (SignOfTerm(term) < 0) {
                part.coefficient.Negate();
            }
            flat.push_back(std::move(part));
        }
    }
    steps.Show(SumNode(std::move(timesTerms)), {CommentID::CommonFactorTakenOut});
    steps.Show(SumNode(std::move(expanded)), {CommentID::TermsGrouped});
    steps.ShowFlatSum(flat, input);
    steps.Finish(TwoFactors(divisor, cofactor));
}

// Technique 5: h^2U^4 + l^2V^4 = (hU^2 + lV^2)^2 - (oUV)^2 = F*(F with the middle term negated).
// Two negative terms first become the negated sum of two positive ones (a step of its own), as for
// the other binomials; the completed square is then shown inside that sum.
void ApplyCompletedSquare(CExpression& workspace, NodeHandle whole, FactorFinding& finding) {
    std::int32_t firstSign = finding.detail->firstSign;
    std::int32_t secondSign = finding.detail->secondSign;
    const NodeHandle handle = FixTwoTermSigns(workspace, whole, firstSign, secondSign);
    const TermList input = SignedTerms(PolynomAt(handle));
    const CPolynomValue value = PolynomAt(handle).Value();
    const TermList factor = SignedTerms(*finding.first);
    ORBELIN_ASSERT(factor.size() == 3);
    const CPolynomValue first = finding.first->Value();
    const CPolynomValue second = QuotientOf(value, first);
    const CPolynomValue outer = ValueOfTerms(TermList{factor[0], factor[2]}, 0, 2);
    const CPolynomValue middle = CPolynomValue::FromTerm(factor[1]);
    BackwardsSteps steps(workspace, handle);
    steps.Show(TwoFactors(first, second), {CommentID::DifferenceOfSquares});
    std::vector<SignedNode> difference;
    difference.push_back({PowerNode(PolynomInOrder({factor[0], factor[2]}), 2), 1});
    difference.push_back({PowerNode(PolynomNode(middle), 2), -1});
    steps.Show(SumNode(std::move(difference)), {CommentID::SquareOfSum});
    const CPolynomValue square = outer.Product(outer);
    const CPolynomValue middleSquare = middle.Product(middle);
    std::vector<SignedNode> grouped;
    grouped.push_back({PolynomNode(square), 1});
    grouped.push_back({PolynomNode(middleSquare), -1});
    steps.Show(SumNode(std::move(grouped)), {CommentID::TermsGrouped});
    TermList flat = square.Terms();
    PolynomTerm removed = middleSquare.Terms().front();
    removed.coefficient.Negate();
    flat.push_back(removed);
    steps.ShowFlatSum(flat, input);
    steps.Finish(TwoFactors(first, second));
}

// --- signs of two-part sums (techniques 3 and 4) --------------------------------------------------

// h - l as h + l, its terms in the order the formula gives them: (8 - 5x)(8 + 5x).
NodePtr SumWithSecondNegated(const COPolynom& difference) {
    TermList terms = SignedTerms(difference);
    terms.back().coefficient.Negate();
    return PolynomInOrder(terms);
}

// Technique 4: the two terms as a product by the formula of the detail.
void ApplyBinomial(CExpression& workspace, NodeHandle handle, FactorFinding& finding) {
    std::int32_t firstSign = finding.detail->firstSign;
    std::int32_t secondSign = finding.detail->secondSign;
    NodeHandle polynom = FixTwoTermSigns(workspace, handle, firstSign, secondSign);
    const CPolynomValue first = finding.first->Value();
    const CPolynomValue quotient = QuotientOf(PolynomAt(polynom).Value(), first);
    std::vector<NodePtr> factors;
    factors.push_back(std::move(finding.first));
    factors.push_back(finding.detail->comment == CommentID::DifferenceOfSquares
                          ? SumWithSecondNegated(NodeAs<COPolynom>(*factors.front()))
                          : PolynomNode(quotient));
    *polynom = ProductNode(std::move(factors));
    Step(workspace, finding.detail->comment);
}

// --- techniques 2 and 3: grouping ------------------------------------------------------------------

// Repeats the move of the finding (CommentID::TermsReordered) and returns the terms in their new order.
TermList RepeatMove(CExpression& workspace, NodeHandle handle, const FactorDetail& detail, bool record) {
    const TermList moved = MovedTerms(SignedTerms(PolynomAt(handle)), detail.moveIndex, detail.moveDirection);
    if (detail.moveDirection != 0) {
        *handle = PolynomInOrder(moved);
        workspace.QueueComment(CommentID::TermsReordered);
        if (record) {
            workspace.RecordStep(false);
        }
    }
    return moved;
}

// Technique 2: (A) + (B) -> G*A' + G*B' -> (A' + B')*G, then ordered and collected.
void ApplyGroupingCommonFactor(CExpression& workspace, NodeHandle handle, FactorFinding& finding) {
    const FactorDetail& detail = *finding.detail;
    const TermList moved = RepeatMove(workspace, handle, detail, false);
    const auto split = static_cast<std::size_t>(detail.split);
    const CPolynomValue a = ValueOfTerms(moved, 0, split);
    CPolynomValue b = ValueOfTerms(moved, split, moved.size());
    const std::int32_t signB = b.MakeLeadingSignPositive();
    std::vector<SignedNode> groups;
    groups.push_back({PolynomNode(a), 1});
    groups.push_back({PolynomNode(b), signB});
    *handle = SumNode(std::move(groups));
    Step(workspace, CommentID::TermsGrouped);
    const CPolynomValue common = finding.first->Value();
    const CPolynomValue restA = QuotientOf(a, common);
    const CPolynomValue restB = QuotientOf(b, common);
    std::vector<SignedNode> shared;
    shared.push_back({CommonTimesCofactor(common, restA), 1});
    shared.push_back({CommonTimesCofactor(common, restB), signB});
    *handle = SumNode(std::move(shared));
    workspace.RecordStep(false);
    TermList bracket = restA.Terms();
    for (PolynomTerm term : restB.Terms()) {
        if (signB < 0) {
            term.coefficient.Negate();
        }
        bracket.push_back(std::move(term));
    }
    *handle = ProductNode([&] {
        std::vector<NodePtr> factors;
        factors.push_back(PolynomInOrder(bracket));
        factors.push_back(PolynomNode(common));
        return factors;
    }());
    Step(workspace, CommentID::CommonFactorTakenOut);
    COperationList& product = *(*handle)->AsList();
    NodeHandle bracketSlot = &product.Head()->child;
    const TermList ordered = CanonicalOrder(bracket);
    if (!SameOrder(ordered, bracket)) {
        *bracketSlot = PolynomInOrder(ordered);
        Step(workspace, CommentID::TermsReordered);
    }
    // The like terms are collected in a step without a comment of its own.
    if (HasCancellingTerms(ordered) || HasCollectingTerms(ordered)) {
        NodeAs<COPolynom>(**bracketSlot).Normalize(false);
        workspace.RecordStep(false);
    }
}

void ApplyLikePowersOfTwoTerms(CExpression& workspace, NodeHandle handle, FactorFinding& finding) {
    const FactorDetail& detail = *finding.detail;
    std::int32_t firstSign = detail.firstSign;
    std::int32_t secondSign = detail.secondSign;
    CPolynomValue p = finding.first->Value();
    CPolynomValue q = finding.second->Value();
    if (firstSign < 0 && secondSign > 0) {
        std::swap(p, q);
    }
    const NodeHandle polynom = FixTwoTermSigns(workspace, handle, firstSign, secondSign);
    WriteLikePowerProduct(workspace, polynom, p, q, detail.exponent.ToInt(), secondSign,
                          LikePowerBracketForm::Quotient);
}

// Technique 3 with groups: (A) + (B) -> +-P^m +- Q^m -> P^m -+ Q^m -> (P -+ Q)(...).
void ApplyGroupingLikePowers(CExpression& workspace, NodeHandle handle, FactorFinding& finding) {
    const FactorDetail& detail = *finding.detail;
    if (PolynomAt(handle).GetCount() == 2) {
        ApplyLikePowersOfTwoTerms(workspace, handle, finding);
        return;
    }
    const TermList moved = RepeatMove(workspace, handle, detail, true);
    const auto split = static_cast<std::size_t>(detail.split);
    const TermList groupA(moved.begin(), moved.begin() + static_cast<std::ptrdiff_t>(split));
    const TermList groupB(moved.begin() + static_cast<std::ptrdiff_t>(split), moved.end());
    std::vector<SignedNode> groups;
    groups.push_back({PolynomInOrder(groupA), 1});
    groups.push_back({PolynomInOrder(groupB), 1});
    *handle = SumNode(std::move(groups));
    Step(workspace, CommentID::TermsGrouped);
    CPolynomValue a = ValueOfTerms(groupA, 0, groupA.size());
    CPolynomValue b = ValueOfTerms(groupB, 0, groupB.size());
    const std::int32_t signA = a.MakeLeadingSignPositive();
    const std::int32_t signB = b.MakeLeadingSignPositive();
    if (signA < 0 || signB < 0) {
        std::vector<SignedNode> signedGroups;
        signedGroups.push_back({PolynomNode(a), signA});
        signedGroups.push_back({PolynomNode(b), signB});
        *handle = SumNode(std::move(signedGroups));
        Step(workspace, CommentID::SignTakenOutOfBracket);
    }
    WriteLikePowers(workspace, handle, finding);
}

// --- techniques 6 and 7: the trinomials divisible by x^2 + x + 1 ----------------------------------

CPolynomValue LetterPower(unsigned char letter, std::int64_t exponent, std::int32_t coefficient = 1) {
    return exponent == 0 ? CPolynomValue(coefficient)
                         : CPolynomValue::Letter(letter, exponent).Scaled(CNumber(coefficient));
}

// x^top + x^low' + 1 with the divisor x^2 + x + 1 (low' is 1 or 2):
//   1. a pair of opposite terms -x^low + x^low inserted after the top term;
//   2. grouped as (x^top - x^low) + (x^2 + x + 1);
//   3. in the first group x^low taken out, x^(3k) - 1 written as (x^3 - 1)(rest), then x^3 - 1 as
//      (x - 1)(x^2 + x + 1);
//   4. x^2 + x + 1 taken out of the whole sum, and the other bracket multiplied out and added.
void ApplyTrinomial(CExpression& workspace, NodeHandle handle, FactorFinding& finding) {
    const TermList terms = SignedTerms(PolynomAt(handle));
    const unsigned char x = terms.front().powers.front().letter;
    const std::int64_t top = terms.front().Degree();
    const std::int64_t low = finding.technique == FactorTechnique::TrinomialSquareTerm ? 1 : 2;
    const CPolynomValue xLow = LetterPower(x, low);
    const CPolynomValue divisor = finding.first->Value();
    workspace.RecordStep(false);
    // 1. x^top - x^low + x^low + ...
    TermList inserted{terms[0], LetterPower(x, low, -1).Terms().front(), xLow.Terms().front(), terms[1],
                      terms[2]};
    *handle = PolynomInOrder(inserted);
    Step(workspace, CommentID::OppositeLikeTermsInserted);
    // 2. (x^top - x^low) + (x^2 + x + 1)
    const CPolynomValue power = LetterPower(x, top - low).Difference(CPolynomValue(1));
    std::vector<SignedNode> groups;
    groups.push_back({PolynomInOrder({inserted[0], inserted[1]}), 1});
    groups.push_back({PolynomNode(divisor), 1});
    *handle = SumNode(std::move(groups));
    Step(workspace, CommentID::TermsGrouped);
    // 3. x^low (x^(3k) - 1) + ..., then (x^3 - 1)*rest, then (x - 1)(x^2 + x + 1)*rest
    const CPolynomValue cubeLess = LetterPower(x, 3).Difference(CPolynomValue(1));
    const CPolynomValue rest = QuotientOf(power, cubeLess);
    const CPolynomValue linear = LetterPower(x, 1).Difference(CPolynomValue(1));
    auto firstGroup = [&](std::vector<CPolynomValue> factors) {
        std::vector<NodePtr> nodes;
        nodes.push_back(PolynomNode(xLow));
        for (const CPolynomValue& factor : factors) {
            if (!factor.IsOne()) {
                nodes.push_back(PolynomNode(factor));
            }
        }
        std::vector<SignedNode> sum;
        sum.push_back({ProductNode(std::move(nodes)), 1});
        sum.push_back({PolynomNode(divisor), 1});
        return SumNode(std::move(sum));
    };
    *handle = firstGroup({power});
    Step(workspace, CommentID::CommonFactorTakenOut);
    *handle = firstGroup({cubeLess, rest});
    Step(workspace, CommentID::OtherPowerFormula);
    *handle = firstGroup({linear, divisor, rest});
    Step(workspace, CommentID::DifferenceOfCubes);
    // 4. (x^2 + x + 1)(x^low (x - 1) rest + 1), then multiplied out and added.
    const CPolynomValue product = xLow.Product(linear).Product(rest);
    auto withBracket = [&](NodePtr bracket) {
        std::vector<NodePtr> factors;
        factors.push_back(PolynomNode(divisor));
        factors.push_back(std::move(bracket));
        return ProductNode(std::move(factors));
    };
    std::vector<NodePtr> remaining;
    remaining.push_back(PolynomNode(xLow));
    remaining.push_back(PolynomNode(linear));
    if (!rest.IsOne()) {
        remaining.push_back(PolynomNode(rest));
    }
    std::vector<SignedNode> bracket;
    bracket.push_back({ProductNode(std::move(remaining)), 1});
    bracket.push_back({PolynomNode(CPolynomValue(1)), 1});
    *handle = withBracket(SumNode(std::move(bracket)));
    Step(workspace, CommentID::CommonFactorTakenOut);
    std::vector<SignedNode> multiplied;
    multiplied.push_back({PolynomNode(product), 1});
    multiplied.push_back({PolynomNode(CPolynomValue(1)), 1});
    *handle = withBracket(SumNode(std::move(multiplied)));
    Step(workspace, CommentID::BracketsOpened);
    *handle = withBracket(PolynomNode(product.Sum(CPolynomValue(1))));
    Step(workspace, CommentID::BracketsOpened);
}

} // namespace

void ApplyFactorisation(CExpression& workspace, NodeHandle handle, FactorFinding& finding) {
    if (!finding.found || !finding.first || handle == nullptr || !*handle ||
        (*handle)->GetType() != NodeType::Polynom) {
        return;
    }
    switch (finding.technique) {
    case FactorTechnique::CommonMonomial: {
        NodePtr cofactor = finding.second
                               ? std::move(finding.second)
                               : PolynomNode(QuotientOf(PolynomAt(handle).Value(),
                                                        NodeAs<COPolynom>(*finding.first).Value()));
        std::vector<NodePtr> factors = MonomialFactors(NodeAs<COPolynom>(*finding.first).Value());
        factors.push_back(std::move(cofactor));
        *handle = ProductNode(std::move(factors));
        Step(workspace, CommentID::CommonFactorTakenOut);
        break;
    }
    case FactorTechnique::DivisorPolynomial:
        ApplyDivisor(workspace, handle, finding);
        break;
    case FactorTechnique::GroupingCommonFactor:
        ApplyGroupingCommonFactor(workspace, handle, finding);
        break;
    case FactorTechnique::GroupingLikePowers:
        ApplyGroupingLikePowers(workspace, handle, finding);
        break;
    case FactorTechnique::BinomialLikePowers:
        ApplyBinomial(workspace, handle, finding);
        break;
    case FactorTechnique::CompletedSquare:
        ApplyCompletedSquare(workspace, handle, finding);
        break;
    case FactorTechnique::TrinomialSquareTerm:
    case FactorTechnique::TrinomialLinearTerm:
        ApplyTrinomial(workspace, handle, finding);
        break;
    }
    finding = FactorFinding{};
}
