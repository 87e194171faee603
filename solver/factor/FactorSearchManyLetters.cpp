// The factor search on a polynomial in several letters.

#include "model/COPolynom.h"
#include "model/PolynomNumber.h"
#include "model/PolynomialGcd.h"
#include "solver/factor/FactorGrouping.h"
#include "solver/factor/FactorSearchSupport.h"

#include <string>

namespace PN = PolynomNumber;

namespace {

CPolynomValue CoefficientOf(const LetterCoefficients& records, std::int64_t exponent) {
    for (const LetterCoefficient& record : records) {
        if (record.exponent == exponent) {
            return record.coefficient;
        }
    }
    return CPolynomValue();
}

std::int64_t WorkOf(const CPolynomValue& polynom) {
    const auto terms = static_cast<std::int64_t>(polynom.TermCount());
    return terms * terms * 16;
}

// A candidate divisor made primitive in the letter (its polynomial content and its number divided
// out) is taken when it divides the polynomial exactly and is not a constant.
bool TryDivisor(const CPolynomValue& polynom, CPolynomValue candidate, unsigned char letter,
                FactorFinding& finding) {
    if (candidate.DegreeIn(letter) == 0) {
        return false;
    }
    const CPolynomValue content = ContentOfCoefficients(SplitByLetter(candidate, letter));
    if (!content.IsConstant()) {
        std::optional<CPolynomValue> rest = candidate.DivideExact(content);
        if (!rest) {
            return false;
        }
        candidate = std::move(*rest);
    }
    candidate = PrimitivePart(std::move(candidate));
    return polynom.DivideExact(candidate).has_value() && SetDivisor(finding, candidate);
}

// 1. The greatest common divisor of the coefficients in a letter; the earliest letter giving one
// wins. Also finds the letter of smallest degree (the earliest on a tie).
bool FindCoefficientGcd(const CPolynomValue& polynom, const std::string& letters,
                        unsigned char& smallestLetter, std::int64_t& smallestDegree, FactorFinding& finding,
                        FactorSearchBudget& budget) {
    std::optional<CPolynomValue> divisor;
    smallestDegree = -1;
    for (auto letter = letters.rbegin(); letter != letters.rend(); ++letter) {
        const auto x = static_cast<unsigned char>(*letter);
        if (!budget.Spend(WorkOf(polynom))) {
            return false;
        }
        const CPolynomValue gcd = ContentOfCoefficients(SplitByLetter(polynom, x));
        if (!gcd.IsConstant()) {
            divisor = gcd;
        }
        const std::int64_t degree = polynom.DegreeIn(x);
        if (smallestDegree < 0 || degree <= smallestDegree) {
            smallestDegree = degree;
            smallestLetter = x;
        }
    }
    return divisor && !budget.Exhausted() && SetDivisor(finding, *divisor);
}

bool FindSumOfLettersDivisor(const CPolynomValue& polynom, const std::string& letters, FactorFinding& finding,
                             FactorSearchBudget& budget) {
    CPolynomValue sum;
    for (const char letter : letters) {
        sum.AddInPlace(CPolynomValue::Letter(static_cast<unsigned char>(letter)));
    }
    return budget.Spend(WorkOf(polynom)) && polynom.DivideExact(sum).has_value() && SetDivisor(finding, sum);
}

// 3. p = a*y^2 + b*y + c: when D = b^2 - 4ac is the square of R, 2a*y + b - R divides p.
bool FindQuadraticDivisor(const CPolynomValue& polynom, unsigned char y, FactorFinding& finding,
                          FactorSearchBudget& budget) {
    const LetterCoefficients records = SplitByLetter(polynom, y);
    const CPolynomValue a = CoefficientOf(records, 2);
    const CPolynomValue b = CoefficientOf(records, 1);
    const CPolynomValue c = CoefficientOf(records, 0);
    const CPolynomValue discriminant = b.Product(b).Difference(a.Product(c).Scaled(CNumber(4)));
    if (!budget.Spend(WorkOf(discriminant) * 4)) {
        return false;
    }
    const std::optional<CPolynomValue> root = ExactPolynomialRoot(discriminant, 2);
    if (!root) {
        return false;
    }
    CPolynomValue candidate = a.Scaled(CNumber(2)).Product(CPolynomValue::Letter(y));
    candidate.AddInPlace(b);
    candidate.SubtractInPlace(*root);
    return TryDivisor(polynom, std::move(candidate), y, finding);
}

// A polynomial of one total degree in exactly two letters y and z: a rational root r/q of
// p(y, 1) gives the divisor q*y - r*z.
bool FindHomogeneousLinearDivisor(const CPolynomValue& polynom, unsigned char y, const std::string& letters,
                                  FactorFinding& finding, FactorSearchBudget& budget) {
    if (letters.size() != 2) {
        return false;
    }
    const auto z = static_cast<unsigned char>(letters[0]) == y ? static_cast<unsigned char>(letters[1])
                                                               : static_cast<unsigned char>(letters[0]);
    const std::int64_t degree = polynom.TotalDegree();
    CPolynomValue dehomogenised;
    for (const PolynomTerm& term : polynom.Terms()) {
        if (term.Degree() != degree) {
            return false;
        }
        dehomogenised.AddInPlace(CPolynomValue::Letter(y, term.ExponentOf(y)).Scaled(term.coefficient));
    }
    FactorFinding linear;
    if (dehomogenised.DegreeIn(y) < 1 || !FindRationalRoot(dehomogenised, y, linear, budget)) {
        return false;
    }
    CPolynomValue divisor;
    const CPolynomValue homogeneous = linear.first->Value();
    for (const PolynomTerm& term : homogeneous.Terms()) {
        divisor.AddInPlace(
            CPolynomValue::FromTerm(term).Product(CPolynomValue::Letter(z, 1 - term.Degree())));
    }
    return TryDivisor(polynom, std::move(divisor), y, finding);
}

// 4. p = A*y^3 + B*y^2 + C*y + D. With D0 = B^2 - 3AC and D1 = 2B^3 - 9ABC + 27A^2 D, the roots
// are -(B + K + D0/K)/(3A) where K^3 = (D1 +- sqrt(D1^2 - 4 D0^3))/2. When the square root and a
// cube root are exact polynomials, 3A*y + B + K + D0/K divides p. Otherwise, for a polynomial of
// one total degree in two letters, the rational roots of p(y, 1).
bool FindCubicDivisor(const CPolynomValue& polynom, unsigned char y, const std::string& letters,
                      FactorFinding& finding, FactorSearchBudget& budget) {
    const LetterCoefficients records = SplitByLetter(polynom, y);
    const CPolynomValue a = CoefficientOf(records, 3);
    const CPolynomValue b = CoefficientOf(records, 2);
    const CPolynomValue c = CoefficientOf(records, 1);
    const CPolynomValue d = CoefficientOf(records, 0);
    const CPolynomValue d0 = b.Product(b).Difference(a.Product(c).Scaled(CNumber(3)));
    CPolynomValue d1 = b.Power(3).Scaled(CNumber(2));
    d1.SubtractInPlace(a.Product(b).Product(c).Scaled(CNumber(9)));
    d1.AddInPlace(a.Product(a).Product(d).Scaled(CNumber(27)));
    const CPolynomValue square = d1.Product(d1).Difference(d0.Power(3).Scaled(CNumber(4)));
    if (!budget.Spend(WorkOf(square) * 8)) {
        return false;
    }
    const std::optional<CPolynomValue> root = ExactPolynomialRoot(square, 2);
    for (const int sign : {1, -1}) {
        if (!root) {
            break;
        }
        CPolynomValue cube = sign > 0 ? d1.Sum(*root) : d1.Difference(*root);
        cube.Scale(PN::Quotient(CNumber(1), CNumber(2)));
        std::optional<CPolynomValue> k = ExactPolynomialRoot(cube, 3);
        std::optional<CPolynomValue> partner = k && !k->IsZero() ? d0.DivideExact(*k) : std::nullopt;
        if (!partner && k && k->IsZero() && d0.IsZero()) {
            partner = CPolynomValue();
        }
        if (!partner) {
            continue;
        }
        CPolynomValue candidate = a.Scaled(CNumber(3)).Product(CPolynomValue::Letter(y));
        candidate.AddInPlace(b);
        candidate.AddInPlace(*k);
        candidate.AddInPlace(*partner);
        if (TryDivisor(polynom, std::move(candidate), y, finding)) {
            return true;
        }
    }
    return FindHomogeneousLinearDivisor(polynom, y, letters, finding, budget);
}

} // namespace

bool FindFactorisationManyLetters(const COPolynom& polynom, const std::string& letters,
                                  FactorFinding& finding) {
    FactorSearchBudget budget;
    const CPolynomValue value = polynom.Value();
    const TermList terms = SignedTerms(polynom);
    // 1. A common factor of the coefficients in some letter.
    unsigned char smallestLetter = 0;
    std::int64_t smallestDegree = 0;
    if (FindCoefficientGcd(value, letters, smallestLetter, smallestDegree, finding, budget)) {
        return true;
    }
    // 2. Nothing more for a polynomial of degree 1 in some letter.
    if (smallestDegree <= 1 || budget.Exhausted()) {
        return false;
    }
    if (FindGrouping(terms, finding, budget)) {
        finding.found = true;
        return true;
    }
    if (FindCompletedSquare(terms, finding)) {
        return true;
    }
    const auto first = static_cast<unsigned char>(letters.front());
    if (FindSumOfLettersDivisor(value, letters, finding, budget) ||
        FindRepeatedFactor(value, first, finding, budget)) {
        return true;
    }
    // 3, 4. The quadratic and cubic tests in the letter of smallest degree.
    if (smallestDegree == 2) {
        return FindQuadraticDivisor(value, smallestLetter, finding, budget);
    }
    return smallestDegree == 3 && FindCubicDivisor(value, smallestLetter, letters, finding, budget);
}
