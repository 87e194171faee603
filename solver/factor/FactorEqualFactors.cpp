#include "solver/factor/FactorEqualFactors.h"

#include "model/CONumber.h"
#include "model/COPolynom.h"
#include "model/COPower.h"
#include "model/NodeCast.h"
#include "solver/CExpression.h"
#include "solver/SimplifySupport.h"

namespace {

// The slot of a factor's base: the factor itself, or the base of a power with a number exponent.
NodeHandle BaseSlot(NodePtr& factor) {
    if (factor->GetFamily() == NodeFamily::Power && NumberExponent(NodeAs<COPower>(*factor))) {
        return &NodeAs<COPower>(*factor).BaseSlot();
    }
    return &factor;
}

bool IsLetterPolynom(const COperation& node) {
    return node.GetType() == NodeType::Polynom && !NodeAs<COPolynom>(node).IsConstant();
}

bool AreOpposite(const COperation& a, const COperation& b) {
    if (!IsLetterPolynom(a) || !IsLetterPolynom(b)) {
        return false;
    }
    CPolynomValue negated = NodeAs<COPolynom>(b).Value();
    negated.Negate();
    return NodeAs<COPolynom>(a).Value() == negated;
}

// Each factor opposite to an earlier one rewritten as it; returns whether the product's sign flips
// (an odd count of odd powers rewritten) and sets rewritten when any was.
bool RewriteOpposites(COperationList& factors, bool& rewritten) {
    bool flips = false;
    for (auto cell = factors.begin(); cell != factors.end(); ++cell) {
        for (auto earlier = factors.begin(); earlier != cell; ++earlier) {
            CNumber exponent;
            const COperation* base = FactorBase(*earlier->child, exponent);
            const NodeHandle slot = BaseSlot(cell->child);
            if (earlier->sign != cell->sign || !AreOpposite(*base, **slot)) {
                continue;
            }
            FactorBase(*cell->child, exponent);
            flips = flips != !exponent.IsEvenInteger();
            *slot = base->Clone();
            rewritten = true;
            break;
        }
    }
    return flips;
}

bool MergeEqualBases(COperationList& factors) {
    bool changed = false;
    for (auto cell = factors.begin(); cell != factors.end(); ++cell) {
        CNumber total;
        const COperation* base = FactorBase(*cell->child, total);
        bool merged = false;
        for (auto later = std::next(cell); later != factors.end();) {
            CNumber exponent;
            const COperation* other = FactorBase(*later->child, exponent);
            if (later->sign == cell->sign && base->GetFamily() != NodeFamily::Number &&
                IsEqualNodes(*base, *other)) {
                total.AddInPlace(exponent);
                later = factors.GetCells().erase(later);
                merged = true;
            } else {
                ++later;
            }
        }
        if (merged) {
            NodePtr baseCopy = base->Clone();
            cell->child = std::make_unique<COPower>(std::move(baseCopy), std::make_unique<CONumber>(total));
            changed = true;
        }
    }
    return changed;
}

} // namespace

const CONumber* NumberExponent(const COPower& power) {
    return power.Exponent() && power.Exponent()->GetFamily() == NodeFamily::Number
               ? &NodeAs<CONumber>(*power.Exponent())
               : nullptr;
}

NodeHandle ProductSlot(NodeHandle handle) {
    if (IsNegatedSingleTerm(**handle)) {
        return &(*handle)->AsList()->Head()->child;
    }
    return handle;
}

void FlipSign(NodeHandle handle) {
    if (IsNegatedSingleTerm(**handle)) {
        NodePtr inner = std::move((*handle)->AsList()->Head()->child);
        *handle = std::move(inner);
    } else {
        WrapNegated(handle);
    }
}

const COperation* FactorBase(const COperation& factor, CNumber& exponent) {
    if (factor.GetFamily() == NodeFamily::Power) {
        const auto& power = NodeAs<COPower>(factor);
        if (const CONumber* number = NumberExponent(power)) {
            exponent = number->Value();
            return power.Base();
        }
    }
    exponent = CNumber(1);
    return &factor;
}

void GatherEqualFactors(CExpression& workspace, NodeHandle whole) {
    if (whole == nullptr || !*whole) {
        return;
    }
    NodeHandle product = ProductSlot(whole);
    if ((*product)->GetType() != NodeType::Multiplication) {
        return;
    }
    // A factor of an even power rewritten as the other is equal as it stands, and is merged next.
    bool rewritten = false;
    if (RewriteOpposites(*(*product)->AsList(), rewritten)) {
        FlipSign(whole);
        workspace.QueueComment(CommentID::SignMovedOutOfFraction);
        workspace.RecordStep(false);
    }
    if (MergeEqualBases(*(*ProductSlot(whole))->AsList())) {
        workspace.QueueComment(CommentID::PowersJoined);
        workspace.RecordStep(false);
    }
}
