#pragma once
// The thirteen libusb-0.1 functions the program uses, gathered in one table so that the same
// link code can talk to the real library or to the simulated gauge.

#include <cerrno>

#ifdef _WIN32
#include "gauge/libusb_win32.h"
#else
#include <usb.h>
#endif

namespace korvel {

// What libusb-0.1 gives for a transfer that timed out (libusb-win32 has its own number).
#ifdef _WIN32
constexpr int kTimedOutResult = -116;
#else
constexpr int kTimedOutResult = -ETIMEDOUT;
#endif

// usb.h declares both a struct and a function named usb_device; this names the struct.
using UsbDevice = struct usb_device;
using UsbBus = struct usb_bus;

struct UsbApi {
    void (*set_debug)(int level);
    void (*init)();
    int (*find_busses)();
    int (*find_devices)();
    UsbBus* (*get_busses)();
    usb_dev_handle* (*open)(UsbDevice* device);
    int (*set_configuration)(usb_dev_handle* handle, int configuration);
    int (*claim_interface)(usb_dev_handle* handle, int interfaceNumber);
    int (*bulk_write)(usb_dev_handle* handle, int endpoint, const char* bytes, int size,
                      int timeout);
    int (*bulk_read)(usb_dev_handle* handle, int endpoint, char* bytes, int size, int timeout);
    int (*release_interface)(usb_dev_handle* handle, int interfaceNumber);
    int (*reset)(usb_dev_handle* handle);
    int (*close)(usb_dev_handle* handle);
};

// The installed libusb-0.1: libusb-compat, linked, on Linux; libusb-win32's libusb0.dll, loaded
// at the first call, on Windows. Without the DLL every function fails as with no device.
const UsbApi& realUsbApi();
// False when the library could not be loaded (Windows without the gauge's USB driver).
bool realUsbLibraryLoaded();

}  // namespace korvel
