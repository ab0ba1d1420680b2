#include "sim/virtual_bus.h"

namespace korvel::sim {

namespace {

void simSetDebug(int level) {
    virtualBus().setDebug(level);
}
void simInit() {
    virtualBus().init();
}
int simFindBusses() {
    return virtualBus().findBusses();
}
int simFindDevices() {
    return virtualBus().findDevices();
}
UsbBus* simGetBusses() {
    return virtualBus().getBusses();
}
usb_dev_handle* simOpen(UsbDevice* device) {
    return virtualBus().open(device);
}
int simSetConfiguration(usb_dev_handle* handle, int configuration) {
    return virtualBus().setConfiguration(handle, configuration);
}
int simClaimInterface(usb_dev_handle* handle, int interface) {
    return virtualBus().claimInterface(handle, interface);
}
int simBulkWrite(usb_dev_handle* handle, int endpoint, const char* bytes, int size, int timeout) {
    return virtualBus().bulkWrite(handle, endpoint, bytes, size, timeout);
}
int simBulkRead(usb_dev_handle* handle, int endpoint, char* bytes, int size, int timeout) {
    return virtualBus().bulkRead(handle, endpoint, bytes, size, timeout);
}
int simReleaseInterface(usb_dev_handle* handle, int interface) {
    return virtualBus().releaseInterface(handle, interface);
}
int simReset(usb_dev_handle* handle) {
    return virtualBus().resetDevice(handle);
}
int simClose(usb_dev_handle* handle) {
    return virtualBus().close(handle);
}

}  // namespace

const UsbApi& simulatedUsbApi() {
    static const UsbApi api = {
        .set_debug = simSetDebug,
        .init = simInit,
        .find_busses = simFindBusses,
        .find_devices = simFindDevices,
        .get_busses = simGetBusses,
        .open = simOpen,
        .set_configuration = simSetConfiguration,
        .claim_interface = simClaimInterface,
        .bulk_write = simBulkWrite,
        .bulk_read = simBulkRead,
        .release_interface = simReleaseInterface,
        .reset = simReset,
        .close = simClose,
    };
    return api;
}

}  // namespace korvel::sim
