#include "dataview/history/history_thinnest.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <numeric>

#include "app/text_table.h"
#include "app/ui/qt_text.h"
#include "app/ui/whole_columns.h"
#include "dataview/history/history_map.h"

namespace korvel {

using history::AssetFigures;
using history::LocationFigures;

namespace {

constexpr int kDefaultCount = 10;
constexpr int kLargestCount = 1000;

template <typename Key>
std::vector<std::size_t> firstBy(const AssetFigures& figures, std::size_t count, Key key) {
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < figures.locations.size(); ++i) {
        if (key(figures.locations[i])) {
            order.push_back(i);
        }
    }
    const auto by = [&](std::size_t a, std::size_t b) {
        return *key(figures.locations[a]) < *key(figures.locations[b]);
    };
    const std::size_t kept = std::min(count, order.size());
    std::partial_sort(
        order.begin(), order.begin() + static_cast<std::ptrdiff_t>(kept), order.end(),
        [&](std::size_t a, std::size_t b) { return by(a, b) || (!by(b, a) && a < b); });
    order.resize(kept);
    return order;
}

}  // namespace

std::vector<std::size_t> lowestLocations(const AssetFigures& figures, std::size_t count) {
    return firstBy(figures, count, [](const LocationFigures& location) {
        return location.actual ? std::optional<double>(location.actual->value) : std::nullopt;
    });
}

std::vector<std::size_t> dueFirstLocations(const AssetFigures& figures, std::size_t count) {
    return firstBy(figures, count,
                   [](const LocationFigures& location) { return location.nextInspectionMinutes; });
}

HistoryThinnestDialog::HistoryThinnestDialog(const TextTable& texts, QWidget* parent)
    : QDialog(parent), texts_(texts) {
    const auto text = [&](const char* key) { return toQt(texts_.message(key)); };
    setObjectName(QStringLiteral("historyThinnest"));
    setWindowTitle(text("IDS_HISTORY_THINNEST_TITLE"));
    order_ = new QComboBox(this);
    order_->addItems({text("IDS_HISTORY_THINNEST_LOWEST"), text("IDS_HISTORY_THINNEST_DUE")});
    count_ = new QSpinBox(this);
    count_->setRange(1, kLargestCount);
    count_->setValue(kDefaultCount);
    list_ = new QTreeWidget(this);
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({QStringLiteral("#"), text("IDS_HISTORY_COL_LOCATION"),
                            text("IDS_HISTORY_COLOUR_THICKNESS"), text("IDS_HISTORY_COLOUR_NEXT"),
                            text("IDS_HISTORY_COLOUR_LIFE")});
    showColumnsWhole(
        list_, list_->header(),
        {cellTextWidth(list_, QStringLiteral("000")), cellTextWidth(list_, QStringLiteral("K0000")),
         cellTextWidth(list_, QStringLiteral("0.000 MM")),
         cellTextWidth(list_, QStringLiteral("0000-00-00")),
         cellTextWidth(list_, QStringLiteral("000.0"))},
        1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(text("IDS_HISTORY_CLOSE"));
    auto* form = new QFormLayout;
    form->addRow(text("IDS_HISTORY_THINNEST_ORDER"), order_);
    form->addRow(text("IDS_HISTORY_THINNEST_COUNT"), count_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(list_);
    auto* hint = new QLabel(text("IDS_HISTORY_THINNEST_HINT"), this);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(count_, &QSpinBox::valueChanged, this, &HistoryThinnestDialog::fill);
    connect(order_, &QComboBox::currentIndexChanged, this, &HistoryThinnestDialog::fill);
    connect(list_, &QTreeWidget::itemActivated, this, [this] {
        const int row = list_->indexOfTopLevelItem(list_->currentItem());
        if (row >= 0 && static_cast<std::size_t>(row) < locations_.size()) {
            emit locationChosen(locations_[static_cast<std::size_t>(row)]);
        }
    });
    resize(460, 400);
}

void HistoryThinnestDialog::setFigures(const AssetFigures& figures, ThicknessUnits shown) {
    figures_ = &figures;
    shown_ = shown;
    fill();
}

void HistoryThinnestDialog::setCount(int count) {
    count_->setValue(count);
}

void HistoryThinnestDialog::setDueFirst(bool dueFirst) {
    order_->setCurrentIndex(dueFirst ? 1 : 0);
}

void HistoryThinnestDialog::fill() {
    list_->clear();
    locations_.clear();
    if (!figures_) {
        return;
    }
    const auto count = static_cast<std::size_t>(count_->value());
    locations_ = order_->currentIndex() == 1 ? dueFirstLocations(*figures_, count)
                                             : lowestLocations(*figures_, count);
    QList<QTreeWidgetItem*> items;
    for (std::size_t rank = 0; rank < locations_.size(); ++rank) {
        const LocationFigures& location = figures_->locations[locations_[rank]];
        const auto thickness =
            figureValue(location, HistoryColouring::LatestThickness, figures_->units, shown_);
        items.append(new QTreeWidgetItem(
            {QString::number(rank + 1), toQt(location.location),
             thickness ? toQt(thicknessText(*thickness, unitsText(shown_)) + " " +
                              std::string(unitsText(shown_)))
                       : QString(),
             location.nextInspectionMinutes ? historyDateText(*location.nextInspectionMinutes)
                                            : QString(),
             location.remainingLife ? QString::number(*location.remainingLife, 'f', 1)
                                    : QString()}));
    }
    list_->addTopLevelItems(items);
    if (!items.isEmpty()) {
        list_->setCurrentItem(items.front());
    }
}

}  // namespace korvel
