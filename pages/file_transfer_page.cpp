#include "pages/file_transfer_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/folder_chain.h"
#include "app/palimar_app.h"
#include "app/platform.h"
#include "app/save_message.h"
#include "app/ui/desktop_open.h"
#include "app/ui/file_list_view.h"
#include "app/ui/folder_controls.h"
#include "app/ui/gauge_operation_runner.h"
#include "app/ui/qt_text.h"
#include "app/ui/qt_voice.h"
#include "app/ui/sheet_pages.h"
#include "datafile/output_file.h"
#include "datafile/text_report_reader.h"
#include "datafile/text_report_writer.h"
#include "dataview/dialog/data_view_dialog.h"
#include "dataview/history/add_to_history.h"
#include "gauge/gauge_directory.h"
#include "gauge/gauge_link.h"
#include "gauge/read_from_gauge.h"
#include "gauge/write_to_gauge.h"
#include "pages/pc_folder_listing.h"
#include "report/inspection_report.h"
#include "workbook/survey_workbook.h"

namespace korvel {

namespace {

constexpr std::size_t kStartFolderLimit = 256;
constexpr std::size_t kStoredFolderLimit = 260;
constexpr int kStatusLines = 4;  // the link failure: its line, a blank line, two of advice

// The name holds the extension at a position after its first character.
bool hasExtensionAfterStart(const QString& name, const QString& extension) {
    return name.indexOf(extension) > 0;
}

bool isDataFileName(const QString& name) {
    return hasExtensionAfterStart(name, ".CSV") || hasExtensionAfterStart(name, ".csv");
}

// A data file the data view shows: a .CSV name with a Type other than SETUP.
bool isViewable(const QString& name, const QString& type) {
    return isDataFileName(name) && !type.isEmpty() && type != "SETUP";
}

}  // namespace

CFileTransferPage::CFileTransferPage(const PageContext& context, QWidget* parent)
    : KorvelPage(context.app, Screen::FileTransfer, "IDD_DIALOG_TITLE_FILE_TRANSFER", parent),
      context_(context) {}

CFileTransferPage::~CFileTransferPage() {
    // An operation still running may hand over a PC list refresh: it ends while the page is
    // whole.
    if (operationRunning()) {
        operation().cancel();
        operation().waitUntilEnded();
    }
    if (isInitialised() && !app().writePcDataFolder(fromQt(pcDataFolder()))) {
        reportSaveFailure(voice(), app().texts(), app().settingsFile());
    }
}

QString CFileTransferPage::pcDataFolder() const {
    return folderControls_ ? folderControls_->folder() : QString();
}

void CFileTransferPage::initialise() {
    auto* columns = new QHBoxLayout;
    columns->addWidget(buildGaugeBox(), 1);
    columns->addWidget(buildMiddleButtons());
    columns->addWidget(buildHostBox(), 1);
    auto* layout = new QVBoxLayout(body());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(columns, 1);
    layout->addWidget(buildProgressAndStatus());
    setOwnVoice(std::make_unique<QtVoice>(this, toQt(app().appTitle()), progress_, status_));
    operation().holdWhileRunning({gaugeBox_, middleButtons_, hostBox_});
    operation().setCancelButton(cancel_);
    connectControls();
    toGauge_->show();
    DisableFileButtons();
}

void CFileTransferPage::firstShown() {
    settleStartFolder();
}

QWidget* CFileTransferPage::buildGaugeBox() {
    gaugeBox_ = new QGroupBox(caption("IDC_STATIC_GAGE"), body());
    refreshGauge_ = new QPushButton(caption("IDC_BTN_GUAGE_DIR"), gaugeBox_);
    gaugeList_ = new FileListView(app().texts(), Screen::FileTransfer, true, gaugeBox_);
    gaugeList_->setObjectName("gaugeList");
    gaugeList_->setComfortableSize({380, 300});
    gaugeList_->sortByAnyColumn();
    auto* layout = new QVBoxLayout(gaugeBox_);
    layout->addWidget(refreshGauge_, 0, Qt::AlignLeft);
    layout->addWidget(gaugeList_, 1);
    return gaugeBox_;
}

QWidget* CFileTransferPage::buildMiddleButtons() {
    auto* panel = middleButtons_ = new QWidget(body());
    auto* layout = new QVBoxLayout(panel);
    toGauge_ = new QPushButton(caption("IDC_BTN_FILE_TO_GUAGE"), panel);
    fromGauge_ = new QPushButton(caption("IDC_BTN_FILE_FROM_GUAGE"), panel);
    dataView_ = new QPushButton(caption("IDC_BTN_DATAVIEW"), panel);
    export_ = new QPushButton(caption("IDC_BTN_EXPORT"), panel);
    report_ = new QPushButton(caption("IDC_BTN_PC_REPORT"), panel);
    workbook_ = new QPushButton(caption("IDC_BTN_PC_WORKBOOK"), panel);
    history_ = new QPushButton(caption("IDC_BTN_PC_ADD_HISTORY"), panel);
    import_ = new QPushButton(caption("IDC_BTN_IMPORT"), panel);
    layout->addStretch(1);
    for (QPushButton* button : {toGauge_, fromGauge_}) {
        layout->addWidget(button);
    }
    layout->addSpacing(24);
    for (QPushButton* button : {dataView_, report_, workbook_, history_, export_, import_}) {
        layout->addWidget(button);
    }
    layout->addStretch(1);
    return panel;
}

QWidget* CFileTransferPage::buildHostBox() {
    hostBox_ = new QGroupBox(caption("IDC_STATIC_HOSTPC"), body());
    selectFolder_ = new QPushButton(caption("IDC_BTN_HOST_DIR"), hostBox_);
    refreshFolder_ = new QPushButton(caption("IDC_BTN_HOST_DIR_REFRESH"), hostBox_);
    folderBox_ = new FolderBox(hostBox_);
    folderBox_->setObjectName("folderBox");
    pcList_ = new FileListView(app().texts(), Screen::FileTransfer, false, hostBox_);
    pcList_->setObjectName("pcList");
    pcList_->setComfortableSize({380, 270});
    pcList_->sortByAnyColumn();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(selectFolder_);
    buttons->addWidget(refreshFolder_);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(hostBox_);
    layout->addLayout(buttons);
    layout->addWidget(folderBox_);
    layout->addWidget(pcList_, 1);
    folderControls_ = new FolderControls(app(), selectFolder_, refreshFolder_, folderBox_, this);
    folderControls_->setChooserRoots(context_.chooserRoots);
    return hostBox_;
}

QWidget* CFileTransferPage::buildProgressAndStatus() {
    auto* panel = new QWidget(body());
    progressLabel_ = new QLabel(caption("IDC_STATIC_TRANSFER_PROGRESS"), panel);
    progress_ = new QProgressBar(panel);
    progress_->setTextVisible(false);
    statusLabel_ = new QLabel(caption("IDC_STATIC_STATUS"), panel);
    status_ = new QLabel(panel);
    status_->setObjectName("statusLine");
    // A long message (the link failure with its advice) wraps instead of widening the sheet,
    // in lines kept free for it from the start.
    status_->setWordWrap(true);
    status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    status_->setMinimumHeight(kStatusLines * status_->fontMetrics().lineSpacing());
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    cancel_ = new QPushButton(caption("IDC_BTN_CANCEL_OPERATION"), panel);
    cancel_->setObjectName("cancelButton");
    cancel_->setAutoDefault(false);
    auto* layout = new QGridLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(progressLabel_, 0, 0);
    layout->addWidget(progress_, 0, 1);
    layout->addWidget(cancel_, 0, 2);
    layout->addWidget(statusLabel_, 1, 0, Qt::AlignTop);
    layout->addWidget(status_, 1, 1);
    layout->setColumnStretch(1, 1);
    return panel;
}

void CFileTransferPage::connectControls() {
    connect(refreshGauge_, &QPushButton::clicked, this, &CFileTransferPage::refreshGaugeList);
    connect(fromGauge_, &QPushButton::clicked, this, &CFileTransferPage::transferFromGauge);
    connect(toGauge_, &QPushButton::clicked, this, &CFileTransferPage::transferToGauge);
    connect(dataView_, &QPushButton::clicked, this, &CFileTransferPage::openDataView);
    connect(export_, &QPushButton::clicked, this, &CFileTransferPage::exportSelected);
    connect(report_, &QPushButton::clicked, this, &CFileTransferPage::reportSelected);
    connect(workbook_, &QPushButton::clicked, this, &CFileTransferPage::workbookSelected);
    connect(history_, &QPushButton::clicked, this, &CFileTransferPage::addSelectedToHistory);
    connect(import_, &QPushButton::clicked, this, &CFileTransferPage::importSelected);
    connect(folderControls_, &FolderControls::refreshRequested, this,
            &CFileTransferPage::RefreshPcFileList);
    connect(folderControls_, &FolderControls::chooserCancelled, this,
            &CFileTransferPage::DisableFileButtons);
    // The rules follow every change of the selection (a click, the arrow keys, Space,
    // type-ahead); a click on the selected row applies them again.
    connect(pcList_, &FileListView::mouseClicked, this, &CFileTransferPage::applyPcClickRule);
    connect(pcList_, &QTreeWidget::itemSelectionChanged, this,
            &CFileTransferPage::applyPcClickRule);
    connect(pcList_, &QTreeWidget::itemDoubleClicked, this, &CFileTransferPage::openSelected);
    connect(gaugeList_, &FileListView::mouseClicked, this, &CFileTransferPage::applyGaugeClickRule);
    connect(gaugeList_, &QTreeWidget::itemSelectionChanged, this,
            &CFileTransferPage::applyGaugeClickRule);
}

void CFileTransferPage::settleStartFolder() {
    std::string folder = app().pcDataFolder().substr(0, kStoredFolderLimit);
    if (folder.empty()) {
        folder = joinPath(currentDirectory().substr(0, kStartFolderLimit), "data");
    }
    folderControls_->setFolder(toQt(folder));
    // The folder becomes the current directory, where the create page writes and the
    // directory chooser opens; a missing one is made first.
    if (!setCurrentDirectory(folder) && makeFolderChain(folder) == 1) {
        setCurrentDirectory(folder);
    }
}

void CFileTransferPage::RefreshPcFileList() {
    const std::string folder = fromQt(pcDataFolder());
    if (!folder.empty()) {
        FillFileList(pcList_, listTransferFolder(folder));
    }
    DisableFileButtons();
}

void CFileTransferPage::DisableFileButtons() {
    for (QPushButton* button :
         {toGauge_, fromGauge_, dataView_, report_, workbook_, history_, export_, import_}) {
        button->setEnabled(false);
    }
}

// The PC list is read again at each activation, so that a file made on another page (File
// Create, File Merge) is there; its buttons wait for a click as before.
void CFileTransferPage::activated() {
    voice().setProgressRange(1, 100);
    RefreshPcFileList();
}

void CFileTransferPage::showFileButtons(bool viewAndExport, bool toGauge, bool import) {
    dataView_->setEnabled(viewAndExport);
    export_->setEnabled(viewAndExport);
    report_->setEnabled(viewAndExport);
    workbook_->setEnabled(viewAndExport);
    history_->setEnabled(viewAndExport);
    toGauge_->setEnabled(toGauge);
    import_->setEnabled(import);
}

void CFileTransferPage::applyPcClickRule() {
    toGauge_->setEnabled(false);
    const QList<int> rows = pcList_->selectedRows();
    if (rows.isEmpty()) {
        showFileButtons(false, false, false);
        return;
    }
    toGauge_->show();
    const QString name = pcList_->nameAt(rows.first());
    const QString type = pcList_->typeAt(rows.first());
    if (isViewable(name, type)) {
        showFileButtons(true, true, false);
        return;
    }
    const bool report =
        hasExtensionAfterStart(name, ".DAT") || hasExtensionAfterStart(name, ".dat");
    showFileButtons(false, type == "SETUP", report);
}

void CFileTransferPage::applyGaugeClickRule() {
    fromGauge_->setEnabled(!gaugeList_->selectedRows().isEmpty());
}

std::string CFileTransferPage::selectedPcPath() const {
    const int row = pcList_->selectedRow();
    const QString name = row < 0 ? QString() : pcList_->nameAt(row);
    return name.isEmpty() ? std::string() : joinPath(fromQt(pcDataFolder()), fromQt(name));
}

void CFileTransferPage::openSelected() {
    const int row = pcList_->selectedRow();
    if (row >= 0 && isViewable(pcList_->nameAt(row), pcList_->typeAt(row))) {
        openDataViewOf(pcList_->nameAt(row));
        return;
    }
    const std::string path = selectedPcPath();
    if (!path.empty()) {
        openWithDesktop(path, voice(), app().texts());
    }
}

std::vector<std::string> CFileTransferPage::selectedNames(const FileListView* list) const {
    std::vector<std::string> names;
    for (int row : list->selectedRows()) {
        names.push_back(fromQt(list->nameAt(row)));
    }
    return names;
}

// Each operation works on a link of its own, made on the worker thread with the runner's
// voice; every operation ends with the release sequence, so no link outlives it.
void CFileTransferPage::refreshGaugeList() {
    auto entries = std::make_shared<std::optional<std::vector<FileListEntry>>>();
    operation().start(
        [entries, &texts = app().texts()](UserVoice& voice) {
            GaugeLink link(voice, texts);
            *entries = refreshGaugeFileList(link);
            return link.outcome();
        },
        [this, entries](Outcome outcome) {
            if (outcome == Outcome::Done && *entries) {
                showGaugeFiles(**entries);
            }
        });
}

void CFileTransferPage::showGaugeFiles(const std::vector<FileListEntry>& entries) {
    FillFileList(gaugeList_, entries);
    gaugeFiles_ = namesOf(entries);
}

void CFileTransferPage::transferFromGauge() {
    toGauge_->setEnabled(false);
    // The PC list shows each file as soon as it is saved.
    const auto refresh = [this, &runner = operation()] {
        runner.postToWindow([this] { RefreshPcFileList(); });
    };
    operation().start(
        [names = selectedNames(gaugeList_), folder = fromQt(pcDataFolder()), &texts = app().texts(),
         refresh](UserVoice& voice) {
            GaugeLink link(voice, texts);
            readFilesFromGauge(link, names, folder, refresh);
            return link.outcome();
        },
        [this](Outcome) { fromGauge_->setEnabled(false); });
}

void CFileTransferPage::transferToGauge() {
    toGauge_->setEnabled(false);
    fromGauge_->setEnabled(false);
    GaugeWriteSetup setup;
    setup.pcDataFolder = fromQt(pcDataFolder());
    if (app().debugLog()) {
        setup.debugLogPath = debugLogPathIn(app().settingsFolder());
    }
    // The gauge list as last refreshed tells which files the gauge holds; without one the
    // batch lists the data log first. The list is taken again afterwards.
    setup.gaugeFiles = gaugeFiles_;
    auto entries = std::make_shared<std::optional<std::vector<FileListEntry>>>();
    operation().start(
        [names = selectedNames(pcList_), setup, &texts = app().texts(), entries](UserVoice& voice) {
            GaugeLink link(voice, texts);
            writeFilesToGauge(link, names, setup);
            // The upload's outcome, whatever the listing after it meets.
            const Outcome outcome = link.outcome();
            *entries = relistAfterUpload(link);
            return outcome;
        },
        [this, entries](Outcome) {
            // A list not taken again (a cancel, a lost gauge) no longer tells what the gauge
            // holds: the next upload lists the data log first.
            if (*entries) {
                showGaugeFiles(**entries);
            } else {
                gaugeFiles_.reset();
            }
            // The PC files stay selected, so their buttons follow the selection again.
            applyPcClickRule();
            applyGaugeClickRule();
        });
}

void CFileTransferPage::openDataView() {
    const int row = pcList_->selectedRow();
    if (row >= 0) {
        openDataViewOf(pcList_->nameAt(row));
    }
}

void CFileTransferPage::openDataViewOf(const QString& name) {
    if (name.isEmpty()) {
        return;
    }
    auto* view = new DataViewDialog(joinPath(fromQt(pcDataFolder()), fromQt(name)), app(), this);
    if (pageEnabled(SheetPage::FileCreate, app())) {
        view->setNextSurveyHandler(
            [this](const CreateRequest& request) { emit nextSurveyRequested(request); });
    }
    view->setAddToHistoryHandler([this](const std::string& path, QWidget* window, UserVoice& said) {
        addToHistory(window, app(), {path}, said);
    });
    view->show();
}

void CFileTransferPage::addSelectedToHistory() {
    std::vector<std::string> paths;
    for (const int row : pcList_->selectedRows()) {
        paths.push_back(joinPath(fromQt(pcDataFolder()), fromQt(pcList_->nameAt(row))));
    }
    addToHistory(this, app(), paths, voice());
}

void CFileTransferPage::reportSelected() {
    const int row = pcList_->focusRow();
    if (row < 0) {
        return;
    }
    const std::string path = joinPath(fromQt(pcDataFolder()), fromQt(pcList_->nameAt(row)));
    // An earlier survey of the layout in the folder is offered as Compare... offers it.
    const EarlierSurveyChoice earlier = earlierSurveySource_(path);
    const QString pdf = savePathSource_(toQt(app().texts().message("IDS_STR_REPORT_TITLE")),
                                        toQt(withExtension(path, ".pdf")),
                                        toQt(app().texts().message("IDS_STR_PDF_FILTER")));
    if (pdf.isEmpty()) {
        return;
    }
    const WaitCursor wait(voice());
    // The save dialog has asked about an existing file already.
    const ReportSigner signer{app().texts(), programWindowTitle(app()), reportDateNow()};
    if (saveInspectionReport(path, earlier.path, fromQt(pdf), signer, voice(), OverwriteAsked::Yes,
                             earlier.minimumThickness)) {
        RefreshPcFileList();
    }
}

void CFileTransferPage::workbookSelected() {
    const int row = pcList_->focusRow();
    if (row < 0) {
        return;
    }
    const std::string path = joinPath(fromQt(pcDataFolder()), fromQt(pcList_->nameAt(row)));
    const QString out = savePathSource_(toQt(app().texts().message("IDS_STR_WORKBOOK_TITLE")),
                                        toQt(withExtension(path, ".xlsx")),
                                        toQt(app().texts().message("IDS_STR_XLSX_FILTER")));
    if (out.isEmpty()) {
        return;
    }
    const WaitCursor wait(voice());
    // The save dialog has asked about an existing file already.
    if (saveSurveyWorkbook({path, "", fromQt(out), true}, app().texts(), programWindowTitle(app()),
                           voice())) {
        RefreshPcFileList();
    }
}

void CFileTransferPage::exportSelected() {
    const int row = pcList_->selectedRow();
    if (row >= 0 && exportTextReport(fromQt(pcDataFolder()), fromQt(pcList_->nameAt(row)), voice(),
                                     app().texts())
                        .written) {
        RefreshPcFileList();
    }
}

void CFileTransferPage::importSelected() {
    const int row = pcList_->selectedRow();
    if (row >= 0 && importTextReport(fromQt(pcDataFolder()), fromQt(pcList_->nameAt(row)), voice(),
                                     app().texts())
                        .written) {
        RefreshPcFileList();
    }
}

}  // namespace korvel
