#include "dataview/ascan_drawing.h"

#include <utility>
#include <vector>

#include "app/text_rules.h"
#include "datafile/number_text.h"
#include "dataview/alarm_class.h"
#include "dataview/cctwx.h"
#include "dataview/chart_setup.h"

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

void loadScatter(CCTWX& chart, int slot, const Points& points) {
    loadScatterSeries(chart, slot, points.x, points.y);
}

void drawLine(CCTWX& chart, int slot, const Points& points, int width, ChartColour colour) {
    loadScatter(chart, slot, points);
    chart.setSeriesStyle(slot, SeriesStyle::Line);
    chart.setSeriesLineWidth(slot, width);
    chart.setSeriesColour(slot, colour);
}

void drawEnvelope(CCTWX& chart, const AScan* ascan, const std::string& alarm) {
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
    chart.loadSeries(kEnvelopeSeries, "Bar Data", envelope.x, envelope.y,
                     static_cast<int>(envelope.x.size()));
    chart.setSeriesShown(kEnvelopeSeries, true);
    chart.setSeriesStyle(kEnvelopeSeries, SeriesStyle::Line);
    chart.setSeriesLineWidth(kEnvelopeSeries, 1);
    chart.setSeriesColour(kEnvelopeSeries, kChartGreen);
    chart.setSeriesFilled(kEnvelopeSeries, false);
    chart.setSeriesColour(kEnvelopeSeries, alarmColour(alarmClassOf(alarm)));
    chart.setSeriesColour(kMainBangBlankSeries, kChartBlack);
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

void drawHorizontal(CCTWX& chart, int slot, double from, double to, double y, int width) {
    Points line;
    line.add(from, y);
    line.add(to, y);
    drawLine(chart, slot, line, width, kChartOrange);
}

void drawMainBangBlank(CCTWX& chart, const MarkerPositions& at) {
    if (at.mbBlank > 0) {
        drawHorizontal(chart, kMainBangBlankSeries, 1, at.mbBlank, -5, 3);
    }
}

void drawBracket(CCTWX& chart, int slot, double from, double to, double base, double tip) {
    Points bracket;
    bracket.add(from, base);
    bracket.add(from, tip);
    bracket.add(to, tip);
    bracket.add(to, base);
    loadScatter(chart, slot, bracket);
    chart.setSeriesStyle(slot, SeriesStyle::Line);
}

void drawEchoToEchoMarkers(CCTWX& chart, const MarkerPositions& at, bool c3) {
    drawBracket(chart, kBracketSeries, c3 ? at.marker2 : at.marker1, c3 ? at.marker3 : at.marker2,
                -2, -5);
    chart.setSeriesPointColour(kBracketSeries, kChartYellow);
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

void drawMarkers(CCTWX& chart, const MarkerPositions& at, const std::string& measMode) {
    if (measMode == "STD" || measMode == "C1") {
        drawWhitePoint(chart, kMarker1Series, double(at.marker1) + 1, -5);
        drawMainBangBlank(chart, at);
    } else if (measMode == "E TO E" || measMode == "C2" || measMode == "C3") {
        drawEchoToEchoMarkers(chart, at, measMode == "C3");
    }
    if (at.echoWindow > 0) {
        drawBracket(chart, kEchoWindowSeries, at.mbBlank, at.echoWindow, 96, 99);
        chart.setSeriesLineWidth(kEchoWindowSeries, 2);
        chart.setSeriesColour(kEchoWindowSeries, kChartOrange);
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

void drawAScan(CCTWX& chart, const AScanReading& reading) {
    for (int slot : kBScanOnlySeries) {
        chart.setSeriesShown(slot, false);
    }
    const ScanSettings settings = scanSettingsOf(reading.ascan);
    applyAScanAxes(chart, aScanAxisTitle(settings));
    drawEnvelope(chart, reading.ascan, reading.alarm);
    drawMarkers(chart, MarkerPositions(settings), reading.measMode);
}

}  // namespace korvel
