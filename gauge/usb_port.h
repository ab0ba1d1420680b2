#pragma once
// The one USB device handle of the process, the table of libusb functions it is reached
// through, and the clock that times every pause and time-out of the gauge protocol. The
// program runs on the real library and the real clock unless its start-up installs another
// port (the demo, korvel-cli --simulated-gauge and the tests install the simulated gauge).

#include <shared_mutex>

#include "app/clock.h"
#include "usb/usb_api.h"

namespace korvel {

class UsbPort {
  public:
    UsbPort(const UsbApi& api, Clock& clock) : api_(api), clock_(clock) {}
    UsbPort(const UsbPort&) = delete;
    UsbPort& operator=(const UsbPort&) = delete;

    const UsbApi& api() const { return api_; }
    Clock& clock() const { return clock_; }

    // The shared device handle, or nullptr. Transfers hold the guard shared; opening, resetting
    // and closing hold it exclusively, so a close waits for a read in progress on another thread.
    usb_dev_handle* handle() const { return handle_; }
    void setHandle(usb_dev_handle* handle) { handle_ = handle; }
    std::shared_mutex& guard() const { return guard_; }

  private:
    const UsbApi& api_;
    Clock& clock_;
    usb_dev_handle* handle_ = nullptr;
    mutable std::shared_mutex guard_;
};

// The installed libusb-0.1: libusb-compat, linked, on Linux; libusb-win32's libusb0.dll, loaded
// at the first call, on Windows. Without the DLL every function fails as with no device.
const UsbApi& realUsbApi();
// False when the library could not be loaded (Windows without the gauge's USB driver).
bool realUsbLibraryLoaded();

// The port every link uses unless it is given another one.
UsbPort& currentUsbPort();
// Makes the port the current one; it must outlive every link that uses it.
void installUsbPort(UsbPort& port);

}  // namespace korvel
