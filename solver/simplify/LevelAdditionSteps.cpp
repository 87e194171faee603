// The stage machine of a level sum: a sum of rational monomials becomes one rational monomial, one
// visible step at a time. The terms without denominator (the plain part) stand first and are
// multiplied out and added; the terms with a denominator (the fraction part) are brought over their
// common denominator, added, and their numerator multiplied out. When both parts are down to one
// term each, the two are joined into one part of two terms and worked on again.
//
// Plain part (COLevelAddition::PlainStage), and the numerator of the fraction part:
//   ExpandPowers          2*x*(x+1)^2    -> 2x * (x^2+2x+1)   single-term factors joined, powers
//                                                              written out
//   MultiplyHigherPowers  (x+1)*P^2      -> ((x+1)*P)*P       higher powers multiplied in one at
//                                                              a time
//   MultiplyFirstTwo      2x*(x^2+2x+1)  -> 2x^3+4x^2+2x      the first two factors of every term
//                                                              multiplied
//   NormalizeProducts     raw products normalized (like terms combined)
//   AddTerms              the terms added into one polynomial
//   NormalizeSum          that polynomial normalized
// Fraction part (COLevelAddition::FractionStage):
//   SplitMonomialFactors       monomial factors split, equal factors merged
//   SplitSharedDenominators,   denominators sharing a common factor split (x^2-1 next to x+1 ->
//   MergeSplitFactors          (x+1)*(x-1)), then merged
//   ExtendToCommonDenominator  1/(x-1) + 1/(x+1) -> (x+1)/((x-1)(x+1)) + (x-1)/((x-1)(x+1))
//   JoinOverCommonDenominator  -> {(x+1)+(x-1)}/{(x-1)(x+1)}   one fraction
//   ExpandNumeratorPowers to NormalizeNumeratorProducts: the numerator multiplied out as the plain
//                              part is in its first four stages
//   AddNumerator               the numerator terms added, the fraction becomes one rational monomial
//   NormalizeNumerator         its polynomials normalized

#include "model/CNumber.h"
#include "model/COAddition.h"
#include "model/COFraction.h"
#include "model/COHyperMonom.h"
#include "model/COLevelAddition.h"
#include "model/COMonom.h"
#include "model/CONumber.h"
#include "model/COPolynom.h"
#include "model/COPower.h"
#include "model/EngineAssert.h"
#include "model/EngineLimits.h"
#include "model/NodeCast.h"
#include "model/PolynomialGcd.h"
#include "model/WorkBudget.h"
#include "solver/SimplifySupport.h"
#include "solver/simplify/HyperMonomSteps.h"
#include "solver/simplify/LevelSteps.h"

#include <string>
#include <vector>

namespace {

using PlainStage = COLevelAddition::PlainStage;
using FractionStage = COLevelAddition::FractionStage;

using Terms = std::vector<ListCell*>;

COHyperMonom& Monom(ListCell& cell) {
    return NodeAs<COHyperMonom>(*cell.child);
}
COPower& Factor(ListCell& cell) {
    return NodeAs<COPower>(*cell.child);
}
COPolynom& Polynom(ListCell& cell) {
    return NodeAs<COPolynom>(*Factor(cell).Base());
}
CNumber ExponentOf(ListCell& cell) {
    return AsNumber(Factor(cell).Exponent())->Value();
}

Terms PlainTerms(COLevelAddition& sum) {
    Terms terms;
    auto position = sum.Head();
    for (std::int32_t i = 0; i < sum.plainTermCount && position != sum.End(); ++i, ++position) {
        terms.push_back(&*position);
    }
    return terms;
}

COperationList::Position FractionPartStart(COLevelAddition& sum) {
    auto position = sum.Head();
    for (std::int32_t i = 0; i < sum.plainTermCount && position != sum.End(); ++i) {
        ++position;
    }
    return position;
}

Terms FractionTerms(COLevelAddition& sum) {
    Terms terms;
    auto position = FractionPartStart(sum);
    for (std::int32_t i = 0; i < sum.fractionTermCount && position != sum.End(); ++i, ++position) {
        terms.push_back(&*position);
    }
    return terms;
}

// --- multiplying out -----------------------------------------------------------------------------

// Every single-term factor joined into one monomial factor, raised to its exponent.
bool JoinSingleTermFactors(COHyperMonom& monom) {
    int count = 0;
    bool raised = false;
    const CNumber limit(static_cast<std::int32_t>(EngineLimits::kMaxPolynomialDegree));
    for (ListCell& cell : monom) {
        if (Polynom(cell).GetCount() == 1) {
            if (ExponentOf(cell).Greater(limit)) {
                return false; // left for the size check of the stepping to report
            }
            ++count;
            raised = raised || !ExponentOf(cell).IsOne();
        }
    }
    if (count < 2 && !raised) {
        return false;
    }
    CPolynomValue product(1);
    auto first = monom.End();
    for (auto position = monom.Head(); position != monom.End();) {
        if (Polynom(*position).GetCount() != 1) {
            ++position;
            continue;
        }
        const std::int64_t exponent = ExponentOf(*position).ToInt();
        product = product.Product(Polynom(*position).Value().Power(exponent));
        if (first == monom.End()) {
            first = position++;
        } else {
            monom.RemoveAt(position, 1);
        }
    }
    first->child = MakeFactor(COPolynom::FromValue(product), CNumber(1));
    return true;
}

int TermSign(const ListCell& cell) {
    const auto& monom = NodeAs<COMonom>(*cell.child);
    return cell.sign * monom.Coefficient().Sign();
}

// A factor P^e (e not 1) written out: squares and powers of binomials by their formulas, other
// powers one multiplication at a time. Moves `position` on to the next factor to look at; returns
// whether it expanded anything.
bool ExpandFactor(COHyperMonom& monom, COperationList::Position& position, COperation& commentTarget) {
    const CNumber exponent = ExponentOf(*position);
    COPolynom& polynom = Polynom(*position);
    if (exponent.IsOne()) {
        ++position;
        return false;
    }
    if (exponent.IsZero()) {
        position->child = MakeConstantFactor(CNumber(1), CNumber(1));
        ++position;
        return true;
    }
    const std::int32_t terms = polynom.GetCount();
    if ((terms == 2) || (terms == 3 && exponent.Equal(2))) {
        std::unique_ptr<COPolynom> power = polynom.Power(exponent);
        if (!power) {
            ++position;
            return false;
        }
        if (terms == 2 && exponent.Equal(2)) {
            const bool equalSigns = TermSign(*polynom.Head()) == TermSign(*std::next(polynom.Head()));
            commentTarget.AddComment(equalSigns ? CommentID::SquareOfSum : CommentID::SquareOfDifference);
        } else {
            commentTarget.AddComment(CommentID::OtherPowerFormula);
        }
        position->child = MakeFactor(std::move(power), CNumber(1));
        ++position;
        return true;
    }
    // P^e -> (P*P) * P^(e-2): the product goes in front, the rest is multiplied in later.
    std::unique_ptr<COPolynom> square = polynom.Product(polynom);
    square->Normalize(false);
    CNumber rest = exponent;
    rest.SubtractInPlace(2);
    monom.InsertBefore(position, MakeFactor(std::move(square), CNumber(1)), position->sign);
    if (rest.IsZero()) {
        monom.RemoveAt(position, 1);
    } else {
        NodeAs<COPower>(*position->child).ExponentSlot() = MakeNumber(rest);
        ++position;
    }
    commentTarget.AddComment(CommentID::BracketsOpened);
    return true;
}

bool ExpandPowers(COHyperMonom& monom, COperation& commentTarget) {
    bool changed = JoinSingleTermFactors(monom);
    for (auto position = monom.Head(); position != monom.End();) {
        changed = ExpandFactor(monom, position, commentTarget) || changed;
    }
    return changed;
}

struct Product {
    std::unique_ptr<COPolynom> polynom;
    bool raw = false;
};

// P*Q: a formula when P equals Q, or when the product of two polynomials of at least two terms has
// only two terms; a formula product is normalized without comments (CommentID::OtherPowerFormula instead), a
// raw product of two longer polynomials is left for the next stage when `deferLong` is set, any other product
// is normalized with comments.
Product Multiply(const COPolynom& p, const COPolynom& q, bool deferLong, COperation& commentTarget) {
    Product result;
    const bool bothLong = p.GetCount() >= 2 && q.GetCount() >= 2;
    if (bothLong) {
        // The canonical product decides; it becomes nodes only when it is the result.
        const CPolynomValue normal = p.Value().Product(q.Value());
        if (IsEqualNodes(p, q) || normal.TermCount() == 2) {
            commentTarget.AddComment(CommentID::OtherPowerFormula);
            result.polynom = COPolynom::FromValue(normal);
            return result;
        }
        if (deferLong) {
            result.polynom = p.Product(q);
            result.raw = true;
            return result;
        }
    }
    result.polynom = p.NormalizedProduct(q, true);
    return result;
}

// A factor with exponent above 1 multiplied once into the factor before it.
bool MultiplyHigherPowers(COHyperMonom& monom, COperation& commentTarget) {
    bool changed = false;
    for (auto position = monom.Head(); position != monom.End(); ++position) {
        CNumber exponent = ExponentOf(*position);
        if (!exponent.Greater(1)) {
            continue;
        }
        // The partner is a neighbour with exponent 1 (the one before it when there is one).
        auto partner = monom.End();
        if (position != monom.Head() && ExponentOf(*std::prev(position)).IsOne()) {
            partner = std::prev(position);
        } else if (std::next(position) != monom.End() && ExponentOf(*std::next(position)).IsOne()) {
            partner = std::next(position);
        }
        exponent.SubtractInPlace(1);
        if (partner == monom.End()) {
            // P^e -> P^(e-1) * P: the next round multiplies the two.
            monom.InsertAfter(position, MakeFactor(CloneNode(Polynom(*position)), CNumber(1)),
                              position->sign);
        } else {
            Product product = Multiply(Polynom(*partner), Polynom(*position), false, commentTarget);
            partner->child = MakeFactor(std::move(product.polynom), CNumber(1));
        }
        NodeAs<COPower>(*position->child).ExponentSlot() = MakeNumber(exponent);
        changed = true;
    }
    return changed;
}

struct MultiplyResult {
    bool multiplied = false;
    bool raw = false;
};

// The first two factors of every term multiplied into one.
MultiplyResult MultiplyFirstTwo(const Terms& terms, COperation& commentTarget) {
    MultiplyResult result;
    for (ListCell* term : terms) {
        COHyperMonom& monom = Monom(*term);
        if (monom.GetCount() < 2) {
            continue;
        }
        auto first = monom.Head();
        auto second = std::next(first);
        Product product = Multiply(Polynom(*first), Polynom(*second), true, commentTarget);
        result.raw = result.raw || product.raw;
        first->child = MakeFactor(std::move(product.polynom), CNumber(1));
        monom.RemoveAt(second, 1);
        result.multiplied = true;
    }
    if (result.multiplied) {
        commentTarget.AddComment(CommentID::BracketsOpened);
    }
    return result;
}

bool AnyTermWithSeveralFactors(const Terms& terms) {
    for (ListCell* term : terms) {
        if (Monom(*term).GetCount() > 1) {
            return true;
        }
    }
    return false;
}

// The steps of multiplying out the terms of the plain part or of the numerator; Done when the terms
// are single polynomials.
enum class MultiplyOut { ExpandPowers, MultiplyHigherPowers, MultiplyFirstTwo, NormalizeProducts, Done };

// Runs one step of multiplying out on the terms; returns the step to run next.
MultiplyOut MultiplyOutStep(MultiplyOut step, const Terms& terms, COperation& commentTarget) {
    switch (step) {
    case MultiplyOut::ExpandPowers: {
        bool expanded = false;
        for (ListCell* term : terms) {
            expanded = ExpandPowers(Monom(*term), commentTarget) || expanded;
        }
        return expanded ? MultiplyOut::MultiplyHigherPowers : MultiplyOut::MultiplyFirstTwo;
    }
    case MultiplyOut::MultiplyHigherPowers: {
        bool changed = false;
        for (ListCell* term : terms) {
            changed = MultiplyHigherPowers(Monom(*term), commentTarget) || changed;
        }
        return changed ? MultiplyOut::MultiplyHigherPowers : MultiplyOut::MultiplyFirstTwo;
    }
    case MultiplyOut::MultiplyFirstTwo: {
        const MultiplyResult result = MultiplyFirstTwo(terms, commentTarget);
        if (result.raw) {
            return MultiplyOut::NormalizeProducts;
        }
        return result.multiplied ? MultiplyOut::MultiplyFirstTwo : MultiplyOut::Done;
    }
    case MultiplyOut::NormalizeProducts:
        for (ListCell* term : terms) {
            NormalizeFactors(Monom(*term));
        }
        return AnyTermWithSeveralFactors(terms) ? MultiplyOut::MultiplyFirstTwo : MultiplyOut::Done;
    case MultiplyOut::Done:
        break;
    }
    return MultiplyOut::Done;
}

// The first four stages of the plain part are the steps of multiplying out, and so are the four
// stages of the fraction part that multiply out its numerator; after them comes the adding.
MultiplyOut MultiplyOutStepOf(PlainStage stage) {
    switch (stage) {
    case PlainStage::ExpandPowers:
        return MultiplyOut::ExpandPowers;
    case PlainStage::MultiplyHigherPowers:
        return MultiplyOut::MultiplyHigherPowers;
    case PlainStage::MultiplyFirstTwo:
        return MultiplyOut::MultiplyFirstTwo;
    case PlainStage::NormalizeProducts:
        return MultiplyOut::NormalizeProducts;
    case PlainStage::AddTerms:
    case PlainStage::NormalizeSum:
    case PlainStage::Finished:
        break;
    }
    return MultiplyOut::Done;
}

PlainStage PlainStageOf(MultiplyOut step) {
    switch (step) {
    case MultiplyOut::ExpandPowers:
        return PlainStage::ExpandPowers;
    case MultiplyOut::MultiplyHigherPowers:
        return PlainStage::MultiplyHigherPowers;
    case MultiplyOut::MultiplyFirstTwo:
        return PlainStage::MultiplyFirstTwo;
    case MultiplyOut::NormalizeProducts:
        return PlainStage::NormalizeProducts;
    case MultiplyOut::Done:
        break;
    }
    return PlainStage::AddTerms;
}

MultiplyOut MultiplyOutStepOf(FractionStage stage) {
    switch (stage) {
    case FractionStage::ExpandNumeratorPowers:
        return MultiplyOut::ExpandPowers;
    case FractionStage::MultiplyNumeratorHigherPowers:
        return MultiplyOut::MultiplyHigherPowers;
    case FractionStage::MultiplyNumeratorFirstTwo:
        return MultiplyOut::MultiplyFirstTwo;
    case FractionStage::NormalizeNumeratorProducts:
        return MultiplyOut::NormalizeProducts;
    case FractionStage::SplitMonomialFactors:
    case FractionStage::SplitSharedDenominators:
    case FractionStage::MergeSplitFactors:
    case FractionStage::ExtendToCommonDenominator:
    case FractionStage::JoinOverCommonDenominator:
    case FractionStage::AddNumerator:
    case FractionStage::NormalizeNumerator:
    case FractionStage::Finished:
        break;
    }
    return MultiplyOut::Done;
}

FractionStage NumeratorStageOf(MultiplyOut step) {
    switch (step) {
    case MultiplyOut::ExpandPowers:
        return FractionStage::ExpandNumeratorPowers;
    case MultiplyOut::MultiplyHigherPowers:
        return FractionStage::MultiplyNumeratorHigherPowers;
    case MultiplyOut::MultiplyFirstTwo:
        return FractionStage::MultiplyNumeratorFirstTwo;
    case MultiplyOut::NormalizeProducts:
        return FractionStage::NormalizeNumeratorProducts;
    case MultiplyOut::Done:
        break;
    }
    return FractionStage::AddNumerator;
}

// The terms (each one polynomial) added, with their signs, into one raw polynomial. `hadLong` tells
// whether an added polynomial had more than one term, `normal` whether the sum is already in normal
// form.
std::unique_ptr<COPolynom> AddTerms(const Terms& terms, bool& hadLong, bool& normal) {
    auto sum = std::make_unique<COPolynom>();
    hadLong = false;
    for (ListCell* term : terms) {
        COPolynom& polynom = Polynom(*Monom(*term).Head());
        hadLong = hadLong || polynom.GetCount() > 1;
        for (const ListCell& cell : polynom) {
            sum->AddTail(cell.child->Clone(), cell.sign * term->sign);
        }
    }
    auto check = CloneNode(*sum);
    normal = !check->Normalize(false);
    return sum;
}

std::unique_ptr<COHyperMonom> SinglePolynomialMonom(std::unique_ptr<COPolynom> polynom) {
    return std::make_unique<COHyperMonom>(MakeFactor(std::move(polynom), CNumber(1)), 1);
}

// --- the plain part ------------------------------------------------------------------------------

// The terms of the plain part added into one term.
void AddPlainTerms(COLevelAddition& sum, const Terms& terms) {
    bool hadLong = false;
    bool normal = false;
    std::unique_ptr<COPolynom> added = AddTerms(terms, hadLong, normal);
    auto position = sum.Head();
    for (std::int32_t i = 0; i < sum.plainTermCount; ++i) {
        sum.RemoveAt(position, 1);
    }
    sum.InsertBefore(position, SinglePolynomialMonom(std::move(added)), 1);
    sum.plainTermCount = 1;
    if (hadLong || !normal) {
        sum.AddComment(CommentID::BracketsOpened);
        sum.plainStage = PlainStage::NormalizeSum;
    } else {
        sum.plainStage = PlainStage::Finished;
    }
}

void StepPlainPart(COLevelAddition& sum) {
    const Terms terms = PlainTerms(sum);
    switch (sum.plainStage) {
    case PlainStage::ExpandPowers:
    case PlainStage::MultiplyHigherPowers:
    case PlainStage::MultiplyFirstTwo:
    case PlainStage::NormalizeProducts:
        sum.plainStage = PlainStageOf(MultiplyOutStep(MultiplyOutStepOf(sum.plainStage), terms, sum));
        return;
    case PlainStage::AddTerms:
        AddPlainTerms(sum, terms);
        return;
    case PlainStage::NormalizeSum:
        NormalizeFactors(Monom(*terms.front()));
        sum.plainStage = PlainStage::Finished;
        return;
    case PlainStage::Finished:
        return;
    }
}

// --- the fraction part ---------------------------------------------------------------------------

// Denominator factors of different terms (or of one term) that share a non-constant common factor
// are split into that factor and the rest.
bool SplitSharedDenominators(const Terms& terms) {
    struct Place {
        COHyperMonom* monom;
        COperationList::Position position;
    };
    std::vector<Place> places;
    for (ListCell* term : terms) {
        COHyperMonom& monom = Monom(*term);
        for (auto position = monom.Head(); position != monom.End(); ++position) {
            if (position->sign == -1 && !Polynom(*position).IsConstant()) {
                places.push_back({&monom, position});
            }
        }
    }
    std::vector<bool> split(places.size(), false);
    bool changed = false;
    for (std::size_t i = 0; i < places.size(); ++i) {
        for (std::size_t j = i + 1; j < places.size() && !split[i]; ++j) {
            if (split[j]) {
                continue;
            }
            COPolynom& a = Polynom(*places[i].position);
            COPolynom& b = Polynom(*places[j].position);
            if (IsEqualNodes(a, b)) {
                continue;
            }
            const CPolynomValue gcd = PolynomialGcd(a.Value(), b.Value());
            if (gcd.IsConstant()) {
                continue;
            }
            for (std::size_t k : {i, j}) {
                COPolynom& polynom = Polynom(*places[k].position);
                const std::optional<CPolynomValue> rest = polynom.Value().DivideExact(gcd);
                if (!rest || rest->IsOne()) {
                    continue;
                }
                const CNumber exponent = ExponentOf(*places[k].position);
                places[k].monom->InsertBefore(places[k].position,
                                              MakeFactor(COPolynom::FromValue(gcd), exponent), -1);
                places[k].position->child = MakeFactor(COPolynom::FromValue(*rest), exponent);
                split[k] = true;
                changed = true;
            }
        }
    }
    return changed;
}

struct DenominatorFactor {
    std::unique_ptr<COPolynom> polynom;
    CNumber exponent;
};

// The product of the constants below the bar of a term (exponents applied).
CNumber DenominatorConstant(COHyperMonom& monom) {
    CNumber value(1);
    for (ListCell& cell : monom) {
        if (cell.sign == -1 && Polynom(cell).IsConstant()) {
            CNumber constant = Polynom(cell).Value().ConstantValue();
            value.MultiplyInPlace(constant.PowerOf(ExponentOf(cell)).value_or(constant));
        }
    }
    return value;
}

CNumber ExponentBelow(COHyperMonom& monom, const COPolynom& polynom) {
    CNumber total(0);
    for (ListCell& cell : monom) {
        if (cell.sign == -1 && IsEqualNodes(Polynom(cell), polynom)) {
            total.AddInPlace(ExponentOf(cell));
        }
    }
    return total;
}

// Every extended term is shown over the whole common denominator and multiplied above by the
// factors it lacks, nearly the whole denominator again, so the next formula holds the
// denominator's text about twice per term: with many terms of distinct denominators that text grows
// with the square of the sum's length. A step that would pass the text bound of a whole solution,
// or whose building does not fit in the rest of the work budget, is not built: the budget is spent,
// which ends the solve as too large.
bool ExtendedTermsFitTheText(const Terms& terms, const COHyperMonom& denominator) {
    std::string text;
    denominator.WriteText(text, TextContext::Free);
    const std::size_t estimate = 2 * terms.size() * text.size();
    if (estimate > EngineLimits::kMaxSolutionTextBytes) {
        WorkBudget::ChargeRecord(estimate);
        return false;
    }
    // Building the extended terms is work in proportion to their text, charged before it is done:
    // every byte of it is a cloned node, and the steps after it walk them again (measured about
    // four times the work of an ordinary step's byte).
    return WorkBudget::ChargeAhead(static_cast<std::int64_t>(estimate) * 4 * WorkBudget::kUnitsPerStepTextByte);
}

// The least common multiple of the denominators, factor by factor; every term that lacks
// factors of it is multiplied above and below by them and shown over the common denominator.
//   1. Gather the common denominator: each letter factor below a line at its highest exponent,
//      the numbers' least common multiple.
//   2. Build it as one product (number first).
//   3. Refuse when the extended terms would pass the formula-text bound (the budget is charged).
//   4. Extend each term that lacks a factor: its divisors go, the lacking factors are multiplied
//      above, and the whole common denominator is written below.
//   5. Say so once, and keep the common denominator for the joining step.
void ExtendToCommonDenominator(COLevelAddition& sum, const Terms& terms) {
    // 1.
    std::vector<DenominatorFactor> common;
    CNumber constant(1);
    for (ListCell* term : terms) {
        COHyperMonom& monom = Monom(*term);
        for (ListCell& cell : monom) {
            if (cell.sign != -1 || Polynom(cell).IsConstant()) {
                continue;
            }
            bool held = false;
            for (DenominatorFactor& factor : common) {
                if (IsEqualNodes(*factor.polynom, Polynom(cell))) {
                    if (ExponentOf(cell).Greater(factor.exponent)) {
                        factor.exponent = ExponentOf(cell);
                    }
                    held = true;
                    break;
                }
            }
            if (!held) {
                common.push_back({CloneNode(Polynom(cell)), ExponentOf(cell)});
            }
        }
        const CNumber termConstant = DenominatorConstant(monom);
        constant = CNumber::LcmOf(constant, termConstant).value_or(constant.Product(termConstant));
    }
    // 2.
    auto denominator = std::make_unique<COHyperMonom>();
    if (!constant.IsOne()) {
        denominator->AddTail(MakeConstantFactor(constant, CNumber(1)), 1);
    }
    for (DenominatorFactor& factor : common) {
        denominator->AddTail(MakeFactor(CloneNode(*factor.polynom), factor.exponent), 1);
    }
    // 3.
    if (!ExtendedTermsFitTheText(terms, *denominator)) {
        return;
    }
    // 4.
    bool extended = false;
    for (ListCell* term : terms) {
        COHyperMonom& monom = Monom(*term);
        std::vector<NodePtr> missing;
        const CNumber termConstant = DenominatorConstant(monom);
        const CNumber constantFactor = constant.Quotient(termConstant);
        if (!constantFactor.IsOne()) {
            missing.push_back(MakeConstantFactor(constantFactor, CNumber(1)));
        }
        for (DenominatorFactor& factor : common) {
            CNumber lacking = factor.exponent;
            lacking.SubtractInPlace(ExponentBelow(monom, *factor.polynom));
            if (lacking.Greater(0)) {
                missing.push_back(MakeFactor(CloneNode(*factor.polynom), lacking));
            }
        }
        if (missing.empty()) {
            continue;
        }
        for (auto position = monom.Head(); position != monom.End();) {
            if (position->sign == -1) {
                monom.RemoveAt(position, 1);
            } else {
                ++position;
            }
        }
        for (NodePtr& factor : missing) {
            monom.AddTail(std::move(factor), 1);
        }
        for (const ListCell& cell : *denominator) {
            monom.AddTail(cell.child->Clone(), -1);
        }
        RemoveUnitFactors(monom);
        extended = true;
    }
    // 5.
    if (extended) {
        sum.AddComment(CommentID::FractionsExtendedToCommonDenominator);
    }
    sum.commonDenominator = std::move(denominator);
}

// The terms replaced by one fraction, the sum of their numerators over the common
// denominator.
void JoinOverCommonDenominator(COLevelAddition& sum) {
    auto numerator = std::make_unique<COAddition>();
    auto start = FractionPartStart(sum);
    for (std::int32_t i = 0; i < sum.fractionTermCount && start != sum.End(); ++i) {
        const std::int32_t sign = start->sign;
        NodePtr term = sum.RemoveAt(start, 1);
        auto above = std::make_unique<COHyperMonom>();
        COperationList& factors = *term->AsList();
        for (auto position = factors.Head(); position != factors.End();) {
            if (position->sign == 1) {
                above->AddTail(factors.RemoveAt(position, 1), 1);
            } else {
                ++position;
            }
        }
        if (above->IsEmpty()) {
            above->AddTail(MakeConstantFactor(CNumber(1), CNumber(1)), 1);
        }
        numerator->AddTail(std::move(above), sign);
    }
    NodePtr denominatorNode = std::move(sum.commonDenominator);
    if (!denominatorNode) {
        denominatorNode = std::make_unique<COHyperMonom>(MakeConstantFactor(CNumber(1), CNumber(1)), 1);
    }
    auto& denominator = NodeAs<COHyperMonom>(*denominatorNode);
    GatherConstants(denominator);
    SplitMonomialFactors(denominator);
    MergeEqualFactors(denominator);
    auto fraction = std::make_unique<COFraction>(std::move(numerator), 1);
    fraction->AddTail(std::move(denominatorNode), -1);
    sum.AddTail(std::move(fraction), 1);
    sum.fractionTermCount = 1;
    sum.AddComment(CommentID::FractionsOverCommonDenominator);
}

// The fraction term of the stages after JoinOverCommonDenominator: {sum of numerators}/{common
// denominator}.
COFraction& JoinedFraction(COLevelAddition& sum) {
    return NodeAs<COFraction>(*FractionPartStart(sum)->child);
}

Terms NumeratorTerms(COFraction& fraction) {
    Terms terms;
    for (ListCell& cell : *fraction.Head()->child->AsList()) {
        terms.push_back(&cell);
    }
    return terms;
}

// The numerator terms added into one polynomial over the common denominator.
void AddNumerator(COLevelAddition& sum) {
    COFraction& fraction = JoinedFraction(sum);
    bool hadLong = false;
    bool normal = false;
    std::unique_ptr<COPolynom> added = AddTerms(NumeratorTerms(fraction), hadLong, normal);
    std::unique_ptr<COHyperMonom> monom = SinglePolynomialMonom(std::move(added));
    COperationList& denominator = *std::next(fraction.Head())->child->AsList();
    while (!denominator.IsEmpty()) {
        monom->AddTail(denominator.RemoveHead(), -1);
    }
    GatherConstants(*monom);
    SplitMonomialFactors(*monom);
    MergeEqualFactors(*monom);
    FractionPartStart(sum)->child = std::move(monom);
    if (!normal) {
        if (hadLong) {
            sum.AddComment(CommentID::BracketsOpened);
        }
        sum.fractionStage = FractionStage::NormalizeNumerator;
    } else {
        sum.fractionStage = FractionStage::Finished;
    }
}

void StepFractionPart(COLevelAddition& sum) {
    const Terms terms = FractionTerms(sum);
    switch (sum.fractionStage) {
    case FractionStage::SplitMonomialFactors:
        for (ListCell* term : terms) {
            SplitMonomialFactors(Monom(*term));
            MergeEqualFactors(Monom(*term));
        }
        sum.fractionStage = FractionStage::SplitSharedDenominators;
        return;
    case FractionStage::SplitSharedDenominators:
        if (SplitSharedDenominators(terms)) {
            sum.AddComment(CommentID::SplitOffDenominator);
            sum.fractionStage = FractionStage::MergeSplitFactors;
        } else {
            sum.fractionStage = FractionStage::ExtendToCommonDenominator;
        }
        return;
    case FractionStage::MergeSplitFactors:
        for (ListCell* term : terms) {
            MergeEqualFactors(Monom(*term));
        }
        sum.fractionStage = FractionStage::SplitSharedDenominators;
        return;
    case FractionStage::ExtendToCommonDenominator:
        ExtendToCommonDenominator(sum, terms);
        sum.fractionStage = FractionStage::JoinOverCommonDenominator;
        return;
    case FractionStage::JoinOverCommonDenominator:
        JoinOverCommonDenominator(sum);
        sum.fractionStage = FractionStage::ExpandNumeratorPowers;
        return;
    case FractionStage::ExpandNumeratorPowers:
    case FractionStage::MultiplyNumeratorHigherPowers:
    case FractionStage::MultiplyNumeratorFirstTwo:
    case FractionStage::NormalizeNumeratorProducts:
        sum.fractionStage = NumeratorStageOf(
            MultiplyOutStep(MultiplyOutStepOf(sum.fractionStage), NumeratorTerms(JoinedFraction(sum)), sum));
        return;
    case FractionStage::AddNumerator:
        AddNumerator(sum);
        return;
    case FractionStage::NormalizeNumerator: {
        COHyperMonom& monom = Monom(*terms.front());
        NormalizeFactors(monom);
        ApplyZeroNumerator(monom);
        sum.fractionStage = FractionStage::Finished;
        return;
    }
    case FractionStage::Finished:
        return;
    }
}

bool HasDenominator(ListCell& cell) {
    return cell.child->AsList()->CountWithSign(-1) > 0;
}

} // namespace

bool StepLevelAddition(NodeHandle handle) {
    auto& sum = NodeAs<COLevelAddition>(**handle);
    ORBELIN_ASSERT(sum.CountsMatchTerms());
    if (sum.plainTermCount == 1 && sum.plainStage == PlainStage::ExpandPowers) {
        sum.plainStage = PlainStage::Finished;
    }
    if (sum.fractionTermCount == 1 && sum.fractionStage == FractionStage::SplitMonomialFactors) {
        sum.fractionStage = FractionStage::Finished;
    }
    bool changed = false;
    if (sum.plainTermCount > 0 && sum.plainStage != PlainStage::Finished) {
        StepPlainPart(sum);
        changed = true;
    }
    if (sum.fractionTermCount > 0 && sum.fractionStage != FractionStage::Finished) {
        StepFractionPart(sum);
        changed = true;
    }
    if (changed) {
        ORBELIN_ASSERT(sum.CountsMatchTerms());
        return true;
    }
    if (sum.plainTermCount == 0 || sum.fractionTermCount == 0) {
        const std::int32_t sign = sum.Head()->sign;
        NodePtr term = sum.RemoveHead();
        ReplaceNode(handle, std::move(term));
        if (sign == -1) {
            WrapNegated(handle);
        }
        return true;
    }
    if (HasDenominator(*sum.Tail())) {
        sum.fractionTermCount += sum.plainTermCount;
        sum.plainTermCount = 0;
        sum.plainStage = PlainStage::Finished;
        sum.fractionStage = FractionStage::SplitMonomialFactors;
    } else {
        sum.plainTermCount += sum.fractionTermCount;
        sum.fractionTermCount = 0;
        sum.fractionStage = FractionStage::Finished;
        sum.plainStage = PlainStage::ExpandPowers;
    }
    return true;
}
