#include "solver/substitution/TreePolynomial.h"

#include "model/CONumber.h"
#include "model/COPower.h"
#include "model/COVariable.h"
#include "model/COperationList.h"
#include "model/EngineLimits.h"
#include "model/NodeCast.h"

#include <algorithm>

namespace {

std::optional<std::int64_t> WholeExponent(const COperation& exponent) {
    std::optional<CPolynomValue> value = PolynomialOf(exponent);
    if (!value || !value->IsConstant()) {
        return std::nullopt;
    }
    CNumber number = value->ConstantValue();
    if (!number.IsWhole() || number.Less(0) ||
        number.Greater(static_cast<std::int32_t>(EngineLimits::kMaxPolynomialDegree))) {
        return std::nullopt;
    }
    number.ToInteger();
    return number.ToInt();
}

std::optional<CPolynomValue> PowerPolynomial(const COPower& power) {
    std::optional<CPolynomValue> base = PolynomialOf(*power.Base());
    std::optional<std::int64_t> exponent = WholeExponent(*power.Exponent());
    if (!base || !exponent) {
        return std::nullopt;
    }
    if (*exponent * std::max<std::int64_t>(base->TotalDegree(), 1) > EngineLimits::kMaxPolynomialDegree) {
        return std::nullopt;
    }
    return base->Power(*exponent);
}

std::optional<CPolynomValue> SumPolynomial(const COperationList& list) {
    CPolynomValue sum;
    for (const ListCell& cell : list.GetCells()) {
        std::optional<CPolynomValue> term = PolynomialOf(*cell.child);
        if (!term) {
            return std::nullopt;
        }
        if (cell.sign < 0) {
            term->Negate();
        }
        sum.AddInPlace(*term);
    }
    return sum;
}

// Elements with sign -1 divide; they must be non-zero constants.
std::optional<CPolynomValue> ProductPolynomial(const COperationList& list) {
    CPolynomValue product(1);
    for (const ListCell& cell : list.GetCells()) {
        std::optional<CPolynomValue> factor = PolynomialOf(*cell.child);
        if (!factor) {
            return std::nullopt;
        }
        if (cell.sign < 0) {
            if (!factor->IsConstant() || factor->IsZero()) {
                return std::nullopt;
            }
            CNumber reciprocal = factor->ConstantValue();
            reciprocal.Reciprocal();
            product.Scale(reciprocal);
        } else {
            if (product.TermCount() * factor->TermCount() > EngineLimits::kMaxTermProducts) {
                return std::nullopt;
            }
            product.MultiplyInPlace(*factor);
        }
    }
    return product;
}

} // namespace

std::optional<CPolynomValue> PolynomialOf(const COperation& node) {
    if (CNumber::LimitExceeded()) {
        return std::nullopt;
    }
    switch (node.GetFamily()) {
    case NodeFamily::Number:
        return CPolynomValue(NodeAs<CONumber>(node).Value());
    case NodeFamily::Variable:
        return CPolynomValue::Letter(static_cast<unsigned char>(NodeAs<COVariable>(node).Letter()));
    case NodeFamily::Power:
        return PowerPolynomial(NodeAs<COPower>(node));
    case NodeFamily::Addition:
        return SumPolynomial(*node.AsList());
    case NodeFamily::Multiplication:
    case NodeFamily::Fraction:
        return ProductPolynomial(*node.AsList());
    case NodeFamily::Root:
    case NodeFamily::Relation:
        return std::nullopt;
    }
    return std::nullopt;
}
