#pragma once
// The Inspection History page: the history's assets with their properties, edited in place;
// the surveys of the selected asset in date order, with "Add Survey..." taking data files from
// the PC data folder; the asset's grid coloured by a figure with its legend, and the asset's
// figures beside it; a location's trend below, with Exclude... and Include... asking for the
// note. The asset is read from the history once when it is selected; a colour, units or
// location chosen after that is drawn from what was read.

#include <memory>
#include <optional>

#include "app/ui/korvel_page.h"
#include "dataview/dialog/printing.h"
#include "dataview/history/window_history.h"
#include "pages/page_context.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QTreeWidget;

namespace korvel {

class HistoryThinnestDialog;
class SurveyMap;
class TrendChart;

class CInspectionHistoryPage : public KorvelPage {
    Q_OBJECT
  public:
    explicit CInspectionHistoryPage(const PageContext& context, QWidget* parent = nullptr);
    ~CInspectionHistoryPage() override;

    // Opens the history (when not yet open) and lists its assets, keeping the selection.
    void refreshAssets();
    void selectAsset(const QString& name);
    void setColouring(HistoryColouring colouring);
    void setUnits(ThicknessUnits units);
    // Shows the trend of the location (an index into the figures' locations).
    void showLocation(std::size_t location);
    void addSurveys(const std::vector<std::string>& paths);
    void newAsset();
    // The report's title fields and the nominal thickness of the selected asset, in a form.
    void editTitleFields();
    void chooseSurveyFiles();
    void excludeSelected();
    void includeSelected();
    void showThinnest();
    // The selected asset's history report as a PDF file or on a printer, and its workbook.
    void saveReport();
    void printReport();
    void exportWorkbook();
    void setSavePathSource(SavePathSource source) { savePathSource_ = std::move(source); }
    void setPrinterSource(PrinterChooser source) { printerSource_ = std::move(source); }

    const LoadedAsset* loaded() const { return loaded_ ? &*loaded_ : nullptr; }
    std::optional<std::size_t> shownLocation() const { return location_; }
    QTableWidget* assetTable() const { return assets_; }
    QTreeWidget* surveyList() const { return surveys_; }
    QComboBox* colourBox() const { return colour_; }
    QComboBox* unitsBox() const { return units_; }
    SurveyMap* map() const { return map_; }
    TrendChart* trend() const { return trend_; }
    QLabel* figuresLabel() const { return figures_; }
    QLabel* pointLabel() const { return point_; }
    QLabel* noticeLabel() const { return notice_; }
    QPushButton* excludeButton() const { return exclude_; }
    QPushButton* includeButton() const { return include_; }
    QPushButton* reportButton() const { return saveReport_; }
    QPushButton* printButton() const { return printReport_; }
    QPushButton* workbookButton() const { return workbook_; }
    QPushButton* titleFieldsButton() const { return titleFields_; }
    HistoryThinnestDialog* thinnestDialog() const { return thinnest_; }

    void activated() override;

  protected:
    void initialise() override;

  private:
    QWidget* buildAssetBox();
    QWidget* buildMapBox();
    QWidget* buildTrendBox();
    void fillAssetRow(int row, const history::Asset& asset);
    void changeProperty(int row, int column);
    void assetSelectionChanged();
    void reloadAsset();
    void showAsset();
    void drawMap();
    void markLocationOnMap();
    void showFigures();
    void showPoint();
    void showTrend();
    void changeExclusion(bool exclude);
    bool historyOpen();
    std::string selectedAssetName() const;
    void say(MessageKind kind, const QString& text);

    PageContext context_;
    std::unique_ptr<history::InspectionHistory> history_;
    std::optional<LoadedAsset> loaded_;
    std::optional<std::size_t> location_;
    HistoryColouring colouring_ = HistoryColouring::RemainingLife;
    ThicknessUnits shownUnits_ = ThicknessUnits::Inches;
    bool filling_ = false;
    QTableWidget* assets_ = nullptr;
    QTreeWidget* surveys_ = nullptr;
    QPushButton* newAsset_ = nullptr;
    QPushButton* addSurvey_ = nullptr;
    QPushButton* titleFields_ = nullptr;
    QComboBox* colour_ = nullptr;
    QComboBox* units_ = nullptr;
    QPushButton* thinnestButton_ = nullptr;
    SurveyMap* map_ = nullptr;
    QLabel* figures_ = nullptr;
    QLabel* notice_ = nullptr;
    TrendChart* trend_ = nullptr;
    QLabel* point_ = nullptr;
    QPushButton* exclude_ = nullptr;
    QPushButton* include_ = nullptr;
    HistoryThinnestDialog* thinnest_ = nullptr;
    QPushButton* saveReport_ = nullptr;
    QPushButton* printReport_ = nullptr;
    QPushButton* workbook_ = nullptr;
    SavePathSource savePathSource_ = savePathDialog(this);
    PrinterChooser printerSource_ = [this] { return chosenPrinter(this); };
    QString savePath(const char* titleKey, const char* extension, const char* typesKey);
};

}  // namespace korvel
