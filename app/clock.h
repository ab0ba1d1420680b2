#pragma once
// Every fixed pause and every USB time-out of the program goes through one clock, so that the
// tests can run the protocol's seconds on a virtual clock in no time.

#include <cstdint>
#include <mutex>

namespace korvel {

class Clock {
  public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary start.
    virtual std::int64_t nowMs() const = 0;
    // Wait this many milliseconds (nothing for 0 or less).
    virtual void sleepMs(int ms) = 0;
};

// Sleeps for real. Gauge operations run off the window's thread, so a pause never holds up
// the window.
class RealClock : public Clock {
  public:
    std::int64_t nowMs() const override;
    void sleepMs(int ms) override;
};

// Time passes only when somebody sleeps. Safe to use from two threads (the terminal's reader).
class VirtualClock : public Clock {
  public:
    std::int64_t nowMs() const override;
    void sleepMs(int ms) override;

  private:
    mutable std::mutex mutex_;
    std::int64_t now_ = 0;
};

}  // namespace korvel
