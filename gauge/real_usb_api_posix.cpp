#include "gauge/usb_api.h"

namespace korvel {

const UsbApi& realUsbApi() {
    static const UsbApi api = {
        usb_set_debug,  usb_init,      usb_find_busses,       usb_find_devices,
        usb_get_busses, usb_open,      usb_set_configuration, usb_claim_interface,
        usb_bulk_write, usb_bulk_read, usb_release_interface, usb_reset,
        usb_close,
    };
    return api;
}

bool realUsbLibraryLoaded() {
    return true;
}

}  // namespace korvel
