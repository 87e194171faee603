#pragma once

// The threads that serve the connections: a fixed number of them, and a bounded waiting line of
// connections that no thread has taken yet. A connection that finds the line full is handed to one
// thread of its own that only turns it away ("503, retry later") and closes it, so a crowd of slow
// or idle clients can hold at most the threads and the line, never memory without end, and a client
// beyond them hears at once that the server is busy.

#include <httplib.h>

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class ConnectionPool : public httplib::TaskQueue {
public:
    ConnectionPool(std::size_t threads, std::size_t waitingBound);
    ~ConnectionPool() override;

    void enqueue(std::function<void()> job) override;
    void shutdown() override;

    // True on the thread that turns connections away: the job running there must answer busy.
    static bool TurningAway();

private:
    // Runs the jobs of line until the pool shuts down and the line is empty.
    void Serve(std::deque<std::function<void()>>& line, std::condition_variable& arrived);

    const std::size_t m_waitingBound;
    std::mutex m_mutex;
    std::condition_variable m_jobArrived;
    std::condition_variable m_turnAwayArrived;
    std::deque<std::function<void()>> m_jobs;
    std::deque<std::function<void()>> m_turnAway;
    bool m_shutdown = false;
    std::vector<std::thread> m_threads;
};
