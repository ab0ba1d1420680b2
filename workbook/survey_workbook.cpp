#include "workbook/survey_workbook.h"

#include "app/platform.h"
#include "app/save_message.h"
#include "datafile/data_file_reader.h"
#include "datafile/output_file.h"
#include "survey/survey_comparison.h"
#include "workbook/survey_sheets.h"

namespace korvel {
namespace {

// A survey of another layout has nothing to compare with: no sheet.
bool writeComparison(XlsxBook& book, const SurveyWorkbookSubject& subject, const Survey& current) {
    const Survey earlier = surveyOf(*subject.earlier);
    if (!layoutsMatch(earlier, current)) {
        return true;
    }
    const SurveyComparison comparison = compareSurveys(earlier, current, subject.minimumThickness);
    return writeComparisonSheet(book,
                                {subject.earlierName, subject.name, earlier, current, comparison});
}

bool writeSheets(XlsxBook& book, const SurveyWorkbookSubject& subject) {
    const DataFile& file = subject.file;
    const Survey survey = surveyOf(file);
    const SurveyStatistics statistics = surveyStatistics(survey);
    return writeReadingsSheet(book, file, survey) && writeMapSheets(book, survey, statistics) &&
           writeStatisticsSheet(book, subject.name, file, survey, statistics) &&
           (!subject.earlier || writeComparison(book, subject, survey)) &&
           writeTableSheet(book, "Setups", file.setupColumns, file.setups) &&
           writeTableSheet(book, "Notes", file.noteColumns, file.notes);
}

std::optional<DataFile> readOrSay(const std::string& path, UserVoice& voice,
                                  const TextTable& texts) {
    auto file = readDataFile(path);
    if (!file) {
        reportFileOpenError(voice, texts, path);
    }
    return file;
}

}  // namespace

std::optional<std::string> surveyWorkbookBytes(const SurveyWorkbookSubject& subject,
                                               const std::string& program) {
    XlsxBook book({subject.name, "Thickness survey", program});
    if (!book.isOpen() || !writeSheets(book, subject)) {
        return std::nullopt;
    }
    return book.finish();
}

bool saveWorkbookBytes(const std::string& path, const std::optional<std::string>& bytes,
                       UserVoice& voice, const TextTable& texts) {
    if (!bytes) {
        reportSaveFailure(voice, texts, path);
        return false;
    }
    return saveOrReport(path, *bytes, voice, texts);
}

bool saveSurveyWorkbook(const SurveyWorkbookRequest& request, const TextTable& texts,
                        const std::string& program, UserVoice& voice) {
    const auto file = readOrSay(request.file, voice, texts);
    if (!file) {
        return false;
    }
    std::optional<DataFile> earlier;
    if (!request.earlier.empty()) {
        earlier = readOrSay(request.earlier, voice, texts);
        if (!earlier) {
            return false;
        }
        if (!layoutsMatch(surveyOf(*earlier), surveyOf(*file))) {
            voice.show(MessageKind::Error, texts.message("IDS_ERR_SURVEY_LAYOUT_MISMATCH"));
            return false;
        }
    }
    if (!request.overwriteAsked && !mayOverwrite(request.out, voice, texts)) {
        return false;
    }
    const SurveyWorkbookSubject subject{*file, baseName(request.file),
                                        earlier ? &*earlier : nullptr,
                                        earlier ? baseName(request.earlier) : std::string()};
    return saveWorkbookBytes(request.out, surveyWorkbookBytes(subject, program), voice, texts);
}

}  // namespace korvel
