#pragma once
// The simulated gauge plugged in in its upgrade mode, with a working directory holding the
// bootloader and a firmware image to send.

#include <string>

#include "gauge/firmware_upgrade.h"
#include "sim/upgrade_mode.h"
#include "tests/gauge/simulated_gauge_fixture.h"

namespace korvel::test {

// Bytes 0, 1, 2, ... wrapping at 256: every chunk has a sum of its own.
inline std::string countingBytes(std::size_t size, unsigned start = 0) {
    std::string bytes;
    for (std::size_t i = 0; i < size; ++i) {
        bytes += static_cast<char>((start + i) & 0xFF);
    }
    return bytes;
}

class UpgradeTest : public SimulatedGaugeTest {
  protected:
    void SetUp() override {
        SimulatedGaugeTest::SetUp();
        sim::virtualBus().unplugAll();
        bootGauge = std::make_shared<sim::BootModeGauge>();
        sim::virtualBus().plugIn(bootGauge);
        workDir.put(kBootloaderFileName, countingBytes(200, 7));
    }

    std::string putFirmware(const std::string& bytes) {
        workDir.put("KQ77.bin", bytes);
        return workDir.file("KQ77.bin");
    }
    // The data sizes plus sums of every chunk written to endpoint 6 after "init".
    std::vector<std::size_t> chunkSizes() const {
        std::vector<std::size_t> sizes;
        for (const auto& chunk : bootGauge->chunks()) {
            sizes.push_back(chunk.size());
        }
        return sizes;
    }
    std::string summary(const std::string& path, long long total) const {
        return "Failure in downloading file " + path +
               ", \nTotal sent bytes = " + std::to_string(total);
    }

    ScratchFolder workDir;
    std::shared_ptr<sim::BootModeGauge> bootGauge;
    CUsbLink usb{voice, texts, port};
    FirmwareUpgrade upgrade{usb};
};

}  // namespace korvel::test
