#pragma once
// A survey as a workbook for spreadsheet programs (.xlsx): a Readings sheet with every column
// of the file, for a grid a Map sheet per layer, the Statistics, with an earlier survey of the
// same layout the Comparison, and the Setups and Notes as the file holds them. Thicknesses are
// numbers in the file's units, holes empty cells, dates dates. The document properties name
// the file and the program that wrote the workbook.

#include <optional>
#include <string>

#include "app/text_table.h"
#include "app/user_voice.h"
#include "datafile/data_file.h"

namespace korvel {

// The file and its name; an earlier survey of the same layout with its name, and the minimum
// thickness its remaining life is counted to (else each reading's low alarm). An earlier survey
// of another layout gives no Comparison sheet.
struct SurveyWorkbookSubject {
    const DataFile& file;
    std::string name;
    const DataFile* earlier = nullptr;
    std::string earlierName = {};
    std::optional<double> minimumThickness = {};
};

// The workbook's bytes; none when it could not be made (no room in the temporary folder).
// `program` is the program's title with its version.
std::optional<std::string> surveyWorkbookBytes(const SurveyWorkbookSubject& subject,
                                               const std::string& program);

// Saves the bytes safely at path; when there are none, or the save fails, shows "Error saving
// file - PATH". False then.
bool saveWorkbookBytes(const std::string& path, const std::optional<std::string>& bytes,
                       UserVoice& voice, const TextTable& texts);

struct SurveyWorkbookRequest {
    std::string file;             // the data file
    std::string earlier;          // an earlier survey of the same layout, or empty
    std::string out;              // where the workbook goes
    bool overwriteAsked = false;  // a save dialog has asked about an existing file already
};

// Reads the files, checks that their layouts match, asks before replacing a file (unless it
// was asked) and saves the workbook. Every failure is told to the voice; false then, or when
// the user declines.
bool saveSurveyWorkbook(const SurveyWorkbookRequest& request, const TextTable& texts,
                        const std::string& program, UserVoice& voice);

}  // namespace korvel
