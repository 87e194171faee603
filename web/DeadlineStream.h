#pragma once

// The connection of one client as cpp-httplib reads and writes it, with a deadline for the whole
// of each request. The library's own timeout bounds one read: a client that sends a byte just
// before every timeout would hold the connection, and the thread serving it, for as long as it
// likes. Here every read of a request also stops at the request's deadline (set when its first
// byte arrives); once that has passed, the answer the library writes is replaced by "408 Request
// Timeout", and the connection is closed.

#include <httplib.h>

#include <array>
#include <chrono>
#include <string>

class DeadlineStream : public httplib::Stream {
public:
    // timeoutAnswer: the whole HTTP answer sent when a request's deadline has passed.
    DeadlineStream(int socket, std::chrono::milliseconds readTimeout, std::chrono::milliseconds writeTimeout,
                   const std::string& timeoutAnswer);

    // A request starts: it must be read whole within deadline from now.
    void StartRequest(std::chrono::milliseconds deadline);
    // Bytes of the next request were received already.
    bool HasBuffered() const { return m_bufferStart < m_bufferEnd; }
    // The request's deadline passed while it was being read.
    bool Expired() const { return m_expired; }
    // Sends the 408 answer unless it was already sent in place of the library's.
    void AnswerExpired();

    bool is_readable() const override;
    bool is_writable() const override;
    ssize_t read(char* ptr, size_t size) override;
    ssize_t write(const char* ptr, size_t size) override;
    void get_remote_ip_and_port(std::string& ip, int& port) const override;
    void get_local_ip_and_port(std::string& ip, int& port) const override;
    socket_t socket() const override { return m_socket; }

private:
    // Waits until the socket is readable, for at most the read timeout and never past the
    // deadline; false when it is not (the deadline's passing is noted).
    bool WaitReadable();
    bool SendAll(const char* data, size_t size);

    int m_socket;
    std::chrono::milliseconds m_readTimeout;
    std::chrono::milliseconds m_writeTimeout;
    const std::string& m_timeoutAnswer;
    std::chrono::steady_clock::time_point m_deadline = std::chrono::steady_clock::time_point::max();
    bool m_expired = false;
    bool m_expiredAnswered = false;
    // What was received and not yet read: the library reads a request's lines a byte at a time.
    std::array<char, 4096> m_buffer{};
    size_t m_bufferStart = 0;
    size_t m_bufferEnd = 0;
};
