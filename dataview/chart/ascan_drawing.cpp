#include "dataview/chart/ascan_drawing.h"

#include <utility>
#include <vector>

#include "app/text_rules.h"
#include "datafile/number_text.h"
#include "dataview/chart/alarm_class.h"
#include "dataview/chart/chart_setup.h"

namespace korvel {
namespace {

constexpr int kBScanOnlySeries[] = {9, 10, 11, 19, 20, 21};

struct Points {
    std::vector<double> x;
    std::vector<double> y;

    void add(double px, double py) {
        x.push_back(px);
        y.push_back(py);
    }
};

void loadScatter(ChartModel& chart, int slot, const Points& points) {
    loadScatterSeries(chart, slot, points.x, points.y);
}

void drawLine(ChartModel& chart, int slot, const Points& points, int width, ChartColour colour) {
    loadScatter(chart, slot, points);
    ChartSeries& line = chart.series[slot];
    line.style = SeriesStyle::Line;
    line.lineWidth = width;
    line.colour = colour;
}

void drawEnvelope(ChartModel& chart, const AScan* ascan, const std::string& alarm) {
    Points envelope;
    if (ascan != nullptr) {
        const auto& max = ascan->max.values;
        const auto& min = ascan->min.values;
        for (std::size_t k = 0; k < max.size(); ++k) {
            const int high = leadingNumber(max[k]);
            envelope.add(double(k), k < min.size() ? leadingNumber(min[k]) : high);
            envelope.add(double(k), high);
        }
    }
    loadSeries(chart, kEnvelopeSeries, "Bar Data", envelope.x, envelope.y,
               static_cast<int>(envelope.x.size()));
    ChartSeries& series = chart.series[kEnvelopeSeries];
    series.shown = true;
    series.style = SeriesStyle::Line;
    series.lineWidth = 1;
    series.filled = false;
    series.colour = alarmColour(alarmClassOf(alarm));
    chart.series[kMainBangBlankSeries].colour = kChartBlack;
}

struct MarkerPositions {
    int marker1, marker2, marker3, mbBlank, ifBlank, c3Blank, echoWindow;

    explicit MarkerPositions(const ScanSettings& s)
        : marker1(leadingNumber(s.marker1)),
          marker2(leadingNumber(s.marker2)),
          marker3(leadingNumber(s.marker3)),
          mbBlank(leadingNumber(s.mbBlank)),
          ifBlank(leadingNumber(s.ifBlank)),
          c3Blank(leadingNumber(s.c3Blank)),
          echoWindow(leadingNumber(s.echoWindow)) {}
};

void drawHorizontal(ChartModel& chart, int slot, double from, double to, double y, int width) {
    Points line;
    line.add(from, y);
    line.add(to, y);
    drawLine(chart, slot, line, width, kChartOrange);
}

void drawMainBangBlank(ChartModel& chart, const MarkerPositions& at) {
    if (at.mbBlank > 0) {
        drawHorizontal(chart, kMainBangBlankSeries, 1, at.mbBlank, -5, 3);
    }
}

void drawBracket(ChartModel& chart, int slot, double from, double to, double base, double tip) {
    Points bracket;
    bracket.add(from, base);
    bracket.add(from, tip);
    bracket.add(to, tip);
    bracket.add(to, base);
    loadScatter(chart, slot, bracket);
    chart.series[slot].style = SeriesStyle::Line;
}

void drawEchoToEchoMarkers(ChartModel& chart, const MarkerPositions& at, bool c3) {
    drawBracket(chart, kBracketSeries, c3 ? at.marker2 : at.marker1, c3 ? at.marker3 : at.marker2,
                -2, -5);
    chart.series[kBracketSeries].pointColour = kChartYellow;
    drawMainBangBlank(chart, at);
    // Positions come from the file: their sum is taken in double, where it cannot overflow.
    const double ifBlankEnd = double(at.marker1) + at.ifBlank;
    if (ifBlankEnd > 0) {
        drawHorizontal(chart, kInterfaceBlankSeries, at.marker1, ifBlankEnd, -3, 2);
    }
    if (at.c3Blank > 0) {
        drawHorizontal(chart, kC3BlankSeries, at.marker2, at.c3Blank, -3, 2);
    }
}

void drawMarkers(ChartModel& chart, const MarkerPositions& at, const std::string& measMode) {
    if (measMode == "STD" || measMode == "C1") {
        drawWhitePoint(chart, kMarker1Series, double(at.marker1) + 1, -5);
        drawMainBangBlank(chart, at);
    } else if (measMode == "E TO E" || measMode == "C2" || measMode == "C3") {
        drawEchoToEchoMarkers(chart, at, measMode == "C3");
    }
    if (at.echoWindow > 0) {
        drawBracket(chart, kEchoWindowSeries, at.mbBlank, at.echoWindow, 96, 99);
        ChartSeries& window = chart.series[kEchoWindowSeries];
        window.lineWidth = 2;
        window.colour = kChartOrange;
    }
}

}  // namespace

ScanSettings scanSettingsOf(const AScan* ascan) {
    ScanSettings settings;
    if (ascan == nullptr || ascan->max.values.empty()) {
        return settings;
    }
    const std::pair<const char*, std::string ScanSettings::*> keys[] = {
        {"DELAY=", &ScanSettings::delay},
        {"RANGE=", &ScanSettings::range},
        {"MARKER1=", &ScanSettings::marker1},
        {"MARKER2=", &ScanSettings::marker2},
        {"MB_BLANK=", &ScanSettings::mbBlank},
        {"IF_BLANK=", &ScanSettings::ifBlank},
        {"MARKER3=", &ScanSettings::marker3},
        {"C3_BLANK=", &ScanSettings::c3Blank},
        {"ECHO_WINDOW=", &ScanSettings::echoWindow},
    };
    for (const std::string& field : ascan->settings) {
        for (const auto& [key, member] : keys) {
            if (contains(field, key)) {
                settings.*member = field.substr(field.find('=') + 1);
            }
        }
    }
    return settings;
}

std::string aScanAxisTitle(const ScanSettings& settings) {
    const double end = leadingDecimal(settings.delay) + leadingDecimal(settings.range);
    return settings.delay + std::string(75, ' ') + fixedDecimals(end, 3);
}

void drawAScan(ChartModel& chart, const AScanReading& reading) {
    for (int slot : kBScanOnlySeries) {
        chart.series[slot].shown = false;
    }
    const ScanSettings settings = scanSettingsOf(reading.ascan);
    applyAScanAxes(chart, aScanAxisTitle(settings));
    drawEnvelope(chart, reading.ascan, reading.alarm);
    drawMarkers(chart, MarkerPositions(settings), reading.measMode);
}

}  // namespace korvel
