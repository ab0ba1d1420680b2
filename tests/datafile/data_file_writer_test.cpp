#include "datafile/data_file_writer.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

#include <filesystem>

#include "datafile/data_file_reader.h"

namespace korvel {
namespace {

DataFile sampleFile() {
    DataFile file;
    file.hasProductLine = true;
    file.product = "40-104";
    file.productVersion = "v1.09A";
    file.headerNames = {"Filename", "Type", "# ID", "# Setup", "# Notes"};
    file.headerValues = {"W.CSV", "LINEAR", "2", "1", "1"};
    file.readingColumns = {"ID", "Thickness", "A Scan"};
    AScan ascan;
    ascan.max.lineFields = {"", "Max Data", "1", "3"};
    ascan.max.values = {"1", "2", "3"};
    ascan.min.lineFields = {"", "Min Data", "1", "3"};
    ascan.min.values = {"0", "1", "0"};
    ascan.settings = {"DELAY=0.1", "RANGE=2"};
    file.readings = {{{"0001", "0.254", "ON"}, ascan}, {{"0002", "-", "OFF"}, std::nullopt}};
    file.setupColumns = {"Setup #", "Units"};
    file.setups = {{"1", "IN"}};
    file.noteColumns = {"Note #", "Line1"};
    file.notes = {{"1", "pitted"}};
    return file;
}

TEST(DataFileWriter, WritesEveryBlockInOrderWithCrLf) {
    const std::string expected =
        "Product:40-104,Version:v1.09A,\r\n"
        "Filename,Type,# ID,# Setup,# Notes,\r\n"
        "W.CSV,LINEAR,2,1,1,\r\n"
        "\r\n"
        "ID,Thickness,A Scan,\r\n"
        "0001,0.254,ON,\r\n"
        ",Max Data,1,3,\r\n"
        ",1,2,3,\r\n"
        ",Min Data,1,3,\r\n"
        ",0,1,0,\r\n"
        "DELAY=0.1,RANGE=2,\r\n"
        "ID,Thickness,A Scan,\r\n"
        "0002,-,OFF,\r\n"
        "\r\n"
        "Setup #,Units,\r\n"
        "1,IN,\r\n"
        "\r\n"
        "Note #,Line1,\r\n"
        "1,pitted,\r\n";
    EXPECT_EQ(dataFileBytes(sampleFile()), expected);
}

TEST(DataFileWriter, RoundTripKeepsEveryField) {
    const DataFile original = sampleFile();
    const DataFile back = parseDataFile(dataFileBytes(original));
    EXPECT_EQ(back.product, original.product);
    EXPECT_EQ(back.headerNames, original.headerNames);
    EXPECT_EQ(back.headerValues, original.headerValues);
    EXPECT_EQ(back.readingColumns, original.readingColumns);
    ASSERT_EQ(back.readings.size(), 2u);
    EXPECT_EQ(back.readings[0].fields, original.readings[0].fields);
    EXPECT_EQ(back.readings[0].ascan->max.values, original.readings[0].ascan->max.values);
    EXPECT_EQ(back.readings[0].ascan->min.values, original.readings[0].ascan->min.values);
    EXPECT_EQ(back.readings[0].ascan->settings, original.readings[0].ascan->settings);
    EXPECT_EQ(back.setups, original.setups);
    EXPECT_EQ(back.notes, original.notes);
    EXPECT_EQ(dataFileBytes(back), dataFileBytes(original));
}

TEST(DataFileWriter, ReadingColumnsWithoutReadingsAreWrittenAndTheRestReadBack) {
    DataFile original = sampleFile();
    original.headerValues = {"W.CSV", "LINEAR", "0", "1", "1"};
    original.readings.clear();
    const std::string bytes = dataFileBytes(original);
    EXPECT_NE(bytes.find("W.CSV,LINEAR,0,1,1,\r\n\r\nID,Thickness,A Scan,\r\n\r\nSetup #"),
              std::string::npos);
    // Read back, the blocks after the empty readings keep their rows.
    const DataFile back = parseDataFile(bytes);
    EXPECT_TRUE(back.readings.empty());
    EXPECT_EQ(back.readingColumns, original.readingColumns);
    EXPECT_EQ(back.setups, original.setups);
    EXPECT_EQ(back.notes, original.notes);
    EXPECT_EQ(dataFileBytes(back), bytes);
}

TEST(DataFileWriter, FailedSaveLeavesTheOldFile) {
    const auto folder = test::uniqueTempFolder("korvel-writer-test");
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "W.CSV").string();
    ASSERT_TRUE(saveDataFile(path, sampleFile()));
    EXPECT_EQ(readDataFile(path)->readings.size(), 2u);
    std::string error;
    EXPECT_FALSE(saveDataFile((folder / "missing" / "W.CSV").string(), sampleFile(), &error));
    EXPECT_FALSE(error.empty());
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace korvel
