#pragma once
// The demo's small window beside the sheet: unplug the simulated gauge and plug it back in,
// in its normal mode or in its upgrade mode, so that every message of the link can be seen.

#include <QDialog>
#include <memory>

class QLabel;
class QPushButton;

namespace korvel {

class TextTable;

namespace sim {
class SimDevice;
}

// Where the panel's frame stands: right of the sheet's frame when it fits there on the screen,
// else left of it, below it or above it; when the sheet leaves no room, in the screen's lower
// left corner. Always wholly on the screen.
QPoint panelPlace(const QRect& sheetFrame, const QSize& panelFrame, const QRect& screen);

class DemoGaugePanel : public QDialog {
    Q_OBJECT
  public:
    DemoGaugePanel(const TextTable& texts, std::shared_ptr<sim::SimDevice> normal,
                   std::shared_ptr<sim::SimDevice> upgradeMode, QWidget* sheet);

    void unplug();
    void plugIn();
    void plugInUpgradeMode();

    QLabel* state() const { return state_; }

  private:
    void plug(const std::shared_ptr<sim::SimDevice>& device, const char* stateKey);
    void showState(const char* stateKey, bool pluggedIn);
    void showButtons(bool pluggedIn);

    const TextTable& texts_;
    std::shared_ptr<sim::SimDevice> normal_;
    std::shared_ptr<sim::SimDevice> upgradeMode_;
    QLabel* state_ = nullptr;
    QPushButton* unplug_ = nullptr;
    QPushButton* plugIn_ = nullptr;
    QPushButton* plugInUpgrade_ = nullptr;
};

}  // namespace korvel
