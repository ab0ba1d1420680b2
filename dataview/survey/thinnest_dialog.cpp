#include "dataview/survey/thinnest_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/text_table.h"
#include "app/ui/qt_text.h"
#include "survey/thickness_units.h"
#include "survey/thinnest_points.h"

namespace korvel {

namespace {

constexpr int kDefaultCount = 10;
constexpr int kLargestCount = 1000;

}  // namespace

ThinnestDialog::ThinnestDialog(const TextTable& texts, QWidget* parent)
    : QDialog(parent), texts_(texts) {
    const auto caption = [&](const char* key) {
        return toQt(texts_.caption(Screen::DataView, key));
    };
    setWindowTitle(caption("IDD_DIALOG_TITLE_THINNEST"));
    count_ = new QSpinBox(this);
    count_->setRange(1, kLargestCount);
    count_->setValue(kDefaultCount);
    list_ = new QTreeWidget(this);
    list_->setRootIsDecorated(false);
    list_->setColumnCount(3);
    list_->setHeaderLabels({QStringLiteral("#"), caption("IDC_STATIC_THINNEST_LOCATION"),
                            caption("IDC_STATIC_THINNEST_THICKNESS")});
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(caption("IDOK"));
    auto* form = new QFormLayout;
    form->addRow(caption("IDC_STATIC_THINNEST_COUNT"), count_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(list_);
    auto* hint = new QLabel(caption("IDC_STATIC_THINNEST_HINT"), this);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(count_, &QSpinBox::valueChanged, this, &ThinnestDialog::fill);
    connect(list_, &QTreeWidget::itemActivated, this, &ThinnestDialog::choose);
    resize(360, 380);
}

void ThinnestDialog::setSurvey(const Survey& survey) {
    survey_ = &survey;
    fill();
}

void ThinnestDialog::setCount(int count) {
    count_->setValue(count);
}

void ThinnestDialog::fill() {
    list_->clear();
    points_ = survey_ ? thinnestPoints(*survey_, static_cast<std::size_t>(count_->value()))
                      : std::vector<std::size_t>{};
    QList<QTreeWidgetItem*> items;
    for (std::size_t rank = 0; rank < points_.size(); ++rank) {
        const SurveyPoint& point = survey_->points[points_[rank]];
        items.append(new QTreeWidgetItem(
            {QString::number(rank + 1), toQt(point.location),
             toQt(thicknessText(*point.thickness, survey_->units) + " " + survey_->units)}));
    }
    list_->addTopLevelItems(items);
    if (!items.isEmpty()) {
        list_->setCurrentItem(items.front());
    }
}

void ThinnestDialog::choose() {
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    if (row >= 0 && static_cast<std::size_t>(row) < points_.size()) {
        emit pointChosen(static_cast<int>(points_[static_cast<std::size_t>(row)]));
    }
}

}  // namespace korvel
