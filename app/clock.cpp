#include "app/clock.h"

#include <chrono>
#include <thread>

namespace korvel {

std::int64_t RealClock::nowMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void RealClock::sleepMs(int ms) {
    if (ms > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
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
