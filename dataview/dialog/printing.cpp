#include "dataview/dialog/printing.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QWidget>
#include <algorithm>

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

PrinterChoice chosenPrinter(QWidget* parent) {
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        return {};
    }
    auto printer = defaultPrinter();
    if (!printer) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    QPrintDialog dialog(printer.get(), parent);
    if (dialog.exec() != QDialog::Accepted) {
        return {nullptr, true};
    }
    return {std::move(printer)};
}

SavePathSource savePathDialog(QWidget* parent) {
    return [parent](const QString& title, const QString& suggested, const QString& types) {
        QString chosenType;
        QString path = QFileDialog::getSaveFileName(parent, title, suggested, types, &chosenType);
        // "PNG picture (*.png)": the type's own suffix, for a name typed without one.
        const qsizetype star = chosenType.indexOf(QLatin1String("*."));
        const QString suffix = star < 0 ? QString() : chosenType.mid(star + 1).chopped(1);
        if (!path.isEmpty() && !suffix.isEmpty() && QFileInfo(path).suffix().isEmpty()) {
            path += suffix;
        }
        return path;
    };
}

bool printGraphPicture(const GraphPicture& picture, QPrinter& printer) {
    QPainter painter;
    if (picture.logicalSize.isEmpty() || !painter.begin(&printer)) {
        return false;
    }
    const QSizeF logical = picture.logicalSize;
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution()).toRectF();
    const double factor =
        std::min(page.width() / logical.width(), page.height() / logical.height());
    picture.paint(painter, QRectF(QPointF(0, 0), logical * factor));
    return painter.end();
}

}  // namespace korvel
