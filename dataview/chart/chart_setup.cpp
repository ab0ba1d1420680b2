#include "dataview/chart/chart_setup.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <optional>

#include "datafile/number_text.h"

namespace korvel {
namespace {

struct AxisLook {
    std::optional<double> low;  // not set: the low end stays where it is (0)
    double high;
    double crossing;
    std::optional<bool> labels;
};

using AxesLook = std::array<AxisLook, kAxisCount>;

constexpr AxesLook kAScanAxes = {{
    {std::nullopt, 180, 0, false},
    {-5, 100, 0, std::nullopt},
    {std::nullopt, 180, 100, false},
    {-5, 100, 180, std::nullopt},
}};

constexpr AxesLook kBScanAxes = {{
    {std::nullopt, 180, 100, false},
    {102, -5, 0, std::nullopt},
    {std::nullopt, 180, 0, std::nullopt},
    {102, -5, 180, std::nullopt},
}};

// What the vertical axes show instead of their even divisions, and the left one's title.
struct DepthScale {
    std::vector<AxisTick> ticks;
    std::string title;
};

void applyAxes(ChartModel& chart, const AxesLook& looks, const std::string& bottomTitle,
               const DepthScale& depth = {}) {
    for (std::size_t index = 0; index < looks.size(); ++index) {
        const AxisLook& look = looks[index];
        ChartAxis& axis = chart.axes[index];
        axis.shown = true;
        axis.autoScale = false;
        if (look.low) {
            axis.low = *look.low;
        }
        axis.high = look.high;
        axis.divisions = 4;
        axis.crossing = look.crossing;
        if (look.labels) {
            axis.labelsShown = *look.labels;
        }
        axis.grid = true;
        axis.gridColour = kChartWhite;
        axis.textColour = kChartWhite;
        const bool vertical = index == kAxisLeft || index == kAxisRight;
        axis.ticks = vertical ? depth.ticks : std::vector<AxisTick>();
        if (vertical) {
            axis.title = index == kAxisLeft ? depth.title : std::string();
            axis.titleColour = kChartYellow;
        }
    }
    ChartAxis& bottom = chart.axes[kAxisBottom];
    bottom.title = bottomTitle;
    bottom.titleSize = 11;
    bottom.titleColour = kChartYellow;
}

}  // namespace

void prepareChart(ChartModel& chart) {
    const std::pair<int, const char*> names[] = {
        {kEnvelopeSeries, "Bar Data"},           {kMarker1Series, "Scatter Data"},
        {kBracketSeries, "Scatter Data"},        {kMainBangBlankSeries, "Scatter Data"},
        {kInterfaceBlankSeries, "Scatter Data"}, {kC3BlankSeries, "Scatter Data"},
        {kEchoWindowSeries, "Scatter Data"},     {kBScanMarkerSeries, "Scatter Data"},
        {kNormalProfileSeries, "Bar Data"},      {kAlarmProfileSeries, "Bar Data2"},
        {kWarningProfileSeries, "Bar Data3"},
    };
    for (const auto& [slot, name] : names) {
        loadSeries(chart, slot, name, {}, {}, 0);
    }
    chart.series[kBracketSeries].colour = kChartYellow;
    chart.titleColour = kChartYellow;
}

void applyAScanAxes(ChartModel& chart, const std::string& bottomTitle) {
    applyAxes(chart, kAScanAxes, bottomTitle);
}

void applyBScanAxes(ChartModel& chart, const std::string& bottomTitle, const std::string& bsRange,
                    const std::string& units) {
    DepthScale depth;
    const double range = leadingDecimal(bsRange);
    if (range > 0 && std::isfinite(range)) {
        // The profile's heights are percent of the range: each quarter is labelled with its
        // depth, with the range's decimals (at least two).
        const std::size_t point = bsRange.find('.');
        std::size_t decimals = 0;
        while (point != std::string::npos && point + 1 + decimals < bsRange.size() &&
               std::isdigit(static_cast<unsigned char>(bsRange[point + 1 + decimals]))) {
            ++decimals;
        }
        for (int quarter = 0; quarter <= 4; ++quarter) {
            depth.ticks.push_back(
                {quarter * 25.0,
                 fixedDecimals(range * quarter / 4, std::max(static_cast<int>(decimals), 2))});
        }
        depth.title = units;
    }
    applyAxes(chart, kBScanAxes, bottomTitle, depth);
}

void loadScatterSeries(ChartModel& chart, int slot, const std::vector<double>& x,
                       const std::vector<double>& y) {
    loadSeries(chart, slot, "Scatter Data", x, y, static_cast<int>(x.size()));
    chart.series[slot].shown = true;
}

void drawWhitePoint(ChartModel& chart, int slot, double x, double y) {
    loadScatterSeries(chart, slot, {x}, {y});
    ChartSeries& point = chart.series[slot];
    point.style = SeriesStyle::Points;
    point.pointColour = kChartWhite;
    point.pointShape = kPointCircle;
    point.pointSize = 5;
}

}  // namespace korvel
