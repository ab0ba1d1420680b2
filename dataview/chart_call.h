#pragma once
// One operation that the data view asked of the chart, as the chart records it. The record of a
// draw lets a test check what was asked as well as what was drawn.

#include <string>

namespace korvel {

enum class ChartOp {
    AxisLow,
    AxisHigh,
    AxisShown,
    AxisLabelsShown,
    AxisCrossing,
    AxisTextColour,
    AxisDivisions,
    AxisAutoScale,
    AxisTitle,
    AxisTitleColour,
    AxisTitleSize,
    AxisGrid,
    AxisGridColour,
    Title,
    TitleColour,
    SeriesStyle,
    SeriesFilled,
    SeriesColour,
    SeriesLineWidth,
    SeriesPointColour,
    SeriesPointShape,
    SeriesPointSize,
    SeriesShown,
    LoadSeries,  // index: slot, value: point count, text: series name
    Redraw,
    Print,
    Copy,
};

struct ChartCall {
    ChartOp op;
    int index = 0;  // axis, series slot or title line
    double value = 0.0;
    std::string text;

    bool operator==(const ChartCall& other) const = default;
};

const char* chartOpName(ChartOp op);
// "SeriesShown(3, 1)" or "AxisTitle(0, \"text\")", for test failure output.
std::string describeChartCall(const ChartCall& call);

}  // namespace korvel
