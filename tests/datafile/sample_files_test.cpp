#include "tools/sample_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

#include "app/safe_file.h"
#include "app/text_rules.h"
#include "datafile/data_file_reader.h"
#include "datafile/data_file_writer.h"
#include "datafile/file_merge.h"
#include "datafile/line_reader.h"
#include "datafile/text_report_reader.h"
#include "datafile/text_report_writer.h"

namespace korvel {
namespace {

using samples::sampleSet;

TEST(SampleFiles, EveryDataFileIsValidAndReadsBackByteForByte) {
    int dataFiles = 0;
    for (const auto& sample : sampleSet()) {
        if (!endsWithNoCase(sample.name, ".CSV") || sample.bytes[0] == ',') {
            continue;
        }
        SCOPED_TRACE(sample.name);
        ++dataFiles;
        LineReader lines(sample.bytes, 100000);
        for (auto line = lines.next(); line; line = lines.next()) {
            EXPECT_LT(line->text.size() + 1, kReportLineLimit) << line->text;
        }
        const DataFile file = parseDataFile(sample.bytes);
        EXPECT_EQ(file.headerValue("Filename"), sample.name);
        EXPECT_EQ(file.readings.size(), static_cast<std::size_t>(file.headerNumber("# ID")));
        EXPECT_EQ(file.setups.size(), static_cast<std::size_t>(file.headerNumber("# Setup")));
        EXPECT_EQ(file.notes.size(), static_cast<std::size_t>(file.headerNumber("# Notes")));
        for (const auto& reading : file.readings) {
            EXPECT_EQ(reading.fields.size(), file.readingColumns.size());
            const bool on = file.readingField(reading, "A Scan") == "ON";
            ASSERT_EQ(reading.ascan.has_value(), on) << reading.fields[0];
            if (on) {
                EXPECT_EQ(reading.ascan->max.values.size(), 180u);
                EXPECT_EQ(reading.ascan->min.values.size(), 180u);
                EXPECT_EQ(reading.ascan->max.announcedCount(), 180);
                for (const char* key : {"DELAY", "RANGE", "MARKER1", "MARKER2", "MARKER3",
                                        "MB_BLANK", "IF_BLANK", "C3_BLANK", "ECHO_WINDOW"}) {
                    EXPECT_TRUE(reading.ascan->settingValue(key)) << key;
                }
            }
        }
        EXPECT_EQ(dataFileBytes(file), sample.bytes);
        EXPECT_EQ(dataFileBytes(parseDataFile(sample.bytes, reportReadOptions())), sample.bytes);
    }
    EXPECT_EQ(dataFiles, 12);
}

TEST(SampleFiles, AScanMarkersStandInSamplesInEveryMeasuringMode) {
    std::set<std::string> modes;
    for (const auto& sample : sampleSet()) {
        if (!endsWithNoCase(sample.name, ".CSV") || sample.bytes[0] == ',') {
            continue;
        }
        const DataFile file = parseDataFile(sample.bytes);
        for (const auto& reading : file.readings) {
            if (!reading.ascan) {
                continue;
            }
            const int setup = leadingNumber(file.readingField(reading, "Setup #"));
            ASSERT_TRUE(setup >= 1 && setup <= int(file.setups.size())) << sample.name;
            modes.insert(file.setups[std::size_t(setup - 1)].back());
            for (const char* key : {"MARKER1", "MARKER2", "MARKER3", "MB_BLANK", "IF_BLANK",
                                    "C3_BLANK", "ECHO_WINDOW"}) {
                const std::string text(*reading.ascan->settingValue(key));
                const int value = leadingNumber(text);
                EXPECT_EQ(std::to_string(value), text) << sample.name << " " << key;
                EXPECT_TRUE(value >= 0 && value <= 180) << sample.name << " " << key;
            }
        }
    }
    EXPECT_EQ(modes, (std::set<std::string>{"STD", "C1", "E TO E", "C2", "C3"}));
}

TEST(SampleFiles, CoverTheLayoutsAndTheLimits) {
    std::map<std::string, DataFile> files;
    for (const auto& sample : sampleSet()) {
        if (endsWithNoCase(sample.name, ".CSV") && sample.bytes[0] != ',') {
            files[sample.name] = parseDataFile(sample.bytes);
        }
    }
    EXPECT_EQ(files["BIG5000.CSV"].readings.size(), 5000u);
    EXPECT_EQ(files["BIG160A.CSV"].readings.size(), 160u);
    EXPECT_EQ(files["TANK3D.CSV"].headerValue("Type"), "3D");
    EXPECT_EQ(files["BOILER1.CSV"].headerValue("Test Pts"), "LCR");
    EXPECT_EQ(files["ELBOW-R.CSV"].headerValue("1st Inc"), "ROW");
    EXPECT_EQ(files["ELBOW-C.CSV"].headerValue("1st Inc"), "COL");
    EXPECT_FALSE(files["OLDPIPE.CSV"].hasProductLine);
    // A grid survey and its earlier survey: the same locations, two years apart.
    const DataFile& tank = files["TANK-N.CSV"];
    const DataFile& earlierTank = files["TANK-N-24.CSV"];
    ASSERT_EQ(tank.readings.size(), earlierTank.readings.size());
    for (std::size_t i = 0; i < tank.readings.size(); ++i) {
        EXPECT_EQ(tank.readings[i].fields[0], earlierTank.readings[i].fields[0]);
    }
    EXPECT_EQ(tank.headerValue("Last Saved"), "11/19/2026 03:17 PM");
    EXPECT_EQ(earlierTank.headerValue("Last Saved"), "11/14/2024 09:40 AM");
    // A third survey of the grid for the inspection history, two years before that.
    const DataFile& firstTank = files["TANK-N-22.CSV"];
    ASSERT_EQ(firstTank.readings.size(), tank.readings.size());
    EXPECT_EQ(firstTank.readings.back().fields[0], tank.readings.back().fields[0]);
    EXPECT_EQ(firstTank.headerValue("Last Saved"), "11/08/2022 10:05 AM");

    std::set<std::string> bscan, alarms;
    int segments = 0;
    const DataFile& runs = files["BSCAN1.CSV"];
    for (const auto& reading : runs.readings) {
        const std::string value = runs.readingField(reading, "B Scan");
        bscan.insert(value);
        segments += value.rfind("STOP", 0) == 0 ? 1 : 0;
    }
    for (const auto& [name, file] : files) {
        for (const auto& reading : file.readings) {
            alarms.insert(file.readingField(reading, "Alarm"));
        }
    }
    EXPECT_EQ(segments, 3);
    for (const char* value :
         {"START", "START MIN", "BODY", "BODY MIN", "BODY ZERO", "STOP", "STOP MIN"}) {
        EXPECT_TRUE(bscan.count(value)) << value;
    }
    for (const char* value : {"HIGH", "LOW", "HIGH WARNING", "LOW WARNING", "OFF"}) {
        EXPECT_TRUE(alarms.count(value)) << value;
    }
    for (const char* column : {"BS Range", "BS Resolution", "Meas Mode"}) {
        EXPECT_TRUE(runs.setupColumn(column)) << column;
    }
}

TEST(SampleFiles, GridsSurviveTheReportAndMergeFiles) {
    const auto set = sampleSet();
    std::vector<std::string> merges;
    for (const auto& sample : set) {
        if (sample.name.rfind("ELBOW", 0) == 0 && endsWithNoCase(sample.name, ".CSV")) {
            const DataFile file = parseDataFile(sample.bytes, reportReadOptions());
            const DataFile back =
                importedDataFile(parseTextReport(*textReportBytes(file)), sample.name);
            EXPECT_EQ(back.readings.size(), 96u) << sample.name;
        }
        if (sample.name.rfind("MERGE", 0) == 0) {
            merges.push_back(sample.bytes);
        }
    }
    ASSERT_EQ(merges.size(), 3u);
    EXPECT_EQ(lineKeys(merges[0]), lineKeys(merges[2]));
    const std::string merged = mergedBytes(merges);
    EXPECT_EQ(merged.substr(0, merged.find('\r')),
              ",1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,");
    EXPECT_EQ(lineKeys(merged), lineKeys(merges[0]));
}

TEST(SampleFiles, TheSameSetEveryTime) {
    const auto first = sampleSet();
    const auto second = sampleSet();
    ASSERT_EQ(first.size(), second.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].bytes, second[i].bytes) << first[i].name;
    }
}

// The copies kept with the sources (for the command-line tests) are the generator's files.
TEST(SampleFiles, TheStoredCopiesAreTheGeneratedFiles) {
    std::map<std::string, std::string> generated;
    for (auto& sample : sampleSet()) {
        generated[sample.name] = std::move(sample.bytes);
    }
    int stored = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(KORVEL_SOURCE_DIR) +
                                                                 "/resources/samples")) {
        const std::string name = entry.path().filename().string();
        ++stored;
        ASSERT_TRUE(generated.count(name)) << name << " is not made by the generator";
        EXPECT_TRUE(readFileBytes(entry.path().string()) == generated[name])
            << name << " differs from the generated file";
    }
    EXPECT_GE(stored, 10);
}

}  // namespace
}  // namespace korvel
