#include "sim/simulated_port.h"

#include "sim/virtual_bus.h"

namespace korvel::sim {

std::unique_ptr<UsbPort> plugInAlone(std::shared_ptr<SimDevice> device, Clock& clock) {
    virtualBus().reset(clock);
    virtualBus().plugIn(std::move(device));
    return std::make_unique<UsbPort>(simulatedUsbApi(), clock);
}

}  // namespace korvel::sim
