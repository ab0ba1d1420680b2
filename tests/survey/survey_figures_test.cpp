// Golden statistics and comparisons of the hand-made grids (tests/survey/survey_fixtures.h).

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "survey/survey_comparison.h"
#include "tests/survey/survey_fixtures.h"

namespace korvel {
namespace {

Survey handSurvey(const std::string& bytes) {
    return surveyOf(parseDataFile(bytes));
}

// "value@LOC,LOC" of an extreme, rounded to the decimals given; "none" without one.
std::string extremeText(const Survey& survey, const std::optional<SurveyExtreme>& extreme,
                        int decimals = 3) {
    if (!extreme) {
        return "none";
    }
    char value[32];
    std::snprintf(value, sizeof value, "%.*f@", decimals, extreme->value);
    std::string out = value;
    for (std::size_t i = 0; i < extreme->points.size(); ++i) {
        out += (i ? "," : "") + survey.points[extreme->points[i]].location;
    }
    return out;
}

std::string valuesText(const std::vector<std::optional<double>>& values, int decimals = 3) {
    std::string out;
    for (const auto& value : values) {
        char text[32];
        std::snprintf(text, sizeof text, "%.*f", decimals, value.value_or(0));
        out += (out.empty() ? "" : " ") + (value ? std::string(text) : std::string("-"));
    }
    return out;
}

TEST(SurveyStatistics, HandGridWithHoleAlarmsAndTiedMinimum) {
    const Survey survey = handSurvey(test::currentGrid());
    const SurveyStatistics statistics = surveyStatistics(survey);
    for (const SurveyFigures& figures : {statistics.whole, statistics.layers.at(0).figures}) {
        const ValueFigures& thickness = figures.thickness;
        EXPECT_EQ(thickness.count, 5u);
        EXPECT_EQ(thickness.holes, 1u);
        EXPECT_EQ(extremeText(survey, thickness.minimum), "0.180@B0001,C0001");
        EXPECT_EQ(extremeText(survey, thickness.maximum), "0.300@B0002");
        EXPECT_NEAR(*thickness.mean, 0.226, 1e-12);
        EXPECT_NEAR(*thickness.standardDeviation, std::sqrt(0.01032 / 4), 1e-12);
        EXPECT_EQ(figures.alarms.lowAlarm, 1u);
        EXPECT_EQ(figures.alarms.lowWarning, 1u);
        EXPECT_EQ(figures.alarms.highAlarm, 1u);
        EXPECT_EQ(figures.alarms.highWarning, 0u);
    }
    EXPECT_EQ(valuesText(statistics.layers[0].rowMinima), "0.180 0.220");
    EXPECT_EQ(valuesText(statistics.layers[0].columnMinima), "0.250 0.180 0.180");
}

TEST(SurveyStatistics, OnlyHolesAndOneReading) {
    const std::string header = "Type=LINEAR";
    const auto holes = surveyStatistics(handSurvey(test::surveyBytes({header}, {{"0001", "-"}})));
    EXPECT_EQ(holes.whole.thickness.count, 0u);
    EXPECT_EQ(holes.whole.thickness.holes, 1u);
    EXPECT_FALSE(holes.whole.thickness.minimum);
    EXPECT_FALSE(holes.whole.thickness.mean);
    const auto one = surveyStatistics(handSurvey(test::surveyBytes({header}, {{"0001", "0.5"}})));
    EXPECT_EQ(one.whole.thickness.standardDeviation, 0.0);
    EXPECT_TRUE(one.layers.empty());
}

TEST(SurveyComparison, LossRateAndRemainingLife) {
    const Survey earlier = handSurvey(test::earlierGrid());
    const Survey current = handSurvey(test::currentGrid());
    ASSERT_TRUE(layoutsMatch(earlier, current));
    const struct {
        std::optional<double> minimum;
        const char* life;
        const char* shortest;
    } cases[] = {
        {std::nullopt, "10.00 - 1.50 - 1.50 -", "1.50@B0001,C0001"},
        {0.2, "5.00 - 0.00 - 0.00 -", "0.00@B0001,C0001"},
    };
    for (const auto& c : cases) {
        const SurveyComparison comparison = compareSurveys(earlier, current, c.minimum);
        EXPECT_EQ(comparison.elapsedMinutes, 365 * 24 * 60 + 6 * 60);
        EXPECT_DOUBLE_EQ(*comparison.elapsedYears(), 1.0);
        EXPECT_EQ(valuesText(comparison.loss), "0.010 - 0.020 - 0.020 -0.010");
        EXPECT_EQ(valuesText(comparison.rate, 4), "0.0100 - 0.0200 - 0.0200 -0.0100");
        EXPECT_EQ(valuesText(comparison.remainingLife, 2), c.life);
        EXPECT_EQ(comparison.lossFigures.count, 4u);
        EXPECT_EQ(comparison.lossFigures.holes, 2u);
        EXPECT_EQ(extremeText(current, comparison.lossFigures.maximum), "0.020@B0001,C0001");
        EXPECT_EQ(extremeText(current, comparison.lossFigures.minimum), "-0.010@C0002");
        EXPECT_NEAR(*comparison.lossFigures.mean, 0.01, 1e-12);
        EXPECT_EQ(extremeText(current, comparison.largestRate, 4), "0.0200@B0001,C0001");
        EXPECT_EQ(extremeText(current, comparison.shortestLife, 2), c.shortest);
    }
}

TEST(SurveyComparison, AnUnchangedLocationHasNoRemainingLife) {
    // A0001 as thick as a year ago: rate 0, no life, and not the shortest one.
    const Survey earlier = handSurvey(test::earlierGrid());
    const Survey current =
        handSurvey(test::handGrid("12/31/2024 06:00 AM", {{"A0001", "0.260"},
                                                          {"A0002", "--.---"},
                                                          {"B0001", "0.180", "LOW"},
                                                          {"B0002", "0.300", "HIGH"},
                                                          {"C0001", "0.180", "LOW WARNING"},
                                                          {"C0002", "0.220"}}));
    for (const std::optional<double> minimum : {std::optional<double>(), std::optional(0.2)}) {
        const SurveyComparison comparison = compareSurveys(earlier, current, minimum);
        EXPECT_EQ(valuesText(comparison.rate, 4), "0.0000 - 0.0200 - 0.0200 -0.0100");
        EXPECT_FALSE(comparison.remainingLife[0]);
        EXPECT_EQ(extremeText(current, comparison.shortestLife, 2),
                  minimum ? "0.00@B0001,C0001" : "1.50@B0001,C0001");
    }
}

TEST(SurveyComparison, EqualReversedOrMissingDatesGiveLossButNoRate) {
    const struct {
        const char* earlierDate;
        std::optional<long long> minutes;
    } cases[] = {
        {"12/31/2024 06:00 AM", 0},
        {"01/01/2025 06:00 AM", -24 * 60},
        {"sometime", std::nullopt},
    };
    const Survey current = handSurvey(test::currentGrid());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.earlierDate);
        const auto comparison =
            compareSurveys(handSurvey(test::earlierGrid(c.earlierDate)), current);
        EXPECT_EQ(comparison.elapsedMinutes, c.minutes);
        EXPECT_EQ(valuesText(comparison.loss), "0.010 - 0.020 - 0.020 -0.010");
        EXPECT_EQ(valuesText(comparison.rate), "- - - - - -");
        EXPECT_FALSE(comparison.largestRate);
        EXPECT_FALSE(comparison.shortestLife);
    }
}

TEST(SurveyComparison, LayoutsMatchOnlyWithTheSameTypeAndLocationsInOrder) {
    const Survey current = handSurvey(test::currentGrid());
    const auto grid = [](std::vector<std::string> header, std::vector<std::string> ids) {
        std::vector<test::HandReading> readings;
        for (const auto& id : ids) {
            readings.push_back({id, "0.2"});
        }
        return handSurvey(test::surveyBytes(header, readings));
    };
    const std::vector<std::string> ids = {"A0001", "A0002", "B0001", "B0002", "C0001", "C0002"};
    const struct {
        const char* name;
        Survey other;
        bool matches;
    } cases[] = {
        {"same locations, another name and no ranges", grid({"Filename=X.CSV", "Type=2D"}, ids),
         true},
        {"another type", grid({"Type=LINEAR"}, ids), false},
        {"one location less", grid({"Type=2D"}, {ids.begin(), ids.end() - 1}), false},
        {"two locations swapped",
         grid({"Type=2D"}, {"A0001", "A0002", "B0002", "B0001", "C0001", "C0002"}), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(layoutsMatch(c.other, current), c.matches) << c.name;
        EXPECT_EQ(layoutsMatch(current, c.other), c.matches) << c.name;
    }
}

}  // namespace
}  // namespace korvel
