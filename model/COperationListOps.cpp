#include "model/COperationListOps.h"
#include "model/NodeCast.h"

#include "model/CONumber.h"
#include "model/COPower.h"
#include "model/TreeQueries.h"

#include <functional>
#include <utility>
#include <vector>

namespace {

struct SignedElement {
    const COperation* node;
    std::int32_t sign;
};

// Opens nested lists of the same kind into `out`, multiplying signs, and drops the neutral
// elements. Returns false when the list holds an empty slot.
bool Flatten(const COperationList& list, std::int32_t sign, const std::function<bool(NodeFamily)>& opens,
             const COperation& neutral, std::vector<SignedElement>& out) {
    for (const ListCell& cell : list) {
        if (!cell.child) {
            return false;
        }
        const std::int32_t elementSign = sign * cell.sign;
        if (opens(cell.child->GetFamily())) {
            if (!Flatten(*cell.child->AsList(), elementSign, opens, neutral, out)) {
                return false;
            }
        } else if (!IsEqualNodes(*cell.child, neutral)) {
            out.push_back(SignedElement{cell.child.get(), elementSign});
        }
    }
    return true;
}

// Removes each element of `a` together with an equal partner of the same sign in `b`; equal when
// nothing is left on either side. The partner standing at the same place is tried first, so that
// comparing a list with a copy of itself costs one comparison per element; otherwise the first
// unused equal element is taken.
bool SameMultiset(const std::vector<SignedElement>& a, const std::vector<SignedElement>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    auto matches = [](const SignedElement& x, const SignedElement& y) {
        return x.sign == y.sign && IsEqualNodes(*x.node, *y.node);
    };
    std::vector<bool> used(b.size(), false);
    std::size_t firstUnused = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::size_t partner = b.size();
        if (!used[i] && matches(a[i], b[i])) {
            partner = i;
        } else {
            for (std::size_t j = firstUnused; j < b.size(); ++j) {
                if (!used[j] && j != i && matches(a[i], b[j])) {
                    partner = j;
                    break;
                }
            }
        }
        if (partner == b.size()) {
            return false;
        }
        used[partner] = true;
        while (firstUnused < used.size() && used[firstUnused]) {
            ++firstUnused;
        }
    }
    return true;
}

bool IsEqualList(const COperationList& list, const COperation& other,
                 const std::function<bool(NodeFamily)>& opens, std::int32_t neutralValue) {
    // A lone element with sign +1 stands for itself. When that comparison fails and the other node
    // is a list of the same kind, the multiset comparison still decides, so that the answer does
    // not depend on which side comes first (+a equals a+0 just as a+0 equals +a).
    if (list.GetCount() == 1 && list.begin()->sign == 1 && list.begin()->child &&
        IsEqualNodes(*list.begin()->child, other)) {
        return true;
    }
    if (!opens(other.GetFamily())) {
        return false;
    }
    const CONumber neutral(neutralValue);
    std::vector<SignedElement> mine;
    std::vector<SignedElement> theirs;
    return Flatten(list, 1, opens, neutral, mine) && Flatten(*other.AsList(), 1, opens, neutral, theirs) &&
           SameMultiset(mine, theirs);
}

bool IsSumFamily(NodeFamily family) {
    return family == NodeFamily::Addition;
}

void Open(std::string& text, char bracket) {
    if (bracket != 0) {
        text += bracket;
    }
}

void Close(std::string& text, char bracket) {
    if (bracket == '(') {
        text += ')';
    } else if (bracket == '{') {
        text += '}';
    }
}

std::int32_t FirstSign(const COperationList& list) {
    return list.IsEmpty() ? 1 : list.begin()->sign;
}

} // namespace

bool IsEqualSumList(const COperationList& list, const COperation& other) {
    return IsEqualList(list, other, IsSumFamily, 0);
}

bool IsEqualProductList(const COperationList& list, const COperation& other) {
    return IsEqualList(list, other, IsProductFamily, 1);
}

bool SumListHasZeroDivisor(const COperationList& list) {
    for (const ListCell& cell : list) {
        if (cell.child && cell.child->HasZeroDivisor()) {
            return true;
        }
    }
    return false;
}

bool ProductListHasZeroDivisor(const COperationList& list) {
    for (const ListCell& cell : list) {
        if (!cell.child) {
            continue;
        }
        // Not only the number 0: a divisor such as {0}, 0^2 or 0*x, as the polynomial forms
        // write a zero, divides by zero just as surely.
        if (cell.sign == -1 && IsZeroValued(*cell.child)) {
            return true;
        }
        if (cell.child->HasZeroDivisor()) {
            return true;
        }
    }
    return false;
}

bool ListIsDefined(const COperationList& list) {
    if (list.IsEmpty()) {
        return false;
    }
    for (const ListCell& cell : list) {
        if (!cell.child || !cell.child->IsDefined()) {
            return false;
        }
    }
    return true;
}

void WriteSumList(const COperationList& list, std::string& text, TextContext context) {
    const bool compound = list.GetCount() > 1 || FirstSign(list) == -1;
    char bracket = 0;
    switch (context) {
    case TextContext::Term:
    case TextContext::Factor:
    case TextContext::Base:
        bracket = compound ? '(' : 0;
        break;
    case TextContext::SoleFactor:
        bracket = compound ? '{' : 0;
        break;
    case TextContext::Exponent:
        bracket = '{';
        break;
    case TextContext::Free:
        break;
    }
    Open(text, bracket);
    const TextContext termContext = compound ? TextContext::Term : context;
    bool first = true;
    for (const ListCell& cell : list) {
        if (cell.sign == -1) {
            text += '-';
        } else if (!first) {
            text += '+';
        }
        first = false;
        if (cell.child) {
            cell.child->WriteText(text, termContext);
        }
    }
    Close(text, bracket);
}

void WriteProductList(const COperationList& list, std::string& text, TextContext context) {
    if (list.GetCount() == 1 && FirstSign(list) == 1) {
        if (list.begin()->child) {
            list.begin()->child->WriteText(text, context);
        }
        return;
    }
    const bool compound = list.GetCount() > 1 || FirstSign(list) == -1;
    char bracket = 0;
    switch (context) {
    case TextContext::Factor:
    case TextContext::Base:
    case TextContext::Exponent:
        bracket = compound ? '(' : 0;
        break;
    case TextContext::SoleFactor:
        bracket = compound ? '{' : 0;
        break;
    case TextContext::Free:
    case TextContext::Term:
        break;
    }
    Open(text, bracket);
    if (FirstSign(list) == -1) {
        text += '1';
    }
    bool first = true;
    for (const ListCell& cell : list) {
        if (!(first && cell.sign == 1)) {
            text += cell.sign == -1 ? ':' : '*';
        }
        first = false;
        if (cell.child) {
            cell.child->WriteText(text, TextContext::Factor);
        }
    }
    Close(text, bracket);
}

void WriteFactorOmittingUnitExponent(const COperation& factor, std::string& text, TextContext context) {
    if (factor.GetFamily() == NodeFamily::Power) {
        const auto& power = NodeAs<COPower>(factor);
        const CONumber* exponent = AsNumber(power.Exponent());
        if (exponent != nullptr && exponent->Value().IsOne() && power.Base() != nullptr) {
            if (factor.CrossOut() != 0) {
                text += "!cross{";
                text += std::to_string(factor.CrossOut());
                text += ';';
            }
            power.Base()->WriteText(text, context);
            if (factor.CrossOut() != 0) {
                text += '}';
            }
            return;
        }
    }
    factor.WriteText(text, context);
}

namespace {

bool IsDigitCharacter(char c) {
    return c >= '0' && c <= '9';
}

bool IsIntegerLeaf(const COperation* node) {
    const CONumber* number = AsNumber(node);
    return number != nullptr && number->Value().IsInteger() && number->CrossOut() == 0;
}

// At most one numerator element and exactly one denominator element, all integer leaves.
bool IsIntegerOverInteger(const COperationList& list) {
    std::int32_t above = 0;
    std::int32_t below = 0;
    for (const ListCell& cell : list) {
        if (!IsIntegerLeaf(cell.child.get())) {
            return false;
        }
        ++(cell.sign == 1 ? above : below);
    }
    return above <= 1 && below == 1;
}

void WriteFactorRun(const COperationList& list, std::int32_t sign, std::string& text, TextContext context,
                    bool unitExponentAsBase) {
    bool first = true;
    for (const ListCell& cell : list) {
        if (cell.sign != sign || !cell.child) {
            continue;
        }
        if (!first) {
            text += '*';
        }
        first = false;
        if (unitExponentAsBase) {
            WriteFactorOmittingUnitExponent(*cell.child, text, context);
        } else {
            cell.child->WriteText(text, context);
        }
    }
}

} // namespace

void WriteFractionList(const COperationList& list, std::string& text, TextContext context,
                       bool unitExponentAsBase) {
    const std::int32_t above = list.CountWithSign(1);
    const std::int32_t below = list.CountWithSign(-1);
    if (FirstSign(list) == 1 && above + below == 1) {
        const COperation* only = list.begin()->child.get();
        if (only != nullptr) {
            if (unitExponentAsBase) {
                WriteFactorOmittingUnitExponent(*only, text, context);
            } else {
                only->WriteText(text, context);
            }
        }
        return;
    }
    char bracket = 0;
    switch (context) {
    case TextContext::Base:
    case TextContext::Exponent:
        bracket = '(';
        break;
    case TextContext::Factor:
    case TextContext::SoleFactor:
        bracket = '{';
        break;
    case TextContext::Free:
    case TextContext::Term:
        break;
    }
    Open(text, bracket);
    const std::size_t numeratorStart = text.size();
    if (above == 0) {
        text += '1';
    } else {
        const bool grouped = above >= 2 && below >= 1;
        Open(text, grouped ? '{' : 0);
        WriteFactorRun(list, 1, text,
                       above == 1 && below >= 1 ? TextContext::SoleFactor : TextContext::Factor,
                       unitExponentAsBase);
        Close(text, grouped ? '{' : 0);
    }
    if (below >= 1) {
        const bool numeratorEndsInDigit = text.size() > numeratorStart && IsDigitCharacter(text.back());
        text += '/';
        std::string denominator;
        const bool grouped = below >= 2;
        Open(denominator, grouped ? '{' : 0);
        WriteFactorRun(list, -1, denominator, below == 1 ? TextContext::SoleFactor : TextContext::Factor,
                       unitExponentAsBase);
        Close(denominator, grouped ? '{' : 0);
        // Digits on both sides of the bar would be read back as one fraction literal: x^2/3 as
        // x^{2/3}, 1/3^x as (1/3)^x, 2/0,5 not at all. The denominator is then grouped (x^2/{3}),
        // except for an integer over an integer, which reads back as the same value.
        const bool ambiguous =
            numeratorEndsInDigit && !denominator.empty() && IsDigitCharacter(denominator[0]);
        if (ambiguous && !IsIntegerOverInteger(list)) {
            text += '{';
            text += denominator;
            text += '}';
        } else {
            text += denominator;
        }
    }
    Close(text, bracket);
}
