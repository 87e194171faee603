#include "web/ApiReplies.h"

#include "cli/JsonText.h"
#include "cli/SolutionWriter.h"
#include "export/SolutionExport.h"
#include "output/LanguageTables.h"
#include "web/CheckPage.h"
#include "web/JsonObjectReader.h"

namespace {

std::string ErrorObject(std::string_view message, std::size_t column = 0) {
    std::string body = "{\"error\":";
    AppendJsonUtf8String(body, message);
    if (column > 0) {
        body += ",\"column\":" + std::to_string(column);
    }
    body += "}\n";
    return body;
}

// kind and lang, checked; the rest of the request is left as it is.
bool ReadKindAndLanguage(const FieldLookup& field, SolveRequest& request, std::string& error) {
    if (const auto kind = field("kind")) {
        const std::optional<ProblemKind> value = ParseKindName(*kind);
        if (!value) {
            error = "unknown kind (equation, factor, factor-full, simplify or 0 to 3)";
            return false;
        }
        request.kind = *value;
    }
    if (const auto lang = field("lang")) {
        const std::optional<int> value = LanguageOfName(*lang);
        if (!value) {
            error = "unknown language (en or ru)";
            return false;
        }
        request.language = *value;
    }
    return true;
}

template <typename Request>
std::optional<Request> ReadBody(std::string_view body, WebReply& error,
                                std::optional<Request> (*readFields)(const FieldLookup&, std::string&)) {
    const JsonObjectReading reading = ReadJsonObject(body);
    if (reading.Refused()) {
        error = ErrorReply(400, "the request cannot be read: " + reading.error);
        return std::nullopt;
    }
    std::string message;
    std::optional<Request> request =
        readFields([&reading](std::string_view name) { return reading.Member(name); }, message);
    if (!request) {
        error = ErrorReply(400, message);
    }
    return request;
}

// 400 for a problem the reader refused (with its column) or a blank one, 422 for a solve past a
// limit of the engine; nothing for a problem solved.
std::optional<WebReply> ProblemErrorReply(const SolveService& service, const SolveOutcome& outcome) {
    switch (outcome.status) {
    case SolveOutcome::Status::Refused:
        return WebReply{400, std::string(kJsonType), ErrorObject(service.ErrorText(outcome), outcome.column)};
    case SolveOutcome::Status::Blank:
        return ErrorReply(400, service.ErrorText(outcome));
    case SolveOutcome::Status::TooLarge:
        return ErrorReply(422, service.ErrorText(outcome));
    case SolveOutcome::Status::Solved:
        break;
    }
    return std::nullopt;
}

} // namespace

WebReply ErrorReply(int status, std::string_view message) {
    return WebReply{status, std::string(kJsonType), ErrorObject(message)};
}

bool IsSolutionFormat(std::string_view format) {
    return format == "json" || ExportFormatNamed(format).has_value();
}

std::optional<ApiSolveRequest> ReadSolveFields(const FieldLookup& field, std::string& error) {
    ApiSolveRequest solve;
    if (!ReadKindAndLanguage(field, solve.request, error)) {
        return std::nullopt;
    }
    if (const auto format = field("format")) {
        if (!IsSolutionFormat(*format)) {
            error = "unknown format (json, text, markdown, latex, latex-fragment, html or html-fragment)";
            return std::nullopt;
        }
        solve.format = *format;
    }
    const auto problem = field("problem");
    if (!problem) {
        error = "the request has no problem";
        return std::nullopt;
    }
    solve.request.problem = *problem;
    return solve;
}

std::optional<ApiSolveRequest> ReadSolveBody(std::string_view body, WebReply& error) {
    return ReadBody<ApiSolveRequest>(body, error, ReadSolveFields);
}

std::optional<ApiCheckRequest> ReadCheckFields(const FieldLookup& field, std::string& error) {
    ApiCheckRequest check;
    SolveRequest kindAndLanguage;
    if (!ReadKindAndLanguage(field, kindAndLanguage, error)) {
        return std::nullopt;
    }
    check.request.kind = kindAndLanguage.kind;
    check.request.language = kindAndLanguage.language;
    if (const auto format = field("format")) {
        if (*format != "json" && *format != "html-fragment") {
            error = "unknown format of a check (json or html-fragment)";
            return std::nullopt;
        }
        check.format = *format;
    }
    const auto problem = field("problem");
    const auto lines = field("lines");
    if (!problem || !lines) {
        error = problem ? "the request has no lines" : "the request has no problem";
        return std::nullopt;
    }
    check.request.problem = *problem;
    check.request.lines = *lines;
    return check;
}

std::optional<ApiCheckRequest> ReadCheckBody(std::string_view body, WebReply& error) {
    return ReadBody<ApiCheckRequest>(body, error, ReadCheckFields);
}

WebReply CheckReply(const CheckService& service, const CheckOutcome& outcome, std::string_view format) {
    if (std::optional<WebReply> error = ProblemErrorReply(service.Solving(), outcome.problem)) {
        return *error;
    }
    const int language = outcome.problem.language;
    if (format == "html-fragment") {
        return WebReply{200, std::string(kHtmlType), CheckHtml(service, outcome)};
    }
    std::string body = CheckAsJson(*outcome.check, language, LineForm::Linear, service.Writing(language));
    body += '\n';
    return WebReply{200, std::string(kJsonType), std::move(body)};
}

std::string_view SolutionContentType(std::string_view format) {
    switch (ExportFormatNamed(format).value_or(ExportFormat::Text)) {
    case ExportFormat::Text:
        return format == "json" ? kJsonType : kTextType;
    case ExportFormat::Markdown:
        return "text/markdown; charset=utf-8";
    case ExportFormat::Latex:
    case ExportFormat::LatexFragment:
        return "text/x-tex; charset=utf-8";
    case ExportFormat::Html:
    case ExportFormat::HtmlFragment:
        return kHtmlType;
    }
    return kTextType;
}

WebReply SolveReply(const SolveService& service, const SolveOutcome& outcome, std::string_view format) {
    if (std::optional<WebReply> error = ProblemErrorReply(service, outcome)) {
        return *error;
    }
    const CommentTexts& texts = service.Texts(outcome.language);
    if (const std::optional<ExportFormat> exportFormat = ExportFormatNamed(format)) {
        ExportOptions options;
        options.format = *exportFormat;
        options.language = outcome.language;
        return WebReply{200, std::string(SolutionContentType(format)),
                        ExportSolution(*outcome.solution, texts, options)};
    }
    std::string body = SolutionAsJson(outcome.kind, outcome.markup, outcome.micros, *outcome.solution, texts);
    body += '\n';
    return WebReply{200, std::string(kJsonType), std::move(body)};
}
