// Building, normal form and cancellation of hyper-monomials (the class shell is in COHyperMonom.cpp).

#include "model/COHyperMonom.h"
#include "model/COMonom.h"
#include "model/CONumber.h"
#include "model/COPolynom.h"
#include "model/COPower.h"
#include "model/NodeCast.h"
#include "model/PolynomNumber.h"
#include "model/PolynomialGcd.h"

namespace PN = PolynomNumber;

namespace {

COPolynom* AsPolynom(COperation* node) {
    return node != nullptr && node->GetType() == NodeType::Polynom ? &NodeAs<COPolynom>(*node) : nullptr;
}

// The factor polynomial^exponent.
NodePtr MakeFactor(NodePtr base, const CNumber& exponent) {
    return std::make_unique<COPower>(std::move(base), std::make_unique<CONumber>(exponent));
}

// A node made into a polynomial: a monomial is wrapped, a polynomial stays.
NodePtr AsPolynomNode(NodePtr node) {
    if (node && node->GetType() == NodeType::Monom) {
        return std::make_unique<COPolynom>(std::move(node), 1);
    }
    return node;
}

// A node made into a factor: a polynomial p becomes p^1, a power keeps its exponent with its base
// made a polynomial, anything else is raised to 1.
NodePtr AsFactor(NodePtr node) {
    if (node->GetType() == NodeType::Power) {
        auto& power = NodeAs<COPower>(*node);
        power.BaseSlot() = AsPolynomNode(std::move(power.BaseSlot()));
        return node;
    }
    return MakeFactor(AsPolynomNode(std::move(node)), CNumber(1));
}

bool QualifiesAt(const COperation& node, int depth) {
    if (node.GetType() == NodeType::Polynom) {
        return true;
    }
    if (node.GetType() == NodeType::Power) {
        const auto& power = NodeAs<COPower>(node);
        const CONumber* exponent = AsNumber(power.Exponent());
        return power.Base() != nullptr && power.Base()->GetType() == NodeType::Polynom &&
               exponent != nullptr && exponent->Value().Sign() >= 0;
    }
    if ((node.GetType() == NodeType::Multiplication || node.GetType() == NodeType::Fraction) && depth < 2 &&
        !node.AsList()->IsEmpty()) {
        for (const ListCell& cell : *node.AsList()) {
            if (!cell.child || !QualifiesAt(*cell.child, depth + 1)) {
                return false;
            }
        }
        return true;
    }
    return false;
}

// Moves the elements of a product or fraction into `factors`, opening nested products and
// fractions (signs multiplied).
void GatherFactors(COperationList& list, std::int32_t sign, std::vector<ListCell>& factors) {
    for (auto position = list.Head(); position != list.End();) {
        const std::int32_t cellSign = position->sign * sign;
        NodePtr element = list.RemoveAt(position, 1);
        if (element->GetType() == NodeType::Multiplication || element->GetType() == NodeType::Fraction) {
            GatherFactors(*element->AsList(), cellSign, factors);
        } else {
            factors.push_back(ListCell{AsFactor(std::move(element)), cellSign});
        }
    }
}

// The cancelled factor d, and a two-term split factor n = d * rest: is n a difference of squares,
// a difference of cubes or a sum of cubes with d one of its factors? The test takes square and
// cube roots of the two terms as monomials and compares d with the binomials they make.
std::optional<CommentID> SplitFormula(const COPolynom& n, const COPolynom& d) {
    const CPolynomValue value = n.Value();
    if (value.TermCount() != 2) {
        return std::nullopt;
    }
    const CPolynomValue divisor = d.Value();
    CPolynomValue negatedDivisor(divisor);
    negatedDivisor.Negate();
    const PolynomTerm& first = value.Terms()[0];
    const PolynomTerm& second = value.Terms()[1];
    const bool opposite = first.coefficient.Sign() != second.coefficient.Sign();
    auto root = [](const PolynomTerm& term, std::int32_t degree) -> std::optional<CPolynomValue> {
        std::optional<CNumber> coefficient = PN::Root(PN::Abs(term.coefficient), degree);
        if (!coefficient) {
            return std::nullopt;
        }
        PolynomTerm result{*coefficient, term.powers};
        for (LetterPower& power : result.powers) {
            if (power.exponent % degree != 0) {
                return std::nullopt;
            }
            power.exponent /= degree;
        }
        return CPolynomValue::FromTerm(std::move(result));
    };
    auto matches = [&](const CPolynomValue& candidate) {
        return candidate == divisor || candidate == negatedDivisor;
    };
    if (opposite) {
        const auto a = root(first, 2);
        const auto b = root(second, 2);
        if (a && b && (matches(a->Sum(*b)) || matches(a->Difference(*b)))) {
            return CommentID::DifferenceOfSquares;
        }
    }
    const auto a = root(first, 3);
    const auto b = root(second, 3);
    if (a && b) {
        if (opposite && matches(a->Difference(*b))) {
            return CommentID::DifferenceOfCubes;
        }
        if (!opposite && matches(a->Sum(*b))) {
            return CommentID::SumOfCubes;
        }
    }
    return std::nullopt;
}

// The factors of one split: an optional number factor and the polynomial quotient, made primitive
// with a positive leading sign so that the quotient keeps integer coefficients.
struct SplitPart {
    CNumber number;
    std::unique_ptr<COPolynom> polynom;
};

SplitPart MakeSplitPart(CPolynomValue quotient) {
    CNumber number = quotient.MakePrimitive();
    if (quotient.MakeLeadingSignPositive() < 0) {
        number.Negate();
    }
    return {number, COPolynom::FromValue(quotient)};
}

// Replaces the factor at `position` (exponent e) by [number^e] part^e cancelled^e, in that order,
// and returns the position of the cancelled factor.
COperationList::Position ReplaceBySplit(COperationList& list, COperationList::Position position,
                                        SplitPart part, NodePtr cancelled) {
    const std::int32_t sign = position->sign;
    const CNumber exponent = AsNumber(NodeAs<COPower>(*position->child).Exponent())->Value();
    auto next = std::next(position);
    list.RemoveAt(position, 1);
    if (!part.number.IsOne()) {
        list.InsertBefore(next, MakeFactor(COPolynom::Constant(part.number), exponent), sign);
    }
    if (!part.polynom->IsNumber(CNumber(1))) {
        list.InsertBefore(next, MakeFactor(std::move(part.polynom), exponent), sign);
    }
    return list.InsertBefore(next, MakeFactor(std::move(cancelled), exponent), sign);
}

} // namespace

// --- building --------------------------------------------------------------------------------------

std::unique_ptr<COHyperMonom> COHyperMonom::FromInteger(std::int32_t value) {
    return std::make_unique<COHyperMonom>(MakeFactor(COPolynom::Constant(CNumber(value)), CNumber(1)), 1);
}

std::unique_ptr<COHyperMonom> COHyperMonom::FromNode(NodePtr node) {
    return std::make_unique<COHyperMonom>(MakeFactor(AsPolynomNode(std::move(node)), CNumber(1)), 1);
}

bool COHyperMonom::Qualifies(const COperation& node) {
    return QualifiesAt(node, 0);
}

COHyperMonom* COHyperMonom::Build(NodeHandle handle) {
    NodePtr old = std::move(*handle);
    auto hyper = std::make_unique<COHyperMonom>();
    std::vector<ListCell> factors;
    if (old->GetType() == NodeType::Multiplication || old->GetType() == NodeType::Fraction) {
        GatherFactors(*old->AsList(), 1, factors);
        hyper->TakeCommentsFrom(*old);
        hyper->SetCrossOut(old->CrossOut());
    } else {
        factors.push_back(ListCell{AsFactor(std::move(old)), 1});
    }
    for (std::int32_t wanted : {1, -1}) {
        for (ListCell& cell : factors) {
            if (cell.sign == wanted) {
                hyper->AddTail(std::move(cell.child), cell.sign);
            }
        }
    }
    hyper->Normalize();
    COHyperMonom* result = hyper.get();
    *handle = std::move(hyper);
    return result;
}

// --- reading ---------------------------------------------------------------------------------------

COPolynom* COHyperMonom::FactorBase(const ListCell& cell) const {
    if (!cell.child || cell.child->GetFamily() != NodeFamily::Power) {
        return nullptr;
    }
    return AsPolynom(NodeAs<COPower>(*cell.child).Base());
}

CNumber COHyperMonom::FactorExponent(const ListCell& cell) const {
    if (!cell.child || cell.child->GetFamily() != NodeFamily::Power) {
        return CNumber(1);
    }
    const CONumber* exponent = AsNumber(NodeAs<COPower>(*cell.child).Exponent());
    return exponent != nullptr ? exponent->Value() : CNumber(1);
}

// --- normal forms ----------------------------------------------------------------------------------

bool COHyperMonom::Normalize() {
    bool changed = false;
    for (ListCell& cell : *this) {
        if (COPolynom* base = FactorBase(cell)) {
            changed = base->Normalize(true) || changed;
        }
    }
    // A numerator factor 0 makes the whole node 0^1.
    for (ListCell& cell : *this) {
        const COPolynom* base = FactorBase(cell);
        if (cell.sign == 1 && base != nullptr && base->IsZero() && GetCount() > 1) {
            DeleteAll();
            AddTail(MakeFactor(COPolynom::Constant(CNumber(0)), CNumber(1)), 1);
            return true;
        }
    }
    // Factors 1 go while more than one factor remains; a lone one in the denominator goes up.
    for (auto position = Head(); position != End() && GetCount() > 1;) {
        const COPolynom* base = FactorBase(*position);
        if (base != nullptr && base->IsNumber(CNumber(1))) {
            RemoveAt(position, 1);
            changed = true;
        } else {
            ++position;
        }
    }
    if (GetCount() == 1 && Head()->sign == -1) {
        const COPolynom* base = FactorBase(*Head());
        if (base != nullptr && base->IsNumber(CNumber(1))) {
            Head()->sign = 1;
            changed = true;
        }
    }
    return changed;
}

std::int32_t COHyperMonom::NormalizeSign(bool& changed) {
    changed = false;
    std::int32_t sign = 1;
    for (ListCell& cell : *this) {
        COPolynom* base = FactorBase(cell);
        if (base == nullptr || base->MakeLeadingSignPositive() > 0) {
            continue;
        }
        changed = true;
        const CNumber exponent = FactorExponent(cell);
        if (exponent.IsWhole() && !exponent.IsEvenInteger()) {
            sign = -sign;
        }
    }
    return sign;
}

void COHyperMonom::OrderFactors() {
    Cells denominators;
    for (auto position = Head(); position != End();) {
        auto current = position++;
        if (current->sign == -1) {
            denominators.splice(denominators.end(), GetCells(), current);
        }
    }
    GetCells().splice(GetCells().end(), denominators);
}

// --- cancellation ----------------------------------------------------------------------------------

namespace {

// How one numerator factor and one denominator factor cancel: the pieces they split into.
struct CancelPlan {
    bool found = false;
    std::optional<CPolynomValue> numeratorRest;   // N = rest * common, when N is split
    std::optional<CPolynomValue> denominatorRest; // D = rest * common, when D is split
    CPolynomValue common;
};

// Divisibility: D divides N, or N divides D.
CancelPlan PlanByDivisibility(const CPolynomValue& vn, const CPolynomValue& vd) {
    CancelPlan plan;
    if (std::optional<CPolynomValue> q = vn.DivideExact(vd)) {
        plan.found = true;
        plan.common = vd;
        if (!q->IsOne()) {
            plan.numeratorRest = std::move(q);
        }
    } else if (std::optional<CPolynomValue> r = vd.DivideExact(vn)) {
        plan.found = true;
        plan.common = vn;
        if (!r->IsOne()) {
            plan.denominatorRest = std::move(r);
        }
    }
    return plan;
}

// Greatest common divisor h: N = l h, D = m h.
CancelPlan PlanByGcd(const CPolynomValue& vn, const CPolynomValue& vd) {
    CancelPlan plan;
    CPolynomValue h = PolynomialGcd(vn, vd);
    if (h.IsConstant()) {
        return plan;
    }
    std::optional<CPolynomValue> l = vn.DivideExact(h);
    std::optional<CPolynomValue> m = vd.DivideExact(h);
    if (!l || !m) {
        return plan;
    }
    plan.found = true;
    if (!l->IsOne()) {
        plan.numeratorRest = std::move(l);
    }
    if (!m->IsOne()) {
        plan.denominatorRest = std::move(m);
    }
    plan.common = std::move(h);
    return plan;
}

// Of a pair P^a over P^b with a > b, the power P^a is written P^(a-b) P^b and only P^b is paired,
// so the step strikes out what cancels (b^2/b shows b*b/b with one b struck on each side, not b^2
// and b both struck while a b remains). Returns the position of P^b.
COperationList::Position SplitOffPower(COHyperMonom& hyper, COperationList::Position larger,
                                       const CNumber& smaller) {
    auto& power = NodeAs<COPower>(*larger->child);
    const CNumber rest = hyper.FactorExponent(*larger).Difference(smaller);
    NodePtr paired = MakeFactor(power.Base()->Clone(), smaller);
    power.ExponentSlot() = std::make_unique<CONumber>(rest);
    return hyper.InsertAfter(larger, std::move(paired), larger->sign);
}

bool HasNumberExponent(const ListCell& cell) {
    return AsNumber(NodeAs<COPower>(*cell.child).Exponent()) != nullptr;
}

bool IsCancellable(const COHyperMonom& hyper, const ListCell& cell) {
    const COPolynom* base = hyper.FactorBase(cell);
    return base != nullptr && cell.child->CrossOut() == 0 && !base->IsConstant();
}

// Every numerator factor against every denominator factor; a numerator's value is built once for
// all its partners.
bool Cancel(COHyperMonom& hyper, CancelPlan (*plan)(const CPolynomValue&, const CPolynomValue&)) {
    std::int32_t counter = 1;
    bool splitNumerator = false;
    bool splitDenominator = false;
    std::vector<CommentID> formulas;
    for (auto n = hyper.Head(); n != hyper.End(); ++n) {
        if (n->sign != 1 || !IsCancellable(hyper, *n)) {
            continue;
        }
        const CPolynomValue numerator = hyper.FactorBase(*n)->Value();
        for (auto d = hyper.Head(); d != hyper.End(); ++d) {
            if (d->sign != -1 || !IsCancellable(hyper, *d)) {
                continue;
            }
            CancelPlan found = plan(numerator, hyper.FactorBase(*d)->Value());
            if (!found.found) {
                continue;
            }
            const std::int32_t mark = counter++;
            // The numerator side of the pair: N itself, or the common part split off it.
            auto numeratorSide = n;
            auto denominatorSide = d;
            if (found.numeratorRest) {
                auto common = COPolynom::FromValue(found.common);
                if (auto formula = SplitFormula(*hyper.FactorBase(*n), *common)) {
                    formulas.push_back(*formula);
                }
                numeratorSide =
                    ReplaceBySplit(hyper, n, MakeSplitPart(*found.numeratorRest), std::move(common));
                splitNumerator = true;
            }
            if (found.denominatorRest) {
                auto common = COPolynom::FromValue(found.common);
                if (auto formula = SplitFormula(*hyper.FactorBase(*d), *common)) {
                    formulas.push_back(*formula);
                }
                denominatorSide =
                    ReplaceBySplit(hyper, d, MakeSplitPart(*found.denominatorRest), std::move(common));
                splitDenominator = true;
            }
            const CNumber above = hyper.FactorExponent(*numeratorSide);
            const CNumber below = hyper.FactorExponent(*denominatorSide);
            const bool numberExponents =
                HasNumberExponent(*numeratorSide) && HasNumberExponent(*denominatorSide);
            if (numberExponents && above.Greater(below)) {
                numeratorSide = SplitOffPower(hyper, numeratorSide, below);
                splitNumerator = true;
            } else if (numberExponents && below.Greater(above)) {
                denominatorSide = SplitOffPower(hyper, denominatorSide, above);
                splitDenominator = true;
            }
            numeratorSide->child->SetCrossOut(mark);
            denominatorSide->child->SetCrossOut(mark);
            n = numeratorSide;
            break;
        }
    }
    if (splitNumerator) {
        hyper.AddComment(CommentID::SplitOffNumerator);
    }
    if (splitDenominator) {
        hyper.AddComment(CommentID::SplitOffDenominator);
    }
    for (CommentID formula : formulas) {
        hyper.AddComment(formula);
    }
    return counter > 1;
}

} // namespace

bool COHyperMonom::CancelByDivisibility() {
    return Cancel(*this, PlanByDivisibility);
}

bool COHyperMonom::CancelByGcd() {
    return Cancel(*this, PlanByGcd);
}

bool COHyperMonom::RemoveCrossedOutPairs() {
    bool removed = false;
    auto setExponent = [](ListCell& cell, const CNumber& value) {
        NodeAs<COPower>(*cell.child).ExponentSlot() = std::make_unique<CONumber>(value);
    };
    while (true) {
        auto first = Head();
        while (first != End() && !(first->child && first->child->CrossOut() != 0)) {
            ++first;
        }
        if (first == End()) {
            break;
        }
        const std::int32_t mark = first->child->CrossOut();
        first->child->SetCrossOut(0);
        auto partner = std::next(first);
        while (partner != End() && !(partner->child && partner->child->CrossOut() == mark)) {
            ++partner;
        }
        if (partner == End()) {
            continue;
        }
        partner->child->SetCrossOut(0);
        removed = true;
        const CNumber a = FactorExponent(*first);
        const CNumber b = FactorExponent(*partner);
        if (a.Equal(b)) {
            RemoveAt(partner, 1);
            RemoveAt(first, 1);
        } else if (a.Greater(b)) {
            setExponent(*first, a.Difference(b));
            RemoveAt(partner, 1);
        } else {
            setExponent(*partner, b.Difference(a));
            RemoveAt(first, 1);
        }
    }
    if (IsEmpty()) {
        AddTail(MakeFactor(COPolynom::Constant(CNumber(1)), CNumber(1)), 1);
    }
    return removed;
}
