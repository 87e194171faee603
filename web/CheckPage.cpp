#include "web/CheckPage.h"

#include "export/MathMLFormula.h"
#include "output/LanguageTables.h"
#include "web/HtmlText.h"
#include "web/PageWriter.h"

#include <charconv>

namespace {

const char* VerdictName(LineVerdict verdict) {
    switch (verdict) {
    case LineVerdict::Right:
        return "right";
    case LineVerdict::Wrong:
        return "wrong";
    case LineVerdict::Unreadable:
        return "unreadable";
    case LineVerdict::NotChecked:
        return "not-checked";
    }
    return "not-checked";
}

// The column an unreadable line's message names (its first argument).
std::size_t UnreadableColumn(const CheckedLine& line) {
    std::size_t column = 0;
    if (line.message.id == CheckMessageID::Unreadable && !line.message.arguments.empty()) {
        const std::string& text = line.message.arguments.front();
        std::from_chars(text.data(), text.data() + text.size(), column);
    }
    return column;
}

// The pupil's line: a wrong line is marked whole, an unreadable one at the column the reader names.
std::string LineHtml(const CheckedLine& line) {
    switch (line.verdict) {
    case LineVerdict::Wrong:
        return "<mark>" + XmlEscapedText(line.text) + "</mark>";
    case LineVerdict::Unreadable:
        return HtmlWithMarkedColumn(line.text, std::max<std::size_t>(1, UnreadableColumn(line)));
    case LineVerdict::Right:
    case LineVerdict::NotChecked:
        break;
    }
    return XmlEscapedText(line.text);
}

void AppendLine(std::string& out, const CheckedLine& line, const CheckTexts& texts, bool firstWrong) {
    out += "<li class=\"";
    out += VerdictName(line.verdict);
    out += "\" data-line=\"" + std::to_string(line.number) + "\"";
    out += firstWrong ? " id=\"first-wrong\">" : ">";
    out += "<span class=\"mark\" aria-hidden=\"true\">";
    out += VerdictMark(line.verdict);
    out += "</span> <code class=\"pupil-line\">" + LineHtml(line) + "</code>";
    if (line.verdict != LineVerdict::Right) {
        out += " <span class=\"message\">" + XmlEscapedText(texts.Text(line.message)) + "</span>";
    }
    out += "</li>";
}

void AppendNextStep(std::string& out, const NextStep& next, const CommentTexts& comments, int language) {
    out += "<div class=\"next-step\">";
    for (const CommentIDType comment : next.comments) {
        out += "<p>" + XmlEscapedText(comments.Text(comment)) + "</p>";
    }
    out += "<p class=\"formula\">" + MathMLFormula(next.formula, language) + "</p></div>";
}

} // namespace

void AppendCheckForm(std::string& out, const PageTexts& texts, const CheckFormState& state) {
    out += "<form id=\"check-form\" method=\"get\" action=\"/\"><input type=\"hidden\" name=\"mode\" "
           "value=\"check\"><label for=\"problem\">";
    out += XmlEscapedText(texts.problemLabel);
    out += "</label>";
    AppendProblemField(out, texts, state.problem, state.problemErrorColumn);
    out += "<label for=\"lines\">";
    out += XmlEscapedText(texts.linesLabel);
    out += "</label><textarea id=\"lines\" name=\"lines\" rows=\"6\" autocomplete=\"off\" "
           "autocapitalize=\"off\" spellcheck=\"false\">";
    // A textarea drops one line end right after its start tag: one is written so the pupil's own
    // first line, even an empty one, survives.
    out += '\n';
    out += XmlEscapedText(state.lines);
    out += "</textarea>";
    AppendKindAndLanguage(out, texts, state.kind, state.language);
    out += "<button type=\"submit\">";
    out += XmlEscapedText(texts.check);
    out += "</button></div></form>";
}

std::string CheckHtml(const CheckService& service, const CheckOutcome& outcome) {
    if (!outcome.check) {
        return SolutionHtml(service.Solving(), outcome.problem);
    }
    const SolutionCheck& check = *outcome.check;
    const int language = outcome.problem.language;
    const CheckTexts& texts = service.Texts(language);
    std::string out = "<div class=\"check\" id=\"check-verdict\" data-finished=\"";
    out += check.finished ? "true\">" : "false\">";
    if (!check.lines.empty()) {
        out += "<ol class=\"check-lines\">";
        bool wrongSeen = false;
        for (const CheckedLine& line : check.lines) {
            const bool wrong = line.verdict == LineVerdict::Wrong || line.verdict == LineVerdict::Unreadable;
            AppendLine(out, line, texts, wrong && !wrongSeen);
            wrongSeen = wrongSeen || wrong;
        }
        out += "</ol>";
    }
    if (const std::string summary = CheckSummary(check, texts); !summary.empty()) {
        out += "<p class=\"summary\">" + XmlEscapedText(summary) + "</p>";
    }
    if (check.next) {
        AppendNextStep(out, *check.next, service.Solving().Texts(language), language);
    }
    return out + "</div>";
}
