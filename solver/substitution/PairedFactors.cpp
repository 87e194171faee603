#include "solver/substitution/PairedFactors.h"

#include "model/COAddition.h"
#include "model/COMultiplication.h"
#include "model/CONumber.h"
#include "model/COPower.h"
#include "model/COVariable.h"
#include "model/COperationList.h"
#include "model/NodeCast.h"
#include "model/PolynomialGcd.h"
#include "model/TreeQueries.h"
#include "solver/factor/Factorisation.h"
#include "solver/substitution/PolynomialDecomposition.h"
#include "solver/substitution/SubstitutionSearch.h"
#include "solver/substitution/TreePolynomial.h"

#include <algorithm>

namespace {

struct Term {
    const COperation* node;
    std::int32_t sign;
    CPolynomValue value; // with the sign
};

std::optional<std::vector<Term>> TermsOf(const COperation& prepared) {
    std::vector<Term> terms;
    auto add = [&](const COperation& node, std::int32_t sign) {
        std::optional<CPolynomValue> value = PolynomialOf(node);
        if (!value || HasDenominator(node)) {
            return false;
        }
        if (sign < 0) {
            value->Negate();
        }
        terms.push_back(Term{&node, sign, std::move(*value)});
        return true;
    };
    if (prepared.GetFamily() == NodeFamily::Addition) {
        for (const ListCell& cell : prepared.AsList()->GetCells()) {
            if (!add(*cell.child, cell.sign)) {
                return std::nullopt;
            }
        }
    } else if (!add(prepared, 1)) {
        return std::nullopt;
    }
    return terms;
}

std::int64_t DegreeIn(const CPolynomValue& polynom, char letter) {
    return polynom.DegreeIn(static_cast<unsigned char>(letter));
}

std::unique_ptr<Substitution> Record(const CPolynomValue& g, NodePtr equation, char letter) {
    auto record = std::make_unique<Substitution>();
    record->expression = PlainTreeOf(g);
    record->equation = std::move(equation);
    record->letter = letter;
    return record;
}

// g from the gcd of the derivatives of the terms, integrated without constant.
std::optional<PairedFactorsForm> FromDerivatives(const std::vector<Term>& terms, const CPolynomValue& left,
                                                 char unknown, char letter) {
    CPolynomValue derivativeGcd;
    for (const Term& term : terms) {
        if (!term.value.IsConstant()) {
            derivativeGcd =
                PolynomialGcd(derivativeGcd, term.value.Derivative(static_cast<unsigned char>(unknown)));
        }
    }
    const CPolynomValue g = AffineClassOf(derivativeGcd.Antiderivative(static_cast<unsigned char>(unknown)));
    if (g.TermCount() < 2) {
        return std::nullopt;
    }
    std::optional<CPolynomValue> equation = DecomposeIn(left, g, unknown, letter);
    const std::int64_t degree = equation ? DegreeIn(*equation, letter) : 0;
    if (degree < 2 || degree >= DegreeIn(left, unknown)) {
        return std::nullopt;
    }
    PairedFactorsForm form;
    form.substitution = Record(g, PlainTreeOf(*equation), letter);
    return form;
}

// The factors of a product that hold the unknown, a power with a small whole exponent repeated,
// and the numeric factor of the rest. None when a factor is neither.
struct ProductFactors {
    std::vector<NodePtr> factors;
    CPolynomValue number{1};
};

std::optional<ProductFactors> FactorsOf(const COperation& product) {
    ProductFactors result;
    for (const ListCell& cell : product.AsList()->GetCells()) {
        std::optional<CPolynomValue> value = PolynomialOf(*cell.child);
        if (!value || cell.sign < 0) {
            return std::nullopt;
        }
        if (value->IsConstant()) {
            result.number.MultiplyInPlace(*value);
            continue;
        }
        const COperation* base = cell.child.get();
        std::int64_t count = 1;
        if (base->GetFamily() == NodeFamily::Power) {
            std::optional<CPolynomValue> exponent = PolynomialOf(*NodeAs<COPower>(*base).Exponent());
            if (exponent && exponent->IsConstant() && exponent->ConstantValue().IsWhole() &&
                exponent->ConstantValue().LessEqual(
                    static_cast<std::int32_t>(SubstitutionLimits::kMaxPairedFactors))) {
                CNumber whole = exponent->ConstantValue();
                whole.ToInteger();
                count = whole.ToInt();
                base = NodeAs<COPower>(*base).Base();
            }
        }
        for (std::int64_t i = 0; i < count; ++i) {
            result.factors.push_back(base->Clone());
        }
        if (result.factors.size() > SubstitutionLimits::kMaxPairedFactors) {
            return std::nullopt;
        }
    }
    return result;
}

// One polynomial split by the factor search as far as it goes, numbers into `number`; false when
// the factors would be too many.
bool SplitPolynomial(const CPolynomValue& polynom, std::vector<CPolynomValue>& factors,
                     CPolynomValue& number) {
    std::vector<CPolynomValue> pending{polynom};
    while (!pending.empty()) {
        const CPolynomValue factor = std::move(pending.back());
        pending.pop_back();
        std::optional<CPolynomValue> first;
        std::optional<CPolynomValue> cofactor;
        FactorFinding finding;
        if (factor.TermCount() >= 2 && FindFactorisation(*COPolynom::FromValue(factor), finding) &&
            finding.first) {
            first = finding.first->Value();
            cofactor = factor.DivideExact(*first);
        }
        if (!cofactor || cofactor->IsConstant()) {
            factors.push_back(factor);
        } else if (first->IsConstant()) {
            number.MultiplyInPlace(*first);
            pending.push_back(std::move(*cofactor));
        } else {
            pending.push_back(std::move(*cofactor));
            pending.push_back(std::move(*first));
        }
        if (factors.size() + pending.size() > SubstitutionLimits::kMaxPairedFactors) {
            return false;
        }
    }
    return true;
}

// The factors of a product factorised completely; none when nothing more was split.
std::optional<ProductFactors> FactorisedCompletely(const ProductFactors& parts) {
    ProductFactors split;
    split.number = parts.number;
    std::vector<CPolynomValue> values;
    for (const NodePtr& factor : parts.factors) {
        if (!SplitPolynomial(*PolynomialOf(*factor), values, split.number)) {
            return std::nullopt;
        }
    }
    if (values.size() <= parts.factors.size()) {
        return std::nullopt;
    }
    for (const CPolynomValue& value : values) {
        split.factors.push_back(PlainTreeOf(value));
    }
    return split;
}

// The set partitions of n elements as restricted growth strings: group[i] <= 1 + max(group[<i]).
bool NextPartition(std::vector<std::int32_t>& group) {
    for (std::size_t i = group.size(); i-- > 1;) {
        std::int32_t highest = 0;
        for (std::size_t j = 0; j < i; ++j) {
            highest = std::max(highest, group[j]);
        }
        if (group[i] <= highest) {
            ++group[i];
            std::fill(group.begin() + static_cast<std::ptrdiff_t>(i) + 1, group.end(), 0);
            return true;
        }
    }
    return false;
}

// The degree and the leading coefficient of a factor in the unknown.
struct FactorTop {
    std::int64_t degree = 0;
    CNumber leading{1};
};

std::vector<FactorTop> FactorTops(const std::vector<CPolynomValue>& factors, char unknown) {
    std::vector<FactorTop> tops;
    tops.reserve(factors.size());
    for (const CPolynomValue& factor : factors) {
        const std::int64_t degree = factor.DegreeIn(static_cast<unsigned char>(unknown));
        tops.push_back({degree, CoefficientAt(factor, unknown, degree)});
    }
    return tops;
}

// Products that differ by numbers only have one degree (at least 1) and one leading coefficient,
// both known from the factors' tops without multiplying anything out: most of the thousands of
// groupings of eight factors are ruled out here, by their degrees alone. `degrees` is scratch space.
bool GroupTopsAgree(const std::vector<FactorTop>& tops, const std::vector<std::int32_t>& group,
                    std::int32_t count, std::vector<std::int64_t>& degrees) {
    degrees.assign(static_cast<std::size_t>(count), 0);
    for (std::size_t i = 0; i < tops.size(); ++i) {
        degrees[static_cast<std::size_t>(group[i])] += tops[i].degree;
    }
    for (const std::int64_t degree : degrees) {
        if (degree < 1 || degree != degrees[0]) {
            return false;
        }
    }
    std::vector<CNumber> leading(static_cast<std::size_t>(count), CNumber(1));
    for (std::size_t i = 0; i < tops.size(); ++i) {
        leading[static_cast<std::size_t>(group[i])].MultiplyInPlace(tops[i].leading);
    }
    for (const CNumber& coefficient : leading) {
        if (!coefficient.Equal(leading[0])) {
            return false;
        }
    }
    return true;
}

// The products of the groups when they differ by numbers only and their common part has two or
// more terms; none otherwise.
std::optional<std::vector<CPolynomValue>> GroupProducts(const std::vector<CPolynomValue>& factors,
                                                        const std::vector<FactorTop>& tops,
                                                        const std::vector<std::int32_t>& group, char unknown,
                                                        std::vector<std::int64_t>& degrees) {
    const std::int32_t count = *std::max_element(group.begin(), group.end()) + 1;
    if (count < 2 || !GroupTopsAgree(tops, group, count, degrees)) {
        return std::nullopt;
    }
    std::vector<CPolynomValue> products(static_cast<std::size_t>(count), CPolynomValue(1));
    for (std::size_t i = 0; i < factors.size(); ++i) {
        products[static_cast<std::size_t>(group[i])].MultiplyInPlace(factors[i]);
    }
    for (const CPolynomValue& product : products) {
        if (!product.Difference(products[0]).IsConstant()) {
            return std::nullopt;
        }
    }
    CPolynomValue common = products[0];
    common.SubtractInPlace(CPolynomValue(CoefficientAt(common, unknown, 0)));
    if (common.TermCount() < 2) {
        return std::nullopt;
    }
    return products;
}

// coefficient·(t + c_1)^k_1·(t + c_2)^k_2·... with c_j the constant of group product j, equal
// products gathered into a power.
NodePtr GroupedProduct(const CNumber& coefficient, const std::vector<CPolynomValue>& products, char unknown,
                       char letter) {
    auto product = std::make_unique<COMultiplication>();
    if (!coefficient.IsOne()) {
        product->AddTail(std::make_unique<CONumber>(coefficient), 1);
    }
    for (const GatheredGroup& group : GatherEqualGroups(products)) {
        const CNumber constant = CoefficientAt(products[group.first], unknown, 0);
        CPolynomValue inLetter = CPolynomValue::Letter(static_cast<unsigned char>(letter));
        inLetter.AddInPlace(CPolynomValue(constant));
        NodePtr factor = PlainTreeOf(inLetter);
        if (group.count > 1) {
            factor = std::make_unique<COPower>(std::move(factor), std::make_unique<CONumber>(group.count));
        }
        product->AddTail(std::move(factor), 1);
    }
    return product;
}

// The form from the factors of one product term when a grouping of them fits; none otherwise.
std::optional<PairedFactorsForm> FormFromFactors(const ProductFactors& parts, const Term& term,
                                                 const CPolynomValue& left, char unknown, char letter) {
    if (parts.factors.size() < 2) {
        return std::nullopt;
    }
    std::vector<CPolynomValue> values;
    for (const NodePtr& factor : parts.factors) {
        values.push_back(*PolynomialOf(*factor));
    }
    const std::vector<FactorTop> tops = FactorTops(values, unknown);
    std::vector<std::int64_t> degrees;
    std::vector<std::int32_t> group(values.size(), 0);
    std::vector<std::int32_t> best;
    std::vector<CPolynomValue> bestProducts;
    do {
        std::optional<std::vector<CPolynomValue>> products =
            GroupProducts(values, tops, group, unknown, degrees);
        if (products && products->size() > bestProducts.size()) {
            best = group;
            bestProducts = std::move(*products);
        }
    } while (NextPartition(group));
    if (best.empty()) {
        return std::nullopt;
    }
    CPolynomValue g = bestProducts[0];
    g.SubtractInPlace(CPolynomValue(CoefficientAt(g, unknown, 0)));
    CPolynomValue rest = left.Difference(term.value);
    std::optional<CPolynomValue> restInLetter =
        rest.IsConstant() ? std::optional<CPolynomValue>(rest) : DecomposeIn(rest, g, unknown, letter);
    if (!restInLetter || std::max(static_cast<std::int64_t>(bestProducts.size()),
                                  DegreeIn(*restInLetter, letter)) >= DegreeIn(left, unknown)) {
        return std::nullopt;
    }
    CNumber coefficient = parts.number.ConstantValue();
    if (term.sign < 0) {
        coefficient.Negate();
    }
    auto equation =
        std::make_unique<COAddition>(GroupedProduct(coefficient, bestProducts, unknown, letter), 1);
    if (!restInLetter->IsZero()) {
        NodePtr restTree = PlainTreeOf(*restInLetter);
        if (restTree->GetFamily() == NodeFamily::Addition) {
            equation->AppendList(*restTree->AsList(), true);
        } else {
            equation->AddTail(std::move(restTree), 1);
        }
    }
    PairedFactorsForm form;
    form.coefficient = coefficient;
    form.rest = rest;
    form.groupProducts = bestProducts;
    form.groups.resize(bestProducts.size());
    for (std::size_t i = 0; i < best.size(); ++i) {
        form.groups[static_cast<std::size_t>(best[i])].push_back(parts.factors[i]->Clone());
    }
    form.substitution = Record(g, std::move(equation), letter);
    return form;
}

// A product term whose factors, as written or factorised completely, group into products that
// differ by numbers only.
std::optional<PairedFactorsForm> FromGroups(const std::vector<Term>& terms, const CPolynomValue& left,
                                            char unknown, char letter) {
    for (const Term& term : terms) {
        if (term.node->GetFamily() != NodeFamily::Multiplication &&
            term.node->GetFamily() != NodeFamily::Power) {
            continue;
        }
        COMultiplication single(term.node->Clone(), 1);
        const COperation& product = term.node->GetFamily() == NodeFamily::Power ? single : *term.node;
        std::optional<ProductFactors> parts = FactorsOf(product);
        if (!parts) {
            continue;
        }
        if (std::optional<PairedFactorsForm> form = FormFromFactors(*parts, term, left, unknown, letter)) {
            return form;
        }
        std::optional<ProductFactors> split = FactorisedCompletely(*parts);
        std::optional<PairedFactorsForm> form =
            split ? FormFromFactors(*split, term, left, unknown, letter) : std::nullopt;
        if (form) {
            for (const NodePtr& factor : split->factors) {
                form->factorised.push_back(factor->Clone());
            }
            return form;
        }
    }
    return std::nullopt;
}

} // namespace

std::vector<GatheredGroup> GatherEqualGroups(const std::vector<CPolynomValue>& products) {
    std::vector<GatheredGroup> gathered;
    for (std::size_t i = 0; i < products.size(); ++i) {
        auto same = std::find_if(gathered.begin(), gathered.end(), [&](const GatheredGroup& group) {
            return products[group.first] == products[i];
        });
        if (same == gathered.end()) {
            gathered.push_back(GatheredGroup{i, 1});
        } else {
            ++same->count;
        }
    }
    return gathered;
}

std::optional<PairedFactorsForm> FindPairedFactorsForm(const COperation& left, char unknown) {
    NodePtr prepared = PreparedForSearch(left);
    std::optional<std::vector<Term>> terms = TermsOf(*prepared);
    std::optional<CPolynomValue> value = PolynomialOf(*prepared);
    if (!terms || !value || value->Letters() != std::string(1, unknown)) {
        return std::nullopt;
    }
    const char letter = NewLetterFor(unknown);
    if (std::optional<PairedFactorsForm> form = FromDerivatives(*terms, *value, unknown, letter)) {
        return form;
    }
    return FromGroups(*terms, *value, unknown, letter);
}
