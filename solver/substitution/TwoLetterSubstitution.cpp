// The two-letter substitution: an equation homogeneous of degree n in two expressions A and B,
// c_n·A^n + c_(n-1)·A^(n-1)·B + ... + c_0·B^n = 0.
//
//   1. the equation in A and B (CommentID::SubstitutionIntroduced, the record "A = ..., B = ...",
//   CommentID::EquationInNewLetter), its left
//      side simplified, a denominator dropped (CommentID::FractionIsZeroWhenNumeratorIs) and a numeric factor
//      divided out (CommentID::NumericFactorDividedOut);
//   2. CommentID::HomogeneousEquation, then two cases:
//      case 1, B = 0: the equation forces A = 0 too (CommentID::FirstNewLetterZeroToo, "A = 0"); back in
//      the unknown, "A's expression = 0" is solved and each of its roots kept
//      (CommentID::RootOfCaseBZeroKept) when B's expression vanishes there, removed
//      (CommentID::RootOfCaseBZeroRemoved) when not; the case's answer;
//      case 2, B ≠ 0: divided by B^n (CommentID::DividedByPowerOfSecondNewLetter), the equation
//      c_n·(A/B)^n + ... + c_0 = 0, written back in the unknown and solved by substitution with
//      t = A/B, the domain of A/B checked;
//   3. the roots of both cases are the roots.

#include "markup/MarkupCharacters.h"
#include "model/COFraction.h"
#include "model/CONumber.h"
#include "model/COPower.h"
#include "model/CORelation.h"
#include "model/COVariable.h"
#include "model/NodeCast.h"
#include "model/PolynomialGcd.h"
#include "output/COutputList.h"
#include "solver/CExEquation.h"
#include "solver/SolverEntries.h"
#include "solver/equation/EquationAnswer.h"
#include "solver/equation/PlainCopy.h"
#include "solver/simplify/Simplification.h"
#include "solver/substitution/PolynomialDecomposition.h"
#include "solver/substitution/Reductions.h"
#include "solver/substitution/SubstitutionSearch.h"
#include "solver/substitution/SubstitutionSupport.h"
#include "solver/substitution/TreePolynomial.h"

namespace {

std::string Definition(char letter, const COperation& expression) {
    return std::string(1, letter) + "=" + ShownText(expression);
}

// The tree with every letter `letter` in it replaced by a copy of `by`.
void ReplaceLetter(NodePtr& slot, char letter, const COperation& by) {
    if (slot->GetFamily() == NodeFamily::Variable) {
        if (NodeAs<COVariable>(*slot).Letter() == letter) {
            slot = by.Clone();
        }
    } else if (COperationList* list = slot->AsList()) {
        for (ListCell& cell : *list) {
            ReplaceLetter(cell.child, letter, by);
        }
    } else if (slot->GetFamily() == NodeFamily::Power) {
        ReplaceLetter(NodeAs<COPower>(*slot).BaseSlot(), letter, by);
    }
}

// The polynomial in t with t standing for the quotient.
NodePtr WrittenThrough(const CPolynomValue& polynom, char t, const COperation& quotient) {
    NodePtr tree = PlainTreeOf(polynom);
    ReplaceLetter(tree, t, quotient);
    return tree;
}

NodePtr Quotient(NodePtr numerator, NodePtr denominator) {
    auto fraction = std::make_unique<COFraction>(std::move(numerator), 1);
    fraction->AddTail(std::move(denominator), -1);
    return fraction;
}

// Whether every common root of A and B is among `common` (numbers): the roots of gcd(A, B),
// counted with their multiplicities by its derivatives, are all there.
bool CommonRootsAreNumbers(const CPolynomValue& a, const CPolynomValue& b, const std::vector<CNumber>& common,
                           unsigned char x) {
    const CPolynomValue gcd = PolynomialGcd(a, b);
    std::int64_t found = 0;
    for (const CNumber& root : common) {
        for (CPolynomValue d = gcd; !d.IsZero() && d.ValueAt(x, root).IsZero(); d = d.Derivative(x)) {
            ++found;
        }
    }
    return found >= gcd.DegreeIn(x);
}

// Case 1: B = 0, which forces A = 0. The roots of "A's expression = 0" that B's expression does
// not vanish at are removed; a root written as a root form is dropped only when gcd(A, B) shows
// that no such root is common to both (otherwise the case is not solved).
bool SolveCaseSecondZero(CExEquation& homogeneous, const Substitution& substitution, bool useReductions) {
    std::unique_ptr<CExEquation> zero = OpenNumberedCase(
        homogeneous, "1",
        EquationOf(std::make_unique<COVariable>(substitution.letter), std::make_unique<CONumber>(0)),
        std::string(1, substitution.secondLetter) + "=0");
    if (zero->ErrorCode() != ProblemError::None) {
        homogeneous.TakeErrorFrom(*zero);
        return false;
    }
    // c_n·A^n is all that is left of the equation, and c_n is not 0.
    zero->QueueComment(CommentID::FirstNewLetterZeroToo);
    zero->RecordStep(true);
    zero->LeftSlot() = PlainCopy(*substitution.expression);
    zero->QueueComment(CommentID::ReturnToFirstUnknown);
    zero->RecordStep(true);
    SolveRelation(*zero, true, useReductions);
    if (zero->ErrorCode() != ProblemError::None || zero->resultState != CExEquation::kSolved) {
        homogeneous.TakeErrorFrom(*zero);
        return false;
    }
    const auto x = static_cast<unsigned char>(homogeneous.unknown);
    const CPolynomValue first = *PolynomialOf(*substitution.expression);
    const CPolynomValue second = *PolynomialOf(*substitution.secondExpression);
    std::vector<CNumber> kept;
    bool rootForms = false;
    zero->AddCommentRecord(CommentID::CheckRootsOfCaseBZero, false, true);
    for (const ListCell& cell : zero->roots) {
        if (cell.child->GetFamily() != NodeFamily::Number) {
            rootForms = true;
            continue;
        }
        const CNumber& root = static_cast<const CONumber&>(*cell.child).Value();
        const bool common = second.ValueAt(x, root).IsZero();
        zero->ClearPendingRecord();
        zero->AddPendingFormula(Definition(homogeneous.unknown, *cell.child), true);
        zero->AddPendingComment(common ? CommentID::RootOfCaseBZeroKept : CommentID::RootOfCaseBZeroRemoved,
                                false, true);
        zero->FlushPendingRecord();
        if (common) {
            kept.push_back(root);
        }
    }
    if (rootForms && !CommonRootsAreNumbers(first, second, kept, x)) {
        return false;
    }
    zero->ClearRoots();
    for (const CNumber& root : kept) {
        zero->AddRoot(std::make_unique<CONumber>(root));
        homogeneous.AddRoot(std::make_unique<CONumber>(root));
    }
    zero->NextLineBlock();
    zero->SetTopKind(LineBlockKind::CaseAnswer);
    WriteAnswer(*zero);
    if (zero->ErrorCode() != ProblemError::None) {
        homogeneous.TakeErrorFrom(*zero);
        return false;
    }
    return true;
}

// Case 2: B ≠ 0, the equation in t = A/B.
bool SolveCaseSecondNonZero(CExEquation& homogeneous, const Substitution& substitution,
                            const CPolynomValue& polynom, bool useReductions) {
    const char t = NewLetterFor(homogeneous.unknown);
    CPolynomValue inT;
    for (const PolynomTerm& term : polynom.Terms()) {
        const std::int64_t power = term.ExponentOf(static_cast<unsigned char>(substitution.letter));
        inT.AddInPlace(CPolynomValue::Letter(static_cast<unsigned char>(t), power).Scaled(term.coefficient));
    }
    const NodePtr letters = Quotient(std::make_unique<COVariable>(substitution.letter),
                                     std::make_unique<COVariable>(substitution.secondLetter));
    std::unique_ptr<CExEquation> nonZero = OpenNumberedCase(
        homogeneous, "2", EquationOf(WrittenThrough(inT, t, *letters), std::make_unique<CONumber>(0)),
        std::string(1, substitution.secondLetter) + static_cast<char>(MarkupBytes::kNotEqual) + "0", true);
    if (nonZero->ErrorCode() != ProblemError::None) {
        homogeneous.TakeErrorFrom(*nonZero);
        return false;
    }
    nonZero->QueueComment(CommentID::DividedByPowerOfSecondNewLetter);
    nonZero->RecordStep(true);
    Substitution ratio;
    ratio.letter = t;
    ratio.equation = PlainTreeOf(inT);
    ratio.expression =
        Quotient(PlainCopy(*substitution.expression), PlainCopy(*substitution.secondExpression));
    nonZero->LeftSlot() = WrittenThrough(inT, t, *ratio.expression);
    nonZero->QueueComment(CommentID::ReturnToFirstUnknown);
    nonZero->RecordStep(true);
    const bool solved = SolveBySubstitution(*nonZero, useReductions, true, &ratio);
    if (nonZero->ErrorCode() != ProblemError::None || !solved) {
        homogeneous.TakeErrorFrom(*nonZero);
        if (nonZero->resultState == CExEquation::kNewLetterUnsolved) {
            homogeneous.resultState = CExEquation::kNewLetterUnsolved;
        }
        return false;
    }
    for (const ListCell& cell : nonZero->roots) {
        homogeneous.AddRoot(cell.child->Clone());
    }
    return true;
}

// The left side in A and B shown in its simplest form: simplified, a denominator dropped
// (CommentID::FractionIsZeroWhenNumeratorIs), a numeric factor above 1 divided out
// (CommentID::NumericFactorDividedOut). The polynomial it then is; none when it is not one or the part ended
// with an error.
std::optional<CPolynomValue> SimplifyHomogeneous(CExEquation& homogeneous) {
    MakePlain(&homogeneous.LeftSlot());
    homogeneous.SetRootSlot(&homogeneous.LeftSlot());
    SimplifyExpression(homogeneous);
    homogeneous.SetRootSlot(nullptr);
    std::optional<CPolynomValue> value =
        homogeneous.Validate() ? PolynomialOf(*homogeneous.Left()) : std::optional<CPolynomValue>();
    if (!value || value->IsZero()) {
        return std::nullopt;
    }
    // value = primitive·factor: a fraction when the factor is not whole, numerator·primitive over
    // the factor's denominator.
    CPolynomValue primitive = *value;
    CNumber factor = primitive.MakePrimitive();
    factor.ToFraction();
    factor.Reduce();
    const CNumber numerator = factor.Product(CNumber(factor.Denominator()));
    if (!factor.IsWhole()) {
        homogeneous.LeftSlot() = PlainTreeOf(primitive.Scaled(numerator));
        homogeneous.QueueComment(CommentID::FractionIsZeroWhenNumeratorIs);
        homogeneous.RecordStep(false);
    }
    if (!numerator.IsOne()) {
        homogeneous.LeftSlot() = PlainTreeOf(primitive);
        homogeneous.QueueComment(CommentID::NumericFactorDividedOut);
        homogeneous.RecordStep(false);
    }
    return primitive;
}

} // namespace

bool FindTwoLetterSubstitution(CExEquation& workspace, bool useReductions, const Substitution* substitution) {
    if (!workspace.Relation() || !HasRoomForSubstitution(workspace)) {
        return false;
    }
    std::unique_ptr<Substitution> found;
    if (!substitution) {
        found = FindTwoLetterCandidate(*workspace.Left(), workspace.unknown);
        substitution = found.get();
    }
    std::optional<CPolynomValue> polynom =
        substitution ? PolynomialOf(*substitution->equation) : std::nullopt;
    if (!polynom || !PolynomialOf(*substitution->expression) ||
        !PolynomialOf(*substitution->secondExpression)) {
        return false;
    }
    COutputList list;
    std::unique_ptr<CExEquation> homogeneous =
        OpenNewLetterPart(workspace, *substitution, list, workspace.unknown);
    if (!homogeneous) {
        return true;
    }
    std::optional<CPolynomValue> simplified = SimplifyHomogeneous(*homogeneous);
    if (homogeneous->ErrorCode() != ProblemError::None) {
        return TakeOverPart(workspace, *homogeneous, list, false);
    }
    if (!simplified) {
        return false;
    }
    homogeneous->AddCommentRecord(CommentID::HomogeneousEquation, false, true);
    homogeneous->ClearRoots();
    const bool solved = SolveCaseSecondZero(*homogeneous, *substitution, useReductions) &&
                        SolveCaseSecondNonZero(*homogeneous, *substitution, *simplified, useReductions);
    if (solved) {
        homogeneous->resultState = CExEquation::kSolved;
    }
    return TakeOverPart(workspace, *homogeneous, list, solved);
}
