// The figures of hand-made histories, computed by hand: rates, remaining life and each code's
// next inspection, through the whole history (an SQLite file) as korvel-cli uses it.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <sstream>

#include "history/history_json.h"
#include "history/history_messages.h"
#include "history/history_open.h"
#include "history/inspection_history.h"
#include "history/inspection_interval.h"
#include "survey/survey_date.h"
#include "tests/history/history_fixtures.h"
#include "tests/support/temp_folder.h"

namespace korvel::history {
namespace {

namespace fs = std::filesystem;

// Four years apart to the minute: 1461 days are 4 years of 365.25 days.
const char* const kDates[] = {"01/01/2020 12:00 PM", "01/01/2024 12:00 PM", "01/01/2028 12:00 PM",
                              "01/01/2032 12:00 PM"};

struct FiguresCase {
    const char* name;
    // Location 0001's thickness in each survey, in date order; "MM" after one in millimetres.
    const char* surveys;
    AssetChange asset;
    int excluded;  // the survey (1 = first) whose reading is left out, 0 for none
    int values;
    std::optional<double> longTerm, shortTerm, regression, governing, life;
    const char* next;  // YYYY-MM-DD or null
    bool below;
};
constexpr std::nullopt_t none = std::nullopt;

std::vector<test::HandReading> readingsOf(const char* surveys) {
    std::vector<test::HandReading> readings;
    std::istringstream words(surveys);
    for (std::string word; words >> word;) {
        if (word == "MM") {
            readings.back().units = word;
        } else {
            readings.push_back({"0001", word});
        }
    }
    return readings;
}

void expectFigure(const char* what, std::optional<double> actual, std::optional<double> wanted) {
    ASSERT_EQ(actual.has_value(), wanted.has_value()) << what;
    if (wanted) {
        EXPECT_NEAR(*actual, *wanted, 1e-9) << what;
    }
}

class HistoryFigures : public ::testing::TestWithParam<FiguresCase> {
  protected:
    void SetUp() override { folder_ = test::uniqueTempFolder("korvel-history-figures"); }
    void TearDown() override { fs::remove_all(folder_); }
    fs::path folder_;
};

TEST_P(HistoryFigures, AreTheHandComputedOnes) {
    const FiguresCase& c = GetParam();
    auto storage = openHistoryStorage((folder_ / "h.sqlite").string());
    ASSERT_TRUE(storage) << storage.error.detail;
    InspectionHistory history(std::move(*storage), [] { return 0LL; });
    AssetChange asset = c.asset;
    asset.name = "TANK 7";
    ASSERT_TRUE(history.setAsset(asset));
    const auto readings = readingsOf(c.surveys);
    std::vector<long long> ids;
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const std::string name = "S" + std::to_string(i) + ".CSV";
        const auto added =
            history.addSurvey("TANK 7", name, test::handSurvey(name, kDates[i], {readings[i]}));
        ASSERT_TRUE(added) << historyMessageKey(added.error.failure);
        ids.push_back(added->id);
    }
    if (c.excluded > 0) {
        ASSERT_TRUE(history.exclude("TANK 7", ids[c.excluded - 1], "0001", "probe lifted"));
    }
    const auto figures = history.figures("TANK 7");
    ASSERT_TRUE(figures);
    ASSERT_EQ(figures->locations.size(), 1u);
    const LocationFigures& location = figures->locations[0];
    EXPECT_EQ(location.values, c.values);
    expectFigure("long-term", location.longTermRate, c.longTerm);
    expectFigure("short-term", location.shortTermRate, c.shortTerm);
    expectFigure("regression", location.regressionRate, c.regression);
    expectFigure("governing", location.governingRate, c.governing);
    expectFigure("remaining life", location.remainingLife, c.life);
    EXPECT_EQ(
        location.nextInspectionMinutes ? isoDateText(*location.nextInspectionMinutes) : "null",
        c.next);
    EXPECT_EQ(location.belowRequired, c.below);
}

AssetChange code(InspectionCode inspectionCode, double required, std::optional<int> klass = {}) {
    AssetChange change;
    change.code = inspectionCode;
    change.required = required;
    change.inspectionClass = klass;
    return change;
}

using enum InspectionCode;

INSTANTIATE_TEST_SUITE_P(
    Histories, HistoryFigures,
    ::testing::Values(
        // Two surveys: both rates 0.02 / 4; life 0.08 / 0.005 = 16; api570 class 2: 8 years.
        FiguresCase{"TwoSurveys", "0.300 0.280", code(Api570, 0.2, 2), 0, 2, 0.005, 0.005, none,
                    0.005, 16.0, "2032-01-01", false},
        // Three: long-term 0.03 / 8, short-term 0.02 / 4 governs; regression slope of
        // (0, .300) (4, .290) (8, .270) is -0.12 / 32. Life 4: api510 half of it, 2 years.
        FiguresCase{"ThreeSurveys", "0.300 0.290 0.270", code(Api510, 0.25), 0, 3, 0.00375, 0.005,
                    0.00375, 0.005, 4.0, "2030-01-01", false},
        // Four: 0.03 / 12 and 0.015 / 4; regression -0.2 / 80. Life 0.07 / 0.00375 = 18.67,
        // api653: half of it, 9.33 years after 2032-01-01 12:00.
        FiguresCase{"FourSurveys", "0.300 0.295 0.285 0.270", code(Api653, 0.2), 0, 4, 0.0025,
                    0.00375, 0.0025, 0.00375, 0.07 / 0.00375, "2041-05-02", false},
        // A hole in the middle: two values, previous is the first; life 12, api570 class 1: 5
        // years.
        FiguresCase{"AHole", "0.300 --.--- 0.260", code(Api570, 0.2, 1), 0, 2, 0.005, 0.005, none,
                    0.005, 12.0, "2032-12-31", false},
        // Millimetres in an inch asset: 7.112 mm is 0.280 in.
        FiguresCase{"AUnitChange", "0.300 7.112 MM", code(Api570, 0.2, 2), 0, 2, 0.005, 0.005, none,
                    0.005, 16.0, "2032-01-01", false},
        // The middle reading left out: 0.300 to 0.270 over 8 years.
        FiguresCase{"AnExclusion", "0.300 0.250 0.270", code(Api570, 0.2, 2), 2, 2, 0.00375,
                    0.00375, none, 0.00375, 0.07 / 0.00375, "2037-05-02", false},
        // At or below the required thickness: life 0, due on the survey's own date.
        FiguresCase{"BelowRequired", "0.300 0.190", code(Api653, 0.2), 0, 2, 0.0275, 0.0275, none,
                    0.0275, 0.0, "2024-01-01", true},
        // api510 under 4 years: life 1, the lesser of it and 2 years.
        FiguresCase{"Api510UnderFourYears", "0.300 0.260", code(Api510, 0.25), 0, 2, 0.01, 0.01,
                    none, 0.01, 1.0, "2024-12-31", false},
        // api510 life 3: 2 years at most.
        FiguresCase{"Api510LifeThree", "0.300 0.280", code(Api510, 0.265), 0, 2, 0.005, 0.005, none,
                    0.005, 3.0, "2026-01-01", false},
        // One value: no rate; api653 gives 5 years, api570 the class's maximum.
        FiguresCase{"Api653WithoutRate", "0.300", code(Api653, 0.2), 0, 1, none, none, none, none,
                    none, "2024-12-31", false},
        FiguresCase{"Api570Class1WithoutRate", "0.300", code(Api570, 0.2, 1), 0, 1, none, none,
                    none, none, none, "2024-12-31", false},
        // A wall that grew: governing rate below 0, no life, api570 class 4: 10 years.
        FiguresCase{"WallGrew", "0.280 0.290", code(Api570, 0.2, 4), 0, 2, -0.0025, -0.0025, none,
                    -0.0025, none, "2034-01-01", false},
        // Long life: api570 class 4 caps at 10 years, api653 at 15.
        FiguresCase{"Api570Class4Cap", "0.300 0.290", code(Api570, 0.2, 4), 0, 2, 0.0025, 0.0025,
                    none, 0.0025, 36.0, "2034-01-01", false},
        FiguresCase{"Api653Cap", "0.300 0.290", code(Api653, 0.2), 0, 2, 0.0025, 0.0025, none,
                    0.0025, 36.0, "2039-01-01", false}),
    [](const ::testing::TestParamInfo<FiguresCase>& test) { return std::string(test.param.name); });

TEST(HistoryIntervals, FollowEachCodesRule) {
    const struct {
        InspectionCode code;
        std::optional<int> inspectionClass;
        std::optional<double> life;
        double years;
    } cases[] = {
        {Api570, 1, 30.0, 5.0}, {Api570, 2, 30.0, 10.0},  {Api570, 3, 8.0, 4.0},
        {Api570, {}, {}, 5.0},  {Api570, 4, {}, 10.0},    {Api510, {}, 3.9, 2.0},
        {Api510, {}, 1.5, 1.5}, {Api510, {}, 4.0, 2.0},   {Api510, {}, 30.0, 10.0},
        {Api510, {}, {}, 10.0}, {Api653, {}, 40.0, 15.0}, {Api653, {}, 6.0, 3.0},
        {Api653, {}, {}, 5.0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(inspectionInterval(c.code, c.inspectionClass, c.life), c.years)
            << codeName(c.code) << " life " << c.life.value_or(-1);
    }
}

TEST(HistoryFiguresPerAsset, NameTheLocationDueFirstAndTheShortestLife) {
    const fs::path folder = test::uniqueTempFolder("korvel-history-asset");
    {
        auto storage = openHistoryStorage((folder / "h.sqlite").string());
        ASSERT_TRUE(storage);
        InspectionHistory history(std::move(*storage));
        ASSERT_TRUE(history.setAsset(AssetChange{"L", 0.2, "IN", Api570, 2}));
        // 0002 thins fastest (life 4, due in 2 years); 0003 has a hole in the latest survey.
        ASSERT_TRUE(history.addSurvey(
            "L", "A.CSV",
            test::handSurvey("A.CSV", kDates[0],
                             {{"0001", "0.300"}, {"0002", "0.300"}, {"0003", "0.300"}})));
        ASSERT_TRUE(history.addSurvey(
            "L", "B.CSV",
            test::handSurvey("B.CSV", kDates[1],
                             {{"0001", "0.290"}, {"0002", "0.240"}, {"0003", "--.---"}})));
        const auto figures = history.figures("L");
        ASSERT_TRUE(figures);
        ASSERT_TRUE(figures->dueFirst && figures->shortestLife);
        EXPECT_EQ(figures->locations[*figures->dueFirst].location, "0002");
        EXPECT_EQ(figures->locations[*figures->shortestLife].location, "0002");
        EXPECT_NEAR(*figures->locations[1].remainingLife, 2.666666666666, 1e-9);
        EXPECT_EQ(figures->locations[2].values, 1);
        EXPECT_FALSE(figures->locations[2].previous);
        const std::string json = figuresJson(*figures);
        EXPECT_NE(json.find("\"next\":{\"location\":\"0002\",\"date\":\"2025-05-02\"}"),
                  std::string::npos)
            << json;
        EXPECT_NE(json.find("\"shortestLife\":{\"location\":\"0002\",\"remainingLife\":2.67}"),
                  std::string::npos)
            << json;
    }
    fs::remove_all(folder);
}

}  // namespace
}  // namespace korvel::history
