// The entries of factorisation (one pass, FactorExpression) and complete factorisation
// (FactorFully), which prepare the expression, run the factor search and apply what it finds.

#include "solver/factor/Factorisation.h"

#include "model/COHyperMonom.h"
#include "model/COMultiplication.h"
#include "model/CONumber.h"
#include "model/COPolynom.h"
#include "model/COPower.h"
#include "model/NodeCast.h"
#include "model/TreeQueries.h"
#include "solver/CExpression.h"
#include "solver/Methods.h"
#include "solver/SimplifySupport.h"
#include "solver/SolverEntries.h"
#include "solver/factor/FactorFormulas.h"
#include "solver/factor/FactorSearchSupport.h"
#include "solver/simplify/Simplification.h"

namespace {

bool IsPolynom(NodeHandle handle) {
    return *handle && (*handle)->GetType() == NodeType::Polynom;
}

bool IsPlainSum(NodeHandle handle) {
    return *handle && (*handle)->GetFamily() == NodeFamily::Addition &&
           (*handle)->GetType() != NodeType::Polynom;
}

void ClearMarks(NodeHandle handle) {
    if (*handle) {
        SetMarks(**handle, 0);
    }
}

// Builds the terms into hyper-monomials, folds their signs (CommentID::SignMovedOutOfFraction) and tries the
// common factor and grouping of a sum of products; the hyper-monomials are unbuilt again.
bool TrySumOfProducts(CExpression& workspace, NodeHandle handle) {
    NodePtr original = (*handle)->Clone();
    BuildHyperMonoms(handle);
    bool changed = false;
    if (FoldFractionSigns(handle)) {
        workspace.QueueComment(CommentID::SignMovedOutOfFraction);
        FoldFractionSigns(handle);
        FlattenLists(handle);
        workspace.RecordStep(false);
        changed = true;
    }
    const bool factorised = FactorSumOfProducts(workspace, handle);
    UnbuildHyperMonoms(handle);
    if (!factorised && !changed) {
        // Nothing was shown: the node goes back to the form it was written in.
        *handle = std::move(original);
    }
    return factorised;
}

// 3. Simplifies the node in place, the workspace's working slot pointed at it for the time.
void SimplifyAt(CExpression& workspace, NodeHandle handle) {
    const NodeHandle saved = workspace.RootSlot();
    workspace.SetRootSlot(handle);
    SimplifyExpression(workspace);
    workspace.SetRootSlot(saved);
    if (!*handle) {
        return;
    }
    // A rational monomial that is one polynomial stands for that polynomial; any other is written
    // back as a plain product or fraction.
    if ((*handle)->GetType() == NodeType::HyperMonom) {
        auto& monom = NodeAs<COHyperMonom>(**handle);
        if (monom.GetCount() == 1 && monom.Head()->sign == 1 && monom.FactorExponent(*monom.Head()).IsOne()) {
            NodePtr base = std::move(NodeAs<COPower>(*monom.Head()->child).BaseSlot());
            *handle = std::move(base);
        }
    }
    UnbuildHyperMonoms(handle);
    BuildMonoms(handle);
    BuildPolynoms(handle);
}

// 6. The numeric content of the coefficients goes in front: c * (p / c) (CommentID::CommonFactorTakenOut).
// Returns the handle of the polynomial to factor further.
NodeHandle TakeOutContent(CExpression& workspace, NodeHandle handle) {
    auto& polynom = NodeAs<COPolynom>(**handle);
    const std::optional<CNumber> content = polynom.Content();
    if (!content || content->IsOne()) {
        return handle;
    }
    NodePtr rest = std::move(*handle);
    NodeAs<COPolynom>(*rest).RemoveContent();
    auto product = std::make_unique<COMultiplication>();
    product->AddTail(PolynomNode(CPolynomValue(*content)), 1);
    product->AddTail(std::move(rest), 1);
    *handle = std::move(product);
    workspace.QueueComment(CommentID::CommonFactorTakenOut);
    workspace.RecordStep(false);
    return &(*handle)->AsList()->Tail()->child;
}

} // namespace

bool FactorExpression(CExpression& workspace, NodeHandle handle) {
    // 1. Nothing to do for a product or a power.
    if (handle == nullptr || !*handle || IsProductOrPower(**handle, true) || !workspace.Validate()) {
        return false;
    }
    // 2. A sum of products of polynomials: a common factor or groups.
    if (IsPlainSum(handle) && TrySumOfProducts(workspace, handle)) {
        ClearMarks(handle);
        return true;
    }
    // 3. Anything else is simplified first.
    if (!IsPolynom(handle)) {
        SimplifyAt(workspace, handle);
        if (!workspace.Validate() || !*handle) {
            return false;
        }
        if (IsPlainSum(handle) && TrySumOfProducts(workspace, handle)) {
            ClearMarks(handle);
            return true;
        }
        if (IsProductOrPower(**handle, true)) {
            ClearMarks(handle);
            return true;
        }
    }
    // 4. A polynomial with its like terms collected.
    if (!IsPolynom(handle)) {
        return false;
    }
    auto& polynom = NodeAs<COPolynom>(**handle);
    if (polynom.HasLikeTerms() || polynom.HasCancellingPair()) {
        polynom.Normalize(true);
        workspace.RecordStep(false);
    }
    // 5. A single term is not split.
    if (polynom.GetCount() < 2) {
        return false;
    }
    // 6. The numeric content, 7. the search and its rewriting.
    const NodeHandle rest = TakeOutContent(workspace, handle);
    const bool contentTaken = rest != handle;
    FactorFinding finding;
    const bool found = FindFactorisation(NodeAs<COPolynom>(**rest), finding);
    if (found) {
        ApplyFactorisation(workspace, rest, finding);
        workspace.RefreshLastText();
    }
    // 8. A product written inside the product of the content is merged into it (shown as a step
    // of its own, without a comment).
    if (FlattenLists(handle)) {
        ClearAllComments(**handle);
        workspace.RecordStep(false);
    }
    ClearMarks(handle);
    return found || contentTaken;
}
