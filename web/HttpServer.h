#pragma once

// cpp-httplib's server with the connection handling orbelin-serve needs: a deadline for the whole
// of each request (web/DeadlineStream.h), connections turned away at once when the pool's waiting
// line is full (web/ConnectionPool.h), and the system's longest backlog of connections.

#include <httplib.h>

#include <chrono>
#include <string>

class HttpServer : public httplib::Server {
public:
    // requestDeadline bounds the reading of one request, its headers and body; timeoutAnswer and
    // busyAnswer are the whole HTTP answers for a request past it and for a connection turned away.
    HttpServer(std::chrono::milliseconds requestDeadline, std::string timeoutAnswer, std::string busyAnswer);

    // The library listens with a backlog of 5 connections: a burst of clients connecting at once
    // overflows it and the kernel drops their connections. Listening again on the bound socket
    // lengthens the backlog to the system's most.
    void LengthenBacklog();

private:
    bool process_and_close_socket(socket_t socket) override;
    // Answers busy and closes, without reading the request.
    void TurnAway(socket_t socket) const;
    // Waits for the first byte of a request, for at most the keep-alive time; false when none came
    // or the server is stopping.
    bool WaitForRequest(socket_t socket) const;

    std::chrono::milliseconds m_requestDeadline;
    std::string m_timeoutAnswer;
    std::string m_busyAnswer;
};

// A whole HTTP answer that closes the connection: status line, the headers given (each ending in
// "\r\n"), the content type and length, and the body.
std::string ClosingAnswer(int status, std::string_view reason, std::string_view headers,
                          std::string_view contentType, std::string_view body);
