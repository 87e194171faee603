#include "web/DeadlineStream.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace {

using Clock = std::chrono::steady_clock;

// Waits for events on the socket for at most timeout; false on a timeout or an error.
bool PollFor(int socket, short events, std::chrono::milliseconds timeout) {
    pollfd ready{socket, events, 0};
    const auto milliseconds = static_cast<int>(std::clamp<std::int64_t>(timeout.count(), 0, 1 << 30));
    int result = 0;
    do {
        result = ::poll(&ready, 1, milliseconds);
    } while (result < 0 && errno == EINTR);
    return result > 0;
}

void AddressOf(const sockaddr_storage& address, std::string& ip, int& port) {
    char text[INET6_ADDRSTRLEN] = {};
    if (address.ss_family == AF_INET) {
        const auto& v4 = reinterpret_cast<const sockaddr_in&>(address);
        ::inet_ntop(AF_INET, &v4.sin_addr, text, sizeof text);
        port = ntohs(v4.sin_port);
    } else if (address.ss_family == AF_INET6) {
        const auto& v6 = reinterpret_cast<const sockaddr_in6&>(address);
        ::inet_ntop(AF_INET6, &v6.sin6_addr, text, sizeof text);
        port = ntohs(v6.sin6_port);
    }
    ip = text;
}

} // namespace

DeadlineStream::DeadlineStream(int socket, std::chrono::milliseconds readTimeout,
                               std::chrono::milliseconds writeTimeout, const std::string& timeoutAnswer)
    : m_socket(socket), m_readTimeout(readTimeout), m_writeTimeout(writeTimeout),
      m_timeoutAnswer(timeoutAnswer) {}

void DeadlineStream::StartRequest(std::chrono::milliseconds deadline) {
    m_deadline = Clock::now() + deadline;
}

bool DeadlineStream::WaitReadable() {
    if (m_expired) {
        return false;
    }
    const auto now = Clock::now();
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(m_deadline - now);
    if (left <= m_readTimeout) {
        if (left.count() <= 0 || !PollFor(m_socket, POLLIN, left)) {
            m_expired = true;
            return false;
        }
        return true;
    }
    return PollFor(m_socket, POLLIN, m_readTimeout);
}

bool DeadlineStream::is_readable() const {
    return m_bufferStart < m_bufferEnd || (!m_expired && PollFor(m_socket, POLLIN, m_readTimeout));
}

bool DeadlineStream::is_writable() const {
    return PollFor(m_socket, POLLOUT, m_writeTimeout);
}

ssize_t DeadlineStream::read(char* ptr, size_t size) {
    if (m_bufferStart == m_bufferEnd) {
        if (!WaitReadable()) {
            return -1;
        }
        ssize_t got = 0;
        do {
            got = ::recv(m_socket, m_buffer.data(), m_buffer.size(), 0);
        } while (got < 0 && errno == EINTR);
        if (got <= 0) {
            return got;
        }
        m_bufferStart = 0;
        m_bufferEnd = static_cast<size_t>(got);
    }
    const size_t taken = std::min(size, m_bufferEnd - m_bufferStart);
    std::memcpy(ptr, m_buffer.data() + m_bufferStart, taken);
    m_bufferStart += taken;
    return static_cast<ssize_t>(taken);
}

bool DeadlineStream::SendAll(const char* data, size_t size) {
    while (size > 0) {
        if (!PollFor(m_socket, POLLOUT, m_writeTimeout)) {
            return false;
        }
        const ssize_t sent = ::send(m_socket, data, size, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) {
            continue;
        }
        if (sent <= 0) {
            return false;
        }
        data += sent;
        size -= static_cast<size_t>(sent);
    }
    return true;
}

ssize_t DeadlineStream::write(const char* ptr, size_t size) {
    if (m_expired) {
        // The library answers a request it could not read whole; the client is told it was too slow.
        AnswerExpired();
        return static_cast<ssize_t>(size);
    }
    return SendAll(ptr, size) ? static_cast<ssize_t>(size) : -1;
}

void DeadlineStream::AnswerExpired() {
    if (!m_expiredAnswered) {
        m_expiredAnswered = true;
        SendAll(m_timeoutAnswer.data(), m_timeoutAnswer.size());
    }
}

void DeadlineStream::get_remote_ip_and_port(std::string& ip, int& port) const {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (::getpeername(m_socket, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        AddressOf(address, ip, port);
    }
}

void DeadlineStream::get_local_ip_and_port(std::string& ip, int& port) const {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        AddressOf(address, ip, port);
    }
}
