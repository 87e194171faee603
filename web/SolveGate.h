#pragma once

// Admission of solves: at most `slots` run at once (one per core), up to `queueBound` more wait
// for a slot, and any further one is turned away at once so the server can answer
// "busy, retry later" instead of letting the waiting line and its memory grow without end.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>

class SolveGate {
public:
    SolveGate(std::size_t slots, std::size_t queueBound, std::chrono::milliseconds maxWait);
    SolveGate(const SolveGate&) = delete;
    SolveGate& operator=(const SolveGate&) = delete;

    // A slot held for the length of one solve; it is given back when the ticket ends.
    class Ticket {
    public:
        Ticket() = default;
        Ticket(Ticket&& other) noexcept : m_gate(other.m_gate) { other.m_gate = nullptr; }
        Ticket& operator=(Ticket&& other) noexcept;
        ~Ticket() { Release(); }
        explicit operator bool() const { return m_gate != nullptr; }

    private:
        friend class SolveGate;
        explicit Ticket(SolveGate* gate) : m_gate(gate) {}
        void Release();
        SolveGate* m_gate = nullptr;
    };

    // Waits for a slot. An empty ticket means the caller was turned away: the waiting line was
    // full, or no slot came free within maxWait.
    Ticket Enter();

    std::size_t Running() const;
    std::size_t Waiting() const;

private:
    void Leave();

    const std::size_t m_slots;
    const std::size_t m_queueBound;
    const std::chrono::milliseconds m_maxWait;
    mutable std::mutex m_mutex;
    std::condition_variable m_slotFreed;
    std::size_t m_running = 0;
    std::size_t m_waiting = 0;
};
