#pragma once
// The survey's figures in the user's language: as rows of caption and value for the report,
// and as the small HTML table beside the map.

#include <QString>
#include <string>
#include <vector>

#include "survey/survey_comparison.h"
#include "survey/survey_statistics.h"

namespace korvel {

class TextTable;

// A figure's caption and its value, as plain text (a line break may part the value).
struct SurveyFigure {
    QString caption;
    QString value;
};

// The readings, holes, minimum and maximum with their locations, mean, deviation and alarms.
std::vector<SurveyFigure> statisticsFigures(const Survey& survey, const SurveyFigures& figures,
                                            const TextTable& texts);

// The comparison's figures: the earlier survey, the time between, the minimum thickness, the
// largest loss, the largest rate and the shortest remaining life with their locations.
std::vector<SurveyFigure> comparisonFigures(const Survey& current,
                                            const SurveyComparison& comparison,
                                            const std::string& earlierName,
                                            const std::string& earlierDate, const TextTable& texts);

// The whole file's figures, and those of the layer shown when the survey has several.
QString statisticsHtml(const Survey& survey, const SurveyStatistics& statistics, std::size_t layer,
                       const TextTable& texts);

QString comparisonHtml(const Survey& current, const SurveyComparison& comparison,
                       const std::string& earlierName, const std::string& earlierDate,
                       const TextTable& texts);

}  // namespace korvel
