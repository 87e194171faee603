// Factorisation of a sum whose terms are products of powers of polynomials: a common factor of all
// terms is taken out (variant 0), after the first polynomials of the terms have been split so that
// their greatest common divisor stands as a factor of its own (variant 1).

#include "model/COHyperMonom.h"
#include "model/COPolynom.h"
#include "model/COPower.h"
#include "model/PolynomNumber.h"
#include "solver/CExpression.h"
#include "solver/FactorFormulas.h"
#include "solver/Factorisation.h"
#include "model/PolynomialGcd.h"

#include <algorithm>

namespace PN = PolynomNumber;

namespace {

struct PowerFactor {
    CPolynomValue base;
    std::int64_t exponent = 1;
};

struct ProductTerm {
    std::vector<PowerFactor> factors;
    std::int32_t sign = 1;
};

// The terms as lists of factors; none when a term is not a hyper-monomial without denominator or
// an exponent is not a small whole number.
std::optional<std::vector<ProductTerm>> ReadTerms(COperation& sum) {
    std::vector<ProductTerm> terms;
    for (ListCell& cell : *sum.AsList()) {
        if (!cell.child || cell.child->GetType() != NodeType::HyperMonom) {
            return std::nullopt;
        }
        auto& monom = static_cast<COHyperMonom&>(*cell.child);
        monom.Normalize();
        if (monom.DenominatorCount() != 0) {
            return std::nullopt;
        }
        ProductTerm term;
        term.sign = cell.sign;
        for (const ListCell& factor : monom) {
            const COPolynom* base = monom.FactorBase(factor);
            CNumber exponent = monom.FactorExponent(factor);
            if (base == nullptr || !exponent.ToInteger() || !exponent.Numerator().FitsInt64() ||
                exponent.Sign() < 0) {
                return std::nullopt;
            }
            term.factors.push_back({base->Value(), exponent.Numerator().SmallValue()});
        }
        terms.push_back(std::move(term));
    }
    return terms;
}

NodePtr FactorNode(const PowerFactor& factor) {
    NodePtr base = PolynomNode(factor.base);
    return factor.exponent == 1 ? std::move(base) : PowerNode(std::move(base), factor.exponent);
}

NodePtr TermNode(const ProductTerm& term) {
    std::vector<NodePtr> factors;
    for (const PowerFactor& factor : term.factors) {
        factors.push_back(FactorNode(factor));
    }
    if (factors.empty()) {
        factors.push_back(PolynomNode(CPolynomValue(1)));
    }
    return ProductNode(std::move(factors));
}

NodePtr SumOfTerms(const std::vector<ProductTerm>& terms) {
    std::vector<SignedNode> nodes;
    for (const ProductTerm& term : terms) {
        nodes.push_back({TermNode(term), term.sign});
    }
    return SumNode(std::move(nodes));
}

// The non-constant factors common to all terms, each with its smallest exponent.
std::vector<PowerFactor> CommonFactors(const std::vector<ProductTerm>& terms) {
    std::vector<PowerFactor> common;
    for (const PowerFactor& candidate : terms.front().factors) {
        if (candidate.base.IsConstant()) {
            continue;
        }
        std::int64_t smallest = candidate.exponent;
        for (const ProductTerm& term : terms) {
            std::int64_t exponent = 0;
            for (const PowerFactor& factor : term.factors) {
                if (factor.base == candidate.base) {
                    exponent += factor.exponent;
                }
            }
            smallest = std::min(smallest, exponent);
        }
        if (smallest > 0) {
            common.push_back({candidate.base, smallest});
        }
    }
    return common;
}

void DivideOut(ProductTerm& term, const PowerFactor& common) {
    std::int64_t left = common.exponent;
    for (PowerFactor& factor : term.factors) {
        if (left > 0 && factor.base == common.base) {
            const std::int64_t taken = std::min(left, factor.exponent);
            factor.exponent -= taken;
            left -= taken;
        }
    }
    std::erase_if(term.factors, [](const PowerFactor& factor) { return factor.exponent == 0; });
}

// Variant 1: the gcd g of the first polynomials of the terms is split off each of them, P^e
// becoming g^e (P/g)^e, a step after each rewriting.
bool SplitFirstFactors(CExpression& workspace, NodeHandle handle, std::vector<ProductTerm>& terms) {
    for (const ProductTerm& term : terms) {
        if (term.factors.empty()) {
            return false;
        }
    }
    CPolynomValue gcd = terms.front().factors.front().base;
    for (const ProductTerm& term : terms) {
        gcd = PolynomialGcd(gcd, term.factors.front().base);
    }
    if (gcd.IsConstant()) {
        return false;
    }
    gcd = PrimitivePart(std::move(gcd));
    for (ProductTerm& term : terms) {
        PowerFactor& first = term.factors.front();
        if (first.base == gcd) {
            continue;
        }
        std::optional<CPolynomValue> rest = first.base.DivideExact(gcd);
        if (!rest) {
            return false;
        }
        const PowerFactor split{gcd, first.exponent};
        first.base = std::move(*rest);
        term.factors.insert(term.factors.begin(), split);
        *handle = SumOfTerms(terms);
        workspace.RecordStep(false);
    }
    return true;
}

// When every term left in the bracket is a single polynomial, the bracket becomes their sum.
void CollectPlainBracket(CExpression& workspace, COperationList& product,
                         const std::vector<ProductTerm>& terms) {
    CPolynomValue sum;
    for (const ProductTerm& term : terms) {
        if (term.factors.size() > 1 || (term.factors.size() == 1 && term.factors.front().exponent != 1)) {
            return;
        }
        CPolynomValue value = term.factors.empty() ? CPolynomValue(1) : term.factors.front().base;
        if (term.sign < 0) {
            value.Negate();
        }
        sum.AddInPlace(value);
    }
    product.Tail()->child = PolynomNode(sum);
    workspace.QueueComment(CommentID::BracketsOpened);
    workspace.RecordStep(false);
}

} // namespace

bool FactorSumOfProducts(CExpression& workspace, NodeHandle handle) {
    if (handle == nullptr || !*handle || (*handle)->GetFamily() != NodeFamily::Addition ||
        (*handle)->AsList()->GetCount() < 2) {
        return false;
    }
    std::optional<std::vector<ProductTerm>> terms = ReadTerms(**handle);
    if (!terms) {
        return false;
    }
    std::vector<PowerFactor> common = CommonFactors(*terms);
    if (common.empty()) {
        if (!SplitFirstFactors(workspace, handle, *terms)) {
            return false;
        }
        common = CommonFactors(*terms);
        if (common.empty()) {
            return false;
        }
    }
    for (ProductTerm& term : *terms) {
        for (const PowerFactor& factor : common) {
            DivideOut(term, factor);
        }
    }
    // Variant 0: factor * (sum of the rests).
    std::vector<NodePtr> factors;
    for (const PowerFactor& factor : common) {
        factors.push_back(FactorNode(factor));
    }
    factors.push_back(SumOfTerms(*terms));
    *handle = ProductNode(std::move(factors));
    workspace.QueueComment(CommentID::CommonFactorTakenOut);
    workspace.RecordStep(false);
    CollectPlainBracket(workspace, *(*handle)->AsList(), *terms);
    return true;
}
