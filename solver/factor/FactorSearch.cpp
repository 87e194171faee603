// The factor search on a polynomial: the common monomial factor, then the branch for one letter
// or for several letters. Nothing here changes the polynomial or records a step.

#include "model/COMonom.h"
#include "model/COPolynom.h"
#include "model/PolynomNumber.h"
#include "model/PolynomialGcd.h"
#include "solver/factor/FactorArithmetic.h"
#include "solver/factor/FactorGrouping.h"
#include "solver/factor/FactorSearchSupport.h"
#include "solver/factor/Factorisation.h"

#include <string>

namespace PN = PolynomNumber;

namespace {

// 5. Equal blocks: the terms cut in order into blocks of k terms leave the same polynomial once
// each block's sign and common monomial are taken out.
bool FindEqualBlocks(const TermList& terms, FactorFinding& finding, FactorSearchBudget& budget) {
    const std::size_t count = terms.size();
    for (std::size_t k = 2; k < count; ++k) {
        if (count % k != 0 || !budget.Spend(static_cast<std::int64_t>(count))) {
            continue;
        }
        std::optional<CPolynomValue> shared;
        bool equal = true;
        for (std::size_t begin = 0; begin < count && equal; begin += k) {
            CPolynomValue block = ValueOfTerms(terms, begin, begin + k);
            block.MakeLeadingSignPositive();
            const PolynomTerm common = CommonMonomial(block);
            std::optional<CPolynomValue> rest = block.DivideExact(CPolynomValue::FromTerm(common));
            equal = rest && (!shared || *rest == *shared);
            if (equal && !shared) {
                shared = std::move(rest);
            }
        }
        if (equal && shared && !shared->IsConstant()) {
            return SetDivisor(finding, *shared);
        }
    }
    return false;
}

// 3 and 4. The trinomials x^(3k+1) + x^2 + 1 and x^(3k+2) + x + 1 (coefficients 1, all added, in
// falling order).
bool FindTrinomial(const TermList& terms, FactorFinding& finding) {
    if (terms.size() != 3) {
        return false;
    }
    for (const PolynomTerm& term : terms) {
        if (!term.coefficient.IsOne() || term.powers.size() > 1) {
            return false;
        }
    }
    const std::int64_t e1 = terms[0].Degree();
    const std::int64_t e2 = terms[1].Degree();
    if (terms[2].Degree() != 0) {
        return false;
    }
    if (e1 > 3 && (e1 - 1) % 3 == 0 && e2 == 2) {
        finding.technique = FactorTechnique::TrinomialSquareTerm;
    } else if (e1 - 2 > 0 && (e1 - 2) % 3 == 0 && e2 == 1) {
        finding.technique = FactorTechnique::TrinomialLinearTerm;
    } else {
        return false;
    }
    const unsigned char letter = terms[0].powers.front().letter;
    CPolynomValue divisor = CPolynomValue::Letter(letter, 2);
    divisor.AddInPlace(CPolynomValue::Letter(letter, 1));
    divisor.AddInPlace(CPolynomValue(1));
    finding.found = true;
    finding.first = COPolynom::FromValue(divisor);
    return true;
}

} // namespace

bool FindRepeatedFactor(const CPolynomValue& polynom, unsigned char letter, FactorFinding& finding,
                        FactorSearchBudget& budget) {
    if (!budget.Spend(static_cast<std::int64_t>(polynom.TermCount() * polynom.TermCount()) * 16)) {
        return false;
    }
    const CPolynomValue derivative = polynom.Derivative(letter);
    if (GcdSurelyConstant(polynom, derivative)) {
        return false;
    }
    const CPolynomValue gcd = PolynomialGcd(polynom, derivative);
    return !budget.Exhausted() && !gcd.IsConstant() && SetDivisor(finding, gcd);
}

bool SetDivisor(FactorFinding& finding, const CPolynomValue& divisor) {
    finding.found = true;
    finding.technique = FactorTechnique::DivisorPolynomial;
    finding.first = COPolynom::FromValue(divisor);
    finding.second.reset();
    finding.detail.reset();
    return true;
}

bool FindFactorisationOneLetter(const COPolynom& polynom, char letter, FactorFinding& finding) {
    FactorSearchBudget budget;
    const TermList terms = SignedTerms(polynom);
    const CPolynomValue value = polynom.Value();
    const auto x = static_cast<unsigned char>(letter);
    // 1. Nothing below degree 2.
    if (value.DegreeIn(x) <= 1) {
        return false;
    }
    // 2. Two terms: like powers, a^4 + 4b^4.
    if (terms.size() == 2 && FindBinomial(terms, finding)) {
        return true;
    }
    // 3, 4. The two trinomials divisible by x^2 + x + 1.
    if (FindTrinomial(terms, finding)) {
        return true;
    }
    // 5, 6. Equal blocks, then grouping.
    if (FindEqualBlocks(terms, finding, budget)) {
        return true;
    }
    if (FindGrouping(terms, finding, budget)) {
        finding.found = true;
        return true;
    }
    // 7, 8, 9. Repeated factor, rational roots, bounded divisor search.
    return FindRepeatedFactor(value, x, finding, budget) || FindRationalRoot(value, x, finding, budget) ||
           FindBoundedDivisor(value, x, finding, budget);
}

bool FindFactorisation(const COPolynom& polynom, FactorFinding& finding) {
    finding = FactorFinding{};
    if (polynom.GetCount() < 2) {
        return false;
    }
    const CPolynomValue value = polynom.Value();
    // A letter's exponent past the degree limit makes the problem too large (the flag is set);
    // the clamped value is not the polynomial.
    if (value.TermCount() < 2 || CNumber::LimitExceeded()) {
        return false;
    }
    // 1. The common monomial factor of all terms.
    const PolynomTerm common = CommonMonomial(value);
    if (!IsOneTerm(common)) {
        std::optional<CPolynomValue> rest = value.DivideExact(CPolynomValue::FromTerm(common));
        if (!rest) {
            // Only a limit of the arithmetic stops the division by a common monomial.
            ORBELIN_ASSERT(CNumber::LimitExceeded());
            return false;
        }
        finding.found = true;
        finding.technique = FactorTechnique::CommonMonomial;
        finding.first = COPolynom::FromValue(CPolynomValue::FromTerm(common));
        finding.second = COPolynom::FromValue(*rest);
        return true;
    }
    // 2. One letter or several, in order of first appearance.
    std::string letters;
    for (const VariableDegree& record : polynom.VariableDegrees()) {
        letters.push_back(record.letter);
    }
    if (letters.size() == 1) {
        FindFactorisationOneLetter(polynom, letters.front(), finding);
    } else if (letters.size() > 1) {
        FindFactorisationManyLetters(polynom, letters, finding);
    }
    if (finding.found) {
        AssertFindingDivides(value, finding);
    }
    return finding.found;
}

void AssertFindingDivides(const CPolynomValue& polynom, const FactorFinding& finding) {
    ORBELIN_ASSERT(finding.first != nullptr);
    const CPolynomValue first = finding.first->Value();
    switch (finding.technique) {
    case FactorTechnique::CommonMonomial:
        ORBELIN_ASSERT(first.Product(finding.second->Value()) == polynom);
        break;
    case FactorTechnique::GroupingLikePowers:
        // The groups are +-P^m and +-Q^m; together they are the polynomial.
        ORBELIN_ASSERT(finding.second != nullptr && finding.detail != nullptr);
        break;
    case FactorTechnique::DivisorPolynomial:
    case FactorTechnique::GroupingCommonFactor:
    case FactorTechnique::BinomialLikePowers:
    case FactorTechnique::CompletedSquare:
    case FactorTechnique::TrinomialSquareTerm:
    case FactorTechnique::TrinomialLinearTerm:
        ORBELIN_ASSERT(!first.IsConstant() && polynom.DivideExact(first).has_value());
        break;
    }
    static_cast<void>(polynom);
    static_cast<void>(first);
}
