#pragma once
// The asset's grid as the survey map draws a file: the latest survey laid out, each of its
// points tied to its location's figures, and coloured by the figure chosen. Locations at or
// below the required thickness take the low alarm's cross-hatch, those due within a year the
// warning's single hatch, so both stand out in grey-scale as well; a sequence (LINEAR) asset
// is the map's line chart with those locations circled.

#include <QString>
#include <string_view>
#include <vector>

#include "dataview/survey/survey_map_painter.h"
#include "history/history_figures.h"
#include "survey/thickness_units.h"

namespace korvel {

enum class HistoryColouring { RemainingLife, NextInspection, GoverningRate, LatestThickness };

inline constexpr long long kMinutesPerDay = 24 * 60;

struct HistoryLayout {
    Survey survey;                    // the latest survey's layout, its alarms the marks above
    std::vector<int> figureOf;        // per point: its index in the figures' locations, or -1
    std::vector<std::size_t> marked;  // the points at or below required or due within a year
};

// The layout of the latest survey's bytes with the figures' marks as of today (minutes since
// 1970 in local time, as the surveys' dates are).
HistoryLayout historyLayout(std::string_view latestSurvey, const history::AssetFigures& figures,
                            long long todayMinutes);

struct HistoryMapTexts {
    QString noFigure;
    QString belowRequired;
    QString dueSoon;
    QString years;    // the unit of remaining life
    QString perYear;  // after the thickness unit of a rate
};

// A figure of a location in the units shown: remaining life in years, next inspection in
// minutes since 1970, the governing rate in thickness per year, the latest thickness.
std::optional<double> figureValue(const history::LocationFigures& location,
                                  HistoryColouring colouring, const std::string& assetUnits,
                                  ThicknessUnits shown);

// The map's content (it points into the layout, which must outlive it).
SurveyMapContent historyMapContent(const HistoryLayout& layout,
                                   const history::AssetFigures& figures, HistoryColouring colouring,
                                   ThicknessUnits shown, const HistoryMapTexts& texts);

// A date of the history as the page writes it, "YYYY-MM-DD".
QString historyDateText(long long minutes);

}  // namespace korvel
