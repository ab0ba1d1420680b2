#include "dataview/survey/survey_panel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>

#include "app/platform.h"
#include "app/text_table.h"
#include "app/ui/qt_text.h"
#include "app/user_voice.h"
#include "datafile/data_file_reader.h"
#include "datafile/number_text.h"
#include "dataview/survey/compare_dialog.h"
#include "dataview/survey/survey_map.h"
#include "report/survey_text.h"
#include "survey/earlier_surveys.h"

namespace korvel {

namespace {

constexpr int kStatisticsWidth = 230;

// The alarm levels of the first reading's setup, drawn across the line chart.
std::optional<double> setupLevel(const DataFile& file, const char* column) {
    const auto setup = file.readingColumn("Setup #");
    if (file.readings.empty()) {
        return std::nullopt;
    }
    const int number = leadingNumber(fieldAtColumn(file.readings[0], setup));
    if (number < 1 || static_cast<std::size_t>(number) > file.setups.size()) {
        return std::nullopt;
    }
    return thicknessValue(file.setupField(file.setups[number - 1], column));
}

}  // namespace

SurveyPanel::SurveyPanel(const TextTable& texts, UserVoice& voice, QWidget* parent)
    : QWidget(parent), texts_(texts), voice_(voice) {
    heading_ = new QLabel(this);
    layerBox_ = new QComboBox(this);
    map_ = new SurveyMap(this);
    compareButton_ = new QPushButton(this);
    thicknessButton_ = new QPushButton(this);
    statisticsText_ = new QLabel(this);
    statisticsText_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    statisticsText_->setWordWrap(true);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(statisticsText_);
    scroll->setWidgetResizable(true);
    scroll->setFixedWidth(kStatisticsWidth);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(heading_, 0, 0);
    layout->addWidget(layerBox_, 0, 1);
    layout->addWidget(map_, 1, 0, 2, 2);
    layout->addWidget(compareButton_, 0, 2);
    layout->addWidget(thicknessButton_, 1, 2);
    layout->addWidget(scroll, 2, 2);
    layout->setColumnStretch(0, 1);
    layout->setRowStretch(2, 1);
    setCaptions();
    connect(map_, &SurveyMap::pointClicked, this, &SurveyPanel::pointClicked);
    connect(layerBox_, &QComboBox::currentIndexChanged, this, &SurveyPanel::showLayer);
    connect(compareButton_, &QPushButton::clicked, this, &SurveyPanel::chooseEarlier);
    connect(thicknessButton_, &QPushButton::clicked, this, &SurveyPanel::showThickness);
}

void SurveyPanel::setCaptions() {
    compareButton_->setText(toQt(texts_.caption(Screen::DataView, "IDC_BTN_SURVEY_COMPARE")));
    thicknessButton_->setText(toQt(texts_.caption(Screen::DataView, "IDC_BTN_SURVEY_THICKNESS")));
}

void SurveyPanel::load(const DataFile& file, const std::string& folder,
                       const std::string& fileName) {
    folder_ = folder;
    fileName_ = fileName;
    fileSurvey_ = surveyOf(file);
    units_ = initialUnits(fileSurvey_);
    fileLowLevel_ = setupLevel(file, "Low Alarm");
    fileHighLevel_ = setupLevel(file, "High Alarm");
    applyUnits();
    const QSignalBlocker blocker(layerBox_);
    layerBox_->clear();
    for (const auto& layer : survey_.layers) {
        layerBox_->addItem(toQt(texts_.caption(Screen::DataView, "IDC_STATIC_SURVEY_LAYER")) +
                           QStringLiteral(" ") + toQt(layer.name));
    }
    layerBox_->setVisible(survey_.layers.size() > 1);
    showThickness();
}

std::optional<double> SurveyPanel::shownLevel(std::optional<double> fileLevel) const {
    const auto fileUnits = parseThicknessUnits(fileSurvey_.units);
    if (!fileLevel || !fileUnits) {
        return fileLevel;
    }
    return convertThickness(*fileLevel, *fileUnits, units_);
}

void SurveyPanel::applyUnits() {
    survey_ = surveyInUnits(fileSurvey_, units_);
    statistics_ = surveyStatistics(survey_);
    SurveyMapContent content = map_->content();
    content.lowLevel = shownLevel(fileLowLevel_);
    content.highLevel = shownLevel(fileHighLevel_);
    map_->setContent(std::move(content));
}

void SurveyPanel::setUnits(ThicknessUnits units) {
    if (minimumThickness_ && parseThicknessUnits(fileSurvey_.units)) {
        minimumThickness_ = convertThickness(*minimumThickness_, units_, units);
    }
    units_ = units;
    applyUnits();
    if (comparison_ && earlierFile_) {
        comparison_ = compareSurveys(surveyInUnits(surveyOf(*earlierFile_), units_), survey_,
                                     minimumThickness_);
    }
    showContent();
}

void SurveyPanel::showLayer(int layer) {
    map_->setLayer(layer < 0 ? 0 : static_cast<std::size_t>(layer));
    if (!comparison_) {
        statisticsText_->setText(statisticsHtml(survey_, statistics_, map_->layer(), texts_));
    }
}

void SurveyPanel::showContent() {
    SurveyMapContent content = map_->content();
    content.survey = &survey_;
    content.statistics = &statistics_;
    content.loss = comparison_.has_value();
    const auto caption = [&](const char* key) {
        return toQt(texts_.caption(Screen::DataView, key));
    };
    content.holeText = caption("IDC_STATIC_SURVEY_HOLE");
    content.lowAlarmText = caption("IDC_STATIC_SURVEY_LOW_ALARM");
    content.warningText = caption("IDC_STATIC_SURVEY_WARNING");
    content.highAlarmText = caption("IDC_STATIC_SURVEY_HIGH_ALARM");
    if (comparison_) {
        content.values = comparison_->loss;
        const auto& largest = comparison_->lossFigures.maximum;
        content.outlined = largest ? largest->points : std::vector<std::size_t>{};
        heading_->setText(caption("IDC_STATIC_SURVEY_LOSS_SINCE") + QStringLiteral(" ") +
                          toQt(earlierName_));
        statisticsText_->setText(
            comparisonHtml(survey_, *comparison_, earlierName_, earlierDate_, texts_));
    } else {
        content.values = thicknesses(survey_);
        const auto& minimum = statistics_.whole.thickness.minimum;
        content.outlined = minimum ? minimum->points : std::vector<std::size_t>{};
        heading_->setText(toQt(fileName_));
        statisticsText_->setText(statisticsHtml(survey_, statistics_, map_->layer(), texts_));
    }
    thicknessButton_->setEnabled(comparison_.has_value());
    map_->setContent(std::move(content));
}

void SurveyPanel::setSelectedPoint(int point) {
    for (std::size_t layer = 0; layer < survey_.layers.size(); ++layer) {
        const auto& cells = survey_.layers[layer].cells;
        if (std::find(cells.begin(), cells.end(), point) != cells.end()) {
            if (layer != map_->layer()) {
                layerBox_->setCurrentIndex(static_cast<int>(layer));
            }
            break;
        }
    }
    map_->setSelectedPoint(point);
}

void SurveyPanel::chooseEarlier() {
    voice_.setWaitCursor(true);
    auto candidates = sameLayoutSurveys(folder_, fileName_, survey_);
    voice_.setWaitCursor(false);
    if (candidates.empty()) {
        voice_.show(MessageKind::Notice, texts_.message("IDS_MSG_SURVEY_NO_EARLIER"));
        return;
    }
    CompareDialog dialog(std::move(candidates), texts_, voice_, this);
    if (dialog.exec() == QDialog::Accepted) {
        compareWith(dialog.chosenName(), dialog.minimumThickness());
    }
}

bool SurveyPanel::compareWith(const std::string& earlierName,
                              std::optional<double> minimumThickness) {
    const std::string path = joinPath(folder_, earlierName);
    auto file = readDataFile(path);
    if (!file) {
        reportFileOpenError(voice_, texts_, path);
        return false;
    }
    const Survey earlier = surveyInUnits(surveyOf(*file), units_);
    if (!layoutsMatch(earlier, survey_)) {
        voice_.show(MessageKind::Error, texts_.message("IDS_ERR_SURVEY_LAYOUT_MISMATCH"));
        return false;
    }
    earlierName_ = earlierName;
    earlierDate_ = file->headerValue("Last Saved");
    comparison_ = compareSurveys(earlier, survey_, minimumThickness);
    earlierFile_ = std::move(*file);
    minimumThickness_ = minimumThickness;
    showContent();
    return true;
}

EarlierSurvey SurveyPanel::earlier() const {
    if (!comparison_ || !earlierFile_) {
        return {};
    }
    return {&*earlierFile_, earlierName_, minimumThickness_};
}

void SurveyPanel::showThickness() {
    comparison_.reset();
    showContent();
}

}  // namespace korvel
