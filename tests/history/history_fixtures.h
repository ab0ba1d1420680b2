#pragma once
// Hand-made surveys for the inspection history's tests: a LINEAR data file of a few readings
// saved on a given date, each reading a location, a thickness text (or "--.---" for a hole)
// and its units; and the check of texts in a single-byte code page, for every engine.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "history/inspection_history.h"

namespace korvel::test {

struct HandReading {
    std::string location;
    std::string thickness;  // as the file writes it
    std::string units = "IN";
};

inline std::string handSurvey(const std::string& name, const std::string& saved,
                              const std::vector<HandReading>& readings) {
    std::string file =
        "Product:40-101,Version:v1.09A,\r\n"
        "Filename,Type,Version,AScan,Start Row,End Row,# ID,# Setup,# Notes,"
        "Created,Last Saved,\r\n" +
        name + ",LINEAR,1,OFF,1," + std::to_string(readings.size()) + "," +
        std::to_string(readings.size()) + ",0,0," + saved + "," + saved +
        ",\r\n\r\n"
        "ID,Thickness,Units,Alarm,Diff,Gain,Fast,Note #,Setup #,Meas Mode,B Scan,"
        "A Scan,\r\n";
    for (const auto& reading : readings) {
        file += reading.location + "," + reading.thickness + "," + reading.units +
                ",OFF,OFF,STD,OFF,0,1,STD,OFF,OFF,\r\n";
    }
    return file;
}

// Names, a file name, a location and a note in Windows-1252, as a single-byte system gives
// them: stored as UTF-8 on every engine, and found by either form.
inline void checkSingleByteTexts(history::InspectionHistory& history) {
    const std::string survey = handSurvey("\xc9.CSV", "01/01/2020 12:00 PM", {{"A\xb0", "0.3"}});
    ASSERT_TRUE(history.setAsset({"TANK-\xc9", {}, {}, {}, {}}));
    const auto added = history.addSurvey("TANK-\xc9", "\xc9.CSV", survey);
    ASSERT_TRUE(added) << added.error.detail;
    ASSERT_TRUE(history.exclude("TANK-\xc3\x89", added->id, "A\xb0", "\x93lifted\x94"));
    const auto assets = history.assets();
    ASSERT_TRUE(assets);
    ASSERT_EQ(assets->size(), 1u);
    EXPECT_EQ(assets->at(0).name, "TANK-\xc3\x89");
    const auto surveys = history.surveys("TANK-\xc9");
    ASSERT_TRUE(surveys);
    EXPECT_EQ(surveys->at(0).file, "\xc3\x89.CSV");
    const auto points = history.history("TANK-\xc3\x89", "A\xc2\xb0");
    ASSERT_TRUE(points) << points.error.detail;
    ASSERT_EQ(points->points.size(), 1u);
    EXPECT_EQ(points->points[0].note, "\xe2\x80\x9clifted\xe2\x80\x9d");
    // The file itself is kept byte for byte.
    EXPECT_EQ(history.storage().assetRecord("TANK-\xc9")->surveys.at(0).survey.bytes, survey);
}

}  // namespace korvel::test
