#include "model/CPolynomValue.h"
#include "model/WorkBudget.h"

#include "model/EngineAssert.h"
#include "model/EngineLimits.h"
#include "model/ModularImage.h"
#include "model/PolynomNumber.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <numeric>

namespace PN = PolynomNumber;

// --- letter parts --------------------------------------------------------------------------------

std::int64_t PolynomTerm::Degree() const {
    std::int64_t degree = 0;
    for (const LetterPower& power : powers) {
        degree += power.exponent;
    }
    return degree;
}

std::int64_t PolynomTerm::ExponentOf(unsigned char letter) const {
    for (const LetterPower& power : powers) {
        if (power.letter == letter) {
            return power.exponent;
        }
        if (power.letter > letter) {
            break;
        }
    }
    return 0;
}

int CompareLexicographic(const LetterPowers& a, const LetterPowers& b) {
    auto ia = a.begin();
    auto ib = b.begin();
    while (ia != a.end() || ib != b.end()) {
        // The smaller letter of the two heads is the next letter of the union; a side that lacks
        // it has exponent 0 there.
        if (ib == b.end() || (ia != a.end() && ia->letter < ib->letter)) {
            return 1;
        }
        if (ia == a.end() || ib->letter < ia->letter) {
            return -1;
        }
        if (ia->exponent != ib->exponent) {
            return ia->exponent < ib->exponent ? -1 : 1;
        }
        ++ia;
        ++ib;
    }
    return 0;
}

bool PrecedesCanonically(const LetterPowers& a, std::int64_t degreeA, const LetterPowers& b,
                         std::int64_t degreeB) {
    if (degreeA != degreeB) {
        return degreeA > degreeB;
    }
    return CompareLexicographic(a, b) > 0;
}

LetterPowers MultiplyPowers(const LetterPowers& a, const LetterPowers& b) {
    LetterPowers result;
    result.reserve(a.size() + b.size());
    auto ia = a.begin();
    auto ib = b.begin();
    while (ia != a.end() || ib != b.end()) {
        if (ib == b.end() || (ia != a.end() && ia->letter < ib->letter)) {
            result.push_back(*ia++);
        } else if (ia == a.end() || ib->letter < ia->letter) {
            result.push_back(*ib++);
        } else {
            std::int64_t exponent = ia->exponent + ib->exponent;
            if (DegreeTooLarge(exponent)) {
                exponent = EngineLimits::kMaxPolynomialDegree;
            }
            result.push_back({ia->letter, exponent});
            ++ia;
            ++ib;
        }
    }
    return result;
}

bool DividesPowers(const LetterPowers& divisor, const LetterPowers& dividend) {
    auto id = dividend.begin();
    for (const LetterPower& power : divisor) {
        while (id != dividend.end() && id->letter < power.letter) {
            ++id;
        }
        if (id == dividend.end() || id->letter != power.letter || id->exponent < power.exponent) {
            return false;
        }
    }
    return true;
}

LetterPowers DividePowers(const LetterPowers& dividend, const LetterPowers& divisor) {
    LetterPowers result;
    result.reserve(dividend.size());
    auto id = divisor.begin();
    for (const LetterPower& power : dividend) {
        while (id != divisor.end() && id->letter < power.letter) {
            ++id;
        }
        std::int64_t exponent = power.exponent;
        if (id != divisor.end() && id->letter == power.letter) {
            exponent -= id->exponent;
        }
        if (exponent > 0) {
            result.push_back({power.letter, exponent});
        }
    }
    return result;
}

bool PolynomTooLarge(std::size_t termCount) {
    if (termCount > EngineLimits::kMaxPolynomialTerms) {
        PN::ReportLimitExceeded();
        return true;
    }
    return false;
}

bool DegreeTooLarge(std::int64_t degree) {
    if (degree > EngineLimits::kMaxPolynomialDegree) {
        PN::ReportLimitExceeded();
        return true;
    }
    return false;
}

// --- construction and canonical form -------------------------------------------------------------

namespace {

// The canonical form every operation leaves: each term with a coefficient other than 0 and its
// letters strictly ascending with positive exponents, each term strictly before the next in
// canonical order (so no two are like terms).
bool IsCanonical(const std::vector<PolynomTerm>& terms) {
    for (std::size_t i = 0; i < terms.size(); ++i) {
        const PolynomTerm& term = terms[i];
        if (term.coefficient.IsZero()) {
            return false;
        }
        for (std::size_t k = 0; k < term.powers.size(); ++k) {
            if (term.powers[k].exponent <= 0 ||
                (k > 0 && term.powers[k - 1].letter >= term.powers[k].letter)) {
                return false;
            }
        }
        if (i > 0 &&
            !PrecedesCanonically(terms[i - 1].powers, terms[i - 1].Degree(), term.powers, term.Degree())) {
            return false;
        }
    }
    return true;
}

} // namespace

CPolynomValue::CPolynomValue(const CNumber& constant) {
    if (!constant.IsZero()) {
        m_terms.push_back({constant, {}});
    }
}

CPolynomValue::CPolynomValue(std::int32_t constant) : CPolynomValue(CNumber(constant)) {}

CPolynomValue CPolynomValue::Letter(unsigned char letter, std::int64_t exponent) {
    CPolynomValue result;
    if (exponent <= 0) {
        result.m_terms.push_back({CNumber(1), {}});
    } else {
        DegreeTooLarge(exponent);
        result.m_terms.push_back(
            {CNumber(1), {{letter, std::min(exponent, EngineLimits::kMaxPolynomialDegree)}}});
    }
    return result;
}

CPolynomValue CPolynomValue::FromTerm(PolynomTerm term) {
    CPolynomValue result;
    result.Append(std::move(term));
    result.Normalize();
    return result;
}

void CPolynomValue::Append(PolynomTerm term) {
    m_terms.push_back(std::move(term));
}

void CPolynomValue::Normalize(bool* reordered, bool* combined) {
    // Sort a table of positions with the degrees computed once, then rebuild in that order,
    // folding each run of like terms (they are neighbours after sorting) into its first term.
    struct Key {
        std::size_t index;
        std::int64_t degree;
    };
    std::vector<Key> keys;
    keys.reserve(m_terms.size());
    for (std::size_t i = 0; i < m_terms.size(); ++i) {
        if (!m_terms[i].coefficient.IsZero()) {
            keys.push_back({i, m_terms[i].Degree()});
        }
    }
    auto before = [this](const Key& a, const Key& b) {
        return PrecedesCanonically(m_terms[a.index].powers, a.degree, m_terms[b.index].powers, b.degree);
    };
    if (reordered != nullptr) {
        *reordered = false;
        for (std::size_t k = 1; k < keys.size() && !*reordered; ++k) {
            *reordered = before(keys[k], keys[k - 1]);
        }
    }
    if (combined != nullptr) {
        *combined = false;
    }
    std::sort(keys.begin(), keys.end(), before);
    std::vector<PolynomTerm> result;
    result.reserve(keys.size());
    for (std::size_t k = 0; k < keys.size();) {
        PolynomTerm term = std::move(m_terms[keys[k].index]);
        std::size_t next = k + 1;
        while (next < keys.size() && keys[next].degree == keys[k].degree &&
               m_terms[keys[next].index].powers == term.powers) {
            term.coefficient.AddInPlace(m_terms[keys[next].index].coefficient);
            ++next;
            if (combined != nullptr) {
                *combined = true;
            }
        }
        if (!term.coefficient.IsZero()) {
            result.push_back(std::move(term));
        }
        k = next;
    }
    m_terms = std::move(result);
    if (PolynomTooLarge(m_terms.size())) {
        m_terms.clear();
    }
    ORBELIN_ASSERT(IsCanonical(m_terms));
}

// --- tests and shape -----------------------------------------------------------------------------

bool CPolynomValue::IsConstant() const {
    return m_terms.empty() || (m_terms.size() == 1 && m_terms[0].IsConstant());
}

bool CPolynomValue::IsNumber(const CNumber& value) const {
    if (m_terms.empty()) {
        return value.IsZero();
    }
    return m_terms.size() == 1 && m_terms[0].IsConstant() && PN::Equal(m_terms[0].coefficient, value);
}

bool CPolynomValue::IsOne() const {
    return m_terms.size() == 1 && m_terms[0].IsConstant() && m_terms[0].coefficient.IsOne();
}

CNumber CPolynomValue::ConstantValue() const {
    for (const PolynomTerm& term : m_terms) {
        if (term.IsConstant()) {
            return term.coefficient;
        }
    }
    return CNumber(0);
}

bool CPolynomValue::operator==(const CPolynomValue& other) const {
    if (m_terms.size() != other.m_terms.size()) {
        return false;
    }
    for (std::size_t i = 0; i < m_terms.size(); ++i) {
        if (m_terms[i].powers != other.m_terms[i].powers ||
            !PN::Equal(m_terms[i].coefficient, other.m_terms[i].coefficient)) {
            return false;
        }
    }
    return true;
}

std::string CPolynomValue::Letters() const {
    std::string letters;
    for (const PolynomTerm& term : m_terms) {
        for (const LetterPower& power : term.powers) {
            const char letter = static_cast<char>(power.letter);
            auto at = std::lower_bound(letters.begin(), letters.end(), letter, [](char a, char b) {
                return static_cast<unsigned char>(a) < static_cast<unsigned char>(b);
            });
            if (at == letters.end() || *at != letter) {
                letters.insert(at, letter);
            }
        }
    }
    return letters;
}

bool CPolynomValue::HasLetter(unsigned char letter) const {
    for (const PolynomTerm& term : m_terms) {
        if (term.ExponentOf(letter) > 0) {
            return true;
        }
    }
    return false;
}

std::int64_t CPolynomValue::DegreeIn(unsigned char letter) const {
    std::int64_t degree = 0;
    for (const PolynomTerm& term : m_terms) {
        degree = std::max(degree, term.ExponentOf(letter));
    }
    return degree;
}

std::int64_t CPolynomValue::TotalDegree() const {
    // Canonical order puts the highest total degree first.
    return m_terms.empty() ? 0 : m_terms.front().Degree();
}

const PolynomTerm& CPolynomValue::LeadingTerm() const {
    std::size_t best = 0;
    for (std::size_t i = 1; i < m_terms.size(); ++i) {
        if (CompareLexicographic(m_terms[i].powers, m_terms[best].powers) > 0) {
            best = i;
        }
    }
    return m_terms[best];
}

int CPolynomValue::LeadingSign() const {
    return m_terms.empty() ? 0 : LeadingTerm().coefficient.Sign();
}

// --- arithmetic ----------------------------------------------------------------------------------

CPolynomValue CPolynomValue::Sum(const CPolynomValue& other) const {
    CPolynomValue result(*this);
    result.AddInPlace(other);
    return result;
}

CPolynomValue CPolynomValue::Difference(const CPolynomValue& other) const {
    CPolynomValue result(*this);
    result.SubtractInPlace(other);
    return result;
}

void CPolynomValue::AddInPlace(const CPolynomValue& other) {
    if (&other == this) {
        Scale(CNumber(2));
        return;
    }
    WorkBudget::Charge(static_cast<std::int64_t>(m_terms.size() + other.m_terms.size()));
    if (!IsCanonical(m_terms) || !IsCanonical(other.m_terms)) {
        m_terms.insert(m_terms.end(), other.m_terms.begin(), other.m_terms.end());
        Normalize();
        return;
    }
    // Two canonical lists: one merge in canonical order, like terms folded where they meet, so that
    // a sum built term by term costs the length of the sum each time instead of a sort.
    std::vector<PolynomTerm> merged;
    merged.reserve(m_terms.size() + other.m_terms.size());
    auto a = m_terms.begin();
    auto b = other.m_terms.begin();
    while (a != m_terms.end() && b != other.m_terms.end()) {
        const std::int64_t degreeA = a->Degree();
        const std::int64_t degreeB = b->Degree();
        if (PrecedesCanonically(a->powers, degreeA, b->powers, degreeB)) {
            merged.push_back(std::move(*a++));
        } else if (PrecedesCanonically(b->powers, degreeB, a->powers, degreeA)) {
            merged.push_back(*b++);
        } else {
            PolynomTerm like = std::move(*a++);
            like.coefficient.AddInPlace((b++)->coefficient);
            if (!like.coefficient.IsZero()) {
                merged.push_back(std::move(like));
            }
        }
    }
    merged.insert(merged.end(), std::make_move_iterator(a), std::make_move_iterator(m_terms.end()));
    merged.insert(merged.end(), b, other.m_terms.end());
    m_terms = std::move(merged);
    if (PolynomTooLarge(m_terms.size())) {
        m_terms.clear();
    }
    ORBELIN_ASSERT(IsCanonical(m_terms));
}

void CPolynomValue::SubtractInPlace(const CPolynomValue& other) {
    CPolynomValue negated = other;
    negated.Negate();
    AddInPlace(negated);
}

namespace {

// Letters of both factors when there are at most four of them, in ascending byte order.
bool SmallLetterSet(const std::vector<PolynomTerm>& a, const std::vector<PolynomTerm>& b,
                    std::array<unsigned char, 4>& letters, std::size_t& count) {
    count = 0;
    for (const std::vector<PolynomTerm>* side : {&a, &b}) {
        for (const PolynomTerm& term : *side) {
            for (const LetterPower& power : term.powers) {
                auto end = letters.begin() + static_cast<std::ptrdiff_t>(count);
                auto at = std::lower_bound(letters.begin(), end, power.letter);
                if (at != end && *at == power.letter) {
                    continue;
                }
                if (count == letters.size()) {
                    return false;
                }
                std::copy_backward(at, end, end + 1);
                *at = power.letter;
                ++count;
            }
        }
    }
    return true;
}

// The exponents of a term packed into one word, kPackedExponentBits a letter, the first letter
// highest: the lexicographic order of monomials is then the order of the words, and the word of a
// product is the sum of the words of its factors as long as no exponent of the product passes the
// degree limit (ProductOf checks that before it packs).
constexpr int kPackedExponentBits = 16;
static_assert(kPackedExponentBits * 4 <= 64, "four letters must fit one word");
static_assert(EngineLimits::kMaxPolynomialDegree < (std::int64_t{1} << kPackedExponentBits),
              "an exponent up to the degree limit must fit its field of the packed word");

std::uint64_t PackPowers(const LetterPowers& powers, const std::array<unsigned char, 4>& letters) {
    std::uint64_t key = 0;
    std::size_t slot = 0;
    for (const LetterPower& power : powers) {
        while (letters[slot] != power.letter) {
            ++slot;
        }
        key |= static_cast<std::uint64_t>(power.exponent) << (kPackedExponentBits * (3 - slot));
    }
    return key;
}

std::int64_t MaxExponent(const std::vector<PolynomTerm>& terms) {
    std::int64_t highest = 0;
    for (const PolynomTerm& term : terms) {
        for (const LetterPower& power : term.powers) {
            highest = std::max(highest, power.exponent);
        }
    }
    return highest;
}

} // namespace

CPolynomValue CPolynomValue::ProductOf(const std::vector<PolynomTerm>& a, const std::vector<PolynomTerm>& b,
                                       bool* reordered, bool* combined) {
    CPolynomValue result;
    if (a.size() * b.size() > EngineLimits::kMaxTermProducts ||
        !WorkBudget::ChargeAhead(static_cast<std::int64_t>(a.size() * b.size()))) {
        PN::ReportLimitExceeded();
        return result;
    }
    std::array<unsigned char, 4> letters{};
    std::size_t letterCount = 0;
    const bool noZero =
        std::none_of(a.begin(), a.end(), [](const PolynomTerm& t) { return t.coefficient.IsZero(); }) &&
        std::none_of(b.begin(), b.end(), [](const PolynomTerm& t) { return t.coefficient.IsZero(); });
    if (noZero && SmallLetterSet(a, b, letters, letterCount) &&
        MaxExponent(a) + MaxExponent(b) <= EngineLimits::kMaxPolynomialDegree) {
        // Each product term as (packed exponents, degree, i, j): sorting these small records and
        // summing the coefficient products of each run gives the canonical form without making the
        // raw terms. The order of the raw terms (i major, j minor) decides whether a term moved.
        struct Entry {
            std::uint64_t key;
            std::int64_t degree;
            std::uint32_t i;
            std::uint32_t j;
        };
        std::vector<std::uint64_t> keysB(b.size());
        std::vector<std::int64_t> degreesB(b.size());
        for (std::size_t j = 0; j < b.size(); ++j) {
            keysB[j] = PackPowers(b[j].powers, letters);
            degreesB[j] = b[j].Degree();
        }
        std::vector<Entry> entries;
        entries.reserve(a.size() * b.size());
        for (std::size_t i = 0; i < a.size(); ++i) {
            const std::uint64_t keyA = PackPowers(a[i].powers, letters);
            const std::int64_t degreeA = a[i].Degree();
            for (std::size_t j = 0; j < b.size(); ++j) {
                entries.push_back({keyA + keysB[j], degreeA + degreesB[j], static_cast<std::uint32_t>(i),
                                   static_cast<std::uint32_t>(j)});
            }
        }
        auto before = [](const Entry& x, const Entry& y) {
            return x.degree != y.degree ? x.degree > y.degree : x.key > y.key;
        };
        if (reordered != nullptr) {
            *reordered = false;
            for (std::size_t k = 1; k < entries.size() && !*reordered; ++k) {
                *reordered = before(entries[k], entries[k - 1]);
            }
        }
        std::sort(entries.begin(), entries.end(), before);
        if (combined != nullptr) {
            *combined = false;
        }
        for (std::size_t first = 0; first < entries.size();) {
            // Long coefficients make each product costly: a spent budget stops the product at the
            // next coefficient product (a run of like terms may hold thousands of them).
            if (PN::LimitExceeded()) {
                return CPolynomValue();
            }
            std::size_t next = first + 1;
            CNumber coefficient =
                PN::Product(a[entries[first].i].coefficient, b[entries[first].j].coefficient);
            while (next < entries.size() && entries[next].key == entries[first].key) {
                if (PN::LimitExceeded()) {
                    return CPolynomValue();
                }
                coefficient.AddInPlace(
                    PN::Product(a[entries[next].i].coefficient, b[entries[next].j].coefficient));
                ++next;
                if (combined != nullptr) {
                    *combined = true;
                }
            }
            if (!coefficient.IsZero()) {
                result.m_terms.push_back(
                    {std::move(coefficient),
                     MultiplyPowers(a[entries[first].i].powers, b[entries[first].j].powers)});
            }
            first = next;
        }
        if (PolynomTooLarge(result.m_terms.size())) {
            result.m_terms.clear();
        }
        ORBELIN_ASSERT(IsCanonical(result.m_terms));
        return result;
    }
    result.m_terms.reserve(a.size() * b.size());
    for (const PolynomTerm& x : a) {
        if (PN::LimitExceeded()) {
            return CPolynomValue();
        }
        for (const PolynomTerm& y : b) {
            result.m_terms.push_back(
                {PN::Product(x.coefficient, y.coefficient), MultiplyPowers(x.powers, y.powers)});
        }
    }
    result.Normalize(reordered, combined);
    return result;
}

CPolynomValue CPolynomValue::Product(const CPolynomValue& other) const {
    return ProductOf(m_terms, other.m_terms);
}

void CPolynomValue::MultiplyInPlace(const CPolynomValue& other) {
    *this = Product(other);
}

CPolynomValue CPolynomValue::ProductWithTerm(const PolynomTerm& term) const {
    CPolynomValue result;
    if (term.coefficient.IsZero()) {
        return result;
    }
    result.m_terms.reserve(m_terms.size());
    for (const PolynomTerm& a : m_terms) {
        result.m_terms.push_back(
            {PN::Product(a.coefficient, term.coefficient), MultiplyPowers(a.powers, term.powers)});
    }
    // Multiplying by one term keeps the order and creates no like terms, unless an exponent was
    // clipped at the limit (then the flag is set and the value no longer matters).
    result.Normalize();
    return result;
}

CPolynomValue CPolynomValue::Scaled(const CNumber& factor) const {
    CPolynomValue result(*this);
    result.Scale(factor);
    return result;
}

void CPolynomValue::Scale(const CNumber& factor) {
    if (factor.IsZero()) {
        m_terms.clear();
        return;
    }
    for (PolynomTerm& term : m_terms) {
        term.coefficient.MultiplyInPlace(factor);
    }
}

void CPolynomValue::Negate() {
    for (PolynomTerm& term : m_terms) {
        term.coefficient.Negate();
    }
}

int CPolynomValue::MakeLeadingSignPositive() {
    if (LeadingSign() < 0) {
        Negate();
        return -1;
    }
    return 1;
}

CPolynomValue CPolynomValue::Power(std::int64_t exponent) const {
    if (exponent <= 0) {
        return CPolynomValue(1);
    }
    if (exponent == 1) {
        return *this;
    }
    if (m_terms.size() == 1) {
        // A single term: raise the coefficient, multiply the exponents (each letter's exponent is
        // bounded, not their sum).
        for (const LetterPower& power : m_terms[0].powers) {
            if (DegreeTooLarge(power.exponent *
                               std::min<std::int64_t>(exponent, EngineLimits::kMaxPolynomialDegree + 1))) {
                return CPolynomValue();
            }
        }
        PolynomTerm term{PN::Power(m_terms[0].coefficient, exponent), m_terms[0].powers};
        for (LetterPower& power : term.powers) {
            power.exponent *= exponent;
        }
        return FromTerm(std::move(term));
    }
    if (m_terms.empty()) {
        return CPolynomValue();
    }
    if (DegreeTooLarge(exponent)) {
        return CPolynomValue();
    }
    CPolynomValue half = Power(exponent / 2);
    CPolynomValue result = half.Product(half);
    if (exponent % 2 == 1) {
        result = result.Product(*this);
    }
    return result;
}

namespace {

std::vector<PolynomTerm> InLexicographicOrder(std::vector<PolynomTerm> terms) {
    std::sort(terms.begin(), terms.end(), [](const PolynomTerm& a, const PolynomTerm& b) {
        return CompareLexicographic(a.powers, b.powers) > 0;
    });
    return terms;
}

// remainder - step * divisor, both in falling lexicographic order and so the result; terms that
// cancel are dropped. Multiplying by one term keeps the order, so this is a merge of two sorted lists.
std::vector<PolynomTerm> SubtractMultiple(std::vector<PolynomTerm> remainder,
                                          const std::vector<PolynomTerm>& divisor, const PolynomTerm& step) {
    std::vector<PolynomTerm> result;
    result.reserve(remainder.size() + divisor.size());
    std::size_t i = 0;
    for (const PolynomTerm& term : divisor) {
        PolynomTerm product{PN::Negated(PN::Product(term.coefficient, step.coefficient)),
                            MultiplyPowers(term.powers, step.powers)};
        int order = 1;
        while (i < remainder.size() &&
               (order = CompareLexicographic(remainder[i].powers, product.powers)) > 0) {
            result.push_back(std::move(remainder[i++]));
        }
        if (i < remainder.size() && order == 0) {
            product.coefficient.AddInPlace(remainder[i++].coefficient);
        }
        if (!product.coefficient.IsZero()) {
            result.push_back(std::move(product));
        }
    }
    result.insert(result.end(), std::make_move_iterator(remainder.begin() + static_cast<std::ptrdiff_t>(i)),
                  std::make_move_iterator(remainder.end()));
    return result;
}

} // namespace

std::optional<CPolynomValue> CPolynomValue::DivideExact(const CPolynomValue& divisor) const {
    if (divisor.IsZero()) {
        return std::nullopt;
    }
    CPolynomValue quotient;
    if (IsZero()) {
        return quotient;
    }
    // Most divisions tried by the simplifier do not go through: one image modulo a prime refutes
    // them at the cost of a pass over the terms.
    if (!ModularImage::MayDivide(divisor, *this)) {
        return std::nullopt;
    }
    const std::vector<PolynomTerm> sortedDivisor = InLexicographicOrder(divisor.m_terms);
    const PolynomTerm& lead = sortedDivisor.front();
    std::vector<PolynomTerm> remainder = InLexicographicOrder(m_terms);
    // Each step removes the lexicographically greatest term of the remainder, and the
    // lexicographic order has no infinite falling chains; the bound only guards the limits.
    std::size_t steps = 0;
    while (!remainder.empty()) {
        const PolynomTerm& top = remainder.front();
        if (!DividesPowers(lead.powers, top.powers) || PN::LimitExceeded() ||
            ++steps > EngineLimits::kMaxPolynomialTerms * 4 || PolynomTooLarge(remainder.size()) ||
            !WorkBudget::Charge(static_cast<std::int64_t>(sortedDivisor.size()))) {
            return std::nullopt;
        }
        PolynomTerm step{PN::Quotient(top.coefficient, lead.coefficient),
                         DividePowers(top.powers, lead.powers)};
        remainder = SubtractMultiple(std::move(remainder), sortedDivisor, step);
        quotient.m_terms.push_back(std::move(step));
    }
    quotient.Normalize();
    return quotient;
}

CPolynomValue CPolynomValue::Derivative(unsigned char letter) const {
    CPolynomValue result;
    for (const PolynomTerm& term : m_terms) {
        const std::int64_t exponent = term.ExponentOf(letter);
        if (exponent <= 0) {
            continue;
        }
        PolynomTerm derived{PN::Product(term.coefficient, PN::FromInt(exponent)), {}};
        for (const LetterPower& power : term.powers) {
            if (power.letter != letter) {
                derived.powers.push_back(power);
            } else if (power.exponent > 1) {
                derived.powers.push_back({letter, power.exponent - 1});
            }
        }
        result.m_terms.push_back(std::move(derived));
    }
    result.Normalize();
    return result;
}

CPolynomValue CPolynomValue::Antiderivative(unsigned char letter) const {
    CPolynomValue result;
    for (const PolynomTerm& term : m_terms) {
        const std::int64_t exponent = term.ExponentOf(letter) + 1;
        PolynomTerm raised{PN::Quotient(term.coefficient, PN::FromInt(exponent)), {}};
        bool placed = false;
        for (const LetterPower& power : term.powers) {
            if (!placed && power.letter >= letter) {
                raised.powers.push_back({letter, exponent});
                placed = true;
                if (power.letter == letter) {
                    continue;
                }
            }
            raised.powers.push_back(power);
        }
        if (!placed) {
            raised.powers.push_back({letter, exponent});
        }
        DegreeTooLarge(exponent);
        result.m_terms.push_back(std::move(raised));
    }
    result.Normalize();
    return result;
}

CNumber CPolynomValue::ValueAt(const std::vector<std::pair<unsigned char, CNumber>>& point) const {
    CNumber total(0);
    for (const PolynomTerm& term : m_terms) {
        CNumber value(term.coefficient);
        for (const LetterPower& power : term.powers) {
            auto at = std::find_if(point.begin(), point.end(),
                                   [&](const auto& entry) { return entry.first == power.letter; });
            if (at == point.end()) {
                value = CNumber(0);
                break;
            }
            value.MultiplyInPlace(PN::Power(at->second, power.exponent));
        }
        total.AddInPlace(value);
    }
    return total;
}

CNumber CPolynomValue::ValueAt(unsigned char letter, const CNumber& value) const {
    return ValueAt({{letter, value}});
}

// --- contents ------------------------------------------------------------------------------------

std::optional<CNumber> CPolynomValue::IntegerContent() const {
    if (m_terms.empty()) {
        return std::nullopt;
    }
    CNumber content(0);
    for (const PolynomTerm& term : m_terms) {
        if (!PN::IsInteger(term.coefficient)) {
            return std::nullopt;
        }
    }
    for (const PolynomTerm& term : m_terms) {
        content = content.IsZero() ? PN::Abs(term.coefficient) : PN::Gcd(content, term.coefficient);
        if (content.IsOne()) {
            break;
        }
    }
    return content;
}

CNumber CPolynomValue::RemoveIntegerContent() {
    std::optional<CNumber> content = IntegerContent();
    if (!content || content->IsOne() || content->IsZero()) {
        return CNumber(1);
    }
    for (PolynomTerm& term : m_terms) {
        term.coefficient.DivideInPlace(*content);
    }
    return *content;
}

CNumber CPolynomValue::ClearDenominators() {
    CNumber multiple(1);
    for (const PolynomTerm& term : m_terms) {
        if (!PN::IsInteger(term.coefficient)) {
            multiple = PN::Lcm(multiple, PN::Denominator(term.coefficient));
        }
    }
    if (multiple.IsOne()) {
        return multiple;
    }
    Scale(multiple);
    return PN::Quotient(CNumber(1), multiple);
}

CNumber CPolynomValue::MakePrimitive() {
    CNumber factor = ClearDenominators();
    factor.MultiplyInPlace(RemoveIntegerContent());
    return factor;
}

// --- polynomial in one letter --------------------------------------------------------------------

LetterCoefficients SplitByLetter(const CPolynomValue& polynom, unsigned char letter) {
    LetterCoefficients records;
    for (const PolynomTerm& term : polynom.Terms()) {
        PolynomTerm rest{term.coefficient, {}};
        std::int64_t exponent = 0;
        for (const LetterPower& power : term.powers) {
            if (power.letter == letter) {
                exponent = power.exponent;
            } else {
                rest.powers.push_back(power);
            }
        }
        auto at = std::find_if(records.begin(), records.end(),
                               [exponent](const LetterCoefficient& r) { return r.exponent == exponent; });
        if (at == records.end()) {
            records.push_back({exponent, CPolynomValue()});
            at = std::prev(records.end());
        }
        at->coefficient.Append(std::move(rest));
    }
    for (LetterCoefficient& record : records) {
        record.coefficient.Normalize();
    }
    return records;
}

CPolynomValue JoinByLetter(const LetterCoefficients& records, unsigned char letter) {
    CPolynomValue result;
    for (const LetterCoefficient& record : records) {
        if (record.exponent == 0) {
            for (const PolynomTerm& term : record.coefficient.Terms()) {
                result.Append(term);
            }
            continue;
        }
        PolynomTerm power{CNumber(1), {{letter, record.exponent}}};
        for (const PolynomTerm& term : record.coefficient.Terms()) {
            result.Append({term.coefficient, MultiplyPowers(term.powers, power.powers)});
        }
    }
    result.Normalize();
    return result;
}

std::size_t HighestRecord(const LetterCoefficients& records) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < records.size(); ++i) {
        if (records[i].exponent > records[best].exponent) {
            best = i;
        }
    }
    return best;
}
