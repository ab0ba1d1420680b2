#pragma once
// The thin USB transport every gauge operation uses: find the device, open it (configuration
// 1, interface 0), write to a bulk OUT endpoint, read one packet from the bulk IN endpoint,
// reset and close. All links of the process work on the one device handle of their port.

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <optional>
#include <string>

#include "app/operation_outcome.h"
#include "app/text_table.h"
#include "app/user_voice.h"
#include "gauge/usb_port.h"
#include "usb/gauge_usb.h"

namespace korvel {

constexpr int kWriteTimeoutMs = 5000;
constexpr int kReadTimeoutMs = 1000;
constexpr int kConfiguration = 1;
constexpr int kInterface = 0;

// One packet as Read delivers it: up to 64 bytes and the NUL stored after them.
using PacketBuffer = std::array<char, kPacketSize + 1>;

class CUsbLink {
  public:
    explicit CUsbLink(UserVoice& voice, const TextTable& texts, UsbPort& port = currentUsbPort());

    // Initialises libusb and rescans busses and devices, then returns the first device with
    // these IDs in bus order, or nullptr. Shows nothing.
    UsbDevice* FindDevice(std::uint16_t vendorId, std::uint16_t productId);
    // Opens the device as the process's handle. 0 on success; -1 after showing why not.
    int Open(UsbDevice* device);
    // One bulk write of exactly length bytes (0 is a zero-length transfer). Bytes written or -1.
    int Write(int endpoint, const char* data, int length);
    // One read of up to 64 bytes from endpoint 0x82 within 1000 ms; the bytes land in
    // destination with a NUL after them. Bytes read (0 to 64) or -1 (time-out or error).
    int Read(PacketBuffer& destination);
    // True when the last Read gave -1 because nothing came within its time-out (the normal end
    // of a reply), false when it failed otherwise (the gauge was unplugged, the pipe stalled).
    bool lastReadTimedOut() const { return lastReadResult_ == kTimedOutResult; }
    // Resets the device; the handle stays recorded. libusb's result, or 0 without a handle.
    int Reset();
    // Releases interface 0 and closes the handle. The close result, or 0 without a handle.
    int Close();

    // The message for a gauge that cannot be found or opened; on Linux it ends with how to
    // install the device rules when the last open was refused for lack of permission, on
    // Windows with a line saying that the USB driver is missing when libusb0.dll is.
    std::string linkFailureMessage() const;

    // How the operation on this link ended so far: the first outcome noted (a failure, or Done
    // for an upgrade past its point of no return), else Cancelled when the person cancelled,
    // else Done. A link kept across several operations (the Terminal's)
    // clears it as each one starts.
    Outcome outcome() const;
    void noteOutcome(Outcome outcome) {
        if (!failure_) {
            failure_ = outcome;
        }
    }
    void clearOutcome() { failure_.reset(); }

    Clock& clock() const { return port_.clock(); }
    UsbPort& port() const { return port_; }
    UserVoice& voice() const { return voice_; }
    const TextTable& texts() const { return texts_; }

  private:
    void closeHandleLocked();
    int failOpen(const std::string& text, MessageKind kind);
    std::string withSystemTips(std::string text) const;

    UserVoice& voice_;
    const TextTable& texts_;
    UsbPort& port_;
    std::array<char, kPacketSize> receive_{};
    bool accessDenied_ = false;
    std::atomic<int> lastReadResult_{0};
    std::optional<Outcome> failure_;
};

}  // namespace korvel
