// The passes of the plain stage of the simplifier: divisions, opposite pairs, neutral elements,
// nested lists, divisor fractions, fraction factors, signs, powers and numbers.

#include "model/NodeCast.h"
#include "solver/simplify/Simplification.h"

#include "model/CMethod.h"
#include "model/CNumber.h"
#include "model/COAddition.h"
#include "model/COFraction.h"
#include "model/COMultiplication.h"
#include "model/CONumber.h"
#include "model/COPower.h"
#include "model/EngineLimits.h"
#include "model/FoldNumbers.h"
#include "model/TreeQueries.h"
#include "model/Walkers.h"
#include "model/WorkBudget.h"
#include "solver/Methods.h"
#include "solver/ProblemChecks.h"
#include "solver/SimplifySupport.h"

namespace {

bool IsType(const COperation* node, NodeType type) {
    return node != nullptr && node->GetType() == type;
}

bool IsPlainProductOrFraction(const COperation& node) {
    return node.GetType() == NodeType::Multiplication || node.GetType() == NodeType::Fraction;
}

// --- divisions ----------------------------------------------------------------------------------

constexpr std::int32_t kNoDivisionInside = 1;

// Every node gets mark 1, except that a power, root, list or relation holding a division gets 0.
void MarkDivisions(NodeHandle tree) {
    CSimpleMethod mark([](NodeHandle handle) {
        COperation& node = **handle;
        const bool holdsDivision =
            ToNumber(node.GetFamily()) >= ToNumber(NodeFamily::Power) && HasDivision(node);
        node.SetPassMark(holdsDivision ? 0 : kNoDivisionInside);
    });
    WalkPlain(tree, mark);
}

bool AllElementsMarked(const COperationList& list) {
    for (const ListCell& cell : list) {
        if (cell.child->PassMark() != kNoDivisionInside) {
            return false;
        }
    }
    return true;
}

// Moves the cells of the n-ary node at the handle into a new node of another class, keeping the
// common fields and comments.
template <class Target> void Reclass(NodeHandle handle) {
    COperation& old = **handle;
    auto target = std::make_unique<Target>();
    target->SetPassMark(old.PassMark());
    target->SetCrossOut(old.CrossOut());
    SpliceCells(*target, target->End(), *old.AsList(), 1);
    ReplaceNode(handle, std::move(target));
}

// e.g. a:b*c -> {a*c}/b
bool ProductsToFractions(NodeHandle tree) {
    bool changed = false;
    CSimpleMethod visit([&changed](NodeHandle handle) {
        COperation& node = **handle;
        if (node.GetType() != NodeType::Multiplication) {
            return;
        }
        const COperationList& list = *node.AsList();
        if (list.CountWithSign(-1) == 0 || !AllElementsMarked(list)) {
            return;
        }
        Reclass<COFraction>(handle);
        (*handle)->AddComment(CommentID::ProductWithDivisorsAsFraction);
        changed = true;
    });
    WalkPlain(tree, visit);
    return changed;
}

// e.g. {a:b}/c -> a:b:c
bool FractionsToProducts(NodeHandle tree) {
    bool changed = false;
    CSimpleMethod visit([&changed](NodeHandle handle) {
        COperation& node = **handle;
        if (node.GetType() != NodeType::Fraction || AllElementsMarked(*node.AsList())) {
            return;
        }
        Reclass<COMultiplication>(handle);
        COperationList& list = *(*handle)->AsList();
        if (list.Head()->sign == -1) {
            for (auto position = list.Head(); position != list.End(); ++position) {
                if (position->sign == 1) {
                    list.GetCells().splice(list.Head(), list.GetCells(), position);
                    break;
                }
            }
        }
        (*handle)->AddComment(CommentID::FractionWithDivisionAsProduct);
        changed = true;
    });
    WalkPlain(tree, visit);
    return changed;
}

void RewriteDivisionsIn(NodeHandle tree, const StepSink& sink) {
    MarkDivisions(tree);
    if (ProductsToFractions(tree)) {
        sink.Record();
    }
    if (FractionsToProducts(tree)) {
        sink.Record();
    }
    SetMarks(**tree, 0);
}

// --- neutral elements ---------------------------------------------------------------------------

constexpr std::int32_t kReplaced = 1;

bool AnyChildMarked(COperation& node) {
    bool marked = false;
    ForEachChildSlot(node, false, [&marked](NodeHandle child) {
        marked = marked || (*child && (*child)->PassMark() == kReplaced);
    });
    return marked;
}

bool HasZeroDivisorElement(const COperationList& list) {
    for (const ListCell& cell : list) {
        if (cell.sign == -1 && IsNumberValue(cell.child.get(), 0)) {
            return true;
        }
    }
    return false;
}

void Replace(NodeHandle handle, NodePtr replacement) {
    ReplaceNode(handle, std::move(replacement));
    (*handle)->SetPassMark(kReplaced);
}

// The end of the pass over a product or a sum whose neutral elements are gone: an empty list
// becomes the number `neutral`, a list of one element with sign +1 that element. Returns whether
// the node changed, `changed` telling whether elements were removed.
bool CollapseList(NodeHandle handle, std::int32_t neutral, bool changed) {
    const COperationList& list = *(*handle)->AsList();
    if (list.IsEmpty()) {
        Replace(handle, MakeNumber(neutral));
        return true;
    }
    if (list.GetCount() == 1 && list.Head()->sign == 1) {
        ReplaceByOnlyElement(handle);
        (*handle)->SetPassMark(kReplaced);
        return true;
    }
    return changed;
}

// Product or fraction: elements 1 dropped, an element 0 makes the whole 0. A division by the
// number 0 is left standing, so that the validity check can report it.
bool NeutralInProduct(NodeHandle handle) {
    COperationList& list = *(*handle)->AsList();
    if (HasZeroDivisorElement(list)) {
        return false;
    }
    bool changed = false;
    for (auto position = list.Head(); position != list.End();) {
        if (IsNumberValue(position->child.get(), 0) && position->sign == 1) {
            Replace(handle, MakeNumber(0));
            return true;
        }
        if (IsNumberValue(position->child.get(), 1)) {
            list.RemoveAt(position, 1);
            changed = true;
        } else {
            ++position;
        }
    }
    return CollapseList(handle, 1, changed);
}

bool NeutralInSum(NodeHandle handle) {
    COperationList& list = *(*handle)->AsList();
    bool changed = false;
    for (auto position = list.Head(); position != list.End();) {
        if (IsNumberValue(position->child.get(), 0)) {
            list.RemoveAt(position, 1);
            changed = true;
        } else {
            ++position;
        }
    }
    return CollapseList(handle, 0, changed);
}

// x^0 -> 1 and x^1 -> x (CommentID::PowersJoined); 1^y -> 1.
bool NeutralInPower(NodeHandle handle) {
    auto& power = NodeAs<COPower>(**handle);
    const CONumber* exponent = AsNumber(power.Exponent());
    if (exponent != nullptr) {
        if (exponent->Value().IsZero()) {
            Replace(handle, MakeNumber(1));
            (*handle)->AddComment(CommentID::PowersJoined);
            return true;
        }
        if (exponent->Value().IsOne()) {
            NodePtr base = std::move(power.BaseSlot());
            Replace(handle, std::move(base));
            (*handle)->AddComment(CommentID::PowersJoined);
            return true;
        }
        return false;
    }
    if (IsNumberValue(power.Base(), 1)) {
        Replace(handle, MakeNumber(1));
        return true;
    }
    return false;
}

bool NeutralPass(NodeHandle tree) {
    SetMarks(**tree, 0);
    bool changed = false;
    CSimpleMethod visit([&changed](NodeHandle handle) {
        COperation& node = **handle;
        if (!node.IsPlain() || AnyChildMarked(node)) {
            return;
        }
        switch (node.GetType()) {
        case NodeType::Multiplication:
        case NodeType::Fraction:
            changed = NeutralInProduct(handle) || changed;
            break;
        case NodeType::Addition:
            changed = NeutralInSum(handle) || changed;
            break;
        case NodeType::Power:
            changed = NeutralInPower(handle) || changed;
            break;
        default:
            break;
        }
    });
    WalkPlainPost(tree, visit);
    SetMarks(**tree, 0);
    return changed;
}

// Passes until one changes nothing. A step is recorded after every pass, the last one included:
// what the passes before this call changed without recording (the removal of crossed-out pairs)
// shows on its own line, before anything the next passes of Tidy do.
void RemoveNeutralIn(NodeHandle tree, const StepSink& sink) {
    for (int pass = 0; pass < EngineLimits::kMaxSimplifyPasses; ++pass) {
        const bool changed = NeutralPass(tree);
        if (!sink.Valid()) {
            return;
        }
        sink.Record();
        if (!changed) {
            return;
        }
    }
    sink.Fail(ProblemError::ProblemTooLarge);
}

// --- opposite pairs -----------------------------------------------------------------------------

// Where the pairs a search struck stand: opposite terms of a sum add up to zero, equal factors
// above and below a line cancel; the comment says which.
struct PairPlaces {
    bool inSums = false;
    bool inProducts = false;
};

bool FindPairs(COperation& node, std::int32_t& counter, PairPlaces& places) {
    if (!node.IsPlain()) {
        return false;
    }
    bool found = false;
    if (node.GetFamily() == NodeFamily::Power) {
        auto& power = NodeAs<COPower>(node);
        found = FindPairs(*power.Base(), counter, places);
        found = FindPairs(*power.Exponent(), counter, places) || found;
        return found;
    }
    if (!IsListFamily(node.GetFamily())) {
        return false;
    }
    COperationList& list = *node.AsList();
    for (auto first = list.Head(); first != list.End(); ++first) {
        if (first->child->CrossOut() != 0) {
            continue;
        }
        // Every term is compared with those after it: a long sum is quadratic work.
        if (!WorkBudget::Charge(list.GetCount() * WorkBudget::kUnitsPerNodeComparison)) {
            return found;
        }
        bool paired = false;
        for (auto second = std::next(first); second != list.End(); ++second) {
            if (second->child->CrossOut() == 0 && second->sign == -first->sign &&
                IsEqualNodes(*first->child, *second->child)) {
                first->child->SetCrossOut(counter);
                second->child->SetCrossOut(counter);
                ++counter;
                paired = true;
                (node.GetFamily() == NodeFamily::Addition ? places.inSums : places.inProducts) = true;
                break;
            }
        }
        if (paired) {
            found = true;
        } else {
            found = FindPairs(*first->child, counter, places) || found;
        }
    }
    return found;
}

// Marks the pairs of the tree, numbered from 1, and notes where they stand.
bool MarkOppositePairs(COperation& tree, PairPlaces& places) {
    std::int32_t counter = 1;
    return FindPairs(tree, counter, places);
}

// --- signs --------------------------------------------------------------------------------------

bool IsIntegerNumber(const COperation* node) {
    const CONumber* number = AsNumber(node);
    return number != nullptr && number->Value().IsWhole();
}

bool ExtractSignsAt(NodeHandle handle) {
    COperation& node = **handle;
    if (IsPlainProductOrFraction(node)) {
        int signs = 0;
        for (ListCell& cell : *node.AsList()) {
            if (IsNegatedSingleTerm(*cell.child)) {
                NodePtr term = cell.child->AsList()->RemoveHead();
                term->TakeCommentsFrom(*cell.child);
                cell.child = std::move(term);
                ++signs;
            } else if (CONumber* number = AsNumber(cell.child.get());
                       number != nullptr && number->Value().Sign() < 0) {
                number->Value().Negate();
                ++signs;
            }
        }
        if (signs == 0) {
            return false;
        }
        node.AddComment(CommentID::SignMovedOutOfFraction);
        if (signs % 2 == 1) {
            WrapNegated(handle);
        }
        return true;
    }
    if (node.GetType() == NodeType::Power) {
        auto& power = NodeAs<COPower>(node);
        if (!IsNegatedSingleTerm(*power.Base()) || !IsIntegerNumber(power.Exponent())) {
            return false;
        }
        NodePtr term = power.Base()->AsList()->RemoveHead();
        power.BaseSlot() = std::move(term);
        power.AddComment(CommentID::SignMovedOutOfFraction);
        if (AsNumber(power.Exponent())->Value().IsEvenInteger()) {
            return true;
        }
        WrapNegated(handle);
        return true;
    }
    return false;
}

// --- powers -------------------------------------------------------------------------------------

// (a^2)^3 -> a^{2*3}: the exponents multiplied, an exponent that is already a product extended.
bool JoinNestedPowers(NodeHandle tree) {
    bool changed = false;
    CSimpleMethod visit([&changed](NodeHandle handle) {
        if ((*handle)->GetType() != NodeType::Power) {
            return;
        }
        auto& outer = NodeAs<COPower>(**handle);
        if (outer.Base()->GetType() != NodeType::Power) {
            return;
        }
        auto& inner = NodeAs<COPower>(*outer.Base());
        NodePtr innerExponent = std::move(inner.ExponentSlot());
        NodePtr outerExponent = std::move(outer.ExponentSlot());
        NodePtr product;
        if (innerExponent->GetType() == NodeType::Multiplication) {
            innerExponent->AsList()->AddTail(std::move(outerExponent), 1);
            product = std::move(innerExponent);
        } else if (outerExponent->GetType() == NodeType::Multiplication) {
            outerExponent->AsList()->AddHead(std::move(innerExponent), 1);
            product = std::move(outerExponent);
        } else {
            auto made = std::make_unique<COMultiplication>(std::move(innerExponent), 1);
            made->AddTail(std::move(outerExponent), 1);
            product = std::move(made);
        }
        auto joined = std::make_unique<COPower>(std::move(inner.BaseSlot()), std::move(product));
        joined->TakeCommentsFrom(inner);
        ReplaceNode(handle, std::move(joined));
        (*handle)->AddComment(CommentID::PowersJoined);
        changed = true;
    });
    WalkPlainPost(tree, visit);
    return changed;
}

bool IsNegativeNumber(const COperation* node) {
    const CONumber* number = AsNumber(node);
    return number != nullptr && number->Value().Sign() < 0;
}

bool IsPowerWithNegativeExponent(const COperation* node) {
    return IsType(node, NodeType::Power) && IsNegativeNumber(NodeAs<COPower>(*node).Exponent());
}

void NegateExponent(COPower& power) {
    AsNumber(power.Exponent())->Value().Negate();
}

// A power with a negative exponent that is not an element of a product or fraction: the base is
// inverted (a fraction or product) or the power goes into the denominator of a new fraction.
void InvertPower(NodeHandle handle) {
    auto& power = NodeAs<COPower>(**handle);
    COperation& base = *power.Base();
    if (base.GetType() == NodeType::Fraction) {
        base.AsList()->NegateAll();
    } else if (base.GetType() == NodeType::Multiplication) {
        COperationList& list = *base.AsList();
        auto lastDivisor = list.End();
        for (auto position = list.Head(); position != list.End(); ++position) {
            if (position->sign == -1) {
                lastDivisor = position;
            }
        }
        list.NegateAll();
        if (lastDivisor != list.End()) {
            list.GetCells().splice(list.End(), list.GetCells(), lastDivisor);
        }
    } else {
        NegateExponent(power);
        const bool holdsDivision = HasDivision(power);
        NodePtr moved = std::move(*handle);
        if (holdsDivision) {
            *handle = std::make_unique<COMultiplication>(std::move(moved), -1);
        } else {
            *handle = std::make_unique<COFraction>(std::move(moved), -1);
        }
        (*handle)->AddComment(CommentID::NegativeExponentAsDenominator);
        if (AsNumber(power.Exponent())->Value().IsOne()) {
            NodePtr inner = std::move(power.BaseSlot());
            (*handle)->AsList()->Head()->child = std::move(inner);
        }
        return;
    }
    NegateExponent(power);
    power.AddComment(CommentID::NegativeExponentAsDenominator);
    if (AsNumber(power.Exponent())->Value().IsOne()) {
        NodePtr inner = std::move(power.BaseSlot());
        ReplaceNode(handle, std::move(inner));
    }
}

// Children first; `inList` says whether the node is an element of a plain product or fraction,
// whose negative powers that list turns into divisors itself.
bool NegativeExponentsAt(NodeHandle handle, bool inList) {
    COperation& node = **handle;
    bool changed = false;
    if (node.IsPlain()) {
        const bool isProduct = IsPlainProductOrFraction(node);
        ForEachChildSlot(node, false, [&](NodeHandle child) {
            changed = NegativeExponentsAt(child, isProduct) || changed;
        });
    }
    COperation& current = **handle;
    if (IsPlainProductOrFraction(current)) {
        for (ListCell& cell : *current.AsList()) {
            if (IsPowerWithNegativeExponent(cell.child.get())) {
                NegateExponent(NodeAs<COPower>(*cell.child));
                cell.sign = -cell.sign;
                current.AddComment(CommentID::NegativeExponentAsDenominator);
                changed = true;
            }
        }
    } else if (!inList && IsPowerWithNegativeExponent(&current)) {
        InvertPower(handle);
        changed = true;
    }
    return changed;
}

} // namespace

// ------------------------------------------------------------------------------------------------

void RewriteDivisions(CExpression& workspace) {
    RewriteDivisionsIn(TreeSlot(workspace), StepSink(&workspace));
}

void RewriteDivisions(NodeHandle tree) {
    RewriteDivisionsIn(tree, StepSink(nullptr));
}

bool FindOppositePairs(COperation& tree) {
    PairPlaces places;
    return MarkOppositePairs(tree, places);
}

void RemoveCrossedOut(NodeHandle slot) {
    COperation& node = **slot;
    if (!node.IsPlain()) {
        return;
    }
    if (node.GetFamily() == NodeFamily::Power) {
        auto& power = NodeAs<COPower>(node);
        RemoveCrossedOut(&power.BaseSlot());
        RemoveCrossedOut(&power.ExponentSlot());
        return;
    }
    if (!IsListFamily(node.GetFamily())) {
        return;
    }
    COperationList& list = *node.AsList();
    for (auto position = list.Head(); position != list.End();) {
        if (position->child->CrossOut() != 0) {
            list.RemoveAt(position, 1);
        } else {
            RemoveCrossedOut(&position->child);
            ++position;
        }
    }
    if (list.IsEmpty()) {
        ReplaceNode(slot, MakeNumber(node.GetFamily() == NodeFamily::Addition ? 0 : 1));
    } else if (list.GetCount() == 1 && list.Head()->sign == 1) {
        ReplaceByOnlyElement(slot);
    }
}

void CancelOppositePairs(CExpression& workspace) {
    StepSink sink(&workspace);
    PairPlaces places;
    for (int round = 0; sink.Valid() && MarkOppositePairs(**TreeSlot(workspace), places); ++round) {
        if (round >= EngineLimits::kMaxSimplifyPasses) {
            sink.Fail(ProblemError::ProblemTooLarge);
            return;
        }
        sink.Record();
        if (places.inSums) {
            sink.Queue(CommentID::OppositeTermsCancelled);
        }
        if (places.inProducts) {
            sink.Queue(CommentID::Cancellation);
        }
        places = PairPlaces{};
        RemoveCrossedOut(TreeSlot(workspace));
        Tidy(workspace);
    }
    sink.Record();
}

void RemoveNeutralElements(CExpression& workspace) {
    RemoveNeutralIn(TreeSlot(workspace), StepSink(&workspace));
}

void RemoveNeutralElements(NodeHandle tree) {
    RemoveNeutralIn(tree, StepSink(nullptr));
}

void InvertDivisorFractions(CExpression& workspace) {
    bool changed = false;
    CSimpleMethod visit([&changed](NodeHandle handle) {
        COperation& node = **handle;
        if (node.GetType() != NodeType::Multiplication) {
            return;
        }
        bool inverted = false;
        for (ListCell& cell : *node.AsList()) {
            if (cell.sign == -1 && cell.child->GetType() == NodeType::Fraction) {
                cell.sign = 1;
                cell.child->AsList()->NegateAll();
                inverted = true;
            }
        }
        if (inverted) {
            node.AddComment(CommentID::DivisionByFractionInverted);
            changed = true;
        }
    });
    WalkPlain(TreeSlot(workspace), visit);
    if (changed) {
        StepSink(&workspace).Record();
    }
}

void MergeFractionFactors(CExpression& workspace) {
    bool changed = false;
    CSimpleMethod visit([&changed](NodeHandle handle) {
        COperation& node = **handle;
        if (node.GetType() != NodeType::Multiplication) {
            return;
        }
        COperationList& list = *node.AsList();
        auto first = list.End();
        bool merged = false;
        for (auto position = list.Head(); position != list.End();) {
            if (position->child->GetType() != NodeType::Fraction) {
                ++position;
            } else if (first == list.End()) {
                first = position++;
            } else {
                const std::int32_t sign = position->sign;
                NodePtr fraction = list.RemoveAt(position, 1);
                first->child->TakeCommentsFrom(*fraction);
                COperationList& target = *first->child->AsList();
                SpliceCells(target, target.End(), *fraction->AsList(), sign);
                merged = true;
            }
        }
        if (merged) {
            node.AddComment(CommentID::FractionsMultiplied);
            changed = true;
        }
    });
    WalkPlain(TreeSlot(workspace), visit);
    if (changed) {
        StepSink(&workspace).Record();
    }
}

void ExtractSigns(CExpression& workspace) {
    CTestMethod visit(
        [](NodeHandle handle, std::int32_t* flag) {
            if (ExtractSignsAt(handle)) {
                *flag = 1;
            }
        },
        0);
    WalkPlainPost(TreeSlot(workspace), visit);
    const bool flattened = FlattenLists(TreeSlot(workspace));
    if (visit.Flag() != 0 || flattened) {
        StepSink(&workspace).Record();
    }
}

void FoldNumbersRecorded(CExpression& workspace) {
    StepSink sink(&workspace);
    AddFractionNumbers(workspace);
    const bool error = FoldNumbers(TreeSlot(workspace), [&sink]() { sink.Record(); });
    if (error) {
        sink.Fail(ProblemError::IncompleteExpression);
        return;
    }
    if (!CheckLimits(workspace)) {
        return;
    }
    RemoveNeutralElements(workspace);
}

void JoinPowers(CExpression& workspace) {
    StepSink sink(&workspace);
    if (JoinNestedPowers(TreeSlot(workspace))) {
        sink.Record();
    }
    FoldNumbersRecorded(workspace);
    if (!sink.Valid()) {
        return;
    }
    if (NegativeExponentsAt(TreeSlot(workspace), false)) {
        sink.Record();
    }
    RewriteDivisions(workspace);
}

void Tidy(CExpression& workspace) {
    StepSink sink(&workspace);
    if (!sink.Valid()) {
        return;
    }
    RemoveNeutralElements(workspace);
    if (!sink.Valid()) {
        return;
    }
    if (FlattenLists(TreeSlot(workspace))) {
        sink.Record();
    }
    InvertDivisorFractions(workspace);
    MergeFractionFactors(workspace);
    ExtractSigns(workspace);
    FoldNumbersRecorded(workspace);
    if (sink.Valid()) {
        CheckExponents(workspace);
    }
}
