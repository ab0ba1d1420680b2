#pragma once
// The statistics beside the map, as a small HTML table in the user's language.

#include <QString>
#include <string>

#include "survey/survey_comparison.h"
#include "survey/survey_statistics.h"

namespace korvel {

class TextTable;

// The whole file's figures, and those of the layer shown when the survey has several.
QString statisticsHtml(const Survey& survey, const SurveyStatistics& statistics, std::size_t layer,
                       const TextTable& texts);

// The comparison's figures: the earlier survey, the time between, the minimum thickness, the
// largest loss, the largest rate and the shortest remaining life with their locations.
QString comparisonHtml(const Survey& current, const SurveyComparison& comparison,
                       const std::string& earlierName, const std::string& earlierDate,
                       const TextTable& texts);

}  // namespace korvel
