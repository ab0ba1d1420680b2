#pragma once
// The one drawing routine of the chart. The screen, the clipboard picture and the printer all
// draw through it, so they show the same picture.

#include <QRectF>
#include <QSizeF>

#include "dataview/chart_model.h"

class QPainter;

namespace korvel {

// Draws the chart as it looks at logicalSize (in pixels, fonts and pens included), scaled into
// target. The aspect ratio follows target.
void paintChart(QPainter& painter, const QRectF& target, const QSizeF& logicalSize,
                const ChartModel& model);

}  // namespace korvel
