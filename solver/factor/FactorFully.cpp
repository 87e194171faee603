// Complete factorisation: every factor of the product is factorised again, round after round,
// until a round splits nothing.

#include "model/COAddition.h"
#include "model/COMultiplication.h"
#include "model/CONumber.h"
#include "model/COPolynom.h"
#include "model/COPower.h"
#include "model/NodeCast.h"
#include "model/TreeQueries.h"
#include "solver/CExpression.h"
#include "solver/SimplifySupport.h"
#include "solver/SolverEntries.h"
#include "solver/factor/FactorEqualFactors.h"
#include "solver/factor/FactorFormulas.h"

namespace {

bool IsProduct(const COperation* node) {
    return node != nullptr && node->GetType() == NodeType::Multiplication;
}

bool IsZeroPolynom(const COperation* node) {
    return node != nullptr && node->GetType() == NodeType::Polynom && NodeAs<COPolynom>(*node).IsZero();
}

// Factorises one factor (the base of a power factor). Returns whether it was split; the new
// product's cells replace the factor's cell (a power keeps the product as its base).
bool FactorOneFactor(CExpression& workspace, NodeHandle whole, COperationList& factors,
                     COperationList::Position& cell) {
    auto* power = cell->child->GetFamily() == NodeFamily::Power ? &NodeAs<COPower>(*cell->child) : nullptr;
    NodeHandle target = power ? &power->BaseSlot() : &cell->child;
    if (!FactorExpression(workspace, target)) {
        cell->child->SetPassMark(1);
        ++cell;
        return false;
    }
    if (NormalizeToProduct(target) < 0) {
        const CONumber* exponent = power ? NumberExponent(*power) : nullptr;
        const bool even = exponent != nullptr && exponent->Value().IsEvenInteger();
        if (!even) {
            FlipSign(whole);
            workspace.QueueComment(power ? CommentID::PowersJoined : CommentID::SignMovedOutOfFraction);
        }
    }
    if (power == nullptr && IsProduct(cell->child.get())) {
        NodePtr product = std::move(cell->child);
        COperationList::Position next = std::next(cell);
        factors.GetCells().erase(cell);
        SpliceCells(factors, next, *product->AsList(), 1);
        cell = next;
        workspace.RewriteLastStep();
        return true;
    }
    ++cell;
    return true;
}

// (A*B)^n -> A^n * B^n, then equal bases merged (CommentID::PowersJoined for each kind of change).
void ExpandPowersOfProducts(CExpression& workspace, COperationList& factors) {
    bool changed = false;
    for (auto cell = factors.begin(); cell != factors.end();) {
        auto* power =
            cell->child->GetFamily() == NodeFamily::Power ? &NodeAs<COPower>(*cell->child) : nullptr;
        const CONumber* exponent = power ? NumberExponent(*power) : nullptr;
        if (exponent == nullptr || !IsProduct(power->Base())) {
            ++cell;
            continue;
        }
        const CNumber n = exponent->Value();
        std::vector<NodePtr> raised;
        for (ListCell& inner : *power->Base()->AsList()) {
            raised.push_back(
                std::make_unique<COPower>(std::move(inner.child), std::make_unique<CONumber>(n)));
        }
        for (NodePtr& factor : raised) {
            factors.InsertBefore(cell, std::move(factor), 1);
        }
        cell = factors.GetCells().erase(cell);
        changed = true;
    }
    if (changed) {
        workspace.QueueComment(CommentID::PowersJoined);
        workspace.RecordStep(false);
    }
}

bool HasZeroFactor(const COperationList& factors) {
    for (const ListCell& cell : factors) {
        CNumber exponent;
        if (IsZeroPolynom(FactorBase(*cell.child, exponent))) {
            return true;
        }
    }
    return false;
}

void ClearFactorMarks(NodeHandle handle) {
    if (*handle) {
        SetMarks(**handle, 0);
    }
}

} // namespace

bool FactorFully(CExpression& workspace, NodeHandle handle) {
    if (handle == nullptr || !*handle) {
        return false;
    }
    // 1. A single term is not split.
    if ((*handle)->GetType() == NodeType::Polynom && (*handle)->AsList()->GetCount() < 2) {
        return false;
    }
    // 2. A product or power: its leading sign goes in front of it.
    if (IsProductOrPower(**handle, true)) {
        if (NormalizeToProduct(handle) < 0) {
            WrapNegated(handle);
        }
        SetMarks(**handle, 0);
    }
    bool factorisedAny = false;
    bool factorised = true;
    // 5. Rounds while the last one split something.
    while (factorised && workspace.Validate()) {
        factorised = false;
        NodeHandle product = ProductSlot(handle);
        if (IsProduct(product->get())) {
            // 3. Every factor not yet marked as prime.
            COperationList& factors = *(*product)->AsList();
            for (auto cell = factors.begin(); cell != factors.end() && workspace.Validate();) {
                if (cell->child->PassMark() != 0) {
                    ++cell;
                    continue;
                }
                factorised = FactorOneFactor(workspace, handle, factors, cell) || factorised;
                product = ProductSlot(handle);
            }
            // 4. Powers of products expanded, equal bases merged, a zero factor makes the whole 0.
            ExpandPowersOfProducts(workspace, *(*ProductSlot(handle))->AsList());
            GatherEqualFactors(workspace, handle);
            if (HasZeroFactor(*(*ProductSlot(handle))->AsList())) {
                *handle = PolynomNode(CPolynomValue());
                workspace.RecordStep(false);
                return true;
            }
            workspace.RecordStep(false);
        } else {
            if (!FactorExpression(workspace, product)) {
                break;
            }
            factorised = true;
            const std::int32_t sign = NormalizeToProduct(product);
            if (!IsProduct(product->get())) {
                auto single = std::make_unique<COMultiplication>(std::move(*product), 1);
                *product = std::move(single);
            }
            if (sign < 0) {
                FlipSign(handle);
            }
            SetMarks(**handle, 0);
        }
        factorisedAny = factorisedAny || factorised;
    }
    ClearFactorMarks(handle);
    return factorisedAny;
}
