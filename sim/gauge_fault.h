#pragma once
// A misbehaviour of the simulated gauge named by one short text, as korvel-cli --gauge-fault
// and korvel-demo take it: "silent", "error:TEXT", "garbage", "endless", "drop:N", "stall",
// "fail-writes:N" for the gauge in either mode, and in its upgrade mode also "no-request",
// "request:TEXT", "request-size:N", "term:TEXT", "no-term", "image-limit:N" and
// "chunk-fails:N". docs/gauge-faults.md describes each.

#include <optional>
#include <string_view>

#include "sim/simulated_gauge.h"
#include "sim/upgrade_mode.h"
#include "sim/virtual_bus.h"

namespace korvel::sim {

// The faults a --gauge-fault text sets on the gauge of each mode and on the bus.
struct GaugeFaultSetting {
    GaugeFaults gauge;
    UpgradeFaults upgrade;
    BusFaults bus;
};

// The setting for the text, or nothing when the text names no fault of the gauge in that mode.
std::optional<GaugeFaultSetting> parseGaugeFault(std::string_view text, bool upgradeMode);

// Sets the faults on the bus (after plugInAlone, which clears them) and on the device.
void applyGaugeFault(const GaugeFaultSetting& setting, SimulatedGauge* gauge,
                     BootModeGauge* upgradeGauge);

}  // namespace korvel::sim
