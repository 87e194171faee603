// The server over real HTTP on a free loopback port: the API for every kind in both languages, the
// page, the error answers, the headers of every answer, and the limits (body size, slow clients,
// many requests at once).

#include "WebTestSupport.h"
#include "cli/CliRunner.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <latch>
#include <regex>
#include <sstream>

using namespace std::chrono_literals;

namespace {

struct KindCase {
    const char* kind;
    const char* problem;
};

// A problem of every kind, each with crossed-out parts or several blocks of records.
constexpr KindCase kKindCases[] = {
    {"equation", "2x^2 - 3x + 1 = 0"},
    {"factor", "x^3 - x"},
    {"factor-full", "x^4 - 1"},
    {"simplify", "(x^2-1)/(x+1) + 2x"},
};

std::string SolveBody(std::string_view kind, std::string_view lang, std::string_view problem,
                      std::string_view format = "json") {
    return "{\"kind\":\"" + std::string(kind) + "\",\"lang\":\"" + std::string(lang) + "\",\"problem\":\"" +
           std::string(problem) + "\",\"format\":\"" + std::string(format) + "\"}";
}

std::string CheckBody(std::string_view kind, std::string_view lang, std::string_view problem,
                      std::string_view lines, std::string_view format = "json") {
    return "{\"kind\":\"" + std::string(kind) + "\",\"lang\":\"" + std::string(lang) + "\",\"problem\":\"" +
           std::string(problem) + "\",\"lines\":\"" + std::string(lines) + "\",\"format\":\"" +
           std::string(format) + "\"}";
}

// What orbelin-solve writes for the same problem.
std::string CommandLineOutput(const std::vector<std::string>& words) {
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunCommandLine(words, TestProgramFolder(), in, out, err), 0) << err.str();
    return out.str();
}

// What orbelin-solve --check --json writes for the problem and the lines after it.
std::string CommandLineCheck(const char* kind, const char* lang, const std::string& solution) {
    std::istringstream in(solution);
    std::ostringstream out;
    std::ostringstream err;
    RunCommandLine({"--check", "-", "--json", "--kind", kind, "--lang", lang}, TestProgramFolder(), in, out,
                   err);
    return out.str();
}

std::string WithoutTime(const std::string& json) {
    return std::regex_replace(json, std::regex("\"micros\":[0-9]+"), "\"micros\":0");
}

// The headers every answer carries, whatever its status.
void ExpectSafeHeaders(const httplib::Result& result, const std::string& what) {
    ASSERT_TRUE(result) << what;
    EXPECT_FALSE(result->get_header_value("Content-Type").empty()) << what;
    EXPECT_EQ(result->get_header_value("X-Content-Type-Options"), "nosniff") << what;
    const std::string policy = result->get_header_value("Content-Security-Policy");
    EXPECT_NE(policy.find("default-src 'none'"), std::string::npos) << what;
    EXPECT_NE(policy.find("script-src 'self';"), std::string::npos) << what;
    EXPECT_EQ(policy.find("unsafe-inline"), std::string::npos) << what << ": no inline script or style";
    EXPECT_EQ(policy.find("http"), std::string::npos) << what << ": no outside source is allowed";
}

// A raw connection, for clients that do not behave.
class RawConnection {
public:
    explicit RawConnection(int port) : m_socket(socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        m_connected = connect(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }
    ~RawConnection() { close(m_socket); }
    bool Connected() const { return m_connected; }
    bool Send(std::string_view text) { return send(m_socket, text.data(), text.size(), MSG_NOSIGNAL) > 0; }
    // True when the server closed the connection (after any answer it sent) within timeout.
    bool ClosedWithin(std::chrono::milliseconds timeout) { return ReadUntil(timeout, {}) == Read::Closed; }
    // True when what the server sent holds `text` within timeout, the connection still open.
    bool ReceivedWithin(std::chrono::milliseconds timeout, std::string_view text) {
        return ReadUntil(timeout, text) == Read::Found;
    }
    // What the server sent, as far as it was read.
    std::string received;

private:
    enum class Read { Found, Closed, TimedOut };

    // Reads what arrives until `text` (when not empty) is in `received`, the server closes, or the time
    // is up.
    Read ReadUntil(std::chrono::milliseconds timeout, std::string_view text) {
        const auto end = std::chrono::steady_clock::now() + timeout;
        char buffer[4096];
        while (std::chrono::steady_clock::now() < end) {
            if (!text.empty() && received.find(text) != std::string::npos) {
                return Read::Found;
            }
            pollfd ready{m_socket, POLLIN, 0};
            if (poll(&ready, 1, 50) > 0) {
                const ssize_t got = recv(m_socket, buffer, sizeof buffer, 0);
                if (got <= 0) {
                    return Read::Closed;
                }
                received += std::string_view(buffer, static_cast<std::size_t>(got));
            }
        }
        return Read::TimedOut;
    }

    int m_socket;
    bool m_connected = false;
};

// What a client got: its status (-1 when the connection failed), Retry-After and body.
struct Answer {
    int status = -1;
    std::string retryAfter;
    std::string body;
};

// count clients, each on its own connection, post their bodies to /api/solve at the same moment.
std::vector<Answer> PostAtOnce(const RunningServer& server, int count,
                               const std::function<std::string(int)>& body) {
    std::latch start(count);
    std::vector<Answer> answers(count);
    std::vector<std::thread> clients;
    for (int i = 0; i < count; ++i) {
        clients.emplace_back([&, i] {
            auto client = server.Client();
            const std::string request = body(i);
            start.arrive_and_wait();
            if (const auto result = client->Post("/api/solve", request, "application/json")) {
                answers[i] = Answer{result->status, result->get_header_value("Retry-After"), result->body};
            }
        });
    }
    for (std::thread& client : clients) {
        client.join();
    }
    return answers;
}

} // namespace

TEST(Server, SolveAnswersEveryKindInBothLanguagesWithTheRecordsOfTheCommandLine) {
    RunningServer server;
    auto client = server.Client();
    for (const KindCase& kindCase : kKindCases) {
        for (const char* lang : {"en", "ru"}) {
            const auto result = client->Post("/api/solve", SolveBody(kindCase.kind, lang, kindCase.problem),
                                             "application/json");
            ASSERT_TRUE(result);
            EXPECT_EQ(result->status, 200) << result->body;
            EXPECT_EQ(result->get_header_value("Content-Type"), "application/json; charset=utf-8");
            const std::string expected =
                CommandLineOutput({"--json", "--kind", kindCase.kind, "--lang", lang, kindCase.problem});
            EXPECT_EQ(WithoutTime(result->body), WithoutTime(expected)) << kindCase.kind << ' ' << lang;
        }
    }
}

TEST(Server, SolveWritesEveryExportFormatAsTheCommandLineDoes) {
    RunningServer server;
    auto client = server.Client();
    const std::pair<const char*, const char*> formats[] = {
        {"text", "text/plain; charset=utf-8"},  {"markdown", "text/markdown; charset=utf-8"},
        {"latex", "text/x-tex; charset=utf-8"}, {"latex-fragment", "text/x-tex; charset=utf-8"},
        {"html", "text/html; charset=utf-8"},   {"html-fragment", "text/html; charset=utf-8"},
    };
    for (const auto& [format, type] : formats) {
        for (const char* lang : {"en", "ru"}) {
            const auto result = client->Post(
                "/api/solve", SolveBody("equation", lang, "x/(x-1) = 2.5", format), "application/json");
            ASSERT_TRUE(result);
            EXPECT_EQ(result->status, 200) << format;
            EXPECT_EQ(result->get_header_value("Content-Type"), type) << format;
            EXPECT_EQ(result->body, CommandLineOutput({"--format", format, "--kind", "equation", "--lang",
                                                       lang, "x/(x-1) = 2.5"}))
                << format << ' ' << lang;
        }
    }
}

TEST(Server, ErrorsAreAnsweredWithTheirStatusAndAJsonMessage) {
    RunningServer server;
    auto client = server.Client();
    struct ErrorCase {
        std::string body;
        int status;
        std::string message;
    };
    const std::vector<ErrorCase> cases = {
        {SolveBody("equation", "en", "sqrt(x) = 2"), 400, "\"column\":1"},
        {SolveBody("equation", "en", "2x + ) = 1"), 400, "column 6"},
        {SolveBody("equation", "ru", "2x + ) = 1"), 400,
         "\xd0\xbf\xd0\xbe\xd0\xb7\xd0\xb8\xd1\x86\xd0\xb8\xd1\x8f 6"},
        {SolveBody("equation", "en", "  "), 400, "there is no expression"},
        {SolveBody("simplify", "ru", ""), 400, "\\u"},
        {SolveBody("simplify", "en", "9^99999999"), 422, "too large"},
        {SolveBody("simplify", "ru", "9^99999999"), 422, "error"},
        {SolveBody("cube", "en", "x"), 400, "unknown kind"},
        {SolveBody("equation", "de", "x=1"), 400, "unknown language"},
        {SolveBody("equation", "en", "x=1", "pdf"), 400, "unknown format"},
        {R"({"kind":"equation"})", 400, "no problem"},
        {"kind=equation&problem=x", 400, "cannot be read"},
        {R"({"problem":["x"]})", 400, "cannot be read"},
    };
    for (const ErrorCase& error : cases) {
        const auto result = client->Post("/api/solve", error.body, "application/json");
        ASSERT_TRUE(result) << error.body;
        EXPECT_EQ(result->status, error.status) << error.body << " -> " << result->body;
        EXPECT_EQ(result->get_header_value("Content-Type"), "application/json; charset=utf-8") << error.body;
        EXPECT_EQ(result->body.rfind("{\"error\":\"", 0), 0u) << result->body;
        if (error.message == "\\u") {
            // The Russian text of the engine's own comment comes as UTF-8, not as escapes.
            EXPECT_EQ(result->body.find("\\u"), std::string::npos) << result->body;
            EXPECT_NE(result->body.find("\xd0"), std::string::npos) << result->body;
        } else {
            EXPECT_NE(result->body.find(error.message), std::string::npos) << result->body;
        }
    }
}

TEST(Server, ABodyOver100KbIsRefusedWith413AndOneJustUnderIsRead) {
    RunningServer server;
    auto client = server.Client();
    std::string problem(100 * 1024, '1');
    const auto over = client->Post("/api/solve", SolveBody("simplify", "en", problem), "application/json");
    ASSERT_TRUE(over);
    EXPECT_EQ(over->status, 413);
    EXPECT_NE(over->body.find("\"error\""), std::string::npos);
    ExpectSafeHeaders(over, "413");
    // Within the bound the reader decides: a 100,001-digit number is past the engine's text length.
    problem.resize(100'001);
    const auto under = client->Post("/api/solve", SolveBody("simplify", "en", problem), "application/json");
    ASSERT_TRUE(under);
    EXPECT_EQ(under->status, 400) << under->body.substr(0, 200);
}

TEST(Server, EveryAnswerCarriesAContentTypeAndThePolicyHeaders) {
    RunningServer server;
    auto client = server.Client();
    for (const char* path : {"/", "/?problem=x%3D1", "/?problem=%3C", "/orbelin.css", "/orbelin.js",
                             "/health", "/missing", "/api/solve"}) {
        ExpectSafeHeaders(client->Get(path), path);
    }
    ExpectSafeHeaders(client->Post("/api/solve", SolveBody("equation", "en", "x = 1"), "application/json"),
                      "solve");
    ExpectSafeHeaders(client->Post("/api/solve", "{", "application/json"), "broken JSON");
    ExpectSafeHeaders(client->Post("/api/read", R"({"problem":"x+"})", "application/json"), "read");
    ExpectSafeHeaders(client->Delete("/api/solve"), "DELETE");
}

TEST(Server, ThePageSolvesFromItsAddressAndEscapesWhatTheRequestHolds) {
    RunningServer server;
    auto client = server.Client();
    const auto page = client->Get("/?kind=simplify&lang=en&problem=%28x%5E2-1%29%2F%28x%2B1%29%2B2x");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    EXPECT_EQ(page->get_header_value("Content-Type"), "text/html; charset=utf-8");
    EXPECT_NE(page->body.find("We cancel the common factors."), std::string::npos);
    EXPECT_NE(page->body.find("<div class=\"band answer "), std::string::npos);
    EXPECT_NE(page->body.find("<menclose notation=\"updiagonalstrike\">"), std::string::npos)
        << "struck through";
    EXPECT_NE(page->body.find("<option value=\"simplify\" selected>"), std::string::npos);
    EXPECT_NE(page->body.find("value=\"(x^2-1)/(x+1)+2x\""), std::string::npos);

    const auto hostile = client->Get("/?problem=%22%3E%3Cscript%3Ealert(1)%3C%2Fscript%3E&kind=%3Cb%3E");
    ASSERT_TRUE(hostile);
    EXPECT_EQ(hostile->status, 400);
    EXPECT_EQ(hostile->body.find("<script>"), std::string::npos);
    EXPECT_NE(hostile->body.find("value=\"&quot;&gt;&lt;script&gt;"), std::string::npos);
    EXPECT_NE(hostile->body.find("<mark>"), std::string::npos)
        << "the column of the reader's error is marked";

    const auto russian = client->Get("/?kind=factor&lang=ru&problem=x%5E2-1");
    ASSERT_TRUE(russian);
    EXPECT_NE(russian->body.find("<html lang=\"ru\">"), std::string::npos);
    EXPECT_NE(russian->body.find("\xd0\xa0\xd0\xb5\xd1\x88\xd0\xb8\xd1\x82\xd1\x8c"), std::string::npos)
        << "Решить";
}

TEST(Server, ThePageLoadsNothingFromOutsideAndRunsNoInlineScript) {
    RunningServer server;
    auto client = server.Client();
    const auto page = client->Get("/?problem=x%3D1");
    ASSERT_TRUE(page);
    // Every address the page loads is a path of this server (MathML's namespace name loads nothing).
    EXPECT_FALSE(std::regex_search(page->body, std::regex(R"((src|href|action)=\"(?!/)|url\(|@import)")));
    EXPECT_TRUE(std::regex_search(page->body, std::regex("href=\"/orbelin.css\"")));
    EXPECT_EQ(page->body.find("<script>"), std::string::npos);
    EXPECT_EQ(page->body.find(" on"), std::string::npos) << "no event handler attributes";
    EXPECT_EQ(page->body.find(" style="), std::string::npos) << "no inline style";
    EXPECT_EQ(page->body.find("<style"), std::string::npos) << "no inline style";
    EXPECT_NE(page->body.find("<script src=\"/orbelin.js\" defer></script>"), std::string::npos);
    const auto style = client->Get("/orbelin.css");
    ASSERT_TRUE(style);
    EXPECT_EQ(style->get_header_value("Content-Type"), "text/css; charset=utf-8");
    EXPECT_NE(style->body.find(".orbelin-solution .level-1"), std::string::npos) << "the bands' colours";
    const auto script = client->Get("/orbelin.js");
    ASSERT_TRUE(script);
    EXPECT_EQ(script->get_header_value("Content-Type"), "text/javascript; charset=utf-8");
    EXPECT_NE(script->body.find("/api/solve"), std::string::npos);
}

TEST(Server, ReadAnswersTheProblemAsReadOrTheReadersColumn) {
    RunningServer server;
    auto client = server.Client();
    const auto read =
        client->Post("/api/read", R"({"problem":"0.5x^2 \u2212 1","lang":"ru"})", "application/json");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->status, 200);
    EXPECT_NE(read->body.find("\"markup\":\"0,5*x^2-1\""), std::string::npos) << read->body;
    EXPECT_NE(read->body.find("\"html\":\"<math"), std::string::npos) << read->body;
    EXPECT_NE(read->body.find("<mn>0,5</mn>"), std::string::npos) << "a decimal comma under Russian";
    const auto refused = client->Post("/api/read", R"json({"problem":"x + sin(x)"})json", "application/json");
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->status, 400);
    EXPECT_NE(refused->body.find("\"column\":5"), std::string::npos) << refused->body;
}

TEST(Server, CheckAnswersAsTheCommandLineChecksInBothLanguages) {
    RunningServer server;
    auto client = server.Client();
    const struct {
        const char* kind;
        const char* problem;
        const char* lines; // as JSON writes them
        const char* solution;
    } cases[] = {
        {"equation", "2x + 3 = 11", "2x = 8\\nx = 4", "2x + 3 = 11\n2x = 8\nx = 4\n"},
        {"equation", "2x + 3 = 11", "2x = 8\\r\\nx = 5", "2x + 3 = 11\n2x = 8\nx = 5\n"},
        {"equation", "x^2 - 5x + 6 = 0", "(x-2)(x-3) = 0", "x^2 - 5x + 6 = 0\n(x-2)(x-3) = 0\n"},
        {"simplify", "2x + 3x", "4x", "2x + 3x\n4x\n"},
        {"factor", "x^2 - 1", "(x - 1)(x + )", "x^2 - 1\n(x - 1)(x + )\n"},
    };
    for (const auto& c : cases) {
        for (const char* lang : {"en", "ru"}) {
            const auto result =
                client->Post("/api/check", CheckBody(c.kind, lang, c.problem, c.lines), "application/json");
            ASSERT_TRUE(result);
            EXPECT_EQ(result->status, 200) << result->body;
            EXPECT_EQ(result->get_header_value("Content-Type"), "application/json; charset=utf-8");
            EXPECT_EQ(result->body, CommandLineCheck(c.kind, lang, c.solution)) << c.solution << lang;
        }
    }
    const auto unreadable =
        client->Post("/api/check", CheckBody("factor", "ru", "x^2 - 1", "(x - 1)(x + )"), "application/json");
    ASSERT_TRUE(unreadable);
    EXPECT_NE(unreadable->body.find(R"(позиция 13: \")\" не закрывает ни одной скобки)"), std::string::npos)
        << "the reader's refusal of a line in Russian: " << unreadable->body;
    const auto html = client->Post(
        "/api/check", CheckBody("equation", "ru", "2x + 3 = 11", "2x = 8\\nx = 5", "html-fragment"),
        "application/json");
    ASSERT_TRUE(html);
    EXPECT_EQ(html->get_header_value("Content-Type"), "text/html; charset=utf-8");
    EXPECT_NE(html->body.find("<li class=\"wrong\" data-line=\"3\" id=\"first-wrong\">"), std::string::npos)
        << html->body;
    EXPECT_NE(html->body.find("\xd0\xba\xd0\xbe\xd1\x80\xd0\xb5\xd0\xbd\xd1\x8c"), std::string::npos)
        << "корень";
}

TEST(Server, CheckRefusesWhatItCannotCheckWithAJsonMessage) {
    RunningServer server;
    auto client = server.Client();
    const std::pair<std::string, std::string> cases[] = {
        {CheckBody("equation", "en", "2x + ) = 1", "x = 1"),
         R"("error":"column 6: \")\" closes no bracket","column":6)"},
        {CheckBody("equation", "ru", "2x + ) = 1", "x = 1"), "\"column\":6"},
        {CheckBody("equation", "en", " ", "x = 1"), "there is no expression"},
        {CheckBody("equation", "en", "x = 1", "x = 1", "text"), "unknown format"},
        {CheckBody("cube", "en", "x = 1", "x = 1"), "unknown kind"},
        {R"({"problem":"x = 1"})", "no lines"},
        {R"({"lines":"x = 1"})", "no problem"},
        {"{\"problem\":", "cannot be read"},
    };
    for (const auto& [body, says] : cases) {
        const auto result = client->Post("/api/check", body, "application/json");
        ASSERT_TRUE(result) << body;
        EXPECT_EQ(result->status, 400) << body;
        ExpectSafeHeaders(result, body);
        EXPECT_NE(result->body.find(says), std::string::npos) << body << " -> " << result->body;
    }
}

TEST(Server, ThePageChecksFromItsAddressAndEscapesWhatTheRequestHolds) {
    RunningServer server;
    auto client = server.Client();
    const auto page =
        client->Get("/?mode=check&kind=equation&lang=en&problem=2x%2B3%3D11&lines=2x%3D8%0D%0Ax%3D5");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    EXPECT_NE(page->body.find("<form id=\"check-form\""), std::string::npos);
    EXPECT_NE(page->body.find("<mark>x=5</mark></code> <span class=\"message\">x = 5 solves this line"),
              std::string::npos)
        << page->body;
    EXPECT_NE(page->body.find("The solution is wrong from line 3 on."), std::string::npos);
    EXPECT_NE(page->body.find("href=\"/?kind=equation&amp;lang=en&amp;problem=2x%2B3%3D11\""),
              std::string::npos)
        << "the link back to solving carries the problem";

    const auto hostile =
        client->Get("/?mode=check&problem=x%3D1&lines=%3C%2Ftextarea%3E%3Cscript%3E%0A%22%3E%3Cb%3E");
    ASSERT_TRUE(hostile);
    EXPECT_EQ(hostile->status, 200);
    EXPECT_EQ(hostile->body.find("<script>"), std::string::npos);
    EXPECT_EQ(hostile->body.find("</textarea><script>"), std::string::npos);
    EXPECT_EQ(hostile->body.find("<b>"), std::string::npos);
    EXPECT_NE(hostile->body.find("&lt;/textarea&gt;&lt;script&gt;"), std::string::npos);

    const auto refused = client->Get("/?mode=check&lang=ru&problem=2x%2B%29%3D1&lines=x%3D1");
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->status, 400);
    EXPECT_NE(refused->body.find("data-column=\"4\""), std::string::npos);
    EXPECT_NE(refused->body.find("<mark>)</mark>"), std::string::npos);
    EXPECT_NE(refused->body.find("\xd0\xbf\xd0\xbe\xd0\xb7\xd0\xb8\xd1\x86\xd0\xb8\xd1\x8f 4"),
              std::string::npos)
        << "the reader's error in Russian: " << refused->body;
}

TEST(Server, HealthSaysOk) {
    RunningServer server;
    const auto health = server.Client()->Get("/health");
    ASSERT_TRUE(health);
    EXPECT_EQ(health->status, 200);
    EXPECT_EQ(health->body, "{\"status\":\"ok\",\"solving\":0,\"waiting\":0}\n");
}

TEST(Server, ASlowClientIsDisconnectedWhileOthersAreServed) {
    ServerLimits limits = DefaultServerLimits();
    limits.readTimeout = 1s;
    limits.idleTimeout = 1s;
    RunningServer server(limits);
    RawConnection silent(server.Port());
    RawConnection slowBody(server.Port());
    ASSERT_TRUE(silent.Connected());
    ASSERT_TRUE(slowBody.Connected());
    ASSERT_TRUE(
        slowBody.Send("POST /api/solve HTTP/1.1\r\nHost: x\r\nContent-Length: 60\r\n\r\n{\"problem\":"));
    const auto served =
        server.Client()->Post("/api/solve", SolveBody("equation", "en", "x + 3 = 7"), "application/json");
    ASSERT_TRUE(served);
    EXPECT_EQ(served->status, 200);
    EXPECT_TRUE(silent.ClosedWithin(4s)) << "a client that sends nothing";
    EXPECT_TRUE(slowBody.ClosedWithin(4s)) << "a client that stops in the middle of its body";
}

TEST(Server, ARequestTrickledInPastItsDeadlineIsAnswered408AndClosed) {
    ServerLimits limits = DefaultServerLimits();
    limits.readTimeout = 1s;
    limits.requestDeadline = 1500ms;
    RunningServer server(limits);
    const std::string headers = "GET /health HTTP/1.1\r\nHost: x\r\nX-Padding: ";
    const std::string body = "POST /api/solve HTTP/1.1\r\nHost: x\r\nContent-Length: 40\r\n\r\n{\"problem\":";
    for (const std::string& request : {headers, body}) {
        RawConnection trickle(server.Port());
        ASSERT_TRUE(trickle.Connected());
        const auto start = std::chrono::steady_clock::now();
        // A byte every 0.3 s: each read comes well within the read timeout.
        bool open = true;
        for (std::size_t i = 0; open && std::chrono::steady_clock::now() - start < 4s; ++i) {
            open = trickle.Send(i < request.size() ? request.substr(i, 1) : std::string("1")) &&
                   !trickle.ClosedWithin(300ms);
        }
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_FALSE(open) << request;
        EXPECT_LT(took, 3s) << request;
        EXPECT_EQ(trickle.received.rfind("HTTP/1.1 408 ", 0), 0u) << trickle.received;
        EXPECT_NE(trickle.received.find("X-Content-Type-Options: nosniff"), std::string::npos);
        EXPECT_NE(trickle.received.find("{\"error\":\"the request did not arrive whole within 1.5 s\"}"),
                  std::string::npos)
            << trickle.received;
    }
    const auto served = server.Client()->Get("/health");
    ASSERT_TRUE(served);
    EXPECT_EQ(served->status, 200);
}

TEST(Server, ConnectionsPastTheThreadsAndTheirWaitingLineAreTurnedAwayAtOnce) {
    ServerLimits limits = DefaultServerLimits();
    limits.connectionThreads = 2;
    limits.connectionQueue = 1;
    limits.idleTimeout = 5s;
    RunningServer server(limits);
    // Two connections, each answered once and kept alive, hold both threads (waiting for the answer
    // proves a thread took the connection, however loaded the machine).
    std::vector<std::unique_ptr<RawConnection>> idle;
    for (int i = 0; i < 2; ++i) {
        idle.push_back(std::make_unique<RawConnection>(server.Port()));
        ASSERT_TRUE(idle.back()->Connected());
        ASSERT_TRUE(idle.back()->Send("GET /health HTTP/1.1\r\nHost: x\r\n\r\n"));
        ASSERT_TRUE(idle.back()->ReceivedWithin(5s, "\r\n\r\n")) << idle.back()->received;
    }
    // Of two more, one takes the single place in the waiting line and the other is turned away at
    // once; which one is up to the order the server accepts them in, so both are watched.
    RawConnection first(server.Port());
    RawConnection second(server.Port());
    ASSERT_TRUE(first.Send("GET /health HTTP/1.1\r\nHost: x\r\n\r\n"));
    ASSERT_TRUE(second.Send("GET /health HTTP/1.1\r\nHost: x\r\n\r\n"));
    RawConnection* turnedAway = nullptr;
    for (auto waited = 0ms; turnedAway == nullptr && waited < 5s; waited += 100ms) {
        turnedAway = first.ClosedWithin(50ms) ? &first : second.ClosedWithin(50ms) ? &second : nullptr;
    }
    ASSERT_NE(turnedAway, nullptr);
    RawConnection& waiting = turnedAway == &first ? second : first;
    EXPECT_FALSE(waiting.ClosedWithin(200ms)) << waiting.received;
    EXPECT_EQ(turnedAway->received.rfind("HTTP/1.1 503 ", 0), 0u) << turnedAway->received;
    EXPECT_NE(turnedAway->received.find("Retry-After: 1\r\n"), std::string::npos);
    EXPECT_NE(turnedAway->received.find("Content-Type: application/json"), std::string::npos);
    // Once the idle ones are let go, the server serves again, as soon as its threads have seen them
    // close (the waiting connection takes one of the two freed threads).
    idle.clear();
    int status = 0;
    for (auto waited = 0ms; status != 200 && waited < 5s; waited += 50ms) {
        const auto served = server.Client()->Get("/health");
        status = served ? served->status : 0;
        if (status != 200) {
            std::this_thread::sleep_for(50ms);
        }
    }
    EXPECT_EQ(status, 200);
}

TEST(Server, ManyRequestsAtOnceBeyondTheWaitingLineAreAnswered503WithRetryAfter) {
    ServerLimits limits = DefaultServerLimits();
    limits.solveSlots = 1;
    limits.solveQueue = 0;
    RunningServer server(limits);
    // Tens of milliseconds of work each, so that the solves overlap.
    const std::vector<Answer> answers =
        PostAtOnce(server, 24, [](int) { return SolveBody("simplify", "en", "(x+1)^200 - (x-1)^200"); });
    int solved = 0;
    int busy = 0;
    for (const Answer& answer : answers) {
        if (answer.status == 200) {
            ++solved;
        } else {
            EXPECT_EQ(answer.status, 503);
            EXPECT_EQ(answer.retryAfter, "1");
            EXPECT_NE(answer.body.find("\"error\""), std::string::npos);
            ++busy;
        }
    }
    EXPECT_GE(solved, 1);
    EXPECT_GE(busy, 1);
}

TEST(Server, AWaitingLineAbsorbsABurstWithoutTurningAnyoneAway) {
    ServerLimits limits = DefaultServerLimits();
    limits.solveSlots = 2;
    limits.solveQueue = 64;
    RunningServer server(limits);
    const std::vector<Answer> answers = PostAtOnce(server, 32, [](int i) {
        const KindCase& kindCase = kKindCases[i % 4];
        return SolveBody(kindCase.kind, i % 2 ? "ru" : "en", kindCase.problem);
    });
    for (const Answer& answer : answers) {
        EXPECT_EQ(answer.status, 200);
    }
}
