#include "dataview/survey/survey_map_painter.h"

#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "dataview/survey/survey_scale.h"

namespace korvel {

namespace {

constexpr double kLegendWidth = 96;  // at least; wider when a swatch text needs it
constexpr double kSwatchWidth = 14;
constexpr double kGap = 4;
constexpr int kDecimals = 3;
constexpr double kMinimumPen = 3;

QString valueText(double value) {
    return QString::number(value, 'f', kDecimals);
}

bool inLayer(const SurveyLayer& layer, std::size_t point, std::size_t& row, std::size_t& column) {
    for (std::size_t i = 0; i < layer.cells.size(); ++i) {
        if (layer.cells[i] == static_cast<int>(point)) {
            row = i / layer.columns();
            column = i % layer.columns();
            return true;
        }
    }
    return false;
}

// Cross-hatched for a low alarm, single-hatched for a warning: visible without colour.
Qt::BrushStyle alarmHatch(AlarmLevel level) {
    switch (level) {
        case AlarmLevel::LowAlarm:
            return Qt::DiagCrossPattern;
        case AlarmLevel::LowWarning:
        case AlarmLevel::HighWarning:
            return Qt::BDiagPattern;
        case AlarmLevel::HighAlarm:
        case AlarmLevel::None:
            break;
    }
    return Qt::NoBrush;
}

struct GridPaint {
    QPainter& painter;
    const SurveyMapGeometry& geometry;
    const SurveyMapContent& content;
    std::optional<ValueRange> range;
    double textWidth;

    QColor fillOf(int point) const {
        if (point == kNoPoint) {
            return kNoReadingFill;
        }
        const auto& value = content.values[point];
        if (!value || !range) {
            return kHoleGrey;
        }
        return scaleColour(scalePosition(*value, *range, content.loss));
    }

    void cell(std::size_t row, std::size_t column) const {
        const int point = geometry.layer()->at(row, column);
        const QRectF rect = geometry.cell(row, column);
        const QColor fill = fillOf(point);
        painter.fillRect(rect, fill);
        if (point != kNoPoint) {
            const Qt::BrushStyle hatch = alarmHatch(content.survey->points[point].alarm);
            if (hatch != Qt::NoBrush) {
                painter.fillRect(rect, QBrush(contrastingInk(fill), hatch));
            }
            const auto& value = content.values[point];
            if (value && rect.width() >= textWidth &&
                rect.height() >= painter.fontMetrics().height()) {
                painter.setPen(contrastingInk(fill));
                painter.drawText(rect, Qt::AlignCenter, content.textOf(*value));
            }
        }
    }

    // The cells' frames as the grid's lines, a few long lines rather than a rectangle a cell,
    // and opaque: a translucent line is blended in pieces handed to other threads, which on a
    // busy machine take longer than the whole map. A cell without a reading is white: a grey
    // frame shows where it stands.
    void frames() const {
        const SurveyLayer& layer = *geometry.layer();
        const QRectF plot = geometry.plot();
        std::vector<QLineF> lines;
        lines.reserve(layer.rows() + layer.columns() + 2);
        for (std::size_t row = 0; row <= layer.rows(); ++row) {
            const double y = row < layer.rows() ? geometry.cell(row, 0).top()
                                                : geometry.cell(row - 1, 0).bottom();
            lines.emplace_back(plot.left(), y, plot.right(), y);
        }
        for (std::size_t column = 0; column <= layer.columns(); ++column) {
            const double x = column < layer.columns() ? geometry.cell(0, column).left()
                                                      : geometry.cell(0, column - 1).right();
            lines.emplace_back(x, plot.top(), x, plot.bottom());
        }
        painter.setPen(QPen(Qt::white, 0));
        painter.drawLines(lines.data(), static_cast<int>(lines.size()));
        painter.setPen(QPen(QColor(200, 200, 200), 0));
        for (std::size_t row = 0; row < layer.rows(); ++row) {
            for (std::size_t column = 0; column < layer.columns(); ++column) {
                if (layer.at(row, column) == kNoPoint) {
                    painter.drawRect(geometry.cell(row, column));
                }
            }
        }
    }
};

void outline(QPainter& painter, const QRectF& rect, const QPen& outer, const QColor& inner) {
    painter.setBrush(Qt::NoBrush);
    const double half = outer.widthF() / 2;
    painter.setPen(outer);
    painter.drawRect(rect.adjusted(half, half, -half, -half));
    painter.setPen(QPen(inner, 1));
    painter.drawRect(rect.adjusted(outer.widthF() + 0.5, outer.widthF() + 0.5,
                                   -outer.widthF() - 0.5, -outer.widthF() - 0.5));
}

void outlinePoint(QPainter& painter, const SurveyMapGeometry& geometry, std::size_t point,
                  const QPen& pen, const QColor& inner) {
    std::size_t row = 0, column = 0;
    if (inLayer(*geometry.layer(), point, row, column)) {
        outline(painter, geometry.cell(row, column), pen, inner);
    }
}

// Column labels above, row labels to the left; every label that fits.
void axisLabels(QPainter& painter, const SurveyMapGeometry& geometry) {
    const SurveyLayer& layer = *geometry.layer();
    const QFontMetrics metrics = painter.fontMetrics();
    painter.setPen(Qt::black);
    const QRectF first = geometry.cell(0, 0);
    const std::size_t columnStep = static_cast<std::size_t>(
        std::ceil((metrics.horizontalAdvance(QStringLiteral("WW")) + kGap) / first.width()));
    for (std::size_t column = 0; column < layer.columns();
         column += std::max<std::size_t>(columnStep, 1)) {
        const QRectF cell = geometry.cell(0, column);
        painter.drawText(QRectF(cell.left() - 20, cell.top() - metrics.height() - 1,
                                cell.width() + 40, metrics.height()),
                         Qt::AlignCenter, QString::fromStdString(layer.columnLabels[column]));
    }
    const std::size_t rowStep =
        static_cast<std::size_t>(std::ceil(metrics.height() / first.height()));
    for (std::size_t row = 0; row < layer.rows(); row += std::max<std::size_t>(rowStep, 1)) {
        const QRectF cell = geometry.cell(row, 0);
        painter.drawText(QRectF(geometry.plot().left() - 60 - kGap,
                                cell.center().y() - metrics.height(), 60, 2 * metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter,
                         QString::fromStdString(layer.rowLabels[row]));
    }
}

// The smallest thickness of each row to its right and of each column below it, when they fit.
void lineMinima(QPainter& painter, const SurveyMapGeometry& geometry,
                const LayerStatistics& figures, double textWidth) {
    const QFontMetrics metrics = painter.fontMetrics();
    const QRectF first = geometry.cell(0, 0);
    painter.setPen(Qt::darkGray);
    if (first.height() >= metrics.height()) {
        for (std::size_t row = 0; row < figures.rowMinima.size(); ++row) {
            const QRectF cell = geometry.cell(row, geometry.layer()->columns() - 1);
            if (figures.rowMinima[row]) {
                painter.drawText(QRectF(cell.right() + kGap, cell.top(), textWidth, cell.height()),
                                 Qt::AlignLeft | Qt::AlignVCenter,
                                 valueText(*figures.rowMinima[row]));
            }
        }
    }
    if (first.width() >= textWidth) {
        for (std::size_t column = 0; column < figures.columnMinima.size(); ++column) {
            const QRectF cell = geometry.cell(geometry.layer()->rows() - 1, column);
            if (figures.columnMinima[column]) {
                painter.drawText(
                    QRectF(cell.left(), cell.bottom() + 1, cell.width(), metrics.height()),
                    Qt::AlignCenter, valueText(*figures.columnMinima[column]));
            }
        }
    }
}

void swatch(QPainter& painter, const QRectF& box, const QBrush& fill, const QBrush& hatch,
            const QString& text, double textWidth) {
    painter.fillRect(box, fill);
    painter.fillRect(box, hatch);
    painter.setPen(Qt::black);
    painter.drawRect(box);
    painter.drawText(QRectF(box.right() + kGap, box.top() - 2, textWidth, box.height() + 4),
                     Qt::AlignLeft | Qt::AlignVCenter, text);
}

void legend(QPainter& painter, const SurveyMapGeometry& geometry, const SurveyMapContent& content,
            const std::optional<ValueRange>& range) {
    const QRectF area = geometry.legend();
    const double line = painter.fontMetrics().height();
    const double textWidth = area.width() - kSwatchWidth - kGap;
    const QRectF bar(area.left(), area.top() + line, kSwatchWidth,
                     std::max(10.0, area.height() - 5 * line - 8));
    QLinearGradient gradient(bar.bottomLeft(), bar.topLeft());
    for (int i = 0; i <= 8; ++i) {
        gradient.setColorAt(i / 8.0, scaleColour(content.loss ? 1 - i / 8.0 : i / 8.0));
    }
    painter.fillRect(bar, gradient);
    painter.setPen(Qt::black);
    painter.drawRect(bar);
    if (range) {
        const QRectF labels(bar.right() + kGap, bar.top() - line / 2, textWidth, line);
        painter.drawText(labels, Qt::AlignLeft | Qt::AlignVCenter, content.textOf(range->high));
        painter.drawText(labels.translated(0, bar.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         content.textOf(range->low));
    }
    QRectF box(area.left(), bar.bottom() + line, kSwatchWidth, line - 4);
    swatch(painter, box, kHoleGrey, Qt::NoBrush, content.holeText, textWidth);
    box.translate(0, line + 2);
    swatch(painter, box, Qt::white, QBrush(Qt::black, Qt::DiagCrossPattern), content.lowAlarmText,
           textWidth);
    box.translate(0, line + 2);
    swatch(painter, box, Qt::white, QBrush(Qt::black, Qt::BDiagPattern), content.warningText,
           textWidth);
}

void paintGrid(QPainter& painter, const SurveyMapGeometry& geometry,
               const SurveyMapContent& content, std::size_t layerIndex) {
    const auto range = valueRange(content.values);
    double textWidth = painter.fontMetrics().horizontalAdvance(QStringLiteral("0.000"));
    if (range) {
        for (const double end : {range->low, range->high}) {
            textWidth = std::max<double>(
                textWidth, painter.fontMetrics().horizontalAdvance(content.textOf(end)));
        }
    }
    textWidth += 4;
    const GridPaint paint{painter, geometry, content, range, textWidth};
    const SurveyLayer& layer = *geometry.layer();
    for (std::size_t row = 0; row < layer.rows(); ++row) {
        for (std::size_t column = 0; column < layer.columns(); ++column) {
            paint.cell(row, column);
        }
    }
    paint.frames();
    for (const std::size_t point : content.outlined) {
        outlinePoint(painter, geometry, point, QPen(kMinimumOutline, kMinimumPen), Qt::white);
    }
    axisLabels(painter, geometry);
    if (!content.loss && content.statistics && layerIndex < content.statistics->layers.size()) {
        lineMinima(painter, geometry, content.statistics->layers[layerIndex], textWidth);
    }
    legend(painter, geometry, content, range);
}

void levelLine(QPainter& painter, const SurveyMapGeometry& geometry, std::optional<double> level,
               const QString& text) {
    if (!level) {
        return;
    }
    const double y = geometry.yOf(*level);
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter.drawLine(QPointF(geometry.plot().left(), y), QPointF(geometry.plot().right(), y));
    painter.drawText(QRectF(geometry.plot().left() + kGap, y - painter.fontMetrics().height(),
                            geometry.plot().width(), painter.fontMetrics().height()),
                     Qt::AlignLeft | Qt::AlignBottom,
                     text + QStringLiteral(" ") + valueText(*level));
}

void paintLine(QPainter& painter, const SurveyMapGeometry& geometry,
               const SurveyMapContent& content) {
    const QRectF plot = geometry.plot();
    painter.setPen(Qt::black);
    painter.drawRect(plot);
    // The axis says the scale the line is drawn on (the levels and a margin included).
    for (const double tick : geometry.axisTicks()) {
        const double y = geometry.yOf(tick);
        painter.drawLine(QPointF(plot.left() - 3, y), QPointF(plot.left(), y));
        painter.drawText(QRectF(0, y - 8, plot.left() - kGap, 16),
                         Qt::AlignRight | Qt::AlignVCenter, valueText(tick));
    }
    if (!content.loss) {
        levelLine(painter, geometry, content.lowLevel, content.lowAlarmText);
        levelLine(painter, geometry, content.highLevel, content.highAlarmText);
    }
    // Runs between holes as polylines; a dense line is drawn without smoothing, which keeps
    // 5000 points quick.
    painter.setRenderHint(QPainter::Antialiasing, content.values.size() < plot.width());
    painter.setPen(QPen(scaleColour(0.3), content.values.size() < plot.width() ? 1.5 : 0));
    std::vector<QPointF> run;
    const auto drawRun = [&] {
        painter.drawPolyline(run.data(), static_cast<int>(run.size()));
        run.clear();
    };
    for (std::size_t i = 0; i < content.values.size(); ++i) {
        const auto& value = content.values[i];
        if (!value) {  // a hole breaks the line and is marked grey on the axis
            drawRun();
            painter.fillRect(QRectF(geometry.xOf(i) - 1, plot.bottom() - 6, 3, 6), kHoleGrey);
            continue;
        }
        run.emplace_back(geometry.xOf(i), geometry.yOf(*value));
    }
    drawRun();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kMinimumOutline, 2));
    for (const std::size_t point : content.outlined) {
        if (content.values[point]) {
            painter.drawEllipse(QPointF(geometry.xOf(point), geometry.yOf(*content.values[point])),
                                5, 5);
        }
    }
}

// The chosen reading: its cell outlined dashed, or a dashed line across the chart at it.
void paintSelection(QPainter& painter, const SurveyMapGeometry& geometry, int selectedPoint) {
    if (selectedPoint < 0) {
        return;
    }
    const QPen dashed(kSelectionOutline, 2, Qt::DashLine);
    const auto point = static_cast<std::size_t>(selectedPoint);
    if (geometry.grid()) {
        outlinePoint(painter, geometry, point, dashed, Qt::black);
        return;
    }
    painter.setPen(dashed);
    const double x = geometry.xOf(point);
    painter.drawLine(QPointF(x, geometry.plot().top()), QPointF(x, geometry.plot().bottom()));
}

// Where the map goes in the area, when there is a map to draw there.
std::optional<SurveyMapGeometry> drawnGeometry(QPainter& painter, const QRectF& area,
                                               const SurveyMapContent& content, std::size_t layer) {
    // A grid without readings is drawn with its empty cells; a sequence needs a reading.
    if (!content.survey || (content.survey->points.empty() && content.survey->layers.empty())) {
        return std::nullopt;
    }
    const SurveyMapGeometry geometry(area, content, layer, painter.fontMetrics());
    if (geometry.plot().width() < 4 || geometry.plot().height() < 4) {
        return std::nullopt;
    }
    return geometry;
}

// The legend is as wide as its longest swatch text (a translation may be long).
double legendWidth(const SurveyMapContent& content, const QFontMetrics& metrics) {
    int widest = 0;
    for (const QString& text : {content.holeText, content.lowAlarmText, content.warningText}) {
        widest = std::max(widest, metrics.horizontalAdvance(text));
    }
    return std::max(kLegendWidth, kSwatchWidth + kGap + widest + 2);
}

}  // namespace

QString SurveyMapContent::textOf(double value) const {
    return valueText ? valueText(value) : korvel::valueText(value);
}

SurveyMapGeometry::SurveyMapGeometry(const QRectF& area, const SurveyMapContent& content,
                                     std::size_t layer, const QFontMetrics& metrics) {
    const Survey& survey = *content.survey;
    points_ = survey.points.size();
    const double line = metrics.height();
    if (layer < survey.layers.size()) {
        layer_ = &survey.layers[layer];
        const double labelWidth = metrics.horizontalAdvance(QStringLiteral("0000")) + kGap;
        const double minimaWidth = metrics.horizontalAdvance(QStringLiteral("0.000")) + 2 * kGap;
        const double legendAcross = legendWidth(content, metrics);
        legend_ = QRectF(area.right() - legendAcross, area.top() + line, legendAcross,
                         area.height() - line);
        plot_ = QRectF(area.left() + labelWidth + kGap, area.top() + line + 2,
                       area.width() - labelWidth - minimaWidth - legendAcross - 2 * kGap,
                       area.height() - 2 * line - 4);
        return;
    }
    const double labelWidth = metrics.horizontalAdvance(QStringLiteral("00.000")) + 2 * kGap;
    plot_ = QRectF(area.left() + labelWidth, area.top() + line, area.width() - labelWidth - kGap,
                   area.height() - 2 * line);
    std::vector<std::optional<double>> levels = content.values;
    if (!content.loss) {
        levels.push_back(content.lowLevel);
        levels.push_back(content.highLevel);
    }
    if (const auto range = valueRange(levels)) {
        const double pad = std::max((range->high - range->low) * 0.08, 0.001);
        low_ = range->low - pad;
        high_ = range->high + pad;
    }
}

QRectF SurveyMapGeometry::cell(std::size_t row, std::size_t column) const {
    const double width = plot_.width() / static_cast<double>(layer_->columns());
    const double height = plot_.height() / static_cast<double>(layer_->rows());
    return QRectF(plot_.left() + column * width, plot_.top() + row * height, width, height);
}

double SurveyMapGeometry::xOf(std::size_t point) const {
    return plot_.left() + (static_cast<double>(point) + 0.5) * plot_.width() /
                              static_cast<double>(std::max<std::size_t>(points_, 1));
}

double SurveyMapGeometry::yOf(double value) const {
    return plot_.bottom() - (value - low_) / (high_ - low_) * plot_.height();
}

std::vector<double> SurveyMapGeometry::axisTicks() const {
    constexpr double kLeastStep = 0.001;  // the labels' last decimal
    const double wanted = std::max((high_ - low_) / 4, kLeastStep);
    const double magnitude = std::pow(10.0, std::floor(std::log10(wanted)));
    double step = 10 * magnitude;
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * magnitude >= wanted) {
            step = factor * magnitude;
            break;
        }
    }
    std::vector<double> ticks;
    for (double index = std::ceil(low_ / step - 1e-9); index * step <= high_ + step * 1e-9;
         ++index) {
        ticks.push_back(index * step);
    }
    return ticks;
}

int SurveyMapGeometry::pointAt(const QPointF& position) const {
    if (!plot_.contains(position) || points_ == 0) {
        return -1;
    }
    const double across = (position.x() - plot_.left()) / plot_.width();
    if (!layer_) {
        return std::min(static_cast<int>(across * static_cast<double>(points_)),
                        static_cast<int>(points_) - 1);
    }
    const double down = (position.y() - plot_.top()) / plot_.height();
    const auto column =
        std::min(static_cast<std::size_t>(across * layer_->columns()), layer_->columns() - 1);
    const auto row = std::min(static_cast<std::size_t>(down * layer_->rows()), layer_->rows() - 1);
    return layer_->at(row, column);
}

void paintSurveyMap(QPainter& painter, const QRectF& area, const SurveyMapContent& content,
                    std::size_t layer, int selectedPoint) {
    const auto geometry = drawnGeometry(painter, area, content, layer);
    if (!geometry) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (geometry->grid()) {
        paintGrid(painter, *geometry, content, layer);
    } else {
        paintLine(painter, *geometry, content);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    paintSelection(painter, *geometry, selectedPoint);
    painter.restore();
}

void paintSurveySelection(QPainter& painter, const QRectF& area, const SurveyMapContent& content,
                          std::size_t layer, int selectedPoint) {
    if (const auto geometry = drawnGeometry(painter, area, content, layer)) {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, false);
        paintSelection(painter, *geometry, selectedPoint);
        painter.restore();
    }
}

}  // namespace korvel
