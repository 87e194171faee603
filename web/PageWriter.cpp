#include "web/PageWriter.h"

#include "export/MathMLFormula.h"
#include "export/SolutionExport.h"
#include "output/LanguageTables.h"
#include "web/HtmlText.h"

namespace {

void AppendOption(std::string& out, std::string_view value, std::string_view label, bool selected) {
    out += "<option value=\"";
    out += XmlEscapedText(value);
    out += selected ? "\" selected>" : "\">";
    out += XmlEscapedText(label);
    out += "</option>";
}

void AppendForm(std::string& out, const PageTexts& texts, const PageState& state) {
    const bool refused = state.outcome && state.outcome->status == SolveOutcome::Status::Refused;
    out += "<form id=\"solve-form\" method=\"get\" action=\"/\">";
    out += "<label for=\"problem\">";
    out += XmlEscapedText(texts.problemLabel);
    out += "</label><input id=\"problem\" name=\"problem\" type=\"text\" autocomplete=\"off\" "
           "autocapitalize=\"off\" spellcheck=\"false\" placeholder=\"";
    out += XmlEscapedText(texts.placeholder);
    out += "\" value=\"";
    out += XmlEscapedText(state.problem);
    out += refused ? "\" aria-invalid=\"true\" aria-describedby=\"reader-error\"" : "\"";
    if (refused) {
        out += " data-column=\"" + std::to_string(state.outcome->column) + "\"";
    }
    out += "><div id=\"preview\" aria-live=\"polite\" aria-label=\"";
    out += XmlEscapedText(texts.previewLabel);
    out += "\"></div><div class=\"choices\"><label>";
    out += XmlEscapedText(texts.kindLabel);
    out += " <select name=\"kind\" id=\"kind\">";
    for (int kind = 0; kind < 4; ++kind) {
        AppendOption(out, KindName(kind), texts.kindNames[kind], kind == state.kind);
    }
    out += "</select></label><label>";
    out += XmlEscapedText(texts.languageLabel);
    out += " <select name=\"lang\" id=\"lang\">";
    AppendOption(out, "en", texts.languageNames[kEnglishLanguage], state.language == kEnglishLanguage);
    AppendOption(out, "ru", texts.languageNames[kRussianLanguage], state.language == kRussianLanguage);
    out += "</select></label><button type=\"submit\">";
    out += XmlEscapedText(texts.solve);
    out += "</button></div></form>";
}

} // namespace

std::string SolutionHtml(const SolveService& service, const SolveOutcome& outcome) {
    std::string out;
    if (outcome.status == SolveOutcome::Status::Refused) {
        out +=
            "<p class=\"error\" id=\"reader-error\" data-column=\"" + std::to_string(outcome.column) + "\">";
        out += XmlEscapedText(service.ErrorText(outcome));
        out += "</p>";
        return out;
    }
    if (outcome.status != SolveOutcome::Status::Solved) {
        out += "<p class=\"error\">";
        out += XmlEscapedText(service.ErrorText(outcome));
        out += "</p>";
        return out;
    }
    ExportOptions options;
    options.format = ExportFormat::HtmlFragment;
    options.language = outcome.language;
    return ExportSolution(*outcome.solution, service.Texts(outcome.language), options);
}

std::string ProblemPreviewHtml(const SolveOutcome& reading, int language) {
    if (reading.status != SolveOutcome::Status::Solved) {
        return {};
    }
    return MathMLFormula(reading.markup, language);
}

std::string PageHtml(const SolveService& service, const PageTexts& texts, const PageState& state) {
    std::string out = "<!DOCTYPE html>\n<html lang=\"";
    out += LanguageName(state.language);
    out += "\"><head><meta charset=\"utf-8\">"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"><title>";
    out += XmlEscapedText(texts.title);
    out +=
        "</title><link rel=\"stylesheet\" href=\"/orbelin.css\"><script src=\"/orbelin.js\" defer></script>"
        "</head><body><main><h1>Orbelin</h1>";
    AppendForm(out, texts, state);
    out += "<section id=\"solution\" aria-live=\"polite\">";
    if (state.busy) {
        out += "<p class=\"error\">";
        out += XmlEscapedText(texts.busy);
        out += "</p>";
    } else if (state.outcome) {
        if (state.outcome->status == SolveOutcome::Status::Refused) {
            out += "<p class=\"echo\">";
            out += HtmlWithMarkedColumn(state.problem, state.outcome->column);
            out += "</p>";
        }
        out += SolutionHtml(service, *state.outcome);
    }
    out += "</section></main></body></html>\n";
    return out;
}
