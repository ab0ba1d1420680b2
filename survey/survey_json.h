#pragma once
// A survey's statistics and a comparison of two surveys as JSON, the way korvel-cli's "stats"
// and "compare" print them (docs/survey-json.md describes every member).

#include <string>

#include "survey/survey_comparison.h"
#include "survey/survey_layout.h"
#include "survey/survey_statistics.h"

namespace korvel {

std::string surveyStatisticsJson(const std::string& fileName, const Survey& survey,
                                 const SurveyStatistics& statistics);

std::string surveyComparisonJson(const std::string& earlierName, const std::string& currentName,
                                 const Survey& earlier, const Survey& current,
                                 const SurveyComparison& comparison);

}  // namespace korvel
