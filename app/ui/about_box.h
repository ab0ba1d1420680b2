#pragma once
// The About box: the program's icon, its name and version, and OK.

#include <QDialog>

namespace korvel {

class PalimarApp;

class AboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit AboutBox(const PalimarApp& app, QWidget* parent = nullptr);
};

}  // namespace korvel
