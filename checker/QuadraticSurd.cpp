#include "checker/QuadraticSurd.h"

#include "model/EngineLimits.h"

#include <cmath>
#include <utility>

namespace {

// r = k²·s with s free of square factors up to the trial limit; returns k and leaves s in r.
CLongInteger TakeOutSquares(CLongInteger& radicand) {
    CLongInteger outside(1);
    if (const std::optional<CLongInteger> root = radicand.CeilSqrt();
        root && root->Square().Equal(radicand)) {
        outside = *root;
        radicand = CLongInteger(1);
        return outside;
    }
    for (std::int32_t d = 2; d <= EngineLimits::kSurdTrialLimit; ++d) {
        const CLongInteger square = CLongInteger(d).Square();
        if (radicand.Less(square)) {
            break;
        }
        for (;;) {
            const std::optional<CLongInteger> quotient = radicand.DivideTruncated(square);
            if (!quotient || !quotient->Multiply(square).Equal(radicand)) {
                break;
            }
            radicand = *quotient;
            outside.MultiplyInPlace(CLongInteger(d));
        }
    }
    return outside;
}

} // namespace

CQuadraticSurd::CQuadraticSurd(CNumber rational, CNumber coefficient, CLongInteger radicand)
    : m_rational(std::move(rational)), m_coefficient(std::move(coefficient)),
      m_radicand(std::move(radicand)) {
    Canonicalize();
}

void CQuadraticSurd::Canonicalize() {
    if (!m_coefficient.IsZero() && !m_radicand.IsOne()) {
        const CLongInteger outside = TakeOutSquares(m_radicand);
        m_coefficient.MultiplyInPlace(CNumber(outside));
    }
    if (m_radicand.IsOne()) {
        m_rational.AddInPlace(m_coefficient);
        m_coefficient = CNumber();
    }
    if (m_coefficient.IsZero()) {
        m_radicand = CLongInteger(1);
    }
}

std::optional<CQuadraticSurd> CQuadraticSurd::SquareRoot(const CNumber& value) {
    if (value.Sign() < 0) {
        return std::nullopt;
    }
    if (value.IsZero()) {
        return CQuadraticSurd();
    }
    // √(p/q) = √(p·q)/q
    const auto [numerator, denominator] = ReducedFraction(value);
    CNumber coefficient(CLongInteger(1), denominator);
    coefficient.Normalize();
    return CQuadraticSurd(CNumber(), coefficient, numerator.Multiply(denominator));
}

bool CQuadraticSurd::operator==(const CQuadraticSurd& other) const {
    return m_rational.Equal(other.m_rational) && m_coefficient.Equal(other.m_coefficient) &&
           m_radicand.Equal(other.m_radicand);
}

std::optional<CQuadraticSurd> CQuadraticSurd::Sum(const CQuadraticSurd& other) const {
    if (IsRational() || other.IsRational() || m_radicand.Equal(other.m_radicand)) {
        const CLongInteger& radicand = IsRational() ? other.m_radicand : m_radicand;
        return CQuadraticSurd(m_rational.Sum(other.m_rational), m_coefficient.Sum(other.m_coefficient),
                              radicand);
    }
    return std::nullopt;
}

std::optional<CQuadraticSurd> CQuadraticSurd::Product(const CQuadraticSurd& other) const {
    if (!IsRational() && !other.IsRational() && !m_radicand.Equal(other.m_radicand)) {
        return std::nullopt;
    }
    const CLongInteger& radicand = IsRational() ? other.m_radicand : m_radicand;
    // (a + b√c)(p + q√c) = ap + bqc + (aq + bp)√c
    CNumber rational = m_rational.Product(other.m_rational);
    rational.AddInPlace(m_coefficient.Product(other.m_coefficient).Product(CNumber(radicand)));
    CNumber coefficient = m_rational.Product(other.m_coefficient);
    coefficient.AddInPlace(m_coefficient.Product(other.m_rational));
    return CQuadraticSurd(std::move(rational), std::move(coefficient), radicand);
}

std::optional<CQuadraticSurd> CQuadraticSurd::Quotient(const CQuadraticSurd& other) const {
    if (other.IsZero()) {
        return std::nullopt;
    }
    // 1/(p + q√c) = (p − q√c)/(p² − q²c); the norm is not zero because c has no square root.
    CNumber norm = other.m_rational.Product(other.m_rational);
    norm.SubtractInPlace(other.m_coefficient.Product(other.m_coefficient).Product(CNumber(other.m_radicand)));
    const CQuadraticSurd inverse(other.m_rational.Quotient(norm),
                                 other.m_coefficient.Quotient(norm).Product(CNumber(-1)), other.m_radicand);
    return Product(inverse);
}

CQuadraticSurd CQuadraticSurd::Negated() const {
    return CQuadraticSurd(m_rational.Product(CNumber(-1)), m_coefficient.Product(CNumber(-1)), m_radicand);
}

CQuadraticSurd CQuadraticSurd::Conjugate() const {
    return CQuadraticSurd(m_rational, m_coefficient.Product(CNumber(-1)), m_radicand);
}

CPolynomValue CQuadraticSurd::MinimalPolynomial(unsigned char letter) const {
    CPolynomValue polynom = CPolynomValue::Letter(letter, IsRational() ? 1 : 2);
    if (IsRational()) {
        polynom.SubtractInPlace(CPolynomValue(m_rational));
        return polynom;
    }
    CPolynomValue linear = CPolynomValue::Letter(letter);
    linear.Scale(m_rational.Product(CNumber(-2)));
    polynom.AddInPlace(linear);
    CNumber constant = m_rational.Product(m_rational);
    constant.SubtractInPlace(m_coefficient.Product(m_coefficient).Product(CNumber(m_radicand)));
    polynom.AddInPlace(CPolynomValue(constant));
    return polynom;
}

int CQuadraticSurd::Sign() const {
    const int a = m_rational.Sign();
    const int b = m_coefficient.Sign();
    if (b == 0 || a == b) {
        return a == 0 ? b : a;
    }
    if (a == 0) {
        return b;
    }
    // Opposite signs: the part of larger magnitude decides; compare a² with b²c.
    const CNumber aSquared = m_rational.Product(m_rational);
    const CNumber bSquaredC = m_coefficient.Product(m_coefficient).Product(CNumber(m_radicand));
    return aSquared.Greater(bSquaredC) ? a : b;
}

long double CQuadraticSurd::Approximate() const {
    long double value = ApproximateValue(m_rational);
    if (!IsRational()) {
        value += ApproximateValue(m_coefficient) * std::sqrt(std::stold(m_radicand.ToText()));
    }
    return value;
}

std::pair<CLongInteger, CLongInteger> ReducedFraction(const CNumber& number) {
    CNumber fraction = number;
    fraction.ToFraction();
    fraction.Reduce();
    return {fraction.Numerator(), fraction.Denominator()};
}

long double ApproximateValue(const CNumber& number) {
    const auto [numerator, denominator] = ReducedFraction(number);
    return std::stold(numerator.ToText()) / std::stold(denominator.ToText());
}

CQuadraticSurd PolynomialValueAt(const CPolynomValue& polynom, const CQuadraticSurd& point) {
    if (polynom.IsZero()) {
        return CQuadraticSurd();
    }
    const std::string letters = polynom.Letters();
    if (letters.empty()) {
        return CQuadraticSurd(polynom.ConstantValue());
    }
    const unsigned char letter = static_cast<unsigned char>(letters.front());
    std::vector<CNumber> coefficients(static_cast<std::size_t>(polynom.DegreeIn(letter)) + 1);
    for (const PolynomTerm& term : polynom.Terms()) {
        coefficients[static_cast<std::size_t>(term.ExponentOf(letter))] = term.coefficient;
    }
    CQuadraticSurd value;
    for (std::size_t i = coefficients.size(); i-- > 0;) {
        // The point and the value share the point's radicand, so neither operation can fail.
        value = *value.Product(point);
        value = *value.Sum(CQuadraticSurd(coefficients[i]));
    }
    return value;
}
