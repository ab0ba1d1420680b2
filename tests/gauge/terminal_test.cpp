// The Terminal's reader and session against the simulated gauge: raw replies with their end
// marker, silence, stopping while the reader is inside a read, writing while it reads.

#include <condition_variable>
#include <mutex>

#include "gauge/terminal_session.h"
#include "sim/packets.h"
#include "tests/gauge/simulated_gauge_fixture.h"

namespace korvel::test {
namespace {

// Records what the reader hands over, from the reader's thread.
class RecordingSink : public TerminalReaderSink {
  public:
    void textReceived(std::string_view added) override {
        std::lock_guard lock(mutex_);
        texts_.emplace_back(added);
        final_ += added;
    }
    void readerEnded(bool endMarkerSeen) override {
        std::lock_guard lock(mutex_);
        endMarker_ = endMarkerSeen;
        ended_ = true;
        changed_.notify_all();
    }
    void waitForEnd() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return ended_; });
    }
    std::vector<std::string> texts() const {
        std::lock_guard lock(mutex_);
        return texts_;
    }
    std::string final() const {
        std::lock_guard lock(mutex_);
        return final_;
    }
    bool endMarker() const {
        std::lock_guard lock(mutex_);
        return endMarker_;
    }

  private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> texts_;
    std::string final_;
    bool endMarker_ = false;
    bool ended_ = false;
};

// A gauge that never stops talking: a packet is always waiting.
class ChattyGauge : public sim::SimDevice {
  public:
    std::uint16_t vendorId() const override { return kGaugeVendorId; }
    std::uint16_t productId() const override { return kGaugeProductId; }
    int receive(int, std::string_view bytes) override { return static_cast<int>(bytes.size()); }
    std::optional<std::string> nextPacket(int) override { return std::string("tick "); }
    void reset() override {}
};

class TerminalTest : public SimulatedGaugeTest {
  protected:
    // "status" is answered in three packets, the last ending with the end marker.
    void SetUp() override {
        SimulatedGaugeTest::SetUp();
        gauge->addCommand("status", [](const std::string&) {
            return std::deque<std::string>{std::string(64, 'a'), "second ", "last\xFF"};
        });
    }
    std::vector<std::string> callsNamed(const std::string& name) const {
        std::vector<std::string> found;
        for (const auto& call : calls()) {
            if (call.name == name) {
                found.push_back(call.bytes);
            }
        }
        return found;
    }

    TerminalSession session{voice, texts, port};
    RecordingSink sink;
};

TEST_F(TerminalTest, AThreePacketReplyEndsAtTheMarkerAndTheGaugeIsResetAndClosed) {
    EXPECT_EQ(session.writeCommand("status"), 6);
    EXPECT_EQ(callsNamed("bulk_write"), (std::vector<std::string>{"status"}));
    ASSERT_TRUE(session.startRead(sink));
    sink.waitForEnd();
    const std::string all = std::string(64, 'a') + "second last\xFF";
    EXPECT_EQ(sink.final(), all);
    EXPECT_TRUE(sink.endMarker());
    EXPECT_EQ(sink.texts(), (std::vector<std::string>{std::string(64, 'a'), "second ", "last\xFF"}))
        << "each packet's text once";
    session.stopRead();
    const std::vector<std::string> names = callNames();
    ASSERT_GE(names.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(names.end() - 3, names.end()),
              (std::vector<std::string>{"reset", "release_interface", "close"}));
    EXPECT_FALSE(session.opened());
    EXPECT_TRUE(voice.said.empty());
}

TEST_F(TerminalTest, SilenceEndsTheReaderAfterOneSecondAndKeepsTheLinkOpen) {
    const std::int64_t start = clock.nowMs();
    ASSERT_TRUE(session.startRead(sink));
    sink.waitForEnd();
    EXPECT_GE(clock.nowMs() - start, 1000);
    EXPECT_EQ(sink.final(), "");
    EXPECT_FALSE(sink.endMarker());
    EXPECT_TRUE(session.opened());
    session.stopRead();
    EXPECT_TRUE(callsNamed("reset").empty());
    EXPECT_EQ(callNames().back(), "close");
}

TEST_F(TerminalTest, TheTerminalNeitherDrainsNorResendsAndAFailedWriteSaysSo) {
    gauge->queue("stale");
    busFaults().failWrites = 1;
    EXPECT_EQ(session.writeCommand("dir /dev/datalog"), -1);
    EXPECT_EQ(voice.said,
              (std::vector<Said>{{MessageKind::Error, "Error in writing command to USB device"}}));
    EXPECT_EQ(callsNamed("bulk_write").size(), 1u);
    EXPECT_TRUE(callsNamed("bulk_read").empty());
    EXPECT_TRUE(session.opened());
    EXPECT_FALSE(voice.waitCursor);
}

TEST_F(TerminalTest, WithoutAGaugeWriteAndReadShowTheLinkFailure) {
    sim::virtualBus().unplugAll();
    EXPECT_EQ(session.writeCommand("dir /dev/datalog"), 0);
    EXPECT_FALSE(session.startRead(sink));
    const Said failure{MessageKind::Error, texts.linkFailureMessage()};
    EXPECT_EQ(voice.said, (std::vector<Said>{failure, failure}));
    EXPECT_TRUE(callsNamed("bulk_write").empty());
}

TEST_F(TerminalTest, CommandsGoOutExactlyAsTyped) {
    for (const std::string& typed :
         {std::string("dir /dev/datalog"), std::string("  x  "), std::string(100, 'z')}) {
        session.writeCommand(typed);
    }
    EXPECT_EQ(callsNamed("bulk_write"),
              (std::vector<std::string>{"dir /dev/datalog", "  x  ", std::string(100, 'z')}));
}

TEST_F(TerminalTest, ReadingToTheEndOnTheCallingThreadReleasesTheLink) {
    session.writeCommand("dir /dev/datalog");
    ASSERT_TRUE(session.readToEnd(sink));
    EXPECT_TRUE(sink.endMarker());
    EXPECT_EQ(sink.final().back(), '\xFF');
    EXPECT_FALSE(session.opened());
    EXPECT_EQ(callsNamed("reset").size(), 1u);
}

// The window thread writes and stops while the reader is busy reading; the release must wait
// for the read in progress, and nothing may be shared unsafely (run under ThreadSanitizer).
TEST_F(TerminalTest, StoppingAndWritingWhileTheReaderReads) {
    sim::virtualBus().unplugAll();
    sim::virtualBus().plugIn(std::make_shared<ChattyGauge>());
    for (int round = 0; round < 20; ++round) {
        RecordingSink chatter;
        ASSERT_TRUE(session.startRead(chatter));
        EXPECT_EQ(session.writeCommand("ping"), 4);
        session.stopRead();
        chatter.waitForEnd();
        EXPECT_FALSE(chatter.endMarker());
        EXPECT_FALSE(session.opened());
    }
    EXPECT_EQ(callsNamed("bulk_write").size(), 20u);
    EXPECT_TRUE(callsNamed("reset").empty());
}

TEST_F(TerminalTest, DestroyingTheSessionWhileItReadsStopsTheReaderFirst) {
    sim::virtualBus().unplugAll();
    sim::virtualBus().plugIn(std::make_shared<ChattyGauge>());
    RecordingSink chatter;
    {
        TerminalSession reading(voice, texts, port);
        ASSERT_TRUE(reading.startRead(chatter));
    }
    chatter.waitForEnd();
    EXPECT_EQ(callNames().back(), "close");
}

}  // namespace
}  // namespace korvel::test
