#pragma once
// The simulated gauge plugged in alone on the virtual bus, reached through the current port
// on a virtual clock, for the life of one test.

#include <memory>

#include "app/clock.h"
#include "gauge/usb_port.h"
#include "sim/simulated_gauge.h"
#include "sim/simulated_port.h"
#include "sim/virtual_bus.h"

namespace korvel::test {

class SimulatedGaugeSetup {
  public:
    explicit SimulatedGaugeSetup(const std::string& dataLogFolder)
        : previous_(currentUsbPort()),
          gauge(std::make_shared<sim::SimulatedGauge>(dataLogFolder)),
          port_(std::make_unique<UsbPort>(sim::plugInAlone(gauge, clock), clock)) {
        installUsbPort(*port_);
    }
    ~SimulatedGaugeSetup() {
        sim::virtualBus().unplugAll();
        installUsbPort(previous_);
    }

    void unplug() { sim::virtualBus().unplugAll(); }

    VirtualClock clock;

  private:
    UsbPort& previous_;

  public:
    std::shared_ptr<sim::SimulatedGauge> gauge;

  private:
    std::unique_ptr<UsbPort> port_;
};

}  // namespace korvel::test
