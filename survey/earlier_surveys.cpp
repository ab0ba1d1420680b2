#include "survey/earlier_surveys.h"

#include <algorithm>
#include <filesystem>

#include "app/platform.h"
#include "app/text_rules.h"
#include "datafile/data_file_reader.h"
#include "survey/survey_comparison.h"

namespace korvel {

namespace {

std::string surveyDateText(const DataFile& file) {
    const std::string saved = file.headerValue("Last Saved");
    return parseSurveyDate(saved) ? saved : file.headerValue("Created");
}

}  // namespace

std::vector<SurveyCandidate> sameLayoutSurveys(const std::string& folder,
                                               const std::string& currentName,
                                               const Survey& current) {
    std::vector<SurveyCandidate> candidates;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (!endsWithNoCase(name, "CSV") || name == currentName || !entry.is_regular_file(error)) {
            continue;
        }
        const auto file = readDataFile(joinPath(folder, name));
        if (!file) {
            continue;
        }
        const Survey survey = surveyOf(*file);
        if (layoutsMatch(survey, current)) {
            candidates.push_back({name, survey.date, surveyDateText(*file)});
        }
    }
    std::sort(candidates.begin(), candidates.end(), [](const auto& a, const auto& b) {
        const long long left = a.date ? a.date->minutes : -1;
        const long long right = b.date ? b.date->minutes : -1;
        return left != right ? left > right : a.name < b.name;
    });
    return candidates;
}

}  // namespace korvel
