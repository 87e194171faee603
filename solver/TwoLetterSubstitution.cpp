// The two-letter substitution: an equation homogeneous of degree n in two expressions A and B,
// c_n·A^n + c_(n-1)·A^(n-1)·B + ... + c_0·B^n = 0.
//
//   1. the equation in A and B (comment 34, the record "A = ..., B = ...", comment 65);
//   2. comment 14, then two cases:
//      case 1, B = 0: the equation forces A = 0 too; "B's expression = 0" is solved and each of
//      its roots kept (comment 40) when A's expression vanishes there, removed (comment 57) when
//      not;
//      case 2, B ≠ 0: divided by B^n, the equation c_n·t^n + ... + c_0 = 0 in t = A/B, solved by
//      substitution with the domain of A/B checked;
//   3. the roots of both cases are the roots.

#include "markup/MarkupCharacters.h"
#include "model/COFraction.h"
#include "model/CONumber.h"
#include "model/CORelation.h"
#include "output/COutputList.h"
#include "solver/CExEquation.h"
#include "solver/CaseNumber.h"
#include "solver/EquationAnswer.h"
#include "solver/PlainCopy.h"
#include "solver/PolynomialDecomposition.h"
#include "solver/Reductions.h"
#include "solver/SolverEntries.h"
#include "solver/SubstitutionSearch.h"
#include "solver/SubstitutionSupport.h"
#include "solver/TreePolynomial.h"

namespace {

std::string Definition(char letter, const COperation& expression) {
    return std::string(1, letter) + "=" + ShownText(expression);
}

// A case "label": its number (comment 9) and the condition on B as a formula.
std::unique_ptr<CExEquation> OpenCase(CExEquation& parent, const char* label, NodePtr relation,
                                      const std::string& condition) {
    std::unique_ptr<CExEquation> child =
        CExEquation::SubEquation(parent, 1, std::move(relation), parent.Solution());
    if (!child->Admit()) {
        return child;
    }
    child->conditionText = parent.conditionText.empty() ? label : parent.conditionText + "." + label;
    child->PushLineBlock(SubstitutionBlock::kCaseNumber, 0);
    child->NextLineBlock();
    WriteCaseNumber(*child);
    child->AddFormulaRecord(condition, true);
    child->NextLineBlock();
    child->SetTopKind(SubstitutionBlock::kCaseSolving);
    return child;
}

// Case 1: B = 0, which forces A = 0.
bool SolveCaseSecondZero(CExEquation& homogeneous, const Substitution& substitution, bool useReductions) {
    std::unique_ptr<CExEquation> zero =
        OpenCase(homogeneous, "1",
                 EquationOf(PlainCopy(*substitution.secondExpression), std::make_unique<CONumber>(0)),
                 std::string(1, substitution.secondLetter) + "=0");
    if (zero->ErrorCode() != 0) {
        homogeneous.TakeErrorFrom(*zero);
        return false;
    }
    zero->QueueComment(CommentID::ReturnToFirstUnknown);
    zero->RecordStep(true);
    SolveRelation(*zero, true, useReductions);
    if (zero->ErrorCode() != 0 || zero->resultState != CExEquation::kSolved) {
        homogeneous.TakeErrorFrom(*zero);
        return false;
    }
    std::optional<CPolynomValue> first = PolynomialOf(*substitution.expression);
    zero->AddCommentRecord(CommentID::CheckRootsOfCaseBZero, false, true);
    for (const ListCell& cell : zero->roots) {
        if (cell.child->GetFamily() != NodeFamily::Number || !first) {
            continue;
        }
        const CNumber& root = static_cast<const CONumber&>(*cell.child).Value();
        const bool kept = first->ValueAt(static_cast<unsigned char>(homogeneous.unknown), root).IsZero();
        zero->ClearPendingRecord();
        zero->AddPendingFormula(Definition(homogeneous.unknown, *cell.child), true);
        zero->AddPendingComment(kept ? CommentID::RootOfCaseBZeroKept : CommentID::RootOfCaseBZeroRemoved,
                                false, true);
        zero->FlushPendingRecord();
        if (kept) {
            homogeneous.AddRoot(cell.child->Clone());
        }
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
    std::unique_ptr<CExEquation> nonZero =
        OpenCase(homogeneous, "2", EquationOf(PlainTreeOf(inT), std::make_unique<CONumber>(0)),
                 std::string(1, substitution.secondLetter) + static_cast<char>(MarkupBytes::kNotEqual) + "0");
    if (nonZero->ErrorCode() != 0) {
        homogeneous.TakeErrorFrom(*nonZero);
        return false;
    }
    nonZero->AddCommentRecord(CommentID::AnswerJoint, false, true);
    nonZero->QueueComment(CommentID::ReturnToFirstUnknown);
    nonZero->RecordStep(true);
    Substitution ratio;
    ratio.letter = t;
    ratio.equation = PlainTreeOf(inT);
    auto fraction = std::make_unique<COFraction>(PlainCopy(*substitution.expression), 1);
    fraction->AddTail(PlainCopy(*substitution.secondExpression), -1);
    ratio.expression = std::move(fraction);
    const bool solved = SolveBySubstitution(*nonZero, useReductions, true, &ratio);
    if (nonZero->ErrorCode() != 0 || !solved) {
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

} // namespace

bool FindTwoLetterSubstitution(CExEquation& workspace, bool useReductions, const Substitution* substitution) {
    if (!workspace.Relation()) {
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
    homogeneous->AddCommentRecord(CommentID::HomogeneousEquation, false, true);
    homogeneous->ClearRoots();
    const bool solved = SolveCaseSecondZero(*homogeneous, *substitution, useReductions) &&
                        SolveCaseSecondNonZero(*homogeneous, *substitution, *polynom, useReductions);
    if (solved) {
        homogeneous->resultState = CExEquation::kSolved;
    }
    return TakeOverPart(workspace, *homogeneous, list, solved);
}
