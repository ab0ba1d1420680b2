// korvel-cli's data file commands: messages on stderr as "kind: text", exit statuses, files.

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/platform.h"
#include "app/safe_file.h"
#include "tests/support/run_program.h"
#include "tests/support/unreadable_paths.h"
#include "tests/survey/survey_fixtures.h"
#include "tools/sample_files.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;

using CliRun = test::ProgramRun;

class DataFileCli : public ::testing::Test {
  protected:
    void SetUp() override {
        // CTest runs these cases in parallel: each gets a folder of its own.
        root_ = test::uniqueTempFolder("korvel-datafile-cli");
        ASSERT_FALSE(root_.empty());
        fs::create_directories(root_ / "work");
        ASSERT_TRUE(samples::writeSampleSet(folder()));
    }
    void TearDown() override { fs::remove_all(root_); }

    std::string folder() const { return (root_ / "data").string(); }
    std::string inFolder(const std::string& name) const { return joinPath(folder(), name); }

    // korvel-cli in a working folder of its own, on Linux with a home of its own too (under Wine
    // it has the prefix's folders; no test writes settings there); the simulated gauge's pauses
    // pass on a virtual clock.
    CliRun cli(const std::vector<std::string>& args) const { return run(KORVEL_CLI_PATH, args); }
    CliRun run(const std::string& program, const std::vector<std::string>& args) const {
        const test::ProgramSetup setup{(root_ / "work").string(),
                                       {{"HOME", root_.string()},
                                        {"KORVEL_VIRTUAL_CLOCK", "1"},
                                        {"XDG_CONFIG_HOME", (root_ / "config").string()},
                                        {"XDG_DOCUMENTS_DIR", (root_ / "documents").string()}},
                                       (root_ / "out.txt").string(),
                                       (root_ / "err.txt").string()};
        return test::runProgram(program, args, setup);
    }

    fs::path root_;
};

// A run of korvel-cli: its arguments, the exit status and what it writes to stderr.
struct CliCase {
    const char* name;
    std::vector<std::string> args;
    int status;
    std::string err;
};

TEST_F(DataFileCli, CreateSpeaksThePagesMessages) {
    const std::string base = (root_ / "plant").string();
    const std::vector<std::string> linear = {"--folder", base, "create", "--name", "p1",
                                             "--start",  "1",  "--end",  "10"};
    const CliCase cases[] = {
        {"created", linear, 0, "notice: Successfully created file  P1.CSV\n"},
        {"declined", linear, 1,
         "question: File already exists. Do you want to overwrite?\n\nP1.CSV\nanswer: no\n"},
        {"overwritten",
         [&] {
             auto args = linear;
             args.insert(args.begin(), "--yes");
             return args;
         }(),
         0,
         "question: File already exists. Do you want to overwrite?\n\nP1.CSV\nanswer: yes\n"
         "notice: Successfully created file  P1.CSV\n"},
        {"value rule",
         {"--folder", base, "create", "--name", "P2", "--start", "0", "--end", "10"},
         1,
         "warning: Enter value as 1-5000 or A-ZZ\n"},
        {"boiler with A-scans over the limit",
         {"--folder", base, "create", "--name", "B1", "--type", "BOILER", "--save", "THK+ASCAN",
          "--start-tube", "1", "--end-tube", "20", "--start-elev", "1", "--end-elev", "4",
          "--test-pts", "L-C-R"},
         1,
         "warning: (EndTube - StartTube + 1) * (EndElev - StartElev + 1) * NumberTestPts cannot be "
         "more than 160 for Save Mode THK+ASCAN\n"},
        {"name rule",
         {"--folder", base, "create", "--name", "PIPE_1", "--start", "1", "--end", "2"},
         1,
         "error: Invalid file name. Valid file name can be 16 characters or less containing "
         "0-9,A-Z(upper case),+,-\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun run = cli(c.args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.err, c.err);
    }
    EXPECT_TRUE(fs::exists(root_ / "plant" / "data" / "P1.CSV"));
    EXPECT_FALSE(fs::exists(root_ / "plant" / "data" / "P2.CSV"));
    EXPECT_EQ(cli({"--folder", base, "create", "--type", "4D"}).status, 2);
    EXPECT_EQ(cli({"--folder", base, "create", "--name"}).status, 2);
}

TEST_F(DataFileCli, ShowPrintsTheFileAsJson) {
    const CliRun run = cli({"--folder", folder(), "show", "PIPE-A.CSV"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(
        run.out.rfind("{\"product\":\"40-102\",\"header\":[[\"Filename\",\"PIPE-A.CSV\"],", 0), 0u);
    EXPECT_NE(run.out.find("\"ascans\":{\"0\":{\"max\":[\""), std::string::npos);
    EXPECT_NE(run.out.find("\"settings\":[\"DELAY=0.000\",\"RANGE=1.000\""), std::string::npos);

    ASSERT_TRUE(writeFileSafely(inFolder("ODD.CSV"), "Filename,\r\n\xE9\"\\,\r\n"));
    EXPECT_EQ(
        cli({"show", inFolder("ODD.CSV")}).out,
        "{\"product\":\"KQ-77\",\"header\":[[\"Filename\",\"\xC3\xA9\\\"\\\\\"]],\"columns\":[],"
        "\"readings\":[],\"ascans\":{},\"setupColumns\":[],\"setups\":[],\"noteColumns\":[],"
        "\"notes\":[]}\n");

    const CliRun missing = cli({"--folder", folder(), "show", "NONE.CSV"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "error: Error opening file - " + inFolder("NONE.CSV") + "\n");
    EXPECT_EQ(cli({"show"}).status, 2);
}

TEST_F(DataFileCli, ExportAndImport) {
    const std::string report = *readFileBytes(inFolder("ELBOW-C.DAT"));
    fs::remove(inFolder("ELBOW-C.DAT"));
    const CliRun exported = cli({"--folder", folder(), "export", "ELBOW-C.CSV"});
    EXPECT_EQ(exported.status, 0);
    EXPECT_EQ(exported.err,
              "notice: File export completed for file " + inFolder("ELBOW-C.DAT") + "\n");
    EXPECT_EQ(readFileBytes(inFolder("ELBOW-C.DAT")), report);

    const CliRun refused = cli({"--folder", folder(), "export", "TANK3D.CSV"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "error: Export of this file type is not supported\n");

    fs::rename(inFolder("ELBOW-C.DAT"), inFolder("BACK.DAT"));
    const CliRun imported = cli({"--folder", folder(), "import", "BACK.DAT"});
    EXPECT_EQ(imported.status, 0);
    EXPECT_EQ(imported.err,
              "notice: File import completed for file " + inFolder("BACK.CSV") + "\n");
    const CliRun again = cli({"--folder", folder(), "import", "BACK.DAT"});
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(again.err,
              "question: File already exists. Do you want to overwrite?\n\nBACK.CSV\nanswer: no\n");
}

TEST_F(DataFileCli, MatchesAndMerge) {
    const CliRun matches = cli({"--folder", folder(), "matches", "MERGE-2.CSV"});
    EXPECT_EQ(matches.status, 0);
    EXPECT_EQ(matches.out, "MERGE-1.CSV\nMERGE-2.CSV\nMERGE-3.CSV\n");
    EXPECT_EQ(cli({"--folder", folder(), "matches", "NONE.CSV"}).status, 1);

    const CliRun merged =
        cli({"--folder", folder(), "merge", "--out", "ALL", "MERGE-1.CSV", "MERGE-3.CSV"});
    EXPECT_EQ(merged.status, 0);
    EXPECT_EQ(merged.err,
              "notice: Successfully created new merged file : " + inFolder("ALL.CSV") + "\n");
    const std::string bytes = *readFileBytes(inFolder("ALL.CSV"));
    EXPECT_EQ(bytes.substr(0, bytes.find('\r')), ",1,2,3,4,5,6,,,,,,,13,14,15,16,17,18,");

    const CliRun none = cli({"--folder", folder(), "merge", "--out", "ALL"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err, "warning: Select one or more files to merge\n");
    EXPECT_EQ(cli({"--folder", folder(), "merge", "MERGE-1.CSV"}).status, 2);

    // An existing file of readings is kept unless the user says Yes; the name stays in the folder.
    const auto readings = readFileBytes(inFolder("PIPE-A.CSV"));
    const CliRun kept = cli({"--no", "--folder", folder(), "merge", "--out", "PIPE-A.CSV",
                             "MERGE-1.CSV", "MERGE-2.CSV"});
    EXPECT_EQ(kept.status, 1);
    EXPECT_EQ(
        kept.err,
        "question: File already exists. Do you want to overwrite?\n\nPIPE-A.CSV\nanswer: no\n");
    EXPECT_EQ(readFileBytes(inFolder("PIPE-A.CSV")), readings);
    const CliRun outside = cli({"--folder", folder(), "merge", "--out", "../x", "MERGE-1.CSV"});
    EXPECT_EQ(outside.status, 1);
    EXPECT_EQ(outside.err,
              "warning: The merged file is made in the selected folder: enter a file name without "
              "a folder\n");
    EXPECT_FALSE(fs::exists(root_ / "X.CSV"));

    // Rows of one value under a heading of column 5000: the 1.3 MB files that made 502 MB.
    std::string rows;
    for (int row = 100000; row < 200000; ++row) {
        rows += "R" + std::to_string(row) + ",1.0\r\n";
    }
    ASSERT_TRUE(writeFileSafely(inFolder("HUGE1.CSV"), ",1,5000,\r\n" + rows));
    ASSERT_TRUE(writeFileSafely(inFolder("HUGE2.CSV"), ",2,\r\n" + rows));
    const CliRun huge =
        cli({"--folder", folder(), "merge", "--out", "HUGE", "HUGE1.CSV", "HUGE2.CSV"});
    EXPECT_EQ(huge.status, 1);
    EXPECT_EQ(huge.err,
              "error: The heading line of HUGE1.CSV names column 5000, but no row of "
              "the file reaches past column 1. Not merged: correct the heading line of "
              "the file.\n");
    EXPECT_FALSE(fs::exists(inFolder("HUGE.CSV")));
}

// A FILE with a separator is a path from the current directory; a bare name is in the folder.
TEST_F(DataFileCli, MergeTakesAPathFromTheCurrentDirectory) {
    fs::create_directories(root_ / "work" / "grids");
    fs::copy_file(inFolder("MERGE-3.CSV"), root_ / "work" / "grids" / "OTHER.CSV");
    const CliRun merged =
        cli({"--folder", folder(), "merge", "--out", "ALL", "MERGE-1.CSV", "grids/OTHER.CSV"});
    EXPECT_EQ(merged.status, 0) << merged.err;
    const std::string bytes = readFileBytes(inFolder("ALL.CSV")).value_or("");
    EXPECT_EQ(bytes.substr(0, bytes.find('\r')), ",1,2,3,4,5,6,,,,,,,13,14,15,16,17,18,");
}

TEST_F(DataFileCli, UnreadableFileIsAnErrorMessageNeverAnAbort) {
    for (const auto& kind : test::unreadableKinds()) {
        SCOPED_TRACE(kind.name);
        for (const char* name : {"D.CSV", "D.DAT"}) {
            fs::remove_all(inFolder(name));
            kind.make(inFolder(name));
        }
        const std::string cannotOpen = "error: Error opening file - ";
        const struct {
            std::vector<std::string> args;
            std::string err;
        } cases[] = {
            {{"show", "D.CSV"}, cannotOpen + inFolder("D.CSV") + "\n"},
            {{"export", "D.CSV"}, cannotOpen + "D.CSV\n"},
            {{"import", "D.DAT"}, cannotOpen + "D.DAT\n"},
            {{"matches", "D.CSV"}, cannotOpen + "D.CSV\n"},
            {{"merge", "--out", "M", "MERGE-1.CSV", "D.CSV"}, cannotOpen + "D.CSV\n"},
            {{"stats", "D.CSV"}, cannotOpen + inFolder("D.CSV") + "\n"},
            {{"compare", "D.CSV", "MERGE-1.CSV"}, cannotOpen + inFolder("D.CSV") + "\n"},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.args[0]);
            std::vector<std::string> args = {"--folder", folder()};
            args.insert(args.end(), c.args.begin(), c.args.end());
            const CliRun run = cli(args);
            EXPECT_EQ(run.status, 1);
            EXPECT_EQ(run.err, c.err);
        }
        EXPECT_FALSE(fs::exists(inFolder("M.CSV")));
    }
}

// The gauge keeps its files with LF line ends, the PC with CR LF: a round trip gives the bytes
// back. (The simulated gauge runs on the real clock here: about three seconds a transfer.)
TEST_F(DataFileCli, GaugeWriteAndReadCopyFilesBothWays) {
    const std::string log = (root_ / "log").string();
    fs::create_directories(log);
    const auto gauge = [&](const std::string& command, const std::string& name) {
        return cli({"--folder", folder(), "--simulated-gauge", log, "gauge", command, name});
    };
    const std::string original = *readFileBytes(inFolder("PIPE-A.CSV"));
    std::string withLf;
    for (std::size_t i = 0; i < original.size(); ++i) {
        if (original.compare(i, 2, "\r\n") != 0) {
            withLf += original[i];
        }
    }
    const CliRun written = gauge("write", "PIPE-A.CSV");
    EXPECT_EQ(written.status, 0);
    EXPECT_EQ(written.err, "status: Transfer complete\n");
    EXPECT_EQ(readFileBytes(joinPath(log, "PIPE-A.CSV")), withLf);
    // Once the gauge holds the file, a write asks first; without --yes the gauge keeps it.
    ASSERT_TRUE(writeFileSafely(joinPath(log, "PIPE-A.CSV"), "taken since\n"));
    const CliRun again = gauge("write", "PIPE-A.CSV");
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(again.err,
              "question: File already exists. Do you want to overwrite?\n\nPIPE-A.CSV\nanswer: "
              "no\nstatus: The file PIPE-A.CSV was kept as it was; it was not transferred.\n");
    EXPECT_EQ(readFileBytes(joinPath(log, "PIPE-A.CSV")), "taken since\n");
    ASSERT_TRUE(writeFileSafely(joinPath(log, "PIPE-A.CSV"), withLf));

    fs::remove(inFolder("PIPE-A.CSV"));
    const CliRun read = gauge("read", "PIPE-A.CSV");
    EXPECT_EQ(read.status, 0);
    EXPECT_EQ(read.err,
              "status: Transfer complete\nstatus: File transfer complete. File PIPE-A.CSV saved\n");
    EXPECT_EQ(readFileBytes(inFolder("PIPE-A.CSV")), original);

    const struct {
        const char* command;
        std::string err;
    } failures[] = {
        {"read",
         "error: The Gage did not send the file NONE.CSV. Its answer:\n\nERROR file not found: "
         "NONE\nstatus: File transfer failed\n"},
        {"write",
         "error: Error opening file " + inFolder("NONE.CSV") + "\nstatus: File transfer failed\n"},
    };
    for (const auto& failure : failures) {
        const CliRun run = gauge(failure.command, "NONE.CSV");
        EXPECT_EQ(run.status, 1) << failure.command;
        EXPECT_EQ(run.err, failure.err);
    }
    EXPECT_FALSE(fs::exists(inFolder("NONE.CSV")));
}

// No gauge on this machine's USB, and under Wine no USB driver either (libusb0.dll is loaded
// only when the gauge is first looked for): the link failure, on Windows with the line about
// the driver, then exit 1.
TEST_F(DataFileCli, WithoutAGaugeTheLinkFailureSaysWhatIsMissing) {
    std::string failure =
        "Error in initializing USB device.\n\nMake sure that KQ-77 is ON and is connnected to USB "
        "port of your PC. Unplug and replug USB cable if failure continues.";
#ifdef _WIN32
    failure +=
        "\nThe Gage's USB driver (libusb-win32) is not installed on this PC: install it, then "
        "plug the Gage in again.";
#endif
    const CliRun run = cli({"--folder", folder(), "gauge", "dir"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "error: " + failure + "\nstatus: " + failure + "\n");
    EXPECT_EQ(run.out, "");
}

// The figures of tests/survey/survey_fixtures.h's grids, worked out by hand.
TEST_F(DataFileCli, StatsAndComparePrintHandComputedFigures) {
    ASSERT_TRUE(writeFileSafely(inFolder("G-NOW.CSV"), test::currentGrid()));
    ASSERT_TRUE(writeFileSafely(inFolder("G-OLD.CSV"), test::earlierGrid()));
    const std::string thickness =
        "\"count\":5,\"holes\":1,\"minimum\":{\"value\":0.180,\"locations\":[\"B0001\",\"C0001\"]},"
        "\"maximum\":{\"value\":0.300,\"locations\":[\"B0002\"]},\"mean\":0.2260,"
        "\"standardDeviation\":0.0508,\"alarms\":{\"lowAlarm\":1,\"lowWarning\":1,"
        "\"highAlarm\":1,\"highWarning\":0}";
    const CliRun stats = cli({"--folder", folder(), "stats", "G-NOW.CSV"});
    EXPECT_EQ(stats.status, 0);
    EXPECT_EQ(stats.out,
              "{\"file\":\"G-NOW.CSV\",\"type\":\"2D\",\"layout\":\"grid\",\"layerAxis\":\"\","
              "\"units\":\"IN\",\"readings\":6,\"whole\":{" +
                  thickness +
                  "},\"layers\":[{\"name\":\"\",\"columns\":[\"A\",\"B\",\"C\"],"
                  "\"rows\":[\"1\",\"2\"]," +
                  thickness +
                  ",\"rowMinima\":[0.180,0.220],\"columnMinima\":[0.250,0.180,0.180]}]}\n");

    const CliRun compare =
        cli({"--folder", folder(), "compare", "G-OLD.CSV", "G-NOW.CSV", "--min-thickness", "0.2"});
    EXPECT_EQ(compare.status, 0);
    for (const char* part :
         {"{\"earlier\":\"G-OLD.CSV\",\"current\":\"G-NOW.CSV\",\"units\":\"IN\","
          "\"elapsedDays\":365.25,\"elapsedYears\":1.0000,\"minimumThickness\":0.200,",
          "\"loss\":{\"count\":4,\"holes\":2,\"minimum\":{\"value\":-0.010,\"locations\":["
          "\"C0002\"]},\"maximum\":{\"value\":0.020,\"locations\":[\"B0001\",\"C0001\"]},"
          "\"mean\":0.0100,\"standardDeviation\":0.0141}",
          "\"largestLoss\":{\"value\":0.020,\"locations\":[\"B0001\",\"C0001\"]}",
          "\"largestRate\":{\"value\":0.0200,\"locations\":[\"B0001\",\"C0001\"]}",
          "\"shortestRemainingLife\":{\"value\":0.00,\"locations\":[\"B0001\",\"C0001\"]}",
          "{\"location\":\"A0001\",\"earlier\":0.260,\"current\":0.250,\"loss\":0.010,"
          "\"rate\":0.0100,\"remainingLife\":5.00}",
          "{\"location\":\"A0002\",\"earlier\":0.240,\"current\":null,\"loss\":null,"
          "\"rate\":null,\"remainingLife\":null}",
          "{\"location\":\"C0002\",\"earlier\":0.210,\"current\":0.220,\"loss\":-0.010,"
          "\"rate\":-0.0100,\"remainingLife\":null}]}\n"}) {
        EXPECT_NE(compare.out.find(part), std::string::npos) << part << "\nin " << compare.out;
    }
    const CliRun lowAlarm = cli({"--folder", folder(), "compare", "G-OLD.CSV", "G-NOW.CSV"});
    EXPECT_NE(lowAlarm.out.find("\"minimumThickness\":null,"), std::string::npos);
    EXPECT_NE(lowAlarm.out.find("\"shortestRemainingLife\":{\"value\":1.50,"), std::string::npos);
}

// An earlier survey in millimetres is compared in the current one's inches (25.4 mm to the
// inch); each location's earlier thickness is printed as its file holds it.
TEST_F(DataFileCli, CompareWorksInTheCurrentSurveysUnits) {
    std::string earlier = test::earlierGrid();
    for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
             {",IN,", ",MM,"}, {"0.260", "6.604"}, {"0.200", "5.080"}, {"0.210", "5.334"}}) {
        for (auto at = earlier.find(from); at != std::string::npos; at = earlier.find(from, at)) {
            earlier.replace(at, from.size(), to);
        }
    }
    ASSERT_TRUE(writeFileSafely(inFolder("G-NOW.CSV"), test::currentGrid()));
    ASSERT_TRUE(writeFileSafely(inFolder("G-MM.CSV"), earlier));
    const CliRun run =
        cli({"--folder", folder(), "compare", "G-MM.CSV", "G-NOW.CSV", "--min-thickness", "0.2"});
    EXPECT_EQ(run.status, 0);
    for (const char* part :
         {"\"units\":\"IN\",", "\"largestLoss\":{\"value\":0.020,",
          "{\"location\":\"A0001\",\"earlier\":6.604,\"current\":0.250,\"loss\":0.010,"
          "\"rate\":0.0100,\"remainingLife\":5.00}"}) {
        EXPECT_NE(run.out.find(part), std::string::npos) << part << "\nin " << run.out;
    }
}

TEST_F(DataFileCli, SamplesToolAnswersHelpAndRefusesAnOption) {
    const CliRun help = run(KORVEL_SAMPLES_PATH, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: korvel-samples FOLDER\n", 0), 0u) << help.out;
    EXPECT_EQ(help.err, "");
    const CliRun bad = run(KORVEL_SAMPLES_PATH, {"--folder"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err, help.out);
    EXPECT_FALSE(fs::exists(root_ / "work" / "--help"));
}

TEST_F(DataFileCli, CompareRefusesOtherLayoutsAndBadArguments) {
    ASSERT_TRUE(writeFileSafely(inFolder("G-NOW.CSV"), test::currentGrid()));
    const CliRun other = cli({"--folder", folder(), "compare", "ELBOW-R.CSV", "G-NOW.CSV"});
    EXPECT_EQ(other.status, 1);
    EXPECT_EQ(other.out, "");
    EXPECT_EQ(other.err,
              "error: The two surveys do not share one layout: their types and their locations, in "
              "order, must be the same. Choose an earlier survey of the same layout.\n");
    EXPECT_EQ(cli({"--folder", folder(), "compare", "NONE.CSV", "G-NOW.CSV"}).status, 1);
    EXPECT_EQ(cli({"--folder", folder(), "compare", "G-NOW.CSV"}).status, 2);
    EXPECT_EQ(
        cli({"--folder", folder(), "compare", "G-NOW.CSV", "G-NOW.CSV", "--min-thickness", "-1"})
            .status,
        2);
    EXPECT_EQ(cli({"--folder", folder(), "stats"}).status, 2);
}

// The report draws its pages with the Qt data view, which the Windows build leaves out; the
// PDF is read back with poppler's tools through a POSIX shell.
#ifdef KORVEL_CLI_REPORT

std::string quoted(const std::string& text) {
    std::string out = "'";
    for (const char c : text) {
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return out + "'";
}

// The output of a shell command.
std::string shell(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            out.append(buffer, n);
        }
        pclose(pipe);
    }
    return out;
}

// The text with every run of blanks and line breaks as one blank.
std::string singleSpaced(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\n' || c == '\f';
        if (!blank || (!out.empty() && out.back() != ' ')) {
            out += blank ? ' ' : c;
        }
    }
    return out;
}

// The report needs no display: korvel-cli draws it offscreen whatever the environment says.
TEST_F(DataFileCli, ReportWritesThePdfWithTheSurveysFigures) {
    ASSERT_TRUE(writeFileSafely(folder() + "/G-NOW.CSV", test::currentGrid()));
    ASSERT_TRUE(writeFileSafely(folder() + "/G-OLD.CSV", test::earlierGrid()));
    // No display, and a platform that would need one: the report is drawn offscreen all the same.
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    const CliRun made =
        cli({"--folder", folder(), "report", "G-NOW.CSV", "--earlier", "G-OLD.CSV"});
    EXPECT_EQ(made.status, 0);
    EXPECT_EQ(made.err, "");
    const std::string pdf = folder() + "/G-NOW.pdf";
    ASSERT_TRUE(fs::exists(pdf));
    const std::string pages = shell("pdfinfo " + quoted(pdf) + " | grep '^Pages:'");
    EXPECT_EQ(pages, "Pages:           1\n");
    const std::string words = singleSpaced(shell("pdftotext -layout " + quoted(pdf) + " -"));
    for (const char* figure :
         {"Readings 5", "Holes 1", "Minimum 0.180 IN (B0001, C0001)", "Maximum 0.300 IN (B0002)",
          "Mean 0.2260 IN", "Std. deviation 0.0508 IN", "Low alarms 1", "Low warnings 1",
          "High alarms 1", "High warnings 0", "Loss since G-OLD.CSV",
          "Time between surveys 365 days (1.00 years)", "Largest loss 0.020 IN (B0001, C0001)",
          "Largest rate per year 0.0200 IN (B0001, C0001)",
          "Shortest remaining life 1.5 years (B0001, C0001)", "Page 1 of 1"}) {
        EXPECT_NE(words.find(figure), std::string::npos) << figure << "\nin " << words;
    }

    const CliCase cases[] = {
        {"declined overwrite",
         {"--folder", folder(), "report", "G-NOW.CSV"},
         1,
         "question: File already exists. Do you want to overwrite?"},
        {"other layout",
         {"--folder", folder(), "report", "G-NOW.CSV", "--out", "X.pdf", "--earlier", "PIPE-A.CSV"},
         1,
         "error: The two surveys do not share one layout: their types and their locations, in "
         "order, must be the same. Choose an earlier survey of the same layout.\n"},
        {"missing file",
         {"--folder", folder(), "report", "NONE.CSV"},
         1,
         "error: Error opening file - " + folder() + "/NONE.CSV\n"},
        {"no file", {"report", "--out", "X.pdf"}, 2, "usage: korvel-cli"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun run = cli(c.args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.err.find(c.err), 0u) << run.err;
    }
    EXPECT_FALSE(fs::exists(folder() + "/X.pdf"));
}

#endif  // KORVEL_CLI_REPORT

}  // namespace
}  // namespace korvel
