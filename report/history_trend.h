#pragma once
// The trend of one location of an asset's history as a chart model, the one drawing of it that
// the history page shows and the history report prints: every value against its date (the
// values that count as dots, those left out of the figures as crosses), the long-term,
// short-term and regression lines, the required thickness as a level line, the governing rate's
// line from the actual value down to the date it reaches the required thickness, that date,
// the years and thicknesses along the axes and a key. It is laid out for the size it will be
// painted at (paintChart, dataview/chart/chart_painter.h), so the labels fit. The colours keep
// apart for readers with any colour vision and the lines differ in pattern too, so it prints in
// grey as well.

#include <QSizeF>
#include <optional>
#include <string>
#include <vector>

#include "dataview/chart/chart_model.h"
#include "history/inspection_history.h"
#include "survey/thickness_units.h"

namespace korvel {

class TextTable;

// The slots of the trend's series, drawn in this order.
inline constexpr int kTrendRequired = 0;
inline constexpr int kTrendReach = 1;      // the governing rate down to the required thickness
inline constexpr int kTrendReachDate = 2;  // the date it gets there
inline constexpr int kTrendLongTerm = 3;
inline constexpr int kTrendShortTerm = 4;
inline constexpr int kTrendRegression = 5;  // the least-squares line of the values that count
inline constexpr int kTrendValues = 6;
inline constexpr int kTrendExcluded = 7;
inline constexpr int kTrendSelected = 8;  // a ring round the value chosen

// The names in the key and the notice of a location without values.
struct TrendTexts {
    std::string longTerm, shortTerm, regression, required, reaches, excluded, noValues,
        nextInspection;
};
TrendTexts trendTexts(const TextTable& texts);

// A value drawn, as the history gives it, in the units shown.
struct TrendValue {
    long long survey = 0;
    long long dateMinutes = 0;
    double value = 0;
    bool excluded = false;
    std::string note;
};

struct LocationTrend {
    ChartModel chart;  // the bottom axis in minutes since 1970, the left in the units shown
    QSizeF size;       // what the chart is laid out for
    std::vector<TrendValue> values;         // in date order
    std::optional<long long> reachMinutes;  // when the governing rate reaches the required
    int selected = -1;                      // the value ringed, an index into values
};

// The location's readings and figures, and the required thickness, all in history.units.
struct TrendSubject {
    const history::LocationHistory& history;
    const history::LocationFigures& figures;
    std::optional<double> required;
    ThicknessUnits shown;
};

LocationTrend locationTrend(const TrendSubject& subject, const TrendTexts& texts,
                            const QSizeF& size);

// A trend with nothing to draw but the notice across it.
LocationTrend noticeTrend(const std::string& notice, const QSizeF& size);

// Rings the value (an index into trend.values; -1 rings none).
void selectTrendValue(LocationTrend& trend, int value);

}  // namespace korvel
