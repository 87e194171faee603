#include "solver/equation/EquationAnswer.h"

#include "markup/ProblemText.h"
#include "solver/CExEquation.h"

namespace {

CommentIDType AnswerHeading(std::int32_t answerHeading) {
    switch (answerHeading) {
    case 1:
        return CommentID::AnswerHeadingEquation1;
    case 2:
        return CommentID::AnswerHeadingEquation2;
    default:
        return CommentID::AnswerHeadingEquation0;
    }
}

void AddRoots(CExEquation& workspace) {
    bool first = true;
    for (const ListCell& cell : workspace.roots) {
        if (!first) {
            workspace.AddPendingComment(CommentID::BetweenRoots, true, true);
        }
        first = false;
        workspace.AddPendingFormula(RootFormula(workspace.unknown, *cell.child), true);
    }
}

} // namespace

std::string RootFormula(char unknown, const COperation& root) {
    std::string text(1, unknown);
    text += '=';
    root.WriteText(text, TextContext::Free);
    DotProducts(text);
    return text;
}

void WriteAnswer(CExEquation& workspace) {
    if (workspace.resultState != CExEquation::kSolved) {
        workspace.AddCommentRecord(workspace.resultState == CExEquation::kNewLetterUnsolved
                                       ? CommentID::AnswerHeadingUnsolvedNewLetter
                                       : CommentID::AnswerHeadingOther,
                                   true, true);
        workspace.AddCommentRecord(CommentID::AnswerWithoutRoots, true, true);
        return;
    }
    workspace.ClearPendingRecord();
    workspace.AddPendingComment(AnswerHeading(workspace.answerHeading), true, true);
    workspace.AddPendingComment(CommentID::AnswerJoint, true, false);
    if (workspace.roots.IsAll()) {
        workspace.AddPendingFormula(std::string(1, workspace.unknown), true);
        workspace.AddPendingComment(CommentID::AnswerEveryNumber, true, true);
        workspace.AddPendingComment(CommentID::AnyValueIsRoot, true, true);
    } else if (workspace.roots.IsEmpty()) {
        workspace.AddPendingComment(CommentID::NoRoots, true, true);
    } else {
        AddRoots(workspace);
    }
    workspace.FlushPendingRecord();
}
