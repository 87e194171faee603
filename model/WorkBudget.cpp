#include "model/WorkBudget.h"

#include "model/CLongInteger.h"
#include "model/EngineLimits.h"

namespace WorkBudget {

namespace {

struct State {
    bool active = false;
    Limits limits{};
    Usage usage;
};

thread_local State state;
thread_local Usage lastFinished;

bool Spend() {
    state.usage.exhausted = true;
    CLongInteger::ReportLimitExceeded();
    return false;
}

} // namespace

Limits SolveLimits() {
    return Limits{EngineLimits::kMaxSolveWork, EngineLimits::kMaxSolutionRecords,
                  EngineLimits::kMaxSolutionTextBytes};
}

bool Charge(std::int64_t units) {
    if (!state.active) {
        return true;
    }
    state.usage.work += units;
    if (state.usage.exhausted || state.usage.work > state.limits.work) {
        return Spend();
    }
    return true;
}

bool ChargeAhead(std::int64_t units) {
    if (!state.active) {
        return true;
    }
    if (state.usage.exhausted || units > state.limits.work - state.usage.work) {
        return Spend();
    }
    state.usage.work += units;
    return true;
}

bool ChargeRecord(std::size_t textBytes) {
    if (!state.active) {
        return true;
    }
    ++state.usage.records;
    state.usage.recordTextBytes += textBytes;
    if (state.usage.exhausted || state.usage.records > state.limits.records ||
        state.usage.recordTextBytes > state.limits.recordTextBytes) {
        return Spend();
    }
    return true;
}

bool RecordTextFits(std::size_t textBytes) {
    return !state.active || state.usage.recordTextBytes + textBytes <= state.limits.recordTextBytes;
}

bool Exhausted() {
    return state.active && state.usage.exhausted;
}

Usage Current() {
    return state.active ? state.usage : Usage{};
}

Usage LastFinished() {
    return lastFinished;
}

Scope::Scope() : Scope(SolveLimits()) {}

Scope::Scope(const Limits& limits)
    : m_savedActive(state.active), m_savedLimits(state.limits), m_savedUsage(state.usage) {
    state = State{true, limits, Usage{}};
}

Scope::~Scope() {
    lastFinished = state.usage;
    state = State{m_savedActive, m_savedLimits, m_savedUsage};
}

} // namespace WorkBudget
