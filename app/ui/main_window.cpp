#include "app/ui/main_window.h"

#include <QPainter>

#include "app/palimar_app.h"
#include "app/ui/app_icon.h"
#include "app/ui/option_sheet.h"
#include "app/ui/qt_text.h"

namespace korvel {

namespace {
constexpr int kSheetTimerMs = 1;
}

MainWindow::MainWindow(const PalimarApp& app, PageFactory makePages, QWidget* parent)
    : QWidget(parent), app_(app), makePages_(std::move(makePages)) {
    setWindowIcon(applicationIcon());
    setWindowTitle(toQt(programWindowTitle(app)));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(480, 70);
    setWindowState(Qt::WindowMinimized);
    sheetTimer_.setInterval(kSheetTimerMs);
    connect(&sheetTimer_, &QTimer::timeout, this, &MainWindow::runSheet);
    sheetTimer_.start();
}

void MainWindow::runSheet() {
    sheetTimer_.stop();
    {
        COptionSheet sheet(app_, makePages_(), nullptr);
        sheet.setWindowIcon(windowIcon());
        emit sheetOpened(&sheet);
        sheet.exec();
    }
    emit sheetClosed();
    close();
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    const QPixmap icon = windowIcon().pixmap(32, 32);
    painter.drawPixmap((width() - icon.width() + 1) / 2, (height() - icon.height() + 1) / 2, icon);
}

}  // namespace korvel
