#include "model/CORoot.h"
#include "model/NodeCast.h"

#include "model/CONumber.h"
#include "model/COPower.h"

CORoot::CORoot(NodePtr radicand, std::int32_t degree) : m_radicand(std::move(radicand)), m_degree(degree) {}

CORoot::CORoot(NodePtr radicand, const CNumber& degree) : m_radicand(std::move(radicand)), m_degree(degree) {}

CORoot::~CORoot() {
    DeleteChildren();
}

CORoot::CORoot(const CORoot& other)
    : COperation(other), m_radicand(other.m_radicand ? other.m_radicand->Clone() : nullptr),
      m_degree(other.m_degree) {}

NodePtr CORoot::Clone() const {
    return std::make_unique<CORoot>(*this);
}

void CORoot::DetachChildren(std::vector<NodePtr>& out) {
    if (m_radicand) {
        out.push_back(std::move(m_radicand));
    }
}

bool CORoot::IsDefined() const {
    return m_degree.IsComplete() && m_radicand && m_radicand->IsDefined();
}

// A root equals its radicand when the degree is 1, the exact root of a number radicand, the power
// of the radicand with the reciprocal degree as exponent (the square root of x is x^{1/2}), or a
// root with equal radicand and degree.
bool CORoot::IsEqual(const COperation& other) const {
    if (!m_radicand) {
        return false;
    }
    if (m_degree.IsOne() && IsEqualNodes(*m_radicand, other)) {
        return true; // otherwise still compared as a root below
    }
    if (const CONumber* number = AsNumber(m_radicand.get())) {
        if (std::optional<CNumber> root = number->Value().ExactRoot(m_degree)) {
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
        return m_degree.Equal(reciprocal) && IsEqualNodes(*m_radicand, *power.Base());
    }
    if (other.GetFamily() == NodeFamily::Root) {
        const auto& root = NodeAs<CORoot>(other);
        return root.m_radicand && m_degree.Equal(root.m_degree) &&
               IsEqualNodes(*m_radicand, *root.m_radicand);
    }
    return false;
}

void CORoot::WriteBody(std::string& text, TextContext) const {
    if (m_degree.Equal(CNumber(2))) {
        text += "!sq2{";
    } else {
        text += "!sqn{";
        m_degree.WriteText(text);
        text += ';';
    }
    if (m_radicand) {
        m_radicand->WriteText(text, TextContext::Free);
    }
    text += '}';
}
