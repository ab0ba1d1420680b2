// The Software Upgrade sequence against the simulated gauge in its upgrade mode, on the
// virtual clock.

#include "gauge/upgrade_wire.h"
#include "tests/gauge/upgrade_fixture.h"

namespace korvel::test {
namespace {

const std::string kFailed = "Software upgrade failed";
const std::string kComplete = "Software upgrade complete";

TEST(UpgradeWire, ChecksumIsTheLow16BitsOfTheUnsignedSumHighByteFirst) {
    EXPECT_EQ(withChecksum(std::string("\x01\x02\x03", 3)), std::string("\x01\x02\x03\x00\x06", 5));
    EXPECT_EQ(chunkChecksum(std::string(64, '\xFF')), 0x3FC0);
    EXPECT_EQ(withChecksum(std::string(64, '\xFF')).substr(64), "\x3F\xC0");
    EXPECT_EQ(withChecksum(""), std::string("\x00\x00", 2));
    EXPECT_EQ(chunkChecksum(std::string(300, '\xFF')), (300 * 255) & 0xFFFF);
}

TEST(UpgradeWire, RepliesSplitAtTheFirstBlank) {
    struct Case {
        const char* reply;
        const char* word;
        const char* rest;
        long long number;  // kHuge: saturated rather than wrapped
    };
    constexpr long long kHuge = 1'000'000'000'000LL;
    for (const Case& c :
         {Case{"OK 64", "OK", "64", 64}, Case{"OK", "", "OK", 0},
          Case{"ERROR flash busy", "ERROR", "flash busy", 0}, Case{"OK  12abc", "OK", " 12abc", 12},
          Case{" OK 5", "", "OK 5", 0}, Case{"OK -3", "OK", "-3", -3},
          Case{"OK 99999999999999999999999", "OK", "99999999999999999999999", kHuge}}) {
        const ReplyWords words = splitAtFirstBlank(c.reply);
        EXPECT_EQ(words.word, c.word) << c.reply;
        EXPECT_EQ(words.rest, c.rest) << c.reply;
        if (c.number == kHuge) {
            EXPECT_GT(leadingReplyNumber(words.rest), kHuge) << c.reply;
        } else {
            EXPECT_EQ(leadingReplyNumber(words.rest), c.number) << c.reply;
        }
    }
}

TEST_F(UpgradeTest, A130ByteImageGoesInTwoFullChunksAndOneShortOne) {
    const std::string image = countingBytes(130, 3);
    const std::string path = putFirmware(image);
    const std::int64_t start = clock.nowMs();

    EXPECT_EQ(upgrade.run(workDir.path(), path), 0);

    EXPECT_EQ(chunkSizes(), (std::vector<std::size_t>{66, 66, 4}));
    EXPECT_EQ(bootGauge->firmwareImage(), image);
    EXPECT_TRUE(bootGauge->firmwareComplete());
    EXPECT_EQ(bootGauge->bootloaderImage(), countingBytes(200, 7));
    EXPECT_EQ(bootGauge->commands(), (std::vector<std::string>{"init", "term"}));
    EXPECT_EQ(voice.status, kComplete);
    EXPECT_TRUE(voice.said.empty());
    EXPECT_EQ(voice.rangeHigh, 132);
    // The sums take the total past the bar's end: the bar stays full.
    EXPECT_EQ(voice.progressHistory, (std::vector<int>{64, 128, 192, 200, 0, 66, 132, 132}));
    EXPECT_FALSE(voice.waitCursor);
    // 10 s between the steps and 6 s after "init"; every request was waiting.
    EXPECT_EQ(clock.nowMs() - start, 16000);
    const std::vector<std::string> expectedStatuses = {
        "Sent 64 bytes",  "Sent 128 bytes",    "Sent 192 bytes",
        "Sent 200 bytes", "Bootloader loaded", "Downloading file " + path,
        "Sent 66 bytes",  "Sent 132 bytes",    "Sent 136 bytes",
        kComplete};
    EXPECT_EQ(voice.statuses, expectedStatuses);
}

TEST_F(UpgradeTest, WireOrderOfTheWholeSequence) {
    putFirmware(countingBytes(100));
    ASSERT_EQ(upgrade.run(workDir.path(), workDir.file("KQ77.bin")), 0);
    std::vector<std::string> seen;
    for (const auto& call : calls()) {
        std::string name = call.name;
        if (call.name == "bulk_write" || call.name == "bulk_read") {
            name += " " + std::to_string(call.endpoint) + " " + std::to_string(call.result);
        }
        if (seen.empty() || seen.back() != name || call.name != "bulk_write") {
            seen.push_back(name);
        }
    }
    const std::vector<std::string> expected = {
        // The bootloader: four packets, closed without a reset.
        "open", "set_configuration", "claim_interface", "bulk_write 6 64", "bulk_write 6 8",
        "release_interface", "close",
        // The firmware: init, two requests and chunks, term, its reply, reset and close.
        "open", "set_configuration", "claim_interface", "bulk_write 2 4", "bulk_read 130 5",
        "bulk_write 6 66", "bulk_read 130 5", "bulk_write 6 38", "bulk_write 2 4",
        "bulk_read 130 19", "reset", "release_interface", "close"};
    EXPECT_EQ(seen, expected);
}

TEST_F(UpgradeTest, A128ByteImageEndsWithAChunkOfNoDataAndSumZero) {
    const std::string image = countingBytes(128, 9);
    ASSERT_EQ(upgrade.downloadFirmware(putFirmware(image)), 0);
    ASSERT_EQ(chunkSizes(), (std::vector<std::size_t>{66, 66, 2}));
    EXPECT_EQ(bootGauge->chunks()[2], std::string("\x00\x00", 2));
    EXPECT_EQ(bootGauge->firmwareImage(), image);
    EXPECT_EQ(voice.status, kComplete);
    EXPECT_TRUE(voice.said.empty());
}

TEST_F(UpgradeTest, EveryChunkCarriesTheSumOfItsBytes) {
    const std::string image = std::string(64, '\xFF') + "\x01\x02\x03";
    ASSERT_EQ(upgrade.downloadFirmware(putFirmware(image)), 0);
    ASSERT_EQ(bootGauge->chunks().size(), 2u);
    EXPECT_EQ(bootGauge->chunks()[0].substr(64), "\x3F\xC0");
    EXPECT_EQ(bootGauge->chunks()[1], std::string("\x01\x02\x03\x00\x06", 5));
}

// Requests the download cannot follow: the summary, the failed status, nothing sent.
TEST_F(UpgradeTest, RequestsThatAreNotOkWithACountEndWithTheSummaryOnly) {
    for (const char* request : {"ok 64", "OK", "OK 0", "OK -5", "READY 64", "OK 65", "OK 4096"}) {
        SCOPED_TRACE(request);
        voice = RecordingVoice();
        bootGauge->faults().requestText = request;
        const std::string path = putFirmware(countingBytes(130));

        EXPECT_EQ(upgrade.downloadFirmware(path), -1);

        EXPECT_TRUE(bootGauge->chunks().empty());
        EXPECT_EQ(voice.said, (std::vector<Said>{{MessageKind::Error, summary(path, 0)}}));
        EXPECT_EQ(voice.status, kFailed);
        EXPECT_EQ(bootGauge->commands().back(), "init");
    }
}

TEST_F(UpgradeTest, AnErrorRequestIsShownWithTheCommandAndTheWholeReply) {
    bootGauge->faults().requestText = "ERROR flash locked";
    const std::string path = putFirmware(countingBytes(130));
    EXPECT_EQ(upgrade.downloadFirmware(path), -1);
    const std::vector<Said> expected = {
        {MessageKind::Error, "Failure received from Gage for command - init\n\nERROR flash locked"},
        {MessageKind::Error, summary(path, 0)}};
    EXPECT_EQ(voice.said, expected);
    EXPECT_EQ(voice.status, kFailed);
}

TEST_F(UpgradeTest, NoRequestAfterInitMeansFiveReadsWithPausesThenTwoMessages) {
    bootGauge->faults().silentAfterInit = true;
    const std::string path = putFirmware(countingBytes(130));
    const std::int64_t start = clock.nowMs();

    EXPECT_EQ(upgrade.downloadFirmware(path), -1);

    // 6 s after "init", then five reads of 1 s each followed by a 1 s pause.
    EXPECT_EQ(clock.nowMs() - start, 6000 + 5 * 2000);
    int timedOutReads = 0;
    for (const auto& call : calls()) {
        timedOutReads += call.name == "bulk_read" && call.result < 0 ? 1 : 0;
    }
    EXPECT_EQ(timedOutReads, 5);
    const std::vector<Said> expected = {
        {MessageKind::Error, "Error reading response for INIT or No response received from Gage"},
        {MessageKind::Error, summary(path, 0)}};
    EXPECT_EQ(voice.said, expected);
    EXPECT_EQ(voice.status, kFailed);
    EXPECT_EQ(callNames().back(), "close");
}

TEST_F(UpgradeTest, InitThatCannotBeSentEndsWithTheSummaryAfterItsPause) {
    busFaults().failWrites = 1;
    const std::string path = putFirmware(countingBytes(130));
    const std::int64_t start = clock.nowMs();
    EXPECT_EQ(upgrade.downloadFirmware(path), -1);
    EXPECT_EQ(clock.nowMs() - start, 6000);
    EXPECT_EQ(voice.said, (std::vector<Said>{{MessageKind::Error, summary(path, 0)}}));
    EXPECT_EQ(voice.status, kFailed);
}

TEST_F(UpgradeTest, AChunkThatCannotBeSentIsShownInHexWithItsLength) {
    bootGauge->faults().failingChunk = 2;
    const std::string image =
        std::string(64, 'A') + "BCD" + std::string(1, '\0') + "EFG" + std::string(57, 'H') + "tail";
    const std::string path = putFirmware(image);
    EXPECT_EQ(upgrade.downloadFirmware(path), -1);
    const std::vector<Said> expected = {
        {MessageKind::Error,
         "Error in sending buffer to Gage, buff = 42 43 44 00 45 46 47 48 48 48 48 48 48 48 48 4"
         "8 48 48 48 48 48 48 48 48 48 48 48 48 48 48 48 48 48 48 48 48 48 48 48 48 48 48 48 48 "
         "48 48 48 48 48 48 48 48 48 48 48 48 48 48 48 48 48 48 48 48, length = 66"},
        {MessageKind::Error, summary(path, 66)}};
    EXPECT_EQ(voice.said, expected);
    EXPECT_EQ(voice.status, kFailed);
}

TEST_F(UpgradeTest, TheFinalReplyDecidesTheOutcome) {
    const std::string kNotConfirmed =
        "The Gage did not confirm the end of the upgrade. Check the Gage: turn it off and on; if "
        "it does not start with the new software, upgrade it again.";
    struct Case {
        const char* termReply;
        bool silent;
        int result;
        std::vector<Said> said;
        std::string status;
    };
    const std::vector<Case> cases = {
        {"OK flashed", false, 0, {}, kComplete},
        {"ERROR verify failed",
         false,
         -1,
         {{MessageKind::Error, "TERM command returned error \n\nERROR verify failed"}},
         kFailed},
        {"DONE", false, -1, {{MessageKind::Error, kNotConfirmed + "\n\nDONE"}}, kFailed},
        {"OK", false, 0, {}, kComplete},
        {"", true, -1, {{MessageKind::Error, kNotConfirmed}}, kFailed},
        {"\x1b[2J", false, -1, {{MessageKind::Error, kNotConfirmed + "\n\n\\x1b[2J"}}, kFailed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.termReply);
        voice = RecordingVoice();
        bootGauge->faults().termReply = c.termReply;
        bootGauge->faults().silentTerm = c.silent;
        EXPECT_EQ(upgrade.downloadFirmware(putFirmware(countingBytes(130))), c.result);
        EXPECT_EQ(voice.said, c.said);
        EXPECT_EQ(voice.status, c.status);
        EXPECT_EQ(callNames().back(), "close");
    }
}

TEST_F(UpgradeTest, BootloaderWriteErrorsAfter100000BytesEndTheStepWell) {
    struct Case {
        long long accepted;
        bool loaded;
    };
    // 1563 packets are 100032 bytes; 1562 packets only 99968.
    for (const Case& c : {Case{100032, true}, Case{99968, false}, Case{64, false}}) {
        SCOPED_TRACE(c.accepted);
        voice = RecordingVoice();
        sim::virtualBus().unplugAll();
        bootGauge = std::make_shared<sim::BootModeGauge>();
        sim::virtualBus().plugIn(bootGauge);
        bootGauge->faults().imageBytesAccepted = c.accepted;
        workDir.put(kBootloaderFileName, countingBytes(120000));

        EXPECT_EQ(upgrade.loadBootloader(workDir.file(kBootloaderFileName)), c.loaded);

        const std::vector<Said> failed = {{MessageKind::Error, "Bootloader download failed"}};
        EXPECT_EQ(voice.said, c.loaded ? std::vector<Said>() : failed);
        EXPECT_EQ(voice.status,
                  c.loaded ? "Sent " + std::to_string(c.accepted) + " bytes" : kFailed);
        EXPECT_EQ(bootGauge->bootloaderImage(),
                  countingBytes(static_cast<std::size_t>(c.accepted)));
        EXPECT_EQ(callNames().back(), "close");
    }
}

TEST_F(UpgradeTest, FailedBootloaderStopsTheSequenceBeforeTheFirmware) {
    bootGauge->faults().imageBytesAccepted = 0;
    EXPECT_EQ(upgrade.run(workDir.path(), putFirmware(countingBytes(130))), -1);
    EXPECT_TRUE(bootGauge->commands().empty());
    EXPECT_EQ(voice.status, kFailed);
}

TEST_F(UpgradeTest, MissingOrEmptyFilesAreReportedBeforeAnythingIsSent) {
    const std::string noBootloader = "Select a valid bin file to download for software upgrade";
    workDir.put("empty.bin", "");
    for (const std::string& boot :
         {workDir.file("none.bin"), workDir.file("empty.bin"), std::string()}) {
        voice = RecordingVoice();
        EXPECT_FALSE(upgrade.loadBootloader(boot));
        EXPECT_EQ(voice.said, (std::vector<Said>{{MessageKind::Error, noBootloader}}));
        EXPECT_EQ(voice.status, "");
    }
    for (const std::string& image : {workDir.file("none.bin"), workDir.file("empty.bin")}) {
        voice = RecordingVoice();
        EXPECT_EQ(upgrade.downloadFirmware(image), -1);
        EXPECT_EQ(voice.said,
                  (std::vector<Said>{{MessageKind::Error, "Error opening file " + image}}));
        EXPECT_EQ(voice.status, kFailed);
    }
    EXPECT_TRUE(calls().empty());
}

TEST_F(UpgradeTest, WithoutAChosenImageTheBootloaderAloneCompletesTheUpgrade) {
    EXPECT_EQ(upgrade.run(workDir.path(), ""), 0);
    EXPECT_EQ(voice.status, kComplete);
    EXPECT_TRUE(bootGauge->commands().empty());
    EXPECT_EQ(upgrade.downloadFirmware(""), 0);
}

TEST_F(UpgradeTest, AGaugeNotInUpgradeModeIsToldToBeSwitched) {
    const std::string normalMode =
        "The KQ-77 is connected in its normal mode and must be switched to its upgrade mode: "
        "turn it off, then hold its DOWN arrow key while you plug in the USB cable, and start "
        "the download again.";
    struct ModeCase {
        const char* name;
        bool normalGaugePlugged;
        std::string message;
    };
    const std::string path = putFirmware(countingBytes(10));
    for (const auto& c : {ModeCase{"normal identity only", true, normalMode},
                          ModeCase{"no gauge at all", false, texts.linkFailureMessage()}}) {
        SCOPED_TRACE(c.name);
        sim::virtualBus().unplugAll();
        if (c.normalGaugePlugged) {
            sim::virtualBus().plugIn(gauge);
        }
        voice = RecordingVoice();
        EXPECT_FALSE(upgrade.loadBootloader(workDir.file(kBootloaderFileName)));
        EXPECT_EQ(voice.said, (std::vector<Said>{{MessageKind::Error, c.message}}));
        EXPECT_EQ(voice.status, "");
        voice = RecordingVoice();
        EXPECT_EQ(upgrade.downloadFirmware(path), -1);
        EXPECT_EQ(voice.said, (std::vector<Said>{{MessageKind::Error, c.message}}));
        EXPECT_EQ(voice.status, kFailed);
        EXPECT_FALSE(voice.waitCursor);
    }
}

TEST_F(UpgradeTest, AGaugeThatWillNotOpenFailsTheStepWithTheTransportsMessage) {
    busFaults().configurationFails = true;
    const std::string path = putFirmware(countingBytes(10));
    EXPECT_EQ(upgrade.downloadFirmware(path), -1);
    EXPECT_EQ(
        voice.said,
        (std::vector<Said>{{MessageKind::Notice, "Error in setting configuration to USB device"}}));
    EXPECT_EQ(voice.status, kFailed);
}

TEST_F(UpgradeTest, TheGaugeRefusesAChunkWithAWrongSum) {
    // A chunk whose sum does not match is answered "ERROR ..." instead of the next request.
    sim::BootModeGauge direct;
    direct.receive(2, "init");
    ASSERT_EQ(direct.nextPacket(0x82), "OK 64");
    std::string chunk = withChecksum(countingBytes(64));
    chunk.back() ^= 1;
    direct.receive(6, chunk);
    const auto reply = direct.nextPacket(0x82);
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(reply->rfind("ERROR ", 0), 0u) << *reply;
    EXPECT_TRUE(direct.firmwareImage().empty());
    direct.receive(2, "term");
    EXPECT_EQ(direct.nextPacket(0x82)->rfind("ERROR ", 0), 0u);
    EXPECT_FALSE(direct.firmwareComplete());
}

}  // namespace
}  // namespace korvel::test
