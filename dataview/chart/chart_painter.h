#pragma once
// The one drawing routine of the chart. The screen, the clipboard picture and the printer all
// draw through it, so they show the same picture.

#include <QRectF>
#include <QSizeF>

#include "dataview/chart/chart_model.h"

class QPainter;

namespace korvel {

// Draws the chart as it looks at logicalSize (in pixels, fonts and pens included), scaled into
// target. The aspect ratio follows target.
// Every series is clipped to the plot rectangle, so nothing covers the axis labels and titles;
// a point that sits on the rectangle's edge is drawn just inside it.
void paintChart(QPainter& painter, const QRectF& target, const QSizeF& logicalSize,
                const ChartModel& model);

// The plot rectangle of a chart drawn at logicalSize, inside the labels and titles; with the
// model, below its key as well.
QRectF chartPlotRect(const QSizeF& logicalSize);
QRectF chartPlotRect(const QSizeF& logicalSize, const ChartModel& model);

// Where the value pair (x on the bottom axis, y on the left) is drawn at logicalSize.
QPointF chartPosition(const ChartModel& model, const QSizeF& logicalSize, double x, double y);

}  // namespace korvel
