// Building and arithmetic of monomials (the class shell is in COMonom.cpp).

#include "model/COMonom.h"
#include "model/CONumber.h"
#include "model/COPower.h"
#include "model/COVariable.h"
#include "model/EngineAssert.h"
#include "model/EngineLimits.h"
#include "model/NodeCast.h"
#include "model/PolynomNumber.h"

#include <algorithm>

namespace PN = PolynomNumber;

namespace {

bool LetterBefore(char a, char b) {
    return static_cast<unsigned char>(a) < static_cast<unsigned char>(b);
}

// The letter of a variable, or of a power whose base is a variable and whose exponent is a number.
// Sets `exponent` (1 for a bare variable). False for any other node.
bool ReadLetterPower(const COperation& node, char& letter, const CNumber*& exponent) {
    static const CNumber one(1);
    if (node.GetType() == NodeType::Variable) {
        letter = NodeAs<COVariable>(node).Letter();
        exponent = &one;
        return true;
    }
    if (node.GetFamily() != NodeFamily::Power) {
        return false;
    }
    const auto& power = NodeAs<COPower>(node);
    const CONumber* number = AsNumber(power.Exponent());
    if (power.Base() == nullptr || power.Base()->GetType() != NodeType::Variable || number == nullptr) {
        return false;
    }
    letter = NodeAs<COVariable>(*power.Base()).Letter();
    exponent = &number->Value();
    return true;
}

// The powers of letters stand in strictly ascending byte order of their letters (elements of any
// other kind are passed over).
bool LettersAscending(const COMonom& monom) {
    bool anyPower = false;
    char previous = 0;
    for (const ListCell& cell : monom) {
        char letter = 0;
        const CNumber* exponent = nullptr;
        if (!cell.child || !ReadLetterPower(*cell.child, letter, exponent)) {
            continue;
        }
        if (anyPower && !LetterBefore(previous, letter)) {
            return false;
        }
        previous = letter;
        anyPower = true;
    }
    return true;
}

NodePtr MakeLetterPower(char letter, const CNumber& exponent) {
    return std::make_unique<COPower>(std::make_unique<COVariable>(letter),
                                     std::make_unique<CONumber>(exponent));
}

// A whole exponent as a machine integer within the degree limit (the limit flag is reported past
// it); 0 for an exponent that is not whole or negative.
std::int64_t ExponentValue(const CNumber& exponent) {
    if (!exponent.IsWhole() || exponent.Sign() <= 0) {
        return 0;
    }
    CNumber whole(exponent);
    whole.ToInteger();
    const std::int64_t value = whole.Numerator().ToInt64Clamped();
    if (DegreeTooLarge(value)) {
        return EngineLimits::kMaxPolynomialDegree;
    }
    return value;
}

} // namespace

// --- building --------------------------------------------------------------------------------------

std::unique_ptr<COMonom> COMonom::Constant(const CNumber& value) {
    return std::make_unique<COMonom>(std::make_unique<CONumber>(value), 1);
}

std::unique_ptr<COMonom> COMonom::FromTerm(const PolynomTerm& term, std::int32_t& sign) {
    auto monom = std::make_unique<COMonom>();
    CNumber magnitude(term.coefficient);
    sign = magnitude.TakeSign();
    if (!magnitude.IsOne() || term.powers.empty()) {
        monom->AddTail(std::make_unique<CONumber>(std::move(magnitude)), 1);
    }
    for (const LetterPower& power : term.powers) {
        monom->AddTail(MakeLetterPower(static_cast<char>(power.letter), PN::FromInt(power.exponent)), 1);
    }
    return monom;
}

bool COMonom::Qualifies(const COperation& node, bool allowProduct) {
    if (!node.IsPlain()) {
        return false;
    }
    switch (node.GetFamily()) {
    case NodeFamily::Number:
    case NodeFamily::Variable:
        return true;
    case NodeFamily::Power: {
        char letter = 0;
        const CNumber* exponent = nullptr;
        return ReadLetterPower(node, letter, exponent) && exponent->IsWhole() && exponent->Sign() >= 0;
    }
    case NodeFamily::Multiplication:
    case NodeFamily::Fraction: {
        if (!allowProduct || node.AsList()->IsEmpty()) {
            return false;
        }
        for (const ListCell& cell : *node.AsList()) {
            if (cell.sign != 1 || !cell.child || !Qualifies(*cell.child, false)) {
                return false;
            }
        }
        return true;
    }
    case NodeFamily::Root:
    case NodeFamily::Addition:
    case NodeFamily::Relation:
        return false;
    }
    return false;
}

COMonom* COMonom::Build(NodeHandle handle) {
    NodePtr old = std::move(*handle);
    auto monom = std::make_unique<COMonom>();
    if (old->GetFamily() == NodeFamily::Multiplication || old->GetFamily() == NodeFamily::Fraction) {
        // Numbers first in their order, then the letters; Normalize multiplies the numbers and
        // merges the powers of each letter in ascending byte order.
        COperationList& list = *old->AsList();
        for (auto position = list.Head(); position != list.End();) {
            const bool isNumber = position->child && position->child->GetFamily() == NodeFamily::Number;
            if (isNumber) {
                const std::int32_t sign = position->sign;
                monom->AddTail(list.RemoveAt(position, 1), sign);
            } else {
                ++position;
            }
        }
        for (auto position = list.Head(); position != list.End();) {
            const std::int32_t sign = position->sign;
            monom->AddTail(list.RemoveAt(position, 1), sign);
        }
        monom->TakeCommentsFrom(*old);
        monom->SetCrossOut(old->CrossOut());
    } else {
        monom->AddTail(std::move(old), 1);
    }
    monom->Normalize();
    COMonom* result = monom.get();
    *handle = std::move(monom);
    return result;
}

// --- reading ---------------------------------------------------------------------------------------

LetterPowers COMonom::Powers() const {
    LetterPowers powers;
    powers.reserve(static_cast<std::size_t>(GetCount()));
    bool ordered = true;
    for (const ListCell& cell : *this) {
        char letter = 0;
        const CNumber* exponent = nullptr;
        if (!cell.child || !ReadLetterPower(*cell.child, letter, exponent)) {
            continue;
        }
        const std::int64_t value = ExponentValue(*exponent) * (cell.sign < 0 ? -1 : 1);
        const auto byte = static_cast<unsigned char>(letter);
        ordered = ordered && (powers.empty() || powers.back().letter < byte);
        powers.push_back({byte, value});
    }
    if (!ordered) {
        // Several powers of one letter, or letters out of order: sort and merge.
        std::stable_sort(powers.begin(), powers.end(),
                         [](const LetterPower& a, const LetterPower& b) { return a.letter < b.letter; });
        LetterPowers merged;
        for (const LetterPower& power : powers) {
            if (!merged.empty() && merged.back().letter == power.letter) {
                merged.back().exponent += power.exponent;
            } else {
                merged.push_back(power);
            }
        }
        powers = std::move(merged);
    }
    std::erase_if(powers, [](const LetterPower& power) { return power.exponent <= 0; });
    return powers;
}

PolynomTerm COMonom::Term(std::int32_t sign) const {
    PolynomTerm term{CNumber(sign), Powers()};
    for (const ListCell& cell : *this) {
        const CONumber* number = AsNumber(cell.child.get());
        if (number == nullptr) {
            continue;
        }
        if (cell.sign < 0) {
            if (!number->Value().IsZero()) {
                term.coefficient.DivideInPlace(number->Value());
            }
        } else if (sign == 1 && term.coefficient.IsOne()) {
            term.coefficient = number->Value();
        } else {
            term.coefficient.MultiplyInPlace(number->Value());
        }
    }
    return term;
}

CNumber COMonom::Coefficient() const {
    if (!IsEmpty()) {
        if (const CONumber* number = AsNumber(begin()->child.get())) {
            return number->Value();
        }
    }
    return CNumber(1);
}

void COMonom::SetCoefficient(const CNumber& value) {
    if (!IsEmpty() && AsNumber(begin()->child.get()) != nullptr) {
        auto head = Head();
        RemoveAt(head, 1);
    }
    if (!value.IsOne() || IsEmpty()) {
        AddHead(std::make_unique<CONumber>(value), 1);
    }
}

CNumber COMonom::ExponentOf(char letter) const {
    CNumber total(0);
    for (const ListCell& cell : *this) {
        char found = 0;
        const CNumber* exponent = nullptr;
        if (cell.child && ReadLetterPower(*cell.child, found, exponent) && found == letter) {
            total.AddInPlace(*exponent);
        }
    }
    return total;
}

CNumber COMonom::TotalDegree() const {
    CNumber total(0);
    for (const ListCell& cell : *this) {
        char letter = 0;
        const CNumber* exponent = nullptr;
        if (cell.child && ReadLetterPower(*cell.child, letter, exponent)) {
            total.AddInPlace(*exponent);
        }
    }
    return total;
}

std::optional<std::int64_t> COMonom::DegreeBound() const {
    static const CNumber limit(static_cast<std::int32_t>(EngineLimits::kMaxPolynomialDegree));
    std::int64_t total = 0;
    for (const ListCell& cell : *this) {
        char letter = 0;
        const CNumber* exponent = nullptr;
        if (!cell.child || !ReadLetterPower(*cell.child, letter, exponent)) {
            continue;
        }
        if (exponent->IsInteger() && exponent->Numerator().FitsInt64()) {
            // The common case, read without number arithmetic.
            const std::int64_t value = exponent->Numerator().SmallValue();
            if (value > EngineLimits::kMaxPolynomialDegree) {
                return std::nullopt;
            }
            total += std::max<std::int64_t>(value, 0);
            continue;
        }
        if (!exponent->IsWhole() || exponent->Sign() <= 0) {
            continue;
        }
        if (exponent->Greater(limit)) {
            return std::nullopt;
        }
        total += ExponentValue(*exponent);
    }
    return total;
}

void COMonom::RemoveLetter(char letter) {
    for (auto position = Head(); position != End();) {
        char found = 0;
        const CNumber* exponent = nullptr;
        if (position->child && ReadLetterPower(*position->child, found, exponent) && found == letter) {
            RemoveAt(position, 1);
        } else {
            ++position;
        }
    }
    if (IsEmpty()) {
        AddTail(std::make_unique<CONumber>(1), 1);
    }
}

bool COMonom::HasLetters() const {
    for (const ListCell& cell : *this) {
        char letter = 0;
        const CNumber* exponent = nullptr;
        if (cell.child && ReadLetterPower(*cell.child, letter, exponent) && !exponent->IsZero()) {
            return true;
        }
    }
    return false;
}

bool COMonom::IsNumber(const CNumber& value) const {
    const PolynomTerm term = Term();
    return term.powers.empty() && term.coefficient.Equal(value);
}

bool COMonom::IsLike(const COMonom& other) const {
    return Powers() == other.Powers();
}

bool COMonom::IsEqualMonom(const COMonom& other) const {
    const PolynomTerm a = Term();
    const PolynomTerm b = other.Term();
    return a.powers == b.powers && a.coefficient.Equal(b.coefficient);
}

int COMonom::CompareLexicographic(const COMonom& other) const {
    return ::CompareLexicographic(Powers(), other.Powers());
}

bool COMonom::Normalize() {
    // Already normal? The coefficient (if any) first and not a redundant 1, then powers of variables
    // with non-zero number exponents in strictly ascending byte order, every sign +1.
    bool normal = !IsEmpty();
    char previous = 0;
    bool anyPower = false;
    std::int32_t index = 0;
    for (const ListCell& cell : *this) {
        if (!normal) {
            break;
        }
        if (!cell.child || cell.sign != 1) {
            normal = false;
            break;
        }
        if (const CONumber* number = AsNumber(cell.child.get())) {
            normal = index == 0 && !(number->Value().IsOne() && GetCount() > 1);
        } else {
            char letter = 0;
            const CNumber* exponent = nullptr;
            normal = cell.child->GetType() == NodeType::Power &&
                     ReadLetterPower(*cell.child, letter, exponent) && !exponent->IsZero() &&
                     (!anyPower || LetterBefore(previous, letter));
            previous = letter;
            anyPower = true;
        }
        ++index;
    }
    if (normal) {
        return false;
    }

    // Gather: the numbers multiplied (a number with sign -1 divides), the exponents of each letter
    // added; elements of any other kind are kept after the powers.
    std::int32_t numberCount = 0;
    const CNumber* single = nullptr;
    CNumber product(1);
    std::vector<std::pair<char, CNumber>> powers;
    std::vector<ListCell> others;
    for (ListCell& cell : GetCells()) {
        if (!cell.child) {
            continue;
        }
        if (const CONumber* number = AsNumber(cell.child.get())) {
            ++numberCount;
            single = cell.sign == 1 ? &number->Value() : nullptr;
            if (cell.sign == 1) {
                product.MultiplyInPlace(number->Value());
            } else if (!number->Value().IsZero()) {
                product.DivideInPlace(number->Value());
            }
            continue;
        }
        char letter = 0;
        const CNumber* exponent = nullptr;
        if (ReadLetterPower(*cell.child, letter, exponent)) {
            CNumber signedExponent(*exponent);
            if (cell.sign < 0) {
                signedExponent.Negate();
            }
            auto at = std::lower_bound(powers.begin(), powers.end(), letter, [](const auto& entry, char l) {
                return LetterBefore(entry.first, l);
            });
            if (at != powers.end() && at->first == letter) {
                at->second.AddInPlace(signedExponent);
            } else {
                powers.insert(at, {letter, signedExponent});
            }
            continue;
        }
        others.push_back(ListCell{std::move(cell.child), cell.sign});
    }
    // A lone number keeps its written form; several are replaced by their product.
    CNumber coefficient = numberCount == 1 && single != nullptr ? *single : product;
    DeleteAll();
    for (auto& [letter, exponent] : powers) {
        if (!exponent.IsZero()) {
            AddTail(MakeLetterPower(letter, exponent), 1);
        }
    }
    for (ListCell& cell : others) {
        AddTail(std::move(cell.child), cell.sign);
    }
    if (!coefficient.IsOne() || IsEmpty()) {
        AddHead(std::make_unique<CONumber>(std::move(coefficient)), 1);
    }
    ORBELIN_ASSERT(LettersAscending(*this));
    return true;
}

// --- arithmetic ------------------------------------------------------------------------------------

std::unique_ptr<COMonom> COMonom::Product(const COMonom& other) const {
    auto product = CloneNode(*this);
    for (const ListCell& cell : other) {
        if (cell.child) {
            product->AddTail(cell.child->Clone(), cell.sign);
        }
    }
    product->Normalize();
    return product;
}

std::unique_ptr<COMonom> COMonom::Quotient(const COMonom& other) const {
    PolynomTerm a = Term();
    const PolynomTerm b = other.Term();
    if (!b.coefficient.IsZero()) {
        a.coefficient.DivideInPlace(b.coefficient);
    }
    std::int32_t sign = 1;
    auto result = FromTerm({a.coefficient, DividePowers(a.powers, b.powers)}, sign);
    if (sign < 0) {
        result->SetCoefficient(PN::Negated(result->Coefficient()));
    }
    return result;
}

bool COMonom::IsDivisibleBy(const COMonom& other) const {
    return DividesPowers(other.Powers(), Powers());
}

std::unique_ptr<COMonom> COMonom::GreatestCommonDivisor(const COMonom& a, const COMonom& b) {
    const PolynomTerm ta = a.Term();
    const PolynomTerm tb = b.Term();
    PolynomTerm common{PN::Gcd(ta.coefficient, tb.coefficient), {}};
    for (const LetterPower& power : ta.powers) {
        const std::int64_t other = tb.ExponentOf(power.letter);
        if (other > 0) {
            common.powers.push_back({power.letter, std::min(power.exponent, other)});
        }
    }
    std::int32_t sign = 1;
    return FromTerm(common, sign);
}

std::unique_ptr<COMonom> COMonom::Root(std::int32_t degree) const {
    if (degree <= 0) {
        return nullptr;
    }
    PolynomTerm term = Term();
    std::optional<CNumber> coefficient = PN::Root(term.coefficient, degree);
    if (!coefficient) {
        return nullptr;
    }
    // Every exponent must be whole and divisible by the degree.
    for (const ListCell& cell : *this) {
        char letter = 0;
        const CNumber* exponent = nullptr;
        if (cell.child && ReadLetterPower(*cell.child, letter, exponent) && !exponent->IsWhole()) {
            return nullptr;
        }
    }
    for (LetterPower& power : term.powers) {
        if (power.exponent % degree != 0) {
            return nullptr;
        }
        power.exponent /= degree;
    }
    term.coefficient = *coefficient;
    std::int32_t sign = 1;
    auto result = FromTerm(term, sign);
    if (sign < 0) {
        result->SetCoefficient(PN::Negated(result->Coefficient()));
    }
    return result;
}

CNumber COMonom::ValueAt(char letter, const CNumber& value) const {
    return CPolynomValue::FromTerm(Term()).ValueAt(static_cast<unsigned char>(letter), value);
}
