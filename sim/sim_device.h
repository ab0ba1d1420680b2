#pragma once
// A device on the virtual USB bus: its identity and what it does with the host's transfers.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvel::sim {

class SimDevice {
  public:
    virtual ~SimDevice() = default;

    virtual std::uint16_t vendorId() const = 0;
    virtual std::uint16_t productId() const = 0;

    // The host wrote these bytes (possibly none) to an OUT endpoint. Returns the bytes taken,
    // or a negative errno value.
    virtual int receive(int endpoint, std::string_view bytes) = 0;
    // The next packet (at most 64 bytes) waiting on the IN endpoint, if any.
    virtual std::optional<std::string> nextPacket(int endpoint) = 0;
    // The host reset the device: whatever was queued or under way is dropped.
    virtual void reset() = 0;
    // The host released the interface and closed its handle.
    virtual void closed() {}
};

}  // namespace korvel::sim
