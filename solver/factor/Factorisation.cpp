// The entries of factorisation (one pass, FactorExpression) and complete factorisation
// (FactorFully), which prepare the expression, run the factor search and apply what it finds.

#include "solver/factor/Factorisation.h"

#include "model/COHyperMonom.h"
#include "model/COMonom.h"
#include "model/COMultiplication.h"
#include "model/CONumber.h"
#include "model/COPolynom.h"
#include "model/COPower.h"
#include "model/NodeCast.h"
#include "model/PolynomNumber.h"
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

// A number written as a fraction in lowest terms (a whole number stays whole): 0,5 -> 1/2.
CNumber AsReducedFraction(const CNumber& value) {
    CLongInteger denominator = value.Denominator();
    if (denominator.IsOne()) {
        return value;
    }
    CLongInteger numerator = PolynomNumber::Product(value, CNumber(denominator)).Numerator();
    CLongInteger::ReduceByGcd(numerator, denominator);
    return CNumber(std::move(numerator), std::move(denominator));
}

bool HasFractionCoefficient(const COPolynom& polynom) {
    const CPolynomValue value = polynom.Value();
    for (const PolynomTerm& term : value.Terms()) {
        if (term.coefficient.IsFraction()) {
            return true;
        }
    }
    return false;
}

// The slot of an element of a fraction, or of the base when the element is a power with exponent 1.
NodeHandle ElementSlot(ListCell& cell) {
    if (cell.child->GetFamily() == NodeFamily::Power) {
        auto& power = NodeAs<COPower>(*cell.child);
        const CONumber* exponent = AsNumber(power.Exponent());
        if (exponent != nullptr && exponent->Value().IsOne()) {
            return &power.BaseSlot();
        }
    }
    return &cell.child;
}

// The number a number leaf, a monomial or a polynomial without letters stands for.
std::optional<CNumber> ConstantOf(const COperation& node) {
    if (const CONumber* number = AsNumber(&node)) {
        return number->Value();
    }
    if (node.GetType() == NodeType::Monom && !NodeAs<COMonom>(node).HasLetters()) {
        return NodeAs<COMonom>(node).Coefficient();
    }
    if (node.GetType() == NodeType::Polynom && NodeAs<COPolynom>(node).IsConstant()) {
        return NodeAs<COPolynom>(node).Value().ConstantValue();
    }
    return std::nullopt;
}

// A fraction of numbers and one polynomial over numbers, as the simplification leaves a sum of
// products with fractional numbers: the number goes in front, -(3(x^2 - 1))/2 = -3/2(x^2 - 1)
// (CommentID::CommonFactorTakenOut). Returns the handle of the polynomial, or null when the node is no
// such fraction.
NodeHandle TakeOutNumberOfFraction(CExpression& workspace, NodeHandle handle) {
    const bool negated = IsNegatedSingleTerm(**handle);
    COperation& node = negated ? *(*handle)->AsList()->Head()->child : **handle;
    if (node.GetType() != NodeType::Fraction) {
        return nullptr;
    }
    CNumber number(negated ? -1 : 1);
    NodeHandle polynom = nullptr;
    for (ListCell& cell : *node.AsList()) {
        const NodeHandle element = ElementSlot(cell);
        const std::optional<CNumber> value = ConstantOf(**element);
        if (value && !value->IsZero()) {
            number = cell.sign > 0 ? PolynomNumber::Product(number, *value)
                                   : PolynomNumber::Quotient(number, *value);
        } else if (polynom == nullptr && cell.sign > 0 && (*element)->GetType() == NodeType::Polynom) {
            polynom = element;
        } else {
            return nullptr;
        }
    }
    if (polynom == nullptr) {
        return nullptr;
    }
    const int sign = number.TakeSign();
    auto product = std::make_unique<COMultiplication>();
    product->AddTail(PolynomNode(CPolynomValue(AsReducedFraction(number))), 1);
    product->AddTail(std::move(*polynom), 1);
    NodeHandle rest = &product->Tail()->child;
    *handle = std::move(product);
    if (sign < 0) {
        WrapNegated(handle);
    }
    workspace.QueueComment(CommentID::CommonFactorTakenOut);
    workspace.RecordStep(false);
    return rest;
}

// 6. The numeric common factor of the coefficients goes in front: c * (p / c)
// (CommentID::CommonFactorTakenOut). With fractions among the coefficients it is the number that leaves
// coprime integers: 1/2x^2 - 3/2 = 1/2(x^2 - 3). Returns the handle of the polynomial to factor further.
NodeHandle TakeOutContent(CExpression& workspace, NodeHandle handle) {
    NodePtr rest = (*handle)->Clone();
    auto& polynom = NodeAs<COPolynom>(*rest);
    const bool fractions = HasFractionCoefficient(polynom);
    CNumber content = polynom.TakeOutNumber();
    if (content.IsOne()) {
        return handle;
    }
    if (fractions) {
        content = AsReducedFraction(content);
    }
    auto product = std::make_unique<COMultiplication>();
    product->AddTail(PolynomNode(CPolynomValue(content)), 1);
    product->AddTail(std::move(rest), 1);
    *handle = std::move(product);
    workspace.QueueComment(CommentID::CommonFactorTakenOut);
    workspace.RecordStep(false);
    return &(*handle)->AsList()->Tail()->child;
}

// A product factor that is a negated one-term sum loses its minus; an odd count of them puts one
// minus in front of the whole product. True when a sign moved.
bool MoveFactorSignsOut(NodeHandle handle) {
    if (!*handle || (*handle)->GetType() != NodeType::Multiplication) {
        return false;
    }
    bool moved = false;
    bool negative = false;
    for (ListCell& cell : *(*handle)->AsList()) {
        if (cell.sign == 1 && cell.child && IsNegatedSingleTerm(*cell.child)) {
            NodePtr inner = std::move(cell.child->AsList()->Head()->child);
            cell.child = std::move(inner);
            moved = true;
            negative = !negative;
        }
    }
    if (negative) {
        WrapNegated(handle);
    }
    return moved;
}

// 8. A product written inside the product of a number is merged into it, a minus in front of it
// going in front of the whole; the last step shows the merged product.
void FlattenProduct(CExpression& workspace, NodeHandle handle) {
    const bool signMoved = MoveFactorSignsOut(handle);
    if (FlattenLists(handle) || signMoved) {
        ClearAllComments(**handle);
        workspace.RewriteLastStep();
    }
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
        if (const NodeHandle numerator = TakeOutNumberOfFraction(workspace, handle)) {
            FactorExpression(workspace, numerator);
            FlattenProduct(workspace, handle);
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
    // 8. A product written inside the product of the content is merged into it, a minus in front of
    // it going in front of the whole; the last step shows the merged product.
    FlattenProduct(workspace, handle);
    ClearMarks(handle);
    return found || contentTaken;
}
