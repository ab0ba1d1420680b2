#include "sim/simulated_port.h"

#include "sim/virtual_bus.h"

namespace korvel::sim {

const UsbApi& plugInAlone(std::shared_ptr<SimDevice> device, Clock& clock) {
    virtualBus().reset(clock);
    virtualBus().plugIn(std::move(device));
    return simulatedUsbApi();
}

}  // namespace korvel::sim
