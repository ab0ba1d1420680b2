// Thicknesses shown in the other units, and the thinnest readings of a survey.

#include <gtest/gtest.h>

#include "survey/thickness_units.h"
#include "survey/thinnest_points.h"
#include "tests/survey/survey_fixtures.h"

namespace korvel {
namespace {

TEST(ThicknessUnits, ShownTextsConvertOnlyNumbersOfKnownOtherUnits) {
    constexpr auto kIn = ThicknessUnits::Inches;
    constexpr auto kMm = ThicknessUnits::Millimetres;
    const struct {
        const char* text;
        const char* units;
        ThicknessUnits shown;
        const char* expected;
        const char* expectedUnits;
    } cases[] = {
        {"0.250", "IN", kMm, "6.35", "MM"},
        {"0.251", " in ", kMm, "6.38", "MM"},
        {"6.35", "MM", kIn, "0.250", "IN"},
        {"12.70", "mm", kIn, "0.500", "IN"},
        {"0.250", "IN", kIn, "0.250", "IN"},    // the same units: the file's text
        {"6.3", "MM", kMm, "6.3", "MM"},        // not reformatted
        {"--.---", "IN", kMm, "--.---", "MM"},  // a hole stays a hole
        {"", "IN", kMm, "", "MM"},
        {"0.250", "US", kMm, "0.250", "US"},  // units it does not know: as they are
        {"0.250", "", kMm, "0.250", ""},
        {"0.25x", "IN", kMm, "0.25x", "MM"},  // not a number
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " " + c.units);
        EXPECT_EQ(shownThicknessText(c.text, c.units, c.shown), c.expected);
        EXPECT_EQ(shownUnitsText(c.units, c.shown), c.expectedUnits);
    }
    EXPECT_DOUBLE_EQ(convertThickness(1, kIn, kMm), 25.4);
    EXPECT_DOUBLE_EQ(convertThickness(25.4, kMm, kIn), 1);
    EXPECT_FALSE(parseThicknessUnits("INCH"));
}

TEST(ThicknessUnits, SurveyInMillimetresKeepsHolesAndLayout) {
    const Survey inches = surveyOf(parseDataFile(test::currentGrid()));
    const Survey mm = surveyInUnits(inches, ThicknessUnits::Millimetres);
    EXPECT_EQ(mm.units, "MM");
    ASSERT_EQ(mm.points.size(), inches.points.size());
    EXPECT_DOUBLE_EQ(*mm.points[0].thickness, 0.250 * 25.4);
    EXPECT_FALSE(mm.points[1].thickness);
    EXPECT_DOUBLE_EQ(*mm.points[0].lowAlarm, 0.150 * 25.4);
    EXPECT_EQ(mm.layers.front().cells, inches.layers.front().cells);
    EXPECT_EQ(initialUnits(mm), ThicknessUnits::Millimetres);
    const Survey back = surveyInUnits(mm, ThicknessUnits::Inches);
    EXPECT_NEAR(*back.points[5].thickness, 0.220, 1e-12);
    Survey unknown = inches;
    unknown.units = "US";
    EXPECT_DOUBLE_EQ(*surveyInUnits(unknown, ThicknessUnits::Millimetres).points[0].thickness,
                     0.250);
    EXPECT_EQ(initialUnits(unknown), ThicknessUnits::Inches);
}

TEST(ThinnestPoints, LowestFirstTiesInFileOrderNoHoles) {
    const Survey survey = surveyOf(parseDataFile(test::currentGrid()));
    const struct {
        std::size_t count;
        std::vector<std::size_t> expected;
    } cases[] = {
        {0, {}},
        {1, {2}},
        {3, {2, 4, 5}},
        {10, {2, 4, 5, 0, 3}},  // five readings with a value; the hole at 1 never listed
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        EXPECT_EQ(thinnestPoints(survey, c.count), c.expected);
    }
}

}  // namespace
}  // namespace korvel
