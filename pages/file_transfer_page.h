#pragma once
// The Data File Transfer page: the gauge's data log on the left, a PC folder on the right, and
// the buttons that copy files between them, view a data file, and export or import it.

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/ui/korvel_page.h"
#include "datafile/file_create.h"
#include "dataview/dialog/printing.h"
#include "dataview/survey/earlier_survey_choice.h"
#include "gauge/file_list_entry.h"
#include "pages/page_context.h"

class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace korvel {

class FileListView;
class FolderBox;
class FolderControls;

class CFileTransferPage : public KorvelPage {
    Q_OBJECT
  public:
    CFileTransferPage(const PageContext& context, QWidget* parent = nullptr);
    // Stores the PC data folder as the user's HostDirPath.
    ~CFileTransferPage() override;

    void activated() override;

    // The PC data folder whose files the PC list shows.
    QString pcDataFolder() const;
    // Fills the PC file list from the folder.
    void RefreshPcFileList();
    // Disables both transfer buttons, Data View, Export and Import.
    void DisableFileButtons();

    // Button handlers.
    void refreshGaugeList();
    void transferFromGauge();
    void transferToGauge();
    void openDataView();
    // The data view of a file of the PC data folder.
    void openDataViewOf(const QString& name);
    void exportSelected();
    // The inspection report of the selected PC file, saved as PDF where the person chooses.
    void reportSelected();
    // The selected PC file as a workbook, saved where the person chooses.
    void workbookSelected();
    // The selected data files into the inspection history, to an asset chosen from a list.
    void addSelectedToHistory();
    void setSavePathSource(SavePathSource source) { savePathSource_ = std::move(source); }
    // Where the report's earlier survey comes from: the compare dialog (the tests answer it).
    using EarlierSurveySource = std::function<EarlierSurveyChoice(const std::string& path)>;
    void setEarlierSurveySource(EarlierSurveySource source) {
        earlierSurveySource_ = std::move(source);
    }
    void importSelected();
    // A double click: a data file opens in the data view, any other file with the desktop's
    // program for it.
    void openSelected();

    // The list rules, applied after a click and after any change of the selection.
    void applyPcClickRule();
    void applyGaugeClickRule();

    FileListView* gaugeList() const { return gaugeList_; }
    FileListView* pcList() const { return pcList_; }
    FolderControls* folderControls() const { return folderControls_; }
    FolderBox* folderBox() const { return folderBox_; }
    QPushButton* toGaugeButton() const { return toGauge_; }
    QPushButton* fromGaugeButton() const { return fromGauge_; }
    QPushButton* dataViewButton() const { return dataView_; }
    QPushButton* exportButton() const { return export_; }
    QPushButton* workbookButton() const { return workbook_; }
    QPushButton* historyButton() const { return history_; }
    QPushButton* importButton() const { return import_; }
    QPushButton* refreshGaugeButton() const { return refreshGauge_; }
    QProgressBar* progressBar() const { return progress_; }
    QLabel* statusLine() const { return status_; }
    QPushButton* cancelButton() const { return cancel_; }

  signals:
    // "New Survey from This..." in a data view of the page: File Create is to take it.
    void nextSurveyRequested(const korvel::CreateRequest& request);

  protected:
    void initialise() override;
    void firstShown() override;

  private:
    QWidget* buildGaugeBox();
    QWidget* buildMiddleButtons();
    QWidget* buildHostBox();
    QWidget* buildProgressAndStatus();
    void connectControls();
    void settleStartFolder();
    void showFileButtons(bool viewAndExport, bool toGauge, bool import);
    std::vector<std::string> selectedNames(const FileListView* list) const;
    // Fills the gauge list with a listing, whose names are then what the gauge is known to hold.
    void showGaugeFiles(const std::vector<FileListEntry>& entries);
    // The path of the selected PC row's file; empty when there is none.
    std::string selectedPcPath() const;

    PageContext context_;

    QGroupBox* gaugeBox_ = nullptr;
    QGroupBox* hostBox_ = nullptr;
    QPushButton* refreshGauge_ = nullptr;
    FileListView* gaugeList_ = nullptr;
    QPushButton* toGauge_ = nullptr;
    QPushButton* fromGauge_ = nullptr;
    QPushButton* dataView_ = nullptr;
    QPushButton* export_ = nullptr;
    QPushButton* report_ = nullptr;
    QPushButton* workbook_ = nullptr;
    QPushButton* history_ = nullptr;
    SavePathSource savePathSource_ = savePathDialog(this);
    EarlierSurveySource earlierSurveySource_ = [this](const std::string& path) {
        return chooseEarlierSurvey(path, app().texts(), voice(), this);
    };
    QPushButton* import_ = nullptr;
    QWidget* middleButtons_ = nullptr;
    QPushButton* selectFolder_ = nullptr;
    QPushButton* refreshFolder_ = nullptr;
    FolderBox* folderBox_ = nullptr;
    FileListView* pcList_ = nullptr;
    FolderControls* folderControls_ = nullptr;
    QLabel* progressLabel_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* cancel_ = nullptr;
    // The names of the gauge list as last refreshed; none until a listing was taken.
    std::optional<std::vector<std::string>> gaugeFiles_;
};

}  // namespace korvel
