#pragma once
// The surveys of a folder that an open survey can be compared with: data files of the same
// layout, the open file itself left out, newest first.

#include <optional>
#include <string>
#include <vector>

#include "survey/survey_date.h"
#include "survey/survey_layout.h"

namespace korvel {

struct SurveyCandidate {
    std::string name;
    std::optional<SurveyDate> date;
    std::string dateText;  // as the file writes it
};

// Files whose names end in "CSV" (any case); files that cannot be read are no candidates.
std::vector<SurveyCandidate> sameLayoutSurveys(const std::string& folder,
                                               const std::string& currentName,
                                               const Survey& current);

}  // namespace korvel
