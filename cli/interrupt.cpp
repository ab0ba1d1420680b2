#include "cli/interrupt.h"

#include <atomic>
#include <csignal>

namespace korvel::cli {

namespace {

std::atomic<bool> raised{false};
std::atomic<bool> honoured{true};
struct sigaction previous {};

static_assert(std::atomic<bool>::is_always_lock_free, "the handler sets the flag");

extern "C" void onInterrupt(int) {
    raised.store(true);
}

}  // namespace

InterruptGuard::InterruptGuard() {
    raised.store(false);
    honoured.store(true);
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previous);
}

InterruptGuard::~InterruptGuard() {
    sigaction(SIGINT, &previous, nullptr);
}

bool interrupted() {
    return raised.load();
}

void setInterruptHonoured(bool on) {
    honoured.store(on);
}

bool operationInterrupted() {
    return raised.load() && honoured.load();
}

}  // namespace korvel::cli
