// The libusb-0.1 functions over the virtual bus.

#include <gtest/gtest.h>

#include <cerrno>
#include <condition_variable>
#include <thread>

#include "tests/gauge/simulated_gauge_fixture.h"

namespace korvel::test {
namespace {

using Bus = SimulatedGaugeTest;

const UsbApi& api() {
    return sim::simulatedUsbApi();
}

usb_dev_handle* openGauge() {
    api().find_busses();
    api().find_devices();
    UsbBus* bus = api().get_busses();
    return bus && bus->devices ? api().open(bus->devices) : nullptr;
}

TEST_F(Bus, BussesAndDevicesAppearOnlyWhenScanned) {
    EXPECT_EQ(api().get_busses(), nullptr);
    EXPECT_EQ(api().find_busses(), 1);
    EXPECT_EQ(api().find_busses(), 0);
    UsbBus* bus = api().get_busses();
    ASSERT_NE(bus, nullptr);
    EXPECT_EQ(bus->devices, nullptr) << "devices come with usb_find_devices";
    EXPECT_EQ(api().find_devices(), 1);
    ASSERT_NE(bus->devices, nullptr);
    EXPECT_EQ(bus->devices->descriptor.idVendor, 0xFFFF);
    EXPECT_EQ(bus->devices->descriptor.idProduct, 0x7A31);
    EXPECT_EQ(bus->devices->bus, bus);
    EXPECT_EQ(api().find_devices(), 0);
    sim::virtualBus().unplugAll();
    EXPECT_EQ(api().find_devices(), 1);
    EXPECT_EQ(bus->devices, nullptr);
    sim::virtualBus().plugIn(gauge);
    EXPECT_EQ(api().find_devices(), 1);
    EXPECT_NE(bus->devices, nullptr);
}

TEST_F(Bus, ReadTimesOutAfterItsTimeOnTheClock) {
    usb_dev_handle* handle = openGauge();
    ASSERT_NE(handle, nullptr);
    char buffer[64];
    EXPECT_EQ(api().bulk_read(handle, 0x82, buffer, 64, 1000), kTimedOutResult);
    EXPECT_EQ(clock.nowMs(), 1000);
    EXPECT_EQ(api().bulk_read(handle, 0x82, buffer, 64, 250), kTimedOutResult);
    EXPECT_EQ(clock.nowMs(), 1250);
    api().close(handle);
}

TEST_F(Bus, ClosedOrUnknownHandlesAreRefused) {
    usb_dev_handle* handle = openGauge();
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(api().close(handle), 0);
    char buffer[64];
    EXPECT_EQ(api().bulk_write(handle, 2, "x", 1, 5000), -EINVAL);
    EXPECT_EQ(api().bulk_read(handle, 0x82, buffer, 64, 1000), -EINVAL);
    EXPECT_EQ(api().close(handle), -EINVAL);
    EXPECT_EQ(clock.nowMs(), 0) << "a refused read does not wait";
}

TEST_F(Bus, UnplugAfterTransfersDropsTheDeviceAndItsHandles) {
    dataLog.put("A.CSV", std::string(300, 'a'));
    usb_dev_handle* handle = openGauge();
    ASSERT_NE(handle, nullptr);
    busFaults().unplugAfterTransfers = 3;
    EXPECT_EQ(api().bulk_write(handle, 2, "read /dev/datalog/A", 19, 5000), 19);
    char buffer[64];
    EXPECT_EQ(api().bulk_read(handle, 0x82, buffer, 64, 1000), 64);
    EXPECT_EQ(api().bulk_read(handle, 0x82, buffer, 64, 1000), 64);
    EXPECT_EQ(api().bulk_read(handle, 0x82, buffer, 64, 1000), -ENODEV);
    EXPECT_EQ(api().reset(handle), -ENODEV);
    EXPECT_EQ(api().close(handle), 0);
    api().find_devices();
    EXPECT_EQ(api().get_busses()->devices, nullptr);
}

TEST_F(Bus, StalledPipeFailsAtOnce) {
    usb_dev_handle* handle = openGauge();
    busFaults().stalled = true;
    char buffer[64];
    EXPECT_EQ(api().bulk_write(handle, 2, "x", 1, 5000), -EPIPE);
    EXPECT_EQ(api().bulk_read(handle, 0x82, buffer, 64, 1000), -EPIPE);
    EXPECT_EQ(clock.nowMs(), 0);
    api().close(handle);
}

// A clock whose sleeps wait until the test lets them pass, so that a reader thread can be held
// inside a read while the test writes.
class GatedClock : public Clock {
  public:
    std::int64_t nowMs() const override {
        std::lock_guard lock(mutex_);
        return now_;
    }
    void sleepMs(int ms) override {
        std::unique_lock lock(mutex_);
        sleeping_ = true;
        changed_.notify_all();
        changed_.wait(lock, [this] { return open_; });
        now_ += ms;
    }
    void waitUntilSleeping() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return sleeping_; });
    }
    void open() {
        std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }

  private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::int64_t now_ = 0;
    bool sleeping_ = false;
    bool open_ = false;
};

TEST_F(Bus, AReaderWaitingOnOneThreadDoesNotBlockAWriteOnAnother) {
    GatedClock gated;
    sim::virtualBus().reset(gated);
    sim::virtualBus().plugIn(gauge);
    dataLog.put("A.CSV", "abc");
    usb_dev_handle* handle = openGauge();
    ASSERT_NE(handle, nullptr);
    int got = 0;
    char buffer[64] = {};
    std::thread reader([&] { got = api().bulk_read(handle, 0x82, buffer, 64, 1000); });
    gated.waitUntilSleeping();
    EXPECT_EQ(api().bulk_write(handle, 2, "read /dev/datalog/A", 19, 5000), 19);
    gated.open();
    reader.join();
    EXPECT_EQ(got, 3);
    EXPECT_EQ(std::string(buffer, 3), "abc");
    api().close(handle);
}

}  // namespace
}  // namespace korvel::test
