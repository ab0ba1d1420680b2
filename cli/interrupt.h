#pragma once
// Ctrl+C during a gauge command: while an InterruptGuard lives, SIGINT only raises a flag. The
// core sees it through the voice's cancelRequested() at its next packet or pause slice, stops
// as the window's Cancel does and releases the gauge; the command then exits with 130.

namespace korvel::cli {

constexpr int kExitInterrupted = 130;

class InterruptGuard {
  public:
    // Clears the flag and catches SIGINT.
    InterruptGuard();
    // Puts the previous SIGINT handling back.
    ~InterruptGuard();
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;
};

// SIGINT arrived while a guard was in place.
bool interrupted();
// Whether the running operation would still honour it (the upgrade says when it no longer does).
void setInterruptHonoured(bool honoured);
// SIGINT arrived and the operation honoured it.
bool operationInterrupted();

}  // namespace korvel::cli
