#include "solver/factor/FactorFormulas.h"

#include "model/COAddition.h"
#include "model/COMultiplication.h"
#include "model/CONumber.h"
#include "model/COPower.h"
#include "model/PolynomNumber.h"

#include <algorithm>

namespace PN = PolynomNumber;

NodePtr PolynomNode(const CPolynomValue& value) {
    return COPolynom::FromValue(value);
}

NodePtr ProductNode(std::vector<NodePtr> factors) {
    if (factors.size() == 1) {
        return std::move(factors.front());
    }
    auto product = std::make_unique<COMultiplication>();
    for (NodePtr& factor : factors) {
        product->AddTail(std::move(factor), 1);
    }
    return product;
}

std::vector<NodePtr> MonomialFactors(const CPolynomValue& common) {
    std::vector<NodePtr> factors;
    if (common.TermCount() != 1 || common.Terms().front().coefficient.Sign() < 0) {
        factors.push_back(PolynomNode(common));
        return factors;
    }
    const PolynomTerm& term = common.Terms().front();
    if (!term.coefficient.IsOne() || term.powers.empty()) {
        factors.push_back(PolynomNode(CPolynomValue(term.coefficient)));
    }
    for (const LetterPower& power : term.powers) {
        factors.push_back(PolynomNode(CPolynomValue::Letter(power.letter, power.exponent)));
    }
    return factors;
}

NodePtr TwoFactors(const CPolynomValue& first, const CPolynomValue& second) {
    std::vector<NodePtr> factors;
    factors.push_back(PolynomNode(first));
    factors.push_back(PolynomNode(second));
    return ProductNode(std::move(factors));
}

NodePtr CommonTimesCofactor(const CPolynomValue& common, const CPolynomValue& cofactor) {
    if (cofactor.IsOne()) {
        return PolynomNode(common);
    }
    const bool monomialFirst = cofactor.TermCount() == 1 && cofactor.Terms().front().coefficient.Sign() > 0;
    if (!monomialFirst) {
        return TwoFactors(common, cofactor);
    }
    std::vector<NodePtr> factors = MonomialFactors(cofactor);
    factors.push_back(PolynomNode(common));
    return ProductNode(std::move(factors));
}

NodePtr SumNode(std::vector<SignedNode> terms) {
    auto sum = std::make_unique<COAddition>();
    for (SignedNode& term : terms) {
        sum->AddTail(std::move(term.node), term.sign);
    }
    return sum;
}

NodePtr PowerNode(NodePtr base, std::int64_t exponent) {
    return std::make_unique<COPower>(std::move(base), std::make_unique<CONumber>(PN::FromInt(exponent)));
}

NodePtr MagnitudeNode(const PolynomTerm& term) {
    return PolynomNode(CPolynomValue::FromTerm(TermMagnitude(term)));
}

int SignOfTerm(const PolynomTerm& term) {
    return term.coefficient.Sign() < 0 ? -1 : 1;
}

TermList CanonicalOrder(TermList terms) {
    std::stable_sort(terms.begin(), terms.end(), [](const PolynomTerm& a, const PolynomTerm& b) {
        return PrecedesCanonically(a.powers, a.Degree(), b.powers, b.Degree());
    });
    return terms;
}

TermList ModelOrder(TermList terms, const TermList& model) {
    const auto place = [&](const PolynomTerm& term) {
        const auto like = std::find_if(model.begin(), model.end(),
                                       [&](const PolynomTerm& other) { return other.powers == term.powers; });
        return like - model.begin();
    };
    for (const PolynomTerm& term : terms) {
        if (place(term) == static_cast<std::ptrdiff_t>(model.size())) {
            return CanonicalOrder(std::move(terms));
        }
    }
    std::stable_sort(terms.begin(), terms.end(),
                     [&](const PolynomTerm& a, const PolynomTerm& b) { return place(a) < place(b); });
    return terms;
}

bool SameOrder(const TermList& a, const TermList& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].powers != b[i].powers || !a[i].coefficient.Equal(b[i].coefficient)) {
            return false;
        }
    }
    return true;
}

namespace {

// The sums of the groups of like terms that have more than one member.
std::vector<CNumber> LikeTermSums(const TermList& terms) {
    std::vector<CNumber> sums;
    std::vector<bool> used(terms.size(), false);
    for (std::size_t i = 0; i < terms.size(); ++i) {
        if (used[i]) {
            continue;
        }
        CNumber sum = terms[i].coefficient;
        bool several = false;
        for (std::size_t j = i + 1; j < terms.size(); ++j) {
            if (!used[j] && terms[j].powers == terms[i].powers) {
                used[j] = true;
                several = true;
                sum = PN::Sum(sum, terms[j].coefficient);
            }
        }
        if (several) {
            sums.push_back(sum);
        }
    }
    return sums;
}

} // namespace

bool HasCancellingTerms(const TermList& terms) {
    const std::vector<CNumber> sums = LikeTermSums(terms);
    return std::any_of(sums.begin(), sums.end(), [](const CNumber& sum) { return sum.IsZero(); });
}

bool HasCollectingTerms(const TermList& terms) {
    const std::vector<CNumber> sums = LikeTermSums(terms);
    return std::any_of(sums.begin(), sums.end(), [](const CNumber& sum) { return !sum.IsZero(); });
}
