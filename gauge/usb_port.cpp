#include "gauge/usb_port.h"

#include <atomic>

namespace korvel {

namespace {

UsbPort& realPort() {
    static RealClock clock;
    static UsbPort port(realUsbApi(), clock);
    return port;
}

std::atomic<UsbPort*> installedPort{nullptr};

}  // namespace

UsbPort& currentUsbPort() {
    UsbPort* port = installedPort.load();
    return port ? *port : realPort();
}

void installUsbPort(UsbPort& port) {
    installedPort.store(&port);
}

}  // namespace korvel
