#pragma once

// Runs one solve at a time on a worker thread and hands the end back to the thread that owns this
// object. The hand-over is synchronous: the worker posts the end to the owner's event loop and waits
// until the owner has handled it (the Finished signal and everything connected to it), so the
// solution list passes from the worker to the user-interface thread at one well-defined point.
// Until then the solution list belongs to the worker and must not be touched.

#include "solver/ProblemKind.h"

#include <QObject>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

class COutputList;

class CSolveRunner final : public QObject {
    Q_OBJECT

public:
    explicit CSolveRunner(QObject* parent = nullptr);
    // Waits for a running solve to end; its hand-over is then dropped.
    ~CSolveRunner() override;

    // Starts the solve of kind over problemText into solution (which the caller has emptied).
    // Returns false, and does nothing, while a solve runs (its hand-over included).
    bool Start(ProblemKind kind, std::string problemText, COutputList* solution);
    bool IsRunning() const { return m_running; }

signals:
    // The solve has ended; emitted on the owner's thread while the worker waits.
    void Finished();

private:
    struct HandOverState {
        std::mutex mutex;
        std::condition_variable changed;
        bool handled = false;
        bool abandoned = false;
    };

    void Work(HandOverState& state, ProblemKind kind, const std::string& problemText, COutputList* solution);
    void HandOver();

    std::shared_ptr<HandOverState> m_state;
    std::thread m_worker;
    bool m_running = false;
};
