#include "solver/substitution/SubstitutionSupport.h"

#include "markup/ProblemText.h"
#include "model/CONumber.h"
#include "model/CORelation.h"
#include "model/EngineLimits.h"
#include "output/COutputList.h"
#include "solver/CExEquation.h"
#include "solver/equation/CaseNumber.h"
#include "solver/equation/PlainCopy.h"
#include "solver/substitution/TreePolynomial.h"

bool HasRoomForSubstitution(const CExEquation& workspace, std::int32_t levelsBefore) {
    return workspace.Depth() + levelsBefore + SubstitutionLimits::kSubstitutionLevels <=
           EngineLimits::kMaxEquationNesting;
}

NodePtr EquationOf(NodePtr left, NodePtr right) {
    return std::make_unique<CORelation>(RelationCode::Equal, std::move(left), std::move(right));
}

bool IsZeroSide(const COperation* side) {
    std::optional<CPolynomValue> value = side ? PolynomialOf(*side) : std::nullopt;
    return value && value->IsZero();
}

std::string ShownText(const COperation& node) {
    std::string text = node.ToText();
    DotProducts(text);
    return text;
}

std::unique_ptr<CExEquation> OpenNewLetterPart(CExEquation& workspace, const Substitution& substitution,
                                               COutputList& list, char unknown) {
    std::unique_ptr<CExEquation> part = CExEquation::SubEquation(
        workspace, 2, EquationOf(PlainCopy(*substitution.equation), std::make_unique<CONumber>(0)), &list);
    part->unknown = unknown;
    if (!part->Admit()) {
        workspace.TakeErrorFrom(*part);
        return nullptr;
    }
    part->PushLineBlock(LineBlockKind::Substitution, 0);
    const bool twoLetters = substitution.secondExpression != nullptr;
    part->AddCommentRecord(twoLetters ? CommentID::NewLettersIntroduced : CommentID::SubstitutionIntroduced,
                           false, true);
    part->ClearPendingRecord();
    part->AddPendingComment(CommentID::NewLetterDefinition, false, true);
    part->AddPendingFormula(std::string(1, substitution.letter) + "=" + ShownText(*substitution.expression),
                            true);
    if (substitution.secondExpression) {
        part->AddPendingComment(CommentID::BetweenRoots, false, true);
        part->AddPendingFormula(std::string(1, substitution.secondLetter) + "=" +
                                    ShownText(*substitution.secondExpression),
                                true);
    }
    part->FlushPendingRecord();
    part->NextLineBlock();
    part->SetTopKind(LineBlockKind::NewEquation);
    part->AddCommentRecord(twoLetters ? CommentID::EquationInNewLetters : CommentID::EquationInNewLetter,
                           false, true);
    part->RecordStep(true);
    part->NextLineBlock();
    part->SetTopKind(LineBlockKind::NewSolving);
    return part;
}

std::unique_ptr<CExEquation> OpenNumberedCase(CExEquation& parent, const char* label, NodePtr relation,
                                              const std::string& condition, bool colon) {
    std::unique_ptr<CExEquation> child =
        CExEquation::SubEquation(parent, 1, std::move(relation), parent.Solution());
    if (!child->Admit()) {
        return child;
    }
    child->conditionText = parent.conditionText.empty() ? label : parent.conditionText + "." + label;
    child->PushLineBlock(LineBlockKind::CaseNumber, 0);
    child->NextLineBlock();
    WriteCaseNumber(*child, colon);
    child->AddFormulaRecord(condition, true);
    child->NextLineBlock();
    child->SetTopKind(LineBlockKind::CaseSolving);
    return child;
}

bool TakeOverPart(CExEquation& workspace, CExEquation& part, COutputList& list, bool solved) {
    if (part.ErrorCode() != ProblemError::None) {
        workspace.TakeErrorFrom(part);
        return true;
    }
    if (!solved) {
        if (part.resultState == CExEquation::kNewLetterUnsolved) {
            workspace.resultState = CExEquation::kNewLetterUnsolved;
        }
        return false;
    }
    workspace.Solution()->AppendList(list, ListTransfer::Move);
    workspace.ClearRoots();
    workspace.AddRootsOf(part);
    workspace.resultState = part.resultState;
    return true;
}
