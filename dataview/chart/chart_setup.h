#pragma once
// The chart's fixed looks: its first state, and the axes of the waveform display (A-scan: depth
// from left to right, amplitude upwards) and of the cross-section display (B-scan: readings from
// left to right, depth downwards).

#include <string>
#include <vector>

#include "dataview/chart/chart_model.h"

namespace korvel {

// Series slots of the two displays.
inline constexpr int kEnvelopeSeries = 0;
inline constexpr int kMarker1Series = 2;
inline constexpr int kBracketSeries = 3;
inline constexpr int kMainBangBlankSeries = 4;
inline constexpr int kInterfaceBlankSeries = 5;
inline constexpr int kC3BlankSeries = 6;
inline constexpr int kEchoWindowSeries = 7;
inline constexpr int kBScanMarkerSeries = 10;
inline constexpr int kNormalProfileSeries = 19;
inline constexpr int kAlarmProfileSeries = 20;
inline constexpr int kWarningProfileSeries = 21;

// Series names and colours the chart starts with.
void prepareChart(ChartModel& chart);
void applyAScanAxes(ChartModel& chart, const std::string& bottomTitle);
// The depth axes are labelled in the file's units, 0 to the BS Range in quarters, the units
// above the left one; without a usable range they keep their even divisions.
void applyBScanAxes(ChartModel& chart, const std::string& bottomTitle, const std::string& bsRange,
                    const std::string& units);

// Loads the points as "Scatter Data" into the slot and shows it.
void loadScatterSeries(ChartModel& chart, int slot, const std::vector<double>& x,
                       const std::vector<double>& y);
// One white round point of size 5 (a marker).
void drawWhitePoint(ChartModel& chart, int slot, double x, double y);

}  // namespace korvel
