#include "dataview/cctwx.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>

#include "dataview/chart_painter.h"
#include "dataview/paper_chart.h"

namespace korvel {
namespace {

// The chart's size in the dialog, 286 x 129 dialog units.
constexpr QSizeF kDefaultSize(572, 258);

}  // namespace

CCTWX::CCTWX(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 120);
}

void CCTWX::record(ChartOp op, int index, double value, std::string text) {
    pending_.push_back({op, index, value, std::move(text)});
}

ChartAxis* CCTWX::axisAt(int axis) {
    return axis >= 0 && axis < kAxisCount ? &model_.axes[axis] : nullptr;
}

void CCTWX::setAxisLow(int axis, double value) {
    setAxis(axis, ChartOp::AxisLow, &ChartAxis::low, value);
}
void CCTWX::setAxisHigh(int axis, double value) {
    setAxis(axis, ChartOp::AxisHigh, &ChartAxis::high, value);
}
void CCTWX::setAxisShown(int axis, bool shown) {
    setAxis(axis, ChartOp::AxisShown, &ChartAxis::shown, shown);
}
void CCTWX::setAxisLabelsShown(int axis, bool shown) {
    setAxis(axis, ChartOp::AxisLabelsShown, &ChartAxis::labelsShown, shown);
}
void CCTWX::setAxisCrossing(int axis, double value) {
    setAxis(axis, ChartOp::AxisCrossing, &ChartAxis::crossing, value);
}
void CCTWX::setAxisTextColour(int axis, ChartColour colour) {
    setAxis(axis, ChartOp::AxisTextColour, &ChartAxis::textColour, colour);
}
void CCTWX::setAxisDivisions(int axis, int count) {
    setAxis(axis, ChartOp::AxisDivisions, &ChartAxis::divisions, count);
}
void CCTWX::setAxisAutoScale(int axis, bool on) {
    setAxis(axis, ChartOp::AxisAutoScale, &ChartAxis::autoScale, on);
}
void CCTWX::setAxisTitleColour(int axis, ChartColour colour) {
    setAxis(axis, ChartOp::AxisTitleColour, &ChartAxis::titleColour, colour);
}
void CCTWX::setAxisTitleSize(int axis, int size) {
    setAxis(axis, ChartOp::AxisTitleSize, &ChartAxis::titleSize, size);
}
void CCTWX::setAxisGrid(int axis, bool shown) {
    setAxis(axis, ChartOp::AxisGrid, &ChartAxis::grid, shown);
}
void CCTWX::setAxisGridColour(int axis, ChartColour colour) {
    setAxis(axis, ChartOp::AxisGridColour, &ChartAxis::gridColour, colour);
}

void CCTWX::setAxisTitle(int axis, const std::string& title) {
    record(ChartOp::AxisTitle, axis, 0.0, title);
    if (ChartAxis* target = axisAt(axis)) {
        target->title = title;
    }
}

void CCTWX::setTitle(int line, const std::string& title) {
    record(ChartOp::Title, line, 0.0, title);
    if (line == 0) {
        model_.title = title;
    }
}

void CCTWX::setTitleColour(int line, ChartColour colour) {
    record(ChartOp::TitleColour, line, colour);
    if (line == 0) {
        model_.titleColour = colour;
    }
}

void CCTWX::setSeriesStyle(int slot, SeriesStyle style) {
    record(ChartOp::SeriesStyle, slot, double(int(style)));
    seriesAt(slot).style = style;
}
void CCTWX::setSeriesFilled(int slot, bool filled) {
    setSeries(slot, ChartOp::SeriesFilled, &ChartSeries::filled, filled);
}
void CCTWX::setSeriesColour(int slot, ChartColour colour) {
    setSeries(slot, ChartOp::SeriesColour, &ChartSeries::colour, colour);
}
void CCTWX::setSeriesLineWidth(int slot, int width) {
    setSeries(slot, ChartOp::SeriesLineWidth, &ChartSeries::lineWidth, width);
}
void CCTWX::setSeriesPointColour(int slot, ChartColour colour) {
    setSeries(slot, ChartOp::SeriesPointColour, &ChartSeries::pointColour, colour);
}
void CCTWX::setSeriesPointShape(int slot, int shape) {
    setSeries(slot, ChartOp::SeriesPointShape, &ChartSeries::pointShape, shape);
}
void CCTWX::setSeriesPointSize(int slot, int size) {
    setSeries(slot, ChartOp::SeriesPointSize, &ChartSeries::pointSize, size);
}
void CCTWX::setSeriesShown(int slot, bool shown) {
    setSeries(slot, ChartOp::SeriesShown, &ChartSeries::shown, shown);
}

void CCTWX::loadSeries(int slot, const std::string& name, const std::vector<double>& x,
                       const std::vector<double>& y, int count) {
    const size_t available = std::min(x.size(), y.size());
    const size_t used = count < 1 ? 0 : std::min(size_t(count), available);
    record(ChartOp::LoadSeries, slot, double(used), name);
    ChartSeries& series = seriesAt(slot);
    series.name = name;
    series.x.assign(x.begin(), x.begin() + std::ptrdiff_t(used));
    series.y.assign(y.begin(), y.begin() + std::ptrdiff_t(used));
}

void CCTWX::redraw() {
    record(ChartOp::Redraw, 0);
    lastDraw_ = std::move(pending_);
    pending_.clear();
    ++drawCount_;
    update();
}

QSizeF CCTWX::logicalSize() const {
    return size().isEmpty() ? kDefaultSize : QSizeF(size());
}

void CCTWX::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintChart(painter, QRectF(rect()), QSizeF(size()), model_);
}

QImage CCTWX::picture() const {
    return graphImage(chartGraph(model_, logicalSize()));
}

bool CCTWX::printChart(QPrinter& printer) {
    record(ChartOp::Print, 0);
    return printGraphPicture(chartGraph(model_, logicalSize()), printer);
}

bool CCTWX::copyToClipboard() {
    record(ChartOp::Copy, 0);
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        return false;
    }
    clipboard->setImage(picture());
    return true;
}

}  // namespace korvel
