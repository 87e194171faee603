#include "editor/CSolveRunner.h"

#include "solver/SolveProblem.h"

#include <utility>

CSolveRunner::CSolveRunner(QObject* parent) : QObject(parent) {}

CSolveRunner::~CSolveRunner() {
    if (m_state) {
        std::lock_guard lock(m_state->mutex);
        m_state->abandoned = true;
    }
    if (m_state) {
        m_state->changed.notify_all();
    }
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

bool CSolveRunner::Start(ProblemKind kind, std::string problemText, COutputList* solution) {
    if (m_running) {
        return false;
    }
    if (m_worker.joinable()) {
        m_worker.join();
    }
    m_running = true;
    m_state = std::make_shared<HandOverState>();
    m_worker = std::thread([this, state = m_state, kind, text = std::move(problemText), solution] {
        Work(*state, kind, text, solution);
    });
    return true;
}

void CSolveRunner::Work(HandOverState& state, ProblemKind kind, const std::string& problemText,
                        COutputList* solution) {
    SolveProblem(kind, problemText, solution);
    std::unique_lock lock(state.mutex);
    if (state.abandoned) {
        return;
    }
    // Posted under the lock, so the owner cannot be half destroyed while the call is queued; a call
    // still queued when the owner is destroyed is dropped with it.
    QMetaObject::invokeMethod(this, &CSolveRunner::HandOver, Qt::QueuedConnection);
    state.changed.wait(lock, [&] { return state.handled || state.abandoned; });
}

void CSolveRunner::HandOver() {
    emit Finished();
    {
        std::lock_guard lock(m_state->mutex);
        m_state->handled = true;
    }
    m_state->changed.notify_all();
    m_worker.join();
    m_running = false;
}
