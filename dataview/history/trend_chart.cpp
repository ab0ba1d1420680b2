#include "dataview/history/trend_chart.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "dataview/chart/chart_painter.h"

namespace korvel {

namespace {

constexpr double kPickDistance = 10;

}  // namespace

TrendChart::TrendChart(QWidget* parent) : QWidget(parent) {
    setMinimumSize(240, 150);
    trend_ = noticeTrend({}, chartSize());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // It paints its whole rectangle, so a new trend does not repaint the page behind it.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TrendChart::setTrend(LocationTrend trend) {
    trend_ = std::move(trend);
    update();
}

QSizeF TrendChart::chartSize() const {
    return QSizeF(size().expandedTo(minimumSize()));
}

void TrendChart::setSelected(int value) {
    selectTrendValue(trend_, value);
    update();
}

int TrendChart::pointAt(const QPoint& position) const {
    if (trend_.size.isEmpty() || width() <= 0 || height() <= 0) {  // nothing painted
        return -1;
    }
    // The position in the chart's own pixels, as it is painted scaled into the widget.
    const double x = position.x() * trend_.size.width() / width();
    const double y = position.y() * trend_.size.height() / height();
    int nearest = -1;
    double best = kPickDistance;
    for (std::size_t i = 0; i < trend_.values.size(); ++i) {
        const TrendValue& value = trend_.values[i];
        const QPointF at = chartPosition(trend_.chart, trend_.size,
                                         static_cast<double>(value.dateMinutes), value.value);
        const double distance = std::hypot(at.x() - x, at.y() - y);
        if (distance <= best) {
            best = distance;
            nearest = static_cast<int>(i);
        }
    }
    return nearest;
}

void TrendChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintChart(painter, rect(), trend_.size, trend_.chart);
}

void TrendChart::mousePressEvent(QMouseEvent* event) {
    const int value = pointAt(event->position().toPoint());
    if (value >= 0) {
        setSelected(value);
        emit pointClicked(value);
    }
}

void TrendChart::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit resized();
}

}  // namespace korvel
