// The surveys of a folder offered for a comparison: same layout only, the open file left out,
// newest first.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/safe_file.h"
#include "survey/earlier_surveys.h"
#include "tests/support/temp_folder.h"
#include "tests/survey/survey_fixtures.h"

namespace korvel {
namespace {

TEST(EarlierSurveys, SameLayoutOnlyNewestFirst) {
    const std::filesystem::path folder = test::uniqueTempFolder("korvel-earlier-surveys");
    ASSERT_FALSE(folder.empty());
    const auto write = [&](const std::string& name, const std::string& bytes) {
        ASSERT_TRUE(writeFileSafely((folder / name).string(), bytes));
    };
    write("G-NOW.CSV", test::currentGrid());
    write("G-OLD.CSV", test::earlierGrid());
    write("G-MID.csv", test::earlierGrid("06/01/2024 10:00 AM"));
    write("G-NODATE.CSV", test::earlierGrid("unknown"));
    write("G-COPY.TXT", test::earlierGrid());
    write("OTHER.CSV", test::surveyBytes({"Type=2D"}, {{"A0001", "0.2"}}));
    const Survey current = surveyOf(parseDataFile(test::currentGrid()));
    std::vector<std::string> names;
    std::vector<std::string> dates;
    for (const auto& candidate : sameLayoutSurveys(folder.string(), "G-NOW.CSV", current)) {
        names.push_back(candidate.name);
        dates.push_back(candidate.dateText);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"G-MID.csv", "G-OLD.CSV", "G-NODATE.CSV"}));
    EXPECT_EQ(dates,
              (std::vector<std::string>{"06/01/2024 10:00 AM", "01/01/2024 12:00 AM", "unknown"}));
    EXPECT_TRUE(sameLayoutSurveys((folder / "none").string(), "G-NOW.CSV", current).empty());
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace korvel
