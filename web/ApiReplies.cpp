#include "web/ApiReplies.h"

#include "cli/JsonText.h"
#include "cli/SolutionWriter.h"
#include "export/SolutionExport.h"
#include "output/LanguageTables.h"
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

} // namespace

WebReply ErrorReply(int status, std::string_view message) {
    return WebReply{status, std::string(kJsonType), ErrorObject(message)};
}

bool IsSolutionFormat(std::string_view format) {
    return format == "json" || ExportFormatNamed(format).has_value();
}

std::optional<ApiSolveRequest> ReadSolveFields(const FieldLookup& field, std::string& error) {
    ApiSolveRequest solve;
    if (const auto kind = field("kind")) {
        const std::optional<int> value = KindOfName(*kind);
        if (!value) {
            error = "unknown kind (equation, factor, factor-full, simplify or 0 to 3)";
            return std::nullopt;
        }
        solve.request.kind = *value;
    }
    if (const auto lang = field("lang")) {
        const std::optional<int> value = LanguageOfName(*lang);
        if (!value) {
            error = "unknown language (en or ru)";
            return std::nullopt;
        }
        solve.request.language = *value;
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
    const JsonObjectReading reading = ReadJsonObject(body);
    if (reading.Refused()) {
        error = ErrorReply(400, "the request cannot be read: " + reading.error);
        return std::nullopt;
    }
    std::string message;
    std::optional<ApiSolveRequest> solve =
        ReadSolveFields([&reading](std::string_view name) { return reading.Member(name); }, message);
    if (!solve) {
        error = ErrorReply(400, message);
    }
    return solve;
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
