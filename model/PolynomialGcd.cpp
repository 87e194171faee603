#include "model/PolynomialGcd.h"

#include "model/COPolynom.h"
#include "model/EngineLimits.h"
#include "model/GcdDegreeBound.h"
#include "model/HeuristicGcd.h"
#include "model/ModularGcd.h"
#include "model/PolynomNumber.h"
#include "model/WorkBudget.h"

#include <algorithm>
#include <optional>
#include <string>

namespace PN = PolynomNumber;

namespace {

// The work of one top-level gcd: coefficient operations of the one-letter eliminations and terms of
// the pseudo-remainders, shared by the nested calls on contents and leading coefficients. Past
// EngineLimits::kMaxGcdWork the number limit flag is reported and the loops stop, so that
// polynomials whose remainders swell (high degrees in several letters) end a solve with the "too
// large" error instead of running for minutes.
struct GcdWork {
    int depth = 0;
    std::int64_t spent = 0;
};

thread_local GcdWork gcdWork;

class GcdWorkScope {
public:
    GcdWorkScope() {
        if (gcdWork.depth++ == 0) {
            gcdWork.spent = 0;
        }
    }
    ~GcdWorkScope() { --gcdWork.depth; }
    GcdWorkScope(const GcdWorkScope&) = delete;
    GcdWorkScope& operator=(const GcdWorkScope&) = delete;
};

// The cost of one operation on a coefficient, growing with the square of its digits as long
// multiplication and division do.
std::int64_t DigitWeight(const CNumber& c) {
    const std::int64_t digits = c.IsInteger() ? c.Numerator().DigitCount() : 20;
    return 1 + digits * digits / 400;
}

std::int64_t DigitWeight(const CPolynomValue& p) {
    std::int64_t weight = 1;
    for (const PolynomTerm& term : p.Terms()) {
        weight = std::max(weight, DigitWeight(term.coefficient));
    }
    return weight;
}

// Counts work; false (and the limit flag reported) once the budget is spent.
bool Charge(std::size_t count, std::int64_t weight) {
    const std::int64_t work = static_cast<std::int64_t>(count) * weight;
    gcdWork.spent += work;
    if (!WorkBudget::Charge(work * WorkBudget::kUnitsPerGcdStep) ||
        gcdWork.spent > EngineLimits::kMaxGcdWork) {
        PN::ReportLimitExceeded();
        return false;
    }
    return true;
}

// The common letters of a and b, then of b, in ascending byte order.
std::string UnionOfLetters(const CPolynomValue& a, const CPolynomValue& b) {
    std::string letters = a.Letters();
    for (char letter : b.Letters()) {
        auto at = std::lower_bound(letters.begin(), letters.end(), letter, [](char x, char y) {
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
        });
        if (at == letters.end() || *at != letter) {
            letters.insert(at, letter);
        }
    }
    return letters;
}

// A polynomial in one letter as its coefficients by exponent (index 0 the constant term), without
// zero coefficients at the top; the zero polynomial is empty.
using DenseCoefficients = std::vector<CNumber>;

DenseCoefficients ToDense(const CPolynomValue& p, unsigned char letter) {
    DenseCoefficients dense(static_cast<std::size_t>(p.DegreeIn(letter)) + (p.IsZero() ? 0 : 1));
    for (const PolynomTerm& term : p.Terms()) {
        dense[static_cast<std::size_t>(term.ExponentOf(letter))] = term.coefficient;
    }
    return dense;
}

CPolynomValue FromDense(const DenseCoefficients& dense, unsigned char letter) {
    CPolynomValue p;
    for (std::size_t e = 0; e < dense.size(); ++e) {
        if (!dense[e].IsZero()) {
            p.Append(
                {dense[e], e > 0 ? LetterPowers{{letter, static_cast<std::int64_t>(e)}} : LetterPowers{}});
        }
    }
    p.Normalize();
    return p;
}

void TrimTop(DenseCoefficients& dense) {
    while (!dense.empty() && dense.back().IsZero()) {
        dense.pop_back();
    }
}

// Integer coefficients without a common factor and a positive leading coefficient.
void MakeDensePrimitive(DenseCoefficients& dense) {
    CNumber multiple(1);
    for (const CNumber& c : dense) {
        if (!c.IsZero() && !c.IsWhole()) {
            multiple = PN::Lcm(multiple, PN::Denominator(c));
        }
    }
    CNumber content(0);
    for (CNumber& c : dense) {
        if (!multiple.IsOne()) {
            c.MultiplyInPlace(multiple);
        }
        if (!c.IsZero() && !content.IsOne()) {
            content = content.IsZero() ? PN::Abs(c) : PN::Gcd(content, c);
        }
    }
    if (!dense.empty() && dense.back().Sign() < 0) {
        content.Negate();
    }
    if (!content.IsZero() && !content.IsOne()) {
        for (CNumber& c : dense) {
            c.DivideInPlace(content);
        }
    }
}

// One letter: copies q of a and r of b; while q is not 0, swap so that q's leading term is not the
// smaller one, then eliminate q's leading term with r (both scaled to meet at the least common
// multiple of their leading coefficients) and make q primitive with a positive leading sign. Every
// elimination lowers the degree of q, so the loop ends after at most deg a + deg b rounds. The
// polynomials are held as coefficient arrays by exponent, which is the same algorithm without the
// sorting of terms.
CPolynomValue OneLetterGcd(const CPolynomValue& a, const CPolynomValue& b, unsigned char letter) {
    DenseCoefficients q = ToDense(a, letter);
    DenseCoefficients r = ToDense(b, letter);
    while (
        !q.empty() && !PN::LimitExceeded() &&
        Charge(q.size() + r.size(), std::max(DigitWeight(q.back()), r.empty() ? 1 : DigitWeight(r.back())))) {
        if (q.size() < r.size()) {
            std::swap(q, r);
        }
        const std::size_t shift = q.size() - r.size();
        const CNumber meet = PN::Lcm(q.back(), r.back());
        const CNumber scaleQ = PN::Quotient(meet, q.back());
        const CNumber scaleR = PN::Quotient(meet, r.back());
        if (!scaleQ.IsOne()) {
            for (CNumber& c : q) {
                c.MultiplyInPlace(scaleQ);
            }
        }
        for (std::size_t i = 0; i < r.size(); ++i) {
            if (!r[i].IsZero()) {
                q[i + shift].SubtractInPlace(scaleR.IsOne() ? r[i] : PN::Product(r[i], scaleR));
            }
        }
        TrimTop(q);
        MakeDensePrimitive(q);
    }
    if (r.size() <= 1) {
        return CPolynomValue(1);
    }
    MakeDensePrimitive(r);
    return FromDense(r, letter);
}

// The leading coefficient (in the letter) and its exponent.
const LetterCoefficient& Leading(const LetterCoefficients& records) {
    return records[HighestRecord(records)];
}

// Divides the content of the coefficients out of a polynomial written in one letter, and then its
// numeric content (the gcd of coefficient polynomials in one letter leaves numbers out, and numbers
// left in would grow from one pseudo-remainder to the next).
CPolynomValue PrimitivePart(const CPolynomValue& p, unsigned char letter) {
    LetterCoefficients records = SplitByLetter(p, letter);
    if (records.empty()) {
        return p;
    }
    CPolynomValue content = ContentOfCoefficients(records);
    CPolynomValue result(p);
    if (!content.IsConstant()) {
        for (LetterCoefficient& record : records) {
            record.coefficient = record.coefficient.DivideExact(content).value_or(record.coefficient);
        }
        result = JoinByLetter(records, letter);
    }
    result.MakePrimitive();
    return result;
}

// Pseudo-remainders over polynomials in one letter with polynomial coefficients. A and B are
// primitive. While A is not 0: keep A of the higher degree, bring both leading coefficients to their
// least common multiple, subtract (the leading coefficient cancels, the degree of A falls) and
// divide out A's content. The last non-zero B is the gcd of the primitive parts.
CPolynomValue PseudoRemainderGcd(CPolynomValue A, CPolynomValue B, unsigned char letter) {
    while (!A.IsZero() && !PN::LimitExceeded() &&
           Charge(A.TermCount() + B.TermCount(), std::max(DigitWeight(A), DigitWeight(B)))) {
        LetterCoefficients recordsA = SplitByLetter(A, letter);
        LetterCoefficients recordsB = SplitByLetter(B, letter);
        if (Leading(recordsA).exponent < Leading(recordsB).exponent) {
            std::swap(A, B);
            std::swap(recordsA, recordsB);
        }
        const LetterCoefficient& p = Leading(recordsA);
        const LetterCoefficient& q = Leading(recordsB);
        CPolynomValue ca;
        CPolynomValue cb;
        LcmCofactors(p.coefficient, q.coefficient, ca, cb);
        CPolynomValue next = A.Product(ca);
        next.SubtractInPlace(B.Product(cb).ProductWithTerm(
            {CNumber(1),
             p.exponent > q.exponent ? LetterPowers{{letter, p.exponent - q.exponent}} : LetterPowers{}}));
        A = PrimitivePart(next, letter);
    }
    B.RemoveIntegerContent();
    return B;
}

CPolynomValue SeveralLetterGcd(const CPolynomValue& a, const CPolynomValue& b, const std::string& letters);
CPolynomValue RemainderGcd(const CPolynomValue& a, const CPolynomValue& b, const std::string& letters);

} // namespace

CPolynomValue ContentOfCoefficients(const LetterCoefficients& records) {
    if (records.size() == 1) {
        return records.front().coefficient;
    }
    CPolynomValue content;
    for (const LetterCoefficient& record : records) {
        content = content.IsZero() ? record.coefficient : PolynomialGcd(content, record.coefficient);
        if (content.IsOne()) {
            break;
        }
    }
    return content;
}

CPolynomValue PolynomialGcd(const CPolynomValue& a, const CPolynomValue& b) {
    const GcdWorkScope scope;
    if (a.IsZero()) {
        return b;
    }
    if (b.IsZero()) {
        return a;
    }
    const std::string letters = UnionOfLetters(a, b);
    if (letters.empty() || a.IsConstant() || b.IsConstant()) {
        return CPolynomValue(1);
    }
    if (letters.size() == 1) {
        return OneLetterGcd(a, b, static_cast<unsigned char>(letters.front()));
    }
    CPolynomValue g = SeveralLetterGcd(a, b, letters);
    if (g.IsConstant() && !g.IsZero()) {
        g = CPolynomValue(1);
    }
    g.MakePrimitive();
    g.MakeLeadingSignPositive();
    const std::optional<CNumber> numberA = a.IntegerContent();
    const std::optional<CNumber> numberB = b.IntegerContent();
    if (numberA && numberB) {
        g.Scale(PN::Gcd(*numberA, *numberB));
    }
    return g;
}

namespace {

// The gcd of the coefficients of a and b in the letter: the gcd of a and b when it has no such
// letter.
CPolynomValue GcdOfCoefficients(const CPolynomValue& a, const CPolynomValue& b, unsigned char letter) {
    LetterCoefficients records = SplitByLetter(a, letter);
    for (LetterCoefficient& record : SplitByLetter(b, letter)) {
        records.push_back(std::move(record));
    }
    CPolynomValue gcd;
    for (const LetterCoefficient& record : records) {
        gcd = gcd.IsZero() ? record.coefficient : PolynomialGcd(gcd, record.coefficient);
        if (gcd.IsConstant() || PN::LimitExceeded()) {
            return CPolynomValue(1);
        }
    }
    return gcd;
}

// The letter powers every term of p holds (each letter with its smallest exponent over the terms).
LetterPowers CommonPowers(const CPolynomValue& p) {
    LetterPowers common = p.Terms().front().powers;
    for (const PolynomTerm& term : p.Terms()) {
        LetterPowers kept;
        for (const LetterPower& power : common) {
            const std::int64_t exponent = std::min(power.exponent, term.ExponentOf(power.letter));
            if (exponent > 0) {
                kept.push_back({power.letter, exponent});
            }
        }
        common = std::move(kept);
    }
    return common;
}

// p divided by its common letter powers; `powers` receives them.
CPolynomValue WithoutCommonPowers(const CPolynomValue& p, LetterPowers& powers) {
    powers = CommonPowers(p);
    if (powers.empty()) {
        return p;
    }
    CPolynomValue rest;
    rest.Reserve(p.TermCount());
    for (const PolynomTerm& term : p.Terms()) {
        rest.Append({term.coefficient, DividePowers(term.powers, powers)});
    }
    rest.Normalize();
    return rest;
}

// The gcd of two monomials' letter parts: each letter with the smaller exponent.
LetterPowers SharedPowers(const LetterPowers& a, const LetterPowers& b) {
    LetterPowers shared;
    for (const LetterPower& power : a) {
        for (const LetterPower& other : b) {
            if (other.letter == power.letter) {
                shared.push_back({power.letter, std::min(power.exponent, other.exponent)});
            }
        }
    }
    return shared;
}

// Several letters, numeric contents aside:
//   0. letter powers common to all terms are taken out first: the gcd is the gcd of those powers
//      times the gcd of what is left, which holds no such power;
//   1. the degree of the gcd in each letter is bounded from modular images; when no letter can
//      stay the polynomials are coprime, otherwise a letter it cannot hold takes the work down to
//      the gcd of the coefficients in that letter (fewer letters);
//   2. otherwise the modular gcd, which does not swell and always finishes in up to four letters;
//   3. past four letters the heuristic gcd, and when it gives up (its numbers grow with the
//      degrees), contents and pseudo-remainders in the first letter.
CPolynomValue SeveralLetterGcd(const CPolynomValue& a, const CPolynomValue& b, const std::string& letters) {
    LetterPowers powersA;
    LetterPowers powersB;
    CPolynomValue integerA = WithoutCommonPowers(a, powersA);
    CPolynomValue integerB = WithoutCommonPowers(b, powersB);
    if (!powersA.empty() || !powersB.empty()) {
        const LetterPowers shared = SharedPowers(powersA, powersB);
        CPolynomValue rest = PolynomialGcd(integerA, integerB);
        return shared.empty() ? rest : rest.ProductWithTerm({CNumber(1), shared});
    }
    integerA.MakePrimitive();
    integerB.MakePrimitive();
    // Most pairs the simplifier meets are coprime, and their images show it in every letter: the
    // gcd is then a number, found without splitting into coefficients.
    std::optional<unsigned char> absentLetter;
    bool someLetterMayStay = false;
    for (char letter : letters) {
        const auto l = static_cast<unsigned char>(letter);
        if (GcdDegreeBound(integerA, integerB, l) > 0) {
            someLetterMayStay = true;
        } else if (!absentLetter) {
            absentLetter = l;
        }
    }
    if (!someLetterMayStay) {
        return CPolynomValue(1);
    }
    if (absentLetter) {
        return GcdOfCoefficients(integerA, integerB, *absentLetter);
    }
    if (std::optional<CPolynomValue> gcd = ModularGcd(integerA, integerB)) {
        return *gcd;
    }
    if (std::optional<CPolynomValue> gcd = HeuristicGcd(integerA, integerB)) {
        return *gcd;
    }
    return RemainderGcd(a, b, letters);
}

// Step 3: both written as polynomials in their first letter with polynomial coefficients; the gcd
// of their contents (fewer letters) times the gcd of their primitive parts by pseudo-remainders.
CPolynomValue RemainderGcd(const CPolynomValue& a, const CPolynomValue& b, const std::string& letters) {
    const auto letter = static_cast<unsigned char>(letters.front());
    LetterCoefficients recordsA = SplitByLetter(a, letter);
    LetterCoefficients recordsB = SplitByLetter(b, letter);
    const CPolynomValue contentA = ContentOfCoefficients(recordsA);
    const CPolynomValue contentB = ContentOfCoefficients(recordsB);
    for (LetterCoefficient& record : recordsA) {
        record.coefficient = record.coefficient.DivideExact(contentA).value_or(record.coefficient);
    }
    for (LetterCoefficient& record : recordsB) {
        record.coefficient = record.coefficient.DivideExact(contentB).value_or(record.coefficient);
    }
    CPolynomValue g = PolynomialGcd(contentA, contentB);
    CPolynomValue primitiveA = JoinByLetter(recordsA, letter);
    CPolynomValue primitiveB = JoinByLetter(recordsB, letter);
    primitiveA.MakePrimitive();
    primitiveB.MakePrimitive();
    CPolynomValue h = PseudoRemainderGcd(std::move(primitiveA), std::move(primitiveB), letter);
    if (g.IsConstant() && h.IsConstant()) {
        return h;
    }
    return g.Product(h);
}

} // namespace

CPolynomValue PolynomialLcm(const CPolynomValue& a, const CPolynomValue& b) {
    const CPolynomValue g = PolynomialGcd(a, b);
    if (g.IsConstant()) {
        return a.Product(b);
    }
    std::optional<CPolynomValue> part = a.DivideExact(g);
    return part ? part->Product(b) : a.Product(b);
}

void LcmCofactors(const CPolynomValue& a, const CPolynomValue& b, CPolynomValue& ca, CPolynomValue& cb) {
    const CPolynomValue l = PolynomialLcm(a, b);
    ca = l.DivideExact(a).value_or(b);
    cb = l.DivideExact(b).value_or(a);
}

CPolynomValue GcdUnlessDisjoint(const CPolynomValue& a, const CPolynomValue& b) {
    const std::string lettersA = a.Letters();
    const std::string lettersB = b.Letters();
    const bool shared = std::any_of(lettersA.begin(), lettersA.end(),
                                    [&](char letter) { return lettersB.find(letter) != std::string::npos; });
    if (!shared) {
        return CPolynomValue(1);
    }
    return PolynomialGcd(a, b);
}

std::unique_ptr<COPolynom> PolynomialGcd(const COPolynom& a, const COPolynom& b) {
    return COPolynom::FromValue(PolynomialGcd(a.Value(), b.Value()));
}

std::unique_ptr<COPolynom> PolynomialLcm(const COPolynom& a, const COPolynom& b) {
    return COPolynom::FromValue(PolynomialLcm(a.Value(), b.Value()));
}

void LcmCofactors(const COPolynom& a, const COPolynom& b, std::unique_ptr<COPolynom>& ca,
                  std::unique_ptr<COPolynom>& cb) {
    CPolynomValue va;
    CPolynomValue vb;
    LcmCofactors(a.Value(), b.Value(), va, vb);
    ca = COPolynom::FromValue(va);
    cb = COPolynom::FromValue(vb);
}

std::unique_ptr<COPolynom> GcdUnlessDisjoint(const COPolynom& a, const COPolynom& b) {
    return COPolynom::FromValue(GcdUnlessDisjoint(a.Value(), b.Value()));
}
