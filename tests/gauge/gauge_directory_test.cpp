// The gauge file list: parsing the listing and the "dir /dev/datalog" exchange.

#include <gtest/gtest.h>

#include <functional>

#include "gauge/gauge_directory.h"
#include "tests/gauge/simulated_gauge_fixture.h"
#include "tests/support/listing_time.h"

namespace korvel::test {
namespace {

struct ParseCase {
    const char* reply;
    std::vector<FileListEntry> entries;  // name, modified, type
};

TEST(ParseGageDirectory, FieldsOfEveryLineShape) {
    const std::vector<ParseCase> cases = {
        {"A.CSV,CSV,01/02/2026 10:11 AM,\r\nB.BIN,BIN,12/31/2025 09:05 PM,\r\n",
         {{"A.CSV", "01/02/2026 10:11 AM", "CSV"}, {"B.BIN", "12/31/2025 09:05 PM", "BIN"}}},
        {"NAME,TYPE,DATEXY\n", {{"NAME", "DATE", "TYPE"}}},
        {"\n", {{"", "", ""}}},
        {"a,b,xyz\n", {{"a", "x", "b"}}},
        {"a,b,x\n", {{"a", "", "b"}}},
        {"abcdef\n", {{"", "abcd", ""}}},
        {"ab,cdef\n", {{"ab", "ab,cd", ""}}},
        {"ab,cd,ef,gh,\r\n", {{"ab", "ef,gh", "cd"}}},
        // A last piece without a line feed is one more entry.
        {"A,B,CDEF\nX,Y,ZZZ", {{"A", "CD", "B"}, {"X", "Z", "Y"}}},
        {"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply);
        EXPECT_EQ(ParseGageDirectory(c.reply), c.entries);
    }
}

TEST(FileListRows, LastEntryIsTheFirstRow) {
    const std::vector<FileListEntry> entries = {{"1", "", ""}, {"2", "", ""}, {"3", "", ""}};
    EXPECT_EQ(fileListRows(entries),
              (std::vector<FileListEntry>{{"3", "", ""}, {"2", "", ""}, {"1", "", ""}}));
}

using GaugeDirectory = SimulatedGaugeTest;

TEST_F(GaugeDirectory, ListsTheDataLogInTwoSecondsAndReleasesTheLink) {
    dataLog.put("B.BIN", "xx");
    dataLog.put("A.CSV", "a\n");
    const std::string reply = ReadGageDirectory(link).value_or("<failed>");
    EXPECT_EQ(writes(), (std::vector<std::string>{"dir /dev/datalog"}));
    const auto entries = ParseGageDirectory(reply);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "A.CSV");
    EXPECT_EQ(entries[0].type, "CSV");
    EXPECT_EQ(entries[1].name, "B.BIN");
    EXPECT_TRUE(isListingTime(entries[1].modified)) << entries[1].modified;
    EXPECT_EQ(voice.status, "Gage directory file list refresh complete");
    EXPECT_EQ(voice.progress, 1);
    EXPECT_GE(clock.nowMs(), 2000);
    const auto names = callNames();
    EXPECT_EQ(std::vector<std::string>(names.end() - 4, names.end()),
              (std::vector<std::string>{"reset", "reset", "release_interface", "close"}));
    EXPECT_EQ(port.handle(), nullptr);
}

TEST_F(GaugeDirectory, ProgressMovesByFivesAndStopsAt95WhilePacketsArrive) {
    for (int i = 0; i < 40; ++i) {
        dataLog.put("FILE" + std::to_string(100 + i) + ".CSV", "x");
    }
    const std::string reply = ReadGageDirectory(link).value_or("");
    ASSERT_GT(reply.size(), 20u * 64u);
    std::vector<int> expected;
    for (int m = 1; m < 20; ++m) {
        expected.push_back(m * 5);
    }
    expected.push_back(100);
    expected.push_back(1);
    EXPECT_EQ(voice.progressHistory, expected);
    EXPECT_EQ(voice.rangeLow, 1);
    EXPECT_EQ(voice.rangeHigh, 100);
}

TEST_F(GaugeDirectory, NoGaugeShowsTheFailureOnceAndPutsItInTheStatusLine) {
    sim::virtualBus().unplugAll();
    EXPECT_EQ(refreshGaugeFileList(link), std::nullopt);
    ASSERT_EQ(voice.said.size(), 1u);
    EXPECT_EQ(voice.said[0].kind, MessageKind::Error);
    EXPECT_EQ(voice.said[0].text, texts.linkFailureMessage());
    EXPECT_EQ(voice.status, texts.linkFailureMessage());
    EXPECT_EQ(voice.progress, 1);
    EXPECT_FALSE(voice.waitCursor);
}

TEST_F(GaugeDirectory, UnsentCommandSaysSoAndLeavesTheStatusEmpty) {
    busFaults().failWrites = 2;
    EXPECT_EQ(ReadGageDirectory(link), std::nullopt);
    ASSERT_EQ(voice.said.size(), 1u);
    EXPECT_EQ(voice.said[0].kind, MessageKind::Error);
    EXPECT_EQ(voice.said[0].text, "Error sending command or line to Gage");
    EXPECT_EQ(voice.status, "");
    EXPECT_EQ(voice.progress, 1);
    EXPECT_GE(clock.nowMs(), 1000 + 500) << "drain, then the pause before the resend";
}

TEST_F(GaugeDirectory, SilentGaugeGivesTheRefreshFailure) {
    gauge->faults().silent = true;
    EXPECT_EQ(refreshGaugeFileList(link), std::nullopt);
    EXPECT_EQ(voice.status, "Gage directory file list refresh failed");
    EXPECT_EQ(voice.progressHistory, (std::vector<int>{0, 1}));
}

TEST_F(GaugeDirectory, OnlyAWholeListingIsBelieved) {
    struct EndCase {
        const char* name;
        int files;
        int unplugAfterTransfers;  // -1: the gauge stays
        std::optional<std::size_t> entries;
        const char* status;
        int progressBeforeRelease;
    };
    const std::vector<EndCase> cases = {
        {"empty data log: the end marker alone", 0, -1, 0u,
         "Gage directory file list refresh complete", 100},
        {"link lost after a few packets", 40, 6, std::nullopt,
         "Gage directory file list refresh failed", 0},
        {"whole listing", 3, -1, 3u, "Gage directory file list refresh complete", 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        for (int i = 0; i < c.files; ++i) {
            dataLog.put("F" + std::to_string(100 + i) + ".CSV", "x");
        }
        busFaults().unplugAfterTransfers = c.unplugAfterTransfers;
        const auto entries = refreshGaugeFileList(link);
        EXPECT_EQ(entries ? std::optional(entries->size()) : std::nullopt, c.entries);
        EXPECT_EQ(voice.status, c.status);
        ASSERT_GE(voice.progressHistory.size(), 2u);
        EXPECT_EQ(voice.progressHistory.end()[-2], c.progressBeforeRelease);
        for (const auto& file : std::filesystem::directory_iterator(dataLog.path())) {
            std::filesystem::remove(file.path());
        }
    }
}

TEST_F(GaugeDirectory, RefreshGivesTheEntriesAndKeepsHostileNamesForTheReadToRefuse) {
    dataLog.put("A.CSV", "a\n");
    gauge->faults().extraListing = {"../../evil.CSV,CSV,01/01/2026 10:00 AM,"};
    const auto entries = refreshGaugeFileList(link);
    ASSERT_TRUE(entries.has_value());
    ASSERT_EQ(entries->size(), 2u);
    EXPECT_EQ((*entries)[1].name, "../../evil.CSV");
    EXPECT_FALSE(voice.waitCursor);
}

TEST_F(GaugeDirectory, GarbageFromTheGaugeParsesWithoutHarm) {
    const std::string noise = sim::gaugeNoise();
    EXPECT_FALSE(ParseGageDirectory(noise).empty());
}

// Every reply that is no whole listing leaves the list as it was and says why, once.
TEST_F(GaugeDirectory, AReplyThatIsNoListingIsRefusedWithAMessage) {
    struct FaultCase {
        const char* name;
        std::function<void()> fault;
        const char* message;
    };
    const std::vector<FaultCase> cases = {
        {"error answer", [this] { gauge->faults().errorReply = "ERROR busy"; },
         "The Gage refused the command \"dir /dev/datalog\". Its answer:\n\nERROR busy"},
        {"garbage without end marker", [this] { gauge->faults().garbage = true; },
         "The Gage's answer to \"dir /dev/datalog\" stopped before the end of a listing. The "
         "list is unchanged: refresh it again."},
        {"silent", [this] { gauge->faults().silent = true; },
         "The Gage did not answer \"dir /dev/datalog\". Check that it is on and connected, then "
         "try again."},
        {"endless", [this] { busFaults().endless = true; },
         "The Gage's answer to \"dir /dev/datalog\" went on past 16 MB without ending, so it was "
         "not taken. Turn the Gage off and on, then try again."},
        {"dropped after one packet", [this] { busFaults().dropAfterReplyPackets = 1; },
         "The connection to the Gage was lost during \"dir /dev/datalog\". Nothing was taken "
         "from its answer."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        dataLog.put("A.CSV", "a\n");
        for (int i = 0; i < 3; ++i) {
            dataLog.put("LONGER-NAME-" + std::to_string(i) + ".CSV", "x");
        }
        c.fault();
        voice.said.clear();
        EXPECT_EQ(refreshGaugeFileList(link), std::nullopt);
        ASSERT_EQ(voice.said.size(), 1u);
        EXPECT_EQ(voice.said[0].kind, MessageKind::Error);
        EXPECT_EQ(voice.said[0].text, c.message);
        EXPECT_EQ(voice.status, "Gage directory file list refresh failed");
        EXPECT_EQ(port.handle(), nullptr);
    }
}

}  // namespace
}  // namespace korvel::test
