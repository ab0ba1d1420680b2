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
    drawn_ = QPixmap();
    update();
}

void SurveyMap::setLayer(std::size_t layer) {
    layer_ = layer;
    drawn_ = QPixmap();
    update();
}

// The map stays as drawn: only the selection is painted anew over it.
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
    const qreal ratio = devicePixelRatioF();
    if (drawn_.isNull() || drawn_.size() != size() * ratio) {
        drawn_ = QPixmap(size() * ratio);
        drawn_.setDevicePixelRatio(ratio);
        QPainter map(&drawn_);
        map.setFont(font());
        map.fillRect(rect(), palette().base());
        paintSurveyMap(map, rect(), content_, layer_, -1);
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, drawn_);
    paintSurveySelection(painter, rect(), content_, layer_, selected_);
}

void SurveyMap::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
        drawn_ = QPixmap();
    }
    QWidget::changeEvent(event);
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
