#include "dataview/chart_setup.h"

#include <array>
#include <optional>

#include "dataview/cctwx.h"

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

void applyAxes(CCTWX& chart, const AxesLook& looks, const std::string& bottomTitle) {
    for (int axis = 0; axis < kAxisCount; ++axis) {
        const AxisLook& look = looks[static_cast<std::size_t>(axis)];
        chart.setAxisShown(axis, true);
        chart.setAxisAutoScale(axis, false);
        if (look.low) {
            chart.setAxisLow(axis, *look.low);
        }
        chart.setAxisHigh(axis, look.high);
        chart.setAxisDivisions(axis, 4);
        chart.setAxisCrossing(axis, look.crossing);
        if (look.labels) {
            chart.setAxisLabelsShown(axis, *look.labels);
        }
        chart.setAxisGrid(axis, true);
        chart.setAxisGridColour(axis, kChartWhite);
        chart.setAxisTextColour(axis, kChartWhite);
    }
    chart.setAxisTitle(kAxisBottom, bottomTitle);
    chart.setAxisTitleSize(kAxisBottom, 11);
    chart.setAxisTitleColour(kAxisBottom, kChartYellow);
}

}  // namespace

void prepareChart(CCTWX& chart) {
    const std::pair<int, const char*> names[] = {
        {kEnvelopeSeries, "Bar Data"},           {kMarker1Series, "Scatter Data"},
        {kBracketSeries, "Scatter Data"},        {kMainBangBlankSeries, "Scatter Data"},
        {kInterfaceBlankSeries, "Scatter Data"}, {kC3BlankSeries, "Scatter Data"},
        {kEchoWindowSeries, "Scatter Data"},     {kBScanMarkerSeries, "Scatter Data"},
        {kNormalProfileSeries, "Bar Data"},      {kAlarmProfileSeries, "Bar Data2"},
        {kWarningProfileSeries, "Bar Data3"},
    };
    for (const auto& [slot, name] : names) {
        chart.loadSeries(slot, name, {}, {}, 0);
    }
    chart.setSeriesColour(kBracketSeries, kChartYellow);
    chart.setTitleColour(0, kChartYellow);
}

void applyAScanAxes(CCTWX& chart, const std::string& bottomTitle) {
    applyAxes(chart, kAScanAxes, bottomTitle);
}

void applyBScanAxes(CCTWX& chart, const std::string& bottomTitle) {
    applyAxes(chart, kBScanAxes, bottomTitle);
}

void loadScatterSeries(CCTWX& chart, int slot, const std::vector<double>& x,
                       const std::vector<double>& y) {
    chart.loadSeries(slot, "Scatter Data", x, y, static_cast<int>(x.size()));
    chart.setSeriesShown(slot, true);
}

void drawWhitePoint(CCTWX& chart, int slot, double x, double y) {
    loadScatterSeries(chart, slot, {x}, {y});
    chart.setSeriesStyle(slot, SeriesStyle::Points);
    chart.setSeriesPointColour(slot, kChartWhite);
    chart.setSeriesPointShape(slot, 2);
    chart.setSeriesPointSize(slot, 5);
}

}  // namespace korvel
