#include "pages/demo_gauge_panel.h"

#include <algorithm>

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/text_table.h"
#include "app/ui/qt_text.h"
#include "sim/virtual_bus.h"

namespace korvel {

QPoint panelPlace(const QRect& sheetFrame, const QSize& panelFrame, const QRect& screen) {
    constexpr int kGap = 12;
    const QPoint last(std::max(screen.left(), screen.right() + 1 - panelFrame.width()),
                      std::max(screen.top(), screen.bottom() + 1 - panelFrame.height()));
    const QRect around = sheetFrame.adjusted(-kGap, -kGap, kGap, kGap);
    const int rightAligned = sheetFrame.right() + 1 - panelFrame.width();
    // Right, left, below and above the sheet; each may slide along the sheet's side to stay on
    // the screen, and is taken when it then leaves the sheet free.
    const QPoint beside[] = {{around.right() + 1, sheetFrame.top()},
                             {around.left() - panelFrame.width(), sheetFrame.top()},
                             {rightAligned, around.bottom() + 1},
                             {rightAligned, around.top() - panelFrame.height()}};
    for (const QPoint& wanted : beside) {
        const QPoint at(std::clamp(wanted.x(), screen.left(), last.x()),
                        std::clamp(wanted.y(), screen.top(), last.y()));
        if (!QRect(at, panelFrame).intersects(sheetFrame)) {
            return at;
        }
    }
    // No room anywhere: the lower left corner, over the sheet's About button rather than its
    // Close button.
    return {screen.left(), last.y()};
}

DemoGaugePanel::DemoGaugePanel(const TextTable& texts, std::shared_ptr<sim::SimDevice> normal,
                               std::shared_ptr<sim::SimDevice> upgradeMode, QWidget* sheet)
    : QDialog(sheet, Qt::Tool),
      texts_(texts),
      normal_(std::move(normal)),
      upgradeMode_(std::move(upgradeMode)) {
    setWindowTitle(toQt(texts.message("IDS_DEMO_PANEL_TITLE")));
    state_ = new QLabel(this);
    state_->setObjectName("gaugeState");
    state_->setWordWrap(true);
    state_->setMinimumWidth(260);
    unplug_ = new QPushButton(toQt(texts.message("IDS_DEMO_UNPLUG")), this);
    plugIn_ = new QPushButton(toQt(texts.message("IDS_DEMO_PLUG")), this);
    plugInUpgrade_ = new QPushButton(toQt(texts.message("IDS_DEMO_PLUG_UPGRADE")), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(state_);
    for (QPushButton* button : {unplug_, plugIn_, plugInUpgrade_}) {
        button->setAutoDefault(false);
        layout->addWidget(button);
    }
    connect(unplug_, &QPushButton::clicked, this, &DemoGaugePanel::unplug);
    connect(plugIn_, &QPushButton::clicked, this, &DemoGaugePanel::plugIn);
    connect(plugInUpgrade_, &QPushButton::clicked, this, &DemoGaugePanel::plugInUpgradeMode);
    showState("IDS_DEMO_GAGE_PLUGGED", true);
}

void DemoGaugePanel::unplug() {
    sim::virtualBus().unplugAll();
    showState("IDS_DEMO_GAGE_UNPLUGGED", false);
}

void DemoGaugePanel::plug(const std::shared_ptr<sim::SimDevice>& device, const char* stateKey) {
    sim::virtualBus().unplugAll();
    sim::virtualBus().plugIn(device);
    showState(stateKey, true);
}

void DemoGaugePanel::plugIn() {
    plug(normal_, "IDS_DEMO_GAGE_PLUGGED");
}

void DemoGaugePanel::plugInUpgradeMode() {
    plug(upgradeMode_, "IDS_DEMO_GAGE_UPGRADE_MODE");
}

// A longer state text wraps onto more lines: the panel grows (or shrinks) to show all of it.
void DemoGaugePanel::showState(const char* stateKey, bool pluggedIn) {
    state_->setText(toQt(texts_.message(stateKey)));
    showButtons(pluggedIn);
    adjustSize();
}

void DemoGaugePanel::showButtons(bool pluggedIn) {
    unplug_->setEnabled(pluggedIn);
    plugIn_->setEnabled(!pluggedIn);
    plugInUpgrade_->setEnabled(!pluggedIn);
}

}  // namespace korvel
