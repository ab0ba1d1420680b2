// Reading files from the simulated gauge into the PC data folder.

#include <gtest/gtest.h>

#include "app/platform.h"
#include "gauge/read_from_gauge.h"
#include "tests/gauge/simulated_gauge_fixture.h"
#include "tests/support/without_root.h"

namespace korvel::test {
namespace {

class ReadFromGauge : public SimulatedGaugeTest {
  protected:
    int read(const std::vector<std::string>& names, const std::string& folder = "") {
        return readFilesFromGauge(link, names, folder.empty() ? pcFolder.path() : folder,
                                  [this] { ++refreshes; });
    }
    // The gauge answers every read command with exactly these packets.
    void answerReadsWith(std::deque<std::string> packets) {
        gauge->addCommand("read /dev/datalog/", [packets](const std::string&) { return packets; });
    }
    int refreshes = 0;
};

TEST_F(ReadFromGauge, TextFileIsSavedWithCrLfUnderItsListedName) {
    dataLog.put("A1.CSV", "Product\nFilename,2\n");
    EXPECT_EQ(read({"A1.CSV"}), 1);
    EXPECT_EQ(writes(), (std::vector<std::string>{"read /dev/datalog/A1"}));
    EXPECT_EQ(pcFolder.read("A1.CSV"), "Product\r\nFilename,2\r\n");
    EXPECT_EQ(voice.statuses,
              (std::vector<std::string>{"", "Transfer complete",
                                        "File transfer complete. File A1.CSV saved"}));
    EXPECT_TRUE(voice.said.empty()) << (voice.said.empty() ? "" : voice.said[0].text);
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(voice.progress, 0);
    EXPECT_FALSE(voice.waitCursor);
    EXPECT_GE(clock.nowMs(), 3000);
    EXPECT_EQ(port.handle(), nullptr);
}

TEST_F(ReadFromGauge, BinaryFilesArriveByteForByte) {
    std::string image;
    for (int i = 0; i < 200; ++i) {
        image += static_cast<char>(i % 7 == 0 ? 0 : (i * 37) & 0xFF);
    }
    image += '\xFF';
    for (const char* name : {"LOGO.BMP", "FW.BIN"}) {
        SCOPED_TRACE(name);
        dataLog.put(name, image);
        EXPECT_EQ(read({name}), 1);
        EXPECT_EQ(pcFolder.read(name), image);
        EXPECT_EQ(voice.rangeHigh, 100000);
        EXPECT_EQ(*std::max_element(voice.progressHistory.begin(), voice.progressHistory.end()),
                  100000);
        EXPECT_NE(std::find(voice.progressHistory.begin(), voice.progressHistory.end(), 201),
                  voice.progressHistory.end())
            << "the progress follows the byte count";
    }
    EXPECT_EQ(writes(),
              (std::vector<std::string>{"read /dev/datalog/LOGO", "read /dev/datalog/FW"}));
}

struct ReplyCase {
    const char* name;
    std::deque<std::string> packets;
    std::string saved;
};

TEST_F(ReadFromGauge, TextReplyLosesItsLastTwoCharactersAndEndsLinesWithCrLf) {
    const std::vector<ReplyCase> cases = {
        {"two characters", {"Filename\nxy"}, "Filename\r\n"},
        {"one character", {"Filename\nx"}, "Filename"},
        {"trailer in the last packet", {"Filename\nb\n\xFF\xFF"}, "Filename\r\nb\r\n"},
        {"CR LF from the gauge stays single",
         {"Filename\r\nb\r\n", "\xFF\xFF"},
         "Filename\r\nb\r\n"},
        {"NUL ends a packet's text",
         {std::string("Filename,ab\0cd", 14), "ef\n", "\xFF\xFF"},
         "Filename,abef\r\n"},
        {"empty packets do not end the reply",
         {"Filename,ab", "", "c\n", "..."},
         "Filename,abc\r\n."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        answerReadsWith(c.packets);
        EXPECT_EQ(read({"T.CSV"}), 1);
        EXPECT_EQ(pcFolder.read("T.CSV"), c.saved);
        std::filesystem::remove(pcFolder.file("T.CSV"));
    }
}

TEST_F(ReadFromGauge, NameWithoutAKnownExtensionSendsAnEmptyBaseName) {
    dataLog.put("NOTES.TXT", "x\n");
    read({"NOTES.TXT", "X.csv"});
    EXPECT_EQ(writes(), (std::vector<std::string>{"read /dev/datalog/", "read /dev/datalog/"}));
}

TEST_F(ReadFromGauge, ExistingFileIsOverwrittenOnlyAfterYes) {
    dataLog.put("A.CSV", "Filename,new\n");
    pcFolder.put("A.CSV", "old");
    voice.answers = {false};
    EXPECT_EQ(read({"A.CSV"}), 0);
    EXPECT_EQ(pcFolder.read("A.CSV"), "old");
    EXPECT_EQ(voice.said,
              (std::vector<Said>{{MessageKind::Question,
                                  "File already exists. Do you want to overwrite?\n\nA.CSV"}}));
    EXPECT_EQ(voice.statuses,
              (std::vector<std::string>{
                  "", "The file A.CSV was kept as it was; it was not transferred."}))
        << "Transfer complete is never shown while the question is open";
    EXPECT_EQ(refreshes, 0);

    voice.answers = {true};
    EXPECT_EQ(read({"A.CSV"}), 1);
    EXPECT_EQ(pcFolder.read("A.CSV"), "Filename,new\r\n");
    EXPECT_EQ(refreshes, 1);
}

// A batch's question offers Yes to All and No to All, which answer the later questions; the
// batch ends with its summary.
TEST_F(ReadFromGauge, BatchQuestionsAnswerForAllAndTheBatchEndsWithItsSummary) {
    const std::vector<std::string> names = {"A.CSV", "B.CSV", "C.CSV", "D.CSV"};
    const struct {
        std::deque<BatchAnswer> answers;
        std::size_t asked;
        std::string summary;
    } cases[] = {
        {{BatchAnswer::Yes, BatchAnswer::NoToAll},
         2,
         "Transfer ended. Saved: 1 (A.CSV); skipped: 3 (B.CSV, C.CSV, D.CSV); failed: 0"},
        {{BatchAnswer::No, BatchAnswer::YesToAll},
         2,
         "Transfer ended. Saved: 3 (B.CSV, C.CSV, D.CSV); skipped: 1 (A.CSV); failed: 0"},
        {{BatchAnswer::No, BatchAnswer::Yes, BatchAnswer::No, BatchAnswer::Yes},
         4,
         "Transfer ended. Saved: 2 (B.CSV, D.CSV); skipped: 2 (A.CSV, C.CSV); failed: 0"},
    };
    for (const auto& c : cases) {
        voice = RecordingVoice();
        for (const auto& name : names) {
            dataLog.put(name, "Filename,new\n");
            pcFolder.put(name, "old");
        }
        voice.batchAnswers = c.answers;
        read(names);
        ASSERT_EQ(voice.askedInBatch.size(), c.asked);
        EXPECT_EQ(voice.askedInBatch[0].text,
                  "File already exists. Do you want to overwrite?\n\nA.CSV");
        EXPECT_EQ(voice.askedInBatch[0].yesToAll, "Yes to &All");
        EXPECT_EQ(voice.askedInBatch[0].noToAll, "N&o to All");
        EXPECT_EQ(voice.status, c.summary);
    }
}

TEST_F(ReadFromGauge, EmptyExistingFileIsReplacedWithoutAsking) {
    dataLog.put("A.CSV", "Filename,new\n");
    pcFolder.put("A.CSV", "");
    EXPECT_EQ(read({"A.CSV"}), 1);
    EXPECT_TRUE(voice.said.empty());
    EXPECT_EQ(pcFolder.read("A.CSV"), "Filename,new\r\n");
}

TEST_F(ReadFromGauge, SeveralFilesInListOrderEachWithItsOwnExchangeAndPause) {
    for (const char* name : {"C.CSV", "A.CSV", "B.CSV"}) {
        dataLog.put(name, "Filename," + std::string(name) + "\n");
    }
    EXPECT_EQ(read({"C.CSV", "A.CSV", "B.CSV"}), 3);
    EXPECT_EQ(writes(), (std::vector<std::string>{"read /dev/datalog/C", "read /dev/datalog/A",
                                                  "read /dev/datalog/B"}));
    EXPECT_GE(clock.nowMs(), 9000);
    EXPECT_EQ(voice.status,
              "Transfer ended. Saved: 3 (C.CSV, A.CSV, B.CSV); skipped: 0; failed: 0");
    const auto names = callNames();
    EXPECT_EQ(std::count(names.begin(), names.end(), "open"), 3);
}

TEST_F(ReadFromGauge, NothingReceivedIsAFailedTransferAndWritesNothing) {
    gauge->faults().silent = true;
    EXPECT_EQ(read({"A.CSV"}), 0);
    EXPECT_EQ(voice.status, "File transfer failed");
    EXPECT_EQ(voice.said, (std::vector<Said>{{MessageKind::Error,
                                              "The Gage did not answer \"read /dev/datalog/A\". "
                                              "Check that it is on and connected, then try "
                                              "again."}}));
    EXPECT_FALSE(pcFolder.has("A.CSV"));
}

TEST_F(ReadFromGauge, ErrorAnswerIsShownAndNotSavedAsTheFile) {
    pcFolder.put("GONE.CSV", "good data");
    EXPECT_EQ(read({"GONE.CSV"}), 0);
    ASSERT_EQ(voice.said.size(), 1u);
    EXPECT_EQ(voice.said[0],
              (Said{MessageKind::Error,
                    "The Gage did not send the file GONE.CSV. Its answer:\n\nERROR file not found: "
                    "GONE"}));
    EXPECT_EQ(voice.status, "File transfer failed");
    EXPECT_EQ(pcFolder.read("GONE.CSV"), "good data");
}

TEST_F(ReadFromGauge, NamesThatAreNotPlainFileNamesAreRefusedBeforeAnyExchange) {
    const ScratchFolder outside;
    const std::vector<std::string> hostile = {
        "../evil.CSV",           "..",     ".", "", "sub/x.CSV", "sub\\x.CSV",
        outside.file("abs.CSV"), "C:x.CSV"};
    EXPECT_EQ(read(hostile), 0);
    ASSERT_EQ(voice.said.size(), hostile.size());
    for (std::size_t i = 0; i < hostile.size(); ++i) {
        EXPECT_EQ(voice.said[i],
                  (Said{MessageKind::Error, "The Gage listed \"" + hostile[i] +
                                                "\", which is not a plain file name. The file "
                                                "was not transferred."}));
    }
    EXPECT_TRUE(calls().empty());
    EXPECT_FALSE(outside.has("abs.CSV"));
    EXPECT_FALSE(
        std::filesystem::exists(std::filesystem::path(pcFolder.path()) / ".." / "evil.CSV"));
    EXPECT_TRUE(std::filesystem::is_empty(pcFolder.path()));
}

TEST_F(ReadFromGauge, UnwritableTargetIsReportedByName) {
    dataLog.put("A.CSV", "Filename,a\n");
    const std::string missingFolder = pcFolder.file("no-such-folder");
    EXPECT_EQ(read({"A.CSV"}, missingFolder), 0);
    ASSERT_EQ(voice.said.size(), 1u);
    EXPECT_EQ(voice.said[0].kind, MessageKind::Error);
    const std::string target = joinPath(missingFolder, "A.CSV");
    EXPECT_EQ(voice.said[0].text.rfind("Cannot save the file " + target +
                                           ". Check that the folder exists and that you may "
                                           "write to it.\n\n",
                                       0),
              0u)
        << voice.said[0].text;
    EXPECT_EQ(voice.status, "File transfer failed");
    EXPECT_EQ(refreshes, 0);
}

TEST_F(ReadFromGauge, ReadOnlyFolderIsReportedAndKeepsItsFile) {
    dataLog.put("A.CSV", "Filename,new\n");
    pcFolder.put("A.CSV", "old");
    using std::filesystem::perms;
    std::filesystem::permissions(pcFolder.path(), perms::owner_read | perms::owner_exec |
                                                      perms::others_read | perms::others_exec);
    voice.defaultAnswer = true;
    // Root writes into any folder: the read runs as nobody.
    const std::string seen = seenWithoutRoot([&]() -> std::string {
        if (std::FILE* probe = std::fopen(pcFolder.file("probe").c_str(), "wb")) {
            std::fclose(probe);
            return "writable";
        }
        const int saved = read({"A.CSV"});
        return std::to_string(saved) + " saved, " + std::to_string(voice.said.size()) + " said" +
               (voice.said.size() == 2 && voice.said[1].kind == MessageKind::Error
                    ? ", the last an error: " + voice.said[1].text
                    : "");
    });
    if (seen == "writable") {
        GTEST_SKIP() << "this system lets the user write into read-only folders";
    }
    EXPECT_EQ(seen.rfind("0 saved, 2 said, the last an error: ", 0), 0u) << seen;
    EXPECT_NE(seen.find("Cannot save the file " + pcFolder.file("A.CSV")), std::string::npos)
        << seen;
    EXPECT_EQ(pcFolder.read("A.CSV"), "old");
}

TEST_F(ReadFromGauge, UnpluggingMidTransferReportsItAndLeavesThePcFileAsItWas) {
    dataLog.put("BIG.CSV", std::string(1000, 'x') + "\n");
    pcFolder.put("BIG.CSV", "the good old file");
    voice.defaultAnswer = true;
    busFaults().unplugAfterTransfers = 4;  // the command and three packets
    EXPECT_EQ(read({"BIG.CSV"}), 0);
    ASSERT_EQ(voice.said.size(), 1u);
    EXPECT_EQ(voice.said[0], (Said{MessageKind::Error,
                                   "The connection to the Gage was lost while reading "
                                   "BIG.CSV. The file was not saved.\n\nThe Gage was "
                                   "disconnected. Check the USB cable and that the Gage is "
                                   "switched on, then transfer the file again."}));
    EXPECT_EQ(pcFolder.read("BIG.CSV"), "the good old file");
    EXPECT_EQ(port.handle(), nullptr);
    EXPECT_FALSE(link.opened());
}

TEST_F(ReadFromGauge, LostLinkEndsTheBatchWithOneMessage) {
    const std::string notTried =
        "\n\nThe transfer stopped there. These files were not tried:\nB.CSV\nC.CSV";
    const std::string lostWhileReading = "The connection to the Gage was lost while reading ";
    struct LostCase {
        const char* name;
        std::function<void()> fault;
        int saved;
        std::string message;
        // Time on the gauge's clock until the message: the waits of the files before and of the
        // command, but no pause after the file that lost the link.
        std::int64_t pausedMs;
    };
    const std::vector<LostCase> cases = {
        {"no gauge", [] { sim::virtualBus().unplugAll(); }, 0,
         texts.linkFailureMessage() + "\n\nThe file A.CSV was not transferred." + notTried, 0},
        {"command not taken", [this] { busFaults().failWrites = 2; }, 0,
         "Error sending command or line to Gage\n\nThe file A.CSV was not transferred." + notTried,
         1500},
        // A: command, its text and end marker; B: command and one packet.
        {"unplugged while reading B", [this] { busFaults().unplugAfterTransfers = 5; }, 1,
         lostWhileReading + "B.CSV. The file was not saved.\n\nThe Gage was disconnected. "
                            "Check the USB cable and that the Gage is switched on, then "
                            "transfer the file again.\n\nThe transfer stopped there. "
                            "These files were not tried:\nC.CSV",
         4000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        voice = RecordingVoice();
        dataLog.put("A.CSV", "Filename,a\n");
        dataLog.put("B.CSV", std::string(1000, 'b') + "\n");
        dataLog.put("C.CSV", "Filename,c\n");
        c.fault();
        const std::int64_t start = clock.nowMs();
        EXPECT_EQ(read({"A.CSV", "B.CSV", "C.CSV"}), c.saved);
        EXPECT_EQ(clock.nowMs() - start, c.pausedMs);
        EXPECT_EQ(voice.said, (std::vector<Said>{{MessageKind::Error, c.message}}));
        EXPECT_EQ(std::count(voice.statuses.begin(), voice.statuses.end(), "File transfer failed"),
                  1);
        EXPECT_FALSE(pcFolder.has("C.CSV"));
        EXPECT_EQ(port.handle(), nullptr);
    }
}

}  // namespace
}  // namespace korvel::test
