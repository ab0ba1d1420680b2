#include "dataview/chart/chart_painter.h"

#include <algorithm>
#include <vector>

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QString>

#include "app/ui/qt_text.h"

namespace korvel {
namespace {

constexpr double kTitleHeight = 20.0;
constexpr double kAxisTitleHeight = 16.0;
constexpr double kLabelWidth = 34.0;
constexpr double kLabelHeight = 13.0;
constexpr double kPadding = 6.0;
constexpr int kLabelPixels = 10;
constexpr int kTitlePixels = 13;
constexpr double kKeyRowHeight = 14.0;
constexpr double kKeySample = 24.0;  // the length of a line's pattern in the key
constexpr double kKeyGap = 4.0;
// A run of this many blanks in an axis title parts a left-end text from a right-end text.
constexpr int kEndSeparator = 10;

QColor toQColor(ChartColour colour) {
    return QColor::fromRgb((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
}

// Maps values of the bottom and left axes to pixels of the plot rectangle.
class Scale {
  public:
    Scale(const QRectF& plot, const ChartAxis& horizontal, const ChartAxis& vertical)
        : plot_(plot),
          xLow_(horizontal.low),
          xSpan_(spanOf(horizontal)),
          yLow_(vertical.low),
          ySpan_(spanOf(vertical)) {}

    double x(double value) const { return plot_.left() + (value - xLow_) / xSpan_ * plot_.width(); }
    double y(double value) const {
        return plot_.bottom() - (value - yLow_) / ySpan_ * plot_.height();
    }
    QPointF point(double vx, double vy) const { return {x(vx), y(vy)}; }

  private:
    static double spanOf(const ChartAxis& axis) {
        const double span = axis.high - axis.low;
        return span == 0.0 ? 1.0 : span;
    }

    QRectF plot_;
    double xLow_, xSpan_, yLow_, ySpan_;
};

bool isHorizontal(int axis) {
    return axis == kAxisBottom || axis == kAxisTop;
}

QString numberLabel(double value) {
    return QString::number(value, 'g', 4);
}

QFont pixelFont(int pixels, bool bold = false) {
    QFont font;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

Qt::PenStyle penStyleOf(LineDash dash) {
    switch (dash) {
        case LineDash::Dash:
            return Qt::DashLine;
        case LineDash::Dot:
            return Qt::DotLine;
        case LineDash::DashDot:
            return Qt::DashDotLine;
        case LineDash::Solid:
            break;
    }
    return Qt::SolidLine;
}

QPen seriesPen(const ChartSeries& series) {
    return QPen(toQColor(series.colour), std::max(series.lineWidth, 1), penStyleOf(series.dash),
                Qt::FlatCap);
}

struct KeyEntry {
    const ChartSeries* series;
    QRectF box;  // the pattern and the name
};

// The key's entries laid out in rows under the title, each row as wide as the chart.
std::vector<KeyEntry> keyLayout(const ChartModel& model, const QSizeF& logicalSize) {
    std::vector<KeyEntry> entries;
    if (!model.key) {
        return entries;
    }
    const QFontMetricsF metrics(pixelFont(kLabelPixels));
    double x = kPadding;
    double y = kTitleHeight;
    for (const auto& [slot, series] : model.series) {
        if (!series.shown || series.name.empty()) {
            continue;
        }
        const double width =
            kKeySample + kKeyGap + metrics.horizontalAdvance(toQt(series.name)) + 3 * kKeyGap;
        if (x + width > logicalSize.width() - kPadding && x > kPadding) {
            x = kPadding;
            y += kKeyRowHeight;
        }
        entries.push_back({&series, QRectF(x, y, width, kKeyRowHeight)});
        x += width;
    }
    return entries;
}

double keyHeight(const std::vector<KeyEntry>& entries) {
    return entries.empty() ? 0.0 : entries.back().box.bottom() - kTitleHeight;
}

// The axis' own ticks, or its even divisions from end to end labelled with their values.
std::vector<AxisTick> ticksOf(const ChartAxis& axis) {
    if (!axis.ticks.empty()) {
        return axis.ticks;
    }
    std::vector<AxisTick> ticks;
    const int divisions = std::max(axis.divisions, 1);
    for (int k = 0; k <= divisions; ++k) {
        const double value = axis.low + (axis.high - axis.low) * k / divisions;
        ticks.push_back({value, numberLabel(value).toStdString()});
    }
    return ticks;
}

void drawGrid(QPainter& painter, const Scale& scale, const QRectF& plot, int index,
              const ChartAxis& axis) {
    if (!axis.grid || (axis.divisions < 1 && axis.ticks.empty())) {
        return;
    }
    painter.setPen(QPen(toQColor(axis.gridColour), 0, Qt::DotLine));
    for (const AxisTick& tick : ticksOf(axis)) {
        const double value = tick.value;
        if (isHorizontal(index)) {
            const double x = scale.x(value);
            painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        } else {
            const double y = scale.y(value);
            painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        }
    }
}

void drawAxisLine(QPainter& painter, const Scale& scale, const QRectF& plot, int index,
                  const ChartAxis& axis) {
    painter.setPen(QPen(toQColor(axis.textColour), 1));
    painter.setFont(pixelFont(kLabelPixels));
    const std::vector<AxisTick> ticks = ticksOf(axis);
    if (isHorizontal(index)) {
        const double y = scale.y(axis.crossing);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        for (const AxisTick& tick : ticks) {
            const double x = scale.x(tick.value);
            painter.drawLine(QPointF(x, y - 3), QPointF(x, y + 3));
            if (axis.labelsShown) {
                const QRectF box(x - kLabelWidth / 2, y + 4, kLabelWidth, kLabelHeight);
                painter.drawText(box, Qt::AlignCenter, toQt(tick.label));
            }
        }
        return;
    }
    const double x = scale.x(axis.crossing);
    const bool leftSide = index == kAxisLeft;
    painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    for (const AxisTick& tick : ticks) {
        const double y = scale.y(tick.value);
        painter.drawLine(QPointF(x - 3, y), QPointF(x + 3, y));
        if (axis.labelsShown) {
            const QRectF box(leftSide ? x - kLabelWidth - 4 : x + 4, y - kLabelHeight / 2,
                             kLabelWidth, kLabelHeight);
            painter.drawText(box, (leftSide ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                             toQt(tick.label));
        }
    }
}

// A title with a long run of blanks marks both ends of its axis: the text before the run stands
// at the start, the text after it at the end. Any other title is centred.
void drawEndsTitle(QPainter& painter, const QRectF& box, const QString& title) {
    const int run = title.indexOf(QString(kEndSeparator, QLatin1Char(' ')));
    if (run < 0) {
        painter.drawText(box, Qt::AlignCenter, title.trimmed());
        return;
    }
    painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, title.left(run).trimmed());
    painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, title.mid(run).trimmed());
}

void drawAxisTitle(QPainter& painter, const Scale& scale, const QRectF& plot, const QRectF& frame,
                   int index, const ChartAxis& axis) {
    if (axis.title.empty()) {
        return;
    }
    painter.setPen(toQColor(axis.titleColour));
    painter.setFont(pixelFont(axis.titleSize));
    const QString title = toQt(axis.title);
    if (isHorizontal(index)) {
        const double top = index == kAxisBottom ? frame.bottom() - kAxisTitleHeight
                                                : plot.top() - kAxisTitleHeight - kLabelHeight;
        drawEndsTitle(painter, QRectF(plot.left(), top, plot.width(), kAxisTitleHeight), title);
        return;
    }
    // Above the axis' top end, centred on it, beside the chart's title.
    const double x = scale.x(axis.crossing);
    painter.drawText(QRectF(x - kLabelWidth, plot.top() - kAxisTitleHeight - 2, 2 * kLabelWidth,
                            kAxisTitleHeight),
                     Qt::AlignCenter, title.trimmed());
}

QPolygonF seriesPolygon(const Scale& scale, const ChartSeries& series) {
    QPolygonF polygon;
    const size_t count = std::min(series.x.size(), series.y.size());
    polygon.reserve(qsizetype(count));
    for (size_t i = 0; i < count; ++i) {
        polygon << scale.point(series.x[i], series.y[i]);
    }
    return polygon;
}

// A point's shape filling the box: the open ones in a pen of the series' line width.
void drawShape(QPainter& painter, const QRectF& box, const ChartSeries& series) {
    const QColor colour = toQColor(series.pointColour);
    const bool open = series.pointShape == kPointCross || series.pointShape == kPointRing;
    painter.setPen(open ? QPen(colour, std::max(series.lineWidth, 1)) : QPen(Qt::NoPen));
    painter.setBrush(open ? QBrush(Qt::NoBrush) : QBrush(colour));
    if (series.pointShape == kPointCross) {
        painter.drawLine(box.topLeft(), box.bottomRight());
        painter.drawLine(box.bottomLeft(), box.topRight());
    } else if (series.pointShape == kPointCircle || series.pointShape == kPointRing) {
        painter.drawEllipse(box);
    } else {
        painter.drawRect(box);
    }
}

void drawPoint(QPainter& painter, const QRectF& plot, const QPointF& at,
               const ChartSeries& series) {
    const double half = series.pointSize / 2.0;
    const double x =
        std::clamp(at.x(), plot.left() + half, std::max(plot.left(), plot.right() - half));
    const double y =
        std::clamp(at.y(), plot.top() + half, std::max(plot.top(), plot.bottom() - half));
    drawShape(painter, QRectF(x - half, y - half, series.pointSize, series.pointSize), series);
}

void drawSeries(QPainter& painter, const Scale& scale, const QRectF& plot,
                const ChartSeries& series) {
    const QPolygonF polygon = seriesPolygon(scale, series);
    if (polygon.isEmpty()) {
        return;
    }
    const QColor colour = toQColor(series.colour);
    if (series.filled) {
        QPolygonF area = polygon;
        area.prepend(QPointF(polygon.first().x(), scale.y(0.0)));
        area.append(QPointF(polygon.last().x(), scale.y(0.0)));
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawPolygon(area);
    }
    if (series.style == SeriesStyle::Points) {
        for (const QPointF& at : polygon) {
            if (plot.adjusted(-1, -1, 1, 1).contains(at)) {
                drawPoint(painter, plot, at, series);
            }
        }
        return;
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(seriesPen(series));
    painter.drawPolyline(polygon);
}

// Each entry's pattern (a stretch of its line, or one of its points) and its name.
void drawKey(QPainter& painter, const std::vector<KeyEntry>& entries, ChartColour textColour) {
    painter.setFont(pixelFont(kLabelPixels));
    for (const KeyEntry& entry : entries) {
        const ChartSeries& series = *entry.series;
        const double middle = entry.box.center().y();
        const double left = entry.box.left();
        if (series.style == SeriesStyle::Points) {
            const double half = std::min(series.pointSize, 10) / 2.0;
            drawShape(painter,
                      QRectF(left + kKeySample / 2 - half, middle - half, 2 * half, 2 * half),
                      series);
        } else {
            painter.setBrush(Qt::NoBrush);
            painter.setPen(seriesPen(series));
            painter.drawLine(QPointF(left, middle), QPointF(left + kKeySample, middle));
        }
        painter.setPen(toQColor(textColour));
        painter.drawText(entry.box.adjusted(kKeySample + kKeyGap, 0, 0, 0),
                         Qt::AlignLeft | Qt::AlignVCenter, toQt(series.name));
    }
}

}  // namespace

QRectF chartPlotRect(const QSizeF& logicalSize) {
    return QRectF(QPointF(0, 0), logicalSize)
        .adjusted(kLabelWidth + kPadding, kTitleHeight + kLabelHeight + kPadding,
                  -(kLabelWidth + kPadding), -(kAxisTitleHeight + kLabelHeight + kPadding));
}

QRectF chartPlotRect(const QSizeF& logicalSize, const ChartModel& model) {
    return chartPlotRect(logicalSize).adjusted(0, keyHeight(keyLayout(model, logicalSize)), 0, 0);
}

QPointF chartPosition(const ChartModel& model, const QSizeF& logicalSize, double x, double y) {
    return Scale(chartPlotRect(logicalSize, model), model.axes[kAxisBottom], model.axes[kAxisLeft])
        .point(x, y);
}

void paintChart(QPainter& painter, const QRectF& target, const QSizeF& logicalSize,
                const ChartModel& model) {
    if (logicalSize.isEmpty() || target.isEmpty()) {
        return;
    }
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / logicalSize.width(), target.height() / logicalSize.height());
    painter.setRenderHint(QPainter::Antialiasing, false);

    const QRectF frame(QPointF(0, 0), logicalSize);
    painter.fillRect(frame, toQColor(model.background));
    painter.setClipRect(frame);
    const std::vector<KeyEntry> key = keyLayout(model, logicalSize);
    const QRectF plot = chartPlotRect(logicalSize).adjusted(0, keyHeight(key), 0, 0);
    const Scale scale(plot, model.axes[kAxisBottom], model.axes[kAxisLeft]);

    for (int index = 0; index < kAxisCount; ++index) {
        if (model.axes[index].shown) {
            drawGrid(painter, scale, plot, index, model.axes[index]);
        }
    }
    painter.save();
    painter.setClipRect(plot, Qt::IntersectClip);
    for (const auto& [slot, series] : model.series) {
        if (series.shown) {
            drawSeries(painter, scale, plot, series);
        }
    }
    painter.restore();
    for (int index = 0; index < kAxisCount; ++index) {
        if (model.axes[index].shown) {
            drawAxisLine(painter, scale, plot, index, model.axes[index]);
            drawAxisTitle(painter, scale, plot, frame, index, model.axes[index]);
        }
    }
    if (!model.notice.empty()) {
        painter.setPen(toQColor(model.noticeColour));
        painter.setFont(pixelFont(kTitlePixels));
        painter.drawText(plot, Qt::AlignCenter | Qt::TextWordWrap, toQt(model.notice));
    }
    drawKey(painter, key, model.titleColour);
    painter.setPen(toQColor(model.titleColour));
    painter.setFont(pixelFont(kTitlePixels, true));
    painter.drawText(QRectF(0, 2, frame.width(), kTitleHeight), Qt::AlignCenter, toQt(model.title));
    painter.restore();
}

}  // namespace korvel
