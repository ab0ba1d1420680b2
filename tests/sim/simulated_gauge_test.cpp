// The simulated gauge's answers, straight on its device interface.

#include <gtest/gtest.h>

#include "sim/packets.h"
#include "tests/gauge/simulated_gauge_fixture.h"
#include "tests/support/listing_time.h"

namespace korvel::test {
namespace {

class Gauge : public ::testing::Test {
  protected:
    // Everything the gauge has queued, packet by packet.
    std::vector<std::string> drain() {
        std::vector<std::string> packets;
        while (auto packet = gauge.nextPacket(0x82)) {
            packets.push_back(*packet);
        }
        return packets;
    }
    int send(std::string_view bytes) { return gauge.receive(2, bytes); }

    ScratchFolder dataLog;
    sim::SimulatedGauge gauge{dataLog.path()};
};

TEST_F(Gauge, ListingLinesEndWithACommaAndCrLfThenTheEndMarker) {
    dataLog.put("B.BIN", "1");
    dataLog.put("A.CSV", "2");
    dataLog.put("README", "3");
    EXPECT_EQ(send("dir /dev/datalog"), 16);
    const auto packets = drain();
    ASSERT_GE(packets.size(), 2u);
    EXPECT_EQ(packets.back(), "\xFF");
    std::string text;
    for (std::size_t i = 0; i + 1 < packets.size(); ++i) {
        EXPECT_LE(packets[i].size(), 64u);
        text += packets[i];
    }
    ASSERT_GE(text.size(), 29u) << text;
    const std::string time = text.substr(10, 19);
    EXPECT_TRUE(isListingTime(time)) << text;
    EXPECT_EQ(text,
              "A.CSV,CSV," + time + ",\r\nB.BIN,BIN," + time + ",\r\nREADME,," + time + ",\r\n");
}

TEST_F(Gauge, TextFilesEndWithTwoFfBytesAndBinaryFilesDoNot) {
    dataLog.put("A.CSV", std::string(70, 'a') + "\n");
    dataLog.put("P.BMP", std::string("BM\0\xFF", 4));
    send("read /dev/datalog/A");
    EXPECT_EQ(drain(), (std::vector<std::string>{std::string(64, 'a'), "aaaaaa\n", "\xFF\xFF"}));
    send("read /dev/datalog/P");
    EXPECT_EQ(drain(), (std::vector<std::string>{std::string("BM\0\xFF", 4)}));
}

TEST_F(Gauge, ReadPrefersTheCsvOfTheSameBaseName) {
    dataLog.put("X.BIN", "bin");
    dataLog.put("X.CSV", "csv");
    send("read /dev/datalog/X");
    EXPECT_EQ(drain().front(), "csv");
}

TEST_F(Gauge, UploadIsStoredWithLfLineEndsEvenWhenCrAndLfArriveApart) {
    EXPECT_EQ(send("write /dev/datalog/UP"), 21);
    EXPECT_EQ(drain(), (std::vector<std::string>{"OK"}));
    for (const char* piece : {"one\r\n", "two\r", "\nthree\r", "x\r\n"}) {
        send(piece);
        EXPECT_EQ(drain(), (std::vector<std::string>{"OK"}));
    }
    EXPECT_EQ(send(""), 0);
    EXPECT_EQ(dataLog.read("UP.CSV"), "one\ntwo\nthree\rx\n");
    EXPECT_EQ(drain(), (std::vector<std::string>{"OK"}));
    send("dir /dev/datalog");
    EXPECT_FALSE(drain().empty()) << "after the zero-length write the next line is a command";
}

TEST_F(Gauge, ResetEndsAnUploadAndDropsWhatWasQueued) {
    send("write /dev/datalog/R");
    send("abc\r");
    gauge.reset();
    EXPECT_TRUE(drain().empty());
    EXPECT_EQ(dataLog.read("R.CSV"), "abc\r");
    send("dir /dev/datalog");
    EXPECT_EQ(gauge.commands().back(), "dir /dev/datalog");
}

struct CommandCase {
    const char* command;
    std::vector<std::string> answer;
};

TEST_F(Gauge, OtherCommandsAndHostileNamesAreAnsweredWithErrors) {
    const std::vector<CommandCase> cases = {
        {"hello", {"ERROR unknown command: hello", "\xFF"}},
        {"dir /dev/datalog/x", {"ERROR no such folder: /x", "\xFF"}},
        {"read /dev/datalog/../etc", {"ERROR file not found: ../etc", "\xFF"}},
        {"read /dev/datalog/NONE", {"ERROR file not found: NONE", "\xFF"}},
        {"write /dev/datalog/../x", {"ERROR invalid file name"}},
        {"write /dev/datalog/", {"ERROR invalid file name"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        send(c.command);
        EXPECT_EQ(drain(), c.answer);
    }
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(dataLog.path()) / ".." / "x.CSV"));
}

TEST_F(Gauge, FaultsOnDemand) {
    dataLog.put("A.CSV", "a\n");
    gauge.faults().errorReply = "ERROR busy";
    send("dir /dev/datalog");
    EXPECT_EQ(drain(), (std::vector<std::string>{"ERROR busy", "\xFF"}));
    send("write /dev/datalog/A");
    EXPECT_EQ(drain(), (std::vector<std::string>{"ERROR busy"}));

    gauge.faults() = {};
    gauge.faults().garbage = true;
    send("read /dev/datalog/A");
    std::size_t bytes = 0;
    for (const auto& packet : drain()) {
        bytes += packet.size();
    }
    EXPECT_EQ(bytes, 300u);

    gauge.faults() = {};
    gauge.faults().silent = true;
    send("dir /dev/datalog");
    EXPECT_TRUE(drain().empty());
    EXPECT_EQ(gauge.commands().size(), 4u) << "a silent gauge still takes its commands";
}

TEST_F(Gauge, AddedCommandsAnswerTheirOwnPrefix) {
    gauge.addCommand("get user ", [](const std::string& rest) { return sim::textReply(rest); });
    send("get user velocity1 m/s");
    EXPECT_EQ(drain(), (std::vector<std::string>{"velocity1 m/s", "\xFF"}));
}

}  // namespace
}  // namespace korvel::test
