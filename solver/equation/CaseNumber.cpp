#include "solver/equation/CaseNumber.h"

#include "solver/CExEquation.h"

void WriteCaseNumber(CExEquation& child, bool colon) {
    child.ClearPendingRecord();
    child.AddPendingComment(CommentID::SubProblemHeading, false, true);
    const std::string& label = child.conditionText;
    std::size_t start = 0;
    while (true) {
        const std::size_t dot = label.find('.', start);
        child.AddPendingFormula(label.substr(start, dot - start), true);
        if (dot == std::string::npos) {
            break;
        }
        child.AddPendingComment(CommentID::SubProblemLabelSeparator, false, true);
        start = dot + 1;
    }
    if (colon) {
        child.AddPendingComment(CommentID::AnswerJoint, true, false);
    }
    child.FlushPendingRecord();
}
