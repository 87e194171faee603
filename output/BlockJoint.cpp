#include "output/BlockJoint.h"

bool OpensWithPunctuation(std::string_view commentText) {
    return !commentText.empty() &&
           std::string_view(",.;:").find(commentText.front()) != std::string_view::npos;
}

bool JoinsWithoutBlank(const OutputBlock& previous, const OutputBlock& next, std::string_view nextText) {
    const OutputBlockComment* before = previous.AsComment();
    if (before != nullptr && before->id == CommentID::SubProblemLabelSeparator) {
        return true;
    }
    return next.IsComment() && OpensWithPunctuation(nextText);
}
