#include "gauge/usb_port.h"

namespace korvel {

const UsbApi& realUsbApi() {
    static const UsbApi api = {
        .set_debug = usb_set_debug,
        .init = usb_init,
        .find_busses = usb_find_busses,
        .find_devices = usb_find_devices,
        .get_busses = usb_get_busses,
        .open = usb_open,
        .set_configuration = usb_set_configuration,
        .claim_interface = usb_claim_interface,
        .bulk_write = usb_bulk_write,
        .bulk_read = usb_bulk_read,
        .release_interface = usb_release_interface,
        .reset = usb_reset,
        .close = usb_close,
    };
    return api;
}

bool realUsbLibraryLoaded() {
    return true;
}

}  // namespace korvel
