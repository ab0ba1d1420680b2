#pragma once
// The data view: a modeless window that shows one data file. Its readings in a table (sortable
// unless the file has B-scan rows), the setup and the note of the selected reading, and a chart
// of the reading's waveform or of the cross-section its segment forms; printing and copying;
// thicknesses shown in inches or millimetres, the thinnest readings, and the next survey of the
// same layout handed to File Create. It only reads the file.

#include <QDialog>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/palimar_app.h"
#include "datafile/data_file.h"
#include "datafile/file_create.h"
#include "dataview/chart/graph_drawer.h"
#include "dataview/dialog/dialog_layout.h"
#include "dataview/dialog/printing.h"
#include "dataview/readings/bscan_book.h"
#include "dataview/readings/reading_selection.h"
#include "dataview/readings/setup_and_note.h"
#include "survey/thickness_units.h"

class QAction;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class QTreeWidget;

namespace korvel {

class CCTWX;
class CListHeaderCtrl;
struct GraphPicture;
class PalimarApp;
class ReadingTable;
class ReadingsModel;
class SurveyPanel;
class ThinnestDialog;
class TextTable;
class UserVoice;

class DataViewDialog : public QDialog {
    Q_OBJECT
  public:
    // Opens the file at path; its upper-case file name is the display name. The window deletes
    // itself when closed. Failures are told in message boxes unless a voice is given.
    DataViewDialog(const std::string& path, const PalimarApp& app, QWidget* parent = nullptr);
    DataViewDialog(const std::string& path, const TextTable& texts, QWidget* parent = nullptr,
                   UserVoice* voice = nullptr, const std::string& appTitle = AppConfig().appTitle);
    ~DataViewDialog() override;

    // The operations behind the controls.
    void selectReading(int row);
    void sortByColumn(int column);
    // MIN: the segment's MIN row, else the file's thinnest reading.
    void jumpToMin();
    void chooseAScan();
    void chooseBScan();
    void copyIdRows();
    void copyGraph();
    void printGraph();
    void printPage();
    // The survey map in place of the chart, the setup and the notes, or back.
    void showMap(bool shown);
    // Selects the reading in the table, as a click on its row does.
    void selectPoint(int readingIndex);
    // The chart as a PNG picture or a PDF page, the inspection report as a PDF file, and the
    // same report on a printer.
    void saveGraph();
    void saveReport();
    void saveWorkbook();
    void printReport();
    // The table, the map, the thinnest list and the report in these units.
    void setUnits(ThicknessUnits units);
    // Opens (or brings up) the list of the thinnest readings.
    void showThinnest();
    // Hands the next survey of this file (its layout under a new name) to the handler.
    void newSurveyFromThis();
    // Who makes the next survey; without one "New Survey from This..." is disabled.
    using NextSurveyHandler = std::function<void(const CreateRequest&)>;
    void setNextSurveyHandler(NextSurveyHandler handler);
    // "Add to History..." hands the file's path to the handler, with the window and its voice
    // (disabled without one).
    using HistoryHandler =
        std::function<void(const std::string& path, QWidget* window, UserVoice&)>;
    void setAddToHistoryHandler(HistoryHandler handler);
    void addToHistory();

    void setPrinterSource(PrinterSource source) { printerSource_ = std::move(source); }
    void setReportPrinterSource(PrinterChooser source) { reportPrinterSource_ = std::move(source); }
    void setSavePathSource(SavePathSource source) { savePathSource_ = std::move(source); }

    const std::string& displayName() const { return displayName_; }
    const DataFile& file() const { return file_; }
    const BScanBook& bscanBook() const { return book_; }
    const ReadingTable& table() const { return *table_; }
    const ReadingSelection& selection() const { return selection_; }
    const SetupValues& setupValues() const { return setup_; }
    const DisplayMode& displayMode() const { return mode_; }
    const std::string& notes() const { return notes_; }
    int sortColumn() const { return sortColumn_; }
    bool sortAscending() const { return ascending_; }
    const GraphDrawer& graph() const { return *drawer_; }

    QTableView* readingsList() const { return readings_; }
    CListHeaderCtrl* readingsHeader() const { return header_; }
    QTreeWidget* setupList() const { return setupList_; }
    QPlainTextEdit* notesText() const { return notesText_; }
    CCTWX* chart() const { return chart_; }
    QRadioButton* aScanRadio() const { return aScanRadio_; }
    QRadioButton* bScanRadio() const { return bScanRadio_; }
    QPushButton* minButton() const { return minButton_; }
    SurveyPanel* surveyPanel() const { return surveyPanel_; }
    QComboBox* unitsBox() const { return unitsBox_; }
    QPushButton* thinnestButton() const { return thinnestButton_; }
    ThinnestDialog* thinnestDialog() const { return thinnest_; }
    QAction* nextSurveyAction() const { return nextSurveyAction_; }
    QAction* addToHistoryAction() const { return addToHistoryAction_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    // Selects the row, scrolled into view, as a click would.
    void goToRow(int row);
    void createControls();
    void createReadingsList();
    void placeAtDesignSize();
    void setCaptions();
    void connectControls();
    void load(const std::string& path);
    void sizeReadingColumns();
    void createSetupColumns();
    void sizeSetupColumns();
    void fillReadings();
    void followCurrentRow();
    void showSetup(int setupNumber);
    void showNote(int noteNumber);
    void drawGraph();
    void showDisplayMode();
    int selectedRowCount() const;
    std::unique_ptr<QPrinter> printerOrSay();
    // What the graph buttons act on: the survey map while it shows, the chart otherwise.
    bool mapShown() const;
    GraphPicture shownGraph() const;
    void createReportMenu();
    void saveBytes(const QString& path, const QByteArray& bytes);
    void createUnitsBox();

    const TextTable& texts_;
    std::unique_ptr<UserVoice> ownVoice_;
    UserVoice* voice_;
    std::string displayName_;
    std::string program_;
    std::string path_;
    NextSurveyHandler nextSurveyHandler_;
    HistoryHandler historyHandler_;
    PrinterSource printerSource_ = defaultPrinter;
    PrinterChooser reportPrinterSource_;
    SavePathSource savePathSource_;

    DataFile file_;
    BScanBook book_;
    std::unique_ptr<ReadingTable> table_;
    ReadingSelection selection_;
    SetupValues setup_;
    DisplayMode mode_;
    std::string notes_;
    int sortColumn_ = 0;
    bool ascending_ = false;

    QTableView* readings_ = nullptr;
    CListHeaderCtrl* header_ = nullptr;
    ReadingsModel* model_ = nullptr;
    QRadioButton* aScanRadio_ = nullptr;
    QRadioButton* bScanRadio_ = nullptr;
    QPushButton* minButton_ = nullptr;
    QPushButton* copyRowsButton_ = nullptr;
    CCTWX* chart_ = nullptr;
    QLabel* setupLabel_ = nullptr;
    QTreeWidget* setupList_ = nullptr;
    QLabel* notesLabel_ = nullptr;
    QPlainTextEdit* notesText_ = nullptr;
    // Set once the user has dragged a column edge: resizing the window keeps those widths.
    bool readingWidthsByUser_ = false;
    bool setupWidthsByUser_ = false;
    bool sizingColumns_ = false;
    QPushButton* copyGraphButton_ = nullptr;
    QPushButton* printGraphButton_ = nullptr;
    QPushButton* printPageButton_ = nullptr;
    QPushButton* reportButton_ = nullptr;
    QAction* saveGraphAction_ = nullptr;
    QAction* saveReportAction_ = nullptr;
    QAction* printReportAction_ = nullptr;
    QAction* saveWorkbookAction_ = nullptr;
    QAction* nextSurveyAction_ = nullptr;
    QAction* addToHistoryAction_ = nullptr;
    QComboBox* unitsBox_ = nullptr;
    QPushButton* thinnestButton_ = nullptr;
    ThinnestDialog* thinnest_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QPushButton* mapButton_ = nullptr;
    SurveyPanel* surveyPanel_ = nullptr;
    std::unique_ptr<GraphDrawer> drawer_;
    std::unique_ptr<DialogUnits> units_;
    std::vector<ControlPlace> places_;
};

}  // namespace korvel
