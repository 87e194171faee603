#include "solver/FactorArithmetic.h"

#include "model/COMonom.h"
#include "model/COPolynom.h"
#include "model/PolynomNumber.h"

#include <string>

namespace PN = PolynomNumber;

FactorSearchBudget::FactorSearchBudget() : m_limitWasSet(CNumber::LimitExceeded()) {}

FactorSearchBudget::~FactorSearchBudget() {
    // A limit reached by a candidate of the search is not the problem's: the search just failed.
    if (!m_limitWasSet && CNumber::LimitExceeded()) {
        CNumber::ResetLimitExceeded();
    }
}

bool FactorSearchBudget::Spend(std::int64_t work) {
    m_remaining -= work < 1 ? 1 : work;
    return !Exhausted();
}

bool FactorSearchBudget::Exhausted() const {
    return m_remaining < 0 || (!m_limitWasSet && CNumber::LimitExceeded());
}

TermList SignedTerms(const COPolynom& polynom) {
    TermList terms;
    for (const ListCell& cell : polynom) {
        if (const auto* monom = dynamic_cast<const COMonom*>(cell.child.get())) {
            terms.push_back(monom->Term(cell.sign));
        }
    }
    return terms;
}

CPolynomValue ValueOfTerms(const TermList& terms, std::size_t begin, std::size_t end) {
    CPolynomValue value;
    value.Reserve(end - begin);
    for (std::size_t i = begin; i < end; ++i) {
        value.Append(terms[i]);
    }
    value.Normalize();
    return value;
}

std::unique_ptr<COPolynom> PolynomInOrder(const TermList& terms) {
    auto polynom = std::make_unique<COPolynom>();
    for (const PolynomTerm& term : terms) {
        std::int32_t sign = 1;
        std::unique_ptr<COMonom> monom = COMonom::FromTerm(term, sign);
        polynom->AddTail(std::move(monom), sign);
    }
    if (polynom->IsEmpty()) {
        polynom->AddTail(COMonom::Constant(CNumber(0)), 1);
    }
    return polynom;
}

PolynomTerm CommonMonomial(const CPolynomValue& polynom) {
    PolynomTerm common{CNumber(1), {}};
    const auto& terms = polynom.Terms();
    if (terms.empty()) {
        return common;
    }
    CNumber gcd = PN::Abs(terms.front().coefficient);
    bool integers = PN::IsInteger(gcd);
    common.powers = terms.front().powers;
    for (const PolynomTerm& term : terms) {
        integers = integers && PN::IsInteger(term.coefficient);
        if (integers) {
            gcd = CNumber::GcdOf(gcd, term.coefficient);
        }
        LetterPowers kept;
        for (const LetterPower& power : common.powers) {
            const std::int64_t exponent = std::min(power.exponent, term.ExponentOf(power.letter));
            if (exponent > 0) {
                kept.push_back({power.letter, exponent});
            }
        }
        common.powers = std::move(kept);
    }
    common.coefficient = integers ? gcd : CNumber(1);
    return common;
}

bool IsOneTerm(const PolynomTerm& term) {
    return term.powers.empty() && term.coefficient.IsOne();
}

std::optional<PolynomTerm> ExactTermRoot(const PolynomTerm& term, std::int64_t degree) {
    std::optional<CNumber> coefficient = PN::Root(term.coefficient, degree);
    if (!coefficient) {
        return std::nullopt;
    }
    PolynomTerm root{*coefficient, {}};
    for (const LetterPower& power : term.powers) {
        if (power.exponent % degree != 0) {
            return std::nullopt;
        }
        root.powers.push_back({power.letter, power.exponent / degree});
    }
    return root;
}

std::optional<std::int64_t> SmallInteger(const CNumber& number) {
    CNumber whole = number;
    if (!whole.ToInteger() || !whole.Numerator().FitsInt64()) {
        return std::nullopt;
    }
    return whole.Numerator().SmallValue();
}

PolynomTerm TermMagnitude(PolynomTerm term) {
    term.coefficient = PN::Abs(term.coefficient);
    return term;
}

std::optional<std::vector<std::int64_t>> PositiveDivisors(const CNumber& number, FactorSearchBudget& budget) {
    constexpr std::int64_t kLargestSplit = 1'000'000'000'000;
    const std::optional<std::int64_t> small = SmallInteger(number);
    if (!small || *small == 0) {
        return std::nullopt;
    }
    const std::int64_t value = *small < 0 ? -*small : *small;
    if (value > kLargestSplit) {
        return std::nullopt;
    }
    std::vector<std::int64_t> low;
    std::vector<std::int64_t> high;
    for (std::int64_t d = 1; d * d <= value; ++d) {
        if (d % 1024 == 0 && !budget.Spend(1024)) {
            return std::nullopt;
        }
        if (value % d == 0) {
            low.push_back(d);
            if (d * d != value) {
                high.push_back(value / d);
            }
        }
    }
    low.insert(low.end(), high.rbegin(), high.rend());
    return low;
}

std::optional<CPolynomValue> ExactPolynomialRoot(const CPolynomValue& polynom, std::int64_t degree) {
    if (degree == 1 || polynom.IsZero()) {
        return polynom;
    }
    if (degree < 1 || polynom.TotalDegree() % degree != 0) {
        return std::nullopt;
    }
    const std::optional<PolynomTerm> lead = ExactTermRoot(polynom.LeadingTerm(), degree);
    if (!lead) {
        return std::nullopt;
    }
    // R = r0 + r1 + ...: the leading term of polynom - R^degree is degree * r0^(degree-1) * r(k+1).
    const PolynomTerm slope{PN::Product(PN::FromInt(degree), PN::Power(lead->coefficient, degree - 1)),
                            CPolynomValue::FromTerm(*lead).Power(degree - 1).LeadingTerm().powers};
    CPolynomValue root = CPolynomValue::FromTerm(*lead);
    LetterPowers last = lead->powers;
    const std::size_t maxTerms = polynom.TermCount() + 2;
    for (std::size_t count = 1; count <= maxTerms && !CNumber::LimitExceeded(); ++count) {
        const CPolynomValue rest = polynom.Difference(root.Power(degree));
        if (rest.IsZero()) {
            return root;
        }
        const PolynomTerm& top = rest.LeadingTerm();
        if (!DividesPowers(slope.powers, top.powers)) {
            return std::nullopt;
        }
        PolynomTerm next{PN::Quotient(top.coefficient, slope.coefficient),
                         DividePowers(top.powers, slope.powers)};
        if (CompareLexicographic(next.powers, last) >= 0) {
            return std::nullopt;
        }
        last = next.powers;
        root.AddInPlace(CPolynomValue::FromTerm(std::move(next)));
    }
    return std::nullopt;
}

CPolynomValue PrimitivePart(CPolynomValue polynom) {
    polynom.MakePrimitive();
    polynom.MakeLeadingSignPositive();
    return polynom;
}

namespace {

constexpr std::int64_t kModulus = 2147483647;

std::int64_t Reduced(std::int64_t value) {
    value %= kModulus;
    return value < 0 ? value + kModulus : value;
}

__extension__ typedef unsigned __int128 Wide;

std::int64_t MultiplyMod(std::int64_t a, std::int64_t b) {
    return static_cast<std::int64_t>((static_cast<Wide>(a) * static_cast<Wide>(b)) %
                                     static_cast<Wide>(kModulus));
}

std::int64_t PowerMod(std::int64_t base, std::int64_t exponent) {
    std::int64_t result = 1;
    base = Reduced(base);
    while (exponent > 0) {
        if (exponent & 1) {
            result = MultiplyMod(result, base);
        }
        base = MultiplyMod(base, base);
        exponent >>= 1;
    }
    return result;
}

std::int64_t InverseMod(std::int64_t value) {
    return PowerMod(value, kModulus - 2);
}

std::optional<std::int64_t> IntegerMod(const CLongInteger& value) {
    if (value.FitsInt64()) {
        return Reduced(value.SmallValue());
    }
    const auto parts = value.DivMod(CLongInteger(static_cast<std::int32_t>(kModulus)));
    if (!parts || !parts->second.FitsInt64()) {
        return std::nullopt;
    }
    return Reduced(parts->second.SmallValue());
}

// The residue of a rational number; none when the denominator vanishes.
std::optional<std::int64_t> NumberMod(const CNumber& number) {
    CNumber fraction = number;
    fraction.ToFraction();
    fraction.Reduce();
    const std::optional<std::int64_t> top = IntegerMod(fraction.Numerator());
    const std::optional<std::int64_t> bottom = IntegerMod(fraction.Denominator());
    if (!top || !bottom || *bottom == 0) {
        return std::nullopt;
    }
    return MultiplyMod(*top, InverseMod(*bottom));
}

// The polynomial as a dense polynomial in one letter modulo the prime, every other letter replaced
// by a fixed residue of its own. Index = exponent.
std::optional<std::vector<std::int64_t>> ImageIn(const CPolynomValue& polynom, unsigned char letter) {
    std::vector<std::int64_t> dense(static_cast<std::size_t>(polynom.DegreeIn(letter)) + 1, 0);
    for (const PolynomTerm& term : polynom.Terms()) {
        std::optional<std::int64_t> value = NumberMod(term.coefficient);
        if (!value) {
            return std::nullopt;
        }
        std::int64_t exponent = 0;
        for (const LetterPower& power : term.powers) {
            if (power.letter == letter) {
                exponent = power.exponent;
            } else {
                *value = MultiplyMod(*value, PowerMod(1000003 + 7919 * power.letter, power.exponent));
            }
        }
        auto& slot = dense[static_cast<std::size_t>(exponent)];
        slot = Reduced(slot + *value);
    }
    return dense;
}

void Trim(std::vector<std::int64_t>& dense) {
    while (!dense.empty() && dense.back() == 0) {
        dense.pop_back();
    }
}

// Degree of the gcd of two dense polynomials modulo the prime (-1 for two zeros).
std::int64_t GcdDegreeMod(std::vector<std::int64_t> a, std::vector<std::int64_t> b) {
    Trim(a);
    Trim(b);
    while (!b.empty()) {
        if (a.size() < b.size()) {
            std::swap(a, b);
            continue;
        }
        const std::int64_t factor = MultiplyMod(a.back(), InverseMod(b.back()));
        const std::size_t shift = a.size() - b.size();
        for (std::size_t i = 0; i < b.size(); ++i) {
            a[i + shift] = Reduced(a[i + shift] - MultiplyMod(factor, b[i]));
        }
        Trim(a);
        std::swap(a, b);
    }
    return static_cast<std::int64_t>(a.size()) - 1;
}

} // namespace

bool GcdSurelyConstant(const CPolynomValue& a, const CPolynomValue& b) {
    if (a.IsZero() || b.IsZero()) {
        return false;
    }
    std::string letters = a.Letters() + b.Letters();
    for (const char letter : letters) {
        const auto x = static_cast<unsigned char>(letter);
        if (!a.HasLetter(x) || !b.HasLetter(x)) {
            continue;
        }
        const std::optional<std::vector<std::int64_t>> imageA = ImageIn(a, x);
        const std::optional<std::vector<std::int64_t>> imageB = ImageIn(b, x);
        // A leading coefficient that vanishes in the image could hide a common factor.
        if (!imageA || !imageB || imageA->back() == 0 || imageB->back() == 0 ||
            GcdDegreeMod(*imageA, *imageB) > 0) {
            return false;
        }
    }
    return true;
}
