#pragma once
// Runs one gauge operation, a synchronous call into the core, on a worker thread while the
// window stays alive. The core speaks through a forwarding voice: status, progress and
// progress range are queued to the window's thread in the order they were said; messages and
// questions are shown there while the worker waits for the answer. While the operation runs,
// the widgets the page names take no input (a press is dropped, not kept for later), the page
// shows the busy cursor and its Cancel button, and a cancel reaches the core through the
// voice's cancelRequested(). At most one operation runs in the process at a time: there is
// one gauge handle. Each operation ends with an Outcome. One that shows no sign of life (a
// status, a progress step, a message) for longer than its bound, on the runner's clock, is
// cancelled as the person's Cancel would (the core releases the gauge on its way out), ends
// as timed out, and the page shows why.

#include <QObject>
#include <QPointer>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>

#include "app/clock.h"
#include "app/operation_outcome.h"
#include "app/ui/window_thread_queue.h"
#include "app/user_voice.h"

class QAbstractButton;
class QWidget;

namespace korvel {

class GaugeOperationRunner : public QObject {
    Q_OBJECT
  public:
    // The operation: the core call, speaking through the voice it is given, and how it ended.
    using Work = std::function<Outcome(UserVoice& voice)>;
    using Finished = std::function<void(Outcome outcome)>;

    // Far above the protocol's own longest wait (the 10 s the bootloader is given to start).
    static constexpr int kDefaultBoundMs = 60000;

    // windowVoice is spoken to on the window's thread only. page shows the busy cursor. The
    // bound is timed on clock (the real one, or the tests' virtual clock).
    GaugeOperationRunner(QWidget* page, UserVoice& windowVoice, Clock& clock = realClock());
    // Cancels an operation still running and waits, with the window's events flowing, for it
    // to end.
    ~GaugeOperationRunner() override;
    GaugeOperationRunner(const GaugeOperationRunner&) = delete;
    GaugeOperationRunner& operator=(const GaugeOperationRunner&) = delete;

    // The widgets that take no input while an operation runs.
    void holdWhileRunning(std::vector<QWidget*> widgets);
    // Shown and enabled only while a cancellable operation runs; a click cancels it.
    void setCancelButton(QAbstractButton* button);

    // Starts the work on the worker thread; finished runs on the window's thread after the
    // work has returned and the held widgets take input again. False, doing nothing, while an
    // operation runs anywhere in the process.
    bool start(Work work, Finished finished = {}, int boundMs = kDefaultBoundMs);
    // Work that tells no outcome of its own: it ends Done unless cancelled or timed out.
    template <class VoidWork>
    requires std::is_void_v<std::invoke_result_t<VoidWork&, UserVoice&>>
    bool start(VoidWork work, std::function<void()> finished = {}) {
        return start(
            [work = std::move(work)](UserVoice& voice) mutable {
                work(voice);
                return voice.cancelRequested() ? Outcome::Cancelled : Outcome::Done;
            },
            [finished = std::move(finished)](Outcome) {
                if (finished) {
                    finished();
                }
            });
    }
    // The message shown when an operation times out; %s is its bound in seconds.
    void setTimedOutMessage(std::string text) { timedOutMessage_ = std::move(text); }
    // Asks the running operation to stop at its next packet or pause slice.
    void cancel();
    bool running() const { return worker_.joinable(); }
    // Whether a cancel would still be honoured (the upgrade says when it no longer is).
    bool cancellable() const { return cancellable_; }
    // Keeps the window's events flowing until the operation has ended; at once when none runs.
    void waitUntilEnded();
    // Any thread: runs the call on the window's thread, in order with what the operation's
    // voice hands over, through the runner's one queue.
    void postToWindow(std::function<void()> call) { windowQueue_.post(std::move(call)); }
    // One dialog at a time: while the window asks something of its own (the close question),
    // the worker's next message or question waits until it has been answered and the hold is
    // released. A question still waiting when the operation is cancelled is answered No.
    void holdDialogs();
    void releaseDialogs();

    // The runner whose operation runs now, or nullptr.
    static GaugeOperationRunner* active();

  signals:
    void runningChanged(bool running);
    void cancellableChanged(bool cancellable);

  private:
    class WorkerVoice;

    void finish(Outcome outcome);
    static Clock& realClock();
    // On the worker: the operation said something; true once it has outlived its bound.
    void signOfLife();
    bool timedOut() const;
    // On the window's thread: shows the worker's box now, or once the dialogs are released.
    void showWhenFree(WindowThreadQueue::Call dialog);
    void hold();
    void release();
    void setCancellable(bool cancellable);

    QPointer<QWidget> page_;
    UserVoice& windowVoice_;
    WindowThreadQueue windowQueue_;
    std::unique_ptr<WorkerVoice> workerVoice_;
    std::thread worker_;
    std::atomic<bool> cancelRequested_{false};
    bool cancellable_ = true;
    Finished finished_;
    Clock& clock_;
    int boundMs_ = kDefaultBoundMs;
    std::atomic<std::int64_t> lastSignMs_{0};
    mutable std::atomic<bool> timedOut_{false};
    std::string timedOutMessage_;
    int dialogsHeld_ = 0;
    std::vector<WindowThreadQueue::Call> heldDialogs_;
    std::vector<QPointer<QWidget>> toHold_;
    std::vector<QPointer<QWidget>> held_;  // those this run disabled
    QPointer<QAbstractButton> cancelButton_;
};

}  // namespace korvel
