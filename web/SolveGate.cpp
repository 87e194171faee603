#include "web/SolveGate.h"

SolveGate::SolveGate(std::size_t slots, std::size_t queueBound, std::chrono::milliseconds maxWait)
    : m_slots(slots == 0 ? 1 : slots), m_queueBound(queueBound), m_maxWait(maxWait) {}

SolveGate::Ticket& SolveGate::Ticket::operator=(Ticket&& other) noexcept {
    if (this != &other) {
        Release();
        m_gate = other.m_gate;
        other.m_gate = nullptr;
    }
    return *this;
}

void SolveGate::Ticket::Release() {
    if (m_gate != nullptr) {
        m_gate->Leave();
        m_gate = nullptr;
    }
}

SolveGate::Ticket SolveGate::Enter() {
    std::unique_lock lock(m_mutex);
    if (m_running < m_slots && m_waiting == 0) {
        ++m_running;
        return Ticket(this);
    }
    if (m_waiting >= m_queueBound) {
        return Ticket();
    }
    ++m_waiting;
    const bool admitted = m_slotFreed.wait_for(lock, m_maxWait, [this] { return m_running < m_slots; });
    --m_waiting;
    if (!admitted) {
        return Ticket();
    }
    ++m_running;
    return Ticket(this);
}

void SolveGate::Leave() {
    {
        std::lock_guard lock(m_mutex);
        --m_running;
    }
    m_slotFreed.notify_one();
}

std::size_t SolveGate::Running() const {
    std::lock_guard lock(m_mutex);
    return m_running;
}

std::size_t SolveGate::Waiting() const {
    std::lock_guard lock(m_mutex);
    return m_waiting;
}
