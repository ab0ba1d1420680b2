#include "dataview/dialog/data_view_dialog.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScopedValueRollback>
#include <QTableView>
#include <QTreeWidget>
#include <filesystem>

#include "app/palimar_app.h"
#include "app/text_format.h"
#include "app/text_rules.h"
#include "app/text_table.h"
#include "app/ui/qt_text.h"
#include "app/ui/qt_voice.h"
#include "datafile/data_file_reader.h"
#include "datafile/next_survey.h"
#include "datafile/number_text.h"
#include "datafile/output_file.h"
#include "dataview/chart/paper_chart.h"
#include "dataview/dialog/cctwx.h"
#include "dataview/dialog/list_header_ctrl.h"
#include "dataview/dialog/readings_model.h"
#include "dataview/readings/id_rows_text.h"
#include "dataview/readings/reading_table.h"
#include "dataview/survey/survey_map.h"
#include "dataview/survey/survey_panel.h"
#include "dataview/survey/thinnest_dialog.h"
#include "report/inspection_report.h"
#include "survey/thinnest_points.h"
#include "workbook/survey_workbook.h"

namespace korvel {
namespace {

// The window's design size in dialog units.
constexpr int kDesignWidth = 504;
constexpr int kDesignHeight = 268;
// The controls' shares of a larger window: the readings table takes 40 % of the extra height,
// the chart and the setup list the rest; the chart takes 60 % of the extra width.
constexpr double kTableShare = 0.4;
constexpr double kChartShare = 0.6;

// Width factor of a reading column: 5 for "Alarm" and for names of 8 or more characters, 4 for
// 6 or 7, else 3.
int columnFactor(const std::string& name) {
    if (name == "Alarm" || name.size() >= 8) {
        return 5;
    }
    return name.size() >= 6 ? 4 : 3;
}

// The names of the files in the folder, which a new survey's name must not take.
std::vector<std::string> namesInFolder(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

// The width inside the frame: the lists' columns take their widths from it.
int clientWidth(const QAbstractScrollArea& list) {
    return list.width() - 2 * list.frameWidth();
}

}  // namespace

DataViewDialog::DataViewDialog(const std::string& path, const PalimarApp& app, QWidget* parent)
    : DataViewDialog(path, app.texts(), parent, nullptr, app.appTitle()) {}

DataViewDialog::DataViewDialog(const std::string& path, const TextTable& texts, QWidget* parent,
                               UserVoice* voice, const std::string& appTitle)
    : QDialog(parent),
      texts_(texts),
      voice_(voice),
      displayName_(displayNameOf(path)),
      program_(formatWithArgument(texts.message("IDS_PROGRAM_TITLE"), appTitle, 1)),
      path_(path),
      reportPrinterSource_([this] { return chosenPrinter(this); }),
      savePathSource_(savePathDialog(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setSizeGripEnabled(true);
    if (voice_ == nullptr) {
        ownVoice_ = std::make_unique<QtVoice>(
            this, toQt(texts_.caption(Screen::DataView, "IDD_DIALOG_TITLE_DATAVIEW")));
        voice_ = ownVoice_.get();
    }
    createControls();
    setCaptions();
    load(path);
    table_ = std::make_unique<ReadingTable>(file_);
    drawer_ = std::make_unique<GraphDrawer>();
    drawGraph();
    model_ = new ReadingsModel(*table_, this);
    readings_->setModel(model_);
    sizeReadingColumns();
    createSetupColumns();
    fillReadings();
    connectControls();
    setUnits(surveyPanel_->units());
}

// The list and its model read the table, which goes before the base class deletes the children.
DataViewDialog::~DataViewDialog() {
    delete readings_;
    delete model_;
}

void DataViewDialog::createControls() {
    units_ = std::make_unique<DialogUnits>(fontMetrics());
    createReadingsList();
    aScanRadio_ = new QRadioButton(this);
    bScanRadio_ = new QRadioButton(this);
    aScanRadio_->setAutoExclusive(false);
    bScanRadio_->setAutoExclusive(false);
    minButton_ = new QPushButton(this);
    copyRowsButton_ = new QPushButton(this);
    thinnestButton_ = new QPushButton(this);
    createUnitsBox();
    chart_ = new CCTWX(this);
    setupLabel_ = new QLabel(this);
    setupList_ = new QTreeWidget(this);
    setupList_->setRootIsDecorated(false);
    setupList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    notesLabel_ = new QLabel(this);
    // The whole note, however many lines: it scrolls within its box.
    notesText_ = new QPlainTextEdit(this);
    notesText_->setReadOnly(true);
    notesText_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    notesText_->setFrameStyle(QFrame::Box | QFrame::Plain);
    copyGraphButton_ = new QPushButton(this);
    createReportMenu();
    printGraphButton_ = new QPushButton(this);
    printPageButton_ = new QPushButton(this);
    closeButton_ = new QPushButton(this);
    closeButton_->setDefault(true);
    mapButton_ = new QPushButton(this);
    mapButton_->setCheckable(true);
    surveyPanel_ = new SurveyPanel(texts_, *voice_, this);
    surveyPanel_->hide();
    placeAtDesignSize();
}

void DataViewDialog::createReadingsList() {
    readings_ = new QTableView(this);
    header_ = new CListHeaderCtrl(readings_);
    readings_->setHorizontalHeader(header_);
    readings_->verticalHeader()->hide();
    readings_->setSelectionBehavior(QAbstractItemView::SelectRows);
    readings_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    readings_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    readings_->setShowGrid(false);
    readings_->setWordWrap(false);
    readings_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    readings_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
}

void DataViewDialog::placeAtDesignSize() {
    const Growth fixedTop{0, 0, kTableShare, 0};
    const Growth bottom{0, 0, 1, 0};
    const Growth right{kChartShare, 0, kTableShare, 0};
    places_ = {
        {readings_, {14, 13, 476, 76}, {0, 1, 0, kTableShare}},
        {aScanRadio_, {18, 95, 65, 10}, fixedTop, true},
        {bScanRadio_, {83, 95, 64, 10}, fixedTop, true},
        {minButton_, {147, 92, 50, 14}, fixedTop, true},
        {copyRowsButton_, {205, 92, 93, 14}, fixedTop, true},
        {thinnestButton_, {302, 89, 52, 13}, fixedTop, true},
        {unitsBox_, {358, 89, 44, 13}, fixedTop, true},
        // At the right, above the setup: the setup's label moves right more slowly than it.
        {reportButton_, {410, 92, 80, 14}, {1, 0, kTableShare, 0}, true},
        {chart_, {14, 110, 286, 129}, {0, kChartShare, kTableShare, 1 - kTableShare}},
        {setupLabel_, {310, 102, 32, 8}, right, true},
        {setupList_,
         {310, 112, 179, 76},
         {kChartShare, 1 - kChartShare, kTableShare, 1 - kTableShare}},
        // Room for four lines of a note; a longer note scrolls.
        {notesLabel_, {310, 191, 27, 8}, {kChartShare, 0, 1, 0}, true},
        {notesText_, {309, 201, 180, 38}, {kChartShare, 1 - kChartShare, 1, 0}},
        {copyGraphButton_, {48, 246, 86, 14}, bottom, true},
        {printGraphButton_, {169, 246, 50, 14}, bottom, true},
        {printPageButton_, {260, 246, 50, 14}, bottom, true},
        {closeButton_, {351, 246, 50, 14}, bottom, true},
        {mapButton_, {410, 246, 80, 14}, {1, 0, 1, 0}, true},
        {surveyPanel_, {14, 110, 476, 129}, {0, 1, kTableShare, 1 - kTableShare}},
    };
    const QSize design = units_->size(kDesignWidth, kDesignHeight);
    setMinimumSize(design);
    resize(design);
    placeControls(places_, *units_, design, design);
}

void DataViewDialog::setCaptions() {
    auto caption = [&](std::string_view key) {
        return toQt(texts_.caption(Screen::DataView, key));
    };
    setWindowTitle(caption("IDD_DIALOG_TITLE_DATAVIEW") + QStringLiteral(" - ") +
                   toQt(displayName_));
    minButton_->hide();
    aScanRadio_->setText(caption("IDC_RADIO_ASCAN"));
    bScanRadio_->setText(caption("IDC_RADIO_BSCAN"));
    minButton_->setText(caption("IDC_BTN_MIN"));
    copyRowsButton_->setText(caption("IDC_BTN_COPY_ID_RECORDS"));
    setupLabel_->setText(caption("IDC_STATIC_SETUP"));
    notesLabel_->setText(caption("IDC_STATIC_NOTES_LBL"));
    copyGraphButton_->setText(caption("IDC_BTN_COPY_GRPAH"));
    printGraphButton_->setText(caption("IDC_BTN_PRINT_GRAPH"));
    printPageButton_->setText(caption("IDC_BTN_PRINT"));
    reportButton_->setText(caption("IDC_BTN_REPORT"));
    saveGraphAction_->setText(caption("IDC_MENU_SAVE_GRAPH"));
    saveReportAction_->setText(caption("IDC_MENU_SAVE_REPORT"));
    printReportAction_->setText(caption("IDC_MENU_PRINT_REPORT"));
    saveWorkbookAction_->setText(caption("IDC_MENU_SAVE_WORKBOOK"));
    nextSurveyAction_->setText(caption("IDC_MENU_NEW_SURVEY"));
    addToHistoryAction_->setText(caption("IDC_MENU_ADD_TO_HISTORY"));
    thinnestButton_->setText(caption("IDC_BTN_THINNEST"));
    unitsBox_->setToolTip(caption("IDC_STATIC_VIEW_UNITS"));
    unitsBox_->setAccessibleName(caption("IDC_STATIC_VIEW_UNITS"));
    closeButton_->setText(caption("IDOK"));
    mapButton_->setText(caption("IDC_BTN_SURVEY_MAP"));
}

void DataViewDialog::connectControls() {
    // The list changes its current row before it widens a selection with Ctrl or Shift, so the
    // view looks at the list once the click or key press is done.
    connect(readings_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &DataViewDialog::followCurrentRow, Qt::QueuedConnection);
    connect(readings_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &DataViewDialog::followCurrentRow, Qt::QueuedConnection);
    connect(readings_, &QTableView::clicked, this, &DataViewDialog::followCurrentRow,
            Qt::QueuedConnection);
    connect(header_, &QHeaderView::sectionClicked, this, &DataViewDialog::sortByColumn);
    connect(header_, &QHeaderView::sectionResized, this,
            [this] { readingWidthsByUser_ = readingWidthsByUser_ || !sizingColumns_; });
    connect(setupList_->header(), &QHeaderView::sectionResized, this,
            [this] { setupWidthsByUser_ = setupWidthsByUser_ || !sizingColumns_; });
    connect(aScanRadio_, &QRadioButton::clicked, this, &DataViewDialog::chooseAScan);
    connect(bScanRadio_, &QRadioButton::clicked, this, &DataViewDialog::chooseBScan);
    connect(minButton_, &QPushButton::clicked, this, &DataViewDialog::jumpToMin);
    connect(copyRowsButton_, &QPushButton::clicked, this, &DataViewDialog::copyIdRows);
    connect(copyGraphButton_, &QPushButton::clicked, this, &DataViewDialog::copyGraph);
    connect(printGraphButton_, &QPushButton::clicked, this, &DataViewDialog::printGraph);
    connect(printPageButton_, &QPushButton::clicked, this, &DataViewDialog::printPage);
    connect(saveGraphAction_, &QAction::triggered, this, &DataViewDialog::saveGraph);
    connect(saveReportAction_, &QAction::triggered, this, &DataViewDialog::saveReport);
    connect(printReportAction_, &QAction::triggered, this, &DataViewDialog::printReport);
    connect(saveWorkbookAction_, &QAction::triggered, this, &DataViewDialog::saveWorkbook);
    connect(nextSurveyAction_, &QAction::triggered, this, &DataViewDialog::newSurveyFromThis);
    connect(addToHistoryAction_, &QAction::triggered, this, &DataViewDialog::addToHistory);
    connect(thinnestButton_, &QPushButton::clicked, this, &DataViewDialog::showThinnest);
    connect(unitsBox_, &QComboBox::activated, this, [this](int item) {
        setUnits(item == 0 ? ThicknessUnits::Inches : ThicknessUnits::Millimetres);
    });
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::close);
    connect(mapButton_, &QPushButton::toggled, this, &DataViewDialog::showMap);
    connect(surveyPanel_, &SurveyPanel::pointClicked, this, &DataViewDialog::selectPoint);
}

void DataViewDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    placeControls(places_, *units_, units_->size(kDesignWidth, kDesignHeight), event->size());
    if (table_) {
        if (!readingWidthsByUser_) {
            sizeReadingColumns();
        }
        if (!setupWidthsByUser_) {
            sizeSetupColumns();
        }
    }
}

void DataViewDialog::load(const std::string& path) {
    auto file = readDataFile(path);
    if (!file) {
        reportFileOpenError(*voice_, texts_, path);
        return;
    }
    file_ = std::move(*file);
    surveyPanel_->load(file_, std::filesystem::path(path).parent_path().string(),
                       std::filesystem::path(path).filename().string());
    book_ = bookBScan(file_);
    minButton_->setVisible(book_.hasMinRow || !thinnestPoints(surveyPanel_->survey(), 1).empty());
    if (book_.hasBScan) {
        mode_.bscanChoice = true;
        mode_.ascanChoice = false;
    }
}

void DataViewDialog::sizeReadingColumns() {
    const QScopedValueRollback<bool> sizing(sizingColumns_, true);
    const int unit = clientWidth(*readings_) / 45;
    for (int column = 0; column < table_->columnCount(); ++column) {
        readings_->setColumnWidth(column, unit * columnFactor(table_->columnName(column)));
    }
}

void DataViewDialog::createSetupColumns() {
    setupList_->setColumnCount(2);
    setupList_->setHeaderLabels({toQt(texts_.message("IDS_DATAVIEW_SETUP_TYPE")),
                                 toQt(texts_.message("IDS_DATAVIEW_SETUP_VALUE"))});
    sizeSetupColumns();
}

void DataViewDialog::sizeSetupColumns() {
    const QScopedValueRollback<bool> sizing(sizingColumns_, true);
    const int width = clientWidth(*setupList_);
    setupList_->setColumnWidth(0, width / 20 * 9);
    setupList_->setColumnWidth(1, width / 20 * 10);
}

void DataViewDialog::fillReadings() {
    if (!book_.hasBScan) {
        header_->setSortMark(0, false);
    }
    readings_->setFocus();
    if (table_->rowCount() == 0) {
        drawGraph();  // says that the file holds no readings
        return;
    }
    mode_.initialSelection = true;
    const QModelIndex first = model_->index(0, 0);
    readings_->scrollTo(first);
    readings_->selectionModel()->setCurrentIndex(
        first, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    selectReading(0);
    mode_.initialSelection = false;
}

int DataViewDialog::selectedRowCount() const {
    return int(readings_->selectionModel()->selectedRows().size());
}

void DataViewDialog::followCurrentRow() {
    const int row = readings_->currentIndex().row();
    if (row < 0 || selectedRowCount() >= 2 || (selection_.valid && row == selection_.row)) {
        return;
    }
    selectReading(row);
}

void DataViewDialog::selectReading(int row) {
    if (row < 0 || row >= table_->rowCount() || selectedRowCount() >= 2) {
        return;
    }
    aScanRadio_->setEnabled(false);
    bScanRadio_->setEnabled(false);
    selection_ = selectionAt(*table_, row);
    const bool both = isBScanRow(selection_.bscan) && selection_.ascan == "ON";
    aScanRadio_->setEnabled(both);
    bScanRadio_->setEnabled(both);
    showSetup(leadingNumber(selection_.setupNumber));
    showNote(leadingNumber(selection_.noteNumber));
    drawGraph();
    surveyPanel_->setSelectedPoint(table_->readingIndex(row));
}

void DataViewDialog::showSetup(int setupNumber) {
    setupList_->clear();
    QList<QTreeWidgetItem*> items;
    for (const auto& [type, value] : setupListRows(file_, setupNumber, setup_)) {
        items.append(new QTreeWidgetItem({toQt(type), toQt(value)}));
    }
    setupList_->addTopLevelItems(items);
}

void DataViewDialog::showNote(int noteNumber) {
    notes_ = noteText(file_, noteNumber);
    notesText_->setPlainText(toQt(notes_).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void DataViewDialog::drawGraph() {
    const char* notice =
        table_->rowCount() == 0 ? "IDS_REPORT_NO_READINGS" : "IDS_DATAVIEW_NO_WAVEFORM";
    chart_->redraw(drawer_->draw(
        {*table_, book_, selection_, setup_, displayName_, texts_.message(notice)}, mode_));
    showDisplayMode();
}

// The choice shows the chart drawn: a reading without a cross-section shows its A-scan even
// while B-scan is chosen.
void DataViewDialog::showDisplayMode() {
    aScanRadio_->setChecked(mode_.shown == ChartShown::AScan);
    bScanRadio_->setChecked(mode_.shown == ChartShown::BScan);
}

void DataViewDialog::chooseAScan() {
    showMap(false);
    mode_.ascanChoice = true;
    mode_.bscanChoice = false;
    drawGraph();
}

void DataViewDialog::chooseBScan() {
    showMap(false);
    mode_.ascanChoice = false;
    mode_.bscanChoice = true;
    drawGraph();
}

void DataViewDialog::showMap(bool shown) {
    mapButton_->setChecked(shown);
    surveyPanel_->setVisible(shown);
    for (QWidget* widget : std::initializer_list<QWidget*>{chart_, setupLabel_, setupList_,
                                                           notesLabel_, notesText_}) {
        widget->setVisible(!shown);
    }
}

void DataViewDialog::selectPoint(int readingIndex) {
    goToRow(table_->rowOfReading(readingIndex));
}

void DataViewDialog::sortByColumn(int column) {
    if (book_.hasBScan || column < 0 || column >= table_->columnCount()) {
        return;
    }
    if (column == sortColumn_) {
        ascending_ = !ascending_;
    } else {
        sortColumn_ = column;
        ascending_ = column != 0;
    }
    const int reading = selection_.valid ? table_->readingIndex(selection_.row) : -1;
    model_->sortRows(column, ascending_);
    if (reading >= 0) {
        selection_.row = table_->rowOfReading(reading);
    }
    header_->setSortMark(column, ascending_);
}

// Within a B-scan segment with a MIN row, that row (the gauge's mark of the segment's
// minimum); anywhere else the file's thinnest reading, the first of equals, as "Thinnest..."
// lists it first.
void DataViewDialog::jumpToMin() {
    const int mark = readings_->currentIndex().row();
    readings_->setFocus();
    for (const BScanSegment& segment : book_.segments) {
        if (segment.holds(mark) && segment.firstMin != -1) {
            goToRow(segment.firstMin);
            return;
        }
    }
    const std::vector<std::size_t> thinnest = thinnestPoints(surveyPanel_->survey(), 1);
    if (!thinnest.empty()) {
        goToRow(table_->rowOfReading(static_cast<int>(thinnest.front())));
    }
}

void DataViewDialog::goToRow(int row) {
    if (row < 0 || row >= table_->rowCount()) {
        return;
    }
    const QModelIndex target = model_->index(row, 0);
    readings_->scrollTo(target);
    readings_->selectionModel()->setCurrentIndex(
        target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    selectReading(row);
}

void DataViewDialog::copyIdRows() {
    if (table_->rowCount() == 0) {
        return;
    }
    std::vector<int> rows;
    for (const QModelIndex& index : readings_->selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    QGuiApplication::clipboard()->setText(toQt(idRowsText(*table_, rows)));
}

bool DataViewDialog::mapShown() const {
    return mapButton_->isChecked();
}

GraphPicture DataViewDialog::shownGraph() const {
    return mapShown() ? surveyPanel_->map()->picture()
                      : chartGraph(paperChart(chart_->model()), chart_->logicalSize());
}

void DataViewDialog::copyGraph() {
    if (mapShown()) {
        QGuiApplication::clipboard()->setImage(graphImage(surveyPanel_->map()->picture()));
        return;
    }
    chart_->copyToClipboard();
}

std::unique_ptr<QPrinter> DataViewDialog::printerOrSay() {
    auto printer = printerSource_ ? printerSource_() : nullptr;
    if (!printer) {
        voice_->show(MessageKind::Error, texts_.message("IDS_ERR_NO_DEFAULT_PRINTER"));
    }
    return printer;
}

void DataViewDialog::printGraph() {
    auto printer = printerOrSay();
    if (!printer) {
        return;
    }
    const bool printed = mapShown() ? printGraphPicture(surveyPanel_->map()->picture(), *printer)
                                    : chart_->printChart(*printer);
    if (!printed) {
        voice_->show(MessageKind::Error, texts_.message("IDS_ERR_PRINT_FAILED"));
    }
}

void DataViewDialog::printPage() {
    if (auto printer = printerOrSay(); printer && !printWindowPicture(*this, *printer)) {
        voice_->show(MessageKind::Error, texts_.message("IDS_ERR_PRINT_FAILED"));
    }
}

// Pictures and reports without a printer, and the report on one, behind one button.
void DataViewDialog::createReportMenu() {
    reportButton_ = new QPushButton(this);
    auto* menu = new QMenu(reportButton_);
    saveGraphAction_ = menu->addAction(QString());
    saveReportAction_ = menu->addAction(QString());
    printReportAction_ = menu->addAction(QString());
    saveWorkbookAction_ = menu->addAction(QString());
    menu->addSeparator();
    nextSurveyAction_ = menu->addAction(QString());
    nextSurveyAction_->setEnabled(false);
    addToHistoryAction_ = menu->addAction(QString());
    addToHistoryAction_->setEnabled(false);
    reportButton_->setMenu(menu);
}

// Inches first, millimetres second, as the files name them.
void DataViewDialog::createUnitsBox() {
    unitsBox_ = new QComboBox(this);
    for (const ThicknessUnits units : {ThicknessUnits::Inches, ThicknessUnits::Millimetres}) {
        unitsBox_->addItem(toQt(std::string(unitsText(units))));
    }
}

void DataViewDialog::setUnits(ThicknessUnits units) {
    unitsBox_->setCurrentIndex(units == ThicknessUnits::Inches ? 0 : 1);
    model_->setUnits(units);
    surveyPanel_->setUnits(units);
    if (thinnest_) {
        thinnest_->setSurvey(surveyPanel_->survey());
    }
}

void DataViewDialog::showThinnest() {
    if (!thinnest_) {
        thinnest_ = new ThinnestDialog(texts_, this);
        connect(thinnest_, &ThinnestDialog::pointChosen, this, &DataViewDialog::selectPoint);
        thinnest_->setSurvey(surveyPanel_->survey());
    }
    thinnest_->show();
    thinnest_->raise();
}

void DataViewDialog::setNextSurveyHandler(NextSurveyHandler handler) {
    nextSurveyHandler_ = std::move(handler);
    nextSurveyAction_->setEnabled(bool(nextSurveyHandler_));
}

void DataViewDialog::setAddToHistoryHandler(HistoryHandler handler) {
    historyHandler_ = std::move(handler);
    addToHistoryAction_->setEnabled(bool(historyHandler_));
}

void DataViewDialog::addToHistory() {
    if (historyHandler_) {
        historyHandler_(path_, this, *voice_);
    }
}

void DataViewDialog::newSurveyFromThis() {
    if (!nextSurveyHandler_) {
        return;
    }
    const std::filesystem::path path(path_);
    nextSurveyHandler_(nextSurveyRequest(file_, path.filename().string(),
                                         namesInFolder(path.parent_path().string())));
}

void DataViewDialog::saveBytes(const QString& path, const QByteArray& bytes) {
    if (bytes.isEmpty()) {
        voice_->show(MessageKind::Error, texts_.message("IDS_ERR_REPORT_FAILED"));
        return;
    }
    saveOrReport(fromQt(path), std::string_view(bytes.constData(), std::size_t(bytes.size())),
                 *voice_, texts_);
}

void DataViewDialog::saveGraph() {
    const QString png = toQt(texts_.message("IDS_STR_PNG_FILTER"));
    const QString pdf = toQt(texts_.message("IDS_STR_PDF_FILTER"));
    const QString suggested = toQt(withExtension(displayName_, ".png"));
    const QString path = savePathSource_(toQt(texts_.message("IDS_STR_SAVE_GRAPH_TITLE")),
                                         suggested, png + ";;" + pdf);
    if (path.isEmpty()) {
        return;
    }
    const auto format = graphFormatOf(path).value_or(GraphFormat::Png);
    const WaitCursor wait(*voice_);
    saveBytes(path, graphBytes(shownGraph(), format));
}

void DataViewDialog::saveReport() {
    const QString suggested = toQt(withExtension(displayName_, ".pdf"));
    const QString path = savePathSource_(toQt(texts_.message("IDS_STR_REPORT_TITLE")), suggested,
                                         toQt(texts_.message("IDS_STR_PDF_FILTER")));
    if (path.isEmpty()) {
        return;
    }
    const WaitCursor wait(*voice_);
    saveBytes(path, inspectionReportPdf(
                        {file_, displayName_, surveyPanel_->earlier(), surveyPanel_->units()},
                        {texts_, program_, reportDateNow()}));
}

// The survey as the view shows it, with the earlier survey it is compared with.
void DataViewDialog::saveWorkbook() {
    const QString suggested = toQt(withExtension(displayName_, ".xlsx"));
    const QString path = savePathSource_(toQt(texts_.message("IDS_STR_WORKBOOK_TITLE")), suggested,
                                         toQt(texts_.message("IDS_STR_XLSX_FILTER")));
    if (path.isEmpty()) {
        return;
    }
    const WaitCursor wait(*voice_);
    const EarlierSurvey earlier = surveyPanel_->earlier();
    const SurveyWorkbookSubject subject{file_, displayName_, earlier.file, earlier.name,
                                        earlier.minimumThickness};
    saveWorkbookBytes(fromQt(path), surveyWorkbookBytes(subject, program_), *voice_, texts_);
}

void DataViewDialog::printReport() {
    const PrinterChoice choice = reportPrinterSource_();
    if (choice.cancelled) {
        return;
    }
    if (!choice.printer) {
        voice_->show(MessageKind::Error, texts_.message("IDS_ERR_NO_DEFAULT_PRINTER"));
        return;
    }
    const WaitCursor wait(*voice_);
    if (paintInspectionReport(*choice.printer,
                              {file_, displayName_, surveyPanel_->earlier(), surveyPanel_->units()},
                              {texts_, program_, reportDateNow()}) == 0) {
        voice_->show(MessageKind::Error, texts_.message("IDS_ERR_PRINT_FAILED"));
    }
}

}  // namespace korvel
