#pragma once
// Puts a simulated device alone on the virtual bus, for korvel-demo, korvel-cli
// --simulated-gauge and the tests.

#include <memory>

#include "app/clock.h"
#include "sim/sim_device.h"
#include "usb/usb_api.h"

namespace korvel::sim {

// Empties the virtual bus, sets its clock and plugs the device in. Returns the simulated
// functions that reach it; a port over them should run on the same clock.
const UsbApi& plugInAlone(std::shared_ptr<SimDevice> device, Clock& clock);

}  // namespace korvel::sim
