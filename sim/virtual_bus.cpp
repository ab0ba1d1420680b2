#include "sim/virtual_bus.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace korvel::sim {

namespace {

constexpr int kWaitSliceMs = 10;
constexpr int kConfigurationValue = 1;
constexpr int kInterfaceNumber = 0;
constexpr int kInDirection = 0x80;
constexpr int kCommandEndpointNumber = 2;
constexpr std::size_t kEndlessPacketBytes = 64;
// What a reply without end repeats: a line as a listing or a data file might hold.
constexpr std::string_view kEndlessLine = "ENDLESS.CSV,CSV,01/01/2026 10:00 AM,\r\n";

}  // namespace

void VirtualBus::reset(Clock& clock) {
    std::lock_guard lock(mutex_);
    clock_ = &clock;
    faults_ = {};
    busListed_ = false;
    bus_ = std::make_unique<UsbBus>();
    std::strcpy(bus_->dirname, "001");
    handles_.clear();
    plugged_.clear();
    calls_.clear();
    replyPackets_ = 0;
    replying_ = false;
    endlessAt_ = 0;
}

Clock& VirtualBus::clock() const {
    std::lock_guard lock(mutex_);
    return clockLocked();
}

Clock& VirtualBus::clockLocked() const {
    static RealClock realClock;
    return clock_ ? *clock_ : realClock;
}

void VirtualBus::plugIn(std::shared_ptr<SimDevice> device) {
    std::lock_guard lock(mutex_);
    for (auto& plugged : plugged_) {
        if (plugged->device == device) {
            plugged->present = false;
        }
    }
    auto plugged = std::make_shared<Plugged>();
    plugged->device = std::move(device);
    plugged->usbDevice = std::make_unique<UsbDevice>();
    plugged->usbDevice->descriptor.idVendor = plugged->device->vendorId();
    plugged->usbDevice->descriptor.idProduct = plugged->device->productId();
    plugged_.push_back(std::move(plugged));
}

void VirtualBus::unplugAll() {
    std::lock_guard lock(mutex_);
    dropDevicesLocked();
}

void VirtualBus::dropDevicesLocked() {
    for (auto& plugged : plugged_) {
        if (plugged->present) {
            plugged->present = false;
            plugged->device->reset();
        }
    }
}

std::vector<UsbCall> VirtualBus::calls() const {
    std::lock_guard lock(mutex_);
    return {calls_.begin(), calls_.end()};
}

void VirtualBus::clearCalls() {
    std::lock_guard lock(mutex_);
    calls_.clear();
}

void VirtualBus::setDebug(int) {}

void VirtualBus::init() {}

int VirtualBus::findBusses() {
    std::lock_guard lock(mutex_);
    if (!bus_) {
        bus_ = std::make_unique<UsbBus>();
    }
    const bool first = !busListed_;
    busListed_ = true;
    return first ? 1 : 0;
}

int VirtualBus::findDevices() {
    std::lock_guard lock(mutex_);
    if (!busListed_) {
        return 0;
    }
    int changes = 0;
    UsbDevice* previous = nullptr;
    bus_->devices = nullptr;
    std::uint8_t number = 1;
    for (auto& plugged : plugged_) {
        changes += plugged->listed != plugged->present ? 1 : 0;
        plugged->listed = plugged->present;
        if (!plugged->present) {
            continue;
        }
        UsbDevice* device = plugged->usbDevice.get();
        device->bus = bus_.get();
        device->devnum = number++;
        device->prev = previous;
        device->next = nullptr;
        (previous ? previous->next : bus_->devices) = device;
        previous = device;
    }
    return changes;
}

UsbBus* VirtualBus::getBusses() {
    std::lock_guard lock(mutex_);
    return busListed_ ? bus_.get() : nullptr;
}

usb_dev_handle* VirtualBus::open(UsbDevice* device) {
    std::lock_guard lock(mutex_);
    const auto found = std::find_if(plugged_.begin(), plugged_.end(), [&](const auto& plugged) {
        return plugged->usbDevice.get() == device && plugged->present && plugged->listed;
    });
    int error = 0;
    if (found == plugged_.end()) {
        error = ENODEV;
    } else if (faults_.accessDenied) {
        error = EACCES;
    } else if (faults_.openFails) {
        error = EIO;
    }
    if (error) {
        record("open", 0, {}, -error);
        errno = error;
        return nullptr;
    }
    auto handle = std::make_unique<Handle>();
    handle->plugged = *found;
    auto* key = reinterpret_cast<usb_dev_handle*>(handle.get());
    handles_[key] = std::move(handle);
    record("open", 0, {}, 0);
    return key;
}

int VirtualBus::setConfiguration(usb_dev_handle* handle, int configuration) {
    std::lock_guard lock(mutex_);
    int result = reachable(findHandle(handle));
    if (result == 0 && faults_.configurationFails) {
        result = -EIO;
    } else if (result == 0 && configuration != kConfigurationValue) {
        result = -EINVAL;
    }
    return record("set_configuration", 0, {}, result);
}

int VirtualBus::claimInterface(usb_dev_handle* handle, int interface) {
    std::lock_guard lock(mutex_);
    Handle* h = findHandle(handle);
    int result = reachable(h);
    if (result == 0 && faults_.claimDenied) {
        result = -EACCES;
    } else if (result == 0 && interface != kInterfaceNumber) {
        result = -EINVAL;
    } else if (result == 0) {
        h->claimed = true;
    }
    return record("claim_interface", 0, {}, result);
}

int VirtualBus::bulkWrite(usb_dev_handle* handle, int endpoint, const char* bytes, int size,
                          int timeout) {
    const std::string data = size > 0 && bytes ? std::string(bytes, size) : std::string();
    bool timesOut = false;
    {
        std::lock_guard lock(mutex_);
        timesOut = faults_.writesTimeOut && reachable(findHandle(handle)) == 0;
    }
    if (timesOut) {
        // The device takes nothing: the write waits for its whole time-out.
        clock().sleepMs(timeout);
        std::lock_guard lock(mutex_);
        return record("bulk_write", endpoint, data, -ETIMEDOUT);
    }
    std::lock_guard lock(mutex_);
    SimDevice* device = nullptr;
    int result = checkTransfer(findHandle(handle), &device);
    if (result == 0 && (size < 0 || (endpoint & kInDirection))) {
        result = -EINVAL;
    } else if (result == 0 && faults_.failWrites > 0) {
        --faults_.failWrites;
        result = faults_.failedWrite;
    } else if (result == 0) {
        result = device->receive(endpoint, data);
        commandWritten(endpoint, result);
        countTransfer();
    }
    return record("bulk_write", endpoint, data, result);
}

int VirtualBus::bulkRead(usb_dev_handle* handle, int endpoint, char* bytes, int size, int timeout) {
    const std::int64_t deadline = clock().nowMs() + timeout;
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            SimDevice* device = nullptr;
            const int check = checkTransfer(findHandle(handle), &device);
            if (check < 0 || !(endpoint & kInDirection) || size < 0) {
                return record("bulk_read", endpoint, {}, check < 0 ? check : -EINVAL);
            }
            if (auto packet = nextReplyPacket(*device, endpoint)) {
                const int count = std::min(static_cast<int>(packet->size()), size);
                std::memcpy(bytes, packet->data(), static_cast<std::size_t>(count));
                countTransfer();
                return record("bulk_read", endpoint, packet->substr(0, count), count);
            }
        }
        const std::int64_t left = deadline - clock().nowMs();
        if (left <= 0) {
            std::lock_guard lock(mutex_);
            return record("bulk_read", endpoint, {}, kTimedOutResult);
        }
        clock().sleepMs(static_cast<int>(std::min<std::int64_t>(left, kWaitSliceMs)));
    }
}

int VirtualBus::releaseInterface(usb_dev_handle* handle, int) {
    std::lock_guard lock(mutex_);
    Handle* h = findHandle(handle);
    const int result = reachable(h);
    if (result == 0) {
        h->claimed = false;
    }
    return record("release_interface", 0, {}, result);
}

int VirtualBus::resetDevice(usb_dev_handle* handle) {
    std::lock_guard lock(mutex_);
    Handle* h = findHandle(handle);
    const int result = reachable(h);
    if (result == 0) {
        h->plugged->device->reset();
        replying_ = false;
    }
    return record("reset", 0, {}, result);
}

int VirtualBus::close(usb_dev_handle* handle) {
    std::lock_guard lock(mutex_);
    Handle* h = findHandle(handle);
    if (!h) {
        return record("close", 0, {}, -EINVAL);
    }
    if (h->plugged->present) {
        h->plugged->device->closed();
    }
    handles_.erase(handle);
    return record("close", 0, {}, 0);
}

int VirtualBus::reachable(const Handle* h) {
    if (!h) {
        return -EINVAL;
    }
    return h->plugged->present ? 0 : -ENODEV;
}

VirtualBus::Handle* VirtualBus::findHandle(usb_dev_handle* handle) {
    const auto found = handles_.find(handle);
    return found == handles_.end() ? nullptr : found->second.get();
}

int VirtualBus::checkTransfer(Handle* handle, SimDevice** device) {
    if (const int result = reachable(handle); result != 0) {
        return result;
    }
    if (faults_.stalled) {
        return -EPIPE;
    }
    *device = handle->plugged->device.get();
    return 0;
}

void VirtualBus::commandWritten(int endpoint, int result) {
    if (endpoint == kCommandEndpointNumber && result > 0) {
        replyPackets_ = 0;
        replying_ = true;
    }
}

std::optional<std::string> VirtualBus::nextReplyPacket(SimDevice& device, int endpoint) {
    std::optional<std::string> packet;
    if (faults_.endless && replying_) {
        // The gauge's own reply is lost in what never ends.
        device.nextPacket(endpoint);
        packet.emplace();
        for (std::size_t i = 0; i < kEndlessPacketBytes; ++i) {
            packet->push_back(kEndlessLine[endlessAt_++ % kEndlessLine.size()]);
        }
    } else {
        packet = device.nextPacket(endpoint);
    }
    if (packet && faults_.dropAfterReplyPackets >= 0 &&
        ++replyPackets_ > faults_.dropAfterReplyPackets) {
        // The device is gone before this packet leaves it.
        dropDevicesLocked();
        return std::nullopt;
    }
    return packet;
}

void VirtualBus::countTransfer() {
    if (faults_.unplugAfterTransfers > 0 && --faults_.unplugAfterTransfers == 0) {
        faults_.unplugAfterTransfers = -1;
        dropDevicesLocked();
    }
}

int VirtualBus::record(std::string name, int endpoint, std::string bytes, int result) {
    calls_.push_back({std::move(name), endpoint, std::move(bytes), result, clockLocked().nowMs()});
    if (calls_.size() > kMaxRecordedCalls) {
        calls_.pop_front();
    }
    return result;
}

VirtualBus& virtualBus() {
    static VirtualBus bus;
    return bus;
}

}  // namespace korvel::sim
