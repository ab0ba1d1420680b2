#include "dataview/history/trend_chart.h"

#include <QMouseEvent>
#include <QPainter>

namespace korvel {

TrendChart::TrendChart(QWidget* parent) : QWidget(parent) {
    setMinimumSize(240, 150);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // It paints its whole rectangle, so a new trend does not repaint the page behind it.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TrendChart::setModel(TrendModel model) {
    model_ = std::move(model);
    update();
}

void TrendChart::setSelected(int point) {
    model_.selected = point;
    update();
}

int TrendChart::pointAt(const QPoint& position) const {
    return trendPointAt(model_, rect(), fontMetrics().height(), position);
}

void TrendChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    paintTrend(painter, rect(), model_);
}

void TrendChart::mousePressEvent(QMouseEvent* event) {
    const int point = pointAt(event->position().toPoint());
    if (point >= 0) {
        setSelected(point);
        emit pointClicked(point);
    }
}

}  // namespace korvel
