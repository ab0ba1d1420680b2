#pragma once
// A USB bus in memory: devices are plugged in and out, and the thirteen libusb-0.1 functions
// of the program work on it exactly as on the real library (same usb.h structures). One bus
// per process, as libusb has one; every call is serialised by one mutex, except the waiting
// of a read, so a reader thread can wait while another thread writes.

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/clock.h"
#include "sim/sim_device.h"
#include "usb/usb_api.h"

namespace korvel::sim {

// Faults of the bus and the device's USB side, for the reliability tests.
struct BusFaults {
    bool openFails = false;           // usb_open gives no handle
    bool accessDenied = false;        // usb_open gives no handle, errno EACCES
    bool configurationFails = false;  // usb_set_configuration fails
    bool claimDenied = false;         // usb_claim_interface fails with -EACCES
    int failWrites = 0;               // this many next bulk writes fail with failedWrite
    int failedWrite = -EPIPE;         // what a failed write gives (0: it took nothing)
    bool stalled = false;             // every transfer stalls (-EPIPE) while set
    int unplugAfterTransfers = -1;    // the device drops off after this many more transfers
    int dropAfterReplyPackets = -1;   // the device drops off after this many packets of a reply
    bool writesTimeOut = false;       // every bulk write waits for its time-out and fails
    bool endless = false;             // after a command the reply never ends
};

// One call that reached the bus, for tests of the wire order and timing.
struct UsbCall {
    std::string name;   // "open", "set_configuration", "claim_interface", "bulk_write",
                        // "bulk_read", "release_interface", "reset", "close"
    int endpoint = 0;   // transfers only
    std::string bytes;  // what was written, or what a read delivered
    int result = 0;
    std::int64_t atMs = 0;  // on the bus's clock, when the call returned
};

class VirtualBus {
  public:
    // Empties the bus (no devices, no handles, no faults, no calls) and sets its clock.
    void reset(Clock& clock);
    // The bus's clock, read under the bus's mutex (reset may set it from another thread).
    Clock& clock() const;

    // The device is on the bus from the next usb_find_devices on.
    void plugIn(std::shared_ptr<SimDevice> device);
    // Every device drops off; their open handles fail from now on.
    void unplugAll();

    BusFaults& faults() { return faults_; }
    // The calls since the last reset or clearCalls, at most the newest kMaxRecordedCalls.
    static constexpr std::size_t kMaxRecordedCalls = 100000;
    std::vector<UsbCall> calls() const;
    void clearCalls();

    // The libusb-0.1 functions.
    void setDebug(int level);
    void init();
    int findBusses();
    int findDevices();
    UsbBus* getBusses();
    usb_dev_handle* open(UsbDevice* device);
    int setConfiguration(usb_dev_handle* handle, int configuration);
    int claimInterface(usb_dev_handle* handle, int interface);
    int bulkWrite(usb_dev_handle* handle, int endpoint, const char* bytes, int size, int timeout);
    int bulkRead(usb_dev_handle* handle, int endpoint, char* bytes, int size, int timeout);
    int releaseInterface(usb_dev_handle* handle, int interface);
    int resetDevice(usb_dev_handle* handle);
    int close(usb_dev_handle* handle);

  private:
    struct Plugged {
        std::shared_ptr<SimDevice> device;
        std::unique_ptr<UsbDevice> usbDevice;
        bool present = true;
        bool listed = false;  // in the bus's device list since the last usb_find_devices
    };
    struct Handle {
        std::shared_ptr<Plugged> plugged;
        bool claimed = false;
    };

    Handle* findHandle(usb_dev_handle* handle);
    // 0 when the handle is open on a device that is plugged in, else libusb's error.
    static int reachable(const Handle* h);
    // The handle's device when it is still on the bus and not stalled, else a negative errno.
    int checkTransfer(Handle* handle, SimDevice** device);
    void countTransfer();
    // After a command on endpoint 2: a reply begins.
    void commandWritten(int endpoint, int result);
    // The next packet of the device's reply, or of a reply without end; counts the packets.
    std::optional<std::string> nextReplyPacket(SimDevice& device, int endpoint);
    void dropDevicesLocked();
    int record(std::string name, int endpoint, std::string bytes, int result);
    Clock& clockLocked() const;

    mutable std::mutex mutex_;
    Clock* clock_ = nullptr;
    BusFaults faults_;
    bool busListed_ = false;
    std::unique_ptr<UsbBus> bus_;
    std::vector<std::shared_ptr<Plugged>> plugged_;  // every device since the last reset
    std::map<usb_dev_handle*, std::unique_ptr<Handle>> handles_;
    std::deque<UsbCall> calls_;
    int replyPackets_ = 0;       // packets of the reply under way
    bool replying_ = false;      // a command has been taken since the last reset
    std::size_t endlessAt_ = 0;  // where the reply without end has got to
};

// The process's virtual bus.
VirtualBus& virtualBus();
// The thirteen functions over the virtual bus.
const UsbApi& simulatedUsbApi();

}  // namespace korvel::sim
