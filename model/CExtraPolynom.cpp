#include "model/CExtraPolynom.h"
#include "model/NodeCast.h"

#include "model/COMonom.h"
#include "model/PolynomialGcd.h"

#include <algorithm>

CExtraPolynom::CExtraPolynom(const COPolynom& source, char letter) : m_letter(letter) {
    for (const ListCell& cell : source) {
        if (!cell.child || cell.child->GetType() != NodeType::Monom) {
            continue;
        }
        const auto& monom = NodeAs<COMonom>(*cell.child);
        const CNumber exponent = monom.ExponentOf(letter);
        auto rest = CloneNode(monom);
        rest->RemoveLetter(letter);
        auto at = std::find_if(m_records.begin(), m_records.end(),
                               [&](const CExtraMonom& record) { return record.exponent.Equal(exponent); });
        if (at == m_records.end()) {
            m_records.push_back({std::make_unique<COPolynom>(std::move(rest), cell.sign), exponent});
        } else {
            at->coefficient->AddTail(std::move(rest), cell.sign);
        }
    }
}

CExtraPolynom::CExtraPolynom(const CExtraPolynom& other) : m_letter(other.m_letter) {
    for (const CExtraMonom& record : other.m_records) {
        m_records.push_back({CloneNode(*record.coefficient), record.exponent});
    }
}

CExtraPolynom::CExtraPolynom(const CPolynomValue& value, char letter) : m_letter(letter) {
    for (const LetterCoefficient& record : SplitByLetter(value, static_cast<unsigned char>(letter))) {
        m_records.push_back(
            {COPolynom::FromValue(record.coefficient), CNumber(static_cast<std::int32_t>(record.exponent))});
    }
}

const CExtraMonom* CExtraPolynom::HighestRecord() const {
    const CExtraMonom* best = nullptr;
    for (const CExtraMonom& record : m_records) {
        if (best == nullptr || record.exponent.Greater(best->exponent)) {
            best = &record;
        }
    }
    return best;
}

CPolynomValue CExtraPolynom::Value() const {
    LetterCoefficients split;
    for (const CExtraMonom& record : m_records) {
        CNumber exponent(record.exponent);
        exponent.ToInteger();
        split.push_back({exponent.Numerator().ToInt64Clamped(), record.coefficient->Value()});
    }
    return JoinByLetter(split, static_cast<unsigned char>(m_letter));
}

std::unique_ptr<COPolynom> CExtraPolynom::ToPolynom() const {
    return COPolynom::FromValue(Value());
}

std::unique_ptr<COPolynom> CExtraPolynom::TakeOutCommonFactor() {
    if (m_records.empty()) {
        return COPolynom::Constant(CNumber(1));
    }
    if (m_records.size() == 1) {
        std::unique_ptr<COPolynom> whole = std::move(m_records.front().coefficient);
        m_records.front().coefficient = COPolynom::Constant(CNumber(1));
        return whole;
    }
    LetterCoefficients split;
    for (const CExtraMonom& record : m_records) {
        split.push_back({0, record.coefficient->Value()});
    }
    const CPolynomValue common = ContentOfCoefficients(split);
    if (!common.IsOne()) {
        for (CExtraMonom& record : m_records) {
            if (auto quotient = record.coefficient->Value().DivideExact(common)) {
                record.coefficient = COPolynom::FromValue(*quotient);
            }
        }
    }
    return COPolynom::FromValue(common);
}

CExtraPolynom CExtraPolynom::Product(const CExtraPolynom& other) const {
    return CExtraPolynom(Value().Product(other.Value()), m_letter);
}

CExtraPolynom CExtraPolynom::Difference(const CExtraPolynom& other) const {
    return CExtraPolynom(Value().Difference(other.Value()), m_letter);
}
