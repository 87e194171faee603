#include "solver/substitution/SubstitutionForms.h"

#include "solver/substitution/PolynomialDecomposition.h"

#include <algorithm>
#include <numeric>

namespace {

bool IsInOneLetter(const CPolynomValue& polynom, char letter) {
    const std::string letters = polynom.Letters();
    return letters.size() == 1 && letters[0] == letter;
}

std::int64_t DegreeOf(const CPolynomValue& polynom, char letter) {
    return polynom.DegreeIn(static_cast<unsigned char>(letter));
}

// The polynomial with its leading sign made positive; `negated` tells whether it was flipped.
CPolynomValue WithPositiveLead(const CPolynomValue& polynom, bool& negated) {
    CPolynomValue positive = polynom;
    negated = positive.MakeLeadingSignPositive() < 0;
    return positive;
}

CNumber Absolute(CNumber value) {
    if (value.Sign() < 0) {
        value.Negate();
    }
    return value;
}

std::vector<std::int32_t> DivisorsOf(std::int32_t n) {
    std::vector<std::int32_t> divisors;
    for (std::int32_t d = 1; static_cast<std::int64_t>(d) * d <= n; ++d) {
        if (n % d == 0) {
            divisors.push_back(d);
            if (d != n / d) {
                divisors.push_back(n / d);
            }
        }
    }
    return divisors;
}

// The integer value of a whole number within the root test's bound, else none.
std::optional<std::int32_t> SmallWhole(const CNumber& value) {
    CNumber magnitude = Absolute(value);
    if (!magnitude.IsWhole() || magnitude.Greater(SubstitutionLimits::kMaxRootTestCoefficient)) {
        return std::nullopt;
    }
    magnitude.ToInteger();
    return magnitude.ToInt();
}

} // namespace

std::optional<ShiftedCubeForm> FindShiftedCubeForm(const CPolynomValue& polynom, char letter) {
    if (!IsInOneLetter(polynom, letter) || DegreeOf(polynom, letter) != 3) {
        return std::nullopt;
    }
    ShiftedCubeForm form;
    form.primitive = WithPositiveLead(polynom, form.negated);
    form.primitive.MakePrimitive();
    const CNumber a = CoefficientAt(form.primitive, letter, 3);
    const CNumber b = CoefficientAt(form.primitive, letter, 2);
    const CNumber c = CoefficientAt(form.primitive, letter, 1);
    const CNumber d = CoefficientAt(form.primitive, letter, 0);
    if (b.IsZero() || d.IsZero() || !b.Product(b).Equal(a.Product(c).Product(CNumber(3)))) {
        return std::nullopt;
    }
    // With c = b^2/(3a) > 0 the sign of b goes to q, so that p and the multiplier stay positive.
    const CNumber g = CNumber::GcdOf(Absolute(b), c);
    if (g.IsZero()) {
        return std::nullopt;
    }
    form.p = ExactQuotient(Absolute(b), g);
    form.q = ExactQuotient(c, g);
    if (b.Sign() < 0) {
        form.q.Negate();
    }
    const std::optional<CNumber> pCubed = form.p.PowerOf(3);
    if (!pCubed) {
        return std::nullopt;
    }
    const CNumber m = CNumber::GcdOf(*pCubed, a);
    form.multiplier = ExactQuotient(*pCubed, m);
    form.factor = ExactQuotient(a, m);
    const std::optional<CNumber> qCubed = form.q.PowerOf(3);
    if (!qCubed) {
        return std::nullopt;
    }
    form.rest = d.Product(form.multiplier).Difference(form.factor.Product(*qCubed));
    return form;
}

std::optional<BiquadraticForm> FindBiquadraticForm(const CPolynomValue& polynom, char letter) {
    if (!IsInOneLetter(polynom, letter) || DegreeOf(polynom, letter) != 4 || polynom.TermCount() != 3) {
        return std::nullopt;
    }
    BiquadraticForm form;
    const CPolynomValue positive = WithPositiveLead(polynom, form.negated);
    form.a = CoefficientAt(positive, letter, 4);
    form.b = CoefficientAt(positive, letter, 2);
    form.c = CoefficientAt(positive, letter, 0);
    if (form.b.IsZero() || form.c.IsZero()) {
        return std::nullopt;
    }
    const CNumber discriminant =
        form.b.Product(form.b).Difference(form.a.Product(form.c).Product(CNumber(4)));
    if (discriminant.Sign() < 0 || !discriminant.ExactRoot(2)) {
        return std::nullopt;
    }
    return form;
}

std::optional<SymmetricQuarticForm> FindSymmetricQuarticForm(const CPolynomValue& polynom, char letter) {
    if (!IsInOneLetter(polynom, letter) || DegreeOf(polynom, letter) != 4) {
        return std::nullopt;
    }
    SymmetricQuarticForm form;
    const CPolynomValue positive = WithPositiveLead(polynom, form.negated);
    form.a = CoefficientAt(positive, letter, 4);
    form.b = CoefficientAt(positive, letter, 3);
    form.c = CoefficientAt(positive, letter, 2);
    const CNumber d = CoefficientAt(positive, letter, 1);
    const CNumber e = CoefficientAt(positive, letter, 0);
    if (form.b.IsZero() || d.IsZero() || e.IsZero() ||
        !d.Product(d).Product(form.a).Equal(form.b.Product(form.b).Product(e))) {
        return std::nullopt;
    }
    form.k = ExactQuotient(d, form.b);
    return form;
}

namespace {

// λ from the first i = m+1, m+2, ... with i - m odd and a_i non-zero, as the (i - m)-th root of
// a_(2m-i)/a_i; without such an i, the m-th root of a_0/a_(2m).
std::optional<CNumber> ReciprocalLambda(const CPolynomValue& polynom, char letter, std::int64_t m) {
    for (std::int64_t i = m + 1; i <= 2 * m; i += 2) {
        const CNumber top = CoefficientAt(polynom, letter, i);
        if (!top.IsZero()) {
            return ExactQuotient(CoefficientAt(polynom, letter, 2 * m - i), top)
                .ExactRoot(static_cast<std::int32_t>(i - m));
        }
    }
    return ExactQuotient(CoefficientAt(polynom, letter, 0), CoefficientAt(polynom, letter, 2 * m))
        .ExactRoot(static_cast<std::int32_t>(m));
}

// x^j + λ^j/x^j for j = 0..m as polynomials in s = x + λ/x: V_0 = 2, V_1 = s,
// V_(j+1) = s·V_j - λ·V_(j-1).
std::vector<CPolynomValue> ReciprocalPowerSums(const CNumber& lambda, std::int64_t m, char newLetter) {
    const CPolynomValue s = CPolynomValue::Letter(static_cast<unsigned char>(newLetter));
    std::vector<CPolynomValue> sums{CPolynomValue(2), s};
    for (std::int64_t j = 1; j < m; ++j) {
        sums.push_back(sums[j].Product(s).Difference(sums[j - 1].Scaled(lambda)));
    }
    return sums;
}

} // namespace

std::optional<ReciprocalForm> FindReciprocalForm(const CPolynomValue& polynom, char letter, char newLetter) {
    const std::int64_t degree = DegreeOf(polynom, letter);
    if (!IsInOneLetter(polynom, letter) || degree < 4 || degree % 2 != 0 ||
        degree / 2 > SubstitutionLimits::kMaxReciprocalHalfDegree) {
        return std::nullopt;
    }
    std::int64_t exponentGcd = 0;
    for (const PolynomTerm& term : polynom.Terms()) {
        exponentGcd = std::gcd(exponentGcd, term.Degree());
    }
    const std::int64_t m = degree / 2;
    std::optional<CNumber> lambda = ReciprocalLambda(polynom, letter, m);
    if (exponentGcd != 1 || !lambda || lambda->IsZero()) {
        return std::nullopt;
    }
    for (std::int64_t k = m - 1; k >= 0; --k) {
        std::optional<CNumber> scale = lambda->PowerOf(static_cast<std::int32_t>(m - k));
        if (!scale || !CoefficientAt(polynom, letter, k)
                           .Equal(scale->Product(CoefficientAt(polynom, letter, 2 * m - k)))) {
            return std::nullopt;
        }
    }
    ReciprocalForm form;
    form.halfDegree = m;
    form.lambda = *lambda;
    form.powerSums = ReciprocalPowerSums(*lambda, m, newLetter);
    form.reduced = CPolynomValue(CoefficientAt(polynom, letter, m));
    for (std::int64_t j = 1; j <= m; ++j) {
        form.reduced.AddInPlace(form.powerSums[j].Scaled(CoefficientAt(polynom, letter, m + j)));
    }
    if (CNumber::LimitExceeded()) {
        return std::nullopt;
    }
    return form;
}

std::optional<HomogeneousForm> FindHomogeneousQuarticForm(const CPolynomValue& polynom, char letter) {
    if (!IsInOneLetter(polynom, letter) || DegreeOf(polynom, letter) != 4) {
        return std::nullopt;
    }
    HomogeneousForm form;
    form.k4 = CoefficientAt(polynom, letter, 4);
    form.k3 = CoefficientAt(polynom, letter, 3);
    const CNumber k2 = CoefficientAt(polynom, letter, 2);
    const CNumber k1 = CoefficientAt(polynom, letter, 1);
    const CNumber k0 = CoefficientAt(polynom, letter, 0);
    if (form.k3.IsZero()) {
        return std::nullopt;
    }
    CPolynomValue cubic = polynom;
    cubic.SubtractInPlace(CPolynomValue::Letter(static_cast<unsigned char>(letter), 4).Scaled(form.k4));
    // k4·x^4 + k3·x^2·(x + c) + d·(x + c)^2 = k4·x^4 + k3·x^3 + (k3·c + d)·x^2 + 2cd·x + c^2·d.
    for (const CNumber& root : RationalRootsOf(cubic, letter)) {
        CNumber c = root;
        c.Negate();
        const CNumber d = k2.Difference(form.k3.Product(c));
        if (c.IsZero() || d.IsZero() || !k1.Equal(c.Product(d).Product(CNumber(2))) ||
            !k0.Equal(c.Product(c).Product(d))) {
            continue;
        }
        form.c = c;
        form.d = d;
        return form;
    }
    return std::nullopt;
}

std::vector<CNumber> RationalRootsOf(const CPolynomValue& polynom, char letter) {
    std::vector<CNumber> roots;
    if (!IsInOneLetter(polynom, letter) || DegreeOf(polynom, letter) > 3) {
        return roots;
    }
    CPolynomValue rest = polynom;
    rest.MakePrimitive();
    const CPolynomValue x = CPolynomValue::Letter(static_cast<unsigned char>(letter));
    while (!rest.IsConstant() && CoefficientAt(rest, letter, 0).IsZero()) {
        roots.push_back(CNumber(0));
        rest = *rest.DivideExact(x);
    }
    const std::optional<std::int32_t> lead = SmallWhole(CoefficientAt(rest, letter, DegreeOf(rest, letter)));
    const std::optional<std::int32_t> constant = SmallWhole(CoefficientAt(rest, letter, 0));
    if (!rest.IsConstant() && lead && constant) {
        for (std::int32_t numerator : DivisorsOf(*constant)) {
            for (std::int32_t denominator : DivisorsOf(*lead)) {
                for (std::int32_t sign : {-1, 1}) {
                    const CNumber candidate = ExactQuotient(CNumber(sign * numerator), CNumber(denominator));
                    if (rest.ValueAt(static_cast<unsigned char>(letter), candidate).IsZero()) {
                        roots.push_back(candidate);
                    }
                }
            }
        }
    }
    std::sort(roots.begin(), roots.end(), [](const CNumber& a, const CNumber& b) { return a.Less(b); });
    roots.erase(std::unique(roots.begin(), roots.end()), roots.end());
    return roots;
}
