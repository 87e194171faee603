#include "web/OrbelinServer.h"

#include "cli/JsonText.h"
#include "export/SolutionExport.h"
#include "output/LanguageTables.h"
#include "web/ApiReplies.h"
#include "web/ConnectionPool.h"
#include "web/HttpServer.h"
#include "web/JsonObjectReader.h"
#include "web/PageWriter.h"
#include "web/WebAssets.h"

#include <httplib.h>
#include <sstream>
#include <thread>

namespace {

// The page loads its style and script from this server only, and has no inline script or style.
constexpr const char* kContentSecurityPolicy =
    "default-src 'none'; script-src 'self'; style-src 'self'; img-src 'self' data:; font-src 'self'; "
    "connect-src 'self'; form-action 'self'; base-uri 'none'; frame-ancestors 'none'";

// Seconds a client turned away for a full waiting line is told to wait.
constexpr const char* kRetryAfterSeconds = "1";
constexpr const char* kBusyMessage = "the server is busy; try again shortly";

void Send(httplib::Response& response, const WebReply& reply) {
    response.status = reply.status;
    response.set_content(reply.body, reply.contentType.c_str());
}

void SendBusy(httplib::Response& response) {
    Send(response, ErrorReply(503, kBusyMessage));
    response.set_header("Retry-After", kRetryAfterSeconds);
}

// The value of a query parameter, or nothing when the query has none.
FieldLookup QueryFields(const httplib::Request& request) {
    return [&request](std::string_view name) -> std::optional<std::string_view> {
        const std::string key(name);
        if (!request.has_param(key.c_str())) {
            return std::nullopt;
        }
        const auto found = request.params.find(key);
        return std::string_view(found->second);
    };
}

// The security headers of every answer.
const httplib::Headers& DefaultHeaders() {
    static const httplib::Headers headers = {{"Content-Security-Policy", kContentSecurityPolicy},
                                             {"X-Content-Type-Options", "nosniff"},
                                             {"Referrer-Policy", "no-referrer"}};
    return headers;
}

// An answer written before the library has read a request: the security headers, and the JSON
// message of status.
std::string EarlyAnswer(int status, std::string_view reason, std::string_view message,
                        std::string_view extraHeaders = {}) {
    std::string headers(extraHeaders);
    for (const auto& [name, value] : DefaultHeaders()) {
        headers += name + ": " + value + "\r\n";
    }
    return ClosingAnswer(status, reason, headers, kJsonType, ErrorReply(status, message).body);
}

std::string TimeoutAnswer(std::chrono::milliseconds deadline) {
    const auto seconds = std::chrono::duration<double>(deadline).count();
    std::ostringstream message;
    message << "the request did not arrive whole within " << seconds << " s";
    return EarlyAnswer(408, "Request Timeout", message.str());
}

std::string StatusText(int status) {
    switch (status) {
    case 400:
        return "the request cannot be read";
    case 404:
        return "there is nothing at this address";
    case 405:
        return "this address does not take that method";
    case 413:
        return "the request is larger than 100 KB";
    case 414:
        return "the address is too long";
    default:
        return "the request cannot be answered (" + std::to_string(status) + ")";
    }
}

} // namespace

ServerLimits DefaultServerLimits() {
    ServerLimits limits;
    limits.solveSlots = std::max(1u, std::thread::hardware_concurrency());
    return limits;
}

OrbelinServer::OrbelinServer(const std::filesystem::path& baseFolder, const ServerLimits& limits)
    : m_limits(limits), m_service(baseFolder),
      m_checker(m_service, baseFolder), m_pageTexts{LoadPageTexts(kRussianLanguage, baseFolder),
                                                    LoadPageTexts(kEnglishLanguage, baseFolder)},
      m_gate(limits.solveSlots, limits.solveQueue, limits.maxSolveWait),
      m_styleSheet(std::string(PageStyle()) + SolutionStyleSheet()),
      m_http(std::make_unique<HttpServer>(
          limits.requestDeadline, TimeoutAnswer(limits.requestDeadline),
          EarlyAnswer(503, "Service Unavailable", kBusyMessage,
                      std::string("Retry-After: ") + kRetryAfterSeconds + "\r\n"))) {
    const std::size_t threads = std::max<std::size_t>(1, m_limits.connectionThreads);
    const std::size_t waiting = m_limits.connectionQueue;
    m_http->new_task_queue = [threads, waiting] { return new ConnectionPool(threads, waiting); };
    m_http->set_payload_max_length(m_limits.maxBodyBytes);
    m_http->set_read_timeout(m_limits.readTimeout);
    m_http->set_keep_alive_timeout(m_limits.idleTimeout.count());
    m_http->set_write_timeout(m_limits.readTimeout);
    m_http->set_keep_alive_max_count(m_limits.keepAliveRequests);
    // An answer goes out in more than one write (headers, then body): with Nagle's algorithm the
    // second waits for the client's delayed acknowledgement, 40 ms on Linux, which capped a
    // kept-alive connection at 25 answers a second however fast the solve was.
    m_http->set_tcp_nodelay(true);
    m_http->set_default_headers(DefaultHeaders());
    Route();
}

OrbelinServer::~OrbelinServer() = default;

int OrbelinServer::Bind(const std::string& host, int port) {
    const int bound =
        port == 0 ? m_http->bind_to_any_port(host) : (m_http->bind_to_port(host, port) ? port : -1);
    if (bound >= 0) {
        m_http->LengthenBacklog();
    }
    return bound;
}

bool OrbelinServer::Run() {
    return m_http->listen_after_bind();
}

void OrbelinServer::Stop() {
    m_http->stop();
}

void OrbelinServer::Route() {
    m_http->Get("/", [this](const httplib::Request& request, httplib::Response& response) {
        ServePage(request, response);
    });
    m_http->Get("/orbelin.css", [this](const httplib::Request&, httplib::Response& response) {
        response.set_content(m_styleSheet, "text/css; charset=utf-8");
        response.set_header("Cache-Control", "public, max-age=3600");
    });
    m_http->Get("/orbelin.js", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(std::string(PageScript()), "text/javascript; charset=utf-8");
        response.set_header("Cache-Control", "public, max-age=3600");
    });
    m_http->Get("/health",
                [this](const httplib::Request&, httplib::Response& response) { ServeHealth(response); });
    m_http->Post("/api/solve", [this](const httplib::Request& request, httplib::Response& response) {
        ServeSolve(request, response);
    });
    m_http->Post("/api/check", [this](const httplib::Request& request, httplib::Response& response) {
        ServeCheck(request, response);
    });
    m_http->Post("/api/read", [this](const httplib::Request& request, httplib::Response& response) {
        ServeRead(request, response);
    });
    // Every answer without a body of its own (an address that does not exist, a body too large)
    // gets a JSON message, so that no response goes out without a content type.
    m_http->set_error_handler([](const httplib::Request&, httplib::Response& response) {
        if (response.body.empty()) {
            response.set_content(ErrorReply(response.status, StatusText(response.status)).body,
                                 std::string(kJsonType).c_str());
        }
    });
    m_http->set_exception_handler(
        [](const httplib::Request&, httplib::Response& response, std::exception_ptr) {
            Send(response, ErrorReply(500, "the request could not be answered"));
        });
}

void OrbelinServer::ServePage(const httplib::Request& request, httplib::Response& response) {
    PageState state;
    const FieldLookup fields = QueryFields(request);
    if (const auto lang = fields("lang")) {
        state.language = LanguageOfName(*lang).value_or(kEnglishLanguage);
    }
    if (const auto kind = fields("kind")) {
        state.kind = ParseKindName(*kind).value_or(ProblemKind::Equation);
    }
    if (fields("mode") == std::optional<std::string_view>("check")) {
        state.mode = PageState::Mode::Check;
        state.lines = fields("lines").value_or("");
    }
    int status = 200;
    if (const auto problem = fields("problem")) {
        state.problem = *problem;
        status = state.mode == PageState::Mode::Check ? CheckForPage(state) : SolveForPage(state);
        if (state.busy) {
            response.set_header("Retry-After", kRetryAfterSeconds);
        }
    }
    response.status = status;
    response.set_content(PageHtml(m_checker, m_pageTexts[state.language == kRussianLanguage ? 0 : 1], state),
                         std::string(kHtmlType).c_str());
}

int OrbelinServer::SolveForPage(PageState& state) {
    const SolveGate::Ticket ticket = m_gate.Enter();
    if (!ticket) {
        state.busy = true;
        return 503;
    }
    state.outcome = m_service.Solve(SolveRequest{state.kind, state.language, state.problem});
    switch (state.outcome->status) {
    case SolveOutcome::Status::Solved:
        return 200;
    case SolveOutcome::Status::TooLarge:
        return 422;
    case SolveOutcome::Status::Refused:
    case SolveOutcome::Status::Blank:
        break;
    }
    return 400;
}

int OrbelinServer::CheckForPage(PageState& state) {
    const SolveGate::Ticket ticket = m_gate.Enter();
    if (!ticket) {
        state.busy = true;
        return 503;
    }
    state.check = m_checker.Check(CheckRequest{state.kind, state.language, state.problem, state.lines});
    return state.check->check ? 200 : 400;
}

void OrbelinServer::ServeSolve(const httplib::Request& request, httplib::Response& response) {
    WebReply error;
    const std::optional<ApiSolveRequest> solve = ReadSolveBody(request.body, error);
    if (!solve) {
        Send(response, error);
        return;
    }
    SolveGate::Ticket ticket = m_gate.Enter();
    if (!ticket) {
        SendBusy(response);
        return;
    }
    const SolveOutcome outcome = m_service.Solve(solve->request);
    ticket = SolveGate::Ticket();
    Send(response, SolveReply(m_service, outcome, solve->format));
}

void OrbelinServer::ServeCheck(const httplib::Request& request, httplib::Response& response) {
    WebReply error;
    const std::optional<ApiCheckRequest> check = ReadCheckBody(request.body, error);
    if (!check) {
        Send(response, error);
        return;
    }
    SolveGate::Ticket ticket = m_gate.Enter();
    if (!ticket) {
        SendBusy(response);
        return;
    }
    const CheckOutcome outcome = m_checker.Check(check->request);
    ticket = SolveGate::Ticket();
    Send(response, CheckReply(m_checker, outcome, check->format));
}

void OrbelinServer::ServeRead(const httplib::Request& request, httplib::Response& response) {
    const JsonObjectReading body = ReadJsonObject(request.body);
    const std::optional<std::string_view> problem = body.Member("problem");
    if (body.Refused() || !problem) {
        Send(response, ErrorReply(400, body.Refused() ? "the request cannot be read: " + body.error
                                                      : std::string("the request has no problem")));
        return;
    }
    const int language = LanguageOfName(body.Member("lang").value_or("en")).value_or(kEnglishLanguage);
    const SolveOutcome reading = m_service.Read(*problem, language);
    if (reading.status == SolveOutcome::Status::Refused) {
        Send(response, SolveReply(m_service, reading, "json"));
        return;
    }
    std::string json = "{\"markup\":";
    AppendJsonByteString(json, reading.markup);
    json += ",\"html\":";
    AppendJsonUtf8String(json, ProblemPreviewHtml(reading, language));
    json += "}\n";
    Send(response, WebReply{200, std::string(kJsonType), std::move(json)});
}

void OrbelinServer::ServeHealth(httplib::Response& response) const {
    const std::string body = "{\"status\":\"ok\",\"solving\":" + std::to_string(m_gate.Running()) +
                             ",\"waiting\":" + std::to_string(m_gate.Waiting()) + "}\n";
    Send(response, WebReply{200, std::string(kJsonType), body});
}
