#pragma once

// The answers of the API, independent of the HTTP library: the request fields read and checked,
// the solution written in the format asked for, and the error answers, each a JSON object
// {"error":"…"} with its status.

#include "web/CheckService.h"
#include "web/SolveService.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

struct WebReply {
    int status = 200;
    std::string contentType;
    std::string body;
};

inline constexpr std::string_view kJsonType = "application/json; charset=utf-8";
inline constexpr std::string_view kTextType = "text/plain; charset=utf-8";
inline constexpr std::string_view kHtmlType = "text/html; charset=utf-8";

// 400 Bad Request, 413 Payload Too Large, 422 Unprocessable, 503 Service Unavailable, ...
WebReply ErrorReply(int status, std::string_view message);

// The formats a solution can be asked for: "json" (the records as orbelin-solve --json writes them)
// and the export formats by their command-line names: "text", "markdown", "latex", "latex-fragment",
// "html" (a whole page), "html-fragment" (the solution as the page shows it).
bool IsSolutionFormat(std::string_view format);

// The content type of a solution in format.
std::string_view SolutionContentType(std::string_view format);

struct ApiSolveRequest {
    SolveRequest request;
    std::string format = "json";
};

// The value of a request field, or nothing when the request has no such field.
using FieldLookup = std::function<std::optional<std::string_view>(std::string_view name)>;

// kind (default equation), lang (default en), problem (required) and format (default json).
// error says why when a field is missing or holds a value that is not one of its values.
std::optional<ApiSolveRequest> ReadSolveFields(const FieldLookup& field, std::string& error);

// The body of POST /api/solve: a JSON object with those fields.
std::optional<ApiSolveRequest> ReadSolveBody(std::string_view body, WebReply& error);

// The answer to a solve: 200 with the solution in format; 400 for a text the reader refused (with
// the column) or a blank one; 422 for a solve that ran past a limit of the engine.
WebReply SolveReply(const SolveService& service, const SolveOutcome& outcome, std::string_view format);

struct ApiCheckRequest {
    CheckRequest request;
    // "json" (as orbelin-solve --check --json writes it) or "html-fragment" (as the page shows it).
    std::string format = "json";
};

// kind (default equation), lang (default en), problem and lines (both required), format (json or
// html-fragment, default json).
std::optional<ApiCheckRequest> ReadCheckFields(const FieldLookup& field, std::string& error);

// The body of POST /api/check: a JSON object with those fields.
std::optional<ApiCheckRequest> ReadCheckBody(std::string_view body, WebReply& error);

// The answer to a check: 200 with the verdicts in format, also when lines are wrong or unreadable;
// 400 for a problem the reader refused (with the column) or a blank one.
WebReply CheckReply(const CheckService& service, const CheckOutcome& outcome, std::string_view format);
