#pragma once
// The thirteen libusb-0.1 functions the program uses, gathered in one table so that the same
// link code can talk to the real library or to the simulated gauge. Fill a table with
// designated initialisers, so that no function can land in another's slot.

#include <cerrno>

#ifdef _WIN32
#include "usb/libusb_win32.h"
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

}  // namespace korvel
