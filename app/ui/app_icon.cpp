#include "app/ui/app_icon.h"

#include <QPainter>
#include <QPixmap>

namespace korvel {

namespace {

QPixmap dialPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal edge = size / 16.0;
    const QRectF face(edge, edge, size - 2 * edge, size - 2 * edge);
    painter.setPen(QPen(QColor(30, 60, 110), edge));
    painter.setBrush(QColor(230, 238, 248));
    painter.drawEllipse(face);
    painter.setPen(QPen(QColor(30, 60, 110), edge / 1.5));
    painter.drawArc(face.adjusted(3 * edge, 3 * edge, -3 * edge, -3 * edge), 30 * 16, 120 * 16);
    painter.setPen(QPen(QColor(200, 40, 30), edge, Qt::SolidLine, Qt::RoundCap));
    const QPointF centre = face.center();
    painter.drawLine(centre, centre + QPointF(size * 0.22, -size * 0.22));
    painter.setBrush(QColor(30, 60, 110));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(centre, edge * 1.2, edge * 1.2);
    return pixmap;
}

}  // namespace

QPixmap applicationIconPixmap(int size) {
    return dialPixmap(size);
}

QIcon applicationIcon() {
    static const QIcon icon = [] {
        QIcon built;
        for (int size : {16, 24, 32, 48, 64}) {
            built.addPixmap(dialPixmap(size));
        }
        return built;
    }();
    return icon;
}

}  // namespace korvel
