#include "web/SolveGate.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

using namespace std::chrono_literals;

namespace {

// Waits until the gate counts `waiting` waiters, for at most a few seconds.
bool WaitForWaiters(const SolveGate& gate, std::size_t waiting) {
    for (int i = 0; i < 500 && gate.Waiting() != waiting; ++i) {
        std::this_thread::sleep_for(10ms);
    }
    return gate.Waiting() == waiting;
}

} // namespace

TEST(SolveGate, AdmitsAsManyAsItHasSlotsAndGivesASlotBackWhenATicketEnds) {
    SolveGate gate(2, 0, 10ms);
    SolveGate::Ticket first = gate.Enter();
    SolveGate::Ticket second = gate.Enter();
    ASSERT_TRUE(first);
    ASSERT_TRUE(second);
    EXPECT_EQ(gate.Running(), 2u);
    EXPECT_FALSE(gate.Enter()) << "no waiting line: a third is turned away";
    first = SolveGate::Ticket();
    EXPECT_EQ(gate.Running(), 1u);
    EXPECT_TRUE(gate.Enter());
    EXPECT_EQ(gate.Running(), 1u) << "the ticket of the last Enter ended with its statement";
}

TEST(SolveGate, AMovedTicketGivesItsSlotBackOnce) {
    SolveGate gate(1, 0, 10ms);
    SolveGate::Ticket ticket = gate.Enter();
    SolveGate::Ticket moved = std::move(ticket);
    EXPECT_FALSE(ticket);
    EXPECT_EQ(gate.Running(), 1u);
    moved = std::move(moved);
    EXPECT_EQ(gate.Running(), 1u);
    moved = SolveGate::Ticket();
    EXPECT_EQ(gate.Running(), 0u);
}

TEST(SolveGate, AWaiterGetsTheSlotThatComesFreeAndOneMoreThanTheLineHoldsIsTurnedAway) {
    SolveGate gate(1, 1, 10s);
    SolveGate::Ticket held = gate.Enter();
    std::future<bool> waiter =
        std::async(std::launch::async, [&gate] { return static_cast<bool>(gate.Enter()); });
    ASSERT_TRUE(WaitForWaiters(gate, 1));
    EXPECT_FALSE(gate.Enter()) << "the waiting line of one is full";
    held = SolveGate::Ticket();
    EXPECT_TRUE(waiter.get());
    EXPECT_EQ(gate.Running(), 0u);
    EXPECT_EQ(gate.Waiting(), 0u);
}

TEST(SolveGate, AWaiterWhoseSlotDoesNotComeInTimeIsTurnedAwayAndLeavesTheLine) {
    SolveGate gate(1, 4, 50ms);
    SolveGate::Ticket held = gate.Enter();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(gate.Enter());
    EXPECT_GE(std::chrono::steady_clock::now() - start, 50ms);
    EXPECT_EQ(gate.Waiting(), 0u);
    EXPECT_EQ(gate.Running(), 1u);
}

TEST(SolveGate, NeverRunsMoreThanItsSlotsUnderManyThreads) {
    SolveGate gate(2, 64, 10s);
    std::atomic<int> running = 0;
    std::atomic<int> most = 0;
    std::atomic<int> admitted = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 16; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 50; ++i) {
                SolveGate::Ticket ticket = gate.Enter();
                if (!ticket) {
                    continue;
                }
                ++admitted;
                const int now = ++running;
                int seen = most.load();
                while (now > seen && !most.compare_exchange_weak(seen, now)) {
                }
                std::this_thread::yield();
                --running;
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_LE(most.load(), 2);
    EXPECT_EQ(admitted.load(), 16 * 50) << "a line of 64 holds every one of 16 threads";
    EXPECT_EQ(gate.Running(), 0u);
}
