#include "model/CONumber.h"
#include "model/NodeCast.h"

CONumber::CONumber(std::int32_t number) : m_value(number) {}

CONumber::CONumber(const CNumber& number) : m_value(number) {}

CONumber::CONumber(CNumber&& number) : m_value(std::move(number)) {}

CONumber::CONumber(const COperation& fieldsFrom, CNumber number)
    : COperation(fieldsFrom), m_value(std::move(number)) {}

std::unique_ptr<CONumber> CONumber::ZeroLike(const COperation& fieldsFrom) {
    return std::make_unique<CONumber>(fieldsFrom, CNumber(0));
}

bool CONumber::IsEqual(const COperation& other) const {
    const CONumber* number = AsNumber(&other);
    return number != nullptr && m_value.Equal(number->m_value);
}

bool CONumber::IsDefined() const {
    return m_value.IsComplete();
}

NodePtr CONumber::Clone() const {
    return std::make_unique<CONumber>(*this);
}

void CONumber::WriteBody(std::string& text, TextContext context) const {
    const bool negative = m_value.Sign() < 0;
    bool parentheses = false;
    bool braces = false;
    switch (context) {
    case TextContext::Term:
    case TextContext::Factor:
    case TextContext::SoleFactor:
    case TextContext::Base:
        parentheses = negative;
        braces = !negative && (m_value.IsFraction() || m_value.IsMixed()) && context != TextContext::Term;
        break;
    case TextContext::Exponent:
        braces = negative || m_value.IsFraction() || m_value.IsMixed();
        break;
    case TextContext::Free:
        break;
    }
    if (parentheses) {
        text += '(';
    } else if (braces) {
        text += '{';
    }
    m_value.WriteText(text);
    if (parentheses) {
        text += ')';
    } else if (braces) {
        text += '}';
    }
}

const CONumber* AsNumber(const COperation* node) {
    if (node == nullptr || node->GetType() != NodeType::Number) {
        return nullptr;
    }
    return &NodeAs<CONumber>(*node);
}

CONumber* AsNumber(COperation* node) {
    if (node == nullptr || node->GetType() != NodeType::Number) {
        return nullptr;
    }
    return &NodeAs<CONumber>(*node);
}
