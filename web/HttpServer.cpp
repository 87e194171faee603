#include "web/HttpServer.h"

#include "web/ConnectionPool.h"
#include "web/DeadlineStream.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// The longest a wait for a request sleeps before it looks whether the server is stopping.
constexpr std::chrono::milliseconds kStopCheckInterval{100};

std::chrono::milliseconds Milliseconds(time_t seconds, time_t microseconds) {
    return std::chrono::seconds(seconds) + std::chrono::milliseconds(microseconds / 1'000);
}

void CloseSocket(socket_t socket) {
    ::shutdown(socket, SHUT_RDWR);
    ::close(socket);
}

} // namespace

HttpServer::HttpServer(std::chrono::milliseconds requestDeadline, std::string timeoutAnswer,
                       std::string busyAnswer)
    : m_requestDeadline(requestDeadline), m_timeoutAnswer(std::move(timeoutAnswer)),
      m_busyAnswer(std::move(busyAnswer)) {}

void HttpServer::LengthenBacklog() {
    ::listen(svr_sock_, SOMAXCONN);
}

bool HttpServer::process_and_close_socket(socket_t socket) {
    if (ConnectionPool::TurningAway()) {
        TurnAway(socket);
        return false;
    }
    DeadlineStream stream(socket, Milliseconds(read_timeout_sec_, read_timeout_usec_),
                          Milliseconds(write_timeout_sec_, write_timeout_usec_), m_timeoutAnswer);
    bool served = false;
    for (std::size_t left = keep_alive_max_count_;
         left > 0 && (stream.HasBuffered() || WaitForRequest(socket)); --left) {
        stream.StartRequest(m_requestDeadline);
        bool closed = false;
        served = process_request(stream, left == 1, closed, {});
        if (stream.Expired()) {
            stream.AnswerExpired();
            served = false;
        }
        if (!served || closed) {
            break;
        }
    }
    CloseSocket(socket);
    return served;
}

void HttpServer::TurnAway(socket_t socket) const {
    ::send(socket, m_busyAnswer.data(), m_busyAnswer.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    // What the client sent is read away first: closing over unread bytes resets the connection,
    // and the client could lose the answer.
    ::shutdown(socket, SHUT_WR);
    char unread[4096];
    while (::recv(socket, unread, sizeof unread, MSG_DONTWAIT) > 0) {
    }
    ::close(socket);
}

bool HttpServer::WaitForRequest(socket_t socket) const {
    const auto end = Clock::now() + std::chrono::seconds(keep_alive_timeout_sec_);
    while (is_running()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd ready{socket, POLLIN, 0};
        const int result = ::poll(&ready, 1, static_cast<int>(std::min(left, kStopCheckInterval).count()));
        if (result > 0) {
            return true;
        }
        if (result < 0 && errno != EINTR) {
            return false;
        }
    }
    return false;
}

std::string ClosingAnswer(int status, std::string_view reason, std::string_view headers,
                          std::string_view contentType, std::string_view body) {
    std::string answer = "HTTP/1.1 " + std::to_string(status) + " ";
    answer += reason;
    answer += "\r\n";
    answer += headers;
    answer += "Content-Type: ";
    answer += contentType;
    answer += "\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n";
    answer += body;
    return answer;
}
