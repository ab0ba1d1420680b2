#pragma once
// The trend of one location of an asset's history as a chart model: every value against its
// date (in years), the values that count as dots joined by a line, those left out of the
// figures as squares apart, the required thickness as a level line, and the governing rate's
// line from the actual value down to the date it reaches the required thickness. On paper
// colours (black and greys on white), so it prints in grey; any paged device or the screen
// paints it with paintChart (dataview/chart/chart_painter.h).

#include <vector>

#include "dataview/chart/chart_model.h"
#include "history/history_figures.h"

namespace korvel {

// The slots of the trend's series.
inline constexpr int kTrendRequired = 0;
inline constexpr int kTrendGoverning = 1;
inline constexpr int kTrendLine = 2;  // through the values that count
inline constexpr int kTrendValues = 3;
inline constexpr int kTrendExcluded = 4;

// `readings` are the location's, in date order, in the asset's units (history::AssetHistory's);
// the title is the location's code (the thicknesses' units are the caller's to name).
ChartModel trendChart(const history::AssetFigures& figures,
                      const history::LocationFigures& location,
                      const std::vector<history::StoredReading>& readings);

// A date (minutes since 1970, the files' local time) as a year with its fraction: 2024.5.
double yearOf(long long minutes);

}  // namespace korvel
