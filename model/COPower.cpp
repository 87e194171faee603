#include "model/COPower.h"
#include "model/NodeCast.h"

#include "model/CONumber.h"
#include "model/TreeQueries.h"

COPower::COPower(NodePtr base, NodePtr exponent) : m_base(std::move(base)), m_exponent(std::move(exponent)) {}

COPower::~COPower() {
    DeleteChildren();
}

COPower::COPower(const COPower& other)
    : COperation(other), m_base(other.m_base ? other.m_base->Clone() : nullptr),
      m_exponent(other.m_exponent ? other.m_exponent->Clone() : nullptr) {}

NodePtr COPower::Clone() const {
    return std::make_unique<COPower>(*this);
}

void COPower::DetachChildren(std::vector<NodePtr>& out) {
    if (m_base) {
        out.push_back(std::move(m_base));
    }
    if (m_exponent) {
        out.push_back(std::move(m_exponent));
    }
}

// x^1 = x, y^0 = 1, 1^z = 1 and 0^z = 0; otherwise a power equals only a power with an equal base
// and an equal exponent (x^2 is not x*x). When one of the first four rules applies but does not find
// the nodes equal, a power is still compared as a power: (a+b)^1 equals (a+b)^1, although the sum
// a+b only ever equals sums.
bool COPower::IsEqual(const COperation& other) const {
    if (!m_base || !m_exponent) {
        return false;
    }
    const CONumber* exponentNumber = AsNumber(m_exponent.get());
    const CONumber* baseNumber = AsNumber(m_base.get());
    bool reduced = false;
    if (exponentNumber != nullptr && exponentNumber->Value().IsOne()) {
        reduced = IsEqualNodes(*m_base, other);
    } else if (exponentNumber != nullptr && exponentNumber->Value().IsZero()) {
        reduced = IsEqualNodes(CONumber(1), other);
    } else if (baseNumber != nullptr && baseNumber->Value().IsOne()) {
        reduced = IsEqualNodes(CONumber(1), other);
    } else if (baseNumber != nullptr && baseNumber->Value().IsZero()) {
        reduced = IsEqualNodes(CONumber(0), other);
    }
    if (reduced) {
        return true;
    }
    if (other.GetFamily() != NodeFamily::Power) {
        return false;
    }
    const auto& power = NodeAs<COPower>(other);
    return power.m_base && power.m_exponent && IsEqualNodes(*m_base, *power.m_base) &&
           IsEqualNodes(*m_exponent, *power.m_exponent);
}

bool COPower::HasZeroDivisor() const {
    // Zero to a negative power divides by zero: 0^{-2} is 1/0^2.
    const CONumber* number = AsNumber(m_exponent.get());
    if (m_base && number && number->Value().Sign() < 0 && IsZeroValued(*m_base)) {
        return true;
    }
    return (m_base && m_base->HasZeroDivisor()) || (m_exponent && m_exponent->HasZeroDivisor());
}

bool COPower::IsDefined() const {
    return m_base && m_exponent && m_base->IsDefined() && m_exponent->IsDefined();
}

void COPower::WriteBody(std::string& text, TextContext context) const {
    const bool enclosed = context == TextContext::Base || context == TextContext::Exponent;
    if (enclosed) {
        text += '(';
    }
    if (m_base) {
        m_base->WriteText(text, TextContext::Base);
    }
    text += '^';
    if (m_exponent) {
        m_exponent->WriteText(text, TextContext::Exponent);
    }
    if (enclosed) {
        text += ')';
    }
}
