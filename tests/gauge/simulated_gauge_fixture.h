#pragma once
// A simulated gauge on a fresh virtual bus, a link to it on a virtual clock, a recording voice,
// and scratch folders for the gauge's data log and the PC data folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "app/clock.h"
#include "app/safe_file.h"
#include "app/text_table.h"
#include "gauge/gauge_link.h"
#include "sim/simulated_gauge.h"
#include "sim/virtual_bus.h"
#include "tests/support/recording_voice.h"

namespace korvel::test {

// A folder that exists for the life of the object.
class ScratchFolder {
  public:
    ScratchFolder() {
        static int counter = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("korvel-gauge-" + std::to_string(std::random_device{}()) + "-" +
                 std::to_string(++counter));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    std::string path() const { return path_.string(); }
    // "/" in the name stands for the system's separator.
    std::string file(const std::string& name) const {
        return (path_ / std::filesystem::path(name).make_preferred()).string();
    }
    void put(const std::string& name, const std::string& bytes) const {
        ASSERT_TRUE(writeFileSafely(file(name), bytes));
    }
    std::string read(const std::string& name) const {
        return readFileBytes(file(name)).value_or("<missing>");
    }
    bool has(const std::string& name) const { return std::filesystem::exists(path_ / name); }

  private:
    std::filesystem::path path_;
};

class SimulatedGaugeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sim::virtualBus().reset(clock);
        gauge = std::make_shared<sim::SimulatedGauge>(dataLog.path());
        sim::virtualBus().plugIn(gauge);
    }

    sim::BusFaults& busFaults() { return sim::virtualBus().faults(); }
    std::vector<sim::UsbCall> calls() const { return sim::virtualBus().calls(); }
    // The names of the calls that reached the bus, in order, "bulk_read" time-outs included.
    std::vector<std::string> callNames() const {
        std::vector<std::string> names;
        for (const auto& call : calls()) {
            names.push_back(call.name);
        }
        return names;
    }
    // What was written to endpoint 2, one entry per write.
    std::vector<std::string> writes() const {
        std::vector<std::string> result;
        for (const auto& call : calls()) {
            if (call.name == "bulk_write") {
                result.push_back(call.bytes);
            }
        }
        return result;
    }

    VirtualClock clock;
    UsbPort port{sim::simulatedUsbApi(), clock};
    TextTable texts;
    RecordingVoice voice;
    ScratchFolder dataLog;
    ScratchFolder pcFolder;
    std::shared_ptr<sim::SimulatedGauge> gauge;
    GaugeLink link{voice, texts, port};
};

}  // namespace korvel::test
