#include "cli/interrupt.h"

#include <atomic>
#include <csignal>

namespace korvel::cli {

namespace {

std::atomic<bool> raised{false};
std::atomic<bool> honoured{true};
using Handler = void (*)(int);
Handler previous = SIG_DFL;

static_assert(std::atomic<bool>::is_always_lock_free, "the handler sets the flag");

extern "C" void onInterrupt(int) {
    raised.store(true);
}

}  // namespace

InterruptGuard::InterruptGuard() {
    raised.store(false);
    honoured.store(true);
    previous = std::signal(SIGINT, onInterrupt);
}

InterruptGuard::~InterruptGuard() {
    std::signal(SIGINT, previous == SIG_ERR ? SIG_DFL : previous);
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
