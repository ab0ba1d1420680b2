#include "dataview/printing.h"

#include <QPainter>
#include <QPrinterInfo>
#include <QWidget>

namespace korvel {

std::unique_ptr<QPrinter> defaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        return nullptr;
    }
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

bool printWindowPicture(QWidget& window, QPrinter& printer) {
    const QImage picture = window.grab().toImage().convertToFormat(QImage::Format_RGB888);
    if (picture.isNull()) {
        return false;
    }
    printer.setDocName(QStringLiteral("Window Contents"));
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    painter.drawImage(QRect(QPoint(0, 0), page.size()), picture);
    return painter.end();
}

}  // namespace korvel
