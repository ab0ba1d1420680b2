#include "app/ui/window_thread_queue.h"

#include <exception>
#include <future>
#include <utility>

namespace korvel {

void WindowThreadQueue::post(Call call) {
    std::lock_guard lock(mutex_);
    waiting_.push_back(std::move(call));
    if (!wakeUpPosted_) {
        wakeUpPosted_ = true;
        QMetaObject::invokeMethod(this, "runWaiting", Qt::QueuedConnection);
    }
}

void WindowThreadQueue::postAndWait(const Call& call) {
    std::promise<void> ran;
    post([&] {
        try {
            call();
            ran.set_value();
        } catch (...) {
            ran.set_exception(std::current_exception());
        }
    });
    ran.get_future().get();
}

void WindowThreadQueue::runWaiting() {
    std::vector<Call> calls;
    {
        std::lock_guard lock(mutex_);
        calls.swap(waiting_);
        wakeUpPosted_ = false;
    }
    for (const Call& call : calls) {
        call();
    }
}

}  // namespace korvel
