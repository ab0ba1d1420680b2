#pragma once
// Puts a simulated device alone on the virtual bus and gives the port that reaches it, for
// korvel-demo and korvel-cli --simulated-gauge.

#include <memory>

#include "gauge/usb_port.h"
#include "sim/sim_device.h"

namespace korvel::sim {

// Empties the virtual bus, sets its clock, plugs the device in and returns a port over the
// simulated functions with the same clock. Install it with installUsbPort to make it current.
std::unique_ptr<UsbPort> plugInAlone(std::shared_ptr<SimDevice> device, Clock& clock);

}  // namespace korvel::sim
