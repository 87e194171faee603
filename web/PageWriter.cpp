#include "web/PageWriter.h"

#include "export/MathMLFormula.h"
#include "export/SolutionExport.h"
#include "output/LanguageTables.h"
#include "web/CheckPage.h"
#include "web/HtmlText.h"

namespace {

void AppendOption(std::string& out, std::string_view value, std::string_view label, bool selected) {
    out += "<option value=\"";
    out += XmlEscapedText(value);
    out += selected ? "\" selected>" : "\">";
    out += XmlEscapedText(label);
    out += "</option>";
}

// The address of the page in mode with the problem, kind and language of state.
std::string PageAddress(const PageState& state, PageState::Mode mode) {
    std::string address = mode == PageState::Mode::Check ? "/?mode=check&" : "/?";
    address +=
        "kind=" + std::string(KindName(state.kind)) + "&lang=" + std::string(LanguageName(state.language));
    if (!state.problem.empty()) {
        address += "&problem=" + UrlEncoded(state.problem);
    }
    return address;
}

// The link to the other mode, carrying the problem over.
void AppendModeLink(std::string& out, const PageTexts& texts, const PageState& state) {
    const bool checking = state.mode == PageState::Mode::Check;
    out += "<nav class=\"modes\"><a id=\"mode-link\" href=\"";
    out += XmlEscapedText(PageAddress(state, checking ? PageState::Mode::Solve : PageState::Mode::Check));
    out += "\">";
    out += XmlEscapedText(checking ? texts.solveLink : texts.checkTitle);
    out += "</a></nav>";
}

std::size_t RefusedColumn(const std::optional<SolveOutcome>& outcome) {
    return outcome && outcome->status == SolveOutcome::Status::Refused ? outcome->column : 0;
}

void AppendSolveForm(std::string& out, const PageTexts& texts, const PageState& state) {
    out += "<form id=\"solve-form\" method=\"get\" action=\"/\"><label for=\"problem\">";
    out += XmlEscapedText(texts.problemLabel);
    out += "</label>";
    AppendProblemField(out, texts, state.problem, RefusedColumn(state.outcome));
    AppendKindAndLanguage(out, texts, state.kind, state.language);
    out += "<button type=\"submit\">";
    out += XmlEscapedText(texts.solve);
    out += "</button></div></form>";
}

void AppendBusy(std::string& out, const PageTexts& texts) {
    out += "<p class=\"error\">";
    out += XmlEscapedText(texts.busy);
    out += "</p>";
}

// The problem as typed with the refused column marked, when the reader refused it.
void AppendRefusedEcho(std::string& out, const std::string& problem, const SolveOutcome& outcome) {
    if (outcome.status == SolveOutcome::Status::Refused) {
        out += "<p class=\"echo\">";
        out += HtmlWithMarkedColumn(problem, outcome.column);
        out += "</p>";
    }
}

void AppendResult(std::string& out, const CheckService& service, const PageTexts& texts,
                  const PageState& state) {
    if (state.busy) {
        AppendBusy(out, texts);
    } else if (state.check) {
        AppendRefusedEcho(out, state.problem, state.check->problem);
        out += CheckHtml(service, *state.check);
    } else if (state.outcome) {
        AppendRefusedEcho(out, state.problem, *state.outcome);
        out += SolutionHtml(service.Solving(), *state.outcome);
    }
}

} // namespace

void AppendProblemField(std::string& out, const PageTexts& texts, const std::string& problem,
                        std::size_t errorColumn) {
    out += "<input id=\"problem\" name=\"problem\" type=\"text\" autocomplete=\"off\" "
           "autocapitalize=\"off\" spellcheck=\"false\" placeholder=\"";
    out += XmlEscapedText(texts.placeholder);
    out += "\" value=\"";
    out += XmlEscapedText(problem);
    out += errorColumn > 0 ? "\" aria-invalid=\"true\" aria-describedby=\"reader-error\"" : "\"";
    if (errorColumn > 0) {
        out += " data-column=\"" + std::to_string(errorColumn) + "\"";
    }
    out += "><div id=\"preview\" aria-live=\"polite\" aria-label=\"";
    out += XmlEscapedText(texts.previewLabel);
    out += "\"></div>";
}

void AppendKindAndLanguage(std::string& out, const PageTexts& texts, ProblemKind kind, int language) {
    out += "<div class=\"choices\"><label>";
    out += XmlEscapedText(texts.kindLabel);
    out += " <select name=\"kind\" id=\"kind\">";
    for (const ProblemKind each : kProblemKinds) {
        AppendOption(out, KindName(each), texts.kindNames[ToNumber(each)], each == kind);
    }
    out += "</select></label><label>";
    out += XmlEscapedText(texts.languageLabel);
    out += " <select name=\"lang\" id=\"lang\">";
    AppendOption(out, "en", texts.languageNames[kEnglishLanguage], language == kEnglishLanguage);
    AppendOption(out, "ru", texts.languageNames[kRussianLanguage], language == kRussianLanguage);
    out += "</select></label>";
}

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

std::string PageHtml(const CheckService& service, const PageTexts& texts, const PageState& state) {
    const bool checking = state.mode == PageState::Mode::Check;
    std::string out = "<!DOCTYPE html>\n<html lang=\"";
    out += LanguageName(state.language);
    out += "\"><head><meta charset=\"utf-8\">"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"><title>";
    out += XmlEscapedText(checking ? texts.checkTitle : texts.title);
    out +=
        "</title><link rel=\"stylesheet\" href=\"/orbelin.css\"><script src=\"/orbelin.js\" defer></script>"
        "</head><body><main><h1>Orbelin</h1>";
    AppendModeLink(out, texts, state);
    if (checking) {
        AppendCheckForm(out, texts,
                        CheckFormState{state.kind, state.language, state.problem, state.lines,
                                       state.check ? RefusedColumn(state.check->problem) : 0});
    } else {
        AppendSolveForm(out, texts, state);
    }
    out += "<section id=\"solution\" aria-live=\"polite\">";
    AppendResult(out, service, texts, state);
    out += "</section></main></body></html>\n";
    return out;
}
