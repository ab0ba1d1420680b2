// A misbehaving gauge on every command: each fault ends the operation with one message,
// nothing is taken or saved that did not arrive whole, and a reply without end stays bounded.

#include <gtest/gtest.h>

#include <functional>

#include "gauge/gauge_file_names.h"
#include "gauge/gauge_reply.h"
#include "gauge/read_from_gauge.h"
#include "gauge/terminal_session.h"
#include "gauge/user_velocity.h"
#include "sim/gauge_fault.h"
#include "sim/velocity_store.h"
#include "tests/gauge/simulated_gauge_fixture.h"
#include "tests/support/peak_memory.h"

namespace korvel::test {
namespace {

class GaugeFaults : public SimulatedGaugeTest {
  protected:
    void SetUp() override {
        SimulatedGaugeTest::SetUp();
        sim::teachVelocities(*gauge);
        dataLog.put("A.CSV", "Filename,Type,\nA.CSV,LINEAR,\n");
        pcFolder.put("A.CSV", "the good old file");
    }
    void setFault(const char* faultName) {
        const auto setting = sim::parseGaugeFault(faultName, false);
        ASSERT_TRUE(setting.has_value()) << faultName;
        sim::applyGaugeFault(*setting, gauge.get(), nullptr);
    }
    bool readFile() { return readFilesFromGauge(link, {"A.CSV"}, pcFolder.path(), {}) == 1; }
    bool getVelocities() {
        VelocitySettings settings{{{"", "in/us"}, {"", "m/s"}}};
        return UserVelocityExchange(link).getVelocities(settings) == 2;
    }
    bool setVelocities() {
        VelocitySettings settings{{{"0.2", "in/us"}, {"5900", "m/s"}}};
        return UserVelocityExchange(link).setVelocities(settings) == 2;
    }
    ReaderEnd send() {
        TerminalSession session(voice, texts, port);
        if (session.writeCommand("dir /dev/datalog") < 1) {
            return ReaderEnd::LinkLost;
        }
        CollectingSink sink;
        session.readToEnd(sink);
        EXPECT_LE(static_cast<long long>(sink.text.size()), kMaxReplyBytes);
        return session.lastEnd();
    }
};

TEST_F(GaugeFaults, EveryFaultFailsEveryCommandWithAMessageAndSavesNothing) {
    const std::vector<const char*> faults = {
        "silent", "error:ERROR busy", "garbage", "endless", "drop:0", "stall", "fail-writes:4"};
    for (const char* fault : faults) {
        SCOPED_TRACE(fault);
        SetUp();
        setFault(fault);
        voice.said.clear();
        EXPECT_FALSE(readFile());
        EXPECT_EQ(pcFolder.read("A.CSV"), "the good old file");
        EXPECT_FALSE(voice.said.empty()) << "read";
        voice.said.clear();
        EXPECT_FALSE(getVelocities());
        EXPECT_FALSE(voice.said.empty()) << "velocity get";
        EXPECT_EQ(port.handle(), nullptr);
    }
}

TEST_F(GaugeFaults, ASetHeardByNobodyOrRefusedFails) {
    for (const char* fault : {"silent", "error:ERROR busy", "endless", "drop:0", "stall"}) {
        SCOPED_TRACE(fault);
        SetUp();
        setFault(fault);
        voice.said.clear();
        EXPECT_FALSE(setVelocities());
        EXPECT_FALSE(voice.said.empty());
    }
}

TEST_F(GaugeFaults, TheTerminalTellsHowItsReadEnded) {
    const std::vector<std::pair<const char*, ReaderEnd>> cases = {
        {"silent", ReaderEnd::Silence},
        {"endless", ReaderEnd::TooLong},
        {"drop:1", ReaderEnd::LinkLost},
        {"error:ERROR busy", ReaderEnd::EndMarker},
    };
    for (const auto& [fault, end] : cases) {
        SCOPED_TRACE(fault);
        SetUp();
        for (int i = 0; i < 5; ++i) {
            dataLog.put("LONG-FILE-NAME-" + std::to_string(i) + ".CSV", "x");
        }
        setFault(fault);
        EXPECT_EQ(send(), end);
    }
}

TEST_F(GaugeFaults, AReplyWithoutEndStaysWithinItsBoundInMemory) {
    setFault("endless");
    const long before = peakMemoryMb();
    EXPECT_FALSE(readFile());
    EXPECT_FALSE(getVelocities());
    EXPECT_EQ(send(), ReaderEnd::TooLong);
    ASSERT_FALSE(voice.said.empty());
    EXPECT_EQ(voice.said[0].text,
              "The Gage's answer to \"read /dev/datalog/A\" went on past 16 MB without ending, so "
              "it was not taken. Turn the Gage off and on, then try again.");
    if (before >= 0) {
        EXPECT_LT(peakMemoryMb() - before, 200);
    }
}

TEST_F(GaugeFaults, ARefusedReadShowsTheGaugesWordsAsText) {
    setFault("error:ERROR \x1b[2Jbusy\tnow");
    EXPECT_FALSE(readFile());
    ASSERT_EQ(voice.said.size(), 1u);
    EXPECT_EQ(voice.said[0].text,
              "The Gage did not send the file A.CSV. Its answer:\n\nERROR \\x1b[2Jbusy\\x09now");
}

TEST(GaugeReply, ControlsAreShownAsEscapesAndChunksAsHex) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"plain text", "plain text"},
        {"a\r\nb\n", "a\nb\n"},
        {"cr\ralone", "cr\\x0dalone"},
        {std::string("nul\0", 4), "nul\\x00"},
        {"\x1b[31m\x7f\x9b\xe9", "\\x1b[31m\\x7f\\x9b\xe9"},
    };
    for (const auto& [text, visible] : cases) {
        EXPECT_EQ(visibleGaugeText(text), visible);
    }
    EXPECT_EQ(hexBytes(std::string("\x1b"
                                   "A\xff\0",
                                   4)),
              "1b 41 ff 00");
    EXPECT_EQ(hexBytes(""), "");
}

TEST(GaugeFileNames, ControlCharactersMakeANameUnsafeAndTextNoDataFile) {
    for (const char* name : {"A\x1b.CSV", "A\r.CSV", "A\n.CSV", "A\t.CSV", "A\x7f.CSV"}) {
        EXPECT_FALSE(isPlainFileName(name)) << visibleGaugeText(name);
    }
    EXPECT_TRUE(isPlainFileName("PIPE-A.CSV"));
    EXPECT_TRUE(readsAsDataFile("Filename,Type,\r\nA.CSV,LINEAR,\t\xe9\r\n"));
    EXPECT_FALSE(readsAsDataFile(std::string("a\0b", 3)));
    EXPECT_FALSE(readsAsDataFile("a\x1b[2Jb"));
    EXPECT_TRUE(readsAsDataFile("\xEF\xBB\xBFProduct:40-102,\nFILENAME,Type,\n"));
    EXPECT_FALSE(readsAsDataFile("plain text, no header\r\nFilename,Type,\r\n"));
    EXPECT_FALSE(readsAsDataFile("Product:40-102,\r\n"));
    EXPECT_FALSE(readsAsDataFile(""));
    EXPECT_TRUE(isDataFileName("A.CSV"));
    EXPECT_FALSE(isDataFileName("A.CSV.BIN"));
}

}  // namespace
}  // namespace korvel::test
