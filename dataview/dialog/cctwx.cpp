#include "dataview/dialog/cctwx.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>

#include "dataview/chart/chart_painter.h"
#include "dataview/chart/paper_chart.h"
#include "dataview/dialog/printing.h"

namespace korvel {
namespace {

// The chart's size in the dialog, 286 x 129 dialog units.
constexpr QSizeF kDefaultSize(572, 258);

}  // namespace

CCTWX::CCTWX(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 120);
}

void CCTWX::redraw(const ChartModel& model) {
    model_ = model;
    ++drawCount_;
    update();
}

QSizeF CCTWX::logicalSize() const {
    return size().isEmpty() ? kDefaultSize : QSizeF(size());
}

void CCTWX::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintChart(painter, QRectF(rect()), QSizeF(size()), model_);
}

QImage CCTWX::picture() const {
    return graphImage(chartGraph(model_, logicalSize()));
}

bool CCTWX::printChart(QPrinter& printer) {
    return printGraphPicture(chartGraph(model_, logicalSize()), printer);
}

bool CCTWX::copyToClipboard() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        return false;
    }
    clipboard->setImage(picture());
    return true;
}

}  // namespace korvel
