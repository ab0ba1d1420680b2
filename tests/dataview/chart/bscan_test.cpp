// The cross-section display: segments, the profile of a segment by alarm class, the window of a
// long segment, the marker, the distance from the zero row and the title.

#include <gtest/gtest.h>

#include "dataview/chart/graph_title.h"

#include "datafile/number_text.h"
#include "dataview/chart/bscan_profile.h"
#include "dataview/dialog/cctwx.h"
#include "dataview/readings/reading_table.h"
#include "tests/dataview/view_file_builder.h"

namespace korvel::test {
namespace {

struct SegmentRow {
    std::string kind;
    std::string thickness = "0.300";
    std::string alarm = "OFF";
};

std::string segmentFile(const std::vector<SegmentRow>& rows,
                        const std::string& setup = "1,IN,0.2330,1.000,0.010,STD,K-1,") {
    ViewFileBuilder file;
    int id = 1;
    for (const SegmentRow& r : rows) {
        Row row;
        row.id = std::to_string(id++);
        row.bscan = r.kind;
        row.thickness = r.thickness;
        row.alarm = r.alarm;
        file.reading(row);
    }
    file.setup(setup);
    return file.text();
}

// A segment of `count` readings, START to STOP, thickness 0.300 + (row % 10) * 0.005.
std::vector<SegmentRow> longSegment(int count) {
    std::vector<SegmentRow> rows;
    for (int i = 0; i < count; ++i) {
        const std::string kind = i == 0 ? "START" : i == count - 1 ? "STOP" : "BODY";
        rows.push_back({kind, fixedDecimals(0.300 + (i % 10) * 0.005, 3)});
    }
    return rows;
}

struct Pt {
    double x, y;
};

void expectPoints(const ProfileSeries& series, const std::vector<Pt>& expected) {
    ASSERT_EQ(series.x.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(series.x[i], expected[i].x) << i;
        EXPECT_NEAR(series.y[i], expected[i].y, 1e-4) << i;
    }
}

class BScanTest : public testing::Test {
  protected:
    DataViewDialog& open(const std::string& text) {
        return fixture.openText(text, "S" + std::to_string(++files_) + ".CSV");
    }

    ViewFixture fixture;
    int files_ = 0;
};

TEST_F(BScanTest, JumpOfMoreThanTenPointsStartsANewBar) {
    auto& view = open(segmentFile({{"START", "0.500"}, {"BODY", "0.550"}, {"STOP", "0.700"}}));
    const BScanProfile& profile = view.graph().profile();
    expectPoints(profile.series[0], {{0, 0}, {0, 50}, {1, 55}, {1, 0}, {2, 0}, {2, 70}, {2, 0}});
    EXPECT_TRUE(profile.series[1].x.empty());
    EXPECT_TRUE(profile.series[2].x.empty());
    EXPECT_EQ(profile.walked, 3);

    const auto& normal = view.chart()->model().series.at(19);
    EXPECT_TRUE(normal.shown);
    EXPECT_TRUE(normal.filled);
    EXPECT_EQ(normal.colour, kChartGreen);
    EXPECT_EQ(normal.name, "Bar Data");
    EXPECT_EQ(normal.x.size(), 7u);
}

TEST_F(BScanTest, AlarmClassesGoIntoTheirOwnSeries) {
    auto& view = open(segmentFile({{"START", "0.500", "OFF"},
                                   {"BODY", "0.600", "HIGH"},
                                   {"BODY", "0.620", "HIGH"},
                                   {"BODY", "0.400", "LOW WARNING"},
                                   {"BODY", "0.100", "ALARM?"},
                                   {"STOP", "0.450", "OFF"}}));
    const BScanProfile& profile = view.graph().profile();
    expectPoints(profile.series[0],
                 {{0, 0}, {0, 50}, {0, 0}, {5, 0}, {5, 0}, {5, 0}, {5, 45}, {5, 0}});
    expectPoints(profile.series[1], {{1, 0}, {1, 60}, {2, 62}, {2, 0}});
    expectPoints(profile.series[2], {{3, 0}, {3, 40}, {3, 0}});
    EXPECT_EQ(view.chart()->model().series.at(20).colour, kChartRed);
    EXPECT_EQ(view.chart()->model().series.at(21).colour, kChartYellow);
    EXPECT_EQ(view.chart()->model().series.at(21).name, "Bar Data3");
}

TEST_F(BScanTest, AxesRunDepthDownwardsWithRangeAndUnitsAsTitle) {
    const CCTWX& chart = *open(segmentFile({{"START"}, {"STOP"}})).chart();
    EXPECT_EQ(chart.model().axes[1].low, 102);
    EXPECT_EQ(chart.model().axes[1].high, -5);
    EXPECT_EQ(chart.model().axes[3].low, 102);
    EXPECT_EQ(chart.model().axes[0].crossing, 100);
    EXPECT_EQ(chart.model().axes[2].crossing, 0);
    EXPECT_EQ(chart.model().axes[0].title, "1.000IN" + std::string(76, ' '));
    // The depth is labelled in the file's units, 0 to the BS Range, the units above the axis.
    const std::vector<AxisTick> depth = {
        {0, "0.000"}, {25, "0.250"}, {50, "0.500"}, {75, "0.750"}, {100, "1.000"}};
    EXPECT_EQ(chart.model().axes[1].ticks, depth);
    EXPECT_EQ(chart.model().axes[3].ticks, depth);
    EXPECT_EQ(chart.model().axes[1].title, "IN");
    EXPECT_FALSE(chart.model().series.at(0).shown);
    EXPECT_EQ(chart.model().series.at(10).x, std::vector<double>{0});
    EXPECT_EQ(chart.model().series.at(10).y, std::vector<double>{102});
}

TEST_F(BScanTest, WithinTheFirstWindowOnlyTheMarkerMoves) {
    auto& view = open(segmentFile(longSegment(300)));
    const int loads = view.graph().profileLoads();
    for (int row = 1; row <= 150; ++row) {
        view.selectReading(row);
    }
    EXPECT_EQ(view.graph().profileLoads(), loads);
    EXPECT_EQ(view.chart()->model().series.at(10).x, std::vector<double>{150});
    // Nothing from x = 180 on is passed.
    const auto& normal = view.chart()->model().series.at(19);
    ASSERT_FALSE(normal.x.empty());
    EXPECT_LT(normal.x.back(), 180);
    EXPECT_EQ(normal.x.back(), 179);
}

TEST_F(BScanTest, ReadingFarIntoItsSegmentEndsTheWindowAtX179) {
    auto& view = open(segmentFile(longSegment(300)));
    view.selectReading(200);
    EXPECT_EQ(view.chart()->model().series.at(10).x, std::vector<double>{179});
    const auto& normal = view.chart()->model().series.at(19);
    ASSERT_GE(normal.x.size(), 3u);
    // The window starts with reading 21: 0.300 + 1 * 0.005.
    EXPECT_EQ(normal.x[1], 0);
    EXPECT_NEAR(normal.y[1], 30.5, 1e-4);
    EXPECT_EQ(normal.x.back(), 179);
}

TEST_F(BScanTest, TheReadingUnderTheMarkerIsTheCurrentOneWhereverItLies) {
    auto& view = open(segmentFile(longSegment(1000)));
    for (int row : {299, 360, 500, 899, 950, 999}) {
        view.selectReading(row);
        EXPECT_EQ(view.chart()->model().series.at(10).x, std::vector<double>{179}) << row;
        const ProfileSeries& series = view.graph().profile().series[0];
        double atMarker = -1;
        for (std::size_t i = 0; i < series.x.size(); ++i) {
            if (series.x[i] == 179 && series.y[i] > 0) {
                atMarker = series.y[i];
            }
        }
        EXPECT_NEAR(atMarker, 30 + (row % 10) * 0.5, 1e-4) << row;
    }
}

TEST_F(BScanTest, ReturningToTheFirstWindowPassesTheProfileAgain) {
    auto& view = open(segmentFile(longSegment(300)));
    view.selectReading(250);
    const int loads = view.graph().profileLoads();
    view.selectReading(100);
    EXPECT_EQ(view.graph().profileLoads(), loads + 1);
    EXPECT_EQ(view.chart()->model().series.at(10).x, std::vector<double>{100});
    EXPECT_NEAR(view.chart()->model().series.at(19).y[1], 30.0, 1e-4);
}

TEST_F(BScanTest, ProfileComesBackAfterLeavingAStopRow) {
    auto& view = open(segmentFile({{"START", "0.500"}, {"BODY", "0.510"}, {"STOP", "0.520"}}));
    view.selectReading(2);
    EXPECT_TRUE(view.chart()->model().series.at(19).shown);
    view.selectReading(1);
    EXPECT_TRUE(view.chart()->model().series.at(19).shown);
    EXPECT_EQ(view.chart()->model().series.at(19).x.size(), 5u);
}

TEST_F(BScanTest, DistanceFromTheZeroRow) {
    std::vector<SegmentRow> rows = longSegment(21);
    rows[10].kind = "BODY ZERO";
    rows.push_back({"START"});
    rows.push_back({"STOP"});
    auto& view = open(segmentFile(rows));
    struct Case {
        int row;
        std::string ending;
    };
    const Case cases[] = {
        {15, "DT +0.050"},
        {5, "DT -0.050"},
        {10, "DT +0.000"},
        {0, "DT -0.100"},
    };
    for (const Case& c : cases) {
        view.selectReading(c.row);
        const std::string& title = view.chart()->model().title;
        EXPECT_EQ(title.substr(title.size() - c.ending.size()), c.ending) << c.row;
        EXPECT_NE(title.find(" IN DT"), std::string::npos) << title;
    }
    view.selectReading(21);  // a segment without a zero row
    EXPECT_EQ(view.chart()->model().title.find("DT"), std::string::npos);
}

TEST(GraphTitleTest, OneBlankBeforeTheDistance) {
    struct Case {
        const char* title;
        const char* distance;
        const char* expected;
    } cases[] = {
        {"S1.CSV - ID # 2 THK 0.250 IN (MIN)", "DT +0.050",
         "S1.CSV - ID # 2 THK 0.250 IN (MIN) DT +0.050"},
        {"S1.CSV - ID # 3 THK 0.300 IN ", "DT -0.050", "S1.CSV - ID # 3 THK 0.300 IN DT -0.050"},
        {"S1.CSV - ID # 2 THK 0.250 IN (MIN)", "", "S1.CSV - ID # 2 THK 0.250 IN (MIN)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(withDistance(c.title, c.distance), c.expected);
    }
}

TEST_F(BScanTest, TitleMarksMinimumReadings) {
    auto& view = open(segmentFile({{"START"}, {"BODY MIN", "0.250"}, {"STOP"}}));
    view.selectReading(1);
    EXPECT_EQ(view.chart()->model().title, "S1.CSV - ID # 2 THK 0.250 IN (MIN)");
    view.selectReading(2);
    EXPECT_EQ(view.chart()->model().title, "S1.CSV - ID # 3 THK 0.300 IN ");
}

TEST_F(BScanTest, WithoutBScanRangeNoProfileIsDrawnButTheMarkerIs) {
    auto& view = open(segmentFile({{"START"}, {"STOP"}}, "1,IN,0.2330,,0.010,STD,K-1,"));
    EXPECT_TRUE(view.graph().profile().series[0].x.empty());
    EXPECT_EQ(view.chart()->model().series.at(19).x.size(), 0u);
    EXPECT_TRUE(view.chart()->model().series.at(10).shown);
}

TEST_F(BScanTest, OpenSegmentRunsToTheLastReading) {
    auto& view = open(segmentFile({{"OFF"}, {"START", "0.500"}, {"BODY", "0.500"}}));
    ASSERT_EQ(view.bscanBook().segments.size(), 1u);
    EXPECT_EQ(view.bscanBook().segments[0].start, 1);
    EXPECT_EQ(view.bscanBook().segments[0].stop, 2);
    view.selectReading(2);
    EXPECT_EQ(view.graph().profile().walked, 2);
    EXPECT_EQ(view.chart()->model().series.at(10).x, std::vector<double>{1});
}

TEST_F(BScanTest, RowOutsideEverySegmentShowsNoProfile) {
    auto& view = open(segmentFile({{"START"}, {"STOP"}, {"BODY"}}));
    view.selectReading(2);
    EXPECT_FALSE(view.chart()->model().series.at(19).shown);
    EXPECT_FALSE(view.chart()->model().series.at(10).shown);
}

TEST_F(BScanTest, LongWalksStayWithinTheSeriesCapacity) {
    std::vector<SegmentRow> rows;
    const char* alarms[] = {"OFF", "HIGH", "LOW WARNING"};
    for (int i = 0; i < 5000; ++i) {
        rows.push_back({i == 0      ? "START"
                        : i == 4999 ? "STOP"
                                    : "BODY",
                        i % 2 ? "0.900" : "0.100", alarms[i % 3]});
    }
    auto& view = open(segmentFile(rows));
    for (int row : {0, 178, 179, 2000, 4999}) {
        view.selectReading(row);
        for (const ProfileSeries& series : view.graph().profile().series) {
            EXPECT_LE(series.x.size(), kMaxProfilePoints);
        }
    }
}

}  // namespace
}  // namespace korvel::test
