#include "report/history_trend.h"

#include <algorithm>
#include <cmath>

#include "dataview/chart/plot_bounds.h"
#include "survey/survey_date.h"

namespace korvel {
namespace {

constexpr double kFirstYear = 1970;
constexpr ChartColour kGrey = 0x808080;
constexpr ChartColour kDarkGrey = 0x404040;
// A projection further away than this is cut at its end, so the values keep their room.
constexpr double kMostYearsAhead = 30;
constexpr int kMostDivisions = 10;

ChartSeries series(SeriesStyle style, ChartColour colour, int pointShape = 2) {
    ChartSeries line;
    line.shown = true;
    line.style = style;
    line.colour = colour;
    line.pointColour = colour;
    line.pointShape = pointShape;
    line.lineWidth = 2;
    line.pointSize = 7;
    return line;
}

// Whole years from low to high, in steps that give at most kMostDivisions divisions.
void yearAxis(ChartAxis& axis, double first, double last) {
    const double low = std::floor(first);
    const double span = std::max(1.0, std::ceil(last) - low);
    const double step = std::ceil(span / kMostDivisions);
    axis.divisions = static_cast<int>(std::ceil(span / step));
    axis.low = low;
    axis.high = low + step * axis.divisions;
}

// A round step (1, 2 or 5 times a power of ten) that parts the span into at most `parts`.
double roundStep(double span, int parts) {
    const double rough = span / parts;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= rough) {
            return factor * power;
        }
    }
    return 10 * power;
}

// Round thicknesses at the divisions, the values a little inside the ends.
void thicknessAxis(ChartAxis& axis, double low, double high) {
    constexpr int kParts = 4;
    const double span = high > low ? (high - low) * 1.2 : std::max(std::abs(high) / 5, 0.01);
    const double step = roundStep(span, kParts);
    axis.low = std::floor((low - span / 10) / step) * step;
    axis.divisions = static_cast<int>(std::ceil((high + span / 10 - axis.low) / step));
    axis.high = axis.low + step * axis.divisions;
}

}  // namespace

double yearOf(long long minutes) {
    return kFirstYear + static_cast<double>(minutes) / kMinutesPerYear;
}

ChartModel trendChart(const history::AssetFigures& figures,
                      const history::LocationFigures& location,
                      const std::vector<history::StoredReading>& readings) {
    ChartModel model;
    model.background = kChartWhite;
    model.titleColour = kChartBlack;
    model.title = location.location;
    ChartSeries values = series(SeriesStyle::Line, kChartBlack);
    ChartSeries counted = series(SeriesStyle::Points, kChartBlack);
    ChartSeries excluded = series(SeriesStyle::Points, kGrey, 0);
    PlotBounds bounds;
    for (const auto& reading : readings) {
        if (!reading.value) {
            continue;
        }
        const double year = yearOf(reading.dateMinutes);
        ChartSeries& into = reading.excluded ? excluded : counted;
        into.x.push_back(year);
        into.y.push_back(*reading.value);
        bounds.take(year, *reading.value);
    }
    values.x = counted.x;
    values.y = counted.y;
    const auto& required = figures.asset.required;
    if (required) {
        bounds.take(bounds.any ? bounds.lowX : 0, *required);
    }
    if (required && location.actual && location.governingRate && *location.governingRate > 0 &&
        location.actual->value > *required) {
        const double from = yearOf(location.actual->dateMinutes);
        const double years = (location.actual->value - *required) / *location.governingRate;
        const double to = from + std::min(years, kMostYearsAhead);
        ChartSeries governing = series(SeriesStyle::Line, kDarkGrey);
        governing.lineWidth = 1;
        governing.x = {from, to};
        governing.y = {location.actual->value,
                       location.actual->value - (to - from) * *location.governingRate};
        bounds.take(to, governing.y.back());
        model.series[kTrendGoverning] = std::move(governing);
    }
    yearAxis(model.axes[kAxisBottom], bounds.lowX, bounds.highX);
    thicknessAxis(model.axes[kAxisLeft], bounds.lowY, bounds.highY);
    if (required) {
        ChartSeries level = series(SeriesStyle::Line, kGrey);
        level.x = {model.axes[kAxisBottom].low, model.axes[kAxisBottom].high};
        level.y = {*required, *required};
        model.series[kTrendRequired] = std::move(level);
    }
    model.series[kTrendLine] = std::move(values);
    model.series[kTrendValues] = std::move(counted);
    model.series[kTrendExcluded] = std::move(excluded);
    for (int index = 0; index < kAxisCount; ++index) {
        ChartAxis& axis = model.axes[index];
        axis.shown = index == kAxisBottom || index == kAxisLeft;
        axis.textColour = axis.titleColour = kChartBlack;
        axis.gridColour = 0xC0C0C0;
    }
    model.axes[kAxisBottom].crossing = model.axes[kAxisLeft].low;
    model.axes[kAxisLeft].crossing = model.axes[kAxisBottom].low;
    model.axes[kAxisLeft].grid = true;
    return model;
}

}  // namespace korvel
