#include "gauge/usb_link.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>

#include "gauge/permission_tip.h"

namespace korvel {

Outcome CUsbLink::outcome() const {
    if (failure_) {
        return *failure_;
    }
    return voice_.cancelRequested() ? Outcome::Cancelled : Outcome::Done;
}

namespace {

bool isPermissionError(int error) {
    return error == EACCES || error == EPERM;
}

}  // namespace

CUsbLink::CUsbLink(UserVoice& voice, const TextTable& texts, UsbPort& port)
    : voice_(voice), texts_(texts), port_(port) {}

UsbDevice* CUsbLink::FindDevice(std::uint16_t vendorId, std::uint16_t productId) {
    const UsbApi& api = port_.api();
    std::unique_lock lock(port_.guard());
    api.set_debug(0);
    api.init();
    api.find_busses();
    api.find_devices();
    for (UsbBus* bus = api.get_busses(); bus; bus = bus->next) {
        for (UsbDevice* device = bus->devices; device; device = device->next) {
            if (device->descriptor.idVendor == vendorId &&
                device->descriptor.idProduct == productId) {
                return device;
            }
        }
    }
    return nullptr;
}

int CUsbLink::Open(UsbDevice* device) {
    const UsbApi& api = port_.api();
    std::unique_lock lock(port_.guard());
    // A handle left behind would keep the interface claimed and make this open fail.
    closeHandleLocked();
    accessDenied_ = false;
    errno = 0;
    usb_dev_handle* handle = device ? api.open(device) : nullptr;
    if (!handle) {
        accessDenied_ = isPermissionError(errno);
        lock.unlock();
        return failOpen(linkFailureMessage(), MessageKind::Error);
    }
    port_.setHandle(handle);
    const char* failedKey = nullptr;
    int result = api.set_configuration(handle, kConfiguration);
    if (result < 0) {
        failedKey = "IDS_ERR_USBCONFIG";
    } else if ((result = api.claim_interface(handle, kInterface)) < 0) {
        failedKey = "IDS_ERR_USBINTERFACE";
    }
    if (!failedKey) {
        return 0;
    }
    // The handle is of no use without its configuration and interface: the next attempt
    // searches and opens anew.
    api.close(handle);
    port_.setHandle(nullptr);
    accessDenied_ = isPermissionError(-result);
    lock.unlock();
    return failOpen(withSystemTips(texts_.message(failedKey)), MessageKind::Notice);
}

int CUsbLink::failOpen(const std::string& text, MessageKind kind) {
    voice_.show(kind, text);
    return -1;
}

int CUsbLink::Write(int endpoint, const char* data, int length) {
    std::shared_lock lock(port_.guard());
    usb_dev_handle* handle = port_.handle();
    if (!handle) {
        return -1;
    }
    const int result = port_.api().bulk_write(handle, endpoint, data, length, kWriteTimeoutMs);
    return result < 0 ? -1 : result;
}

int CUsbLink::Read(PacketBuffer& destination) {
    std::shared_lock lock(port_.guard());
    usb_dev_handle* handle = port_.handle();
    if (!handle) {
        lastReadResult_ = -ENODEV;
        return -1;
    }
    receive_.fill(0);
    const int result =
        port_.api().bulk_read(handle, kReplyEndpoint, receive_.data(), kPacketSize, kReadTimeoutMs);
    lastReadResult_ = result;
    if (result < 0) {
        return -1;
    }
    const int size = std::min(result, kPacketSize);
    std::memcpy(destination.data(), receive_.data(), static_cast<std::size_t>(size));
    destination[static_cast<std::size_t>(size)] = '\0';
    return size;
}

int CUsbLink::Reset() {
    std::unique_lock lock(port_.guard());
    usb_dev_handle* handle = port_.handle();
    return handle ? port_.api().reset(handle) : 0;
}

int CUsbLink::Close() {
    std::unique_lock lock(port_.guard());
    if (!port_.handle()) {
        return 0;
    }
    port_.api().release_interface(port_.handle(), kInterface);
    const int result = port_.api().close(port_.handle());
    port_.setHandle(nullptr);
    return result;
}

void CUsbLink::closeHandleLocked() {
    if (usb_dev_handle* handle = port_.handle()) {
        port_.api().release_interface(handle, kInterface);
        port_.api().close(handle);
        port_.setHandle(nullptr);
    }
}

std::string CUsbLink::linkFailureMessage() const {
    return withSystemTips(texts_.linkFailureMessage());
}

std::string CUsbLink::withSystemTips(std::string text) const {
#ifdef __linux__
    if (accessDenied_) {
        text += "\n\n" + permissionTip(texts_, installedGaugeRules());
    }
#endif
    if (&port_.api() == &realUsbApi() && !realUsbLibraryLoaded()) {
        text += "\n" + texts_.message("IDS_ERR_USBDRIVER_MISSING");
    }
    return text;
}

}  // namespace korvel
