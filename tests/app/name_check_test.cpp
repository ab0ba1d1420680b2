#include "app/name_check.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

TEST(NameCheckTest, DataFileNameRule) {
    struct Case {
        std::string name;
        int expected;
    } cases[] = {
        {"AB-12+", 1},
        {"ab12", 0},  // lower case
        {"ABC.CSV", 1},
        {"ABC.csv", 0},  // ".CSV" appended; the stem holds "." and lower case
        {std::string(17, 'A'), 0},
        {std::string(16, 'A'), 1},
        {std::string(16, 'Z') + ".CSV", 1},
        {std::string(17, 'Z') + ".CSV", 0},
        {"", 1},  // an empty stem is valid
        {".CSV", 1},
        {"A B", 0},
        {"A_B", 0},
        {"ABC.CSVxyz!", 1},  // text after the first ".CSV" is not examined
        {"A.CSV.CSV", 1},
        {"../X", 0},
        {"\xC4", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(checkDataFileName(c.name, 16), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace korvel
