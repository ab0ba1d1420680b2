// The waveform display: the envelope's points, its colour by alarm state, the markers and
// blanking intervals of each measuring mode, the axis title, and when it is drawn at all.

#include <gtest/gtest.h>

#include "dataview/chart/ascan_drawing.h"
#include "dataview/dialog/cctwx.h"
#include "tests/dataview/view_file_builder.h"

namespace korvel::test {
namespace {

const std::string kSettings =
    "DELAY=0.500,RANGE=2.000,MARKER1=40,MARKER2=90,MARKER3=120,MB_BLANK=12,IF_BLANK=5,"
    "C3_BLANK=130,ECHO_WINDOW=150,";

struct Points {
    std::vector<double> x, y;
    bool operator==(const Points&) const = default;
};

Points pointsOf(const CCTWX& chart, int slot) {
    const auto found = chart.model().series.find(slot);
    if (found == chart.model().series.end() || !found->second.shown) {
        return {};
    }
    return {found->second.x, found->second.y};
}

class AScanTest : public testing::Test {
  protected:
    DataViewDialog& openReading(const std::string& measMode, const std::string& alarm = "OFF",
                                const std::string& settings = kSettings,
                                const std::string& bscan = "OFF") {
        Row row;
        row.measMode = measMode;
        row.alarm = alarm;
        row.bscan = bscan;
        row.ascan = "ON";
        ViewFileBuilder file;
        file.reading(row).waveform(ramp(180, 10), ramp(180), settings);
        file.setup("1,IN,0.2330,1.000,0.010,,K-1,");
        return fixture.openText(file.text(), "F" + std::to_string(++files_) + ".CSV");
    }

    ViewFixture fixture;
    int files_ = 0;
};

TEST_F(AScanTest, EnvelopeStrokesMinimumThenMaximumAtEverySample) {
    auto& view = openReading("STD");
    const Points envelope = pointsOf(*view.chart(), 0);
    ASSERT_EQ(envelope.x.size(), 360u);
    for (std::size_t k = 0; k < 180; ++k) {
        EXPECT_EQ(envelope.x[2 * k], double(k));
        EXPECT_EQ(envelope.y[2 * k], double(k % 100));
        EXPECT_EQ(envelope.x[2 * k + 1], double(k));
        EXPECT_EQ(envelope.y[2 * k + 1], double((k + 10) % 100));
    }
    const auto& series = view.chart()->model().series.at(0);
    EXPECT_EQ(series.name, "Bar Data");
    EXPECT_EQ(series.lineWidth, 1);
    EXPECT_FALSE(series.filled);
}

TEST_F(AScanTest, MarkersAndIntervalsFollowTheMeasuringMode) {
    const Points mbBlank{{1, 12}, {-5, -5}};
    const Points echoWindow{{12, 12, 150, 150}, {96, 99, 99, 96}};
    struct Case {
        const char* mode;
        Points marker1, bracket, ifBlank, c3Blank;
    };
    const Case cases[] = {
        {"STD", {{41}, {-5}}, {}, {}, {}},
        {"C1", {{41}, {-5}}, {}, {}, {}},
        {"E TO E",
         {},
         {{40, 40, 90, 90}, {-2, -5, -5, -2}},
         {{40, 45}, {-3, -3}},
         {{90, 130}, {-3, -3}}},
        {"C2",
         {},
         {{40, 40, 90, 90}, {-2, -5, -5, -2}},
         {{40, 45}, {-3, -3}},
         {{90, 130}, {-3, -3}}},
        {"C3",
         {},
         {{90, 90, 120, 120}, {-2, -5, -5, -2}},
         {{40, 45}, {-3, -3}},
         {{90, 130}, {-3, -3}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        const CCTWX& chart = *openReading(c.mode).chart();
        EXPECT_EQ(pointsOf(chart, 2), c.marker1);
        EXPECT_EQ(pointsOf(chart, 3), c.bracket);
        EXPECT_EQ(pointsOf(chart, 4), mbBlank);
        EXPECT_EQ(pointsOf(chart, 5), c.ifBlank);
        EXPECT_EQ(pointsOf(chart, 6), c.c3Blank);
        EXPECT_EQ(pointsOf(chart, 7), echoWindow);
        EXPECT_EQ(chart.model().series.at(4).colour, kChartOrange);
        EXPECT_EQ(chart.model().series.at(4).lineWidth, 3);
        EXPECT_EQ(chart.model().series.at(7).lineWidth, 2);
        if (!c.marker1.x.empty()) {
            EXPECT_EQ(chart.model().series.at(2).pointColour, kChartWhite);
            EXPECT_EQ(chart.model().series.at(2).style, SeriesStyle::Points);
        } else {
            EXPECT_EQ(chart.model().series.at(3).pointColour, kChartYellow);
            EXPECT_EQ(chart.model().series.at(5).colour, kChartOrange);
        }
    }
}

TEST_F(AScanTest, ZeroIntervalsDrawNothing) {
    const CCTWX& chart =
        *openReading("STD", "OFF", "DELAY=0.000,RANGE=1.000,MARKER1=40,MB_BLANK=0,ECHO_WINDOW=0,")
             .chart();
    EXPECT_EQ(pointsOf(chart, 2), (Points{{41}, {-5}}));
    EXPECT_EQ(pointsOf(chart, 4), Points{});
    EXPECT_EQ(pointsOf(chart, 7), Points{});
}

TEST_F(AScanTest, PositionsNearTheIntegerLimitDoNotWrapAround) {
    const double limit = 2147483647;
    const struct {
        const char* mode;
        int slot;
        Points expected;
    } cases[] = {
        {"STD", 2, {{limit + 1}, {-5}}},
        {"E TO E", 5, {{limit, 2 * limit}, {-3, -3}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        const CCTWX& chart =
            *openReading(c.mode, "OFF", "MARKER1=2147483647,IF_BLANK=2147483647,").chart();
        EXPECT_EQ(pointsOf(chart, c.slot), c.expected);
    }
}

TEST_F(AScanTest, SetupMeasuringModeOverridesTheReadings) {
    Row row;
    row.measMode = "STD";
    row.ascan = "ON";
    ViewFileBuilder file;
    file.reading(row).waveform(ramp(180), ramp(180), kSettings);
    file.setup("1,IN,0.2330,1.000,0.010,C3,K-1,");
    const CCTWX& chart = *fixture.openText(file.text()).chart();
    EXPECT_EQ(pointsOf(chart, 2), Points{});
    EXPECT_EQ(pointsOf(chart, 3), (Points{{90, 90, 120, 120}, {-2, -5, -5, -2}}));
}

TEST_F(AScanTest, AxisTitleMarksDelayAndDelayPlusRange) {
    const CCTWX& chart = *openReading("STD").chart();
    EXPECT_EQ(chart.model().axes[0].title, "0.500" + std::string(75, ' ') + "2.500");
    EXPECT_EQ(chart.model().axes[0].titleColour, kChartYellow);
    EXPECT_EQ(chart.model().axes[1].low, -5);
    EXPECT_EQ(chart.model().axes[1].high, 100);
    EXPECT_EQ(chart.model().axes[3].crossing, 180);
    EXPECT_EQ(chart.model().title, "F1.CSV - ID # 0001 THK 0.254 IN ");
    EXPECT_EQ(chart.model().titleColour, kChartYellow);
}

int colourInPlot(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = image.height() * 35 / 100; y < image.height() * 65 / 100; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
        }
    }
    return count;
}

TEST_F(AScanTest, EnvelopeColourFollowsTheAlarmState) {
    struct Case {
        const char* alarm;
        ChartColour colour;
    };
    const Case cases[] = {
        {"OFF", kChartGreen},          {"-", kChartGreen},
        {"HIGH", kChartRed},           {"LOW", kChartRed},
        {"LOW WARNING", kChartYellow}, {"HIGH WARNING", kChartYellow},
        {" HIGH ", kChartRed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.alarm);
        CCTWX& chart = *openReading("STD", c.alarm).chart();
        EXPECT_EQ(chart.model().series.at(0).colour, c.colour);
        chart.resize(572, 258);
        const QImage picture = chart.picture();
        const QRgb want = QColor::fromRgb(c.colour).rgb();
        EXPECT_GT(colourInPlot(picture, want), 200);
        for (ChartColour other : {kChartGreen, kChartRed, kChartYellow}) {
            if (other != c.colour) {
                EXPECT_EQ(colourInPlot(picture, QColor::fromRgb(other).rgb()), 0);
            }
        }
    }
}

TEST_F(AScanTest, ReadingWithoutTracesGivesAnEmptyEnvelopeAndMarkersAtZero) {
    ViewFileBuilder file;
    file.reading(Row{});
    const CCTWX& chart = *fixture.openText(file.text()).chart();
    EXPECT_EQ(pointsOf(chart, 0), Points{});
    EXPECT_EQ(chart.model().series.at(0).x.size(), 0u);
    EXPECT_EQ(pointsOf(chart, 2), (Points{{1}, {-5}}));
    EXPECT_EQ(pointsOf(chart, 4), Points{});
    EXPECT_EQ(chart.model().axes[0].title, std::string(75, ' ') + "0.000");
}

TEST_F(AScanTest, EmptyBScanFieldDrawsNeitherDisplayUnlessTheWaveformIsChosen) {
    auto& view = openReading("STD", "OFF", kSettings, "-");
    EXPECT_FALSE(view.chart()->model().series.at(0).shown);
    EXPECT_EQ(view.chart()->model().title, "F1.CSV - ID # 0001");
    view.chooseAScan();
    EXPECT_TRUE(view.chart()->model().series.at(0).shown);
    EXPECT_EQ(view.chart()->model().title, "F1.CSV - ID # 0001 THK 0.254 IN ");
}

TEST(ScanSettingsTest, LaterFieldsWinAndOnlyWithATrace) {
    AScan ascan;
    ascan.max.values = {"1"};
    ascan.settings = {"DELAY=1.0", "MARKER1=4", "X=9", "MARKER1=7", "", "ECHO_WINDOW=150"};
    const ScanSettings settings = scanSettingsOf(&ascan);
    EXPECT_EQ(settings.delay, "1.0");
    EXPECT_EQ(settings.marker1, "7");
    EXPECT_EQ(settings.echoWindow, "150");
    EXPECT_EQ(settings.range, "");
    ascan.max.values.clear();
    EXPECT_EQ(scanSettingsOf(&ascan).marker1, "");
    EXPECT_EQ(scanSettingsOf(nullptr).delay, "");
}

}  // namespace
}  // namespace korvel::test
