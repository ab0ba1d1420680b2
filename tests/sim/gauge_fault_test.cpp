// The faults of --gauge-fault and what each does on the bus.

#include <gtest/gtest.h>

#include <cerrno>

#include "sim/gauge_fault.h"
#include "tests/gauge/simulated_gauge_fixture.h"

namespace korvel::test {
namespace {

TEST(GaugeFaultSpec, EachSpecSetsItsFault) {
    using Check = bool (*)(const sim::GaugeFaultSetting&);
    const std::vector<std::tuple<const char*, bool, Check>> cases = {
        {"silent", false, [](const auto& s) { return s.gauge.silent && s.upgrade.silentTerm; }},
        {"error:ERROR busy", false,
         [](const auto& s) {
             return s.gauge.errorReply == "ERROR busy" && s.upgrade.termReply == "ERROR busy";
         }},
        {"garbage", false, [](const auto& s) { return s.gauge.garbage; }},
        {"endless", false, [](const auto& s) { return s.bus.endless; }},
        {"drop:3", false, [](const auto& s) { return s.bus.dropAfterReplyPackets == 3; }},
        {"stall", false, [](const auto& s) { return s.bus.writesTimeOut; }},
        {"fail-writes:2", false, [](const auto& s) { return s.bus.failWrites == 2; }},
        {"no-request", true, [](const auto& s) { return s.upgrade.silentAfterInit; }},
        {"request:OK 99", true, [](const auto& s) { return s.upgrade.requestText == "OK 99"; }},
        {"request-size:8", true, [](const auto& s) { return s.upgrade.requestSize == 8; }},
        {"term:ERROR flash", true,
         [](const auto& s) { return s.upgrade.termReply == "ERROR flash"; }},
        {"no-term", true, [](const auto& s) { return s.upgrade.silentTerm; }},
        {"image-limit:100", true,
         [](const auto& s) { return s.upgrade.imageBytesAccepted == 100; }},
        {"chunk-fails:2", true, [](const auto& s) { return s.upgrade.failingChunk == 2; }},
    };
    for (const auto& [faultName, upgradeOnly, check] : cases) {
        SCOPED_TRACE(faultName);
        const auto setting = sim::parseGaugeFault(faultName, true);
        ASSERT_TRUE(setting.has_value());
        EXPECT_TRUE(check(*setting));
        EXPECT_EQ(sim::parseGaugeFault(faultName, false).has_value(), !upgradeOnly);
    }
}

TEST(GaugeFaultSpec, MalformedSpecsAreRefused) {
    for (const char* faultName :
         {"", "loud", "silent:1", "error", "error:", "drop", "drop:", "drop:-1", "drop:x",
          "drop:2x", "fail-writes:99999999999", "Stall"}) {
        EXPECT_FALSE(sim::parseGaugeFault(faultName, true).has_value()) << faultName;
    }
}

using BusFaultsOnReplies = SimulatedGaugeTest;

TEST_F(BusFaultsOnReplies, EndlessDropAndStallAct) {
    const UsbApi& api = sim::simulatedUsbApi();
    ASSERT_TRUE(link.OpenGage());
    usb_dev_handle* handle = port.handle();
    char buffer[64];
    const std::string command = "get user velocity1 in/us";

    busFaults().endless = true;
    ASSERT_EQ(api.bulk_write(handle, 2, command.data(), 24, 5000), 24);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_GT(api.bulk_read(handle, 0x82, buffer, 64, 1000), 0) << "packet " << i;
    }
    api.reset(handle);
    EXPECT_LT(api.bulk_read(handle, 0x82, buffer, 64, 1000), 0) << "a reset ends the reply";

    busFaults() = {};
    busFaults().writesTimeOut = true;
    const std::int64_t before = clock.nowMs();
    EXPECT_EQ(api.bulk_write(handle, 2, command.data(), 24, 5000), -ETIMEDOUT);
    EXPECT_EQ(clock.nowMs() - before, 5000);

    busFaults() = {};
    busFaults().dropAfterReplyPackets = 0;
    ASSERT_EQ(api.bulk_write(handle, 2, "dir /dev/datalog", 16, 5000), 16);
    EXPECT_EQ(api.bulk_read(handle, 0x82, buffer, 64, 1000), -ENODEV);
}

}  // namespace
}  // namespace korvel::test
