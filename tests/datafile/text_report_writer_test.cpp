#include "datafile/text_report_writer.h"
#include "datafile/text_report_reader.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/temp_folder.h"

#include <filesystem>

#include "app/safe_file.h"
#include "datafile/data_file_writer.h"
#include "datafile/date_text.h"
#include "datafile/output_file.h"
#include "tests/datafile/text_report_fixtures.h"
#include "tests/support/recording_voice.h"

namespace korvel {
namespace {

using test::gridFile;
using test::linearFile;
using test::readingRow;

const std::string kDashes = "---------------------------------\r\n";

std::string gridHeader(const char* lowerRight, const char* units = "I") {
    return "FILE NAME: GRID1.CSV\r\nDOS FILE NAME: GRID1.DAT\r\nFILE TYPE: GRID\r\n"
           "DATE & TIME CREATED: 12/07/26 09:05 PM\r\n"
           "DATE & TIME LAST MODIFIED: 12/08/26 10:15 AM\r\n"
           "FILE DESCRIPTION: \r\nALLOW MANUAL READINGS: Y\r\n"
           "UPPER LEFT LOCATION: A1\r\nLOWER RIGHT LOCATION: " +
           std::string(lowerRight) +
           "\r\nOPERATOR ID: \r\nINSTRUMENT ID: \r\nPROBE ID: D790\r\n"
           "MATERIAL VELOCITY: 0.2330\r\nINCHES OR MM: " +
           units + "\r\n" + kDashes + "READINGS\r\n" + kDashes;
}

TEST(ReportExport, LinearFileBecomesALocationList) {
    DataFile file = linearFile(3);
    file.readings = {readingRow("0001", "0.250"), readingRow("0002", "--.---"),
                     readingRow("0003", "0.300")};
    const std::string expected =
        "FILE NAME: PIPE1.CSV\r\nDOS FILE NAME: PIPE1.DAT\r\nFILE TYPE: CUSTOM\r\n"
        "DATE & TIME CREATED: 12/07/26 09:05 PM\r\n"
        "DATE & TIME LAST MODIFIED: 12/08/26 10:15 AM\r\n"
        "FILE DESCRIPTION: \r\nALLOW MANUAL READINGS: Y\r\n"
        "NUMBER OF LOCATIONS: 3\r\nCHARACTERS FOR LOCATION CODE: \r\nREADINGS/LOCATION: 1\r\n"
        "OPERATOR ID: \r\nINSTRUMENT ID: \r\nPROBE ID: D790\r\nMATERIAL VELOCITY: 0.2330\r\n"
        "INCHES OR MM: I\r\n" +
        kDashes + "LOCATION\tREADING\r\n" + kDashes +
        "001.00\t\t0.250\r\n002.00\t\t     \r\n003.00\t\t0.300\r\n" + kDashes;
    EXPECT_EQ(textReportBytes(file), expected);
}

TEST(ReportExport, GridsInBothStorageOrdersGiveTheSameLines) {
    const std::vector<std::string> full = {"0.101", "0.102", "0.103", "0.201", "0.202", "0.203"};
    const std::string lines = "0.101 0.102 0.103 \r\n0.201 0.202 0.203 \r\n";
    EXPECT_EQ(textReportBytes(gridFile(3, 2, "COL", full)), gridHeader("C2") + lines + kDashes);
    EXPECT_EQ(textReportBytes(gridFile(3, 2, "ROW", full)), gridHeader("C2") + lines + kDashes);

    // A missing reading is five blanks in both orders, never a reading of 0.
    const std::vector<std::string> gap = {"0.101", "0.102", "0.103", "0.201", "-", "0.203"};
    const std::string gapLines = "0.101 0.102 0.103 \r\n0.201       0.203 \r\n";
    EXPECT_EQ(textReportBytes(gridFile(3, 2, "COL", gap)), gridHeader("C2") + gapLines + kDashes);
    EXPECT_EQ(textReportBytes(gridFile(3, 2, "ROW", gap)), gridHeader("C2") + gapLines + kDashes);
}

// The last grid line is written even when the last location code ends in "1".
TEST(ReportExport, LastRowByRowLineIsAlwaysWritten) {
    const DataFile oneRow = gridFile(2, 1, "COL", {"0.101", "0.102"});
    EXPECT_EQ(textReportBytes(oneRow), gridHeader("B1") + "0.101 0.102 \r\n" + kDashes);
}

TEST(ReportExport, MillimetresAndOtherUnits) {
    DataFile file = linearFile(1, "MM");
    file.readings = {readingRow("0001", "6.35", "MM")};
    EXPECT_NE(textReportBytes(file)->find("INCHES OR MM: M\r\n"), std::string::npos);
    file.setups.back()[1] = "USEC";
    file.readings = {readingRow("0001", "6.35", "USEC")};
    EXPECT_NE(textReportBytes(file)->find("INCHES OR MM: \r\n"), std::string::npos);
}

TEST(ReportExport, UnsupportedFiles) {
    DataFile letters = linearFile(1);
    letters.setHeaderValue("Start Row", "A");
    DataFile numericColumns = gridFile(1, 1, "ROW", {"0.1"});
    numericColumns.setHeaderValue("Start Col", "1");
    DataFile threeD = linearFile(1);
    threeD.setHeaderValue("Type", "3D");
    DataFile boiler = linearFile(1);
    boiler.setHeaderValue("Type", "BOILER");
    DataFile mixed = linearFile(2);
    mixed.readings = {readingRow("0001", "0.1", "IN"), readingRow("0002", "2.5", "MM")};
    for (const DataFile* file : {&letters, &numericColumns, &threeD, &boiler, &mixed}) {
        EXPECT_FALSE(textReportBytes(*file).has_value());
    }
}

TEST(ReportExport, ListsEveryLocationWithItsFullNumberAndImportsItBack) {
    DataFile file = linearFile(3);
    const std::vector<std::string> locations = {"0998", "0999", "1000", "4999", "5000"};
    file.readings.clear();
    for (const auto& location : locations) {
        file.readings.push_back(readingRow(location, "0.1" + location.substr(3)));
    }
    const std::string report = *textReportBytes(file);
    EXPECT_NE(report.find("998.00\t\t0.18\r\n999.00\t\t0.19\r\n1000.00\t\t0.10\r\n"
                          "4999.00\t\t0.19\r\n5000.00\t\t0.10\r\n" +
                          kDashes),
              std::string::npos);
    const DataFile back = importedDataFile(parseTextReport(report), "BACK.CSV");
    std::vector<std::string> imported;
    for (const auto& reading : back.readings) {
        imported.push_back(reading.fields[0]);
    }
    EXPECT_EQ(imported, locations);
}

TEST(ReportExport, AListOfMoreThan999ReadingsHoldsThemAllAndImportsBack) {
    DataFile file = linearFile(1200);
    for (int id = 1; id <= 1200; ++id) {
        char location[8];
        std::snprintf(location, sizeof location, "%04d", id);
        file.readings.push_back(readingRow(location, "0.250"));
    }
    const std::string report = *textReportBytes(file);
    EXPECT_NE(report.find("NUMBER OF LOCATIONS: 1200\r\n"), std::string::npos);
    EXPECT_NE(report.find("999.00\t\t0.250\r\n1000.00\t\t0.250\r\n"), std::string::npos);
    EXPECT_NE(report.find("1200.00\t\t0.250\r\n"), std::string::npos);
    EXPECT_EQ(importedDataFile(parseTextReport(report), "BACK.CSV").readings.size(), 1200u);
}

TEST(ReportExport, DateConversionTouchesOnlyFourDigitYears) {
    const struct {
        const char* value;
        const char* report;
    } cases[] = {
        {"12/07/2026 09:05 PM", "12/07/26 09:05 PM"},
        {"12/07/26 09:05 PM", "12/07/26 09:05 PM"},
        {"2026-12-07 21:05", "2026-12-07 21:05"},
        {"12/07/2026", "12/07/2026"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(reportDateTime(c.value), c.report) << c.value;
    }
}

TEST(ReportExport, ReportNamesChangeOnlyTheFilesExtension) {
    const struct {
        const char* path;
        const char* report;
    } cases[] = {
        {"/d/PIPE1.CSV", "/d/PIPE1.DAT"},
        {"/d/PIPE.1.CSV", "/d/PIPE.1.DAT"},
        {"/home/u.v/PIPE1", "/home/u.v/PIPE1.DAT"},
        {"C:\\Gage.Data\\PIPE1", "C:\\Gage.Data\\PIPE1.DAT"},
        {"PIPE1.CSV", "PIPE1.DAT"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(withExtension(c.path, ".DAT"), c.report) << c.path;
    }
}

TEST(ReportExport, AHeaderThatClaimsMoreReadingsThanTheFileHoldsIsSaidAndNothingWritten) {
    const auto folder = test::uniqueTempFolder("korvel-export-claims");
    std::filesystem::create_directories(folder);
    const TextTable texts;
    // The count the header claims, and whether the export goes ahead.
    const std::vector<std::pair<const char*, bool>> cases = {
        {"9000", false}, {"2", false}, {"1", true}, {"0", true}};
    for (const auto& [claimed, exported] : cases) {
        SCOPED_TRACE(claimed);
        DataFile file = linearFile(1);
        file.readings = {readingRow("0001", "0.250")};
        file.setHeaderValue("# ID", claimed);
        ASSERT_TRUE(saveDataFile((folder / "PIPE1.CSV").string(), file));
        std::filesystem::remove(folder / "PIPE1.DAT");
        test::RecordingVoice voice;
        EXPECT_EQ(exportTextReport(folder.string(), "PIPE1.CSV", voice, texts).written, exported);
        EXPECT_EQ(std::filesystem::exists(folder / "PIPE1.DAT"), exported);
        if (!exported) {
            EXPECT_EQ(voice.said,
                      (std::vector<test::Said>{
                          {MessageKind::Error,
                           "The header of PIPE1.CSV claims " + std::string(claimed) +
                               " readings, but the file holds 1 (a data file holds at most "
                               "5000). Nothing was exported: correct the \"# ID\" value of the "
                               "file."}}));
        }
    }
    std::filesystem::remove_all(folder);
}

TEST(ReportExport, ExportsAFileThatBeginsWithTheProductLine) {
    const auto folder = test::uniqueTempFolder("korvel-export-test");
    std::filesystem::create_directories(folder);
    DataFile file = linearFile(1);
    file.hasProductLine = true;
    file.product = "40-101";
    file.productVersion = "v1.09A";
    file.readings = {readingRow("0001", "0.250")};
    ASSERT_TRUE(saveDataFile((folder / "PIPE1.CSV").string(), file));
    const TextTable texts;

    test::RecordingVoice voice;
    const TextReportExport result = exportTextReport(folder.string(), "PIPE1.CSV", voice, texts);
    ASSERT_TRUE(result.written);
    EXPECT_EQ(result.reportPath, (folder / "PIPE1.DAT").string());
    EXPECT_EQ(readFileBytes(result.reportPath), textReportBytes(file));
    EXPECT_EQ(voice.said,
              (std::vector<test::Said>{
                  {MessageKind::Notice, "File export completed for file " + result.reportPath}}));
    EXPECT_FALSE(voice.waitCursor);

    test::RecordingVoice declines;
    EXPECT_FALSE(exportTextReport(folder.string(), "PIPE1.CSV", declines, texts).written);
    EXPECT_EQ(
        declines.said,
        (std::vector<test::Said>{{MessageKind::Question,
                                  "File already exists. Do you want to overwrite?\n\nPIPE1.DAT"}}));

    test::RecordingVoice missing;
    EXPECT_FALSE(exportTextReport(folder.string(), "NONE.CSV", missing, texts).written);
    EXPECT_EQ(missing.said,
              (std::vector<test::Said>{{MessageKind::Error, "Error opening file - NONE.CSV"}}));

    file.setHeaderValue("Type", "3D");
    ASSERT_TRUE(saveDataFile((folder / "CUBE.CSV").string(), file));
    test::RecordingVoice refused;
    EXPECT_FALSE(exportTextReport(folder.string(), "CUBE.CSV", refused, texts).written);
    EXPECT_EQ(refused.said,
              (std::vector<test::Said>{
                  {MessageKind::Error, "Export of this file type is not supported"}}));
    EXPECT_FALSE(std::filesystem::exists(folder / "CUBE.DAT"));
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace korvel
