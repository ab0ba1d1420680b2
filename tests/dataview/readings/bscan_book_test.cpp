// The B-scan bookkeeping of a file's readings: segments from START to STOP, their first MIN row
// and zero row, and where MIN jumps first.

#include <gtest/gtest.h>

#include "dataview/readings/bscan_book.h"

namespace korvel::test {
namespace {

TEST(BScanBookTest, SegmentsMinRowsAndZeroRows) {
    DataFile file;
    file.readingColumns = {"ID", "B Scan"};
    const char* kinds[] = {"OFF",  "BODY MIN", "START MIN", "BODY",     "BODY ZERO", "STOP",
                           "STOP", "START",    "BODY",      "BODY MIN", "STOP MIN"};
    for (const char* kind : kinds) {
        file.readings.push_back({{"1", kind}, std::nullopt});
    }
    const BScanBook book = bookBScan(file);
    EXPECT_TRUE(book.hasBScan);
    EXPECT_TRUE(book.hasMinRow);
    EXPECT_EQ(book.minTarget, 1);
    ASSERT_EQ(book.segments.size(), 2u);
    EXPECT_EQ(book.segments[0].start, 2);
    EXPECT_EQ(book.segments[0].stop, 5);
    EXPECT_EQ(book.segments[0].firstMin, 2);
    EXPECT_EQ(book.segments[0].bodyZero, 4);
    EXPECT_EQ(book.segments[1].start, 7);
    EXPECT_EQ(book.segments[1].stop, 10);
    EXPECT_EQ(book.segments[1].firstMin, 9);
    EXPECT_EQ(book.segments[1].bodyZero, 0);
    EXPECT_EQ(book.segmentOf(6), nullptr);
    EXPECT_EQ(book.segmentOf(8), &book.segments[1]);
}

}  // namespace
}  // namespace korvel::test
