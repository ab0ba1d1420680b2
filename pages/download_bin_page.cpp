#include "pages/download_bin_page.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ui/gauge_operation_runner.h"
#include "app/ui/qt_text.h"
#include "app/ui/qt_voice.h"
#include "gauge/firmware_upgrade.h"

namespace korvel {

namespace {

QString askForImage(QWidget* parent, const QString& title, const QString& folder,
                    const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

}  // namespace

CDownloadBinPage::CDownloadBinPage(const PageContext& context, QWidget* parent)
    : KorvelPage(context.app, Screen::SoftwareUpgrade, "IDD_DIALOG_TITLE_SOFTWAREUPGRADE", parent),
      chooseFile_([this](const QString& title, const QString& folder, const QString& filter) {
          return askForImage(this, title, folder, filter);
      }) {}

void CDownloadBinPage::initialise() {
    auto* layout = new QVBoxLayout(body());
    layout->addWidget(buildFileRow());
    instructions_ = new QLabel(toQt(app().texts().upgradeInstructions()), body());
    instructions_->setObjectName(QStringLiteral("instructions"));
    instructions_->setWordWrap(true);
    instructions_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(instructions_, 1);
    layout->addWidget(buildStartRow());
    layout->addWidget(buildProgressAndStatus());
    setOwnVoice(std::make_unique<QtVoice>(this, toQt(app().appTitle()), progress_, status_));
    operation().holdWhileRunning({select_, start_});
    operation().setCancelButton(cancel_);
    connect(&operation(), &GaugeOperationRunner::cancellableChanged, this,
            [this](bool cancellable) { noCancel_->setVisible(!cancellable); });
    connect(&operation(), &GaugeOperationRunner::runningChanged, this,
            [this](bool running) { noCancel_->setVisible(running && !operation().cancellable()); });
    fillModelList();
    connect(select_, &QPushButton::clicked, this, &CDownloadBinPage::selectFile);
    connect(start_, &QPushButton::clicked, this, &CDownloadBinPage::startDownload);
}

QWidget* CDownloadBinPage::buildFileRow() {
    auto* row = new QWidget(body());
    auto* grid = new QGridLayout(row);
    select_ = new QPushButton(caption("IDC_BTN_SELECT_FILE"), row);
    modelLabel_ = new QLabel(caption("IDC_STATIC_GAGEMODEL"), row);
    modelList_ = new QComboBox(row);
    // The models are kept for the configuration's sake; no operation uses the selection.
    modelLabel_->hide();
    modelList_->setEnabled(false);
    modelList_->hide();
    fileBox_ = new QLineEdit(row);
    fileBox_->setEnabled(false);
    grid->addWidget(select_, 0, 1);
    grid->addWidget(modelLabel_, 0, 2);
    grid->addWidget(modelList_, 0, 3);
    grid->addWidget(new QLabel(caption("IDC_STATIC_FILE"), row), 1, 0);
    grid->addWidget(fileBox_, 1, 1, 1, 3);
    grid->setColumnStretch(3, 1);
    return row;
}

QWidget* CDownloadBinPage::buildStartRow() {
    auto* row = new QWidget(body());
    start_ = new QPushButton(caption("IDC_BTN_DOWNLOAD"), row);
    start_->setEnabled(false);
    cancel_ = new QPushButton(caption("IDC_BTN_CANCEL_OPERATION"), row);
    cancel_->setObjectName(QStringLiteral("cancelButton"));
    noCancel_ = new QLabel(message("IDS_STATUS_UPGRADE_NOCANCEL"), row);
    noCancel_->setObjectName(QStringLiteral("noCancel"));
    noCancel_->hide();
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(start_);
    layout->addWidget(cancel_);
    layout->addWidget(noCancel_, 1);
    return row;
}

QWidget* CDownloadBinPage::buildProgressAndStatus() {
    auto* panel = new QWidget(body());
    auto* grid = new QGridLayout(panel);
    progress_ = new QProgressBar(panel);
    progress_->setTextVisible(false);
    status_ = new QLabel(caption("IDC_STATIC_STATUS_MSG"), panel);
    status_->setObjectName(QStringLiteral("status"));
    grid->addWidget(new QLabel(caption("IDC_STATIC_DL_PROGRESS"), panel), 0, 0);
    grid->addWidget(progress_, 0, 1);
    grid->addWidget(new QLabel(caption("IDC_STATIC_DL_STATUS"), panel), 1, 0);
    grid->addWidget(status_, 1, 1);
    grid->setColumnStretch(1, 1);
    status_->clear();
    return panel;
}

void CDownloadBinPage::fillModelList() {
    if (app().gaugeModel(0).empty()) {
        return;
    }
    for (int model = 0; model < 3; ++model) {
        if (!app().gaugeModel(model).empty()) {
            modelList_->addItem(toQt(app().gaugeModel(model)));
        }
    }
    modelList_->setCurrentIndex(0);
}

void CDownloadBinPage::activated() {
    // An empty bar: a range of 0 to 0 would make Qt's bar a busy indicator.
    progress_->setRange(0, 1);
    progress_->setValue(0);
    status_->clear();
    start_->setEnabled(false);
    fileBox_->setText(chosenPath_);
}

QString CDownloadBinPage::startFolder() {
    const QString data = QDir::current().filePath(QStringLiteral("data"));
    return QDir(data).exists() ? data : QString();
}

void CDownloadBinPage::selectFile() {
    ensureInitialised();
    chosenPath_ = chooseFile_(message("IDS_STR_FILESELECTTITLE"), startFolder(),
                              message("IDS_STR_BINFILE_FILTER"));
    fileBox_->setText(chosenPath_);
    start_->setEnabled(!chosenPath_.isEmpty());
}

void CDownloadBinPage::startDownload() {
    ensureInitialised();
    chosenPath_ = fileBox_->text();
    operation().start([&texts = app().texts(), folder = app().workingDirectory(),
                       image = QFile::encodeName(chosenPath_).toStdString()](UserVoice& voice) {
        CUsbLink link(voice, texts);
        FirmwareUpgrade(link).run(folder, image);
        return link.outcome();
    });
}

}  // namespace korvel
