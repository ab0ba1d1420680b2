#pragma once
// What the chart shows: four axes by index, numbered series slots, the title and, when asked
// for, a key of the named series. The drawing code fills it from a reading or a location's
// history; the screen, the clipboard, the printer and the report paint it. A draw changes only
// what it sets; everything else keeps its value from earlier draws.

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace korvel {

// Colours as 0xRRGGBB.
using ChartColour = std::uint32_t;
inline constexpr ChartColour kChartBlack = 0x000000;
inline constexpr ChartColour kChartWhite = 0xFFFFFF;
inline constexpr ChartColour kChartGreen = 0x00FF00;
inline constexpr ChartColour kChartRed = 0xFF0000;
inline constexpr ChartColour kChartYellow = 0xFFFF00;
inline constexpr ChartColour kChartOrange = 0xFFA500;

// Axis indexes.
inline constexpr int kAxisBottom = 0;
inline constexpr int kAxisLeft = 1;
inline constexpr int kAxisTop = 2;
inline constexpr int kAxisRight = 3;
inline constexpr int kAxisCount = 4;

enum class SeriesStyle { Line = 0, Points = 2 };

// The pattern of a series' line.
enum class LineDash { Solid, Dash, Dot, DashDot };

// The shapes of a series' points: filled square and circle, an open cross, an open ring.
inline constexpr int kPointSquare = 0;
inline constexpr int kPointCircle = 2;
inline constexpr int kPointCross = 3;
inline constexpr int kPointRing = 4;

// A tick of an axis with its own label, where the axis is not divided evenly from end to end.
struct AxisTick {
    double value = 0.0;
    std::string label;
    bool operator==(const AxisTick& other) const = default;
};

struct ChartAxis {
    bool shown = true;
    bool autoScale = false;
    double low = 0.0;       // value at the bottom or left end
    double high = 0.0;      // value at the top or right end
    double crossing = 0.0;  // where the axis stands, as a value of the perpendicular axis
    int divisions = 4;
    bool labelsShown = true;  // the numbers along the axis
    // When given, the ticks, labels and grid lines instead of the even divisions.
    std::vector<AxisTick> ticks;
    bool grid = false;
    ChartColour gridColour = kChartWhite;
    ChartColour textColour = kChartWhite;
    std::string title;  // a vertical axis' title stands above its top end
    ChartColour titleColour = kChartWhite;
    int titleSize = 11;

    bool operator==(const ChartAxis& other) const = default;
};

struct ChartSeries {
    std::string name;
    std::vector<double> x;
    std::vector<double> y;
    SeriesStyle style = SeriesStyle::Line;
    bool filled = false;
    bool shown = false;
    ChartColour colour = kChartWhite;
    int lineWidth = 1;
    LineDash dash = LineDash::Solid;
    ChartColour pointColour = kChartWhite;
    int pointShape = kPointCircle;
    int pointSize = 5;

    bool operator==(const ChartSeries& other) const = default;
};

struct ChartModel {
    std::array<ChartAxis, kAxisCount> axes;
    std::map<int, ChartSeries> series;  // by slot
    std::string title;
    ChartColour titleColour = kChartYellow;
    ChartColour background = kChartBlack;
    std::string notice;  // said across the plot when it has nothing to show
    ChartColour noticeColour = kChartWhite;
    // A key under the title: each shown series that has a name, its pattern and its name, in
    // rows as wide as the chart.
    bool key = false;

    bool operator==(const ChartModel& other) const = default;
};

// Replaces the slot's name and points by the first count pairs (none when count is below 1).
void loadSeries(ChartModel& model, int slot, const std::string& name, const std::vector<double>& x,
                const std::vector<double>& y, int count);

}  // namespace korvel
