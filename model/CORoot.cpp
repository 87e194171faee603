#include "model/CORoot.h"
#include "model/NodeCast.h"

#include "model/CONumber.h"
#include "model/COPower.h"

CORoot::CORoot(NodePtr radicand, std::int32_t degree) : radicand(std::move(radicand)), degree(degree) {}

CORoot::CORoot(NodePtr radicand, const CNumber& degree) : radicand(std::move(radicand)), degree(degree) {}

CORoot::~CORoot() {
    DeleteChildren();
}

CORoot::CORoot(const CORoot& other)
    : COperation(other), radicand(other.radicand ? other.radicand->Clone() : nullptr), degree(other.degree) {}

NodePtr CORoot::Clone() const {
    return std::make_unique<CORoot>(*this);
}

void CORoot::DetachChildren(std::vector<NodePtr>& out) {
    if (radicand) {
        out.push_back(std::move(radicand));
    }
}

bool CORoot::IsDefined() const {
    return degree.IsComplete() && radicand && radicand->IsDefined();
}

// A root equals its radicand when the degree is 1, the exact root of a number radicand, the power
// of the radicand with the reciprocal degree as exponent (the square root of x is x^{1/2}), or a
// root with equal radicand and degree.
bool CORoot::IsEqual(const COperation& other) const {
    if (!radicand) {
        return false;
    }
    if (degree.IsOne() && IsEqualNodes(*radicand, other)) {
        return true; // otherwise still compared as a root below
    }
    if (const CONumber* number = AsNumber(radicand.get())) {
        if (std::optional<CNumber> root = number->Value().ExactRoot(degree)) {
            return IsEqualNodes(CONumber(std::move(*root)), other);
        }
    }
    if (other.GetFamily() == NodeFamily::Power) {
        const auto& power = NodeAs<COPower>(other);
        const CONumber* exponent = AsNumber(power.Exponent());
        if (exponent == nullptr || exponent->Value().IsZero() || power.Base() == nullptr) {
            return false;
        }
        CNumber reciprocal = exponent->Value();
        reciprocal.Reciprocal();
        return degree.Equal(reciprocal) && IsEqualNodes(*radicand, *power.Base());
    }
    if (other.GetFamily() == NodeFamily::Root) {
        const auto& root = NodeAs<CORoot>(other);
        return root.radicand && degree.Equal(root.degree) && IsEqualNodes(*radicand, *root.radicand);
    }
    return false;
}

void CORoot::WriteBody(std::string& text, TextContext) const {
    if (degree.Equal(CNumber(2))) {
        text += "!sq2{";
    } else {
        text += "!sqn{";
        degree.WriteText(text);
        text += ';';
    }
    if (radicand) {
        radicand->WriteText(text, TextContext::Free);
    }
    text += '}';
}
