#pragma once
// Runs one gauge operation, a synchronous call into the core, on a worker thread while the
// window stays alive. The core speaks through a forwarding voice: status, progress and
// progress range are queued to the window's thread in the order they were said; messages and
// questions are shown there while the worker waits for the answer. While the operation runs,
// the widgets the page names take no input (a press is dropped, not kept for later), the page
// shows the busy cursor and its Cancel button, and a cancel reaches the core through the
// voice's cancelRequested(). At most one operation runs in the process at a time: there is
// one gauge handle.

#include <QObject>
#include <QPointer>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "app/ui/window_thread_queue.h"
#include "app/user_voice.h"

class QAbstractButton;
class QWidget;

namespace korvel {

class GaugeOperationRunner : public QObject {
    Q_OBJECT
  public:
    // The operation: the core call, speaking through the voice it is given.
    using Work = std::function<void(UserVoice& voice)>;

    // windowVoice is spoken to on the window's thread only. page shows the busy cursor.
    GaugeOperationRunner(QWidget* page, UserVoice& windowVoice);
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
    bool start(Work work, std::function<void()> finished = {});
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

    void finish();
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
    std::function<void()> finished_;
    int dialogsHeld_ = 0;
    std::vector<WindowThreadQueue::Call> heldDialogs_;
    std::vector<QPointer<QWidget>> toHold_;
    std::vector<QPointer<QWidget>> held_;  // those this run disabled
    QPointer<QAbstractButton> cancelButton_;
};

}  // namespace korvel
