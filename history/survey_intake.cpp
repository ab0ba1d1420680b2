#include "history/survey_intake.h"

#include "app/text_rules.h"
#include "datafile/data_file_reader.h"
#include "history/content_digest.h"
#include "survey/survey_layout.h"

namespace korvel::history {

namespace {

// A data file has its reading column line with at least the ID and Thickness columns.
bool isDataFile(const DataFile& file) {
    return !file.headerNames.empty() && file.readingColumn("ID") && file.readingColumn("Thickness");
}

HistoryError refusal(HistoryFailure failure, const std::string& fileName, std::string detail = {}) {
    return {failure, {fileName}, std::move(detail)};
}

// A reading in the other unit is converted to the survey's.
std::optional<double> inSurveyUnits(std::optional<double> value, const std::string& readingUnits,
                                    const std::string& surveyUnits) {
    if (!value || readingUnits == surveyUnits) {
        return value;
    }
    return readingUnits == kInches ? *value * kMillimetresPerInch : *value / kMillimetresPerInch;
}

}  // namespace

std::string thicknessUnits(std::string_view text) {
    const std::string units = asciiUpper(trimmed(text));
    return units == kInches || units == kMillimetres ? units : std::string();
}

HistoryResult<NewSurvey> surveyIntake(const std::string& fileName, std::string bytes) {
    const DataFile file = parseDataFile(bytes);
    if (!isDataFile(file)) {
        return refusal(HistoryFailure::NotADataFile, fileName);
    }
    const Survey survey = surveyOf(file);
    if (!survey.date) {
        return refusal(HistoryFailure::NoDate, fileName);
    }
    NewSurvey intake;
    intake.units = survey.units.empty() ? std::string(kInches) : thicknessUnits(survey.units);
    if (intake.units.empty()) {
        return refusal(HistoryFailure::OtherUnits, fileName, survey.units);
    }
    const auto unitsColumn = file.readingColumn("Units");
    for (std::size_t i = 0; i < survey.points.size(); ++i) {
        const SurveyPoint& point = survey.points[i];
        // A reading without units of its own is taken in the survey's.
        const std::string_view field = fieldAtColumn(file.readings[i], unitsColumn);
        const std::string units = trimmed(field).empty() ? intake.units : thicknessUnits(field);
        if (point.thickness && units.empty()) {
            return refusal(HistoryFailure::OtherUnits, fileName, std::string(field));
        }
        intake.readings.push_back(
            {point.location, inSurveyUnits(point.thickness, units, intake.units)});
        intake.holes += point.thickness ? 0 : 1;
    }
    intake.file = fileName;
    intake.dateMinutes = survey.date->minutes;
    intake.digest = contentDigest(bytes);
    intake.bytes = std::move(bytes);
    return intake;
}

}  // namespace korvel::history
