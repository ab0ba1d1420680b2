#include "pages/inspection_history_page.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/text_format.h"
#include "app/ui/point_at_box.h"
#include "app/ui/qt_text.h"
#include "app/ui/whole_columns.h"
#include "dataview/history/add_to_history.h"
#include "dataview/history/history_thinnest.h"
#include "dataview/history/trend_chart.h"
#include "dataview/survey/survey_map.h"
#include "history/asset_history.h"
#include "report/history_report.h"
#include "workbook/history_workbook.h"

namespace korvel {

using namespace history;

namespace {

enum AssetColumn { kName, kRequired, kUnits, kCode, kClass, kAssetColumns };

const QStringList kUnitChoices = {QStringLiteral("IN"), QStringLiteral("MM")};
// The table's choices begin with an empty one, which clears the property.
const QStringList kAssetUnitChoices = {QString(), QStringLiteral("IN"), QStringLiteral("MM")};
const QStringList kCodeChoices = {QString(), QStringLiteral("api510"), QStringLiteral("api570"),
                                  QStringLiteral("api653")};
const QStringList kClassChoices = {QString(), QStringLiteral("1"), QStringLiteral("2"),
                                   QStringLiteral("3"), QStringLiteral("4")};

QComboBox* choiceBox(QWidget* parent, const QStringList& choices, const QString& current) {
    auto* box = new QComboBox(parent);
    box->addItems(choices);
    box->setCurrentIndex(choices.indexOf(current));
    return box;
}

}  // namespace

CInspectionHistoryPage::CInspectionHistoryPage(const PageContext& context, QWidget* parent)
    : KorvelPage(context.app, Screen::InspectionHistory, "IDD_DIALOG_TITLE_HISTORY", parent),
      context_(context) {}

CInspectionHistoryPage::~CInspectionHistoryPage() = default;

void CInspectionHistoryPage::initialise() {
    auto* layout = new QHBoxLayout(body());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buildAssetBox(), 0);
    auto* right = new QVBoxLayout;
    right->addWidget(buildMapBox(), 3);
    right->addWidget(buildTrendBox(), 2);
    layout->addLayout(right, 1);
    thinnest_ = new HistoryThinnestDialog(app().texts(), this);
    connect(thinnest_, &HistoryThinnestDialog::locationChosen, this,
            &CInspectionHistoryPage::showLocation);
    showAsset();
}

QWidget* CInspectionHistoryPage::buildAssetBox() {
    auto* box = new QGroupBox(caption("IDC_STATIC_HISTORY_ASSETS"), body());
    assets_ = new QTableWidget(0, kAssetColumns, box);
    assets_->setObjectName("assetTable");
    assets_->setHorizontalHeaderLabels({caption("IDC_LIST_COL_ASSET"),
                                        caption("IDC_LIST_COL_REQUIRED"),
                                        caption("IDC_LIST_COL_UNITS"), caption("IDC_LIST_COL_CODE"),
                                        caption("IDC_LIST_COL_CLASS")});
    assets_->setSelectionBehavior(QAbstractItemView::SelectRows);
    assets_->setSelectionMode(QAbstractItemView::SingleSelection);
    assets_->verticalHeader()->hide();
    assets_->setMinimumHeight(90);
    const auto boxWidth = [](const QStringList& choices) {
        QComboBox sample;
        sample.addItems(choices);
        return sample.sizeHint().width();
    };
    showColumnsWhole(assets_, assets_->horizontalHeader(),
                     {cellTextWidth(assets_, QStringLiteral("TANK N-00")),
                      cellTextWidth(assets_, QStringLiteral("0.0000")), boxWidth(kAssetUnitChoices),
                      boxWidth(kCodeChoices), boxWidth(kClassChoices)},
                     kName);
    newAsset_ = new QPushButton(caption("IDC_BTN_HISTORY_NEW_ASSET"), box);
    addSurvey_ = new QPushButton(caption("IDC_BTN_HISTORY_ADD_SURVEY"), box);
    auto* surveysLabel = new QLabel(caption("IDC_STATIC_HISTORY_SURVEYS"), box);
    surveys_ = new QTreeWidget(box);
    surveys_->setObjectName("surveyList");
    surveys_->setRootIsDecorated(false);
    surveys_->setHeaderLabels({caption("IDC_LIST_COL_DATE"), caption("IDC_LIST_COL_FILE"),
                               caption("IDC_LIST_COL_READINGS"), caption("IDC_LIST_COL_HOLES")});
    surveys_->setMinimumHeight(70);
    const QString count = QStringLiteral("00000");
    showColumnsWhole(surveys_, surveys_->header(),
                     {cellTextWidth(surveys_, QStringLiteral("0000-00-00")),
                      cellTextWidth(surveys_, QStringLiteral("TANK-N-00.CSV")),
                      cellTextWidth(surveys_, count), cellTextWidth(surveys_, count)},
                     1);
    saveReport_ = new QPushButton(caption("IDC_BTN_HISTORY_SAVE_PDF"), box);
    printReport_ = new QPushButton(caption("IDC_BTN_HISTORY_PRINT"), box);
    workbook_ = new QPushButton(caption("IDC_BTN_HISTORY_WORKBOOK"), box);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(newAsset_);
    buttons->addWidget(addSurvey_);
    titleFields_ = new QPushButton(caption("IDC_BTN_HISTORY_TITLE_FIELDS"), box);
    buttons->addWidget(titleFields_);
    buttons->addStretch(1);
    auto* outputs = new QHBoxLayout;
    for (QPushButton* button : {saveReport_, printReport_, workbook_}) {
        outputs->addWidget(button);
    }
    outputs->addStretch(1);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(assets_, 3);
    layout->addLayout(buttons);
    layout->addWidget(surveysLabel);
    layout->addWidget(surveys_, 2);
    layout->addLayout(outputs);
    connect(assets_, &QTableWidget::itemSelectionChanged, this,
            &CInspectionHistoryPage::assetSelectionChanged);
    connect(assets_, &QTableWidget::cellChanged, this, &CInspectionHistoryPage::changeProperty);
    connect(newAsset_, &QPushButton::clicked, this, &CInspectionHistoryPage::newAsset);
    connect(addSurvey_, &QPushButton::clicked, this, &CInspectionHistoryPage::chooseSurveyFiles);
    connect(titleFields_, &QPushButton::clicked, this, &CInspectionHistoryPage::editTitleFields);
    connect(saveReport_, &QPushButton::clicked, this, &CInspectionHistoryPage::saveReport);
    connect(printReport_, &QPushButton::clicked, this, &CInspectionHistoryPage::printReport);
    connect(workbook_, &QPushButton::clicked, this, &CInspectionHistoryPage::exportWorkbook);
    return box;
}

QWidget* CInspectionHistoryPage::buildMapBox() {
    auto* box = new QWidget(body());
    colour_ = new QComboBox(box);
    colour_->setObjectName("colourBox");
    colour_->addItems({message("IDS_HISTORY_COLOUR_LIFE"), message("IDS_HISTORY_COLOUR_NEXT"),
                       message("IDS_HISTORY_COLOUR_RATE"),
                       message("IDS_HISTORY_COLOUR_THICKNESS")});
    units_ = new QComboBox(box);
    units_->setObjectName("unitsBox");
    units_->addItems(kUnitChoices);
    thinnestButton_ = new QPushButton(caption("IDC_BTN_HISTORY_THINNEST"), box);
    auto* controls = new QHBoxLayout;
    controls->addWidget(new QLabel(caption("IDC_STATIC_HISTORY_COLOUR"), box));
    controls->addWidget(colour_);
    controls->addWidget(new QLabel(caption("IDC_STATIC_HISTORY_UNITS"), box));
    controls->addWidget(units_);
    controls->addStretch(1);
    controls->addWidget(thinnestButton_);
    map_ = new SurveyMap(box);
    map_->setMinimumSize(260, 150);
    figures_ = new QLabel(box);
    figures_->setObjectName("figuresLabel");
    figures_->setWordWrap(true);
    figures_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    figures_->setMinimumWidth(150);
    figures_->setMaximumWidth(220);
    notice_ = new QLabel(box);
    notice_->setObjectName("noticeLabel");
    notice_->setWordWrap(true);
    notice_->hide();
    auto* mapRow = new QHBoxLayout;
    mapRow->addWidget(map_, 1);
    mapRow->addWidget(figures_);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(controls);
    layout->addWidget(notice_);
    layout->addLayout(mapRow, 1);
    connect(colour_, &QComboBox::activated, this,
            [this](int item) { setColouring(static_cast<HistoryColouring>(item)); });
    connect(units_, &QComboBox::activated, this, [this](int item) {
        setUnits(item == 0 ? ThicknessUnits::Inches : ThicknessUnits::Millimetres);
    });
    connect(thinnestButton_, &QPushButton::clicked, this, &CInspectionHistoryPage::showThinnest);
    connect(map_, &SurveyMap::pointClicked, this, [this](int point) {
        if (loaded_ && point >= 0 &&
            static_cast<std::size_t>(point) < loaded_->layout.figureOf.size() &&
            loaded_->layout.figureOf[static_cast<std::size_t>(point)] >= 0) {
            showLocation(static_cast<std::size_t>(
                loaded_->layout.figureOf[static_cast<std::size_t>(point)]));
        }
    });
    return box;
}

QWidget* CInspectionHistoryPage::buildTrendBox() {
    auto* box = new QWidget(body());
    trend_ = new TrendChart(box);
    trend_->setObjectName("trendChart");
    point_ = new QLabel(box);
    point_->setObjectName("pointLabel");
    point_->setWordWrap(true);
    exclude_ = new QPushButton(caption("IDC_BTN_HISTORY_EXCLUDE"), box);
    include_ = new QPushButton(caption("IDC_BTN_HISTORY_INCLUDE"), box);
    auto* row = new QHBoxLayout;
    row->addWidget(point_, 1);
    row->addWidget(exclude_);
    row->addWidget(include_);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(trend_, 1);
    layout->addLayout(row);
    connect(trend_, &TrendChart::pointClicked, this, &CInspectionHistoryPage::showPoint);
    connect(trend_, &TrendChart::resized, this, &CInspectionHistoryPage::showTrend);
    connect(exclude_, &QPushButton::clicked, this, &CInspectionHistoryPage::excludeSelected);
    connect(include_, &QPushButton::clicked, this, &CInspectionHistoryPage::includeSelected);
    return box;
}

void CInspectionHistoryPage::activated() {
    refreshAssets();
}

bool CInspectionHistoryPage::historyOpen() {
    if (history_) {
        return true;
    }
    WindowHistory opened = openWindowHistory(app());
    if (!opened.history) {
        notice_->setText(toQt(opened.error));
        notice_->show();
        return false;
    }
    notice_->hide();
    history_ = std::move(opened.history);
    return true;
}

void CInspectionHistoryPage::say(MessageKind kind, const QString& text) {
    voice().show(kind, fromQt(text));
}

std::string CInspectionHistoryPage::selectedAssetName() const {
    const int row = assets_->currentRow();
    const QTableWidgetItem* item = row >= 0 ? assets_->item(row, kName) : nullptr;
    return item ? fromQt(item->text()) : std::string();
}

void CInspectionHistoryPage::refreshAssets() {
    if (!historyOpen()) {
        return;
    }
    const auto assets = history_->assets();
    if (!assets) {
        say(MessageKind::Error, historyErrorText(app().texts(), assets.error));
        return;
    }
    const QString selected = toQt(selectedAssetName());
    filling_ = true;
    assets_->setRowCount(static_cast<int>(assets->size()));
    for (std::size_t row = 0; row < assets->size(); ++row) {
        fillAssetRow(static_cast<int>(row), (*assets)[row]);
    }
    filling_ = false;
    selectAsset(selected.isEmpty() && !assets->empty() ? toQt(assets->front().name) : selected);
}

void CInspectionHistoryPage::fillAssetRow(int row, const Asset& asset) {
    auto* name = new QTableWidgetItem(toQt(asset.name));
    name->setFlags(name->flags() & ~Qt::ItemIsEditable);
    assets_->setItem(row, kName, name);
    assets_->setItem(
        row, kRequired,
        new QTableWidgetItem(asset.required ? toQt(thicknessText(*asset.required, asset.units))
                                            : QString()));
    const QString code = asset.code ? toQt(std::string(codeName(*asset.code))) : QString();
    const QString inspectionClass =
        asset.inspectionClass ? QString::number(*asset.inspectionClass) : QString();
    const std::pair<int, QComboBox*> boxes[] = {
        {kUnits, choiceBox(assets_, kAssetUnitChoices, toQt(asset.units))},
        {kCode, choiceBox(assets_, kCodeChoices, code)},
        {kClass, choiceBox(assets_, kClassChoices, inspectionClass)},
    };
    for (const auto& [column, box] : boxes) {
        assets_->setCellWidget(row, column, box);
        connect(box, &QComboBox::activated, this,
                [this, row, column = column] { changeProperty(row, column); });
    }
}

void CInspectionHistoryPage::changeProperty(int row, int column) {
    if (filling_ || !history_ || column == kName || !assets_->item(row, kName)) {
        return;
    }
    AssetChange change;
    change.name = fromQt(assets_->item(row, kName)->text());
    const auto boxText = [&] {
        return qobject_cast<QComboBox*>(assets_->cellWidget(row, column))->currentText();
    };
    // An empty cell or choice clears the property.
    const QString text =
        column == kRequired ? assets_->item(row, kRequired)->text().trimmed() : boxText();
    const auto required = thicknessValue(fromQt(text));
    bool valid = true;
    switch (column) {
        case kRequired:
            valid = text.isEmpty() || (required && *required > 0);
            change.required = text.isEmpty() ? std::optional<double>() : required;
            break;
        case kUnits:
            change.units = fromQt(text);
            break;
        case kCode:
            change.code = parseCode(fromQt(text));
            break;
        case kClass:
            change.inspectionClass = text.isEmpty() ? std::optional<int>() : text.toInt();
            break;
        default:
            return;
    }
    if (!valid) {
        say(MessageKind::Warning,
            toQt(formatWithArguments(app().texts().message("IDS_HISTORY_REQUIRED_INVALID"),
                                     {fromQt(text)})));
    } else if (const auto saved = history_->setAsset(change); !saved) {
        say(MessageKind::Error, historyErrorText(app().texts(), saved.error));
    }
    // Shown as the history now holds it; the figures follow the change.
    QMetaObject::invokeMethod(
        this,
        [this] {
            refreshAssets();
            reloadAsset();
        },
        Qt::QueuedConnection);
}

void CInspectionHistoryPage::selectAsset(const QString& name) {
    for (int row = 0; row < assets_->rowCount(); ++row) {
        if (assets_->item(row, kName) && assets_->item(row, kName)->text() == name) {
            if (assets_->currentRow() != row) {
                assets_->setCurrentCell(row, kName);
            } else if (!loaded_ || toQt(loaded_->asset.name) != name) {
                reloadAsset();
            }
            return;
        }
    }
}

void CInspectionHistoryPage::assetSelectionChanged() {
    if (!filling_) {
        location_.reset();
        reloadAsset();
    }
}

void CInspectionHistoryPage::reloadAsset() {
    const std::string name = selectedAssetName();
    const bool sameAsset = loaded_ && loaded_->asset.name == name;
    loaded_.reset();
    if (name.empty() || !history_) {
        showAsset();
        return;
    }
    voice().setWaitCursor(true);
    auto loaded = loadAsset(*history_, name, localTodayMinutes());
    voice().setWaitCursor(false);
    if (!loaded) {
        say(MessageKind::Error, historyErrorText(app().texts(), loaded.error));
        showAsset();
        return;
    }
    // Another asset is shown in its own units; set while nothing is loaded, so that the page
    // is shown once, below.
    if (!sameAsset) {
        setUnits(parseThicknessUnits(loaded->figures.units).value_or(ThicknessUnits::Inches));
    }
    loaded_ = std::move(*loaded);
    // The location with the shortest life shows its trend at once, else the one due first.
    if (!location_) {
        location_ = loaded_->figures.shortestLife ? loaded_->figures.shortestLife
                                                  : loaded_->figures.dueFirst;
    }
    showAsset();
}

void CInspectionHistoryPage::showAsset() {
    surveys_->clear();
    const bool any = loaded_.has_value();
    addSurvey_->setEnabled(history_ != nullptr);
    newAsset_->setEnabled(history_ != nullptr);
    for (QPushButton* button :
         {thinnestButton_, saveReport_, printReport_, workbook_, titleFields_}) {
        button->setEnabled(any);
    }
    if (any) {
        QList<QTreeWidgetItem*> items;
        for (const SurveyEntry& survey : loaded_->surveys) {
            items.append(new QTreeWidgetItem({historyDateText(survey.dateMinutes),
                                              toQt(survey.file), QString::number(survey.readings),
                                              QString::number(survey.holes)}));
        }
        surveys_->addTopLevelItems(items);
        thinnest_->setFigures(loaded_->figures, shownUnits_);
    }
    drawMap();
    showFigures();
    showTrend();
}

// The shown location's trend laid out for the chart's size, keeping the value chosen.
void CInspectionHistoryPage::showTrend() {
    if (loaded_ && location_ && *location_ < loaded_->figures.locations.size()) {
        const int keep = trend_->trend().selected;
        showLocation(*location_);
        if (keep >= 0 && keep < static_cast<int>(trend_->trend().values.size())) {
            trend_->setSelected(keep);
            showPoint();
        }
    } else {
        location_.reset();
        trend_->setTrend(
            noticeTrend(app().texts().message("IDS_HISTORY_CLICK_LOCATION"), trend_->chartSize()));
        showPoint();
    }
}

void CInspectionHistoryPage::drawMap() {
    if (!loaded_) {
        map_->setContent({});
        return;
    }
    const HistoryMapTexts texts{message("IDS_HISTORY_NO_FIGURE"),
                                message("IDS_HISTORY_BELOW_REQUIRED"),
                                message("IDS_HISTORY_DUE_SOON"), message("IDS_HISTORY_YEARS"),
                                message("IDS_HISTORY_PER_YEAR")};
    map_->setContent(
        historyMapContent(loaded_->layout, loaded_->figures, colouring_, shownUnits_, texts));
    markLocationOnMap();
}

void CInspectionHistoryPage::markLocationOnMap() {
    int selected = -1;
    if (location_) {
        const auto& figureOf = loaded_->layout.figureOf;
        const auto at = std::find(figureOf.begin(), figureOf.end(), static_cast<int>(*location_));
        selected = at == figureOf.end() ? -1 : static_cast<int>(at - figureOf.begin());
    }
    map_->setSelectedPoint(selected);
}

void CInspectionHistoryPage::showFigures() {
    if (!loaded_) {
        figures_->clear();
        return;
    }
    const AssetFigures& figures = loaded_->figures;
    const auto format = [this](const char* key, std::initializer_list<std::string_view> values) {
        return toQt(formatWithArguments(app().texts().message(key), values));
    };
    const std::string none = app().texts().message("IDS_HISTORY_FIG_NONE");
    QStringList lines;
    lines << format("IDS_HISTORY_FIG_SURVEYS", {std::to_string(figures.surveys)});
    if (figures.dueFirst) {
        const LocationFigures& due = figures.locations[*figures.dueFirst];
        lines << format("IDS_HISTORY_FIG_DUE_FIRST",
                        {due.location, fromQt(historyDateText(*due.nextInspectionMinutes))});
    } else {
        lines << format("IDS_HISTORY_FIG_DUE_FIRST", {none, ""});
    }
    if (figures.shortestLife) {
        const LocationFigures& shortest = figures.locations[*figures.shortestLife];
        lines << format(
            "IDS_HISTORY_FIG_SHORTEST",
            {shortest.location, fromQt(QString::number(*shortest.remainingLife, 'f', 1))});
    } else {
        lines << format("IDS_HISTORY_FIG_SHORTEST", {none, ""});
    }
    const LocationFigures* fastest = nullptr;
    for (const LocationFigures& location : figures.locations) {
        if (location.governingRate &&
            (!fastest || *location.governingRate > *fastest->governingRate)) {
            fastest = &location;
        }
    }
    if (fastest) {
        const auto rate =
            figureValue(*fastest, HistoryColouring::GoverningRate, figures.units, shownUnits_);
        lines << format(
            "IDS_HISTORY_FIG_RATE",
            {fastest->location,
             fromQt(QString::number(*rate, 'f', shownUnits_ == ThicknessUnits::Inches ? 4 : 3)),
             unitsText(shownUnits_)});
    } else {
        lines << format("IDS_HISTORY_FIG_RATE", {none, "", ""});
    }
    figures_->setText(lines.join(QStringLiteral("\n\n")));
}

void CInspectionHistoryPage::setColouring(HistoryColouring colouring) {
    colouring_ = colouring;
    colour_->setCurrentIndex(static_cast<int>(colouring));
    drawMap();
}

void CInspectionHistoryPage::setUnits(ThicknessUnits units) {
    const bool changed = units != shownUnits_;
    shownUnits_ = units;
    units_->setCurrentIndex(units == ThicknessUnits::Inches ? 0 : 1);
    if (changed && loaded_) {
        showAsset();
    }
}

void CInspectionHistoryPage::showLocation(std::size_t location) {
    if (!loaded_ || location >= loaded_->figures.locations.size()) {
        return;
    }
    location_ = location;
    const LocationFigures& figures = loaded_->figures.locations[location];
    trend_->setTrend(locationTrend(
        {loaded_->locationHistory(figures.location), figures, loaded_->asset.required, shownUnits_},
        trendTexts(app().texts()), trend_->chartSize()));
    markLocationOnMap();
    showPoint();
}

void CInspectionHistoryPage::showPoint() {
    const LocationTrend& trend = trend_->trend();
    const int selected = trend.selected;
    const bool any = location_ && selected >= 0;
    exclude_->setEnabled(any && !trend.values[selected].excluded);
    include_->setEnabled(any && trend.values[selected].excluded);
    if (!any) {
        point_->clear();
        return;
    }
    const TrendValue& point = trend.values[selected];
    const std::string value = thicknessText(point.value, unitsText(shownUnits_)) + " " +
                              std::string(unitsText(shownUnits_));
    const std::string date = isoDateText(point.dateMinutes);
    point_->setText(
        point.excluded
            ? toQt(formatWithArguments(app().texts().message("IDS_HISTORY_POINT_EXCLUDED"),
                                       {date, value, point.note}))
            : toQt(formatWithArguments(app().texts().message("IDS_HISTORY_POINT"), {date, value})));
}

void CInspectionHistoryPage::excludeSelected() {
    changeExclusion(true);
}

void CInspectionHistoryPage::includeSelected() {
    changeExclusion(false);
}

void CInspectionHistoryPage::changeExclusion(bool exclude) {
    const LocationTrend& trend = trend_->trend();
    if (!loaded_ || !location_ || trend.selected < 0) {
        return;
    }
    const TrendValue point = trend.values[static_cast<std::size_t>(trend.selected)];
    const std::string location = loaded_->figures.locations[*location_].location;
    const std::string date = isoDateText(point.dateMinutes);
    QInputDialog dialog(this);
    dialog.setObjectName(QStringLiteral("exclusionNote"));
    dialog.setWindowTitle(
        message(exclude ? "IDS_HISTORY_EXCLUDE_TITLE" : "IDS_HISTORY_INCLUDE_TITLE"));
    dialog.setLabelText(toQt(formatWithArguments(
        app().texts().message(exclude ? "IDS_HISTORY_EXCLUDE_NOTE" : "IDS_HISTORY_INCLUDE_NOTE"),
        {location, date})));
    dialog.setOkButtonText(caption(exclude ? "IDC_BTN_HISTORY_EXCLUDE" : "IDC_BTN_HISTORY_INCLUDE")
                               .remove(QLatin1Char('&'))
                               .remove(QStringLiteral("...")));
    dialog.setCancelButtonText(message("IDS_HISTORY_CANCEL"));
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const std::string note = fromQt(dialog.textValue().trimmed());
    if (note.empty()) {
        say(MessageKind::Warning, message("IDS_HISTORY_NOTE_NEEDED"));
        return;
    }
    const auto changed = exclude
                             ? history_->exclude(loaded_->asset.name, point.survey, location, note)
                             : history_->include(loaded_->asset.name, point.survey, location, note);
    if (!changed) {
        say(MessageKind::Error, historyErrorText(app().texts(), changed.error));
        return;
    }
    reloadAsset();
}

void CInspectionHistoryPage::newAsset() {
    if (!historyOpen()) {
        return;
    }
    QInputDialog dialog(this);
    dialog.setObjectName(QStringLiteral("newAsset"));
    dialog.setWindowTitle(message("IDS_HISTORY_NEW_ASSET_TITLE"));
    dialog.setLabelText(message("IDS_HISTORY_NEW_ASSET_NAME"));
    dialog.setOkButtonText(message("IDS_HISTORY_NEW_ASSET_OK"));
    dialog.setCancelButtonText(message("IDS_HISTORY_CANCEL"));
    if (dialog.exec() != QDialog::Accepted || dialog.textValue().trimmed().isEmpty()) {
        return;
    }
    const std::string name = fromQt(dialog.textValue().trimmed());
    if (history_->asset(name)) {
        say(MessageKind::Warning,
            toQt(formatWithArguments(app().texts().message("IDS_HISTORY_ASSET_EXISTS"), {name})));
    } else if (const auto made = history_->setAsset({name, {}, {}, {}, {}}); !made) {
        say(MessageKind::Error, historyErrorText(app().texts(), made.error));
        return;
    }
    refreshAssets();
    selectAsset(toQt(name));
}

void CInspectionHistoryPage::chooseSurveyFiles() {
    const QStringList files = QFileDialog::getOpenFileNames(
        this, message("IDS_HISTORY_ADD_FILES_TITLE"), toQt(app().pcDataFolder()),
        message("IDS_HISTORY_SURVEY_FILTER"));
    std::vector<std::string> paths;
    for (const QString& file : files) {
        paths.push_back(fromQt(file));
    }
    addSurveys(paths);
}

void CInspectionHistoryPage::addSurveys(const std::vector<std::string>& paths) {
    if (paths.empty() || !historyOpen()) {
        return;
    }
    std::string asset = selectedAssetName();
    if (asset.empty()) {
        const auto assets = history_->assets();
        asset = chooseAsset(
            this, app().texts(),
            assetChoices(baseName(paths.front()), assets ? *assets : std::vector<Asset>{}));
        if (asset.empty()) {
            return;
        }
    }
    const auto outcome = addFilesToAsset(*history_, app().texts(), asset, paths, voice());
    refreshAssets();
    selectAsset(toQt(outcome.asset));
    if (outcome.added > 0) {
        location_.reset();
        reloadAsset();
    }
}

void CInspectionHistoryPage::showThinnest() {
    if (!loaded_) {
        return;
    }
    thinnest_->setFigures(loaded_->figures, shownUnits_);
    thinnest_->show();
    thinnest_->raise();
}

QString CInspectionHistoryPage::savePath(const char* titleKey, const char* extension,
                                         const char* typesKey) {
    const std::string suggested =
        joinPath(app().pcDataFolder(), history::assetFileName(loaded_->asset.name) + extension);
    return savePathSource_(message(titleKey), toQt(suggested), message(typesKey));
}

// The save dialog has asked about an existing file already; the report is in the units shown.
void CInspectionHistoryPage::saveReport() {
    if (!loaded_) {
        return;
    }
    const QString pdf = savePath("IDS_STR_REPORT_TITLE", ".pdf", "IDS_STR_PDF_FILTER");
    if (pdf.isEmpty()) {
        return;
    }
    const ReportSigner signer{app().texts(), programWindowTitle(app()), reportDateNow()};
    saveHistoryReport(*history_, loaded_->asset.name, fromQt(pdf), signer, voice(),
                      OverwriteAsked::Yes, shownUnits_);
}

void CInspectionHistoryPage::printReport() {
    if (!loaded_) {
        return;
    }
    PrinterChoice choice = printerSource_();
    if (!choice.printer) {
        if (!choice.cancelled) {
            say(MessageKind::Error, message("IDS_ERR_NO_DEFAULT_PRINTER"));
        }
        return;
    }
    const ReportSigner signer{app().texts(), programWindowTitle(app()), reportDateNow()};
    paintHistoryReport(*choice.printer, *history_, loaded_->asset.name, signer, voice(),
                       shownUnits_);
}

void CInspectionHistoryPage::exportWorkbook() {
    if (!loaded_) {
        return;
    }
    const QString out = savePath("IDS_STR_WORKBOOK_TITLE", ".xlsx", "IDS_STR_XLSX_FILTER");
    if (out.isEmpty()) {
        return;
    }
    saveHistoryWorkbook(*history_, {loaded_->asset.name, fromQt(out), true}, app().texts(),
                        programWindowTitle(app()), voice());
}

void CInspectionHistoryPage::editTitleFields() {
    if (!loaded_) {
        return;
    }
    const Asset& asset = loaded_->asset;
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("titleFields"));
    dialog.setWindowTitle(toQt(formatWithArguments(
        app().texts().message("IDS_HISTORY_TITLE_FIELDS_TITLE"), {asset.name})));
    auto* form = new QFormLayout;
    auto* nominal = new QLineEdit(
        asset.nominal ? toQt(thicknessText(*asset.nominal, loaded_->figures.units)) : QString(),
        &dialog);
    nominal->setObjectName(QStringLiteral("nominal"));
    form->addRow(message("IDS_REPORT_NOMINAL") + QStringLiteral(" (") +
                     toQt(loaded_->figures.units) + QStringLiteral(")"),
                 nominal);
    std::vector<QLineEdit*> boxes;
    for (const TitleFieldName& field : titleFields()) {
        boxes.push_back(new QLineEdit(toQt(asset.title[field.field]), &dialog));
        boxes.back()->setObjectName(toQt(field.json));
        form->addRow(message(field.label), boxes.back());
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(message("IDS_HISTORY_SAVE_FIELDS"));
    buttons->button(QDialogButtonBox::Cancel)->setText(message("IDS_HISTORY_CANCEL"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(buttons);
    // A wrong nominal thickness keeps the form open with everything typed in it.
    const auto nominalValue = [nominal] {
        return thicknessValue(fromQt(nominal->text().trimmed()));
    };
    connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        const auto value = nominalValue();
        if (nominal->text().trimmed().isEmpty() || (value && *value > 0)) {
            dialog.accept();
            return;
        }
        say(MessageKind::Warning,
            toQt(formatWithArguments(app().texts().message("IDS_HISTORY_NOMINAL_INVALID"),
                                     {fromQt(nominal->text().trimmed())})));
        pointAtBox(nominal);
    });
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    AssetChange change;
    change.name = asset.name;
    // An empty box clears the nominal thickness, as an empty field clears its text.
    change.nominal = nominal->text().trimmed().isEmpty() ? std::optional<double>() : nominalValue();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        change.title[titleFields()[i].field] = fromQt(boxes[i]->text().trimmed());
    }
    if (const auto saved = history_->setAsset(change); !saved) {
        say(MessageKind::Error, historyErrorText(app().texts(), saved.error));
    }
    reloadAsset();
}

}  // namespace korvel
