#include "dataview/survey/survey_map.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace korvel {

SurveyMap::SurveyMap(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(160, 100);
}

void SurveyMap::setContent(SurveyMapContent content) {
    content_ = std::move(content);
    update();
}

void SurveyMap::setLayer(std::size_t layer) {
    layer_ = layer;
    update();
}

void SurveyMap::setSelectedPoint(int point) {
    selected_ = point;
    update();
}

GraphPicture SurveyMap::picture() const {
    const QSizeF logical(size());
    // The widget's font at its pixel size, so that the text scales with the picture on any device.
    QFont font = this->font();
    font.setPixelSize(QFontInfo(font).pixelSize());
    return {logical, [this, logical, font](QPainter& painter, const QRectF& target) {
                painter.save();
                painter.fillRect(target, Qt::white);
                painter.translate(target.topLeft());
                painter.scale(target.width() / logical.width(), target.height() / logical.height());
                painter.setFont(font);
                paintSurveyMap(painter, QRectF(QPointF(0, 0), logical), content_, layer_,
                               selected_);
                painter.restore();
            }};
}

int SurveyMap::pointAt(const QPoint& position) const {
    if (!content_.survey || content_.survey->points.empty()) {
        return -1;
    }
    return SurveyMapGeometry(rect(), content_, layer_, fontMetrics()).pointAt(position);
}

QString SurveyMap::hoverText(const QPoint& position) const {
    const int point = pointAt(position);
    if (point < 0) {
        return {};
    }
    const auto& value = content_.values[point];
    const QString location = QString::fromStdString(content_.survey->points[point].location);
    return location + QStringLiteral(": ") +
           (value ? content_.textOf(*value) + QStringLiteral(" ") +
                        (content_.valueUnits.isEmpty()
                             ? QString::fromStdString(content_.survey->units)
                             : content_.valueUnits)
                  : content_.holeText);
}

void SurveyMap::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    paintSurveyMap(painter, rect(), content_, layer_, selected_);
}

void SurveyMap::mousePressEvent(QMouseEvent* event) {
    const int point = pointAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && point >= 0) {
        emit pointClicked(point);
    }
}

bool SurveyMap::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString text = hoverText(help->pos());
        text.isEmpty() ? QToolTip::hideText() : QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QWidget::event(event);
}

}  // namespace korvel
