#include "datafile/text_report_reader.h"

#include <gtest/gtest.h>

#include <tuple>

#include "tests/support/temp_folder.h"

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "app/safe_file.h"
#include "datafile/data_file_reader.h"
#include "datafile/data_file_writer.h"
#include "datafile/text_report_writer.h"
#include "tests/datafile/text_report_fixtures.h"
#include "tests/support/recording_voice.h"

namespace korvel {
namespace {

std::string report(const std::string& type, const std::string& corners, const std::string& units,
                   const std::string& readingsLine, const std::string& body) {
    return "FILE NAME: R.CSV\nFILE TYPE: " + type +
           "\nDATE & TIME CREATED: 12/07/26 09:05 PM\n"
           "DATE & TIME LAST MODIFIED: 12/08/26 10:15 AM\n" +
           corners + "PROBE ID: D790\nMATERIAL VELOCITY: 0.2330\nINCHES OR MM: " + units +
           "\n---------------------------------\n" + readingsLine +
           "\n---------------------------------\n" + body + "---------------------------------\n";
}

std::string customReport(const std::string& units, const std::string& body) {
    return report("CUSTOM", "NUMBER OF LOCATIONS: 3\n", units, "LOCATION\tREADING", body);
}

std::string gridReport(const std::string& upperLeft, const std::string& lowerRight,
                       const std::string& body) {
    return report(
        "GRID",
        "UPPER LEFT LOCATION: " + upperLeft + "\nLOWER RIGHT LOCATION: " + lowerRight + "\n", "I",
        "READINGS", body);
}

std::vector<std::string> ids(const DataFile& file) {
    std::vector<std::string> out;
    for (const auto& reading : file.readings) {
        out.push_back(reading.fields[0] + "=" + reading.fields[1]);
    }
    return out;
}

TEST(ReportImport, CustomReportBecomesALinearFileByteForByte) {
    const TextReport parsed =
        parseTextReport(customReport("I", "001.00\t\t0.250\n002.00\t\t     \n003.00\t\t0.300\n"));
    const std::string expected =
        "Filename,Type,Start Row,End Row,# ID,# Setup,# Notes,Created,Last Saved,\r\n"
        "R.CSV,LINEAR,0001,0003,3,1,0,12/07/26 09:05 PM,12/08/26 10:15 AM,\r\n"
        "\r\n"
        "ID,Thickness,Units,Alarm,Diff,Gain,Fast,Note #,Setup #,Meas Mode,B Scan,A Scan,\r\n"
        "0001,0.250,IN,OFF,OFF,STD,OFF,0,1,STD,OFF,OFF,\r\n"
        "0002,--.---,IN,OFF,OFF,STD,OFF,0,1,STD,OFF,OFF,\r\n"
        "0003,0.300,IN,OFF,OFF,STD,OFF,0,1,STD,OFF,OFF,\r\n"
        "\r\n"
        "Setup #,Units,Velocity,Diff Ref,Low Alarm,High Alarm,Alarm %,BS Range,Gain,Transducer,"
        "MB_Blank,IF_Blank,\r\n"
        "1,IN,0.2330,0.5,0.1,0.5,20,1,61,D790,0,0,\r\n"
        "\xFF\xFF";
    EXPECT_EQ(dataFileBytes(importedDataFile(parsed, "R.CSV")), expected);
}

TEST(ReportImport, LocationZeroIsCountedButGetsNoRow) {
    const DataFile file = importedDataFile(
        parseTextReport(customReport("MM", "000.00\t\t0.1\n001.00\t\t0.2\n")), "R.CSV");
    EXPECT_EQ(file.headerValue("# ID"), "2");
    EXPECT_EQ(file.headerValue("Start Row"), "0000");
    EXPECT_EQ(ids(file), (std::vector<std::string>{"0001=0.200"}));
}

TEST(ReportImport, UnitsOfTheReport) {
    const struct {
        const char* value;
        const char* units;
    } cases[] = {{"I", "IN"}, {"MM", "MM"}, {"M", "MM"}, {"mm", ""}, {"", ""}, {"INCH", ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(parseTextReport(customReport(c.value, "001.00\t\t0.1\n")).units, c.units)
            << c.value;
    }
}

TEST(ReportImport, GridReportBecomesA2DFileColumnByColumn) {
    const DataFile file = importedDataFile(
        parseTextReport(gridReport("A1", "C2", "0.101 0.102 0.103 \n0.201 0.202 0.203 \n")),
        "R.CSV");
    EXPECT_EQ(file.headerNames,
              (std::vector<std::string>{"Filename", "Type", "Start Col", "Start Row", "End Col",
                                        "End Row", "1st Inc", "# ID", "# Setup", "# Notes",
                                        "Created", "Last Saved"}));
    EXPECT_EQ(file.headerValues,
              (std::vector<std::string>{"R.CSV", "2D", "A", "1", "C", "2", "ROW", "6", "1", "0",
                                        "12/07/26 09:05 PM", "12/08/26 10:15 AM"}));
    EXPECT_EQ(ids(file), (std::vector<std::string>{"A0001=0.101", "A0002=0.201", "B0001=0.102",
                                                   "B0002=0.202", "C0001=0.103", "C0002=0.203"}));
}

TEST(ReportImport, GridCornersAndColumnCodes) {
    const DataFile wide =
        importedDataFile(parseTextReport(gridReport("Y12", "AB12", "1 2 3 4 \n")), "R.CSV");
    EXPECT_EQ(wide.headerValue("Start Col"), "Y");
    EXPECT_EQ(wide.headerValue("Start Row"), "12");
    EXPECT_EQ(wide.headerValue("End Col"), "AB");
    EXPECT_EQ(ids(wide), (std::vector<std::string>{"Y0012=1.000", "Z0012=2.000", "AA0012=3.000",
                                                   "AB0012=4.000"}));
    const DataFile twoLetters =
        importedDataFile(parseTextReport(gridReport("AA12", "AB13", "1 \n")), "R.CSV");
    EXPECT_EQ(twoLetters.headerValue("Start Col"), "AA");
    EXPECT_EQ(twoLetters.headerValue("Start Row"), "12");
}

// Every grid the export writes comes back with each reading in its own column.
TEST(ReportImport, GridLinesKeepEveryReadingInItsColumn) {
    const struct {
        const char* line;
        std::vector<std::optional<float>> values;
    } cases[] = {
        {"0.250       0.300 ", {0.25f, std::nullopt, 0.3f}},
        {"      0.300 ", {std::nullopt, 0.3f}},
        {"0.250       ", {0.25f, std::nullopt}},
        {"0.250 0.300       ", {0.25f, 0.3f, std::nullopt}},
        {"0.250                   0.300 ", {0.25f, std::nullopt, std::nullopt, std::nullopt, 0.3f}},
        {"0.250 0.000 0.300 ", {0.25f, 0.0f, 0.3f}},
        {"0.250 0.300", {0.25f, 0.3f}},
        {"", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseGridLine(c.line), c.values) << '"' << c.line << '"';
    }
    const DataFile ragged =
        importedDataFile(parseTextReport(gridReport("A1", "C3", "1 2 3 \n4 \n5 6 \n")), "R.CSV");
    EXPECT_EQ(ragged.headerValue("# ID"), "9");
    EXPECT_EQ(ids(ragged),
              (std::vector<std::string>{"A0001=1.000", "A0002=4.000", "A0003=5.000", "B0001=2.000",
                                        "B0002=--.---", "B0003=6.000", "C0001=3.000",
                                        "C0002=--.---", "C0003=--.---"}));
}

TEST(ReportImport, ReadingsPartMustMatchTheType) {
    const std::string gridWithList =
        report("GRID", "", "I", "LOCATION\tREADING", "001.00\t\t0.1\n");
    const std::string neither = "FILE TYPE: CUSTOM\nINCHES OR MM: I\n";
    const std::string typeAfterReadings = "LOCATION\tREADING\n----\nFILE TYPE: CUSTOM\n";
    for (const std::string& text : {gridWithList, neither, typeAfterReadings}) {
        EXPECT_FALSE(parseTextReport(text).hasReadings);
    }
    EXPECT_TRUE(parseTextReport(report("grid", "", "I", "readings", "")).hasReadings);
    EXPECT_TRUE(
        parseTextReport("\xEF\xBB\xBF" + report("GRID", "", "I", "READINGS", "")).hasReadings);
}

TEST(ReportImport, HostileReportsStayWithinBounds) {
    std::string many;
    for (int i = 0; i < 6000; ++i) {
        many += std::to_string(i + 1) + ".00\t\t0.1\n";
    }
    EXPECT_EQ(parseTextReport(customReport("I", many)).locations.size(), 5000u);

    std::string wideLine;
    for (int i = 0; i < 1000; ++i) {
        wideLine += "1 ";
    }
    std::string tall;
    for (int i = 0; i < 100; ++i) {
        tall += wideLine.substr(0, 200) + "\n";
    }
    const TextReport parsed = parseTextReport(gridReport("A1", "ZZ9", tall));
    std::size_t total = 0;
    for (const auto& line : parsed.gridLines) {
        total += line.size();
    }
    EXPECT_LE(parsed.gridLines.size() * 100, 5000u);
    EXPECT_LE(total, 5000u);

    const DataFile huge = importedDataFile(
        parseTextReport(customReport("I", "1e30\t\t1e30\n-1e30\t\t0.1\n")), "R.CSV");
    EXPECT_EQ(huge.headerValue("Start Row"), "2147483647");
    EXPECT_EQ(huge.readings.size(), 1u);

    const DataFile commas = importedDataFile(
        parseTextReport("FILE TYPE: CUSTOM\nPROBE ID: a,b\nLOCATION READING\n--\n1 1\n"), "R.CSV");
    EXPECT_EQ(commas.setups[0][9], "a b");
}

void expectRoundTrip(const DataFile& original, const std::vector<std::string>& readingsBack) {
    const std::string first = *textReportBytes(original);
    const DataFile imported = parseDataFile(
        dataFileBytes(importedDataFile(parseTextReport(first), "ROUND.CSV")), reportReadOptions());
    EXPECT_EQ(ids(imported), readingsBack);
    const std::string second = *textReportBytes(imported);
    const DataFile again = parseDataFile(
        dataFileBytes(importedDataFile(parseTextReport(second), "ROUND.CSV")), reportReadOptions());
    EXPECT_EQ(*textReportBytes(again), second);
    EXPECT_EQ(parseTextReport(second).units, parseTextReport(first).units);
    EXPECT_FALSE(parseTextReport(second).units.empty());
}

void roundTrips() {
    for (const char* units : {"IN", "MM"}) {
        SCOPED_TRACE(units);
        DataFile list = test::linearFile(3, units);
        list.readings = {test::readingRow("0001", "0.250", units),
                         test::readingRow("0002", "-", units),
                         test::readingRow("0003", "12.5", units)};
        expectRoundTrip(list, {"0001=0.250", "0002=--.---", "0003=12.500"});
        const std::vector<std::string> values = {"0.101", "0.102",  "0.103",
                                                 "0.201", "--.---", "0.203"};
        const std::vector<std::string> back = {"A0001=0.101",  "A0002=0.201", "B0001=0.102",
                                               "B0002=--.---", "C0001=0.103", "C0002=0.203"};
        expectRoundTrip(test::gridFile(3, 2, "COL", values, units), back);
        expectRoundTrip(test::gridFile(3, 2, "ROW", values, units), back);
    }
}

TEST(ReportImport, ExportImportExportRoundTrips) {
    roundTrips();
}

TEST(ReportImport, RoundTripsUnderACommaDecimalLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    // The German locale by its Linux name, or by its Windows name.
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr &&
        std::setlocale(LC_ALL, "German_Germany.1252") == nullptr) {
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
    }
    char decimal[8];
    std::snprintf(decimal, sizeof decimal, "%.1f", 0.5);
    EXPECT_STREQ(decimal, "0,5");  // the C library now writes decimal commas
    roundTrips();
    std::setlocale(LC_ALL, previous.c_str());
}

TEST(ReportImport, ImportWritesBesideTheReportWithItsMessages) {
    const auto folder = test::uniqueTempFolder("korvel-import-test");
    std::filesystem::create_directories(folder);
    ASSERT_TRUE(
        writeFileSafely((folder / "r.dat").string(), customReport("I", "001.00\t\t0.250\n")));
    const TextTable texts;
    test::RecordingVoice voice;
    const TextReportImport result = importTextReport(folder.string(), "r.dat", voice, texts);
    ASSERT_TRUE(result.written);
    EXPECT_EQ(result.dataPath, (folder / "r.CSV").string());
    EXPECT_EQ(voice.said,
              (std::vector<test::Said>{
                  {MessageKind::Notice, "File import completed for file " + result.dataPath}}));
    const DataFile back = *readDataFile(result.dataPath);
    EXPECT_EQ(back.headerValue("Filename"), "r.CSV");
    EXPECT_TRUE(back.endMarker);

    ASSERT_TRUE(writeFileSafely((folder / "BAD.DAT").string(), "FILE TYPE: GRID\n"));
    test::RecordingVoice refused;
    EXPECT_FALSE(importTextReport(folder.string(), "BAD.DAT", refused, texts).written);
    EXPECT_EQ(refused.said,
              (std::vector<test::Said>{
                  {MessageKind::Notice, "Import of this file type is not supported"}}));
    EXPECT_FALSE(std::filesystem::exists(folder / "BAD.CSV"));

    test::RecordingVoice missing;
    EXPECT_FALSE(importTextReport(folder.string(), "NONE.DAT", missing, texts).written);
    EXPECT_EQ(missing.said,
              (std::vector<test::Said>{{MessageKind::Error, "Error opening file - NONE.DAT"}}));
    std::filesystem::remove_all(folder);
}

// What a text report cannot carry is named in the question before an import replaces it.
TEST(ReportImport, AReportOfMoreLocationsThanAFileHoldsIsRefusedAndWritesNothing) {
    const auto folder = test::uniqueTempFolder("korvel-import-many");
    std::filesystem::create_directories(folder);
    const auto custom = [](int count) {
        std::string body;
        for (int i = 0; i < count; ++i) {
            body += std::to_string(i + 1) + ".00\t\t0.1\n";
        }
        return customReport("I", body);
    };
    const auto grid = [](int lines, int columns) {
        std::string body;
        for (int i = 0; i < lines; ++i) {
            for (int c = 0; c < columns; ++c) {
                body += "1.000 ";
            }
            body += "\n";
        }
        return gridReport("A1", "ZZ9", body);
    };
    const std::vector<std::tuple<std::string, std::string, const char*>> cases = {
        {"custom 5001", custom(5001), "5001"},
        {"grid 126 x 40", grid(126, 40), "5040"},
        {"custom 5000 fits", custom(5000), nullptr},
    };
    const TextTable texts;
    for (const auto& [name, report, count] : cases) {
        SCOPED_TRACE(name);
        std::filesystem::remove(folder / "R.CSV");
        ASSERT_TRUE(writeFileSafely((folder / "R.DAT").string(), report));
        test::RecordingVoice voice;
        const bool written = importTextReport(folder.string(), "R.DAT", voice, texts).written;
        EXPECT_EQ(written, count == nullptr);
        EXPECT_EQ(std::filesystem::exists(folder / "R.CSV"), count == nullptr);
        if (count) {
            EXPECT_EQ(voice.said,
                      (std::vector<test::Said>{
                          {MessageKind::Error,
                           "The report holds " + std::string(count) +
                               " locations; a data file holds at most 5000. Nothing was "
                               "imported: split the report and import each part."}}));
        }
    }
    std::filesystem::remove_all(folder);
}

TEST(ReportImport, OverwriteQuestionSaysWhatTheReportCannotCarry) {
    const DataFile plain =
        importedDataFile(parseTextReport(customReport("I", "1 0.25\n")), "R.CSV");
    const auto with = [&](const std::function<void(DataFile&)>& change) {
        DataFile file = plain;
        change(file);
        return file;
    };
    const struct {
        const char* name;
        DataFile file;
        bool more;
    } cases[] = {
        {"an imported file", plain, false},
        {"a note", with([](DataFile& f) {
             f.notes = {{"1", "weld"}};
         }),
         true},
        {"a second setup", with([](DataFile& f) {
             f.setups.push_back(f.setups[0]);
             f.setups[1][0] = "2";
             f.setHeaderValue("# Setup", "2");
         }),
         true},
        {"a waveform", with([](DataFile& f) { f.readings[0].ascan = AScan{}; }), true},
        {"an alarm flag", with([](DataFile& f) { f.readings[0].fields[3] = "LOW"; }), true},
        {"a gain flag", with([](DataFile& f) { f.readings[0].fields[5] = "HI"; }), true},
        {"a hole", with([](DataFile& f) { f.readings[0].fields[1] = "--.---"; }), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(holdsMoreThanATextReport(c.file), c.more) << c.name;
    }
    const auto folder = test::uniqueTempFolder("korvel-import-more");
    std::filesystem::create_directories(folder);
    ASSERT_TRUE(writeFileSafely((folder / "R.DAT").string(), customReport("I", "1 0.3\n")));
    ASSERT_TRUE(writeFileSafely((folder / "R.CSV").string(), dataFileBytes(cases[2].file)));
    const TextTable texts;
    test::RecordingVoice voice;
    EXPECT_FALSE(importTextReport(folder.string(), "R.DAT", voice, texts).written);
    EXPECT_EQ(voice.said, (std::vector<test::Said>{
                              {MessageKind::Question,
                               "File already exists. Do you want to overwrite?\n\nR.CSV\n\n"
                               "The existing file also holds what a text report cannot carry "
                               "(notes, setups after the first, waveforms, alarm or gain flags): "
                               "the import would lose them."}}));
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace korvel
