#include "dataview/dialog/list_header_ctrl.h"

#include <QMouseEvent>
#include <QPainter>

namespace korvel {

CListHeaderCtrl::CListHeaderCtrl(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(true);
    setSortIndicatorShown(false);
    setHighlightSections(false);
}

int CListHeaderCtrl::setSortMark(int column, bool ascending) {
    const int previous = sortColumn_;
    sortColumn_ = column;
    ascending_ = ascending;
    ownerDrawn_.insert(column);
    viewport()->update();
    return previous;
}

void CListHeaderCtrl::mousePressEvent(QMouseEvent* event) {
    pressedSection_ = logicalIndexAt(event->position().toPoint());
    QHeaderView::mousePressEvent(event);
}

void CListHeaderCtrl::mouseReleaseEvent(QMouseEvent* event) {
    pressedSection_ = -1;
    QHeaderView::mouseReleaseEvent(event);
}

QRect CListHeaderCtrl::captionRect(const QRect& section, int logicalIndex, bool pressed) const {
    const int blank = fontMetrics().horizontalAdvance(QLatin1Char(' '));
    QRect text = section;
    if (pressed) {
        text.translate(1, 2);
    }
    text.setLeft(text.left() + 2 * blank);
    text.setRight(text.right() - 2 * blank - (logicalIndex == sortColumn_ ? 6 * blank : 0));
    return text.left() < text.right() ? text : QRect();
}

void CListHeaderCtrl::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    if (!ownerDrawn_.count(logicalIndex)) {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        return;
    }
    painter->save();
    painter->setClipRect(rect);
    painter->fillRect(rect, palette().color(QPalette::Button));

    const QRect text = captionRect(rect, logicalIndex, logicalIndex == pressedSection_);
    if (!text.isEmpty()) {
        const QVariant alignment =
            model()->headerData(logicalIndex, orientation(), Qt::TextAlignmentRole);
        const Qt::Alignment horizontal =
            alignment.isValid() ? Qt::Alignment(alignment.toInt()) & Qt::AlignHorizontal_Mask
                                : Qt::AlignLeft;
        const QString caption =
            model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString().left(254);
        painter->setPen(palette().color(QPalette::ButtonText));
        painter->drawText(text, int(horizontal | Qt::AlignVCenter | Qt::TextSingleLine),
                          fontMetrics().elidedText(caption, Qt::ElideRight, text.width()));
    }
    if (logicalIndex == sortColumn_) {
        drawSortMark(*painter, rect);
    }
    painter->restore();
}

void CListHeaderCtrl::drawSortMark(QPainter& painter, const QRect& rect) const {
    const int s = fontMetrics().horizontalAdvance(QLatin1Char(' '));
    const int right = rect.x() + rect.width();
    const int top = rect.y();
    const int bottom = rect.y() + rect.height();
    const QPen highlight(palette().color(QPalette::Light), 1);
    const QPen shadow(palette().color(QPalette::Dark), 1);
    if (ascending_) {
        painter.setPen(highlight);
        painter.drawPolyline(
            QPolygon({QPoint(right - 4 * s, top + 2 * s - 1), QPoint(right - 3 * s, bottom - 2 * s),
                      QPoint(right - 5 * s - 2, bottom - 2 * s)}));
        painter.setPen(shadow);
        painter.drawLine(QPoint(right - 5 * s - 1, bottom - 2 * s - 1),
                         QPoint(right - 4 * s, top + 2 * s - 2));
        return;
    }
    painter.setPen(highlight);
    painter.drawLine(QPoint(right - 3 * s, top + 2 * s - 1),
                     QPoint(right - 4 * s - 1, bottom - 2 * s + 1));
    painter.setPen(shadow);
    painter.drawPolyline(QPolygon({QPoint(right - 4 * s - 1, bottom - 2 * s),
                                   QPoint(right - 5 * s - 1, top + 2 * s - 1),
                                   QPoint(right - 3 * s, top + 2 * s - 1)}));
}

}  // namespace korvel
