#include "checker/EquationRootSet.h"

#include "checker/RealRoots.h"

#include <algorithm>

namespace {

using Kind = EquationRootSet::Kind;

RootSetDifference Difference(bool lost, const CQuadraticSurd& value) {
    return RootSetDifference{lost, value, value.Approximate()};
}

RootSetDifference Difference(bool lost, const RealRoot& root) {
    return RootSetDifference{lost, root.exact, root.approximate};
}

// A whole number in an infinite set and not in a finite one: the first of 0, 1, −1, 2, −2, …
// that is no root of any of avoid.
CQuadraticSurd NumberAvoiding(const std::vector<CPolynomValue>& avoid, const EquationRootSet& finite,
                              unsigned char letter) {
    for (std::int32_t i = 0;; ++i) {
        const std::int32_t candidate = i % 2 == 0 ? -(i / 2) : (i + 1) / 2;
        const CQuadraticSurd value{CNumber(candidate)};
        const bool isRoot = std::any_of(avoid.begin(), avoid.end(), [&](const CPolynomValue& polynom) {
            return !polynom.IsZero() && polynom.ValueAt(letter, CNumber(candidate)).IsZero();
        });
        if (!isRoot && !Contains(finite, value, letter)) {
            return value;
        }
    }
}

// The product of the minimal polynomials of the listed values: a polynomial whose real roots are
// the values and, for an irrational value, its conjugate.
CPolynomValue ListedPolynomial(const std::vector<CQuadraticSurd>& listed, unsigned char letter) {
    CPolynomValue product(1);
    for (const CQuadraticSurd& value : listed) {
        const CPolynomValue minimal = value.MinimalPolynomial(letter);
        if (!product.DivideExact(minimal)) {
            product.MultiplyInPlace(minimal);
        }
    }
    return product;
}

// Roots of squarefree that no listed value is: first the real roots beyond the listed values'
// polynomial, then the conjugate of an irrational value listed without it.
std::optional<RootSetDifference> RootNotListed(const CPolynomValue& squarefree,
                                               const std::vector<CQuadraticSurd>& listed, bool lost,
                                               unsigned char letter) {
    const CPolynomValue rest = WithoutRootsOf(squarefree, ListedPolynomial(listed, letter));
    if (const std::optional<RealRoot> root = FindRealRoot(rest, letter)) {
        return Difference(lost, *root);
    }
    for (const CQuadraticSurd& value : listed) {
        const CQuadraticSurd conjugate = value.Conjugate();
        if (std::find(listed.begin(), listed.end(), conjugate) == listed.end() &&
            PolynomialValueAt(squarefree, conjugate).IsZero()) {
            return Difference(lost, conjugate);
        }
    }
    return std::nullopt;
}

// Two finite sets given by squarefree polynomials: roots of one that the other lacks.
std::optional<RootSetDifference> CompareRoots(const CPolynomValue& before, const CPolynomValue& after,
                                              unsigned char letter) {
    if (const std::optional<RealRoot> root = FindRealRoot(WithoutRootsOf(before, after), letter)) {
        return Difference(true, *root);
    }
    if (const std::optional<RealRoot> root = FindRealRoot(WithoutRootsOf(after, before), letter)) {
        return Difference(false, *root);
    }
    return std::nullopt;
}

} // namespace

EquationRootSet RootSetOfEquation(const CPolynomValue& numerator, const std::vector<CPolynomValue>& divisors,
                                  unsigned char letter) {
    EquationRootSet set;
    if (numerator.IsZero()) {
        set.kind = Kind::AllBut;
        CPolynomValue excluded(1);
        for (const CPolynomValue& divisor : divisors) {
            const CPolynomValue part = SquarefreePart(divisor, letter);
            excluded.MultiplyInPlace(WithoutRootsOf(part, excluded));
        }
        set.polynom = std::move(excluded);
        return set;
    }
    set.kind = Kind::Roots;
    set.polynom = SquarefreePart(numerator, letter);
    for (const CPolynomValue& divisor : divisors) {
        set.polynom = WithoutRootsOf(set.polynom, divisor);
    }
    return set;
}

bool Contains(const EquationRootSet& set, const CQuadraticSurd& value, unsigned char letter) {
    switch (set.kind) {
    case Kind::Roots:
        return PolynomialValueAt(set.polynom, value).IsZero();
    case Kind::AllBut:
        return !PolynomialValueAt(set.polynom, value).IsZero();
    case Kind::Listed:
        return std::find(set.listed.begin(), set.listed.end(), value) != set.listed.end();
    }
    (void)letter;
    return false;
}

std::optional<RootSetDifference> CompareRootSets(const EquationRootSet& before, const EquationRootSet& after,
                                                 unsigned char letter) {
    // 1. A listed value of one set missing from the other.
    for (const CQuadraticSurd& value : after.listed) {
        if (!Contains(before, value, letter)) {
            return Difference(false, value);
        }
    }
    for (const CQuadraticSurd& value : before.listed) {
        if (!Contains(after, value, letter)) {
            return Difference(true, value);
        }
    }
    // 2. Every listed value is in the other set; what the other set holds beyond them.
    if (before.kind == Kind::Listed && after.kind == Kind::Listed) {
        return std::nullopt;
    }
    if (before.kind == Kind::AllBut && after.kind == Kind::AllBut) {
        // The excluded values must agree: excluded only after means lost, only before gained.
        return CompareRoots(after.polynom, before.polynom, letter);
    }
    if (before.kind == Kind::AllBut || after.kind == Kind::AllBut) {
        const bool lost = before.kind == Kind::AllBut;
        const EquationRootSet& infinite = lost ? before : after;
        const EquationRootSet& finite = lost ? after : before;
        return Difference(lost, NumberAvoiding({infinite.polynom}, finite, letter));
    }
    if (before.kind == Kind::Roots && after.kind == Kind::Roots) {
        return CompareRoots(before.polynom, after.polynom, letter);
    }
    if (before.kind == Kind::Roots) {
        return RootNotListed(before.polynom, after.listed, true, letter);
    }
    return RootNotListed(after.polynom, before.listed, false, letter);
}
