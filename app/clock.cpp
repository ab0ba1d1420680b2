#include "app/clock.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace korvel {

namespace {
constexpr int kSliceMs = 20;
}

std::int64_t RealClock::nowMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void RealClock::sleepMs(int ms) {
    const std::int64_t end = nowMs() + ms;
    for (std::int64_t left = ms; left > 0; left = end - nowMs()) {
        if (pump_) {
            pump_();
        }
        std::this_thread::sleep_for(
            std::chrono::milliseconds(std::min<std::int64_t>(left, kSliceMs)));
    }
}

std::int64_t VirtualClock::nowMs() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return now_;
}

void VirtualClock::sleepMs(int ms) {
    if (ms <= 0) {
        return;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    now_ += ms;
}

}  // namespace korvel
