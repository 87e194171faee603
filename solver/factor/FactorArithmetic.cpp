#include "solver/factor/FactorArithmetic.h"

#include "model/COMonom.h"
#include "model/COPolynom.h"
#include "model/ModularImage.h"
#include "model/PolynomNumber.h"

#include <string>

namespace MI = ModularImage;
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

namespace {

// A power of a polynomial has the power of its value at every point. At the points where every
// letter is 1, or every letter is -1, the values are sums of the coefficients, cheap to find: a
// value there that is no exact power rules the root out before the powers of partial roots (long
// products of growing fractions) are built. A sum that passes the digit limit tells nothing; the
// flag it raised is lowered again, since the polynomial itself is within the limits.
bool ValuesAtUnitPointsArePowers(const CPolynomValue& polynom, std::int64_t degree) {
    const bool limitPassedBefore = PN::LimitExceeded();
    CNumber atOne;
    CNumber atMinusOne;
    for (const PolynomTerm& term : polynom.Terms()) {
        atOne = PN::Sum(atOne, term.coefficient);
        atMinusOne = term.Degree() % 2 == 0 ? PN::Sum(atMinusOne, term.coefficient)
                                            : PN::Difference(atMinusOne, term.coefficient);
    }
    if (!limitPassedBefore && PN::LimitExceeded()) {
        CNumber::ResetLimitExceeded();
        return true;
    }
    return PN::Root(atOne, degree).has_value() && PN::Root(atMinusOne, degree).has_value();
}

} // namespace

std::optional<CPolynomValue> ExactPolynomialRoot(const CPolynomValue& polynom, std::int64_t degree) {
    if (degree == 1 || polynom.IsZero()) {
        return polynom;
    }
    if (degree < 1 || polynom.TotalDegree() % degree != 0 || !ValuesAtUnitPointsArePowers(polynom, degree)) {
        return std::nullopt;
    }
    const std::optional<PolynomTerm> lead = ExactTermRoot(polynom.LeadingTerm(), degree);
    if (!lead) {
        return std::nullopt;
    }
    // R = r0 + r1 + ...: the leading term of polynom - R^degree is degree * r0^(degree-1) * r(k+1).
    const CPolynomValue leadPower = CPolynomValue::FromTerm(*lead).Power(degree - 1);
    if (leadPower.IsZero()) {
        return std::nullopt; // past a limit of the arithmetic
    }
    const PolynomTerm slope{PN::Product(PN::FromInt(degree), PN::Power(lead->coefficient, degree - 1)),
                            leadPower.LeadingTerm().powers};
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

// The residue of each letter in the images of GcdSurelyConstant.
const MI::LetterResidues& SurePoint() {
    static const MI::LetterResidues point = [] {
        MI::LetterResidues residues{};
        for (std::size_t letter = 0; letter < residues.size(); ++letter) {
            residues[letter] = 1000003 + 7919 * letter;
        }
        return residues;
    }();
    return point;
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
        std::optional<MI::Residues> imageA = MI::Image(a, x, SurePoint());
        std::optional<MI::Residues> imageB = MI::Image(b, x, SurePoint());
        // A leading coefficient that vanishes in the image could hide a common factor.
        if (!imageA || !imageB || imageA->back() == 0 || imageB->back() == 0 ||
            MI::GcdDegree(std::move(*imageA), std::move(*imageB)) > 0) {
            return false;
        }
    }
    return true;
}
