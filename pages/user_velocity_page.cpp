#include "pages/user_velocity_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ui/gauge_operation_runner.h"
#include "app/ui/qt_text.h"

namespace korvel {

namespace {

constexpr const char* kVelocityLabels[2] = {"IDC_STATIC_VELOCITY1", "IDC_STATIC_VELOCITY2"};
constexpr const char* kUnitsLabels[2] = {"IDC_STATIC_UNITS1", "IDC_STATIC_UNITS2"};

// Selects the first entry that begins with the unit (case-insensitive); a unit no entry
// begins with is shown as typed text.
void selectUnit(QComboBox* box, const QString& unit) {
    if (unit.isEmpty()) {
        return;
    }
    for (int i = 0; i < box->count(); ++i) {
        if (box->itemText(i).startsWith(unit, Qt::CaseInsensitive)) {
            box->setCurrentIndex(i);
            return;
        }
    }
    box->setEditText(unit);
}

}  // namespace

CUserVelocity::CUserVelocity(const PageContext& context, QWidget* parent)
    : KorvelPage(context.app, Screen::UserVelocity, "IDD_DIALOG_TITLE_USER_VELOCITY", parent) {}

void CUserVelocity::initialise() {
    auto* outer = new QVBoxLayout(body());
    auto* group = new QGroupBox(body());
    auto* grid = new QGridLayout(group);
    for (int k = 0; k < 2; ++k) {
        velocityBoxes_[k] = new QLineEdit(group);
        velocityBoxes_[k]->setObjectName(QStringLiteral("velocity%1").arg(k + 1));
        unitsBoxes_[k] = new QComboBox(group);
        unitsBoxes_[k]->setObjectName(QStringLiteral("units%1").arg(k + 1));
        unitsBoxes_[k]->setEditable(true);
        unitsBoxes_[k]->setInsertPolicy(QComboBox::InsertAlphabetically);
        for (const char* unit : kVelocityUnits) {
            unitsBoxes_[k]->addItem(QString::fromLatin1(unit));
        }
        unitsBoxes_[k]->model()->sort(0);
        unitsBoxes_[k]->setCurrentIndex(0);
        grid->addWidget(new QLabel(caption(kVelocityLabels[k]), group), k, 0);
        grid->addWidget(velocityBoxes_[k], k, 1);
        grid->addWidget(new QLabel(caption(kUnitsLabels[k]), group), k, 2);
        grid->addWidget(unitsBoxes_[k], k, 3);
    }
    get_ = new QPushButton(caption("IDC_BTN_GET_VELOCITY"), group);
    set_ = new QPushButton(caption("IDC_BTN_SET_VELOCITY"), group);
    cancel_ = new QPushButton(caption("IDC_BTN_CANCEL_OPERATION"), group);
    cancel_->setObjectName("cancelButton");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(get_);
    buttons->addWidget(set_);
    buttons->addWidget(cancel_);
    buttons->addStretch(1);
    grid->addLayout(buttons, 2, 0, 1, 4);
    outer->addWidget(group);
    outer->addStretch(1);
    operation().holdWhileRunning(
        {velocityBoxes_[0], velocityBoxes_[1], unitsBoxes_[0], unitsBoxes_[1], get_, set_});
    operation().setCancelButton(cancel_);
    connect(get_, &QPushButton::clicked, this, &CUserVelocity::GetUserVelocity);
    connect(set_, &QPushButton::clicked, this, &CUserVelocity::SetUserVelocity);
}

void CUserVelocity::firstShown() {
    get_->setFocus();
}

VelocitySettings CUserVelocity::readControls() const {
    VelocitySettings settings;
    for (int k = 0; k < 2; ++k) {
        settings[k] = {fromQt(velocityBoxes_[k]->text()), fromQt(unitsBoxes_[k]->currentText())};
    }
    return settings;
}

void CUserVelocity::showFields(const VelocitySettings& settings) {
    for (int k = 0; k < 2; ++k) {
        velocityBoxes_[k]->setText(toQt(settings[k].value));
        selectUnit(unitsBoxes_[k], toQt(settings[k].unit));
    }
}

void CUserVelocity::GetUserVelocity() {
    exchange(&UserVelocityExchange::getVelocities);
}

void CUserVelocity::SetUserVelocity() {
    exchange(&UserVelocityExchange::setVelocities);
}

void CUserVelocity::exchange(int (UserVelocityExchange::*step)(VelocitySettings&)) {
    ensureInitialised();
    auto settings = std::make_shared<VelocitySettings>(readControls());
    operation().start(
        [settings, step, &texts = app().texts()](UserVoice& voice) {
            GaugeLink link(voice, texts);
            (UserVelocityExchange(link).*step)(*settings);
        },
        [this, settings] { showFields(*settings); });
}

}  // namespace korvel
