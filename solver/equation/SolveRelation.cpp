// SolveRelation: the equation solver's classification of a relation, in this order:
//
//   1. letters other than the unknown: not solved, nothing written;
//   2. both sides polynomials: SolvePolynomialEquation;
//   3. the domain: the denominators containing the unknown (none: no domain check);
//   4. "product = 0" or "power = 0": the factors solved one by one;
//   5. otherwise everything moved to the left (CommentID::AllTermsMovedLeft);
//   6. polynomials normalised and their minus signs taken out (CommentID::SignTakenOutOfBracket);
//   7. a left side positive for every value: no roots (CommentID::LeftSideAlwaysPositive);
//   8. (reductions by substitution, when they apply);
//   9. the domain written;
//  10. an integral left side: a sum of products factorised (when it can be);
//  11. the left side simplified to one fraction, then solved as a polynomial or a product, and
//      the roots checked against the domain.

#include "model/COAddition.h"
#include "model/CONumber.h"
#include "model/COPolynom.h"
#include "model/NodeCast.h"
#include "model/TreeQueries.h"
#include "solver/CExEquation.h"
#include "solver/Methods.h"
#include "solver/SolverEntries.h"
#include "solver/equation/EquationDomain.h"
#include "solver/equation/EquationSigns.h"
#include "solver/equation/EquationSolver.h"
#include "solver/equation/PlainCopy.h"
#include "solver/factor/Factorisation.h"
#include "solver/simplify/Simplification.h"
#include "solver/substitution/Reductions.h"

namespace {

bool IsPolynom(const COperation* node) {
    return node && node->GetType() == NodeType::Polynom;
}

bool IsZeroSide(const COperation* node) {
    if (const CONumber* number = AsNumber(node)) {
        return number->Value().IsZero();
    }
    return IsPolynom(node) && NodeAs<COPolynom>(*node).IsZero();
}

bool IsProductOrPowerSide(const COperation* node) {
    return node &&
           (node->GetFamily() == NodeFamily::Multiplication || node->GetFamily() == NodeFamily::Power);
}

bool IsSum(const COperation* node) {
    return node && node->GetFamily() == NodeFamily::Addition;
}

// Step 1: the relation has no letter but the unknown.
bool HasOnlyTheUnknown(const CExEquation& workspace) {
    const std::string letters = CollectLetters(*workspace.Root());
    return letters.empty() || (letters.size() == 1 && letters[0] == workspace.unknown);
}

// Step 5: "left = right" becomes "left - right = 0" with the sides taken as plain sums.
void MoveEverythingLeft(CExEquation& workspace) {
    UnbuildPolynoms(workspace.RootSlot());
    NodePtr left = std::move(workspace.LeftSlot());
    NodePtr right = std::move(workspace.RightSlot());
    if (IsSum(left.get()) && IsSum(right.get())) {
        for (ListCell& cell : right->AsList()->GetCells()) {
            left->AsList()->AddTail(std::move(cell.child), -cell.sign);
        }
    } else if (IsSum(left.get())) {
        left->AsList()->AddTail(std::move(right), -1);
    } else if (IsSum(right.get())) {
        right->AsList()->NegateAll();
        right->AsList()->AddTail(std::move(left), 1);
        left = std::move(right);
    } else {
        auto difference = std::make_unique<COAddition>(std::move(left), 1);
        difference->AddTail(std::move(right), -1);
        left = std::move(difference);
    }
    workspace.LeftSlot() = std::move(left);
    workspace.RightSlot() = COPolynom::Constant(CNumber(0));
    workspace.QueueComment(CommentID::AllTermsMovedLeft);
    workspace.RecordStep(false);
}

// Step 6.
void NormalizeLeftSide(CExEquation& workspace) {
    NodeHandle left = &workspace.LeftSlot();
    BuildMonoms(left);
    BuildPolynoms(left);
    NormalizePolynoms(left);
    TakeOutSigns(left);
    workspace.RecordStep(false);
}

// Step 10: an integral left side built into products of polynomials, their signs folded; a sum of
// such products with a common factor or a grouping is factorised and solved as a product. True
// when that solved the equation.
bool SolveAsFactorisedSum(CExEquation& workspace, bool useReductions) {
    NodeHandle left = &workspace.LeftSlot();
    if (!IsIntegralForm(**left)) {
        return false;
    }
    BuildHyperMonoms(left);
    if (FoldFractionSigns(left)) {
        workspace.QueueComment(CommentID::SignMovedOutOfFraction);
        FlattenLists(left);
        workspace.RecordStep(false);
    }
    const bool factorised = IsSum(left->get()) && IsSumOfHyperMonoms(**left) && !HasDenominator(**left) &&
                            FactorSumOfProducts(workspace, left);
    MakePlain(left);
    if (!factorised || !workspace.Validate()) {
        return factorised;
    }
    workspace.RefreshLastText();
    UnwrapLeadingMinus(workspace);
    SolveZeroProduct(workspace, false, useReductions);
    return true;
}

// Step 11: the left side simplified on its own, the whole equation written at every step; then
// solved as a polynomial equation or as a product equal to zero.
void SimplifyAndSolve(CExEquation& workspace, bool useReductions) {
    MakePlain(&workspace.LeftSlot());
    workspace.SetRootSlot(&workspace.LeftSlot());
    SimplifyForEquation(workspace);
    workspace.SetRootSlot(nullptr);
    if (!workspace.Validate()) {
        return;
    }
    UnwrapLeadingMinus(workspace);
    NodePtr probe = workspace.Left()->Clone();
    BuildMonoms(&probe);
    BuildPolynoms(&probe);
    if (IsPolynom(probe.get())) {
        workspace.LeftSlot() = std::move(probe);
        BuildMonoms(&workspace.RightSlot());
        BuildPolynoms(&workspace.RightSlot());
        SolvePolynomialEquation(workspace);
    } else if (IsProductOrPowerSide(workspace.Left()) ||
               workspace.Left()->GetFamily() == NodeFamily::Fraction) {
        SolveZeroProduct(workspace, false, useReductions);
    }
}

} // namespace

void SolveRelation(CExEquation& workspace, bool checkDomain, bool useReductions) {
    if (!workspace.Relation() || !workspace.Left() || !workspace.Right() || !HasOnlyTheUnknown(workspace)) {
        return;
    }
    workspace.ClearRoots();
    BuildMonoms(workspace.RootSlot());
    BuildPolynoms(workspace.RootSlot());
    TidyPolynoms(workspace.RootSlot());
    if (IsPolynom(workspace.Left()) && IsPolynom(workspace.Right())) {
        SolvePolynomialEquation(workspace);
        return;
    }
    const DomainList domain =
        checkDomain ? CollectDomain(*workspace.Root(), workspace.unknown) : DomainList();
    checkDomain = !domain.empty();
    if (IsZeroSide(workspace.Right())) {
        UnwrapLeadingMinus(workspace);
        if (IsProductOrPowerSide(workspace.Left())) {
            if (checkDomain) {
                WriteDomainBlock(workspace, domain);
            }
            SolveZeroProduct(workspace, false, useReductions);
            if (checkDomain && workspace.Validate() && workspace.resultState == CExEquation::kSolved) {
                CheckRootsBlock(workspace, domain);
            }
            return;
        }
    } else {
        MoveEverythingLeft(workspace);
    }
    NormalizeLeftSide(workspace);
    if (IsPositiveForEveryValue(*workspace.Left())) {
        workspace.AddCommentRecord(CommentID::LeftSideAlwaysPositive, false, true);
        workspace.resultState = CExEquation::kSolved;
        return;
    }
    if (useReductions && (FindRepeatedSubexpression(workspace, true, checkDomain) ||
                          FindPairedFactors(workspace, true) || FindReciprocalEquation(workspace, true))) {
        return;
    }
    if (checkDomain) {
        WriteDomainBlock(workspace, domain);
    }
    if (useReductions &&
        (FindHomogeneousForm(workspace, true) || FindTwoLetterSubstitution(workspace, true, nullptr))) {
        if (checkDomain && workspace.Validate() && workspace.resultState == CExEquation::kSolved) {
            CheckRootsBlock(workspace, domain);
        }
        return;
    }
    if (SolveAsFactorisedSum(workspace, useReductions)) {
        return;
    }
    SimplifyAndSolve(workspace, useReductions);
    if (checkDomain && workspace.Validate() && workspace.resultState == CExEquation::kSolved) {
        CheckRootsBlock(workspace, domain);
    }
}
