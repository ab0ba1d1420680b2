// Writing PC data files to the simulated gauge.

#include <gtest/gtest.h>

#include "gauge/read_from_gauge.h"
#include "gauge/write_to_gauge.h"
#include "tests/gauge/simulated_gauge_fixture.h"

namespace korvel::test {
namespace {

const std::string kInvalidName =
    "Invalid file name. Valid file name can be 16 characters or less containing "
    "0-9,A-Z(upper case),+,-";

const std::string kSendFailed = "Error sending command or line to Gage";
// A gauge that is gone from the bus is said to be disconnected.
const std::string kUnplugged =
    kSendFailed +
    "\n\nThe Gage was disconnected. Check the USB cable and that the Gage is switched on, then "
    "transfer the file again.";

// A lost link's one message: why, the file that failed, and the files not tried.
std::string batchStopped(const std::string& why, const std::string& failed,
                         const std::vector<std::string>& notTried = {}) {
    std::string text = why + "\n\nThe file " + failed + " was not transferred.";
    if (!notTried.empty()) {
        text += "\n\nThe transfer stopped there. These files were not tried:";
        for (const auto& name : notTried) {
            text += "\n" + name;
        }
    }
    return text;
}

class WriteToGauge : public SimulatedGaugeTest {
  protected:
    // Without gaugeFiles, the data log is listed first.
    int write(const std::vector<std::string>& names,
              std::optional<std::vector<std::string>> gaugeFiles = std::vector<std::string>{}) {
        return writeFilesToGauge(link, names, {pcFolder.path(), debugLogPath, gaugeFiles});
    }
    std::string debugLogPath;
};

TEST_F(WriteToGauge, FileGoesOutLineByLineEachAfterTheGaugesAnswer) {
    pcFolder.put("A.CSV", "h1\r\nh2\r\n");
    EXPECT_EQ(write({"A.CSV"}), 1);
    EXPECT_EQ(writes(), (std::vector<std::string>{"write /dev/datalog/A", "h1\r\n", "h2\r\n", ""}));
    EXPECT_EQ(dataLog.read("A.CSV"), "h1\nh2\n");
    EXPECT_TRUE(voice.said.empty());
    EXPECT_EQ(voice.statuses, (std::vector<std::string>{"", "Transfer complete"}));
    EXPECT_EQ(voice.progressHistory, (std::vector<int>{4, 8, 8, 100000, 0}));
    EXPECT_EQ(clock.nowMs(), 1000 + 2000 + 500) << "drain, the command's wait, the pause";
    EXPECT_EQ(port.handle(), nullptr);
    EXPECT_FALSE(voice.waitCursor);
}

struct PieceCase {
    const char* name;
    std::string file;
    std::vector<std::string> pieces;
};

TEST_F(WriteToGauge, PiecesAreLinesOfAtMost63Bytes) {
    const std::string line100(100, 'L');
    const std::vector<PieceCase> cases = {
        {"100-character line",
         line100 + "\r\n",
         {line100.substr(0, 63), line100.substr(63) + "\r\n", ""}},
        {"no final line feed", "a\r\nbc", {"a\r\n", "bc"}},
        {"exactly 63 bytes", std::string(63, 'x'), {std::string(63, 'x'), ""}},
        {"empty file", "", {""}},
        {"NUL inside a line", std::string("a\0b\n", 4), {std::string("a\0b\n", 4), ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sim::virtualBus().clearCalls();
        pcFolder.put("P.CSV", c.file);
        EXPECT_EQ(write({"P.CSV"}), 1);
        auto expected = c.pieces;
        expected.insert(expected.begin(), "write /dev/datalog/P");
        EXPECT_EQ(writes(), expected);
    }
}

TEST_F(WriteToGauge, EachPieceWaitsForItsOwnAnswer) {
    pcFolder.put("A.CSV", std::string(100, 'L') + "\r\n");
    write({"A.CSV"});
    std::vector<std::string> order;
    for (const auto& call : calls()) {
        if (call.name == "bulk_write" || (call.name == "bulk_read" && call.result > 0)) {
            order.push_back(call.name == "bulk_write" ? "W" : "R:" + call.bytes);
        }
    }
    EXPECT_EQ(order, (std::vector<std::string>{"W", "R:OK", "W", "R:OK", "W", "R:OK", "W"}));
    const auto all = calls();
    const auto command = std::find_if(all.begin(), all.end(),
                                      [](const auto& call) { return call.name == "bulk_write"; });
    const auto answer = std::find_if(command, all.end(), [](const auto& call) {
        return call.name == "bulk_read" && call.result > 0;
    });
    ASSERT_NE(answer, all.end());
    EXPECT_EQ(answer->atMs - command->atMs, 2000) << "the gauge is given 2000 ms to answer";
}

TEST_F(WriteToGauge, ErrorAnswerToTheCommandStopsTheFileBeforeAnyPiece) {
    pcFolder.put("A.CSV", "x\r\n");
    pcFolder.put("B.CSV", "y\r\n");
    gauge->faults().errorReply = "ERROR data log full";
    EXPECT_EQ(write({"A.CSV", "B.CSV"}), 0);
    EXPECT_EQ(writes(), (std::vector<std::string>{"write /dev/datalog/A", "write /dev/datalog/B"}));
    EXPECT_EQ(voice.said, (std::vector<Said>{{MessageKind::Error, "ERROR data log full"},
                                             {MessageKind::Error, "ERROR data log full"}}));
    EXPECT_EQ(std::count(voice.statuses.begin(), voice.statuses.end(), "File transfer failed"), 2);
    EXPECT_EQ(voice.status, "Transfer ended. Saved: 0; skipped: 0; failed: 2 (A.CSV, B.CSV)");
    EXPECT_EQ(voice.progressHistory.back(), 0);
    EXPECT_EQ(std::count(voice.progressHistory.begin(), voice.progressHistory.end(), 100000), 0);
}

TEST_F(WriteToGauge, ErrorAnswerToAPieceStopsTheFile) {
    pcFolder.put("A.CSV", "1\r\n2\r\n3\r\n");
    gauge->faults().errorAtPiece = 2;
    EXPECT_EQ(write({"A.CSV"}), 0);
    EXPECT_EQ(writes(), (std::vector<std::string>{"write /dev/datalog/A", "1\r\n", "2\r\n"}));
    EXPECT_EQ(voice.said, (std::vector<Said>{{MessageKind::Error, "ERROR write failed"}}));
}

TEST_F(WriteToGauge, ThreeUnansweredReadsGiveUpAfterSixSeconds) {
    pcFolder.put("A.CSV", "1\r\n2\r\n");
    gauge->faults().silentFromPiece = 1;
    EXPECT_EQ(write({"A.CSV"}), 0);
    EXPECT_EQ(writes(), (std::vector<std::string>{"write /dev/datalog/A", "1\r\n"}));
    EXPECT_EQ(voice.said,
              (std::vector<Said>{{MessageKind::Error,
                                  "Error reading response for Write command or No response "
                                  "received from Gage"}}));
    EXPECT_EQ(clock.nowMs(), 1000 + 2000 + 3 * (1000 + 1000) + 500);
}

TEST_F(WriteToGauge, NameRuleStopsTheWholeRun) {
    for (const char* name : {"ABCDEFGHIJKLMNOP.CSV", "ABCDEFGHIJKLMNOPQ.CSV", "LOW.csv", "Z.CSV"}) {
        pcFolder.put(name, "x\r\n");
    }
    EXPECT_EQ(write({"ABCDEFGHIJKLMNOP.CSV", "ABCDEFGHIJKLMNOPQ.CSV", "Z.CSV"}), 1);
    EXPECT_EQ(voice.said, (std::vector<Said>{{MessageKind::Error, kInvalidName}}));
    EXPECT_FALSE(dataLog.has("Z.CSV"));
    voice.said.clear();
    EXPECT_EQ(write({"LOW.csv"}), 0);
    EXPECT_EQ(voice.said, (std::vector<Said>{{MessageKind::Error, kInvalidName}}));
}

TEST_F(WriteToGauge, UnreadablePcFileIsReportedAndStopsTheRun) {
    pcFolder.put("B.CSV", "x\r\n");
    EXPECT_EQ(write({"A.CSV", "B.CSV"}), 0);
    EXPECT_EQ(
        voice.said,
        (std::vector<Said>{{MessageKind::Error, "Error opening file " + pcFolder.file("A.CSV")}}));
    EXPECT_TRUE(calls().empty());
}

TEST_F(WriteToGauge, LostLinkEndsTheBatchWithOneMessage) {
    struct LostCase {
        const char* name;
        std::function<void()> fault;
        int sent;
        std::string message;
    };
    const std::vector<LostCase> cases = {
        {"no gauge", [] { sim::virtualBus().unplugAll(); }, 0,
         batchStopped(texts.linkFailureMessage(), "A.CSV", {"B.CSV", "C.CSV"})},
        {"command not taken", [this] { busFaults().failWrites = 2; }, 0,
         batchStopped(kSendFailed, "A.CSV", {"B.CSV", "C.CSV"})},
        // A: command, answer, piece; B: command, answer, then the gauge drops off.
        {"unplugged while sending B", [this] { busFaults().unplugAfterTransfers = 5; }, 1,
         batchStopped(kUnplugged, "B.CSV", {"C.CSV"})},
        {"unplugged while sending the last", [this] { busFaults().unplugAfterTransfers = 8; }, 2,
         batchStopped(kUnplugged, "C.CSV")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        voice = RecordingVoice();
        for (const char* name : {"A.CSV", "B.CSV", "C.CSV"}) {
            pcFolder.put(name, "x");
        }
        c.fault();
        EXPECT_EQ(write({"A.CSV", "B.CSV", "C.CSV"}), c.sent);
        EXPECT_EQ(voice.said, (std::vector<Said>{{MessageKind::Error, c.message}}));
        EXPECT_EQ(std::count(voice.statuses.begin(), voice.statuses.end(), "File transfer failed"),
                  1);
        EXPECT_EQ(voice.progressHistory.end()[-2], 0) << "the failed file empties the bar";
        EXPECT_EQ(port.handle(), nullptr);
    }
}

TEST_F(WriteToGauge, CommandIsResentOnceAfterAFailedWrite) {
    pcFolder.put("A.CSV", "x");
    busFaults().failWrites = 1;
    EXPECT_EQ(write({"A.CSV"}), 1);
    EXPECT_EQ(writes(),
              (std::vector<std::string>{"write /dev/datalog/A", "write /dev/datalog/A", "x"}));
    EXPECT_EQ(clock.nowMs(), 1000 + 2000 + 500 + 2000 + 500);
    busFaults().failWrites = 2;
    EXPECT_EQ(write({"A.CSV"}), 0);
    EXPECT_EQ(voice.said,
              (std::vector<Said>{{MessageKind::Error, batchStopped(kSendFailed, "A.CSV")}}));
}

TEST_F(WriteToGauge, UnpluggingMidTransferIsAnErrorAndReleasesTheLink) {
    const std::string content = "1\r\n2\r\n3\r\n4\r\n";
    pcFolder.put("A.CSV", content);
    busFaults().unplugAfterTransfers = 4;  // the command, its answer, a piece, its answer
    EXPECT_EQ(write({"A.CSV"}), 0);
    EXPECT_EQ(voice.said,
              (std::vector<Said>{{MessageKind::Error, batchStopped(kUnplugged, "A.CSV")}}));
    EXPECT_EQ(pcFolder.read("A.CSV"), content);
    EXPECT_EQ(port.handle(), nullptr);
}

TEST_F(WriteToGauge, FailedLastPieceIsNotTakenForSuccess) {
    pcFolder.put("A.CSV", "only");
    busFaults().unplugAfterTransfers = 2;  // the command and its answer
    EXPECT_EQ(write({"A.CSV"}), 0);
    EXPECT_EQ(voice.said,
              (std::vector<Said>{{MessageKind::Error, batchStopped(kUnplugged, "A.CSV")}}));
    EXPECT_EQ(voice.status, "File transfer failed");
}

TEST_F(WriteToGauge, DebugLogRecordsEveryStep) {
    pcFolder.put("A.CSV", "ab\r\n");
    const ScratchFolder settings;
    debugLogPath = debugLogPathIn(settings.path());
    busFaults().failWrites = 1;
    write({"A.CSV"});
    const std::string path = pcFolder.file("A.CSV");
    EXPECT_EQ(settings.read("KorvelDebug.txt"),
              "\nBefore opening file " + path +
                  "\nUSB opened"
                  "\nFailure in sending command write /dev/datalog/A, retry send..."
                  "\nSuccess in sending command write /dev/datalog/A"
                  "\nResponse from gage OK"
                  "\nSending line --> ab\r\n"
                  "\nsentbytes = 4"
                  "\nSuccess in sending command write /dev/datalog/A"
                  "\nResponse from gage OK"
                  "\nSending line --> "
                  "\nsentbytes = 0");
}

TEST_F(WriteToGauge, NoDebugLogUnlessAsked) {
    pcFolder.put("A.CSV", "ab\r\n");
    const ScratchFolder settings;
    write({"A.CSV"});
    EXPECT_TRUE(std::filesystem::is_empty(settings.path()));
}

// A file the data log holds is replaced only after Yes, asked before the gauge is opened; a No
// keeps it and counts it as skipped.
TEST_F(WriteToGauge, FileTheGaugeHoldsIsReplacedOnlyAfterYes) {
    for (const char* name : {"A.CSV", "B.CSV", "C.CSV"}) {
        pcFolder.put(name, "new\r\n");
    }
    dataLog.put("A.CSV", "taken since\n");
    dataLog.put("C.CSV", "taken since\n");
    voice.batchAnswers = {BatchAnswer::No, BatchAnswer::Yes};
    EXPECT_EQ(write({"A.CSV", "B.CSV", "C.CSV"}, std::nullopt), 2);
    EXPECT_EQ(writes()[0], "dir /dev/datalog") << "no gauge list given: the data log is listed";
    const std::string question = "File already exists. Do you want to overwrite?\n\n";
    EXPECT_EQ(voice.said, (std::vector<Said>{{MessageKind::Question, question + "A.CSV"},
                                             {MessageKind::Question, question + "C.CSV"}}));
    EXPECT_EQ(dataLog.read("A.CSV"), "taken since\n");
    EXPECT_EQ(dataLog.read("C.CSV"), "new\n");
    EXPECT_EQ(voice.status,
              "Transfer ended. Saved: 2 (B.CSV, C.CSV); skipped: 1 (A.CSV); failed: 0");

    // The gauge list as last refreshed serves instead of a listing.
    sim::virtualBus().clearCalls();
    voice = RecordingVoice();
    EXPECT_EQ(write({"A.CSV"}, std::vector<std::string>{"A.CSV"}), 0);
    EXPECT_TRUE(calls().empty());
    EXPECT_EQ(voice.said, (std::vector<Said>{{MessageKind::Question, question + "A.CSV"}}));
    EXPECT_EQ(voice.status, "The file A.CSV was kept as it was; it was not transferred.");
}

TEST_F(WriteToGauge, NothingIsSentWhenTheDataLogCannotBeListed) {
    pcFolder.put("A.CSV", "x");
    gauge->faults().silent = true;
    EXPECT_EQ(write({"A.CSV"}, std::nullopt), 0);
    EXPECT_EQ(writes(), (std::vector<std::string>{"dir /dev/datalog"}));
    EXPECT_EQ(voice.said,
              (std::vector<Said>{{MessageKind::Error,
                                  "The Gage did not answer \"dir /dev/datalog\". Check that "
                                  "it is on and connected, then try again."}}));
    EXPECT_EQ(voice.status,
              "Nothing was sent to the Gage: its file list could not be read, and a file on the "
              "Gage is never replaced without asking.");
}

TEST_F(WriteToGauge, DataFileComesBackByteForByte) {
    const std::string original =
        "Product:KQ-77\r\nFilename,A\r\n" + std::string(150, '9') + "\r\n1,2,3\r\n";
    pcFolder.put("ROUND.CSV", original);
    EXPECT_EQ(write({"ROUND.CSV"}), 1);
    std::filesystem::remove(pcFolder.file("ROUND.CSV"));
    EXPECT_EQ(readFilesFromGauge(link, {"ROUND.CSV"}, pcFolder.path(), {}), 1);
    EXPECT_EQ(pcFolder.read("ROUND.CSV"), original);
}

}  // namespace
}  // namespace korvel::test
