#include "solver/substitution/PolynomialDecomposition.h"

#include "model/COPolynom.h"
#include "solver/Methods.h"

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

// Peels the powers of inner off from the top: with n = deg outer and d = deg inner, the coefficient
// of inner^k is what is left at x^(k·d) over lead(inner)^k, for k = n/d down to 0.
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
    CPolynomValue rest = outer;
    CPolynomValue result;
    for (std::int64_t k = outerDegree / innerDegree; k >= 0; --k) {
        CNumber coefficient = CoefficientAt(rest, letter, k * innerDegree);
        if (coefficient.IsZero()) {
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
        if (CNumber::LimitExceeded()) {
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
