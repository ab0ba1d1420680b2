// korvel-cli's archive commands on a hand-made history: the JSON, the messages and the exit
// statuses, and the history of the demo's three tank surveys.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/platform.h"
#include "app/safe_file.h"
#include "tests/history/history_fixtures.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_folder.h"
#include "tools/sample_files.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;

class ArchiveCli : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = test::uniqueTempFolder("korvel-archive-cli");
        fs::create_directories(root_ / "work");
        fs::create_directories(root_ / "data");
    }
    void TearDown() override { fs::remove_all(root_); }

    std::string data(const std::string& name) const { return (root_ / "data" / name).string(); }
    test::ProgramRun cli(std::vector<std::string> args) const {
        args.insert(args.begin(), {"--archive", (root_ / "h.sqlite").string(), "--folder",
                                   (root_ / "data").string()});
        const test::ProgramSetup setup{
            (root_ / "work").string(),
            {{"HOME", root_.string()}, {"XDG_CONFIG_HOME", (root_ / "config").string()}},
            (root_ / "out.txt").string(),
            (root_ / "err.txt").string()};
        return test::runProgram(KORVEL_CLI_PATH, args, setup);
    }

    fs::path root_;
};

TEST_F(ArchiveCli, PrintsTheHandComputedHistory) {
    ASSERT_TRUE(writeFileSafely(
        data("A.CSV"),
        test::handSurvey("A.CSV", "01/01/2020 12:00 PM", {{"0001", "0.300"}, {"0002", "0.250"}})));
    ASSERT_TRUE(writeFileSafely(
        data("B.CSV"),
        test::handSurvey("B.CSV", "01/01/2024 12:00 PM", {{"0001", "0.280"}, {"0002", "--.---"}})));
    const struct {
        std::vector<std::string> args;
        int status;
        std::string out;
        std::string err;
    } steps[] = {
        {{"archive", "init"}, 0, "", ""},
        // "" clears a property; a wrong value is refused before anything changes.
        {{"archive", "asset", "T", "--units", "MM", "--code", "api653"},
         0,
         "{\"asset\":\"T\",\"units\":\"MM\",\"required\":null,\"code\":\"api653\",\"class\":null,"
         "\"nominal\":null,\"client\":null,\"site\":null,\"component\":null,\"inspector\":null,"
         "\"certification\":null,\"gaugeModel\":null,\"gaugeSerial\":null,"
         "\"calibrationDate\":null,\"probe\":null,\"comments\":null}\n",
         ""},
        {{"archive", "asset", "T", "--units", "", "--code", "api999"}, 2, "", ""},
        {{"archive", "asset", "T", "--units", "", "--code", "", "--required", "", "--class", ""},
         0,
         "{\"asset\":\"T\",\"units\":null,\"required\":null,\"code\":null,\"class\":null,"
         "\"nominal\":null,\"client\":null,\"site\":null,\"component\":null,\"inspector\":null,"
         "\"certification\":null,\"gaugeModel\":null,\"gaugeSerial\":null,"
         "\"calibrationDate\":null,\"probe\":null,\"comments\":null}\n",
         ""},
        {{"archive", "asset", "T", "--required", "0.2", "--code", "api570", "--class", "2"},
         0,
         "{\"asset\":\"T\",\"units\":null,\"required\":0.2,\"code\":\"api570\",\"class\":2,"
         "\"nominal\":null,\"client\":null,\"site\":null,\"component\":null,\"inspector\":null,"
         "\"certification\":null,\"gaugeModel\":null,\"gaugeSerial\":null,"
         "\"calibrationDate\":null,\"probe\":null,\"comments\":null}\n",
         ""},
        {{"archive", "asset", "T", "--nominal", "0.375", "--client", "Acme \"Oil\"",
          "--gauge-model", "UT-5", "--calibration-date", "2026-11-30"},
         0,
         "{\"asset\":\"T\",\"units\":null,\"required\":0.2,\"code\":\"api570\",\"class\":2,"
         "\"nominal\":0.375,\"client\":\"Acme \\\"Oil\\\"\",\"site\":null,\"component\":null,"
         "\"inspector\":null,\"certification\":null,\"gaugeModel\":\"UT-5\",\"gaugeSerial\":null,"
         "\"calibrationDate\":\"2026-11-30\",\"probe\":null,\"comments\":null}\n",
         ""},
        // An empty text clears a field; the others stay.
        {{"archive", "asset", "T", "--nominal", "", "--client", ""},
         0,
         "{\"asset\":\"T\",\"units\":null,\"required\":0.2,\"code\":\"api570\",\"class\":2,"
         "\"nominal\":null,\"client\":null,\"site\":null,\"component\":null,\"inspector\":null,"
         "\"certification\":null,\"gaugeModel\":\"UT-5\",\"gaugeSerial\":null,"
         "\"calibrationDate\":\"2026-11-30\",\"probe\":null,\"comments\":null}\n",
         ""},
        {{"archive", "asset", "T", "--nominal", "-1"}, 2, "", ""},
        {{"archive", "add", "T", "A.CSV", "B.CSV"},
         0,
         "{\"asset\":\"T\",\"survey\":1,\"file\":\"A.CSV\",\"date\":\"2020-01-01\","
         "\"readings\":2,\"holes\":0}\n"
         "{\"asset\":\"T\",\"survey\":2,\"file\":\"B.CSV\",\"date\":\"2024-01-01\","
         "\"readings\":2,\"holes\":1}\n",
         ""},
        {{"archive", "add", "T", "B.CSV"},
         1,
         "",
         "error: The survey B.CSV is already in the history (asset T, file B.CSV); it was not "
         "added again.\n"},
        {{"archive", "rates", "T"},
         0,
         "{\"asset\":\"T\",\"units\":\"IN\",\"required\":0.2,\"code\":\"api570\",\"class\":2,"
         "\"surveys\":2,\"locations\":[{\"location\":\"0001\",\"values\":2,"
         "\"initial\":{\"date\":\"2020-01-01\",\"value\":0.3},"
         "\"previous\":{\"date\":\"2020-01-01\",\"value\":0.3},"
         "\"actual\":{\"date\":\"2024-01-01\",\"value\":0.28},\"longTermRate\":0.0050,"
         "\"shortTermRate\":0.0050,\"regressionRate\":null,\"governingRate\":0.0050,"
         "\"remainingLife\":16.00,\"nextInspection\":\"2032-01-01\",\"belowRequired\":false},"
         "{\"location\":\"0002\",\"values\":1,\"initial\":{\"date\":\"2020-01-01\","
         "\"value\":0.25},\"previous\":null,\"actual\":{\"date\":\"2020-01-01\",\"value\":0.25},"
         "\"longTermRate\":null,\"shortTermRate\":null,\"regressionRate\":null,"
         "\"governingRate\":null,\"remainingLife\":null,\"nextInspection\":\"2030-01-01\","
         "\"belowRequired\":false}],\"next\":{\"location\":\"0002\",\"date\":\"2030-01-01\"},"
         "\"shortestLife\":{\"location\":\"0001\",\"remainingLife\":16.00}}\n",
         ""},
        {{"archive", "exclude", "T", "1", "0001"},
         1,
         "",
         "error: Give the reason with --note: a reading is left out of the figures, or taken "
         "back, only with a note.\n"},
        {{"archive", "exclude", "T", "1", "0001", "--note", "probe lifted"}, 0, "", ""},
        {{"archive", "history", "T", "0001"},
         0,
         "{\"asset\":\"T\",\"location\":\"0001\",\"units\":\"IN\",\"points\":[{\"survey\":1,"
         "\"date\":\"2020-01-01\",\"value\":0.3,\"excluded\":true,\"note\":\"probe lifted\"},"
         "{\"survey\":2,\"date\":\"2024-01-01\",\"value\":0.28,\"excluded\":false,"
         "\"note\":null}]}\n",
         ""},
        {{"archive", "include", "T", "1", "0001", "--note", "reading checked"}, 0, "", ""},
        {{"archive", "include", "T", "1", "0001", "--note", "again"},
         1,
         "",
         "error: The reading at 0001 of survey 1 is not left out of the figures; there is "
         "nothing to take back.\n"},
        {{"archive", "surveys", "NONE"},
         1,
         "",
         "error: The history has no asset NONE. Make it with \"archive asset\", or check the "
         "name (\"archive assets\" lists them).\n"},
        {{"archive", "asset", "T", "--class", "5"}, 2, "", ""},
    };
    for (const auto& step : steps) {
        const auto run = cli(step.args);
        EXPECT_EQ(run.status, step.status) << step.args[1] << "\n" << run.err;
        if (step.status != 2) {
            EXPECT_EQ(run.out, step.out) << step.args[1];
            EXPECT_EQ(run.err, step.err) << step.args[1];
        }
    }
    const auto audit = cli({"archive", "audit", "T"});
    EXPECT_EQ(audit.status, 0);
    for (const char* part : {"\"action\":\"asset\"", "\"action\":\"add\",\"survey\":2",
                             "\"action\":\"exclude\",\"survey\":1,\"location\":\"0001\","
                             "\"note\":\"probe lifted\"}",
                             "\"action\":\"include\",\"survey\":1,\"location\":\"0001\","
                             "\"note\":\"reading checked\"}",
                             "\"user\":\""}) {
        EXPECT_NE(audit.out.find(part), std::string::npos) << part << "\nin " << audit.out;
    }
}

TEST_F(ArchiveCli, TheDemosTankHasAHistoryOfThreeSurveys) {
    ASSERT_TRUE(samples::writeSampleSet((root_ / "data").string()));
    EXPECT_EQ(cli({"archive", "asset", "TANK N", "--required", "0.1", "--code", "api653"}).status,
              0);
    const auto added =
        cli({"archive", "add", "TANK N", "TANK-N-22.CSV", "TANK-N-24.CSV", "TANK-N.CSV"});
    EXPECT_EQ(added.status, 0) << added.err;
    const auto rates = cli({"archive", "rates", "TANK N"});
    EXPECT_EQ(rates.status, 0);
    EXPECT_NE(rates.out.find("\"surveys\":3,"), std::string::npos);
    EXPECT_NE(rates.out.find("\"values\":3,"), std::string::npos);
    const auto other = cli({"archive", "add", "TANK N", "BIG5000.CSV", "ELBOW-C.DAT"});
    EXPECT_EQ(other.status, 1);
    EXPECT_NE(other.err.find("error: ELBOW-C.DAT is not a data file of the gauge"),
              std::string::npos);
}

TEST_F(ArchiveCli, ANonDatabaseFileIsOneErrorNamingIt) {
    ASSERT_TRUE(writeFileSafely((root_ / "h.sqlite").string(), std::string(5000, 'z')));
    const auto run = cli({"archive", "assets"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "error: " + (root_ / "h.sqlite").string() +
                           " is not an inspection history: it is not a database. Name the "
                           "history's file with --archive, or move this file away; it was left "
                           "as it is.\n");
    EXPECT_EQ(readFileBytes((root_ / "h.sqlite").string()), std::string(5000, 'z'));
}

}  // namespace
}  // namespace korvel
