#include "model/FoldNumbers.h"
#include "model/NodeCast.h"

#include "model/CONumber.h"
#include "model/COPower.h"
#include "model/COperationList.h"
#include "model/TreeQueries.h"
#include "model/Walkers.h"

#include <optional>

namespace {

constexpr std::int32_t kNumeric = 1;

// Stage 1, children first: a number leaf is numeric; a plain power, product, fraction or sum is
// numeric when all its children are; variables, roots, relations and specialised nodes are not.
void MarkNumeric(NodeHandle handle) {
    COperation& node = **handle;
    std::int32_t mark = 0;
    if (node.GetType() == NodeType::Number) {
        mark = kNumeric;
    } else if (node.IsPlain()) {
        switch (node.GetFamily()) {
        case NodeFamily::Number:
        case NodeFamily::Variable:
        case NodeFamily::Root:
        case NodeFamily::Relation:
            break;
        case NodeFamily::Power:
        case NodeFamily::Multiplication:
        case NodeFamily::Fraction:
        case NodeFamily::Addition: {
            bool allNumeric = true;
            ForEachChildSlot(node, false, [&allNumeric](NodeHandle child) {
                allNumeric = allNumeric && *child && (*child)->PassMark() == kNumeric;
            });
            mark = allNumeric ? kNumeric : 0;
            break;
        }
        }
    }
    node.SetPassMark(mark);
}

// Whether the numbers a result is computed from are written as common fractions (or mixed
// numbers) and none as a decimal.
class WrittenForms {
public:
    void Add(const CNumber& number) {
        m_decimal = m_decimal || number.IsDecimal();
        m_fraction = m_fraction || number.IsFraction() || number.IsMixed();
    }
    // A quotient is a fraction as well: 18/12 is 3/2, not 1,5.
    void AddDivision() { m_fraction = true; }
    // A result that is not whole stays a reduced common fraction when its operands were written as
    // fractions, instead of the decimal of the normal form: 1/4 + 1/4 is 1/2, not 0,5.
    void Apply(CNumber& value) const {
        if (m_fraction && !m_decimal && !value.IsWhole()) {
            value.ToFraction();
            value.Reduce();
        }
    }

private:
    bool m_decimal = false;
    bool m_fraction = false;
};

// The value of a power whose children are number leaves; none when it cannot be evaluated exactly
// (an exponent that is not whole stays written as a power). 0^(-n) raises the error and stays
// written: it has no value, and the formula must go on showing the division by zero.
std::optional<CNumber> EvaluatePower(const COPower& power, bool& error) {
    const CONumber* base = AsNumber(power.Base());
    const CONumber* exponent = AsNumber(power.Exponent());
    if (base == nullptr || exponent == nullptr || !exponent->Value().IsWhole()) {
        return std::nullopt;
    }
    if (base->Value().IsZero() && exponent->Value().Sign() < 0) {
        error = true;
        return std::nullopt;
    }
    std::optional<CNumber> value = base->Value().PowerOf(exponent->Value());
    if (value) {
        WrittenForms forms;
        forms.Add(base->Value());
        if (exponent->Value().Sign() < 0) {
            forms.AddDivision(); // 2^(-2) is 1/4
        }
        forms.Apply(*value);
    }
    return value;
}

// A minus sign before a mixed number, -(2 1/3): it stays written so, as a negative mixed number
// has no text of its own.
bool IsNegatedMixedNumber(const COperation& node) {
    if (node.GetFamily() != NodeFamily::Addition || node.AsList()->GetCount() != 1) {
        return false;
    }
    const ListCell& cell = *node.AsList()->Head();
    const CONumber* number = AsNumber(cell.child.get());
    return cell.sign == -1 && number != nullptr && number->Value().IsMixed();
}

// The value of a list whose elements are number leaves; none when some element is not one.
std::optional<CNumber> EvaluateList(const COperation& node, bool& error) {
    if (IsNegatedMixedNumber(node)) {
        return std::nullopt;
    }
    const bool sum = node.GetFamily() == NodeFamily::Addition;
    CNumber value(sum ? 0 : 1);
    WrittenForms forms;
    for (const ListCell& cell : *node.AsList()) {
        const CONumber* number = AsNumber(cell.child.get());
        if (number == nullptr) {
            return std::nullopt;
        }
        forms.Add(number->Value());
        if (!sum && cell.sign == -1) {
            forms.AddDivision();
        }
        if (sum) {
            if (cell.sign == -1) {
                value.SubtractInPlace(number->Value());
            } else {
                value.AddInPlace(number->Value());
            }
        } else if (cell.sign == -1) {
            if (number->Value().IsZero()) {
                error = true; // no value: the division by zero stays written
                return std::nullopt;
            } else {
                value.DivideInPlace(number->Value());
            }
        } else {
            value.MultiplyInPlace(number->Value());
        }
    }
    forms.Apply(value);
    return value;
}

// Stage 2, children first: a marked node other than a number leaf becomes a number leaf.
void Evaluate(NodeHandle handle, bool& error) {
    COperation& node = **handle;
    if (node.PassMark() != kNumeric || node.GetType() == NodeType::Number) {
        return;
    }
    std::optional<CNumber> value;
    switch (node.GetFamily()) {
    case NodeFamily::Power:
        value = EvaluatePower(NodeAs<COPower>(node), error);
        break;
    case NodeFamily::Multiplication:
    case NodeFamily::Fraction:
    case NodeFamily::Addition:
        value = EvaluateList(node, error);
        break;
    case NodeFamily::Number:
    case NodeFamily::Variable:
    case NodeFamily::Root:
    case NodeFamily::Relation:
        break;
    }
    if (!value) {
        node.SetPassMark(0);
        return;
    }
    auto leaf = std::make_unique<CONumber>(std::move(*value));
    leaf->SetPassMark(kNumeric);
    leaf->TakeCommentsFrom(node);
    *handle = std::move(leaf);
}

bool IsNumberCell(const ListCell& cell) {
    return AsNumber(cell.child.get()) != nullptr;
}

// Moves every number cell of the given sign (0 = any sign) directly behind the first of them,
// keeping their order and the order of the other cells. Returns whether a cell moved.
bool GatherNumbers(COperationList& list, std::int32_t sign) {
    auto& cells = list.GetCells();
    auto matches = [sign](const ListCell& cell) {
        return IsNumberCell(cell) && (sign == 0 || cell.sign == sign);
    };
    auto first = cells.begin();
    while (first != cells.end() && !matches(*first)) {
        ++first;
    }
    if (first == cells.end()) {
        return false;
    }
    bool moved = false;
    auto insertAt = std::next(first);
    for (auto it = insertAt; it != cells.end();) {
        auto next = std::next(it);
        if (matches(*it)) {
            if (it != insertAt) {
                cells.splice(insertAt, cells, it);
                moved = true;
            } else {
                ++insertAt;
            }
        }
        it = next;
    }
    return moved;
}

std::int32_t CountNumbers(const COperationList& list, std::int32_t sign) {
    std::int32_t count = 0;
    for (const ListCell& cell : list) {
        if (IsNumberCell(cell) && (sign == 0 || cell.sign == sign)) {
            ++count;
        }
    }
    return count;
}

// Stage 3, children first: clears the mark, then brings the number elements of a plain sum,
// product or fraction together and marks the node when there is something to combine.
void Gather(NodeHandle handle) {
    COperation& node = **handle;
    node.SetPassMark(0);
    if (!node.IsPlain()) {
        return;
    }
    COperationList* list = node.AsList();
    if (list == nullptr) {
        return;
    }
    if (node.GetFamily() == NodeFamily::Addition) {
        if (CountNumbers(*list, 0) > 1) {
            if (GatherNumbers(*list, 0)) {
                node.AddComment(CommentID::TermsReordered);
            }
            node.SetPassMark(kNumeric);
        }
        return;
    }
    if (CountNumbers(*list, 1) > 1 || CountNumbers(*list, -1) >= 2) {
        GatherNumbers(*list, 1);
        GatherNumbers(*list, -1);
        node.SetPassMark(kNumeric);
    }
}

// Replaces the number cells of the given sign (0 = any) by one cell holding `combine` of their
// values, at the place of the first of them. Returns the cell, or End() when there was no number.
template <typename Combine>
COperationList::Position CombineNumbers(COperationList& list, std::int32_t sign, CNumber start,
                                        Combine combine) {
    auto& cells = list.GetCells();
    auto place = cells.end();
    WrittenForms forms;
    for (auto it = cells.begin(); it != cells.end();) {
        if (IsNumberCell(*it) && (sign == 0 || it->sign == sign)) {
            combine(start, *it);
            forms.Add(AsNumber(it->child.get())->Value());
            if (place == cells.end()) {
                place = it;
                ++it;
            } else {
                place->child->TakeCommentsFrom(*it->child);
                it = cells.erase(it);
            }
        } else {
            ++it;
        }
    }
    if (place != cells.end()) {
        forms.Apply(start);
        NodePtr& slot = place->child;
        auto leaf = std::make_unique<CONumber>(std::move(start));
        leaf->TakeCommentsFrom(*slot);
        slot = std::move(leaf);
    }
    return place;
}

// Stage 4, children first: a marked node combines its gathered numbers.
void Combine(NodeHandle handle) {
    COperation& node = **handle;
    if (node.PassMark() != kNumeric) {
        return;
    }
    COperationList& list = *node.AsList();
    if (node.GetFamily() == NodeFamily::Addition) {
        auto place = CombineNumbers(list, 0, CNumber(0), [](CNumber& sum, const ListCell& cell) {
            const CNumber& term = AsNumber(cell.child.get())->Value();
            if (cell.sign == -1) {
                sum.SubtractInPlace(term);
            } else {
                sum.AddInPlace(term);
            }
        });
        node.AddComment(CommentID::LikeTermsCombined);
        if (place == list.End()) {
            return;
        }
        // Numbers that cancel leave nothing beside other terms: x - 1 + 1 + x -> x + x.
        if (NodeAs<CONumber>(*place->child).Value().IsZero() && list.GetCount() > 1) {
            list.RemoveAt(place, 1);
            return;
        }
        place->sign = NodeAs<CONumber>(*place->child).Value().TakeSign();
        return;
    }
    auto multiply = [](CNumber& product, const ListCell& cell) {
        product.MultiplyInPlace(AsNumber(cell.child.get())->Value());
    };
    if (list.CountWithSign(1) > 1) {
        CombineNumbers(list, 1, CNumber(1), multiply);
    }
    if (list.CountWithSign(-1) >= 2) {
        CombineNumbers(list, -1, CNumber(1), multiply);
    }
}

} // namespace

bool FoldNumbers(NodeHandle handle, const std::function<void()>& afterStage) {
    if (handle == nullptr || !*handle) {
        return false;
    }
    bool error = false;
    CSimpleMethod mark([](NodeHandle h) { MarkNumeric(h); });
    WalkPlainPost(handle, mark);

    CSimpleMethod evaluate([&error](NodeHandle h) { Evaluate(h, error); });
    WalkPlainPost(handle, evaluate);
    if (afterStage) {
        afterStage();
    }

    CSimpleMethod gather([](NodeHandle h) { Gather(h); });
    WalkPlainPost(handle, gather);
    if (afterStage) {
        afterStage();
    }

    CSimpleMethod combine([](NodeHandle h) { Combine(h); });
    WalkPlainPost(handle, combine);
    if (afterStage) {
        afterStage();
    }

    SetMarks(**handle, 0);
    return error;
}
