// The transport and the per-page link against the simulated gauge on the virtual clock.

#include <gtest/gtest.h>

#include <cerrno>

#include "gauge/permission_tip.h"

#include "tests/gauge/simulated_gauge_fixture.h"

namespace korvel::test {
namespace {

using Link = SimulatedGaugeTest;

const std::string kNoGaugeMessage =
    "Error in initializing USB device.\n\nMake sure that KQ-77 is ON and is connnected to USB port "
    "of your PC. Unplug and replug USB cable if failure continues.";

TEST_F(Link, NoGaugeShowsTheLinkFailureOnceAndSilentOpenGage) {
    sim::virtualBus().unplugAll();
    EXPECT_FALSE(link.OpenGage());
    EXPECT_TRUE(voice.said.empty());
    EXPECT_FALSE(link.openForOperation());
    ASSERT_EQ(voice.said.size(), 1u);
    EXPECT_EQ(voice.said[0], (Said{MessageKind::Error, kNoGaugeMessage}));
}

struct OpenFailure {
    const char* name;
    void (*fault)(sim::BusFaults&);
    std::vector<Said> said;
};

TEST_F(Link, OpenFailuresShowTheirMessageAndThenTheLinkFailure) {
#ifdef __linux__
    const std::string tip = "\n\n" + permissionTip(texts, installedGaugeRules());
#else
    // Device rules are a Linux matter: on Windows the driver's installer gives the access.
    const std::string tip;
#endif
    const std::vector<OpenFailure> cases = {
        {"open",
         [](sim::BusFaults& f) { f.openFails = true; },
         {{MessageKind::Error, kNoGaugeMessage}, {MessageKind::Error, kNoGaugeMessage}}},
        {"open denied",
         [](sim::BusFaults& f) { f.accessDenied = true; },
         {{MessageKind::Error, kNoGaugeMessage + tip},
          {MessageKind::Error, kNoGaugeMessage + tip}}},
        {"configuration",
         [](sim::BusFaults& f) { f.configurationFails = true; },
         {{MessageKind::Notice, "Error in setting configuration to USB device"},
          {MessageKind::Error, kNoGaugeMessage}}},
        {"claim denied",
         [](sim::BusFaults& f) { f.claimDenied = true; },
         {{MessageKind::Notice, "Error in getting interface to USB device" + tip},
          {MessageKind::Error, kNoGaugeMessage + tip}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        voice.said.clear();
        busFaults() = {};
        c.fault(busFaults());
        EXPECT_FALSE(link.openForOperation());
        EXPECT_EQ(voice.said, c.said);
        EXPECT_FALSE(link.opened());
        EXPECT_EQ(port.handle(), nullptr) << "a half-opened handle is closed at once";
    }
    busFaults() = {};
    EXPECT_TRUE(link.openForOperation()) << "the next attempt searches and opens anew";
}

TEST_F(Link, OpenDrainsWhatTheGaugeStillHadQueued) {
    gauge->queue("stale 1");
    gauge->queue("stale 2");
    ASSERT_TRUE(link.openForOperation());
    EXPECT_EQ(callNames(), (std::vector<std::string>{"open", "set_configuration", "claim_interface",
                                                     "bulk_read", "bulk_read", "bulk_read"}));
    EXPECT_EQ(clock.nowMs(), 1000) << "the drain ends on one read time-out";
    PacketBuffer packet{};
    EXPECT_EQ(link.usb().Read(packet), -1);
}

TEST_F(Link, ReadStoresTheNulAfterAFullPacketAndTimesOutAfterOneSecond) {
    ASSERT_TRUE(link.OpenGage());
    gauge->queue(std::string(64, 'x'));
    PacketBuffer packet;
    packet.fill('#');
    EXPECT_EQ(link.usb().Read(packet), 64);
    EXPECT_EQ(std::string(packet.data(), 64), std::string(64, 'x'));
    EXPECT_EQ(packet[64], '\0');
    const auto before = clock.nowMs();
    EXPECT_EQ(link.usb().Read(packet), -1);
    EXPECT_EQ(clock.nowMs() - before, 1000);
}

TEST_F(Link, WriteSendsExactlyTheGivenBytesAndZeroLengthTransfers) {
    ASSERT_TRUE(link.OpenGage());
    EXPECT_EQ(link.usb().Write(2, "dir /dev/datalog", 16), 16);
    EXPECT_EQ(link.usb().Write(2, "", 0), 0);
    const auto written = calls();
    ASSERT_EQ(written.size(), 5u);
    EXPECT_EQ(written[3].bytes, "dir /dev/datalog");
    EXPECT_EQ(written[4].name, "bulk_write");
    EXPECT_EQ(written[4].bytes, "");
    EXPECT_EQ(written[4].result, 0);
}

TEST_F(Link, WithoutAHandleTransfersFailAndResetAndCloseGiveZero) {
    CUsbLink usb(voice, texts, port);
    PacketBuffer packet{};
    EXPECT_EQ(usb.Write(2, "x", 1), -1);
    EXPECT_EQ(usb.Read(packet), -1);
    EXPECT_EQ(usb.Reset(), 0);
    EXPECT_EQ(usb.Close(), 0);
    EXPECT_TRUE(calls().empty());
}

TEST_F(Link, ReleaseResetsTwiceThenReleasesAndCloses) {
    ASSERT_TRUE(link.OpenGage());
    sim::virtualBus().clearCalls();
    link.ReleaseGage();
    EXPECT_EQ(callNames(),
              (std::vector<std::string>{"reset", "reset", "release_interface", "close"}));
    EXPECT_FALSE(link.opened());
    EXPECT_EQ(port.handle(), nullptr);
}

TEST_F(Link, ReleaseResetsTheSharedHandleEvenWhenThisPageDoesNotHoldIt) {
    GaugeLink other(voice, texts, port);
    ASSERT_TRUE(other.OpenGage());
    sim::virtualBus().clearCalls();
    link.ReleaseGage();
    EXPECT_EQ(callNames(), (std::vector<std::string>{"reset"}));
    EXPECT_TRUE(other.opened());
}

// A write that fails, or that sends nothing, is resent once.
TEST_F(Link, CommandIsResentOnceAfterReopeningWithoutDrain) {
    for (const int failed : {-EPIPE, 0}) {
        SCOPED_TRACE(failed);
        ASSERT_TRUE(link.OpenGage());
        sim::virtualBus().clearCalls();
        busFaults().failWrites = 1;
        busFaults().failedWrite = failed;
        const auto before = clock.nowMs();
        EXPECT_EQ(link.SendCommand("dir /dev/datalog"), 16);
        EXPECT_EQ(callNames(), (std::vector<std::string>{"bulk_write", "reset", "release_interface",
                                                         "close", "open", "set_configuration",
                                                         "claim_interface", "bulk_write"}));
        EXPECT_EQ(writes(), (std::vector<std::string>{"dir /dev/datalog", "dir /dev/datalog"}));
        EXPECT_EQ(clock.nowMs() - before, 500);
        link.CloseGage();
    }
}

TEST_F(Link, CommandFailsWhenTheResendFailsToo) {
    ASSERT_TRUE(link.OpenGage());
    busFaults().failWrites = 2;
    EXPECT_LT(link.SendCommand("dir /dev/datalog"), 1);
    busFaults().failWrites = 1;
    sim::virtualBus().unplugAll();
    EXPECT_LT(link.SendCommand("dir /dev/datalog"), 1) << "no gauge to reopen";
    EXPECT_TRUE(voice.said.empty()) << "a failed command shows nothing itself";
}

TEST_F(Link, CommandWaitsAfterEveryWriteWhenAsked) {
    ASSERT_TRUE(link.OpenGage());
    busFaults().failWrites = 1;
    int resends = 0;
    EXPECT_EQ(link.SendCommand("write /dev/datalog/A", 2000, [&] { ++resends; }), 20);
    EXPECT_EQ(resends, 1);
    EXPECT_EQ(clock.nowMs(), 2000 + 500 + 2000);
}

TEST_F(Link, ReplyDropsEndMarkersAndGoesOnAfterEmptyPackets) {
    ASSERT_TRUE(link.OpenGage());
    for (const char* packet : {"abc", "", "def\xFF", "\xFF", "ghi"}) {
        gauge->queue(packet);
    }
    gauge->queue(std::string("jk\0lm", 5));
    int packets = 0;
    EXPECT_EQ(link.CollectReply([&] { ++packets; }).text, "abcghijk");
    EXPECT_EQ(packets, 6);
    EXPECT_EQ(clock.nowMs(), 1000);
}

TEST_F(Link, GaugePluggedInLaterIsFoundOnTheNextSearch) {
    sim::virtualBus().unplugAll();
    EXPECT_FALSE(link.OpenGage());
    sim::virtualBus().plugIn(gauge);
    EXPECT_TRUE(link.OpenGage());
}

TEST_F(Link, UnpluggedGaugeFailsTransfersAndStillReleases) {
    ASSERT_TRUE(link.OpenGage());
    sim::virtualBus().unplugAll();
    PacketBuffer packet{};
    EXPECT_EQ(link.usb().Write(2, "x", 1), -1);
    EXPECT_EQ(link.usb().Read(packet), -1);
    link.ReleaseGage();
    EXPECT_EQ(port.handle(), nullptr);
    EXPECT_FALSE(link.opened());
}

TEST_F(Link, LeavingThePageClosesWithoutAReset) {
    ASSERT_TRUE(link.OpenGage());
    sim::virtualBus().clearCalls();
    link.CloseGage(GaugeLink::Reset::No);
    link.CloseGage(GaugeLink::Reset::No);
    EXPECT_EQ(callNames(), (std::vector<std::string>{"release_interface", "close"}));
    EXPECT_FALSE(link.opened());
}

TEST_F(Link, FindDeviceTellsTheTwoIdentitiesApart) {
    CUsbLink usb(voice, texts, port);
    EXPECT_NE(usb.FindDevice(kGaugeVendorId, kGaugeProductId), nullptr);
    EXPECT_EQ(usb.FindDevice(kBootVendorId, kBootProductId), nullptr);
}

TEST(RealUsb, MachineWithoutTheGaugeFindsNoDevice) {
    VirtualClock clock;
    UsbPort port(realUsbApi(), clock);
    TextTable texts;
    RecordingVoice voice;
    GaugeLink link(voice, texts, port);
    EXPECT_FALSE(link.OpenGage());
    EXPECT_TRUE(voice.said.empty());
    EXPECT_EQ(port.handle(), nullptr);
}

TEST(PermissionTip, NamesTheInstalledRulesOrHowToInstallThem) {
    const TextTable texts;
    struct Case {
        std::string rules;
        std::string tip;
    } cases[] = {
        {"",
         "Permission to use the USB device was denied. Install the device rules shipped with "
         "the program: sudo cp resources/60-korvel-gauge.rules /etc/udev/rules.d/ && sudo "
         "udevadm control --reload-rules, then unplug and replug the USB cable."},
        {"/usr/lib/udev/rules.d/60-korvel-gauge.rules",
         "Permission to use the USB device was denied. The device rules were installed with the "
         "program in /usr/lib/udev/rules.d/60-korvel-gauge.rules. Unplug the gauge and plug it "
         "in again so that they apply; if it still cannot be opened, log out and in again."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(permissionTip(texts, c.rules), c.tip);
    }
}

}  // namespace
}  // namespace korvel::test
