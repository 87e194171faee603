#pragma once

// orbelin-serve's HTTP server: the page, its style and script, the API and the health check.
// It writes no files and keeps nothing between requests: every request is answered from itself
// and the comment texts read at start, so several servers behind a proxy answer alike.
//
//   GET  /                 the page; with ?problem=… (and kind, lang) the page with the solution;
//                          with ?mode=check (and problem, lines) the check of a pupil's solution
//   GET  /orbelin.css, /orbelin.js
//   POST /api/solve        {"kind","lang","problem","format"} -> the records (json) or an export
//   POST /api/read         {"problem","lang"} -> how the reader understood it, for the preview
//   POST /api/check        {"kind","lang","problem","lines","format"} -> the verdict of every line
//   GET  /health           {"status":"ok",…}

#include "web/CheckService.h"
#include "web/PageTexts.h"
#include "web/PageWriter.h"
#include "web/SolveGate.h"
#include "web/SolveService.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>

class HttpServer;

namespace httplib {
struct Request;
struct Response;
} // namespace httplib

struct ServerLimits {
    // Solves at once: one per core.
    std::size_t solveSlots = 2;
    // Solves that may wait for a slot; past them a request is answered 503 at once.
    std::size_t solveQueue = 64;
    // The longest a solve waits for a slot before it is answered 503.
    std::chrono::milliseconds maxSolveWait{5'000};
    // Connections served at once; each holds a thread while it is open, idle between two requests
    // too, so a class of browsers, each keeping a few connections open, needs many.
    std::size_t connectionThreads = 256;
    // Connections that may wait for a thread; past them a connection is answered 503 at once.
    std::size_t connectionQueue = 1'024;
    // The whole of one request, its headers and body, must arrive within this time from its first
    // byte, or it is answered 408 and the connection closed: a client that trickles its request a
    // byte at a time holds a thread for no longer.
    std::chrono::milliseconds requestDeadline{10'000};
    // Largest request body (a problem is at most 100,000 bytes).
    std::size_t maxBodyBytes = 100 * 1024;
    // A client that sends nothing for this long in the middle of a request is disconnected.
    std::chrono::seconds readTimeout{5};
    // An open connection without a request for this long is closed, giving its thread back.
    std::chrono::seconds idleTimeout{2};
    // Requests one kept-alive connection may make before it is closed.
    std::size_t keepAliveRequests = 1'000;
};

// The limits for this machine: a solve slot per core.
ServerLimits DefaultServerLimits();

class OrbelinServer {
public:
    // Reads the language files under baseFolder.
    OrbelinServer(const std::filesystem::path& baseFolder, const ServerLimits& limits);
    ~OrbelinServer();
    OrbelinServer(const OrbelinServer&) = delete;
    OrbelinServer& operator=(const OrbelinServer&) = delete;

    // Binds to host and port (0: a free port chosen by the system). Returns the port, or -1 when
    // the address cannot be bound.
    int Bind(const std::string& host, int port);
    // Serves until Stop; false when it could not.
    bool Run();
    // Ends Run from any thread; requests being answered are finished first.
    void Stop();

private:
    void Route();
    void ServePage(const httplib::Request& request, httplib::Response& response);
    // The page's solve or check of the request's fields, when it asks for one: the HTTP status.
    int SolveForPage(PageState& state);
    int CheckForPage(PageState& state);
    void ServeCheck(const httplib::Request& request, httplib::Response& response);
    void ServeSolve(const httplib::Request& request, httplib::Response& response);
    void ServeRead(const httplib::Request& request, httplib::Response& response);
    void ServeHealth(httplib::Response& response) const;

    ServerLimits m_limits;
    SolveService m_service;
    CheckService m_checker;
    std::array<PageTexts, 2> m_pageTexts;
    SolveGate m_gate;
    // The page's own style followed by the style of the solution's bands.
    std::string m_styleSheet;
    std::unique_ptr<HttpServer> m_http;
};
