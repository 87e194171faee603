#include "web/ConnectionPool.h"

namespace {

thread_local bool t_turningAway = false;

} // namespace

ConnectionPool::ConnectionPool(std::size_t threads, std::size_t waitingBound) : m_waitingBound(waitingBound) {
    for (std::size_t i = 0; i < std::max<std::size_t>(1, threads); ++i) {
        m_threads.emplace_back([this] { Serve(m_jobs, m_jobArrived); });
    }
    m_threads.emplace_back([this] {
        t_turningAway = true;
        Serve(m_turnAway, m_turnAwayArrived);
    });
}

ConnectionPool::~ConnectionPool() {
    shutdown();
}

bool ConnectionPool::TurningAway() {
    return t_turningAway;
}

void ConnectionPool::enqueue(std::function<void()> job) {
    bool turnedAway = false;
    {
        const std::lock_guard lock(m_mutex);
        turnedAway = m_jobs.size() >= m_waitingBound;
        (turnedAway ? m_turnAway : m_jobs).push_back(std::move(job));
    }
    (turnedAway ? m_turnAwayArrived : m_jobArrived).notify_one();
}

void ConnectionPool::shutdown() {
    {
        const std::lock_guard lock(m_mutex);
        if (m_shutdown) {
            return;
        }
        m_shutdown = true;
    }
    m_jobArrived.notify_all();
    m_turnAwayArrived.notify_all();
    for (std::thread& thread : m_threads) {
        thread.join();
    }
}

void ConnectionPool::Serve(std::deque<std::function<void()>>& line, std::condition_variable& arrived) {
    for (;;) {
        std::function<void()> job;
        {
            std::unique_lock lock(m_mutex);
            arrived.wait(lock, [&] { return m_shutdown || !line.empty(); });
            if (line.empty()) {
                return;
            }
            job = std::move(line.front());
            line.pop_front();
        }
        job();
    }
}
