#pragma once
// The survey at a glance, in the data view: the map (or, for a sequence, the line of thickness
// along its locations), the layer to show, the statistics beside it, and "Compare..." with an
// earlier survey of the same layout, after which the map shows the loss at each location.
// Thicknesses, levels and losses are shown in the units chosen.

#include <QWidget>
#include <optional>
#include <string>

#include "report/inspection_report.h"
#include "survey/survey_comparison.h"
#include "survey/survey_layout.h"
#include "survey/survey_statistics.h"
#include "survey/thickness_units.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace korvel {

class SurveyMap;
class TextTable;
class UserVoice;

class SurveyPanel : public QWidget {
    Q_OBJECT
  public:
    SurveyPanel(const TextTable& texts, UserVoice& voice, QWidget* parent = nullptr);

    // The file shown, and where its earlier surveys are looked for.
    void load(const DataFile& file, const std::string& folder, const std::string& fileName);

    // Outlines the reading on the map, showing its layer.
    void setSelectedPoint(int point);

    // Offers the earlier surveys of the folder, then compares with the one chosen.
    void chooseEarlier();
    // Compares with the file of the folder; a file of another layout is refused with a message.
    bool compareWith(const std::string& earlierName, std::optional<double> minimumThickness);
    // Back to the thickness map.
    void showThickness();
    // The map, the figures and a comparison shown in these units; a minimum thickness given
    // for the comparison is converted with them.
    void setUnits(ThicknessUnits units);
    ThicknessUnits units() const { return units_; }

    const Survey& survey() const { return survey_; }
    const SurveyStatistics& statistics() const { return statistics_; }
    const std::optional<SurveyComparison>& comparison() const { return comparison_; }
    // The survey compared with while the map shows the comparison, for the report.
    EarlierSurvey earlier() const;
    SurveyMap* map() const { return map_; }
    QLabel* statisticsText() const { return statisticsText_; }

  signals:
    void pointClicked(int point);

  private:
    void setCaptions();
    void showLayer(int layer);
    void showContent();
    void applyUnits();
    std::optional<double> shownLevel(std::optional<double> fileLevel) const;

    const TextTable& texts_;
    UserVoice& voice_;
    std::string folder_;
    std::string fileName_;
    Survey fileSurvey_;  // in the file's own units
    Survey survey_;      // in the units shown
    ThicknessUnits units_ = ThicknessUnits::Inches;
    std::optional<double> fileLowLevel_;
    std::optional<double> fileHighLevel_;
    SurveyStatistics statistics_;
    std::string earlierName_;
    std::string earlierDate_;
    std::optional<SurveyComparison> comparison_;
    std::optional<DataFile> earlierFile_;
    std::optional<double> minimumThickness_;

    QLabel* heading_ = nullptr;
    QComboBox* layerBox_ = nullptr;
    SurveyMap* map_ = nullptr;
    QPushButton* compareButton_ = nullptr;
    QPushButton* thicknessButton_ = nullptr;
    QLabel* statisticsText_ = nullptr;
};

}  // namespace korvel
