// Every save the program makes, with each of its file system calls failed in turn: the old file
// stays as it was, no temporary file is left, and the person is told which file failed.

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <set>

#include "app/palimar_app.h"
#include "app/save_message.h"
#include "datafile/data_file_writer.h"
#include "datafile/file_create.h"
#include "datafile/file_merge.h"
#include "datafile/text_report_reader.h"
#include "datafile/text_report_writer.h"
#include "gauge/read_from_gauge.h"
#include "tests/datafile/text_report_fixtures.h"
#include "tests/gauge/simulated_gauge_fixture.h"
#include "tests/support/scripted_save_calls.h"

namespace korvel::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kOldBytes = "the good old file\r\n";

struct SavePath {
    const char* name;
    std::string target;
    std::function<void()> run;
    std::string failedStatus;  // what the status line says after a failed save
};

class SaveFaults : public SimulatedGaugeTest {
  protected:
    std::string folder() const { return pcFolder.path(); }

    std::vector<SavePath> savePaths() {
        DataFile pipe = linearFile(2);
        pipe.readings = {readingRow("1", "0.250"), readingRow("2", "0.300")};
        pcFolder.put("PIPE1.CSV", dataFileBytes(pipe));
        pcFolder.put("RPT.DAT", textReportBytes(pipe).value());
        pcFolder.put("M1.CSV", ",1,2,\r\nA,1,2,\r\n");
        pcFolder.put("M2.CSV", ",3,\r\nA,3,\r\n");
        fs::create_directories(pcFolder.file("data"));
        dataLog.put("G.CSV", "Filename,from the gauge\n");
        fs::create_directories(pcFolder.file("work"));
        app.startup(pcFolder.file("work"),
                    SystemFolders{pcFolder.file("docs"), pcFolder.file("config"), 10});
        std::tm now{};
        now.tm_year = 2026 - 1900;
        return {
            {"export", pcFolder.file("PIPE1.DAT"),
             [this] { exportTextReport(folder(), "PIPE1.CSV", voice, texts); }, ""},
            {"import", pcFolder.file("RPT.CSV"),
             [this] { importTextReport(folder(), "RPT.DAT", voice, texts); }, ""},
            {"merge", pcFolder.file("OUT.CSV"),
             [this] {
                 mergeFiles(folder(), {"M1.CSV", "M2.CSV"}, "OUT", voice, texts);
             },
             ""},
            {"create", pcFolder.file("data/PIPE1.CSV"),
             [this, now] {
                 CreateRequest request;
                 request.product = "Color Corrosion Gage";
                 request.fileName = "PIPE1";
                 request.start = "1";
                 request.end = "10";
                 createDataFile(request, folder(), now, voice, texts);
             },
             ""},
            {"gauge read", pcFolder.file("G.CSV"),
             [this] { readFilesFromGauge(link, {"G.CSV"}, folder(), {}); }, "File transfer failed"},
            {"settings", app.settingsFile(),
             [this] {
                 // as the Preferences page does it
                 if (!app.writeLanguage("DEU")) {
                     reportSaveFailure(voice, texts, app.settingsFile());
                 }
             },
             ""},
        };
    }

    std::set<std::string> entries() const {
        std::set<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(folder())) {
            names.insert(entry.path().string());
        }
        return names;
    }

    void placeOld(const SavePath& path, bool withOld) {
        fs::remove(path.target);
        if (withOld) {
            pcFolder.put(fs::relative(path.target, folder()).string(), kOldBytes);
        }
    }

    ScriptedSaveCalls runWith(const SavePath& path, int failAt, int error) {
        voice = RecordingVoice();
        voice.defaultAnswer = true;
        ScriptedSaveCalls calls;
        calls.failAt = failAt;
        calls.error = error;
        SaveCallsOverride scripted(calls);
        path.run();
        return calls;
    }

    PalimarApp app;
};

TEST_F(SaveFaults, EveryCallOfEverySaveFailedInTurnLosesNothing) {
    const std::vector<std::string> cleanSave = {"createNew", "copyPermissions", "write",
                                                "sync",      "close",           "rename"};
    for (const SavePath& path : savePaths()) {
        for (const bool withOld : {true, false}) {
            SCOPED_TRACE(std::string(path.name) + (withOld ? ", over an old file" : ", new"));
            placeOld(path, withOld);
            const std::set<std::string> before = entries();
            const ScriptedSaveCalls clean = runWith(path, 0, 0);
            ASSERT_EQ(clean.names, cleanSave);
            ASSERT_NE(readFileBytes(path.target).value_or(kOldBytes), kOldBytes);
            for (const int error : {ENOSPC, EIO, EACCES, EXDEV, 0}) {
                for (std::size_t n = 1; n <= clean.names.size(); ++n) {
                    if (error == 0 && clean.names[n - 1] != "write") {
                        continue;  // only a write can be short
                    }
                    SCOPED_TRACE("call " + clean.names[n - 1] + " fails with " +
                                 std::to_string(error));
                    placeOld(path, withOld);
                    runWith(path, static_cast<int>(n), error);
                    EXPECT_EQ(readFileBytes(path.target),
                              withOld ? std::optional<std::string>(kOldBytes) : std::nullopt);
                    EXPECT_EQ(entries(), before);
                    const auto failure =
                        std::find_if(voice.said.begin(), voice.said.end(), [&](const Said& s) {
                            return s.kind == MessageKind::Error &&
                                   s.text.find(path.target) != std::string::npos;
                        });
                    EXPECT_NE(failure, voice.said.end());
                    EXPECT_TRUE(
                        std::none_of(voice.said.begin(), voice.said.end(),
                                     [](const Said& s) { return s.kind == MessageKind::Notice; }));
                    EXPECT_EQ(voice.status, path.failedStatus);
                }
            }
        }
    }
}

}  // namespace
}  // namespace korvel::test
