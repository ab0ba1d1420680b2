// Where a survey's readings stand: grids by location code or by the header's increments,
// sequences otherwise; holes, thickness texts and dates.

#include <gtest/gtest.h>

#include "survey/survey_layout.h"
#include "tests/survey/survey_fixtures.h"

namespace korvel {
namespace {

using test::HandReading;
using test::surveyBytes;

// Every layer as text: "name:" then each row's cells as point indices, '.' for none.
std::string cellsText(const Survey& survey) {
    std::string out;
    for (const auto& layer : survey.layers) {
        out += layer.name + ":";
        for (std::size_t row = 0; row < layer.rows(); ++row) {
            for (std::size_t column = 0; column < layer.columns(); ++column) {
                const int cell = layer.at(row, column);
                out += cell == kNoPoint ? "." : std::to_string(cell);
            }
            out += row + 1 < layer.rows() ? "/" : " ";
        }
    }
    return out;
}

std::vector<HandReading> numbered(const std::vector<std::string>& ids) {
    std::vector<HandReading> readings;
    for (const auto& id : ids) {
        readings.push_back({id, "0.200"});
    }
    return readings;
}

TEST(SurveyLayout, PlacesReadingsByCodesOrIncrementsElseAsASequence) {
    const std::vector<std::string> eight = {"1", "2", "3", "4", "5", "6", "7", "8"};
    const struct {
        const char* name;
        std::vector<std::string> header;
        std::vector<std::string> ids;
        const char* cells;
    } cases[] = {
        {"2D by code, header range wider than the readings",
         {"Type=2D", "Start Col=A", "End Col=C", "Start Row=1", "End Row=2"},
         {"B0002", "A0001", "C0001"},
         ":1.2/.0. "},
        {"2D readings outside the header range take their own extent",
         {"Type=2D", "Start Col=A", "End Col=A", "Start Row=1", "End Row=1"},
         {"B0003", "C0004"},
         ":0./.1 "},
        {"2D numeric start column",
         {"Type=2D", "Start Col=1", "End Col=2", "Start Row=1", "End Row=1"},
         {"B0001"},
         ":.0 "},
        {"2D without readings shows the header's empty grid",
         {"Type=2D", "Start Col=A", "End Col=B", "Start Row=1", "End Row=2"},
         {},
         ":../.. "},
        {"2D without readings or ranges", {"Type=2D"}, {}, ""},
        {"2D repeated location keeps its first reading", {"Type=2D"}, {"A0001", "A0001"}, ":0 "},
        {"2D code that is not a grid code", {"Type=2D"}, {"A0001", "7"}, ""},
        {"LINEAR", {"Type=LINEAR", "Start Row=1", "End Row=2"}, {"0001", "0002"}, ""},
        {"3D: columns first, then elevations, rows last",
         {"Type=3D", "Start Col=A", "End Col=B", "Start Row=1", "End Row=2", "Start Elev=1",
          "End Elev=2", "1st Inc=COL", "2nd Inc=ELEV"},
         eight,
         "1:01/45 2:23/67 "},
        {"3D with fewer readings than the ranges",
         {"Type=3D", "Start Col=A", "End Col=B", "Start Row=1", "End Row=1", "Start Elev=3",
          "End Elev=4", "1st Inc=ROW", "2nd Inc=col"},
         {"x", "y", "z"},
         "3:01 4:2. "},
        {"3D with more readings than the ranges",
         {"Type=3D", "Start Col=A", "End Col=A", "Start Row=1", "End Row=1", "Start Elev=1",
          "End Elev=1", "1st Inc=ROW", "2nd Inc=COL"},
         {"x", "y"},
         ""},
        {"3D with equal increments",
         {"Type=3D", "Start Col=A", "End Col=B", "Start Row=1", "End Row=1", "Start Elev=1",
          "End Elev=1", "1st Inc=ROW", "2nd Inc=ROW"},
         {"x"},
         ""},
        {"BOILER: one layer per test point, elevations down, tubes across",
         {"Type=BOILER", "Start Tube=1", "End Tube=2", "Start Elev=1", "End Elev=2", "Test Pts=LR",
          "1st Inc=TEST PTS", "2nd Inc=TUBE"},
         eight,
         "L:02/46 R:13/57 "},
        {"BOILER pattern written with dashes",
         {"Type=BOILER", "Start Tube=A", "End Tube=A", "Start Elev=1", "End Elev=1",
          "Test Pts=0-90-180-270", "1st Inc=TEST PTS", "2nd Inc=TUBE"},
         {"a", "b", "c", "d"},
         "0:0 90:1 180:2 270:3 "},
        {"BOILER mixing numbers and letters in a range",
         {"Type=BOILER", "Start Tube=1", "End Tube=B", "Start Elev=1", "End Elev=1", "Test Pts=LR",
          "1st Inc=TEST PTS", "2nd Inc=TUBE"},
         {"a"},
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Survey survey = surveyOf(parseDataFile(surveyBytes(c.header, numbered(c.ids))));
        EXPECT_EQ(cellsText(survey), c.cells);
        EXPECT_EQ(survey.shape, survey.layers.empty() ? SurveyShape::Sequence : SurveyShape::Grid);
        EXPECT_EQ(survey.points.size(), c.ids.size());
    }
}

TEST(SurveyLayout, LabelsPointsAndDate) {
    const Survey survey = surveyOf(parseDataFile(test::currentGrid()));
    ASSERT_EQ(survey.layers.size(), 1u);
    EXPECT_EQ(survey.layers[0].columnLabels, (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(survey.layers[0].rowLabels, (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(survey.type, "2D");
    EXPECT_EQ(survey.units, "IN");
    EXPECT_EQ(survey.points[2].location, "B0001");
    EXPECT_EQ(survey.points[2].alarm, AlarmLevel::LowAlarm);
    EXPECT_EQ(survey.points[4].alarm, AlarmLevel::LowWarning);
    EXPECT_EQ(survey.points[3].alarm, AlarmLevel::HighAlarm);
    EXPECT_EQ(survey.points[0].lowAlarm, 0.150);
    EXPECT_FALSE(survey.points[1].thickness);
    ASSERT_TRUE(survey.date);
    EXPECT_EQ(survey.date->minutes, parseSurveyDate("12/31/2024 06:00 AM")->minutes);
}

TEST(SurveyLayout, ThicknessTextsAndHoles) {
    const struct {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"0.254", 0.254},   {" 12.70 ", 12.7},      {"--.---", std::nullopt}, {"-", std::nullopt},
        {"", std::nullopt}, {"0.2X", std::nullopt}, {"LOW", std::nullopt},    {"1e3", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(thicknessValue(c.text), c.value) << c.text;
    }
}

TEST(SurveyDate, ReadsTheFilesDateForm) {
    const long long day = 24 * 60;
    const struct {
        const char* text;
        std::optional<long long> minutes;
    } cases[] = {
        {"01/01/1970 12:00 AM", 0},
        {"01/01/1970 12:30 PM", 12 * 60 + 30},
        {"01/02/1970 01:05 am", day + 65},
        {"03/01/2024 12:00 AM", 19783 * day},
        {"02/29/2024 11:59 PM", 19782 * day + 23 * 60 + 59},
        {"02/29/2025 10:00 AM", std::nullopt},
        {"13/01/2024 10:00 AM", std::nullopt},
        {"01/01/2024 00:10 AM", std::nullopt},
        {"01/01/2024 10:00", std::nullopt},
        {"1/1/2024 10:00 AM", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto date = parseSurveyDate(c.text);
        EXPECT_EQ(date ? std::optional<long long>(date->minutes) : std::nullopt, c.minutes)
            << c.text;
    }
}

}  // namespace
}  // namespace korvel
