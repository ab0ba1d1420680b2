#include "dataview/survey/earlier_survey_choice.h"

#include <filesystem>

#include "app/platform.h"
#include "datafile/data_file_reader.h"
#include "dataview/survey/compare_dialog.h"
#include "survey/earlier_surveys.h"

namespace korvel {

EarlierSurveyChoice chooseEarlierSurvey(const std::string& path, const TextTable& texts,
                                        UserVoice& voice, QWidget* parent) {
    const auto file = readDataFile(path);
    if (!file) {
        return {};
    }
    const std::filesystem::path where(path);
    const std::string folder = where.parent_path().string();
    std::vector<SurveyCandidate> candidates =
        sameLayoutSurveys(folder, where.filename().string(), surveyOf(*file));
    if (candidates.empty()) {
        return {};
    }
    CompareDialog dialog(std::move(candidates), texts, voice, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return {joinPath(folder, dialog.chosenName()), dialog.minimumThickness()};
}

}  // namespace korvel
