// A cancel at each stage of a read, a write, a listing, the velocities and the upgrade: what
// is kept, what the status says, and that the gauge is released.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "gauge/gauge_directory.h"
#include "gauge/read_from_gauge.h"
#include "gauge/user_velocity.h"
#include "gauge/write_to_gauge.h"
#include "tests/gauge/upgrade_fixture.h"

namespace korvel::test {
namespace {

class CancelTest : public SimulatedGaugeTest {
  protected:
    // Cancels once the condition holds, noting the clock's time at that moment.
    void cancelWhen(std::function<bool()> condition) {
        voice.cancelWhen = [this, condition] {
            if (!cancelledAt && condition()) {
                cancelledAt = clock.nowMs();
            }
            return cancelledAt.has_value();
        };
    }
    bool written(const std::string& bytes) const {
        const auto all = writes();
        return std::find(all.begin(), all.end(), bytes) != all.end();
    }
    void expectReleased() {
        EXPECT_EQ(port.handle(), nullptr);
        EXPECT_EQ(callNames().back(), "close");
    }

    std::optional<std::int64_t> cancelledAt;
};

bool statusSeen(const RecordingVoice& voice, const std::string& status) {
    return std::find(voice.statuses.begin(), voice.statuses.end(), status) != voice.statuses.end();
}

// When the person cancels, judged by what the voice was told so far.
using CancelPoint = std::function<bool(const RecordingVoice&)>;

struct BatchCase {
    const char* stage;
    CancelPoint when;
    std::vector<std::string> done;  // on the PC (read) or in the data log (write)
    std::string status;
};

TEST_F(CancelTest, ReadingStopsAtThePacketOrPauseAndSavesNothingPartial) {
    const std::string big = "Filename," + std::string(300, 'x');
    const std::vector<BatchCase> cases = {
        {"before the first file",
         [](const RecordingVoice&) { return true; },
         {},
         "Transfer cancelled. 0 of 3 files done"},
        {"inside the second file",
         [](const RecordingVoice& v) { return v.status == "file 2 of 3: B.CSV" && v.progress > 0; },
         {"A.CSV"},
         "Transfer cancelled. 1 of 3 files done: A.CSV"},
        {"in the pause after the first file",
         [](const RecordingVoice& v) {
             return statusSeen(v, "File transfer complete. File A.CSV saved");
         },
         {"A.CSV"},
         "Transfer cancelled. 1 of 3 files done: A.CSV"},
    };
    for (const BatchCase& c : cases) {
        SCOPED_TRACE(c.stage);
        SetUp();
        cancelledAt.reset();
        voice.statuses.clear();
        for (const char* name : {"A.CSV", "B.CSV", "C.CSV"}) {
            dataLog.put(name, big);
            std::filesystem::remove(pcFolder.file(name));
        }
        cancelWhen([this, &c] { return c.when(voice); });
        EXPECT_EQ(readFilesFromGauge(link, {"A.CSV", "B.CSV", "C.CSV"}, pcFolder.path(), {}),
                  static_cast<int>(c.done.size()));
        for (const char* name : {"A.CSV", "B.CSV", "C.CSV"}) {
            const bool done = std::find(c.done.begin(), c.done.end(), name) != c.done.end();
            EXPECT_EQ(pcFolder.has(name), done) << name;
        }
        EXPECT_FALSE(written("read /dev/datalog/C"));
        EXPECT_EQ(voice.status, c.status);
        EXPECT_TRUE(voice.said.empty());
        EXPECT_LT(clock.nowMs() - *cancelledAt, 100);
        if (written("read /dev/datalog/A")) {
            expectReleased();
        }
    }
}

TEST_F(CancelTest, WritingReportsTheFileLeftIncomplete) {
    std::string lines;
    for (int i = 0; i < 20; ++i) {
        lines += "line " + std::to_string(i) + "\r\n";
    }
    for (const char* name : {"A.CSV", "B.CSV", "C.CSV"}) {
        pcFolder.put(name, lines);
    }
    // Some pieces of B have gone out.
    cancelWhen([this] {
        return voice.status == "file 2 of 3: B.CSV" && voice.progress > 16 &&
               voice.progress < 100000;
    });
    EXPECT_EQ(writeFilesToGauge(link, {"A.CSV", "B.CSV", "C.CSV"},
                                {pcFolder.path(), "", std::vector<std::string>{}}),
              1);
    std::string gaugeText = lines;
    std::erase(gaugeText, '\r');
    EXPECT_EQ(dataLog.read("A.CSV"), gaugeText);
    EXPECT_FALSE(written("write /dev/datalog/C"));
    EXPECT_EQ(voice.status,
              "Transfer cancelled. 1 of 3 files done: A.CSV The file B.CSV on the Gage is not "
              "complete: transfer it again.");
    EXPECT_TRUE(voice.said.empty());
    EXPECT_LT(clock.nowMs() - *cancelledAt, 100);
    expectReleased();
}

TEST_F(CancelTest, ListingKeepsTheListAndVelocitiesKeepTheBoxes) {
    for (int i = 0; i < 6; ++i) {
        dataLog.put("F" + std::to_string(i) + ".CSV", "x\n");
    }
    cancelWhen([this] { return voice.progress >= 5; });
    EXPECT_EQ(refreshGaugeFileList(link), std::nullopt);
    EXPECT_EQ(voice.status, "Gage directory file list refresh cancelled; the list is unchanged");
    EXPECT_TRUE(voice.said.empty());
    expectReleased();

    cancelledAt.reset();
    cancelWhen([this] { return written("get user velocity1 in/us"); });
    VelocitySettings settings{{{"0.2330", "in/us"}, {"5900", "m/s"}}};
    const VelocitySettings before = settings;
    EXPECT_EQ(UserVelocityExchange(link).getVelocities(settings), -1);
    EXPECT_FALSE(written("get user velocity2 m/s"));
    EXPECT_EQ(settings[0].value, before[0].value);
    EXPECT_EQ(settings[1].value, before[1].value);
    expectReleased();
}

class CancelUpgradeTest : public UpgradeTest {};

TEST_F(CancelUpgradeTest, CancelHoldsUntilInitAndNotAfter) {
    struct Case {
        const char* stage;
        CancelPoint when;
        int result;
        bool initSent;
        std::string status;
    };
    const std::string image = countingBytes(300);
    const std::vector<Case> cases = {
        {"while the bootloader streams", [](const RecordingVoice& v) { return v.progress >= 64; },
         -1, false,
         "Software upgrade cancelled before the firmware was sent; the Gage is unchanged"},
        {"in the pause after the bootloader",
         [](const RecordingVoice& v) { return v.status == "Bootloader loaded"; }, -1, false,
         "Software upgrade cancelled before the firmware was sent; the Gage is unchanged"},
        {"after the image started", [](const RecordingVoice& v) { return !v.cancellable.empty(); },
         0, true, "Software upgrade complete"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stage);
        SetUp();
        voice.cancellable.clear();
        std::optional<std::int64_t> at;
        voice.cancelWhen = [&] {
            if (!at && c.when(voice)) {
                at = clock.nowMs();
            }
            return at.has_value();
        };
        EXPECT_EQ(upgrade.run(workDir.path(), putFirmware(image)), c.result);
        const auto all = writes();
        EXPECT_EQ(std::find(all.begin(), all.end(), "init") != all.end(), c.initSent);
        EXPECT_EQ(voice.status, c.status);
        EXPECT_EQ(voice.cancellable, std::vector<bool>(c.initSent ? 1 : 0, false));
        if (!c.initSent) {
            EXPECT_LT(clock.nowMs() - *at, 100);
        }
        EXPECT_EQ(port.handle(), nullptr);
    }
}

}  // namespace
}  // namespace korvel::test
