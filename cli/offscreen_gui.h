#pragma once
// The Qt application a command that draws pages runs in: offscreen, so korvel-cli never needs
// a display, and silent, so standard error carries only the program's own messages, never
// Qt's notes about its environment.

#include <QGuiApplication>
#include <QString>

namespace korvel::cli {

class OffscreenGui {
  public:
    OffscreenGui() : application_(prepared(), argv_) {}

  private:
    int& prepared() {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        return argc_;
    }

    int argc_ = 1;
    char name_[11] = "korvel-cli";
    char* argv_[2] = {name_, nullptr};
    QGuiApplication application_;
};

}  // namespace korvel::cli
