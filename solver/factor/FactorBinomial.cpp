// The binomial test: c1*M1 +- c2*M2 as a difference of squares, a sum or difference of like odd
// prime powers, or a^4 + 4b^4 completed to a difference of squares.

#include "model/COPolynom.h"
#include "model/PolynomNumber.h"
#include "solver/factor/FactorSearchSupport.h"

namespace PN = PolynomNumber;

namespace {

int SignOf(const PolynomTerm& term) {
    return term.coefficient.Sign() < 0 ? -1 : 1;
}

PolynomTerm Negated(PolynomTerm term) {
    term.coefficient.Negate();
    return term;
}

void SetBinomialFinding(FactorFinding& finding, FactorTechnique technique, TermList factor,
                        const TermList& terms) {
    finding.found = true;
    finding.technique = technique;
    finding.first = PolynomInOrder(factor);
    finding.second.reset();
    finding.detail = std::make_unique<FactorDetail>();
    finding.detail->firstSign = SignOf(terms[0]);
    finding.detail->secondSign = SignOf(terms[1]);
}

// p^2 and q^2 of opposite signs: the positive root first, minus the negative one.
void SetDifferenceOfSquares(const TermList& terms, const PolynomTerm& root0, const PolynomTerm& root1,
                            FactorFinding& finding) {
    const bool firstPositive = SignOf(terms[0]) > 0;
    TermList factor = firstPositive ? TermList{root0, Negated(root1)} : TermList{root1, Negated(root0)};
    SetBinomialFinding(finding, FactorTechnique::BinomialLikePowers, std::move(factor), terms);
    finding.detail->comment = CommentID::DifferenceOfSquares;
}

// p^m +- q^m for an odd prime m: the factor p +- q, written the way the terms will stand once a
// negative first term has been moved behind.
void SetOddPowers(const TermList& terms, const PolynomTerm& root0, const PolynomTerm& root1, std::int64_t m,
                  FactorFinding& finding) {
    const int sign0 = SignOf(terms[0]);
    const int sign1 = SignOf(terms[1]);
    TermList factor;
    if (sign0 < 0 && sign1 > 0) {
        factor = {root1, Negated(root0)};
    } else {
        factor = {root0, sign0 * sign1 > 0 ? root1 : Negated(root1)};
    }
    SetBinomialFinding(finding, FactorTechnique::BinomialLikePowers, std::move(factor), terms);
    finding.detail->exponent = CNumber(static_cast<std::int32_t>(m));
    if (m == 3) {
        finding.detail->comment = sign0 != sign1 ? CommentID::DifferenceOfCubes : CommentID::SumOfCubes;
    } else {
        finding.detail->comment = CommentID::OtherPowerFormula;
    }
}

// h^2 U^4 + l^2 V^4 = (h U^2 + o U V + l V^2)(h U^2 - o U V + l V^2) with o^2 = 2hl.
bool SetCompletedSquare(const TermList& terms, FactorFinding& finding) {
    if (SignOf(terms[0]) != SignOf(terms[1])) {
        return false;
    }
    const std::optional<PolynomTerm> quarter0 = ExactTermRoot(PolynomTerm{CNumber(1), terms[0].powers}, 4);
    const std::optional<PolynomTerm> quarter1 = ExactTermRoot(PolynomTerm{CNumber(1), terms[1].powers}, 4);
    const std::optional<CNumber> h = PN::Root(PN::Abs(terms[0].coefficient), 2);
    const std::optional<CNumber> l = PN::Root(PN::Abs(terms[1].coefficient), 2);
    if (!quarter0 || !quarter1 || !h || !l) {
        return false;
    }
    const std::optional<CNumber> o = PN::Root(PN::Product(CNumber(2), PN::Product(*h, *l)), 2);
    if (!o) {
        return false;
    }
    const LetterPowers u2 = MultiplyPowers(quarter0->powers, quarter0->powers);
    const LetterPowers v2 = MultiplyPowers(quarter1->powers, quarter1->powers);
    TermList factor{PolynomTerm{*h, u2}, PolynomTerm{*o, MultiplyPowers(quarter0->powers, quarter1->powers)},
                    PolynomTerm{*l, v2}};
    SetBinomialFinding(finding, FactorTechnique::CompletedSquare, std::move(factor), terms);
    return true;
}

bool IsPrimeNumber(std::int64_t m) {
    for (std::int64_t d = 2; d * d <= m; ++d) {
        if (m % d == 0) {
            return false;
        }
    }
    return m >= 2;
}

// Tries the prime exponent m; true when it gave a finding.
bool TryExponent(const TermList& terms, std::int64_t degree, std::int64_t m, FactorFinding& finding) {
    if (degree % m != 0 || !IsPrimeNumber(m)) {
        return false;
    }
    const std::optional<PolynomTerm> root0 = ExactTermRoot(TermMagnitude(terms[0]), m);
    const std::optional<PolynomTerm> root1 = ExactTermRoot(TermMagnitude(terms[1]), m);
    if (m == 2 && root0 && root1) {
        if (SignOf(terms[0]) != SignOf(terms[1])) {
            SetDifferenceOfSquares(terms, *root0, *root1, finding);
            return true;
        }
        return degree % 4 == 0 && SetCompletedSquare(terms, finding);
    }
    if (m % 2 == 1 && root0 && root1) {
        SetOddPowers(terms, *root0, *root1, m, finding);
        return true;
    }
    return false;
}

} // namespace

bool FindBinomial(const TermList& terms, FactorFinding& finding) {
    if (terms.size() != 2) {
        return false;
    }
    const std::int64_t degree = std::max(terms[0].Degree(), terms[1].Degree());
    // m = 2, 3, ... up to the integer square root of the degree, then the degree itself.
    std::int64_t m = 2;
    while (m <= degree) {
        if (TryExponent(terms, degree, m, finding)) {
            return true;
        }
        if (m == degree) {
            break;
        }
        m = (m + 1) * (m + 1) > degree ? degree : m + 1;
    }
    return false;
}

bool FindCompletedSquare(const TermList& terms, FactorFinding& finding) {
    return terms.size() == 2 && SetCompletedSquare(terms, finding);
}
