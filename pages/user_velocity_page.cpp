#include "pages/user_velocity_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/text_format.h"
#include "app/ui/gauge_operation_runner.h"
#include "app/ui/point_at_box.h"
#include "app/ui/qt_text.h"
#include "app/ui/qt_voice.h"
#include "gauge/velocity_check.h"

namespace korvel {

namespace {

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
        grid->addWidget(new QLabel(caption(kVelocityLabelKeys[k]), group), k, 0);
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
    status_ = new QLabel(group);
    status_->setObjectName("statusLine");
    status_->setWordWrap(true);
    grid->addWidget(status_, 3, 0, 1, 4);
    outer->addWidget(group);
    outer->addStretch(1);
    setOwnVoice(std::make_unique<QtVoice>(this, toQt(app().appTitle()), nullptr, status_));
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
        settings[k] = {fromQt(velocityBoxes_[k]->text().trimmed()),
                       fromQt(unitsBoxes_[k]->currentText().trimmed())};
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
    exchange(&UserVelocityExchange::getVelocities, [](int, const VelocitySettings&) {});
}

void CUserVelocity::SetUserVelocity() {
    ensureInitialised();
    if (!settingsAccepted()) {
        return;
    }
    exchange(&UserVelocityExchange::setVelocities, [this](int taken, const VelocitySettings& set) {
        if (taken == 2) {
            const std::string both =
                set[0].value + " " + set[0].unit + ", " + set[1].value + " " + set[1].unit;
            voice().setStatus(
                formatWithArgument(app().texts().message("IDS_STATUS_VELOCITY_SET"), both, 1));
        } else if (taken >= 0) {
            voice().setStatus(formatWithArgument(
                app().texts().message("IDS_STATUS_VELOCITY_NOTALLSET"), std::to_string(taken), 1));
        }
    });
}

bool CUserVelocity::settingsAccepted() {
    const auto refused = refusedVelocity(readControls(), app().texts());
    if (refused) {
        voice().show(MessageKind::Warning, refused->warning);
        pointAtBox(velocityBoxes_[refused->index]);
    }
    return !refused;
}

void CUserVelocity::exchange(int (UserVelocityExchange::*step)(VelocitySettings&),
                             std::function<void(int, const VelocitySettings&)> after) {
    ensureInitialised();
    voice().setStatus("");
    auto settings = std::make_shared<VelocitySettings>(readControls());
    auto result = std::make_shared<int>(-1);
    operation().start(
        [settings, result, step, &texts = app().texts()](UserVoice& voice) {
            GaugeLink link(voice, texts);
            *result = (UserVelocityExchange(link).*step)(*settings);
            return link.outcome();
        },
        [this, settings, result, after = std::move(after)](Outcome) {
            showFields(*settings);
            after(*result, *settings);
        });
}

}  // namespace korvel
