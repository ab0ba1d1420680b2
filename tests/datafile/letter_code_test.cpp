#include "datafile/letter_code.h"

#include <gtest/gtest.h>

#include "datafile/number_text.h"

namespace korvel {
namespace {

TEST(LetterCode, ValuesBothWays) {
    const struct {
        const char* code;
        int value;
    } cases[] = {{"A", 1}, {"Z", 26}, {"AA", 27}, {"AZ", 52}, {"BA", 53}, {"ZZ", 702}};
    for (const auto& c : cases) {
        EXPECT_EQ(letterCodeValue(c.code), c.value) << c.code;
        EXPECT_EQ(letterCodeText(c.value), c.code) << c.value;
    }
}

TEST(LetterCode, RefusesWhatIsNotACode) {
    for (const char* text : {"", "a", "A1", "1", "AAA", "[", "@", "Aa"}) {
        EXPECT_EQ(letterCodeValue(text), 0) << text;
    }
    EXPECT_EQ(letterCodeText(0), "");
    EXPECT_EQ(letterCodeText(703), "");
}

TEST(NumberText, ReadsLeadingNumbersAsTheCLibraryDoes) {
    EXPECT_EQ(leadingNumber("12abc"), 12);
    EXPECT_EQ(leadingNumber("  -7"), -7);
    EXPECT_EQ(leadingNumber("1.5"), 1);
    EXPECT_EQ(leadingNumber("  "), 0);
    EXPECT_EQ(leadingNumber("A1"), 0);
    EXPECT_EQ(leadingNumber("99999999999999"), 2147483647);
    EXPECT_DOUBLE_EQ(leadingDecimal(" 0.254xyz"), 0.254);
    EXPECT_DOUBLE_EQ(leadingDecimal("+1.5"), 1.5);
    EXPECT_DOUBLE_EQ(leadingDecimal("     "), 0.0);
    EXPECT_DOUBLE_EQ(leadingDecimal("1e999"), 0.0);
    EXPECT_EQ(fixedDecimals(0.25, 3), "0.250");
    EXPECT_EQ(fixedDecimals(12.3456, 3), "12.346");
    EXPECT_EQ(zeroPadded(7, 4), "0007");
    EXPECT_EQ(zeroPadded(12345, 4), "12345");
    EXPECT_EQ(zeroPadded(-3, 4), "-003");
}

}  // namespace
}  // namespace korvel
