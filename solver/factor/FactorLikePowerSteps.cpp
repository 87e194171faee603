// The steps of the like-power formulas shared by the factorisation of polynomials and of sums of
// products: the signs of a two-part sum and the product (P -+ Q)(P^(m-1) +- ... + Q^(m-1)).

#include "solver/factor/FactorSteps.h"

#include "model/COPolynom.h"
#include "solver/CExpression.h"
#include "solver/SimplifySupport.h"
#include "solver/factor/FactorFormulas.h"
#include "solver/factor/Factorisation.h"

#include <iterator>
#include <string>

namespace {

CommentID LikePowerComment(std::int64_t exponent, std::int32_t secondSign) {
    if (exponent == 2) {
        return CommentID::DifferenceOfSquares;
    }
    if (exponent == 3) {
        return secondSign < 0 ? CommentID::DifferenceOfCubes : CommentID::SumOfCubes;
    }
    return CommentID::OtherPowerFormula;
}

// The second bracket of P^m -+ Q^m: P^(m-1) +- P^(m-2)Q + ... + Q^(m-1), the signs alternating
// for a sum.
struct LikePowerBracket {
    NodePtr written;
    CPolynomValue value;
};

NodePtr PowerOrBase(const CPolynomValue& base, std::int64_t exponent) {
    return exponent == 1 ? PolynomNode(base) : PowerNode(PolynomNode(base), exponent);
}

LikePowerBracket LikePowerCofactor(const CPolynomValue& p, const CPolynomValue& q, std::int64_t m,
                                   std::int32_t secondSign) {
    std::vector<SignedNode> terms;
    CPolynomValue value;
    for (std::int64_t i = 0; i < m; ++i) {
        const std::int32_t sign = secondSign < 0 || i % 2 == 0 ? 1 : -1;
        std::vector<NodePtr> factors;
        if (m - 1 - i > 0) {
            factors.push_back(PowerOrBase(p, m - 1 - i));
        }
        if (i > 0) {
            factors.push_back(PowerOrBase(q, i));
        }
        terms.push_back({ProductNode(std::move(factors)), sign});
        CPolynomValue term = p.Power(m - 1 - i).Product(q.Power(i));
        if (sign < 0) {
            term.Negate();
        }
        // Collected once at the end: adding each term to the growing sum would sort it m times.
        for (const PolynomTerm& part : term.Terms()) {
            value.Append(part);
        }
    }
    value.Normalize();
    return {m == 2 ? PolynomNode(value) : SumNode(std::move(terms)), value};
}

} // namespace

void Step(CExpression& workspace, CommentID comment) {
    workspace.QueueComment(comment);
    workspace.RecordStep(false);
}

// Both parts negative: the minus goes in front of the whole sum (a step). Only the first negative:
// the parts change places (CommentID::TermsReordered, a step). Returns the handle of the polynomial to
// rewrite.
NodeHandle FixTwoTermSigns(CExpression& workspace, NodeHandle handle, std::int32_t& firstSign,
                           std::int32_t& secondSign) {
    COperationList& terms = *(*handle)->AsList();
    if (firstSign < 0 && secondSign < 0) {
        terms.NegateAll();
        WrapNegated(handle);
        workspace.RecordStep(false);
        firstSign = 1;
        secondSign = 1;
        return &(*handle)->AsList()->Head()->child;
    }
    if (firstSign < 0) {
        COperationList::Position a = terms.Head();
        COperationList::Position b = std::next(a);
        terms.SwapCells(a, b);
        std::swap(firstSign, secondSign);
        Step(workspace, CommentID::TermsReordered);
    }
    return handle;
}

// P^m +- Q^m with first sign +1 at `polynom`: the product (P -+ Q)(...), then the bracket
// multiplied out.
void WriteLikePowerProduct(CExpression& workspace, NodeHandle polynom, const CPolynomValue& p,
                           const CPolynomValue& q, std::int64_t m, std::int32_t secondSign,
                           LikePowerBracketForm form) {
    CPolynomValue divisor = p;
    if (secondSign < 0) {
        divisor.SubtractInPlace(q);
    } else {
        divisor.AddInPlace(q);
    }
    LikePowerBracket bracket = LikePowerCofactor(p, q, m, secondSign);
    const bool termByTerm = form == LikePowerBracketForm::TermByTerm && m > 2;
    std::vector<NodePtr> factors;
    factors.push_back(PolynomNode(divisor));
    factors.push_back(termByTerm ? std::move(bracket.written) : PolynomNode(bracket.value));
    *polynom = ProductNode(std::move(factors));
    Step(workspace, LikePowerComment(m, secondSign));
    if (termByTerm) {
        *polynom = TwoFactors(divisor, bracket.value);
        Step(workspace, CommentID::BracketsOpened);
    }
    // Two brackets of one term each are multiplied into one term: (2b)(2a) = 4ab.
    if (divisor.TermCount() == 1 && bracket.value.TermCount() == 1) {
        *polynom = PolynomNode(divisor.Product(bracket.value));
        Step(workspace, CommentID::BracketsOpened);
    }
}

void WriteLikePowers(CExpression& workspace, NodeHandle handle, const FactorFinding& finding) {
    const FactorDetail& detail = *finding.detail;
    const std::int64_t m = detail.exponent.ToInt();
    CPolynomValue p = finding.first->Value();
    CPolynomValue q = finding.second->Value();
    std::int32_t firstSign = detail.firstSign;
    std::int32_t secondSign = detail.secondSign;
    std::vector<SignedNode> powers;
    powers.push_back({PowerNode(PolynomNode(p), m), firstSign});
    powers.push_back({PowerNode(PolynomNode(q), m), secondSign});
    const std::string before = (*handle)->ToText();
    *handle = SumNode(std::move(powers));
    // Groups already written as the powers need no step of their own.
    if ((*handle)->ToText() != before) {
        Step(workspace, CommentID::OtherPowerFormula);
    }
    if (firstSign < 0 && secondSign > 0) {
        std::swap(p, q);
    }
    const NodeHandle sum = FixTwoTermSigns(workspace, handle, firstSign, secondSign);
    WriteLikePowerProduct(workspace, sum, p, q, m, secondSign, LikePowerBracketForm::TermByTerm);
}
