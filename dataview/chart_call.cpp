#include "dataview/chart_call.h"

#include <charconv>

namespace korvel {

const char* chartOpName(ChartOp op) {
    switch (op) {
        case ChartOp::AxisLow:
            return "AxisLow";
        case ChartOp::AxisHigh:
            return "AxisHigh";
        case ChartOp::AxisShown:
            return "AxisShown";
        case ChartOp::AxisLabelsShown:
            return "AxisLabelsShown";
        case ChartOp::AxisCrossing:
            return "AxisCrossing";
        case ChartOp::AxisTextColour:
            return "AxisTextColour";
        case ChartOp::AxisDivisions:
            return "AxisDivisions";
        case ChartOp::AxisAutoScale:
            return "AxisAutoScale";
        case ChartOp::AxisTitle:
            return "AxisTitle";
        case ChartOp::AxisTitleColour:
            return "AxisTitleColour";
        case ChartOp::AxisTitleSize:
            return "AxisTitleSize";
        case ChartOp::AxisGrid:
            return "AxisGrid";
        case ChartOp::AxisGridColour:
            return "AxisGridColour";
        case ChartOp::Title:
            return "Title";
        case ChartOp::TitleColour:
            return "TitleColour";
        case ChartOp::SeriesStyle:
            return "SeriesStyle";
        case ChartOp::SeriesFilled:
            return "SeriesFilled";
        case ChartOp::SeriesColour:
            return "SeriesColour";
        case ChartOp::SeriesLineWidth:
            return "SeriesLineWidth";
        case ChartOp::SeriesPointColour:
            return "SeriesPointColour";
        case ChartOp::SeriesPointShape:
            return "SeriesPointShape";
        case ChartOp::SeriesPointSize:
            return "SeriesPointSize";
        case ChartOp::SeriesShown:
            return "SeriesShown";
        case ChartOp::LoadSeries:
            return "LoadSeries";
        case ChartOp::Redraw:
            return "Redraw";
        case ChartOp::Print:
            return "Print";
        case ChartOp::Copy:
            return "Copy";
    }
    return "?";
}

std::string describeChartCall(const ChartCall& call) {
    char number[32];
    const auto end = std::to_chars(number, number + sizeof number, call.value).ptr;
    std::string text = chartOpName(call.op);
    text += '(' + std::to_string(call.index) + ", " + std::string(number, end);
    if (!call.text.empty()) {
        text += ", \"" + call.text + '"';
    }
    return text + ')';
}

}  // namespace korvel
