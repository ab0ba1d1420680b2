#pragma once
// The small window that carries the program's icon, title and taskbar entry. It shows itself
// minimised, and on its first timer tick runs the option sheet; when the sheet closes, the
// window closes and the program ends.

#include <QTimer>
#include <QWidget>

#include "app/ui/sheet_pages.h"

namespace korvel {

class COptionSheet;
class PalimarApp;

class MainWindow : public QWidget {
    Q_OBJECT
  public:
    MainWindow(const PalimarApp& app, PageFactory makePages, QWidget* parent = nullptr);

    bool sheetTimerActive() const { return sheetTimer_.isActive(); }

  signals:
    // The sheet is built and about to run (the demo adds its gauge panel to it).
    void sheetOpened(COptionSheet* sheet);
    void sheetClosed();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void runSheet();

    const PalimarApp& app_;
    PageFactory makePages_;
    QTimer sheetTimer_;
};

}  // namespace korvel
