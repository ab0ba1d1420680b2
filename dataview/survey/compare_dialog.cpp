#include "dataview/survey/compare_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "app/text_table.h"
#include "app/ui/qt_text.h"
#include "app/user_voice.h"

namespace korvel {

CompareDialog::CompareDialog(std::vector<SurveyCandidate> candidates, const TextTable& texts,
                             UserVoice& voice, QWidget* parent)
    : QDialog(parent), candidates_(std::move(candidates)), texts_(texts), voice_(voice) {
    const auto caption = [&](const char* key) {
        return toQt(texts_.caption(Screen::DataView, key));
    };
    setWindowTitle(caption("IDD_DIALOG_TITLE_SURVEY_COMPARE"));
    list_ = new QListWidget(this);
    for (const auto& candidate : candidates_) {
        list_->addItem(toQt(candidate.name) + QStringLiteral("    ") + toQt(candidate.dateText));
    }
    list_->setCurrentRow(0);
    minimumBox_ = new QLineEdit(this);
    minimumBox_->setPlaceholderText(caption("IDC_STATIC_SURVEY_SETUP_LOW_ALARM"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CompareDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &CompareDialog::accept);
    auto* form = new QFormLayout;
    form->addRow(caption("IDC_STATIC_SURVEY_MIN_THICKNESS"), minimumBox_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(caption("IDC_STATIC_SURVEY_EARLIER"), this));
    layout->addWidget(list_);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(420, 300);
}

std::string CompareDialog::chosenName() const {
    const int row = list_->currentRow();
    return row >= 0 && row < static_cast<int>(candidates_.size()) ? candidates_[row].name
                                                                  : std::string();
}

void CompareDialog::accept() {
    const std::string text = minimumBox_->text().trimmed().toStdString();
    minimum_ = text.empty() ? std::nullopt : thicknessValue(text);
    if (!text.empty() && (!minimum_ || *minimum_ <= 0)) {
        voice_.show(MessageKind::Warning, texts_.message("IDS_MSG_SURVEY_MIN_THICKNESS"));
        minimumBox_->setFocus();
        return;
    }
    if (!chosenName().empty()) {
        QDialog::accept();
    }
}

}  // namespace korvel
