#include "report/history_trend.h"

#include <QDate>
#include <algorithm>
#include <cmath>

#include "app/text_table.h"
#include "datafile/number_text.h"
#include "dataview/chart/chart_painter.h"
#include "dataview/chart/plot_bounds.h"
#include "survey/survey_date.h"

namespace korvel {
namespace {

constexpr ChartColour kValueInk = 0x000000;
constexpr ChartColour kLongTermInk = 0x0072B2;
constexpr ChartColour kShortTermInk = 0xD55E00;
constexpr ChartColour kRegressionInk = 0x009E73;
constexpr ChartColour kReachInk = 0xCC79A7;
constexpr ChartColour kSelectionInk = 0xE69F00;
constexpr ChartColour kGridInk = 0xC8C8C8;
// A projection further away than this is cut at its end, so the values keep their room; one
// further away than the longest is no date at all (a rate that is next to nothing).
constexpr double kMostYearsDrawn = 30;
constexpr double kMostYearsDated = 1000;
// The room one label takes along each axis, in the chart's pixels.
constexpr double kYearLabelRoom = 40;
constexpr double kValueLabelRoom = 28;
constexpr double kMinutesPerDay = 24 * 60;

ChartSeries lineSeries(const std::string& name, ChartColour colour, LineDash dash) {
    ChartSeries line;
    line.name = name;
    line.colour = line.pointColour = colour;
    line.dash = dash;
    line.lineWidth = 2;
    return line;
}

ChartSeries pointSeries(const std::string& name, ChartColour colour, int shape, int size) {
    ChartSeries points = lineSeries(name, colour, LineDash::Solid);
    points.style = SeriesStyle::Points;
    points.pointShape = shape;
    points.pointSize = size;
    return points;
}

void setLine(ChartModel& model, int slot, ChartSeries line, double fromX, double fromY, double toX,
             double toY) {
    line.x = {fromX, toX};
    line.y = {fromY, toY};
    line.shown = true;
    model.series[slot] = std::move(line);
}

// Black on white with light grid lines; only the bottom and left axes.
ChartModel whiteChart() {
    ChartModel model;
    model.background = kChartWhite;
    model.titleColour = model.noticeColour = kChartBlack;
    model.key = true;
    for (int index = 0; index < kAxisCount; ++index) {
        ChartAxis& axis = model.axes[index];
        axis.shown = index == kAxisBottom || index == kAxisLeft;
        axis.textColour = axis.titleColour = kChartBlack;
        axis.gridColour = kGridInk;
        axis.grid = axis.shown;
    }
    return model;
}

double minutesOfNewYear(int year) {
    return static_cast<double>(QDate(1970, 1, 1).daysTo(QDate(year, 1, 1))) * kMinutesPerDay;
}

int yearOf(double minutes) {
    return QDate(1970, 1, 1)
        .addDays(static_cast<qint64>(std::floor(minutes / kMinutesPerDay)))
        .year();
}

// 1, 2 or 5 times a power of ten, at least `rough`.
double roundStep(double rough) {
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= rough * (1 - 1e-9)) {
            return factor * power;
        }
    }
    return 10 * power;
}

// New Year's days between the ends, labelled with their year, as many as fit the width.
void yearAxis(ChartAxis& axis, double low, double high, double width) {
    axis.low = low;
    axis.high = high;
    axis.ticks.clear();
    const int first = yearOf(low) + 1;
    const int last = yearOf(high);
    const double fitting = std::max(1.0, std::floor(width / kYearLabelRoom));
    const int step =
        static_cast<int>(roundStep(std::max(1.0, (high - low) / kMinutesPerYear / fitting)));
    for (int year = first + (step - first % step) % step; year <= last; year += step) {
        axis.ticks.push_back({minutesOfNewYear(year), std::to_string(year)});
    }
}

// Round thicknesses from below the lowest to above the highest, as many as fit the height.
void thicknessAxis(ChartAxis& axis, double low, double high, double height) {
    const double span = high > low ? high - low : std::max(std::abs(high) / 5, 0.01);
    const double parts = std::max(2.0, std::floor(height / kValueLabelRoom));
    const double step = roundStep(span * 1.2 / parts);
    const int decimals = std::clamp(static_cast<int>(-std::floor(std::log10(step))), 0, 4);
    const long long lowest = static_cast<long long>(std::floor((low - span / 10) / step));
    const long long highest = static_cast<long long>(std::ceil((high + span / 10) / step));
    axis.low = static_cast<double>(lowest) * step;
    axis.high = static_cast<double>(highest) * step;
    axis.ticks.clear();
    for (long long k = lowest; k <= highest; ++k) {
        axis.ticks.push_back({static_cast<double>(k) * step,
                              fixedDecimals(static_cast<double>(k) * step, decimals)});
    }
}

// The least-squares line through the values that count, over their dates.
void addRegression(ChartModel& model, const std::vector<TrendValue>& values,
                   const std::string& name) {
    double n = 0, meanX = 0, meanY = 0, first = 0, last = 0;
    for (const TrendValue& value : values) {
        if (!value.excluded) {
            first = n == 0 ? static_cast<double>(value.dateMinutes) : first;
            last = static_cast<double>(value.dateMinutes);
            n += 1;
            meanX += last;
            meanY += value.value;
        }
    }
    if (n < 3) {
        return;
    }
    meanX /= n;
    meanY /= n;
    double sxx = 0, sxy = 0;
    for (const TrendValue& value : values) {
        if (!value.excluded) {
            const double dx = static_cast<double>(value.dateMinutes) - meanX;
            sxx += dx * dx;
            sxy += dx * (value.value - meanY);
        }
    }
    if (sxx <= 0) {
        return;
    }
    const double slope = sxy / sxx;
    setLine(model, kTrendRegression, lineSeries(name, kRegressionInk, LineDash::Dash), first,
            meanY + slope * (first - meanX), last, meanY + slope * (last - meanX));
}

struct Scaled {
    double factor;  // from the history's units to those shown
    const history::LocationFigures& figures;
    double value(const history::DatedValue& dated) const { return dated.value * factor; }
};

void addRateLines(ChartModel& model, const Scaled& scaled, const TrendTexts& texts) {
    const auto& figures = scaled.figures;
    if (figures.initial && figures.actual && figures.values >= 2) {
        setLine(model, kTrendLongTerm, lineSeries(texts.longTerm, kLongTermInk, LineDash::Solid),
                static_cast<double>(figures.initial->dateMinutes), scaled.value(*figures.initial),
                static_cast<double>(figures.actual->dateMinutes), scaled.value(*figures.actual));
    }
    if (figures.previous && figures.actual && figures.values >= 3) {
        setLine(model, kTrendShortTerm, lineSeries(texts.shortTerm, kShortTermInk, LineDash::Solid),
                static_cast<double>(figures.previous->dateMinutes), scaled.value(*figures.previous),
                static_cast<double>(figures.actual->dateMinutes), scaled.value(*figures.actual));
    }
}

// The governing rate from the actual value down to the required thickness (cut at
// kMostYearsDrawn), named with the date it gets there.
std::optional<long long> addReach(ChartModel& model, const TrendSubject& subject,
                                  const Scaled& scaled, const TrendTexts& texts) {
    const auto& figures = subject.figures;
    if (!subject.required || !figures.actual || !figures.governingRate ||
        *figures.governingRate <= 0 || figures.actual->value <= *subject.required) {
        return std::nullopt;
    }
    const double years = (figures.actual->value - *subject.required) / *figures.governingRate;
    if (years > kMostYearsDated) {
        return std::nullopt;
    }
    const double from = static_cast<double>(figures.actual->dateMinutes);
    const auto reach = static_cast<long long>(std::llround(from + years * kMinutesPerYear));
    const double drawn = std::min(years, kMostYearsDrawn);
    setLine(model, kTrendReach,
            lineSeries(texts.reaches + " " + isoDateText(reach), kReachInk, LineDash::Dot), from,
            scaled.value(*figures.actual), from + drawn * kMinutesPerYear,
            (figures.actual->value - drawn * *figures.governingRate) * scaled.factor);
    return reach;
}

std::string trendTitle(const TrendSubject& subject, const TrendTexts& texts) {
    std::string title =
        subject.figures.location + " (" + std::string(unitsText(subject.shown)) + ")";
    if (subject.figures.nextInspectionMinutes) {
        title +=
            "  " + texts.nextInspection + " " + isoDateText(*subject.figures.nextInspectionMinutes);
    }
    return title;
}

// The axes over everything drawn, with a margin, and the lines that span them.
void settleAxes(LocationTrend& trend, std::optional<double> required) {
    ChartModel& model = trend.chart;
    PlotBounds bounds;
    for (const auto& [slot, series] : model.series) {
        for (std::size_t i = 0; i < series.x.size() && i < series.y.size(); ++i) {
            bounds.take(series.x[i], series.y[i]);
        }
    }
    if (required) {
        bounds.take(bounds.lowX, *required);
    }
    const QRectF plot = chartPlotRect(trend.size, model);
    const double padX = std::max((bounds.highX - bounds.lowX) / 20, kMinutesPerYear / 4);
    yearAxis(model.axes[kAxisBottom], bounds.lowX - padX, bounds.highX + padX, plot.width());
    thicknessAxis(model.axes[kAxisLeft], bounds.lowY, bounds.highY, plot.height());
    const ChartAxis& bottom = model.axes[kAxisBottom];
    const ChartAxis& left = model.axes[kAxisLeft];
    model.axes[kAxisBottom].crossing = left.low;
    model.axes[kAxisLeft].crossing = bottom.low;
    if (required) {
        setLine(model, kTrendRequired, model.series[kTrendRequired], bottom.low, *required,
                bottom.high, *required);
    }
    // Beyond the cut the line ends before the date; within it the date ends the line.
    if (trend.reachMinutes && static_cast<double>(*trend.reachMinutes) <= bounds.highX + 1) {
        const double x = static_cast<double>(*trend.reachMinutes);
        setLine(model, kTrendReachDate, lineSeries("", kReachInk, LineDash::Dot), x, left.low, x,
                left.high);
        model.series[kTrendReachDate].lineWidth = 1;
    }
}

}  // namespace

TrendTexts trendTexts(const TextTable& texts) {
    return {texts.message("IDS_HISTORY_LONG_TERM"),  texts.message("IDS_HISTORY_SHORT_TERM"),
            texts.message("IDS_HISTORY_REGRESSION"), texts.message("IDS_HISTORY_REQUIRED"),
            texts.message("IDS_HISTORY_REACHES"),    texts.message("IDS_HISTORY_EXCLUDED"),
            texts.message("IDS_HISTORY_NO_VALUES"),  texts.message("IDS_HISTORY_COL_NEXT")};
}

LocationTrend locationTrend(const TrendSubject& subject, const TrendTexts& texts,
                            const QSizeF& size) {
    const auto units = parseThicknessUnits(subject.history.units).value_or(subject.shown);
    const Scaled scaled{convertThickness(1.0, units, subject.shown), subject.figures};
    LocationTrend trend = noticeTrend(texts.noValues, size);
    trend.chart.title = trendTitle(subject, texts);
    for (const history::HistoryPoint& point : subject.history.points) {
        if (point.value) {
            trend.values.push_back({point.survey, point.dateMinutes, *point.value * scaled.factor,
                                    point.excluded, point.note});
        }
    }
    if (trend.values.empty()) {
        return trend;
    }
    ChartModel& model = trend.chart;
    model.notice.clear();
    model.axes[kAxisBottom].shown = model.axes[kAxisLeft].shown = true;
    std::optional<double> required;
    if (subject.required) {
        required = *subject.required * scaled.factor;
        model.series[kTrendRequired] = lineSeries(texts.required, kValueInk, LineDash::DashDot);
        model.series[kTrendRequired].shown = true;
    }
    trend.reachMinutes = addReach(model, subject, scaled, texts);
    addRateLines(model, scaled, texts);
    addRegression(model, trend.values, texts.regression);
    ChartSeries counted = pointSeries("", kValueInk, kPointCircle, 8);
    ChartSeries excluded = pointSeries(texts.excluded, kValueInk, kPointCross, 10);
    for (const TrendValue& value : trend.values) {
        ChartSeries& into = value.excluded ? excluded : counted;
        into.x.push_back(static_cast<double>(value.dateMinutes));
        into.y.push_back(value.value);
    }
    counted.shown = !counted.x.empty();
    excluded.shown = !excluded.x.empty();
    model.series[kTrendValues] = std::move(counted);
    model.series[kTrendExcluded] = std::move(excluded);
    selectTrendValue(trend, static_cast<int>(trend.values.size()) - 1);
    settleAxes(trend, required);
    return trend;
}

LocationTrend noticeTrend(const std::string& notice, const QSizeF& size) {
    LocationTrend trend;
    trend.size = size;
    trend.chart = whiteChart();
    trend.chart.notice = notice;
    for (ChartAxis& axis : trend.chart.axes) {
        axis.shown = false;
    }
    return trend;
}

void selectTrendValue(LocationTrend& trend, int value) {
    trend.selected = value >= 0 && value < static_cast<int>(trend.values.size()) ? value : -1;
    ChartSeries ring = pointSeries("", kSelectionInk, kPointRing, 18);
    if (trend.selected >= 0) {
        const TrendValue& chosen = trend.values[static_cast<std::size_t>(trend.selected)];
        ring.x = {static_cast<double>(chosen.dateMinutes)};
        ring.y = {chosen.value};
        ring.shown = true;
    }
    trend.chart.series[kTrendSelected] = std::move(ring);
}

}  // namespace korvel
