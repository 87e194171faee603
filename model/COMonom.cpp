#include "model/COMonom.h"

#include "model/CONumber.h"
#include "model/COperationListOps.h"

void COMonom::WriteBody(std::string& text, TextContext context) const {
    const std::int32_t count = GetCount();
    const CONumber* coefficient = IsEmpty() ? nullptr : AsNumber(begin()->child.get());
    const bool negative = coefficient != nullptr && coefficient->Value().Sign() < 0;
    const bool compound = count > 1 || negative;
    char bracket = 0;
    switch (context) {
    case TextContext::SoleFactor:
        bracket = compound ? '{' : 0;
        break;
    case TextContext::Factor:
    case TextContext::Base:
    case TextContext::Exponent:
        bracket = compound ? '(' : 0;
        break;
    case TextContext::Free:
    case TextContext::Term:
        break;
    }
    if (bracket != 0) {
        text += bracket;
    }
    const TextContext elementContext = count > 1 ? TextContext::Factor : context;
    bool first = true;
    for (const ListCell& cell : *this) {
        if (!cell.child) {
            continue;
        }
        if (cell.child.get() == coefficient && coefficient->Value().IsOne() && count > 1) {
            continue;
        }
        if (!first) {
            text += '*';
        }
        first = false;
        WriteFactorOmittingUnitExponent(*cell.child, text, elementContext);
    }
    if (bracket != 0) {
        text += bracket == '(' ? ')' : '}';
    }
}
