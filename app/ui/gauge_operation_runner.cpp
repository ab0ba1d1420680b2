#include "app/ui/gauge_operation_runner.h"

#include <QAbstractButton>
#include <QEventLoop>
#include <QWidget>
#include <exception>
#include <future>
#include <utility>

#include "app/text_format.h"

namespace korvel {

namespace {
std::atomic<GaugeOperationRunner*> activeRunner{nullptr};
}

// The voice the core speaks through on the worker thread. Everything is handed to the window's
// thread through the runner: what only shows is queued, in order; a box or a question is
// shown there while the worker waits for its answer.
class GaugeOperationRunner::WorkerVoice : public UserVoice {
  public:
    explicit WorkerVoice(GaugeOperationRunner& runner) : runner_(runner) {}

    void show(MessageKind kind, const std::string& text) override {
        runner_.signOfLife();
        inDialog([&](bool) { runner_.windowVoice_.show(kind, text); });
    }
    // A question held back while the person chose to cancel is answered No unseen: nothing is
    // replaced on the way out.
    bool ask(const std::string& text) override {
        runner_.signOfLife();
        bool answer = false;
        inDialog([&](bool cancelled) { answer = !cancelled && runner_.windowVoice_.ask(text); });
        return answer;
    }
    BatchAnswer askInBatch(const BatchQuestion& question) override {
        runner_.signOfLife();
        BatchAnswer answer = BatchAnswer::No;
        inDialog([&](bool cancelled) {
            if (!cancelled) {
                answer = runner_.windowVoice_.askInBatch(question);
            }
        });
        return answer;
    }
    void setStatus(const std::string& text) override {
        runner_.signOfLife();
        onWindow([this, text] { runner_.windowVoice_.setStatus(text); });
    }
    void setProgressRange(int low, int high) override {
        runner_.signOfLife();
        onWindow([this, low, high] { runner_.windowVoice_.setProgressRange(low, high); });
    }
    void setProgress(int position) override {
        runner_.signOfLife();
        onWindow([this, position] { runner_.windowVoice_.setProgress(position); });
    }
    // The runner shows the busy cursor for the whole operation.
    void setWaitCursor(bool) override {}
    bool cancelRequested() const override {
        return runner_.cancelRequested_.load() || runner_.timedOut();
    }
    void setCancellable(bool cancellable) override {
        onWindow([this, cancellable] { runner_.setCancellable(cancellable); });
    }

  private:
    void onWindow(WindowThreadQueue::Call call) { runner_.windowQueue_.post(std::move(call)); }
    // Shows the box on the window's thread once no dialog of the window holds boxes back, and
    // waits until it has been answered.
    void inDialog(const std::function<void(bool cancelled)>& dialog) {
        std::promise<void> answered;
        onWindow([this, &dialog, &answered] {
            runner_.showWhenFree([this, &dialog, &answered] {
                try {
                    dialog(runner_.cancelRequested_.load());
                    answered.set_value();
                } catch (...) {
                    answered.set_exception(std::current_exception());
                }
            });
        });
        answered.get_future().get();
        // The time the person took to answer is no silence of the operation's.
        runner_.signOfLife();
    }

    GaugeOperationRunner& runner_;
};

GaugeOperationRunner::GaugeOperationRunner(QWidget* page, UserVoice& windowVoice, Clock& clock)
    : page_(page),
      windowVoice_(windowVoice),
      workerVoice_(std::make_unique<WorkerVoice>(*this)),
      clock_(clock) {}

Clock& GaugeOperationRunner::realClock() {
    static RealClock clock;
    return clock;
}

void GaugeOperationRunner::signOfLife() {
    lastSignMs_ = clock_.nowMs();
}

bool GaugeOperationRunner::timedOut() const {
    if (!timedOut_ && clock_.nowMs() - lastSignMs_.load() > boundMs_) {
        timedOut_ = true;
    }
    return timedOut_;
}

GaugeOperationRunner::~GaugeOperationRunner() {
    // What the page wanted done afterwards no longer applies to a page that goes.
    finished_ = nullptr;
    cancel();
    waitUntilEnded();
}

GaugeOperationRunner* GaugeOperationRunner::active() {
    return activeRunner.load();
}

void GaugeOperationRunner::holdWhileRunning(std::vector<QWidget*> widgets) {
    toHold_.assign(widgets.begin(), widgets.end());
}

void GaugeOperationRunner::setCancelButton(QAbstractButton* button) {
    cancelButton_ = button;
    QSizePolicy policy = button->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    button->setSizePolicy(policy);
    button->hide();
    connect(button, &QAbstractButton::clicked, this, &GaugeOperationRunner::cancel);
}

bool GaugeOperationRunner::start(Work work, Finished finished, int boundMs) {
    GaugeOperationRunner* none = nullptr;
    if (!activeRunner.compare_exchange_strong(none, this)) {
        return false;
    }
    cancelRequested_ = false;
    timedOut_ = false;
    boundMs_ = boundMs;
    lastSignMs_ = clock_.nowMs();
    finished_ = std::move(finished);
    setCancellable(true);
    hold();
    worker_ = std::thread([this, work = std::move(work)] {
        Outcome outcome = Outcome::LinkLost;
        try {
            outcome = work(*workerVoice_);
        } catch (const std::exception& error) {
            workerVoice_->show(MessageKind::Error, error.what());
        }
        windowQueue_.post([this, outcome] { finish(timedOut_ ? Outcome::TimedOut : outcome); });
    });
    emit runningChanged(true);
    return true;
}

void GaugeOperationRunner::cancel() {
    if (running() && cancellable_) {
        cancelRequested_ = true;
        if (cancelButton_) {
            cancelButton_->setEnabled(false);
        }
    }
}

void GaugeOperationRunner::waitUntilEnded() {
    if (!running()) {
        return;
    }
    QEventLoop loop;
    connect(this, &GaugeOperationRunner::runningChanged, &loop, [&loop](bool running) {
        if (!running) {
            loop.quit();
        }
    });
    loop.exec();
}

void GaugeOperationRunner::holdDialogs() {
    ++dialogsHeld_;
}

void GaugeOperationRunner::releaseDialogs() {
    if (dialogsHeld_ > 0 && --dialogsHeld_ == 0) {
        for (const WindowThreadQueue::Call& dialog : std::exchange(heldDialogs_, {})) {
            dialog();
        }
    }
}

void GaugeOperationRunner::showWhenFree(WindowThreadQueue::Call dialog) {
    if (dialogsHeld_ > 0) {
        heldDialogs_.push_back(std::move(dialog));
    } else {
        dialog();
    }
}

void GaugeOperationRunner::finish(Outcome outcome) {
    worker_.join();
    release();
    activeRunner.store(nullptr);
    if (outcome == Outcome::TimedOut && !timedOutMessage_.empty()) {
        windowVoice_.show(MessageKind::Error,
                          formatWithArgument(timedOutMessage_, std::to_string(boundMs_ / 1000), 1));
    }
    if (const Finished finished = std::exchange(finished_, nullptr)) {
        finished(outcome);
    }
    emit runningChanged(false);
}

void GaugeOperationRunner::hold() {
    held_.clear();
    for (const QPointer<QWidget>& widget : toHold_) {
        if (widget && !widget->testAttribute(Qt::WA_ForceDisabled)) {
            widget->setEnabled(false);
            held_.push_back(widget);
        }
    }
    if (cancelButton_) {
        cancelButton_->show();
    }
    if (page_) {
        page_->setCursor(Qt::BusyCursor);
    }
}

void GaugeOperationRunner::release() {
    for (const QPointer<QWidget>& widget : held_) {
        if (widget) {
            widget->setEnabled(true);
        }
    }
    held_.clear();
    if (cancelButton_) {
        cancelButton_->hide();
    }
    if (page_) {
        page_->unsetCursor();
    }
}

void GaugeOperationRunner::setCancellable(bool cancellable) {
    cancellable_ = cancellable;
    if (cancelButton_) {
        cancelButton_->setEnabled(cancellable && !cancelRequested_);
    }
    emit cancellableChanged(cancellable);
}

}  // namespace korvel
