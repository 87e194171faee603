// Building, canonical form and arithmetic of polynomials (the class shell is in COPolynom.h). The
// computations that make new terms go through the value form CPolynomValue.

#include "model/COMonom.h"
#include "model/CONumber.h"
#include "model/COPolynom.h"
#include "model/COPower.h"
#include "model/COVariable.h"
#include "model/EngineAssert.h"
#include "model/EngineLimits.h"
#include "model/NodeCast.h"
#include "model/PolynomNumber.h"
#include "model/RandomQuickSort.h"

#include <algorithm>
#include <optional>

namespace PN = PolynomNumber;

namespace {

COMonom* AsMonom(COperation* node) {
    return node != nullptr && node->GetType() == NodeType::Monom ? &NodeAs<COMonom>(*node) : nullptr;
}

// The signed term of a cell (the zero term for an element that is not a monomial).
PolynomTerm TermOfCell(const ListCell& cell) {
    if (const COMonom* monom = AsMonom(cell.child.get())) {
        return monom->Term(cell.sign);
    }
    return PolynomTerm{CNumber(0), {}};
}

// The sort key of one term: its letter part, total degree and cell.
struct TermKey {
    LetterPowers powers;
    std::int64_t degree = 0;
    COperationList::Position cell;
    bool isMonom = true;
};

// The key of a cell without its position.
TermKey KeyOf(const ListCell& cell) {
    TermKey key;
    if (const COMonom* monom = AsMonom(cell.child.get())) {
        key.powers = monom->Powers();
        for (const LetterPower& power : key.powers) {
            key.degree += power.exponent;
        }
    } else {
        key.isMonom = false;
    }
    return key;
}

bool KeyBefore(const TermKey& a, const TermKey& b) {
    if (a.isMonom != b.isMonom) {
        return a.isMonom;
    }
    return PrecedesCanonically(a.powers, a.degree, b.powers, b.degree);
}

// The form Normalize leaves: at least one term; the terms in canonical order, so that no two are
// like terms (only elements that are not monomials may stand level with each other, at the end);
// a zero monomial only as the polynomial 0 itself, the single term 0 with sign +1.
bool IsNormalForm(const COPolynom& polynom) {
    if (polynom.IsEmpty()) {
        return false;
    }
    std::optional<TermKey> previous;
    for (const ListCell& cell : polynom) {
        const COMonom* monom = AsMonom(cell.child.get());
        if (monom != nullptr && monom->Coefficient().IsZero() &&
            (polynom.GetCount() > 1 || monom->GetCount() > 1 || cell.sign != 1)) {
            return false;
        }
        TermKey key = KeyOf(cell);
        if (previous && !KeyBefore(*previous, key) && (previous->isMonom || key.isMonom)) {
            return false;
        }
        previous = std::move(key);
    }
    return true;
}

} // namespace

// --- building --------------------------------------------------------------------------------------

std::unique_ptr<COPolynom> COPolynom::Constant(const CNumber& value) {
    return std::make_unique<COPolynom>(COMonom::Constant(value), 1);
}

std::unique_ptr<COPolynom> COPolynom::FromValue(const CPolynomValue& value) {
    auto polynom = std::make_unique<COPolynom>();
    polynom->Assign(value);
    return polynom;
}

void COPolynom::Assign(const CPolynomValue& value) {
    DeleteAll();
    for (const PolynomTerm& term : value.Terms()) {
        std::int32_t sign = 1;
        std::unique_ptr<COMonom> monom = COMonom::FromTerm(term, sign);
        AddTail(std::move(monom), sign);
    }
    if (IsEmpty()) {
        AddTail(COMonom::Constant(CNumber(0)), 1);
    }
}

bool COPolynom::Qualifies(const COperation& node) {
    if (node.GetType() == NodeType::Monom) {
        return true;
    }
    if (node.GetType() != NodeType::Addition || node.AsList()->IsEmpty()) {
        return false;
    }
    return std::all_of(node.AsList()->begin(), node.AsList()->end(),
                       [](const ListCell& cell) { return AsMonom(cell.child.get()) != nullptr; });
}

COPolynom* COPolynom::Build(NodeHandle handle) {
    NodePtr old = std::move(*handle);
    auto polynom = std::make_unique<COPolynom>();
    if (old->GetFamily() == NodeFamily::Addition) {
        polynom->AppendList(*old->AsList(), true);
        polynom->TakeCommentsFrom(*old);
        polynom->SetCrossOut(old->CrossOut());
    } else {
        polynom->AddTail(std::move(old), 1);
    }
    COPolynom* result = polynom.get();
    *handle = std::move(polynom);
    return result;
}

// --- reading ---------------------------------------------------------------------------------------

CPolynomValue COPolynom::Value() const {
    CPolynomValue value;
    for (const ListCell& cell : *this) {
        value.Append(TermOfCell(cell));
    }
    value.Normalize();
    return value;
}

// Read from the terms as written: a polynomial whose like terms are not yet combined (x+1-x) is
// not a constant until it is normalised, so no step gathers or drops it before the step that shows
// the combining.
bool COPolynom::IsConstant() const {
    for (const ListCell& cell : *this) {
        const COMonom* monom = AsMonom(cell.child.get());
        if (monom == nullptr || monom->HasLetters()) {
            return false;
        }
    }
    return true;
}

bool COPolynom::IsNumber(const CNumber& value) const {
    return IsConstant() && Value().IsNumber(value);
}

CNumber COPolynom::DegreeIn(char letter) const {
    CNumber degree(0);
    for (const ListCell& cell : *this) {
        if (const COMonom* monom = AsMonom(cell.child.get())) {
            const CNumber exponent = monom->ExponentOf(letter);
            if (exponent.Greater(degree)) {
                degree = exponent;
            }
        }
    }
    return degree;
}

const COMonom* COPolynom::LeadingTerm(std::int32_t* sign) const {
    const COMonom* best = nullptr;
    LetterPowers bestPowers;
    std::int32_t bestSign = 1;
    for (const ListCell& cell : *this) {
        const COMonom* monom = AsMonom(cell.child.get());
        if (monom == nullptr) {
            continue;
        }
        LetterPowers powers = monom->Powers();
        if (best == nullptr || CompareLexicographic(powers, bestPowers) > 0) {
            best = monom;
            bestPowers = std::move(powers);
            bestSign = cell.sign;
        }
    }
    if (sign != nullptr) {
        *sign = bestSign;
    }
    return best;
}

std::int32_t COPolynom::LeadingSign() const {
    std::int32_t sign = 1;
    const COMonom* lead = LeadingTerm(&sign);
    if (lead == nullptr) {
        return 0;
    }
    return sign * lead->Coefficient().Sign();
}

bool COPolynom::HasLikeTerms() const {
    std::vector<LetterPowers> seen;
    for (const ListCell& cell : *this) {
        if (const COMonom* monom = AsMonom(cell.child.get())) {
            LetterPowers powers = monom->Powers();
            if (std::find(seen.begin(), seen.end(), powers) != seen.end()) {
                return true;
            }
            seen.push_back(std::move(powers));
        }
    }
    return false;
}

bool COPolynom::HasCancellingPair() const {
    std::vector<PolynomTerm> seen;
    for (const ListCell& cell : *this) {
        PolynomTerm term = TermOfCell(cell);
        for (const PolynomTerm& other : seen) {
            if (other.powers == term.powers && PN::Sum(other.coefficient, term.coefficient).IsZero()) {
                return true;
            }
        }
        seen.push_back(std::move(term));
    }
    return false;
}

std::optional<std::int64_t> COPolynom::DegreeBound() const {
    std::int64_t bound = 0;
    for (const ListCell& cell : *this) {
        if (const COMonom* monom = AsMonom(cell.child.get())) {
            const std::optional<std::int64_t> degree = monom->DegreeBound();
            if (!degree) {
                return std::nullopt;
            }
            bound = std::max(bound, *degree);
        }
    }
    return bound;
}

std::vector<VariableDegree> COPolynom::VariableDegrees() const {
    std::vector<VariableDegree> table;
    for (const ListCell& cell : *this) {
        const COMonom* monom = AsMonom(cell.child.get());
        if (monom == nullptr) {
            continue;
        }
        for (const ListCell& element : *monom) {
            const auto* power = element.child && element.child->GetFamily() == NodeFamily::Power
                                    ? &NodeAs<COPower>(*element.child)
                                    : nullptr;
            if (power == nullptr || power->Base() == nullptr ||
                power->Base()->GetType() != NodeType::Variable || AsNumber(power->Exponent()) == nullptr) {
                continue;
            }
            const char letter = NodeAs<COVariable>(*power->Base()).Letter();
            const CNumber& exponent = AsNumber(power->Exponent())->Value();
            auto at = std::find_if(table.begin(), table.end(),
                                   [letter](const VariableDegree& entry) { return entry.letter == letter; });
            if (at == table.end()) {
                table.push_back({letter, exponent});
            } else if (exponent.Greater(at->degree)) {
                at->degree = exponent;
            }
        }
    }
    return table;
}

// --- canonical form --------------------------------------------------------------------------------

bool COPolynom::OrderTerms() {
    std::vector<TermKey> keys;
    keys.reserve(static_cast<std::size_t>(GetCount()));
    for (auto position = Head(); position != End(); ++position) {
        TermKey key = KeyOf(*position);
        key.cell = position;
        keys.push_back(std::move(key));
    }
    if (std::is_sorted(keys.begin(), keys.end(), KeyBefore)) {
        return false;
    }
    std::stable_sort(keys.begin(), keys.end(), KeyBefore);
    for (const TermKey& key : keys) {
        GetCells().splice(GetCells().end(), GetCells(), key.cell);
    }
    AddComment(CommentID::TermsReordered);
    return true;
}

bool COPolynom::Normalize(bool comment) {
    bool changed = false;

    // 1. Every term normalized; zero terms removed while more than one term remains.
    for (ListCell& cell : *this) {
        if (COMonom* monom = AsMonom(cell.child.get())) {
            changed = monom->Normalize() || changed;
        }
    }
    for (auto position = Head(); position != End() && GetCount() > 1;) {
        const COMonom* monom = AsMonom(position->child.get());
        if (monom != nullptr && monom->Coefficient().IsZero()) {
            RemoveAt(position, 1);
            changed = true;
        } else {
            ++position;
        }
    }
    if (GetCount() == 1) {
        const COMonom* monom = AsMonom(Head()->child.get());
        if (monom != nullptr && monom->Coefficient().IsZero() &&
            (monom->GetCount() > 1 || Head()->sign < 0)) {
            Head()->child = COMonom::Constant(CNumber(0));
            Head()->sign = 1;
            changed = true;
        }
    }

    // 2. Canonical order.
    std::vector<TermKey> keys;
    keys.reserve(static_cast<std::size_t>(GetCount()));
    for (auto position = Head(); position != End(); ++position) {
        TermKey key = KeyOf(*position);
        key.cell = position;
        keys.push_back(std::move(key));
    }
    const bool reordered = RandomQuickSort(keys, KeyBefore);
    if (reordered) {
        for (const TermKey& key : keys) {
            GetCells().splice(GetCells().end(), GetCells(), key.cell);
        }
        changed = true;
        if (comment) {
            AddComment(CommentID::TermsReordered);
        }
    }

    // 3. Like terms combined. They are neighbours now: each run is folded into its first term.
    bool combined = false;
    for (std::size_t first = 0; first < keys.size();) {
        std::size_t next = first + 1;
        while (next < keys.size() && keys[first].isMonom && keys[next].isMonom &&
               keys[next].degree == keys[first].degree && keys[next].powers == keys[first].powers) {
            ++next;
        }
        if (next - first > 1) {
            combined = true;
            CNumber total(0);
            for (std::size_t k = first; k < next; ++k) {
                total.AddInPlace(TermOfCell(*keys[k].cell).coefficient);
            }
            for (std::size_t k = first + 1; k < next; ++k) {
                RemoveAt(keys[k].cell, 1);
            }
            if (total.IsZero()) {
                RemoveAt(keys[first].cell, 1);
            } else {
                keys[first].cell->sign = total.TakeSign();
                COMonom* monom = AsMonom(keys[first].cell->child.get());
                CONumber* coefficient = AsNumber(monom->Head()->child.get());
                if (coefficient != nullptr && !total.IsOne()) {
                    coefficient->Value() = std::move(total);
                } else {
                    monom->SetCoefficient(total);
                }
            }
        }
        first = next;
    }
    if (IsEmpty()) {
        AddTail(COMonom::Constant(CNumber(0)), 1);
    }
    if (combined) {
        changed = true;
        if (comment) {
            AddComment(CommentID::LikeTermsCombined);
        }
    }
    ORBELIN_ASSERT(IsNormalForm(*this));
    return changed;
}

bool COPolynom::MoveSignsIntoCells() {
    bool changed = false;
    for (ListCell& cell : *this) {
        COMonom* monom = AsMonom(cell.child.get());
        if (monom == nullptr) {
            continue;
        }
        CNumber coefficient = monom->Coefficient();
        if (coefficient.Sign() < 0) {
            coefficient.Negate();
            monom->SetCoefficient(coefficient);
            cell.sign = -cell.sign;
            changed = true;
        }
    }
    return changed;
}

std::int32_t COPolynom::MakeLeadingSignPositive() {
    return MatchLeadingSign(1);
}

std::int32_t COPolynom::MatchLeadingSign(std::int32_t requested) {
    if (LeadingSign() == 0 || LeadingSign() == requested) {
        return 1;
    }
    for (ListCell& cell : *this) {
        const COMonom* monom = AsMonom(cell.child.get());
        if (monom == nullptr || !monom->IsNumber(CNumber(0))) {
            cell.sign = -cell.sign;
        }
    }
    return -1;
}

// --- arithmetic ------------------------------------------------------------------------------------

std::unique_ptr<COPolynom> COPolynom::Sum(const COPolynom& other) const {
    return FromValue(Value().Sum(other.Value()));
}

std::unique_ptr<COPolynom> COPolynom::Difference(const COPolynom& other) const {
    return FromValue(Value().Difference(other.Value()));
}

std::unique_ptr<COPolynom> COPolynom::Product(const COPolynom& other) const {
    auto product = std::make_unique<COPolynom>();
    if (static_cast<std::size_t>(GetCount()) * static_cast<std::size_t>(other.GetCount()) >
        EngineLimits::kMaxTermProducts) {
        PN::ReportLimitExceeded();
        product->AddTail(COMonom::Constant(CNumber(0)), 1);
        return product;
    }
    std::vector<PolynomTerm> otherTerms;
    otherTerms.reserve(static_cast<std::size_t>(other.GetCount()));
    for (const ListCell& b : other) {
        otherTerms.push_back(TermOfCell(b));
    }
    for (const ListCell& a : *this) {
        const PolynomTerm ta = TermOfCell(a);
        for (const PolynomTerm& tb : otherTerms) {
            std::int32_t sign = 1;
            auto monom = COMonom::FromTerm(
                {PN::Product(ta.coefficient, tb.coefficient), MultiplyPowers(ta.powers, tb.powers)}, sign);
            product->AddTail(std::move(monom), sign);
        }
    }
    if (product->IsEmpty()) {
        product->AddTail(COMonom::Constant(CNumber(0)), 1);
    }
    return product;
}

std::unique_ptr<COPolynom> COPolynom::NormalizedProduct(const COPolynom& other, bool comment) const {
    // The raw product as values, then normalized with the same report Normalize gives; only the
    // final terms become nodes.
    std::vector<PolynomTerm> termsA;
    std::vector<PolynomTerm> termsB;
    termsA.reserve(static_cast<std::size_t>(GetCount()));
    termsB.reserve(static_cast<std::size_t>(other.GetCount()));
    for (const ListCell& cell : *this) {
        termsA.push_back(TermOfCell(cell));
    }
    for (const ListCell& cell : other) {
        termsB.push_back(TermOfCell(cell));
    }
    bool reordered = false;
    bool combined = false;
    const CPolynomValue product = CPolynomValue::ProductOf(termsA, termsB, &reordered, &combined);
    std::unique_ptr<COPolynom> result = FromValue(product);
    if (comment && reordered) {
        result->AddComment(CommentID::TermsReordered);
    }
    if (comment && combined) {
        result->AddComment(CommentID::LikeTermsCombined);
    }
    return result;
}

std::unique_ptr<COPolynom> COPolynom::Square() const {
    return Product(*this);
}

std::unique_ptr<COPolynom> COPolynom::ProductWithMonom(const COMonom& monom, std::int32_t sign) const {
    COPolynom single(monom.Clone(), sign);
    return Product(single);
}

std::unique_ptr<COPolynom> COPolynom::Power(const CNumber& exponent) const {
    if (!exponent.IsWhole() || exponent.Sign() < 0) {
        return nullptr;
    }
    CNumber whole(exponent);
    whole.ToInteger();
    const std::int64_t n = whole.Numerator().ToInt64Clamped();
    if (n == 1) {
        return CloneNode(*this);
    }
    return FromValue(Value().Power(n));
}

std::unique_ptr<COPolynom> COPolynom::DivideExact(const COPolynom& divisor) const {
    std::optional<CPolynomValue> quotient = Value().DivideExact(divisor.Value());
    return quotient ? FromValue(*quotient) : nullptr;
}

std::unique_ptr<COPolynom> COPolynom::Derivative(char letter) const {
    return FromValue(Value().Derivative(static_cast<unsigned char>(letter)));
}

std::unique_ptr<COPolynom> COPolynom::Antiderivative(char letter) const {
    return FromValue(Value().Antiderivative(static_cast<unsigned char>(letter)));
}

CNumber COPolynom::ValueAt(char letter, const CNumber& value) const {
    return Value().ValueAt(static_cast<unsigned char>(letter), value);
}

void COPolynom::AddInPlace(const COPolynom& other) {
    Assign(Value().Sum(other.Value()));
}

void COPolynom::SubtractInPlace(const COPolynom& other) {
    Assign(Value().Difference(other.Value()));
}

void COPolynom::MultiplyInPlace(const COPolynom& other) {
    Assign(Value().Product(other.Value()));
}

void COPolynom::ScaleBy(const CNumber& factor) {
    if (factor.IsZero()) {
        Assign(CPolynomValue());
        return;
    }
    CNumber magnitude(factor);
    const std::int32_t sign = magnitude.TakeSign();
    for (ListCell& cell : *this) {
        if (COMonom* monom = AsMonom(cell.child.get())) {
            monom->SetCoefficient(PN::Product(monom->Coefficient(), magnitude));
            cell.sign *= sign;
        }
    }
}

// --- numbers and common factors --------------------------------------------------------------------

std::optional<CNumber> COPolynom::Content() const {
    CNumber content(0);
    for (const ListCell& cell : *this) {
        const COMonom* monom = AsMonom(cell.child.get());
        if (monom == nullptr) {
            continue;
        }
        const CNumber coefficient = monom->Coefficient();
        if (!coefficient.IsWhole()) {
            return std::nullopt;
        }
        if (!content.IsOne()) {
            content = content.IsZero() ? PN::Abs(coefficient) : PN::Gcd(content, coefficient);
        }
    }
    if (content.IsZero()) {
        return std::nullopt;
    }
    return content;
}

std::optional<CNumber> COPolynom::RemoveContent() {
    std::optional<CNumber> content = Content();
    if (content && !content->IsOne()) {
        for (ListCell& cell : *this) {
            if (COMonom* monom = AsMonom(cell.child.get())) {
                monom->SetCoefficient(PN::Quotient(monom->Coefficient(), *content));
            }
        }
    }
    return content;
}

CNumber COPolynom::ClearDenominators() {
    CNumber multiple(1);
    for (const ListCell& cell : *this) {
        if (const COMonom* monom = AsMonom(cell.child.get())) {
            const CNumber coefficient = monom->Coefficient();
            if (!coefficient.IsWhole()) {
                multiple = PN::Lcm(multiple, PN::Denominator(coefficient));
            }
        }
    }
    if (multiple.IsOne()) {
        return multiple;
    }
    for (ListCell& cell : *this) {
        if (COMonom* monom = AsMonom(cell.child.get())) {
            monom->SetCoefficient(PN::Product(monom->Coefficient(), multiple));
        }
    }
    return PN::Quotient(CNumber(1), multiple);
}

CNumber COPolynom::TakeOutNumber() {
    CNumber factor = ClearDenominators();
    std::optional<CNumber> content = RemoveContent();
    if (content) {
        factor.MultiplyInPlace(*content);
    }
    return factor;
}

std::unique_ptr<COMonom> COPolynom::TakeOutCommonMonom() {
    if (GetCount() == 1) {
        COMonom* monom = AsMonom(Head()->child.get());
        if (monom == nullptr || monom->IsNumber(CNumber(1)) || monom->IsNumber(CNumber(-1))) {
            return nullptr;
        }
        auto whole = TakeNodeAs<COMonom>(std::move(Head()->child));
        Head()->child = COMonom::Constant(CNumber(1));
        return whole;
    }
    std::unique_ptr<COMonom> common;
    for (const ListCell& cell : *this) {
        const COMonom* monom = AsMonom(cell.child.get());
        if (monom == nullptr) {
            return nullptr;
        }
        if (!common) {
            PolynomTerm term = monom->Term();
            term.coefficient = PN::Abs(term.coefficient);
            if (!term.coefficient.IsWhole()) {
                term.coefficient = CNumber(1);
            }
            std::int32_t sign = 1;
            common = COMonom::FromTerm(term, sign);
        } else {
            common = COMonom::GreatestCommonDivisor(*common, *monom);
        }
    }
    if (!common || common->IsNumber(CNumber(1))) {
        return nullptr;
    }
    for (ListCell& cell : *this) {
        COMonom* monom = AsMonom(cell.child.get());
        cell.child = monom->Quotient(*common);
    }
    return common;
}
