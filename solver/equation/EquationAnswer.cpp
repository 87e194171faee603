#include "solver/equation/EquationAnswer.h"

#include "markup/ProblemText.h"
#include "solver/CExEquation.h"
#include "solver/equation/NodeValue.h"

#include <algorithm>
#include <vector>

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

// The listed values in ascending order, as a pupil writes them, when every one has a value; otherwise
// in the order they were found.
std::vector<const COperation*> AscendingValues(const CNumberSet& values) {
    std::vector<std::pair<long double, const COperation*>> valued;
    std::vector<const COperation*> found;
    for (const ListCell& cell : values) {
        found.push_back(cell.child.get());
        if (const std::optional<long double> value = ApproximateValue(*cell.child)) {
            valued.emplace_back(*value, cell.child.get());
        }
    }
    if (valued.size() != found.size()) {
        return found;
    }
    std::stable_sort(valued.begin(), valued.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < valued.size(); ++i) {
        found[i] = valued[i].second;
    }
    return found;
}

// Every listed value, each as written by `formula`, CommentID::BetweenRoots between two of them.
template <typename Formula> void AddValues(CExEquation& workspace, Formula formula) {
    bool first = true;
    for (const COperation* value : AscendingValues(workspace.roots)) {
        if (!first) {
            workspace.AddPendingComment(CommentID::BetweenRoots, true, true);
        }
        first = false;
        workspace.AddPendingFormula(formula(*value), true);
    }
}

void AddRoots(CExEquation& workspace) {
    AddValues(workspace, [&](const COperation& root) { return RootFormula(workspace.unknown, root); });
}

// "x is any number except 1; 2": the values the domain excludes, each written alone.
void AddExcludedValues(CExEquation& workspace) {
    workspace.AddPendingComment(CommentID::AnswerExcept, true, true);
    AddValues(workspace, [](const COperation& value) {
        std::string text;
        value.WriteText(text, TextContext::Free);
        DotProducts(text);
        return text;
    });
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
    } else if (workspace.roots.GetComplementFlag() != 0) {
        workspace.AddPendingFormula(std::string(1, workspace.unknown), true);
        workspace.AddPendingComment(CommentID::AnswerEveryNumber, true, true);
        AddExcludedValues(workspace);
    } else if (workspace.roots.IsEmpty()) {
        workspace.AddPendingComment(CommentID::NoRoots, true, true);
    } else {
        AddRoots(workspace);
    }
    workspace.FlushPendingRecord();
}
