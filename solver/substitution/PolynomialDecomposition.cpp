#include "solver/substitution/PolynomialDecomposition.h"

#include "model/COPolynom.h"
#include "model/PolynomNumber.h"
#include "solver/Methods.h"

namespace PN = PolynomNumber;

CNumber ExactQuotient(const CNumber& a, const CNumber& b) {
    CNumber value = a.Quotient(b);
    if (!value.ToInteger()) {
        value.ToFraction();
        value.Reduce();
    }
    return value;
}

CNumber CoefficientAt(const CPolynomValue& polynom, char letter, std::int64_t exponent) {
    const auto byte = static_cast<unsigned char>(letter);
    for (const PolynomTerm& term : polynom.Terms()) {
        if (term.ExponentOf(byte) == exponent && term.Degree() == exponent) {
            return term.coefficient;
        }
    }
    return CNumber(0);
}

namespace {

// With n = deg outer = k·d and d = deg inner at least 2, the powers of inner below the k-th reach
// no higher than x^(n-d), so the two top coefficients of outer are those of c·inner^k:
// p(n) = c·r(d)^k and p(n-1) = c·k·r(d)^(k-1)·r(d-1), that is p(n-1)·r(d) = k·p(n)·r(d-1). Most
// polynomials fail this, and are told so before any power of inner is built.
bool TopCoefficientsAgree(const CPolynomValue& outer, const CPolynomValue& inner, char letter) {
    const auto byte = static_cast<unsigned char>(letter);
    const std::int64_t n = outer.DegreeIn(byte);
    const std::int64_t d = inner.DegreeIn(byte);
    if (d < 2 || n < d) {
        return true;
    }
    const CNumber left = PN::Product(CoefficientAt(outer, letter, n - 1), CoefficientAt(inner, letter, d));
    const CNumber right = PN::Product(PN::Product(PN::FromInt(n / d), CoefficientAt(outer, letter, n)),
                                      CoefficientAt(inner, letter, d - 1));
    return PN::Equal(left, right);
}

} // namespace

// Peels the powers of inner off from the top: with n = deg outer and d = deg inner, the coefficient
// of inner^k is what is left at x^(k·d) over lead(inner)^k, for k = n/d down to 0. The powers
// still to be peeled reach no higher than x^((k-1)·d), so a term left above that ends the search
// at once (most polynomials fail at the first power, before the long ones are built).
std::optional<CPolynomValue> DecomposeIn(const CPolynomValue& outer, const CPolynomValue& inner, char letter,
                                         char newLetter) {
    const auto byte = static_cast<unsigned char>(letter);
    const std::int64_t outerDegree = outer.DegreeIn(byte);
    const std::int64_t innerDegree = inner.DegreeIn(byte);
    if (innerDegree < 1 || outerDegree % innerDegree != 0 || outer.Letters().size() > 1 ||
        inner.Letters().size() > 1) {
        return std::nullopt;
    }
    const CNumber innerLead = CoefficientAt(inner, letter, innerDegree);
    if (!TopCoefficientsAgree(outer, inner, letter)) {
        return std::nullopt;
    }
    CPolynomValue rest = outer;
    CPolynomValue result;
    for (std::int64_t k = outerDegree / innerDegree; k >= 0; --k) {
        CNumber coefficient = CoefficientAt(rest, letter, k * innerDegree);
        if (coefficient.IsZero()) {
            if (k > 0 && rest.DegreeIn(byte) > (k - 1) * innerDegree) {
                return std::nullopt;
            }
            continue;
        }
        std::optional<CNumber> scale = innerLead.PowerOf(static_cast<std::int32_t>(k));
        if (!scale || scale->IsZero()) {
            return std::nullopt;
        }
        coefficient = ExactQuotient(coefficient, *scale);
        rest.SubtractInPlace(inner.Power(k).Scaled(coefficient));
        result.AddInPlace(
            CPolynomValue::Letter(static_cast<unsigned char>(newLetter), k).Scaled(coefficient));
        if (CNumber::LimitExceeded() || (k > 0 && rest.DegreeIn(byte) > (k - 1) * innerDegree)) {
            return std::nullopt;
        }
    }
    if (!rest.IsZero()) {
        return std::nullopt;
    }
    return result;
}

NodePtr PlainTreeOf(const CPolynomValue& polynom) {
    NodePtr tree = COPolynom::FromValue(polynom);
    UnbuildPolynoms(&tree);
    UnbuildMonoms(&tree);
    return tree;
}

CPolynomValue AffineClassOf(CPolynomValue polynom) {
    polynom.SubtractInPlace(CPolynomValue(CoefficientAt(polynom, 'x', 0)));
    if (!polynom.IsZero()) {
        polynom.MakePrimitive();
        polynom.MakeLeadingSignPositive();
    }
    return polynom;
}
