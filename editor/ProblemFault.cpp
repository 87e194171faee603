#include "editor/ProblemFault.h"

#include "editor/EditorText.h"
#include "markup/CFormulaParser.h"
#include "markup/MarkupCharacters.h"
#include "markup/ProblemText.h"

#include <string_view>

using namespace EditorText;

namespace {

// Characters that stand for themselves in both forms: all but the blanks and braces of the editor
// form, and the mixed-number and product marks the conversion adds.
bool KeptByConversion(char c) {
    return std::string_view(" {}@.").find(c) == std::string_view::npos;
}

// The editor position of the character that the compact text has at compactPosition: both are
// counted by the characters the conversion keeps. The text's length when it lies past the end.
int EditorPositionOf(const std::string& editorText, const std::string& compactText,
                     std::size_t compactPosition) {
    int count = 0;
    for (std::size_t i = 0; i < compactPosition && i < compactText.size(); ++i) {
        count += KeptByConversion(compactText[i]) ? 1 : 0;
    }
    for (int i = 0; i < static_cast<int>(editorText.size()); ++i) {
        if (KeptByConversion(editorText[i]) && count-- == 0) {
            return i;
        }
    }
    return static_cast<int>(editorText.size());
}

// The token at position: from the blank before it to the end of its run of characters.
ProblemFault TokenFault(ProblemFaultKind kind, const std::string& text, int position) {
    ProblemFault fault;
    fault.kind = kind;
    const int length = static_cast<int>(text.size());
    if (position >= length) {
        fault.start = fault.end = length;
        return fault;
    }
    const std::size_t blank = text.rfind(kBlank, static_cast<std::size_t>(position));
    fault.start = blank == std::string::npos ? 0 : static_cast<int>(blank);
    int end = position + 1;
    while (end < length && text[end] != kBlank && text[end] != '}' && text[end] != ')') {
        ++end;
    }
    fault.end = end;
    return fault;
}

} // namespace

ProblemFault FindProblemFault(const std::string& editorText, const std::string& solverText,
                              ProblemKind kind) {
    if (IsBlank(editorText) || editorText == kEmptyProblem) {
        return {};
    }
    if (const std::size_t place = editorText.find(kPlaceholder); place != std::string::npos) {
        return TokenFault(ProblemFaultKind::EmptyPlace, editorText, static_cast<int>(place));
    }
    const bool equation = kind == ProblemKind::Equation;
    if (equation && solverText.find('=') == std::string::npos) {
        return TokenFault(ProblemFaultKind::NoRelation, editorText, static_cast<int>(editorText.size()));
    }
    std::string prepared = solverText;
    PrepareProblemText(prepared);
    const ParseResult parsed = equation ? ParseEquationText(prepared) : ParseExpressionText(prepared);
    if (parsed.errorCode != ProblemError::None && parsed.errorCode != ProblemError::ProblemTooLarge) {
        ProblemFault fault = TokenFault(ProblemFaultKind::Parse, editorText,
                                        EditorPositionOf(editorText, solverText, parsed.position));
        fault.code = parsed.errorCode;
        return fault;
    }
    char unknown = 0;
    if (equation && FindUnknown(solverText, unknown)) {
        for (int i = 0; i < static_cast<int>(editorText.size()); ++i) {
            const char c = editorText[i];
            const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
            if (letter && c != unknown) {
                return TokenFault(ProblemFaultKind::SecondUnknown, editorText, i);
            }
        }
    }
    return {};
}
