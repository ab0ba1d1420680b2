// libusb-win32 is the gauge's USB driver on Windows; its libusb0.dll comes with the driver's
// installation, not with the program, so it is looked up when the program first needs it.
// Without it every function behaves as on a bus with no device, and the link failure says
// that the driver is missing.

#include <windows.h>

#include "gauge/usb_port.h"

namespace korvel {

namespace {

void noDebug(int) {}
void noInit() {}
int noBusses() {
    return 0;
}
UsbBus* noBusList() {
    return nullptr;
}
usb_dev_handle* noOpen(UsbDevice*) {
    return nullptr;
}
int noHandle(usb_dev_handle*) {
    return -1;
}
int noSetting(usb_dev_handle*, int) {
    return -1;
}
int noWrite(usb_dev_handle*, int, const char*, int, int) {
    return -1;
}
int noRead(usb_dev_handle*, int, char*, int, int) {
    return -1;
}

const UsbApi kNoLibrary = {
    .set_debug = noDebug,
    .init = noInit,
    .find_busses = noBusses,
    .find_devices = noBusses,
    .get_busses = noBusList,
    .open = noOpen,
    .set_configuration = noSetting,
    .claim_interface = noSetting,
    .bulk_write = noWrite,
    .bulk_read = noRead,
    .release_interface = noSetting,
    .reset = noHandle,
    .close = noHandle,
};

// The function of that name in the DLL, as the table's type.
template <typename Function>
bool resolve(HMODULE library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    return function != nullptr;
}

struct LoadedLibrary {
    UsbApi api = kNoLibrary;
    bool loaded = false;

    LoadedLibrary() {
        const HMODULE library = LoadLibraryA("libusb0.dll");
        if (!library) {
            return;
        }
        UsbApi found{};
        loaded = resolve(library, "usb_set_debug", found.set_debug) &&
                 resolve(library, "usb_init", found.init) &&
                 resolve(library, "usb_find_busses", found.find_busses) &&
                 resolve(library, "usb_find_devices", found.find_devices) &&
                 resolve(library, "usb_get_busses", found.get_busses) &&
                 resolve(library, "usb_open", found.open) &&
                 resolve(library, "usb_set_configuration", found.set_configuration) &&
                 resolve(library, "usb_claim_interface", found.claim_interface) &&
                 resolve(library, "usb_bulk_write", found.bulk_write) &&
                 resolve(library, "usb_bulk_read", found.bulk_read) &&
                 resolve(library, "usb_release_interface", found.release_interface) &&
                 resolve(library, "usb_reset", found.reset) &&
                 resolve(library, "usb_close", found.close);
        if (loaded) {
            api = found;
        }
    }
};

const LoadedLibrary& library() {
    static const LoadedLibrary loaded;
    return loaded;
}

}  // namespace

const UsbApi& realUsbApi() {
    return library().api;
}

bool realUsbLibraryLoaded() {
    return library().loaded;
}

}  // namespace korvel
