#pragma once

#include <QObject>
#include <functional>
#include <mutex>
#include <vector>

namespace korvel {

// Hands calls from a worker thread to the window's thread. The calls wait here, under a mutex,
// in the order they came; one queued wake-up at a time runs all that are waiting, so however
// fast a worker posts, the window thread takes them in a few large pieces and repaints in
// between. The wake-up is posted by method name and carries nothing: what the worker hands over
// crosses only under the mutex, which the thread checkers can see (Qt's own event queue locks
// where they cannot).
class WindowThreadQueue : public QObject {
    Q_OBJECT

  public:
    using Call = std::function<void()>;

    explicit WindowThreadQueue(QObject* parent = nullptr) : QObject(parent) {}

    // Any thread: runs the call on the window's thread, after those posted before it.
    void post(Call call);
    // A worker thread only: runs the call on the window's thread and returns once it has run.
    void postAndWait(const Call& call);

  private:
    Q_INVOKABLE void runWaiting();

    std::mutex mutex_;
    std::vector<Call> waiting_;
    bool wakeUpPosted_ = false;
};

}  // namespace korvel
